#pragma once

class MessageBoxes;
class ProgramEnd;
struct ProgramState;

// Creates and shows the update window for the link chosen in state. The window owns itself
// and is deleted when it closes.
void openUpdateWindow(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end);

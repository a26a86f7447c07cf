#pragma once

// Exit statuses of the program.
enum ExitStatus {
    ExitNormal = 0,
    ExitPortNotOpened = 2,
    ExitStoreFailed = 3,
    ExitStoreAbandoned = 4,
    ExitSettingsCancelled = 5,
    ExitOtherFailure = 6,
};

// Ends the program at once: no window is asked, nothing is saved. Production never returns;
// test doubles record the call and return, so callers must return right after calling it.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endNow(int status) = 0;
};

class ImmediateProgramEnd : public ProgramEnd {
public:
    [[noreturn]] void endNow(int status) override;
};

#pragma once

// Vertical arrangement of the update window's frames, in twips. Hidden frames still get a top.
struct FrameLayout {
    int fpga2Top;
    bool fpga2Visible;
    int biosTop;
    bool biosVisible;
    int pnlPctTop;
    int cmdStopTop;
    int windowHeight; // outer height, title bar and borders included
};

// Design sizes the arrangement works from.
namespace FrameDesign {
constexpr int ImageFrameHeight = 1095;
constexpr int ProgressFrameHeight = 1005;
constexpr int ExitButtonHeight = 375;
constexpr int Fpga1Top = 1200;
constexpr int Fpga2DesignTop = 2300;
constexpr int BiosDesignTop = 3400;
constexpr int BelowExit = 650;
} // namespace FrameDesign

// Before the receiver has sent anything: spacing 100, no second FPGA frame, no BIOS frame.
FrameLayout LayoutAtLoad();
// Once the receiver is known: spacing 50.
FrameLayout ArrangeFrames(bool isFVariant, bool biosOffered);

#include "frmlayout.h"

using namespace FrameDesign;

namespace {

constexpr int LoadSpacing = 100;
constexpr int ArrangedSpacing = 50;

int Below(int top, int height, int spacing) {
    return top + height + spacing;
}

void PlaceProgressAndExit(FrameLayout &layout, int spacing) {
    layout.cmdStopTop = Below(layout.pnlPctTop, ProgressFrameHeight, spacing);
    layout.windowHeight = layout.cmdStopTop + ExitButtonHeight + BelowExit;
}

} // namespace

FrameLayout LayoutAtLoad() {
    FrameLayout layout{};
    layout.fpga2Top = Fpga2DesignTop;
    layout.fpga2Visible = false;
    layout.biosTop = BiosDesignTop;
    layout.biosVisible = false;
    layout.pnlPctTop = Below(Fpga1Top, ImageFrameHeight, LoadSpacing);
    PlaceProgressAndExit(layout, LoadSpacing);
    return layout;
}

FrameLayout ArrangeFrames(bool isFVariant, bool biosOffered) {
    FrameLayout layout{};
    const int belowFpga1 = Below(Fpga1Top, ImageFrameHeight, ArrangedSpacing);
    layout.fpga2Visible = isFVariant;
    layout.fpga2Top = isFVariant ? belowFpga1 : Fpga2DesignTop;
    const int lastImageBottom =
        isFVariant ? layout.fpga2Top + ImageFrameHeight : Fpga1Top + ImageFrameHeight;
    layout.biosTop = lastImageBottom + ArrangedSpacing;
    layout.biosVisible = biosOffered;
    layout.pnlPctTop =
        biosOffered ? Below(layout.biosTop, ImageFrameHeight, ArrangedSpacing) : layout.biosTop;
    PlaceProgressAndExit(layout, ArrangedSpacing);
    return layout;
}

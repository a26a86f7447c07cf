#include "frmlayout.h"

FrameLayout LayoutAtLoad() {
    return {};
}
FrameLayout ArrangeFrames(bool, bool) {
    return {};
}

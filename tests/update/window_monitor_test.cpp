#include "window_rig.h"

#include "progressmonitor.h"

#include "Glowtag.h"
#include "xpbutton.h"
#include "xpframe.h"
#include "xptextarea.h"

#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

// The monitor is ticked by hand here, so each tick sees exactly one piece of the text.
class ManualMonitor {
public:
    explicit ManualMonitor(WindowRig &rig) : rig_(rig) { rig.window().Timer1().stop(); }

    // Waits until at least `bytes` are pending, then runs one tick.
    bool tickAfter(int bytes) {
        DeviceLink &link = rig_.window().link();
        const bool arrived = WindowRig::waitFor([&] { return link.PendingInputCount() >= bytes; });
        rig_.window().monitor().tick();
        return arrived;
    }
    void tickNow() { rig_.window().monitor().tick(); }

private:
    WindowRig &rig_;
};

QStringList pieces(const QString &text, int count) {
    return {"--startup-text", text, "--startup-pieces", QString::number(count),
            "--piece-gap-ms", "400"};
}

TEST(WindowMonitor, IdMarkerSplitOverTwoTicksIsFoundOnTheSecond) {
    // Two pieces of 14 characters: the split falls inside the marker.
    WindowRig rig(pieces("FPGA Loaded --->(ID= 0x0104 )", 2), "");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ManualMonitor monitor(rig);
    ASSERT_TRUE(monitor.tickAfter(14));
    EXPECT_EQ(rig.state().LoadedFpgaId, "");
    EXPECT_EQ(rig.ui().FrmFPGA1->title(), "FPGA Bitstream");
    ASSERT_TRUE(monitor.tickAfter(1));
    EXPECT_EQ(rig.state().LoadedFpgaId, "0x0104");
    EXPECT_EQ(rig.ui().FrmFPGA1->title(), "FPGA Bitstream (0x0104)");
    EXPECT_EQ(rig.ui().RX_TXT->toPlainText(), "FPGA Loaded --->(ID= 0x0104 )");
    EXPECT_EQ(rig.ui().RX_TXT->textCursor().position(), 29);
}

TEST(WindowMonitor, LowerCaseMarkerGivesNoId) {
    WindowRig rig({"--startup-text", "fpga loaded --->(id= 0x0104 )\\r\\n"}, "");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ManualMonitor monitor(rig);
    ASSERT_TRUE(monitor.tickAfter(31));
    EXPECT_EQ(rig.state().LoadedFpgaId, "");
    EXPECT_EQ(rig.ui().FrmFPGA1->title(), "FPGA Bitstream");
    EXPECT_TRUE(rig.ui().CmdStoreFirmware->isEnabled());
}

TEST(WindowMonitor, FirstReportedIdIsKept) {
    const QString text = "FPGA Loaded --->(ID= 0x0104 )\\r\\nFPGA Loaded --->(ID= 0x0200 )\\r\\n";
    WindowRig rig(pieces(text, 2), "");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ManualMonitor monitor(rig);
    ASSERT_TRUE(monitor.tickAfter(31));
    ASSERT_TRUE(monitor.tickAfter(1));
    EXPECT_EQ(rig.state().LoadedFpgaId, "0x0104");
}

TEST(WindowMonitor, SecondFpgaFrameFollowsOneTickAfterTheModel) {
    WindowRig rig(pieces("RV44F Receiver\\r\\nready\\r\\n", 2), "FW=x.ldr");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ManualMonitor monitor(rig);
    SaveFlashUi &ui = rig.ui();
    ASSERT_TRUE(monitor.tickAfter(11));
    EXPECT_TRUE(rig.state().IsFVariant);
    EXPECT_EQ(ui.TextFW->Caption(), "RV44F_FW.ldr");
    EXPECT_TRUE(ui.CmdStoreFirmware->isEnabled());
    EXPECT_FALSE(ui.FrmFPGA2->isVisibleTo(&rig.window()));
    EXPECT_EQ(rig.state().WindowHeightTwips, 4425);

    monitor.tickNow(); // nothing new: no arranging
    EXPECT_FALSE(ui.FrmFPGA2->isVisibleTo(&rig.window()));

    ASSERT_TRUE(monitor.tickAfter(1));
    EXPECT_TRUE(ui.FrmFPGA2->isVisibleTo(&rig.window()));
    EXPECT_EQ(rig.state().WindowHeightTwips, 5570);
}

TEST(WindowMonitor, FModelNamesReplaceOnlyTheImagesNamedOnTheCommandLine) {
    WindowRig rig({"--model", "RV44F"}, "FPGA=f.bin");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    EXPECT_EQ(rig.ui().TxtFpga1->Caption(), "check.bin");
    EXPECT_EQ(rig.ui().TxtFpga2->Caption(), "Radied.bin");
    EXPECT_EQ(rig.ui().TextFW->Caption(), "---");
    EXPECT_EQ(rig.ui().TxtBios->Caption(), "---");
}

TEST(WindowMonitor, HandOverIsAcknowledgedOnTheNextTickWithoutInput) {
    WindowRig rig({}, "");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    ManualMonitor monitor(rig);
    rig.state().StorePhase = 1;
    monitor.tickNow();
    EXPECT_EQ(rig.state().StorePhase, 2);
}

TEST(WindowMonitor, ModelTextAfterTheFirstStoreNoLongerArranges) {
    WindowRig rig(
        pieces("RV44S receiver, waiting for commands....\\r\\nFPGA Loaded --->(ID= 0x0107 ) RV44F",
               2),
        "FW=x.ldr");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ManualMonitor monitor(rig);
    ASSERT_TRUE(monitor.tickAfter(30));
    EXPECT_EQ(rig.state().LoadedFpgaId, "");
    EXPECT_FALSE(rig.state().IsFVariant);
    rig.state().StorePhase = 2;
    ASSERT_TRUE(monitor.tickAfter(1));
    EXPECT_FALSE(rig.state().IsFVariant);
    EXPECT_EQ(rig.ui().TextFW->Caption(), "x.ldr");
    // The ID is still taken up.
    EXPECT_EQ(rig.state().LoadedFpgaId, "0x0107");
}

} // namespace

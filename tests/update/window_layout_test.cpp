#include "window_rig.h"

#include "Glowtag.h"
#include "xpbutton.h"
#include "xpframe.h"
#include "xpoption.h"

#include <gtest/gtest.h>

namespace {

QStringList fModelArgs() {
    // The model arrives in its own piece, so the text grows on a later tick as well.
    return {"--model", "RV44F", "--startup-pieces", "3", "--piece-gap-ms", "150"};
}

struct LayoutCase {
    const char *name;
    bool fModel;
    const char *commandLine;
    int fpga2Top; // -1 hidden
    int biosTop;  // -1 hidden
    int pnlPctTop;
    int cmdStopTop;
    int height;
};

class WindowLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(WindowLayout, FollowsTheModelAndTheCommandLine) {
    const LayoutCase c = GetParam();
    WindowRig rig(c.fModel ? fModelArgs() : QStringList{}, QString::fromLatin1(c.commandLine));
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitFor([&] { return rig.state().WindowHeightTwips == c.height; }))
        << "height stayed " << rig.state().WindowHeightTwips;
    SaveFlashUi &ui = rig.ui();
    EXPECT_EQ(ui.FrmFPGA1->y(), Px(1200));
    EXPECT_EQ(ui.FrmFPGA2->isVisibleTo(&rig.window()), c.fpga2Top >= 0);
    if (c.fpga2Top >= 0) {
        EXPECT_EQ(ui.FrmFPGA2->y(), Px(c.fpga2Top));
    }
    EXPECT_EQ(ui.FrmBios->isVisibleTo(&rig.window()), c.biosTop >= 0);
    if (c.biosTop >= 0) {
        EXPECT_EQ(ui.FrmBios->y(), Px(c.biosTop));
    }
    EXPECT_EQ(ui.FrmPnlPct->y(), Px(c.pnlPctTop));
    EXPECT_EQ(ui.CmdStop->y(), Px(c.cmdStopTop));
    EXPECT_EQ(rig.window().height(), Px(c.height) - SaveFlash::FrameAllowancePixels);
    EXPECT_EQ(rig.state().IsFVariant, c.fModel);
    for (XPButton *button :
         {ui.CmdStoreFirmware, ui.CmdStoreFpga1, ui.CmdStoreFpga2, ui.CmdStoreBios})
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowLayout,
    ::testing::Values(LayoutCase{"OtherNoBios", false, "FW=a.ldr", -1, -1, 2345, 3400, 4425},
                      LayoutCase{"OtherBios", false, "FW=a.ldr BIOS=b.ldr", -1, 2345, 3490, 4545,
                                 5570},
                      LayoutCase{"FNoBios", true, "FW=a.ldr", 2345, -1, 3490, 4545, 5570},
                      LayoutCase{"FBios", true, "BIOS=b.ldr", 2345, 3490, 4635, 5690, 6715}),
    [](const ::testing::TestParamInfo<LayoutCase> &info) { return info.param.name; });

TEST(WindowLoad, BeforeAnyTextTheButtonsAreDisabledAndTheWindowIsShort) {
    WindowRig rig({"--startup-delay-ms", "1500"}, "FW=a.ldr BIOS=b.ldr");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    // A few ticks with nothing received change nothing.
    WindowRig::waitFor([] { return false; }, 350);
    SaveFlashUi &ui = rig.ui();
    EXPECT_EQ(rig.state().WindowHeightTwips, 4525);
    EXPECT_EQ(ui.FrmPnlPct->y(), Px(2395));
    EXPECT_EQ(ui.CmdStop->y(), Px(3500));
    EXPECT_FALSE(ui.FrmBios->isVisibleTo(&rig.window()));
    EXPECT_FALSE(ui.FrmPnlPct->isVisibleTo(&rig.window()));
    for (XPButton *button :
         {ui.CmdStoreFirmware, ui.CmdStoreFpga1, ui.CmdStoreFpga2, ui.CmdStoreBios})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_EQ(ui.TextFW->Caption(), "---");
    EXPECT_EQ(ui.FrmFPGA1->title(), "FPGA Bitstream");
    EXPECT_EQ(rig.program.StartDirectory, rig.startDir.path());
    EXPECT_TRUE(rig.window().windowTitle().startsWith("RV44SeriesUp"));
}

TEST(WindowCommandLine, LabelsTakeTheValuesAsTyped) {
    WindowRig rig({}, "fw=Main.LDR  FPGA=fpga.bin bios=boot.ldr");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    SaveFlashUi &ui = rig.ui();
    EXPECT_EQ(ui.TextFW->Caption(), "Main.LDR");
    EXPECT_EQ(ui.TxtFpga1->Caption(), "fpga.bin");
    EXPECT_EQ(ui.TxtBios->Caption(), "boot.ldr");
    // The BIOS frame needs the key in upper case.
    EXPECT_FALSE(rig.state().BiosOffered);
    EXPECT_FALSE(ui.FrmBios->isVisibleTo(&rig.window()));
    EXPECT_EQ(rig.state().WindowHeightTwips, 4425);
}

TEST(WindowCommandLine, EmptyValueAndNoCommandLine) {
    WindowRig rig({}, "FPGA=f.bin FW=");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    EXPECT_EQ(rig.ui().TextFW->Caption(), "");
    EXPECT_EQ(rig.ui().TxtFpga1->Caption(), "f.bin");
    EXPECT_EQ(rig.ui().TxtBios->Caption(), "---");

    WindowRig bare({}, "");
    ASSERT_TRUE(bare.open()) << bare.failure.toStdString();
    ASSERT_TRUE(bare.waitForIdentification());
    for (Glowtag *label : {bare.ui().TextFW, bare.ui().TxtFpga1, bare.ui().TxtBios})
        EXPECT_EQ(label->Caption(), "---");
}

TEST(WindowWidgets, HiddenParameterWidgetsAreFoundByName) {
    WindowRig rig({}, "");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    SaveFlash &w = rig.window();
    for (const char *name :
         {"FrmFirmware",   "TextFW",       "CmdStoreFirmware", "FrmFPGA1",       "TxtFpga1",
          "CmdStoreFpga1", "FrmFPGA2",     "TxtFpga2",         "CmdStoreFpga2",  "FrmBios",
          "TxtBios",       "CmdStoreBios", "FrmPnlPct",        "PnlPct",         "TxtAdd",
          "LblAddr",       "CmdStop",      "RX_TXT",           "CMD_Save_Flash", "ChkErase"})
        EXPECT_NE(w.findChild<QWidget *>(name), nullptr) << name;
    for (int i = 0; i < 4; ++i)
        for (const char *name : {"TxtFileName", "OptSerialFlash", "LBFileName"})
            EXPECT_NE(w.findChild<QWidget *>(SaveFlashUi::indexedName(name, i)), nullptr)
                << name << i;
    EXPECT_EQ(rig.ui().TextFW->ColoreCaption(), 0xFF0000);
    EXPECT_EQ(rig.window().Timer1().interval(), 100);
    EXPECT_TRUE(rig.window().Timer1().isActive());
}

TEST(WindowWidgets, FlashOptionEnablesTheHiddenStoreButtonExceptTheFirst) {
    WindowRig rig({}, "");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    SaveFlashUi &ui = rig.ui();
    ui.OptSerialFlash[2]->click();
    EXPECT_TRUE(ui.CMD_Save_Flash->isEnabled());
    ui.OptSerialFlash[0]->click();
    EXPECT_FALSE(ui.CMD_Save_Flash->isEnabled());
    ui.OptSerialFlash[3]->click();
    EXPECT_TRUE(ui.CMD_Save_Flash->isEnabled());
}

TEST(WindowClose, WithoutAStoreEndsAtOnceWithStatusZero) {
    WindowRig rig({}, "");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    rig.window().show();
    rig.ui().CmdStop->click();
    EXPECT_TRUE(rig.boxes.shown.isEmpty());
    EXPECT_EQ(rig.end.calls, 1);
    EXPECT_EQ(rig.end.status, 0);
    EXPECT_FALSE(rig.window().link().isOpen());
    EXPECT_FALSE(rig.window().isVisible());
}

} // namespace

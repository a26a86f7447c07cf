#include "window_rig.h"

#include "Glowtag.h"
#include "programend.h"
#include "xpbutton.h"
#include "xpcheck.h"
#include "xpframe.h"
#include "xpoption.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString storedMessage(int bytes) {
    return QStringLiteral(" %1 Bytes \rhave been stored").arg(bytes);
}

// Frames that start with the given bytes, as hex.
int countStarting(const QStringList &frames, const QString &prefix) {
    int n = 0;
    for (const QString &frame : frames)
        n += frame.startsWith(prefix) ? 1 : 0;
    return n;
}

TEST(WindowStore, FpgaOnTheFModelGoesToFlashTwoAt280000WithoutErase) {
    WindowRig rig({"--model", "RV44F"}, "FPGA=f.bin");
    const QByteArray image = rig.writeImage("check.bin", 300);
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    rig.ui().CmdStoreFpga1->click();

    ASSERT_TRUE(rig.end.ended());
    EXPECT_EQ(rig.end.status, ExitNormal);
    rig.sim().stop();
    const QStringList frames = rig.frameHex();
    ASSERT_EQ(frames.size(), 4);
    EXPECT_TRUE(frames[0].startsWith("35 02 28 00 00 80")) << frames[0].toStdString();
    EXPECT_TRUE(frames[2].startsWith("35 02 28 01 00 2C")) << frames[2].toStdString();
    EXPECT_EQ(frames[3], "36");
    EXPECT_EQ(rig.sim().flash(2).mid(0x280000), image);
    EXPECT_EQ(rig.ui().TxtAdd->Caption(), "280000");
    EXPECT_FALSE(rig.ui().ChkErase->isChecked());
    EXPECT_TRUE(rig.ui().OptSerialFlash[1]->isChecked());
    EXPECT_TRUE(rig.ui().CMD_Save_Flash->isEnabled());
    ASSERT_EQ(rig.boxes.shown.size(), 1);
    EXPECT_EQ(rig.boxes.shown[0].text, storedMessage(300));
}

TEST(WindowStore, BiosOnAnotherModelErasesFlashOneFirst) {
    WindowRig rig({}, "BIOS=boot.ldr");
    const QByteArray image = rig.writeImage("boot.ldr", 256, 2);
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    ASSERT_TRUE(rig.ui().FrmBios->isVisibleTo(&rig.window()));
    rig.ui().CmdStoreBios->click();

    EXPECT_EQ(rig.end.status, ExitNormal);
    rig.sim().stop();
    const QStringList frames = rig.frameHex();
    ASSERT_EQ(frames.size(), 4);
    EXPECT_EQ(frames[0], "34 01");
    EXPECT_TRUE(frames[1].startsWith("35 01 00 00 00 80"));
    EXPECT_TRUE(frames[2].startsWith("35 01 00 00 80 80"));
    EXPECT_EQ(frames[3], "36");
    EXPECT_EQ(rig.sim().flash(1), image);
    EXPECT_EQ(rig.boxes.shown.size(), 1);
}

TEST(WindowStore, FirmwareWithAnOldFpgaStoresTheFpgaFirstAsOneUpdate) {
    WindowRig rig({"--fpga-id", "0x0104"}, "FW=main.ldr FPGA=fpga.bin");
    const QByteArray fpga = rig.writeImage("fpga.bin", 200, 3);
    const QByteArray firmware = rig.writeImage("main.ldr", 400, 4);
    rig.writeFile("CATALOG.DAT", "NAME=demo\r\nFPGA_ID=0105\r\n");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitFor([&] { return rig.state().LoadedFpgaId == "0x0104"; }));
    rig.ui().CmdStoreFirmware->click();

    EXPECT_EQ(rig.end.calls, 1);
    EXPECT_EQ(rig.end.status, ExitNormal);
    rig.sim().stop();
    const QStringList frames = rig.frameHex();
    // FPGA: erase, two blocks; firmware: four blocks; one end of update, last.
    ASSERT_EQ(frames.size(), 1 + 2 + 4 + 1);
    EXPECT_EQ(frames[0], "34 02");
    EXPECT_EQ(countStarting(frames.mid(1, 2), "35 02 "), 2);
    EXPECT_EQ(countStarting(frames.mid(3, 4), "35 00 "), 4);
    EXPECT_EQ(frames.count("36"), 1);
    EXPECT_EQ(frames.last(), "36");
    EXPECT_EQ(rig.sim().flash(2), fpga);
    EXPECT_EQ(rig.sim().flash(0), firmware);
    ASSERT_EQ(rig.boxes.shown.size(), 2);
    EXPECT_EQ(rig.boxes.shown[0].text, storedMessage(200));
    EXPECT_EQ(rig.boxes.shown[1].text, storedMessage(400));
    EXPECT_EQ(rig.state().CatalogFpgaId, 0x105);
}

TEST(WindowStore, FirmwareWithACurrentFpgaStoresOnlyTheFirmware) {
    WindowRig rig({"--fpga-id", "0x0104"}, "FW=main.ldr FPGA=fpga.bin");
    rig.writeImage("fpga.bin", 200, 3);
    const QByteArray firmware = rig.writeImage("main.ldr", 128, 4);
    rig.writeFile("CATALOG.DAT", "FPGA_ID=0104\r\n");
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitFor([&] { return rig.state().LoadedFpgaId == "0x0104"; }));
    rig.ui().CmdStoreFirmware->click();

    EXPECT_EQ(rig.end.status, ExitNormal);
    rig.sim().stop();
    const QStringList frames = rig.frameHex();
    ASSERT_EQ(frames.size(), 2);
    EXPECT_TRUE(frames[0].startsWith("35 00 00 00 00 80"));
    EXPECT_EQ(frames[1], "36");
    EXPECT_EQ(rig.sim().flash(0), firmware);
    EXPECT_EQ(rig.boxes.shown.size(), 1);
}

TEST(WindowStore, MissingImageWarnsAndEndsWithAFailure) {
    WindowRig rig({}, "FW=nothere.ldr");
    rig.writeCurrentCatalog();
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    rig.ui().CmdStoreFirmware->click();

    EXPECT_EQ(rig.end.calls, 1);
    EXPECT_EQ(rig.end.status, ExitStoreFailed);
    ASSERT_EQ(rig.boxes.shown.size(), 1);
    EXPECT_EQ(rig.boxes.shown[0].kind, "warning");
    EXPECT_EQ(rig.boxes.shown[0].text, rig.startDir.filePath("nothere.ldr") + " Not Found!");
    EXPECT_FALSE(rig.window().link().isOpen());
    rig.sim().stop();
    EXPECT_TRUE(rig.frameHex().isEmpty());
}

// Slow acknowledgements keep the store running long enough to press "EXIT" in the middle.
QStringList slowReceiver() {
    return {"--reply-delay-ms", "15"};
}

TEST(WindowStore, ExitAnsweredNoLetsTheStoreFinish) {
    WindowRig rig(slowReceiver(), "FW=main.ldr");
    const QByteArray firmware = rig.writeImage("main.ldr", 30 * 128, 5);
    rig.writeCurrentCatalog();
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    rig.boxes.answers = {false};
    bool storingWhenAsked = false;
    QTimer::singleShot(400, &rig.window(), [&] {
        storingWhenAsked = rig.state().StoreInProgress && rig.state().StorePhase == 2;
        rig.ui().CmdStop->click();
    });
    rig.ui().CmdStoreFirmware->click();

    EXPECT_TRUE(storingWhenAsked);
    ASSERT_EQ(rig.boxes.shown.size(), 2);
    EXPECT_EQ(rig.boxes.shown[0].kind, "yesno");
    EXPECT_EQ(rig.boxes.shown[0].text, "             If you exit now\r"
                                       "the receiver WILL BE UNUSABLE\r"
                                       " until a new update takes place.\r"
                                       "            Confirm EXIT?");
    EXPECT_EQ(rig.boxes.shown[1].text, storedMessage(30 * 128));
    EXPECT_EQ(rig.end.calls, 1);
    EXPECT_EQ(rig.end.status, ExitNormal);
    rig.sim().stop();
    EXPECT_EQ(rig.sim().flash(0), firmware);
}

TEST(WindowStore, ExitAnsweredYesEndsAtOnceAndSendsNothingMore) {
    WindowRig rig(slowReceiver(), "FW=main.ldr");
    rig.writeImage("main.ldr", 30 * 128, 6);
    rig.writeCurrentCatalog();
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    rig.boxes.answers = {true};
    int framesAtEnd = -1;
    QTimer::singleShot(400, &rig.window(), [&] {
        rig.ui().CmdStop->click();
        framesAtEnd = rig.sim().frames().size();
    });
    rig.ui().CmdStoreFirmware->click();

    EXPECT_EQ(rig.end.calls, 1);
    EXPECT_EQ(rig.end.status, ExitStoreAbandoned);
    ASSERT_EQ(rig.boxes.shown.size(), 1);
    EXPECT_EQ(rig.boxes.shown[0].kind, "yesno");
    EXPECT_FALSE(rig.window().link().isOpen());
    WindowRig::waitFor([] { return false; }, 200);
    rig.sim().stop();
    const QStringList frames = rig.frameHex();
    EXPECT_GT(framesAtEnd, 0);
    EXPECT_LT(framesAtEnd, 30);
    EXPECT_EQ(frames.size(), framesAtEnd);
    EXPECT_FALSE(frames.contains("36"));
}

TEST(WindowStore, ReceiverUnpluggedMidStoreFailsWithNoReply) {
    WindowRig rig({"--hangup-after", "3"}, "FW=main.ldr");
    rig.writeImage("main.ldr", 10 * 128, 7);
    rig.writeCurrentCatalog();
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    QElapsedTimer clock;
    clock.start();
    rig.ui().CmdStoreFirmware->click();

    // Generous: the point is that the store ends instead of hanging.
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_EQ(rig.end.calls, 1);
    EXPECT_EQ(rig.end.status, ExitStoreFailed);
    ASSERT_EQ(rig.boxes.shown.size(), 1);
    EXPECT_EQ(rig.boxes.shown[0].kind, "warning");
    EXPECT_EQ(rig.boxes.shown[0].text, "Storing ERROR\rNo Reply");
    const QStringList frames = rig.frameHex();
    EXPECT_EQ(frames.size(), 3);
    EXPECT_FALSE(frames.contains("36"));
}

TEST(WindowStore, StoreShowsOnlyItsFrameAndTheProgress) {
    WindowRig rig(slowReceiver(), "FW=main.ldr FPGA=f.bin BIOS=b.ldr");
    const QByteArray image = rig.writeImage("b.ldr", 10 * 128, 8);
    ASSERT_TRUE(rig.open()) << rig.failure.toStdString();
    ASSERT_TRUE(rig.waitForIdentification());
    SaveFlashUi &ui = rig.ui();
    QMap<QString, bool> seen;
    QTimer::singleShot(300, &rig.window(), [&] {
        for (QWidget *w : std::initializer_list<QWidget *>{ui.FrmFirmware, ui.FrmFPGA1, ui.FrmBios,
                                                           ui.FrmPnlPct, ui.LblAddr})
            seen[w->objectName()] = w->isVisibleTo(&rig.window());
        seen["CmdStoreBios enabled"] = ui.CmdStoreBios->isEnabled();
    });
    ui.CmdStoreBios->click();
    EXPECT_FALSE(seen.value("FrmFirmware", true));
    EXPECT_FALSE(seen.value("FrmFPGA1", true));
    EXPECT_TRUE(seen.value("FrmBios"));
    EXPECT_TRUE(seen.value("FrmPnlPct"));
    EXPECT_TRUE(seen.value("LblAddr"));
    EXPECT_FALSE(seen.value("CmdStoreBios enabled", true));
    EXPECT_EQ(ui.FrmPnlPct->title(), "100%");
    EXPECT_EQ(ui.LblAddr->Caption(), "0x480");
    EXPECT_EQ(rig.end.status, ExitNormal);
    rig.sim().stop();
    EXPECT_EQ(rig.sim().flash(1), image);
}

} // namespace

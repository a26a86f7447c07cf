#include "commandline.h"
#include "frmlayout.h"

#include <gtest/gtest.h>

TEST(CommandLine, FindsAllKeysWithValuesAsTyped) {
    const CommandLineKeys k = ParseCommandLine("FW=main.ldr FPGA=fpga.bin BIOS=boot.ldr");
    EXPECT_EQ(k.fw, 1);
    EXPECT_EQ(k.fpga, 13);
    EXPECT_EQ(k.bios, 27);
    EXPECT_EQ(k.fwValue, "main.ldr");
    EXPECT_EQ(k.fpgaValue, "fpga.bin");
    EXPECT_EQ(k.biosValue, "boot.ldr");
    EXPECT_TRUE(k.biosOffered);
}

TEST(CommandLine, KeyInAnyCaseKeepsTypedValue) {
    const CommandLineKeys k = ParseCommandLine("fw=Main.LDR");
    EXPECT_EQ(k.fw, 1);
    EXPECT_EQ(k.fwValue, "Main.LDR");
    EXPECT_EQ(k.fpga, 0);
    EXPECT_EQ(k.bios, 0);
}

TEST(CommandLine, LowerCaseBiosKeyFillsLabelButOffersNoFrame) {
    const CommandLineKeys k = ParseCommandLine("bios=boot.ldr");
    EXPECT_EQ(k.bios, 1);
    EXPECT_EQ(k.biosValue, "boot.ldr");
    EXPECT_FALSE(k.biosOffered);
}

TEST(CommandLine, ValueRunsToSpaceOrEnd) {
    EXPECT_EQ(ParseCommandLine("X FW=a.ldr").fwValue, "a.ldr");
    const CommandLineKeys empty = ParseCommandLine("FPGA=f.bin FW=");
    EXPECT_EQ(empty.fw, 12);
    EXPECT_EQ(empty.fwValue, "");
    const CommandLineKeys two = ParseCommandLine("FW=a.ldr  FPGA=b.bin");
    EXPECT_EQ(two.fwValue, "a.ldr");
    EXPECT_EQ(two.fpgaValue, "b.bin");
}

TEST(CommandLine, KeyInsideLongerWordCounts) {
    // "XFW=" still holds "FW="; "FPGA=" does not hold "FW=" but "NOFPGA=" holds "FPGA=".
    const CommandLineKeys k = ParseCommandLine("XFW=1 NOFPGA=2");
    EXPECT_EQ(k.fw, 2);
    EXPECT_EQ(k.fwValue, "1");
    EXPECT_EQ(k.fpga, 9);
    EXPECT_EQ(k.fpgaValue, "2");
}

TEST(CommandLine, EmptyLineHasNoKeys) {
    const CommandLineKeys k = ParseCommandLine("");
    EXPECT_EQ(k.fw + k.fpga + k.bios, 0);
    EXPECT_FALSE(k.biosOffered);
}

TEST(CommandLine, PositionsSurviveCharactersWithLongUpperCase) {
    // A full case mapping turns the sharp s into two letters and would shift every position.
    const CommandLineKeys k = ParseCommandLine(QString::fromUtf8("\xc3\x9f FW=\xc3\x9f.ldr"));
    EXPECT_EQ(k.fw, 3);
    EXPECT_EQ(k.fwValue, QString::fromUtf8("\xc3\x9f.ldr"));
}

TEST(CommandLine, PositionBeyondSixteenBitsStillReadsPresent) {
    const CommandLineKeys k = ParseCommandLine(QString(40000, 'x') + " FW=a");
    EXPECT_GT(k.fw, 0);
    EXPECT_EQ(k.fwValue, "a");
}

struct LayoutRow {
    bool f, bios;
    int fpga2Top;
    bool fpga2Visible;
    int biosTop;
    int pnl, stop, height;
};

TEST(FrameLayout, MatchesTheArrangementTable) {
    const FrameLayout load = LayoutAtLoad();
    EXPECT_FALSE(load.fpga2Visible);
    EXPECT_FALSE(load.biosVisible);
    EXPECT_EQ(load.pnlPctTop, 2395);
    EXPECT_EQ(load.cmdStopTop, 3500);
    EXPECT_EQ(load.windowHeight, 4525);

    const LayoutRow rows[] = {
        {false, false, 2300, false, 2345, 2345, 3400, 4425},
        {false, true, 2300, false, 2345, 3490, 4545, 5570},
        {true, false, 2345, true, 3490, 3490, 4545, 5570},
        {true, true, 2345, true, 3490, 4635, 5690, 6715},
    };
    for (const LayoutRow &r : rows) {
        SCOPED_TRACE(testing::Message() << "F " << r.f << " BIOS " << r.bios);
        const FrameLayout l = ArrangeFrames(r.f, r.bios);
        EXPECT_EQ(l.fpga2Visible, r.fpga2Visible);
        if (r.f) {
            EXPECT_EQ(l.fpga2Top, r.fpga2Top);
        }
        EXPECT_EQ(l.biosTop, r.biosTop);
        EXPECT_EQ(l.biosVisible, r.bios);
        EXPECT_EQ(l.pnlPctTop, r.pnl);
        EXPECT_EQ(l.cmdStopTop, r.stop);
        EXPECT_EQ(l.windowHeight, r.height);
    }
}

#include "monitortext.h"

#include <gtest/gtest.h>

TEST(TrovaSt, TextBetweenMarkersTrimmedOfSpacesOnly) {
    EXPECT_EQ(TrovaSt("xx FPGA Loaded --->(ID= 0x0104 ) yy", "FPGA Loaded --->(ID=", ")"),
              "0x0104");
    EXPECT_EQ(TrovaSt("a[ \t1 ]b", "[", "]"), "\t1");
    EXPECT_EQ(TrovaSt("no marker", "[", "]"), "");
    EXPECT_EQ(TrovaSt("[ open", "[", "]"), "");
    EXPECT_EQ(TrovaSt("]x[y]z[w]", "[", "]"), "y");
    EXPECT_EQ(TrovaSt("[]", "[", "]"), "");
}

namespace {

const QByteArray Marker = "FPGA Loaded --->(ID=";

// Feeds text in pieces of the given size and compares with a search of the whole text.
void ExpectSameAsWholeSearch(const QByteArray &text, int piece) {
    MonitorText m;
    for (int at = 0; at < text.size(); at += piece)
        m.append(text.mid(at, piece));
    const QString whole = QString::fromLatin1(text);
    EXPECT_EQ(m.fpgaId(), TrovaSt(whole, QString::fromLatin1(Marker), ")"))
        << text.toStdString() << " piece " << piece;
    EXPECT_EQ(m.containsF(), whole.contains("RV44F")) << text.toStdString() << " piece " << piece;
}

} // namespace

TEST(MonitorText, MarkersSplitAnywhereAreFound) {
    const QByteArray texts[] = {
        "boot RV44F ready FPGA Loaded --->(ID= 0x0104 ) more",
        "RV4RV44F FPGA LoadFPGA Loaded --->(ID=0x01)",
        "FPGA Loaded --->(ID=FPGA Loaded --->(ID=7)",
        "rv44f fpga loaded --->(id=0x0104)",
        "RV44 F FPGA Loaded --->(ID=   )",
        "FPGA Loaded --->(ID=0x0104) FPGA Loaded --->(ID=0x0200)",
    };
    for (const QByteArray &text : texts)
        for (int piece = 1; piece <= text.size(); ++piece)
            ExpectSameAsWholeSearch(text, piece);
}

TEST(MonitorText, IdArrivesOnlyWithItsClosingBracket) {
    MonitorText m;
    EXPECT_FALSE(m.hasText());
    m.append("FPGA Loaded --->(ID= 0x01");
    EXPECT_TRUE(m.hasText());
    EXPECT_EQ(m.fpgaId(), "");
    m.append("04 ) next");
    EXPECT_EQ(m.fpgaId(), "0x0104");
}

TEST(MonitorText, LowerCaseMarkersIgnoredFirstIdKept) {
    MonitorText m;
    m.append("rv44f fpga loaded --->(id=0x0104)");
    EXPECT_FALSE(m.containsF());
    EXPECT_EQ(m.fpgaId(), "");
    m.append("FPGA Loaded --->(ID=0x0104)");
    m.append("restart FPGA Loaded --->(ID=0x0999)");
    EXPECT_EQ(m.fpgaId(), "0x0104");
}

TEST(MonitorText, UnterminatedIdGivesUpAfterItsLimit) {
    MonitorText m;
    m.append(Marker + QByteArray(MonitorText::PendingIdLimit, 'x'));
    m.append(")");
    EXPECT_EQ(m.fpgaId(), "");
    // A later complete report does not count: the first marker decides, as in the whole text.
    m.append(Marker + "0x0104)");
    EXPECT_EQ(m.fpgaId(), "");

    MonitorText shortOne;
    shortOne.append(Marker + QByteArray(MonitorText::PendingIdLimit - 1, ' '));
    shortOne.append("7)");
    EXPECT_EQ(shortOne.fpgaId(), "7");
}

TEST(MonitorText, TailKeepsTheEndOnly) {
    MonitorText m;
    QByteArray all;
    for (int i = 0; i < 200; ++i) {
        const QByteArray line = QByteArray::number(i) + " line of receiver text\r\n";
        all += line;
        m.append(line);
    }
    all += QByteArray("\xe9\xff\x00", 3);
    m.append(QByteArray("\xe9\xff\x00", 3));
    EXPECT_EQ(m.totalBytes(), all.size());
    EXPECT_EQ(m.tail(), QString::fromLatin1(all.right(MonitorText::TailLimit)));

    for (int i = 0; i < 100; ++i) {
        const QByteArray piece(1000, char('a' + i % 26));
        all += piece;
        m.append(piece);
        ASSERT_EQ(m.tail(), QString::fromLatin1(all.right(MonitorText::TailLimit)));
    }
    const QByteArray huge(3 * MonitorText::TailLimit, 'z');
    m.append(huge + "END");
    EXPECT_EQ(m.tail().size(), MonitorText::TailLimit);
    EXPECT_TRUE(m.tail().endsWith("zzEND"));
    EXPECT_EQ(m.totalBytes(), all.size() + huge.size() + 3);
}

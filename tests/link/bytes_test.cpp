#include "bytes.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Bytes, LastIndexIsMinusOneForEveryEmptyArray) {
    EXPECT_EQ(LastIndex(Bytes()), -1);
    EXPECT_EQ(LastIndex(TextToBytes(QString())), -1);
    EXPECT_EQ(LastIndex(TextToBytes(QStringLiteral(""))), -1);
    EXPECT_EQ(LastIndex(EmptyBytes), -1);
    EXPECT_EQ(LastIndex(Bytes(1, '\0')), 0);
}

TEST(Bytes, ConcatKeepsOrderAndLeavesArgumentsAlone) {
    const Bytes a("\x34\x01", 2);
    const Bytes b("\x00\xff\x35", 3);
    const Bytes joined = BytesConcat(a, b);
    EXPECT_EQ(joined, Bytes("\x34\x01\x00\xff\x35", 5));
    EXPECT_EQ(joined.size(), LastIndex(a) + LastIndex(b) + 2);
    EXPECT_EQ(a.size(), 2);
    EXPECT_EQ(b.size(), 3);
}

TEST(Bytes, ConcatWithAnEmptySideGivesAnIndependentCopy) {
    const Bytes a("\x34\x01", 2);
    Bytes left = BytesConcat(a, EmptyBytes);
    Bytes right = BytesConcat(EmptyBytes, a);
    EXPECT_EQ(left, a);
    EXPECT_EQ(right, a);
    left[0] = 'x';
    right[1] = 'y';
    EXPECT_EQ(a, Bytes("\x34\x01", 2));
    EXPECT_EQ(LastIndex(BytesConcat(EmptyBytes, EmptyBytes)), -1);
    EXPECT_TRUE(EmptyBytes.isEmpty());
}

TEST(Bytes, TextKeepsZeroBytes) {
    const QString text = BytesToText(Bytes("\x44\x00\x45", 3));
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text.at(1).unicode(), 0);
    EXPECT_EQ(TextToBytes(text), Bytes("\x44\x00\x45", 3));
}

TEST(Bytes, EveryByteValueRoundTrips) {
    Bytes all;
    for (int value = 0; value < 256; ++value)
        all.append(static_cast<char>(value));
    const QString text = BytesToText(all);
    ASSERT_EQ(text.size(), 256);
    for (int value = 0; value < 256; ++value)
        EXPECT_EQ(text.at(value).unicode(), value);
    EXPECT_EQ(TextToBytes(text), all);
}

TEST(Bytes, TextToBytesIsOneBytePerCharacter) {
    const Bytes noReply = TextToBytes(QStringLiteral("No Reply"));
    ASSERT_EQ(noReply.size(), 8);
    EXPECT_EQ(static_cast<unsigned char>(noReply.at(7)), 0x79);
    const Bytes spaces = TextToBytes(QString(128, QLatin1Char(' ')));
    EXPECT_EQ(spaces, Bytes(128, ' '));
    // Beyond one byte: a stand-in, never a multi-byte encoding that changes the length.
    EXPECT_EQ(TextToBytes(QString::fromUtf8("a\u20acb")), Bytes("a?b"));
    EXPECT_EQ(static_cast<unsigned char>(TextToBytes(QString(QChar(0xE9))).at(0)), 0xE9);
}

TEST(Bytes, MinOfPrefersTheSecondOnATie) {
    EXPECT_EQ(MinOf(128, 37), 37);
    EXPECT_EQ(MinOf(128, 500), 128);
    EXPECT_EQ(MinOf(-1, 0), -1);
    EXPECT_EQ(MinOf(0.0, -0.0), -0.0);
    EXPECT_TRUE(std::signbit(MinOf(0.0, -0.0)));
}

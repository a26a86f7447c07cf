#include "flashstore.h"

#include <gtest/gtest.h>

TEST(Frames, AddressBytesAreBigEndian) {
    quint8 b1 = 9, b2 = 9, b3 = 9;
    GetStringAddress(0x280080, b1, b2, b3);
    EXPECT_EQ(b1, 0x28);
    EXPECT_EQ(b2, 0x00);
    EXPECT_EQ(b3, 0x80);
    GetStringAddress(0xFFFFFF, b1, b2, b3);
    EXPECT_EQ(b1, 0xFF);
    EXPECT_EQ(b2, 0xFF);
    EXPECT_EQ(b3, 0xFF);
    GetStringAddress(0x0123FE, b1, b2, b3);
    EXPECT_EQ(b1, 0x01);
    EXPECT_EQ(b2, 0x23);
    EXPECT_EQ(b3, 0xFE);
}

TEST(Frames, StartAddressCaption) {
    EXPECT_EQ(ParseStartAddress("000000"), 0u);
    EXPECT_EQ(ParseStartAddress("280000"), 0x280000u);
    EXPECT_EQ(ParseStartAddress("FFFF"), 65535u);
    EXPECT_EQ(ParseStartAddress("abZ12"), 0xABu);
    EXPECT_EQ(ParseStartAddress(""), 0u);
    EXPECT_EQ(ParseStartAddress(" 12"), 0u);
    EXPECT_EQ(ParseStartAddress("1234567890ABC"), 0xFFFFFFFFu);
}

TEST(Frames, WriteFrameIsAlwaysFullLength) {
    const QByteArray data(44, 'D');
    const QByteArray frame = WriteBlockFrame(2, 0x000100, data);
    ASSERT_EQ(frame.size(), 134);
    EXPECT_EQ(frame.left(6), QByteArray("\x35\x02\x00\x01\x00\x2c", 6));
    EXPECT_EQ(frame.mid(6, 44), data);
    EXPECT_EQ(frame.mid(50), QByteArray(84, ' '));

    const QByteArray full(128, '\xAA');
    const QByteArray whole = WriteBlockFrame(0, 0x280080, full);
    ASSERT_EQ(whole.size(), 134);
    EXPECT_EQ(whole.left(6), QByteArray("\x35\x00\x28\x00\x80\x80", 6));
    EXPECT_EQ(whole.mid(6), full);
}

TEST(Frames, EraseAndEndFrames) {
    EXPECT_EQ(EraseFrame(1), QByteArray("\x34\x01", 2));
    EXPECT_EQ(EndOfUpdateFrame(), QByteArray("\x36", 1));
}

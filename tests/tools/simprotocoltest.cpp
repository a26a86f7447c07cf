#include "flashbank.h"
#include "frameparser.h"
#include "outputqueue.h"
#include "responder.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes writeBytes(int flash, uint32_t address, const Bytes &data) {
    Bytes frame{0x35,
                uint8_t(flash),
                uint8_t(address >> 16),
                uint8_t(address >> 8),
                uint8_t(address),
                uint8_t(data.size())};
    frame.insert(frame.end(), data.begin(), data.end());
    frame.resize(134, 0x20);
    return frame;
}

Frame frameOf(Frame::Kind kind, const Bytes &bytes) {
    Frame frame;
    frame.kind = kind;
    frame.bytes = bytes;
    return frame;
}

struct ResponderFixture : ::testing::Test {
    SimOptions options;
    FlashBank flash;
    TraceLog trace;

    Reaction write(Responder &responder, int flashIndex, uint32_t address, const Bytes &data) {
        return responder.handle(frameOf(Frame::Kind::Write, writeBytes(flashIndex, address, data)));
    }
};

} // namespace

TEST(SimFrameParser, CutsFramesAcrossReadsAndSkipsStrayBytes) {
    FrameParser parser;
    const SimClock::time_point t0 = SimClock::now();
    const Bytes write = writeBytes(2, 0x123456, {1, 2, 3});
    Bytes stream{0x99, 0x34, 0x01};
    stream.insert(stream.end(), write.begin(), write.end());
    stream.push_back(0x36);

    std::vector<Frame> frames = parser.feed(stream.data(), 60, t0);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].kind, Frame::Kind::Stray);
    EXPECT_EQ(frames[1].kind, Frame::Kind::Erase);
    EXPECT_EQ(frames[1].bytes, (Bytes{0x34, 0x01}));
    EXPECT_TRUE(parser.midFrame());

    const SimClock::time_point t1 = t0 + std::chrono::milliseconds(5);
    frames = parser.feed(stream.data() + 60, stream.size() - 60, t1);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].kind, Frame::Kind::Write);
    EXPECT_EQ(frames[0].bytes, write);
    EXPECT_EQ(frames[0].firstByteAt, t0) << "a frame's time is that of its first byte";
    EXPECT_EQ(frames[1].kind, Frame::Kind::End);
    EXPECT_FALSE(parser.midFrame());
}

TEST(SimFrameParser, WriteFrameIsAlways134BytesWhateverItsLength) {
    // L = 1 with 0x34/0x36 among the filler's place: still one frame.
    Bytes frame = writeBytes(0, 0, {0x36});
    frame[100] = 0x34;
    FrameParser parser;
    const auto frames = parser.feed(frame.data(), frame.size(), SimClock::now());
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].kind, Frame::Kind::Write);
}

TEST(SimFlashBank, SparseWritesReadErasedAsFF) {
    FlashBank bank;
    const uint8_t data[] = {0xAA, 0xBB};
    bank.write(3, 0xFFFFFE, data, 2);
    EXPECT_EQ(bank.contents(3).size(), 0x1000000u);
    EXPECT_EQ(bank.read(3, 0), 0xFF);
    EXPECT_EQ(bank.read(3, 0xFFFFFF), 0xBB);
    EXPECT_TRUE(bank.contents(0).empty());
    bank.write(3, 0, data, 1);
    EXPECT_EQ(bank.contents(3).size(), 0x1000000u) << "a lower write does not shrink the flash";
    bank.erase(3);
    EXPECT_TRUE(bank.contents(3).empty());
    EXPECT_EQ(bank.read(3, 0xFFFFFF), 0xFF);
}

TEST(SimFlashBank, SaveReportsAnUnwritableDirectory) {
    FlashBank bank;
    std::string error;
    EXPECT_FALSE(bank.saveTo("/nonexistent-dir/for/sure", error));
    EXPECT_NE(error.find("flash0.bin"), std::string::npos);
}

TEST_F(ResponderFixture, ValidWriteIsStoredAndAcknowledged) {
    Responder responder(options, flash, trace);
    const Reaction reaction = write(responder, 1, 0x280000, {9, 8, 7});
    EXPECT_EQ(reaction.reply, "Written OK\r\n");
    EXPECT_EQ(flash.read(1, 0x280000), 9);
    EXPECT_EQ(flash.read(1, 0x280002), 7);
    EXPECT_EQ(flash.contents(1).size(), 0x280003u);

    EXPECT_EQ(responder.handle(frameOf(Frame::Kind::Erase, {0x34, 1})).reply, "Done..\r\n");
    EXPECT_TRUE(flash.contents(1).empty());
    EXPECT_TRUE(responder.handle(frameOf(Frame::Kind::End, {0x36})).saveFlash);
    EXPECT_EQ(responder.handle(frameOf(Frame::Kind::Stray, {0x00})).reply, "");
}

TEST_F(ResponderFixture, InvalidFramesAreRefusedAndStoreNothing) {
    Responder responder(options, flash, trace);
    Bytes badFiller = writeBytes(0, 0, {1});
    badFiller[133] = 0x21;
    Bytes zeroLength = writeBytes(0, 0, {});
    Bytes tooLong = writeBytes(0, 0, {});
    tooLong[5] = 129;
    const std::vector<Bytes> invalid{badFiller, zeroLength, tooLong, writeBytes(4, 0, {1}),
                                     writeBytes(0, 0xFFFFFF, {1, 2})};
    for (const Bytes &frame : invalid) {
        EXPECT_EQ(responder.handle(frameOf(Frame::Kind::Write, frame)).reply, "Frame ERROR\r\n");
    }
    for (int f = 0; f < FlashBank::kCount; ++f)
        EXPECT_TRUE(flash.contents(f).empty()) << f;
    EXPECT_EQ(responder.handle(frameOf(Frame::Kind::Erase, {0x34, 7})).reply, "Frame ERROR\r\n");
    // The very last byte of the address space is still writable.
    EXPECT_EQ(write(responder, 0, 0xFFFFFF, {1}).reply, "Written OK\r\n");
}

TEST_F(ResponderFixture, FaultListsCountWriteFramesPerSession) {
    ASSERT_TRUE(options.dropReplies.parse("2"));
    ASSERT_TRUE(options.wrongReplyFrames.parse("3"));
    options.lowerCase = true;
    options.hangupAfter = 4;
    Responder responder(options, flash, trace);

    EXPECT_EQ(responder.handle(frameOf(Frame::Kind::Erase, {0x34, 0})).reply, "done..\r\n")
        << "erase frames do not count";
    EXPECT_EQ(write(responder, 0, 0, {1}).reply, "written ok\r\n");
    EXPECT_EQ(write(responder, 0, 1, {2}).reply, "") << "dropped, but stored";
    EXPECT_EQ(flash.read(0, 1), 2);
    EXPECT_EQ(write(responder, 0, 2, {3}).reply, "Checksum ERR\r\n");
    EXPECT_EQ(flash.read(0, 2), 0xFF) << "a wrong reply means the data was not taken";
    const Reaction fourth = write(responder, 0, 3, {4});
    EXPECT_TRUE(fourth.hangUp);
    EXPECT_EQ(fourth.reply, "written ok\r\n");

    responder.startSession();
    EXPECT_EQ(write(responder, 0, 4, {5}).reply, "written ok\r\n");
    EXPECT_EQ(write(responder, 0, 5, {6}).reply, "") << "counting starts again each session";
}

TEST_F(ResponderFixture, SilentReceiverNeitherAnswersNorStores) {
    options.silentAfter = 1;
    Responder responder(options, flash, trace);
    EXPECT_EQ(write(responder, 0, 0, {1}).reply, "Written OK\r\n");
    EXPECT_EQ(write(responder, 0, 1, {2}).reply, "");
    EXPECT_EQ(flash.read(0, 1), 0xFF);
    EXPECT_EQ(responder.handle(frameOf(Frame::Kind::Erase, {0x34, 0})).reply, "");
    EXPECT_EQ(flash.read(0, 0), 1) << "a silent receiver does not erase either";
}

TEST(SimOutputQueue, PacesBytesInOrderAtTheBaudRate) {
    OutputQueue queue(1000); // 10 ms a byte
    const SimClock::time_point t0 = SimClock::now();
    queue.schedule(t0, "ab");
    queue.schedule(t0, "c"); // may not overtake the line
    EXPECT_EQ(queue.takeDue(t0 + std::chrono::milliseconds(9)), "");
    EXPECT_EQ(queue.takeDue(t0 + std::chrono::milliseconds(10)), "a");
    EXPECT_EQ(*queue.nextDue(), t0 + std::chrono::milliseconds(20));
    queue.giveBack("a", t0 + std::chrono::milliseconds(10));
    EXPECT_EQ(queue.takeDue(t0 + std::chrono::milliseconds(30)), "abc");
    EXPECT_TRUE(queue.empty());

    OutputQueue instant(0);
    instant.schedule(t0 + std::chrono::milliseconds(50), "late");
    instant.schedule(t0, "early"); // queued behind: a serial line keeps order
    EXPECT_EQ(instant.takeDue(t0 + std::chrono::milliseconds(49)), "");
    EXPECT_EQ(instant.takeDue(t0 + std::chrono::milliseconds(50)), "lateearly");
}

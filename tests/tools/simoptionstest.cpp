#include "options.h"

#include <gtest/gtest.h>

namespace {

ParsedOptions parse(std::vector<std::string> args) {
    args.insert(args.begin(), {"--link", "/tmp/x"});
    return parseOptions(args);
}

} // namespace

TEST(SimOptions, FrameListsTakeNumbersAndRanges) {
    FrameList list;
    ASSERT_TRUE(list.parse("2,4-6,9"));
    for (long n : {2, 4, 5, 6, 9})
        EXPECT_TRUE(list.contains(n)) << n;
    for (long n : {1, 3, 7, 8, 10})
        EXPECT_FALSE(list.contains(n)) << n;

    // A huge range must not cost memory or time.
    ASSERT_TRUE(list.parse("1-999999999"));
    EXPECT_TRUE(list.contains(123456789));

    for (const char *bad : {"", "0", "5-3", "a", "1,,2", "-4", "3-", "1;2"})
        EXPECT_FALSE(list.parse(bad)) << bad;
    EXPECT_TRUE(list.contains(5)) << "a rejected list leaves the old one";
}

TEST(SimOptions, DefaultStartupTextNamesModelAndFpga) {
    EXPECT_EQ(parse({}).options.effectiveStartupText(),
              "RV44S Receiver\r\nFPGA Loaded --->(ID= 0x0104 )\r\n");
    EXPECT_EQ(parse({"--model", "RV44F", "--fpga-id", "0x0200"}).options.effectiveStartupText(),
              "RV44F Receiver\r\nFPGA Loaded --->(ID= 0x0200 )\r\n");
    EXPECT_EQ(parse({"--fpga-id="}).options.effectiveStartupText(), "RV44S Receiver\r\n");
    EXPECT_EQ(parse({"--startup-text", "hello\\r\\nRV44F\\x41\\\\"}).options.effectiveStartupText(),
              "hello\r\nRV44FA\\");
}

TEST(SimOptions, UnescapeKeepsWhatIsNoEscape) {
    EXPECT_EQ(unescapeText("a\\qb"), "a\\qb");
    EXPECT_EQ(unescapeText("end\\"), "end\\");
    EXPECT_EQ(unescapeText("\\x4"), "\\x4");
    EXPECT_EQ(unescapeText("\\x00z"), std::string("\0z", 2));
}

TEST(SimOptions, ValuesAndFlagsAreRead) {
    const ParsedOptions parsed =
        parse({"--baud", "115200", "--drop-replies=3", "--wrong-reply-frames", "1-2",
               "--wrong-reply", "Bad\\r\\n", "--split", "--lower-case", "--silent-after", "0",
               "--hangup-after", "4", "--startup-pieces", "3", "--once"});
    ASSERT_EQ(parsed.error, "");
    const SimOptions &o = parsed.options;
    EXPECT_EQ(o.baud, 115200);
    EXPECT_TRUE(o.dropReplies.contains(3));
    EXPECT_TRUE(o.wrongReplyFrames.contains(2));
    EXPECT_EQ(o.wrongReply, "Bad\r\n");
    EXPECT_TRUE(o.split && o.lowerCase && o.once);
    EXPECT_EQ(o.silentAfter, 0);
    EXPECT_EQ(o.hangupAfter, 4);
    EXPECT_EQ(o.startupPieces, 3);
}

TEST(SimOptions, BadCommandLinesAreRejected) {
    EXPECT_NE(parseOptions({}).error, "") << "--link is required";
    EXPECT_TRUE(parseOptions({"--help"}).help);
    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
             {"--bogus"},
             {"--baud"},
             {"--baud", "fast"},
             {"--baud", "-5"},
             {"--startup-pieces", "0"},
             {"--hangup-after", "0"},
             {"--drop-replies", "x"},
             {"--split=yes"},
             {"--reply-delay-ms", "99999999999"},
         }) {
        EXPECT_NE(parse(bad).error, "") << bad.front();
    }
}

TEST(SimOptions, HelpListsEveryOption) {
    const std::string help = helpText();
    for (const char *name : {"--link",
                             "--flash-dir",
                             "--trace",
                             "--once",
                             "--model",
                             "--fpga-id",
                             "--startup-text",
                             "--startup-delay-ms",
                             "--startup-pieces",
                             "--piece-gap-ms",
                             "--repeat-text-ms",
                             "--baud",
                             "--drop-replies",
                             "--wrong-reply-frames",
                             "--wrong-reply",
                             "--reply-delay-ms",
                             "--lower-case",
                             "--split",
                             "--split-gap-ms",
                             "--silent-after",
                             "--hangup-after",
                             "--verbose",
                             "--help"})
        EXPECT_NE(help.find(name), std::string::npos) << name;
}

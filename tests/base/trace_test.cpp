#include "base/trace.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace morva {
namespace {

TEST(Trace, PacketDumpIsTheLabelThenTwoLinesOf32Bytes) {
    std::array<uint8_t, 64> packet{};
    std::iota(packet.begin(), packet.end(), uint8_t{0xC0});

    const std::string dump = formatPacketDump(kTraceRequest, packet);

    EXPECT_EQ(dump,
              "命令\n"
              "c0 c1 c2 c3   c4 c5 c6 c7   c8 c9 ca cb   cc cd ce cf  "
              "d0 d1 d2 d3  d4 d5 d6 d7  d8 d9 da db  dc dd de df\n"
              "e0 e1 e2 e3   e4 e5 e6 e7   e8 e9 ea eb   ec ed ee ef  "
              "f0 f1 f2 f3  f4 f5 f6 f7  f8 f9 fa fb  fc fd fe ff\n");
}

TEST(Trace, SinkReceivesFormattedTextOnlyWhileInstalled) {
    std::string seen;
    setTraceSink([&](std::string_view line) { seen += line; });
    trace("readjsonFile 错误吗：：%d\n", 2);
    std::array<uint8_t, 64> reply{};
    tracePacket(kTraceReply, reply);
    setTraceSink({});
    trace("not seen %d\n", 1);

    EXPECT_EQ(seen.substr(0, seen.find('\n') + 1), "readjsonFile 错误吗：：2\n");
    EXPECT_NE(seen.find("返回\n00 00"), std::string::npos);
    EXPECT_EQ(seen.find("not seen"), std::string::npos);
}

// Traces of many places share one stream, so each one must end its line, whether or not its text
// does.
TEST(Trace, EveryTraceEndsItsLine) {
    struct Case {
        std::string_view text;
        std::string_view seen;
    };
    const Case cases[] = {
        {"open line", "open line\n"},
        {"closed line\n", "closed line\n"},
        {"two\nlines", "two\nlines\n"},
        {"", "\n"},
    };
    std::string seen;
    setTraceSink([&](std::string_view text) { seen += text; });
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        seen.clear();
        traceText(c.text);
        EXPECT_EQ(seen, c.seen);
        seen.clear();
        trace("%.*s", static_cast<int>(c.text.size()), c.text.data());
        EXPECT_EQ(seen, c.seen);
    }
    setTraceSink({});
}

} // namespace
} // namespace morva

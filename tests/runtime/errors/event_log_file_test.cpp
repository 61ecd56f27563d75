// The event log file: each call writes exactly one entry holding the exact text and
// the event type, readable back whatever characters the text contains.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "oleaut.h"
#include "oleaut/utf.hpp"
#include "runtime/errors/event_log_test_support.hpp"

namespace {

using event_log_test::read_entries;
using event_log_test::read_lines;
using event_log_test::scoped_log_dir;

struct text_case {
    const char *name;
    std::u16string text;
};

class EventLogText : public ::testing::TestWithParam<text_case> {};

TEST_P(EventLogText, RoundTripsExactly)
{
    scoped_log_dir log;
    const std::u16string &text = GetParam().text;
    const long long before = event_log_test::now_millis();
    ASSERT_EQ(OaRtLogEvent(text.c_str(), OART_EVENT_WARNING), S_OK);
    const long long after = event_log_test::now_millis();

    const auto entries = read_entries(log.log());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, oleaut::utf16_to_utf8(text));
    EXPECT_EQ(entries[0].type, OART_EVENT_WARNING);
    EXPECT_EQ(entries[0].pid, static_cast<long>(getpid()));
    const long long stamped = event_log_test::epoch_millis(entries[0].time);
    EXPECT_GE(stamped, before);
    EXPECT_LE(stamped, after);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EventLogText,
    ::testing::Values(text_case{"Plain", u"Chart exported"}, text_case{"Empty", u""},
                      text_case{"Tabs", u"\tcol1\tcol2\t"}, text_case{"Newlines", u"line 1\nline 2\n"},
                      text_case{"CarriageReturns", u"dos\r\nline"}, text_case{"Backslashes", u"C:\\temp\\x.gif\\"},
                      text_case{"LooksLikeAnEscape", u"literal \\t and \\n and \\\\"},
                      text_case{"Latin", u"Gr\u00FC\u00DFe, caf\u00E9 \u2013 \u20AC5"},
                      text_case{"Cjk", u"\u65E5\u672C\u8A9E\u306E\u30B0\u30E9\u30D5"},
                      text_case{"SurrogatePair", u"smile \U0001F600 chart \U0001F4C8"},
                      text_case{"Spaces", u"  padded  "}),
    [](const auto &info) { return std::string(info.param.name); });

class EventLogType : public ::testing::TestWithParam<LONG> {};

TEST_P(EventLogType, IsKept)
{
    scoped_log_dir log;
    ASSERT_EQ(OaRtLogEvent(u"typed", GetParam()), S_OK);
    const auto entries = read_entries(log.log());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].type, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Types, EventLogType,
                         ::testing::Values(OART_EVENT_ERROR, OART_EVENT_WARNING, OART_EVENT_INFORMATION));

TEST(EventLogFile, LineIsFourTabSeparatedFieldsWithEscapedText)
{
    scoped_log_dir log;
    ASSERT_EQ(OaRtLogEvent(u"a\tb\\c\nd", OART_EVENT_ERROR), S_OK);
    const auto lines = read_lines(log.log());
    ASSERT_EQ(lines.size(), 1u);
    const std::string expected_tail = "\t" + std::to_string(getpid()) + "\t1\ta\\tb\\\\c\\nd";
    ASSERT_GT(lines[0].size(), expected_tail.size());
    EXPECT_EQ(lines[0].substr(lines[0].size() - expected_tail.size()), expected_tail);
}

TEST(EventLogFile, LoneSurrogateIsWrittenAsReplacementCharacter)
{
    scoped_log_dir log;
    const char16_t text[] = {u'a', 0xD800, u'b', 0};
    ASSERT_EQ(OaRtLogEvent(text, OART_EVENT_INFORMATION), S_OK);
    const auto entries = read_entries(log.log());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "a\xEF\xBF\xBD"
                               "b");
}

TEST(EventLogFile, NullTextIsAnEmptyEntry)
{
    scoped_log_dir log;
    ASSERT_EQ(OaRtLogEvent(nullptr, OART_EVENT_INFORMATION), S_OK);
    const auto entries = read_entries(log.log());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "");
}

TEST(EventLogFile, AppendsAfterWhatIsAlreadyThere)
{
    scoped_log_dir log;
    ASSERT_EQ(OaRtLogEvent(u"first", OART_EVENT_INFORMATION), S_OK);
    ASSERT_EQ(OaRtLogEvent(u"second", OART_EVENT_ERROR), S_OK);
    ASSERT_EQ(OaRtLogEvent(u"third", OART_EVENT_WARNING), S_OK);
    const auto entries = read_entries(log.log());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "first");
    EXPECT_EQ(entries[1].text, "second");
    EXPECT_EQ(entries[2].text, "third");
    EXPECT_LE(entries[0].time, entries[2].time);
}

TEST(EventLogFile, VariableIsReadAtEachCall)
{
    scoped_log_dir log;
    const auto first = log.dir() / "first.log";
    const auto second = log.dir() / "second.log";
    log.point_to(first);
    ASSERT_EQ(OaRtLogEvent(u"to first", OART_EVENT_INFORMATION), S_OK);
    log.point_to(second);
    ASSERT_EQ(OaRtLogEvent(u"to second", OART_EVENT_INFORMATION), S_OK);
    const auto a = read_entries(first);
    const auto b = read_entries(second);
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(a[0].text, "to first");
    EXPECT_EQ(b[0].text, "to second");
}

TEST(EventLogFile, UnknownEventTypeIsRefusedAndWritesNothing)
{
    scoped_log_dir log;
    OaRtErrClear();
    EXPECT_EQ(OaRtLogEvent(u"odd type", 3), OART_E_INVALIDPROCCALL);
    EXPECT_EQ(OaRtErrNumber(), OART_E_INVALIDPROCCALL);
    EXPECT_FALSE(std::filesystem::exists(log.log()));
}

TEST(EventLogFile, SuccessLeavesTheCurrentErrorAlone)
{
    scoped_log_dir log;
    ASSERT_EQ(OaRtErrSet(OART_E_OVERFLOW, u"Src", u"Overflow", nullptr, 0), S_OK);
    ASSERT_EQ(OaRtLogEvent(u"logged while an error is pending", OART_EVENT_ERROR), S_OK);
    EXPECT_EQ(OaRtErrNumber(), OART_E_OVERFLOW);
    OaRtErrClear();
}

}  // namespace

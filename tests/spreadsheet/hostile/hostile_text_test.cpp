// Text that nobody checked before it reached the host: a title, a heading or a series
// name of 100,000 characters, control characters, right-to-left and combining text,
// lone UTF-16 surrogates. Each must end in a picture of ordinary size, drawn in well
// under a second's worth of measuring, with the process still standing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "render/layout/drawable_text.hpp"
#include "render/export/exporter.hpp"
#include "render/layout/title_blocks.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"
#include "render_test_text.h"
#include "spreadsheet/host_fixture.hpp"
#include "support/temp_registry.hpp"

// After the runtime's headers: glib keeps their TRUE and FALSE.
#include <glib.h>

namespace {

using namespace sheethost::render;
using render_test::fixed_width_measurer;
using test_support::variant;

constexpr size_t kHuge = 100000;

// Repeats piece until the text holds at least kHuge UTF-16 units.
std::u16string repeated(std::u16string_view piece)
{
    std::u16string out;
    while (out.size() < kHuge)
        out += piece;
    return out;
}

std::u16string every_control_character()
{
    std::u16string out;
    while (out.size() < kHuge)
        for (char16_t c = 0; c < 0x20; ++c)
            out += {c, u'x'};
    return out;
}

std::u16string lone_surrogates()
{
    std::u16string out;
    while (out.size() < kHuge)
        out += {char16_t(0xD800), u'a', char16_t(0xDFFF), u' '};
    return out;
}

struct hostile_text {
    const char *name;
    std::function<std::u16string()> make;
};

const hostile_text kHostileTexts[] = {
    {"words", [] { return repeated(u"lorem ipsum "); }},
    {"one_word", [] { return std::u16string(kHuge, u'W'); }},
    {"combining_marks", [] { return u"a" + std::u16string(kHuge, u'\u0301'); }},
    {"right_to_left", [] { return repeated(u"\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627 "); }},
    {"mixed_direction", [] { return repeated(u"abc \u202E\u05D0\u05D1 123 \u2067x\u2069 "); }},
    {"control_characters", every_control_character},
    {"line_breaks", [] { return repeated(u"x\r\n"); }},
    {"lone_surrogates", lone_surrogates},
    {"nul_characters", [] { return repeated(std::u16string(u"n\0", 2)); }},
};

std::string name_of(const ::testing::TestParamInfo<hostile_text> &info) { return info.param.name; }

// --- The cleaning every drawn text goes through --------------------------------

struct cleaning_case {
    std::u16string in;
    std::u16string out;
};

class DrawableText : public ::testing::TestWithParam<cleaning_case> {};

TEST_P(DrawableText, CleansAsDocumented)
{
    EXPECT_EQ(drawable_text(GetParam().in), GetParam().out);
    // Cleaning what was cleaned changes nothing.
    EXPECT_EQ(drawable_text(GetParam().out), GetParam().out);
}

std::u16string marks(size_t n) { return std::u16string(n, u'\u0301'); }

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawableText,
    ::testing::Values(cleaning_case{u"Sales 2026", u"Sales 2026"},
                      cleaning_case{u"a\tb", u"a b"},
                      cleaning_case{u"a\r\nb\rc\nd", u"a\nb\nc\nd"},
                      cleaning_case{std::u16string(u"a\0b\x1B[31mc\x7F\x85\x9F", 11), u"ab[31mc"},
                      cleaning_case{std::u16string{u'a', char16_t(0xD800), u'b'}, u"a\uFFFDb"},
                      cleaning_case{std::u16string{char16_t(0xDC00), char16_t(0xD800)}, u"\uFFFD\uFFFD"},
                      cleaning_case{u"\U0001F600 ok", u"\U0001F600 ok"},
                      cleaning_case{u"\u05E9\u05DC\u05D5\u05DD \u202Eabc", u"\u05E9\u05DC\u05D5\u05DD \u202Eabc"},
                      cleaning_case{u"e" + marks(30), u"e" + marks(30)},
                      cleaning_case{u"e" + marks(31) + u"f" + marks(2), u"e" + marks(30) + u"f" + marks(2)},
                      cleaning_case{std::u16string(kMaxDrawnUnits, u'x'), std::u16string(kMaxDrawnUnits, u'x')},
                      cleaning_case{std::u16string(kMaxDrawnUnits + 1, u'x'),
                                    std::u16string(kMaxDrawnUnits - 1, u'x') + u"\u2026"},
                      // A pair that would straddle the cut is dropped whole.
                      cleaning_case{std::u16string(kMaxDrawnUnits - 2, u'x') + u"\U0001F600\U0001F600",
                                    std::u16string(kMaxDrawnUnits - 2, u'x') + u"\u2026"}));

// --- The UTF-16 to UTF-8 conversion every text takes on its way to pango ---------

struct utf_case {
    const char *name;
    std::u16string in;
    std::string out;
};

TEST(Utf16ToUtf8, LoneSurrogatesBecomeTheReplacementCharacter)
{
    const char16_t hi = 0xD83D, lo = 0xDE00;  // together U+1F600
    const utf_case cases[] = {
        {"pair", {hi, lo}, "\xF0\x9F\x98\x80"},
        {"lone high", {u'a', hi, u'b'}, "a\xEF\xBF\xBD" "b"},
        {"lone low", {u'a', lo, u'b'}, "a\xEF\xBF\xBD" "b"},
        {"reversed pair", {lo, hi}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"high at the end", {u'a', hi}, "a\xEF\xBF\xBD"},
        {"two highs then a low", {hi, hi, lo}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const utf_case &c : cases) {
        SCOPED_TRACE(c.name);
        std::string utf8 = oleaut::utf16_to_utf8(c.in);
        EXPECT_EQ(utf8, c.out);
        EXPECT_TRUE(g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr));
    }
}

// --- Titles in the layout ------------------------------------------------------

class HostileTitleBlock : public ::testing::TestWithParam<hostile_text> {};

TEST_P(HostileTitleBlock, StaysWithinItsWidthAndFiveLines)
{
    fixed_width_measurer measurer;
    text_block title{true, GetParam().make(), {u"Verdana", 14, true, false}};
    std::optional<text_box> box = title_block(title, 400, measurer);
    ASSERT_TRUE(box);
    EXPECT_LE(box->item.lines.size(), 5u);
    EXPECT_LE(box->item.width, 400);
    for (const std::string &line : box->item.lines)
        for (char c : line)
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << "a control character is drawn";
}

TEST_P(HostileTitleBlock, StackedStaysWithinTheAxisLength)
{
    fixed_width_measurer measurer;
    text_block title{true, GetParam().make(), {u"Verdana", 12, true, false}};
    title.orientation = {0, true};  // stacked
    std::optional<text_box> box = title_block(title, 250, measurer);
    ASSERT_TRUE(box);
    EXPECT_LE(box->bounds.h, 250);
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileTitleBlock, ::testing::ValuesIn(kHostileTexts), name_of);

TEST(HostileTitleBlock, TextOfOnlyControlCharactersIsNoTitle)
{
    fixed_width_measurer measurer;
    text_block title{true, std::u16string(kHuge, u'\x01'), {u"Verdana", 14, true, false}};
    EXPECT_FALSE(title_block(title, 400, measurer));
}

TEST(HostileTitleBlock, ALongTextEndsInAnEllipsisOnItsLastLine)
{
    fixed_width_measurer measurer;
    text_block title{true, repeated(u"lorem ipsum "), {u"Verdana", 14, true, false}};
    std::optional<text_box> box = title_block(title, 400, measurer);
    ASSERT_TRUE(box);
    ASSERT_EQ(box->item.lines.size(), 5u);
    EXPECT_EQ(box->item.lines.front().substr(0, 11), "lorem ipsum");
    EXPECT_EQ(box->item.lines.back().substr(box->item.lines.back().size() - 3), "\u2026");
}

// --- Whole pictures through the host's object model ----------------------------

class HostileTextExport : public test_support::HostTest, public ::testing::WithParamInterface<hostile_text> {
protected:
    // Exports to memory through the renderer the host's Export uses, from the
    // snapshot the host builds, and decodes the picture.
    render_test::decoded_image draw()
    {
        std::string dir = test_support::make_temp_directory();
        std::string file = dir + "/hostile.gif";
        chart.call(u"Export", {variant::str_utf8(file), variant::str(u"GIF")});
        render_test::decoded_image img = render_test::decode_gif(render_test::read_bytes(file));
        std::filesystem::remove_all(dir);
        return img;
    }
    void set_titles(const std::u16string &text)
    {
        chart.put(u"HasTitle", variant::boolean(true));
        chart.object(u"ChartTitle").put(u"Caption", variant::str(text));
        for (LONG axis : {1, 2}) {
            test_support::late_bound a = chart.call_object(u"Axes", {variant::i4(axis), variant::i4(1)});
            a.put(u"HasTitle", variant::boolean(true));
            a.object(u"AxisTitle").object(u"Characters").put(u"Text", variant::str(text));
        }
        chart.call_object(u"Axes", {variant::i4(2), variant::i4(1)})
            .object(u"AxisTitle")
            .put(u"Orientation", variant::i4(-4166));
    }
    // The same chart with plain text, for the size a picture ought to have.
    render_test::decoded_image plain_picture()
    {
        set_titles(u"Sales");
        return draw();
    }
};

TEST_P(HostileTextExport, TitlesDrawAPictureOfOrdinarySize)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(51));
    add_series(2, {u"10", u"20", u"15"}, u"North");
    render_test::decoded_image plain = plain_picture();
    set_titles(GetParam().make());
    render_test::decoded_image img = draw();
    // Five lines of title at most, above and beside the plot: never more than a few
    // hundred pixels over the plain chart, in either direction.
    EXPECT_LE(img.width, plain.width + 400);
    EXPECT_LE(img.height, plain.height + 400);
}

TEST_P(HostileTextExport, HeadingsAndSeriesNamesDrawAPictureOfOrdinarySize)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(51));
    chart.put(u"HasLegend", variant::boolean(true));
    test_support::late_bound series = add_series(2, {u"10", u"20", u"15"}, u"North");
    for (int row = 1; row <= 3; ++row)
        set_cell(row, 1, variant::str(u"Q" + std::u16string(1, static_cast<char16_t>(u'0' + row))));
    series.put(u"XValues", column_range(1, 1, 3).as_arg());
    render_test::decoded_image plain = draw();

    std::u16string text = GetParam().make();
    for (int row = 1; row <= 3; ++row)
        set_cell(row, 1, variant::str(text));
    series.put(u"Name", variant::str(text));
    add_series(3, {u"1", u"2", u"3"}, u"South").put(u"Name", variant::str(text));
    render_test::decoded_image img = draw();
    EXPECT_LE(img.width, plain.width + 400);
    EXPECT_LE(img.height, plain.height + 400);
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileTextExport, ::testing::ValuesIn(kHostileTexts), name_of);

}  // namespace

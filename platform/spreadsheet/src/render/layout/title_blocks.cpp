// Titles: text of the host's Characters.Text, lines split on line breaks and wrapped.
#include "render/layout/title_blocks.hpp"

#include <glib.h>

#include <cmath>

#include "oleaut/utf.hpp"
#include "render/style/chart_style.hpp"
#include "render/layout/drawable_text.hpp"
#include "render/layout/text_fitting.hpp"

namespace sheethost::render {

namespace {


// A title is a heading, not a paragraph: past this many lines the rest gives way to
// "…", so no text makes the picture taller than the chart it names.
constexpr size_t kMaxTitleLines = 5;

std::vector<std::string> split_lines(const std::string &s)
{
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == '\r')
            continue;
        if (c == '\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// Text stacked top to bottom: one character per line, upright, combining marks kept
// with the character they belong to. Line breaks become an empty line. When the
// stack would be longer than max_length the last character that fits becomes "…".
std::vector<std::string> stacked(const std::string &utf8, double max_length, const font_spec &font,
                                 const text_measurer &measurer)
{
    std::vector<std::string> out;
    const char *p = utf8.c_str();
    const char *end = p + utf8.size();
    while (p < end) {
        const char *next = g_utf8_find_next_char(p, end);
        if (!next)
            next = end;
        gunichar c = g_utf8_get_char_validated(p, next - p);
        bool mark = c < 0x110000 && g_unichar_ismark(c);
        if (*p == '\r') {
        } else if (*p == '\n' || out.empty() || !mark) {
            out.emplace_back(*p == '\n' ? std::string() : std::string(p, next));
        } else {
            out.back().append(p, next);
        }
        p = next;
    }
    double line_height = measurer.measure("", font).line_height;
    size_t fits = line_height > 0 ? static_cast<size_t>(std::max(max_length, line_height) / line_height) : out.size();
    if (out.size() > fits) {
        out.resize(fits);
        out.back() = "\u2026";
    }
    return out;
}

// Text in lines no wider than max_width: paragraphs wrapped at spaces, at most
// kMaxTitleLines of them, and a word too wide for a line shortened with "…" (left
// alone it would widen the picture to its own width).
std::vector<std::string> wrapped(const std::string &utf8, double max_width, const font_spec &font,
                                 const text_measurer &measurer)
{
    std::vector<std::string> lines;
    bool cut = false;
    for (const std::string &paragraph : split_lines(utf8)) {
        for (std::string &line : wrap_words(paragraph, max_width, font, measurer)) {
            if (lines.size() == kMaxTitleLines) {
                cut = true;
                break;
            }
            lines.push_back(std::move(line));
        }
        if (cut)
            break;
    }
    if (cut)
        lines.back() += "\u2026";
    for (std::string &line : lines)
        line = ellipsize(line, max_width, font, measurer);
    return lines;
}

}  // namespace

std::optional<text_box> title_block(const text_block &title, double max_width, const text_measurer &measurer)
{
    if (!title.visible || title.text.empty())
        return std::nullopt;
    std::string text = oleaut::utf16_to_utf8(drawable_text(title.text));
    if (text.empty())
        return std::nullopt;
    std::vector<std::string> lines;
    if (title.orientation.stacked)
        lines = stacked(text, max_width, title.font, measurer);
    else
        lines = wrapped(text, max_width, title.font, measurer);
    return make_text_box(std::move(lines), title.font, style::kTitleText, {0, 0}, h_align::centre, v_align::middle,
                         title.orientation.angle, measurer);
}

text_box placed_at(text_box box, h_align h, double x, v_align v, double y)
{
    const rect &b = box.bounds;
    double from_x = h == h_align::left ? b.left() : h == h_align::right ? b.right() : b.centre().x;
    double from_y = v == v_align::bottom ? b.bottom() : v == v_align::top ? b.top() : b.centre().y;
    return moved(std::move(box), x - from_x, y - from_y);
}

}  // namespace sheethost::render

// Word wrapping and ellipsis shortening for headings and titles.
#include "render/layout/text_fitting.hpp"

#include <algorithm>

namespace sheethost::render {

namespace {

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::vector<std::string> split_words(const std::string &s)
{
    std::vector<std::string> words;
    std::string current;
    for (char c : s) {
        if (c == ' ' || c == '\n' || c == '\t') {
            if (!current.empty())
                words.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        words.push_back(std::move(current));
    return words;
}

}  // namespace

std::vector<std::string> wrap_words(const std::string &utf8, double width, const font_spec &font,
                                    const text_measurer &measurer)
{
    std::vector<std::string> lines;
    for (std::string &word : split_words(utf8)) {
        if (!lines.empty()) {
            std::string candidate = lines.back() + " " + word;
            if (measurer.measure(candidate, font).width <= width) {
                lines.back() = std::move(candidate);
                continue;
            }
        }
        lines.push_back(std::move(word));
    }
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

std::string ellipsize(const std::string &utf8, double width, const font_spec &font, const text_measurer &measurer)
{
    if (measurer.measure(utf8, font).width <= width)
        return utf8;
    static const std::string kEllipsis = "\xE2\x80\xA6";
    // Binary search over character boundaries for the longest prefix that fits.
    std::vector<size_t> cuts;
    for (size_t i = 1; i <= utf8.size(); ++i)
        if (i == utf8.size() || !is_continuation_byte(utf8[i]))
            cuts.push_back(i);
    size_t lo = 0, hi = cuts.size();  // prefixes cuts[0..lo) are known to fit
    while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        std::string candidate = utf8.substr(0, cuts[mid - 1]) + kEllipsis;
        if (measurer.measure(candidate, font).width <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    std::string prefix = lo == 0 ? std::string() : utf8.substr(0, cuts[lo - 1]);
    while (!prefix.empty() && prefix.back() == ' ')
        prefix.pop_back();
    return prefix + kEllipsis;
}

double widest(const std::vector<std::string> &lines, const font_spec &font, const text_measurer &measurer)
{
    double w = 0;
    for (const std::string &line : lines)
        w = std::max(w, measurer.measure(line, font).width);
    return w;
}

}  // namespace sheethost::render

// Category heading arrangement.
#include "render/layout/category_labels.hpp"

#include <algorithm>
#include <cmath>

#include "oleaut/utf.hpp"
#include "render/style/chart_style.hpp"
#include "render/layout/text_fitting.hpp"

namespace sheethost::render {

namespace {

constexpr double kLabelPad = 4;   // free space kept between neighbouring headings
constexpr size_t kMaxWrappedLines = 3;
constexpr double kTurnAngle = 45;

}  // namespace

category_label_plan plan_category_labels(const std::vector<std::string> &headings, const std::vector<point> &anchors,
                                         double slot, const font_spec &font, double max_turned_length,
                                         const text_measurer &measurer)
{
    category_label_plan plan;
    size_t n = std::min(headings.size(), anchors.size());
    double room = slot - kLabelPad;
    double line_height = measurer.measure("", font).line_height;
    auto below = [](point anchor) { return point{anchor.x, anchor.y - style::kTickLabelGap}; };

    double widest_heading = 0;
    for (size_t i = 0; i < n; ++i)
        widest_heading = std::max(widest_heading, measurer.measure(headings[i], font).width);
    if (widest_heading <= room) {
        for (size_t i = 0; i < n; ++i)
            plan.labels.push_back(make_text_box({headings[i]}, font, style::kText, below(anchors[i]), h_align::centre,
                                                v_align::top, 0, measurer));
        return plan;
    }

    std::vector<std::vector<std::string>> wrapped;
    bool wraps = room > 0;
    for (size_t i = 0; i < n && wraps; ++i) {
        wrapped.push_back(wrap_words(headings[i], room, font, measurer));
        wraps = wrapped.back().size() <= kMaxWrappedLines && widest(wrapped.back(), font, measurer) <= room;
    }
    if (wraps) {
        plan.how = category_label_plan::arrangement::wrapped;
        for (size_t i = 0; i < n; ++i)
            plan.labels.push_back(make_text_box(std::move(wrapped[i]), font, style::kText, below(anchors[i]),
                                                h_align::centre, v_align::top, 0, measurer));
        return plan;
    }

    // Turned 45 degrees, neighbouring headings are line_height * sqrt(2) apart along
    // the axis at the least.
    plan.how = category_label_plan::arrangement::turned;
    double needed = line_height * std::sqrt(2.0) + 1;
    plan.every = slot > 0 ? std::max<size_t>(1, static_cast<size_t>(std::ceil(needed / slot - 1e-9))) : n;
    // Lift the anchor so the turned box's upper corner stays below the axis.
    double drop = line_height / 2 * std::sqrt(0.5) + style::kTickLabelGap;
    for (size_t i = 0; i < n; i += plan.every) {
        std::string text = ellipsize(headings[i], max_turned_length, font, measurer);
        plan.labels.push_back(make_text_box({text}, font, style::kText, {anchors[i].x, anchors[i].y - drop},
                                            h_align::right, v_align::middle, kTurnAngle, measurer));
    }
    return plan;
}

category_label_plan plan_side_category_labels(const std::vector<std::string> &headings,
                                              const std::vector<point> &anchors, double slot, const font_spec &font,
                                              double max_width, const text_measurer &measurer)
{
    category_label_plan plan;
    size_t n = std::min(headings.size(), anchors.size());
    double line_height = measurer.measure("", font).line_height;
    double room = slot - kLabelPad / 2;
    plan.every = room >= line_height || slot <= 0
                     ? 1
                     : std::max<size_t>(1, static_cast<size_t>(std::ceil((line_height + kLabelPad / 2) / slot - 1e-9)));
    size_t max_lines = std::clamp<size_t>(static_cast<size_t>(std::max(room, 0.0) / line_height), 1, kMaxWrappedLines);
    for (size_t i = 0; i < n; i += plan.every) {
        std::vector<std::string> lines{headings[i]};
        if (measurer.measure(headings[i], font).width > max_width) {
            plan.how = category_label_plan::arrangement::wrapped;
            lines = wrap_words(headings[i], max_width, font, measurer);
            if (lines.size() > max_lines) {
                lines.resize(max_lines);
                lines.back() += "\u2026";
            }
            for (std::string &line : lines)
                line = ellipsize(line, max_width, font, measurer);
        }
        point at{anchors[i].x - style::kTickLabelGap, anchors[i].y};
        plan.labels.push_back(
            make_text_box(std::move(lines), font, style::kText, at, h_align::right, v_align::middle, 0, measurer));
    }
    return plan;
}

std::string category_heading(const chart_snapshot &chart, size_t category)
{
    if (category < chart.categories.size())
        return oleaut::utf16_to_utf8(chart.categories[category]);
    if (!chart.categories.empty())
        return {};
    return std::to_string(category + 1);
}

}  // namespace sheethost::render

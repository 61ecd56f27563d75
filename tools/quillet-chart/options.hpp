// The command line of quillet-chart, parsed into plain values.
#ifndef QUILLET_CHART_OPTIONS_HPP
#define QUILLET_CHART_OPTIONS_HPP

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet_chart {

struct series_option {
    std::string column;
    std::string name;  // the column's name unless COLUMN=NAME gave one
    bool labels = false;
    bool shaded = false;
};

struct options {
    std::string db, query, csv;
    std::vector<series_option> series;
    std::string headings;
    std::optional<std::string> type;        // an xlChartType member name or a number
    std::optional<std::pair<int, int>> size;  // width x height in points
    std::optional<std::string> title, x_title, y_title;
    std::optional<std::string> background;  // an xlChartFillEffect member name or a number
    std::string output;
    bool help = false;
    bool version = false;
};

// A command line that cannot be used; its text says why.
struct usage_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

options parse(const std::vector<std::string> &args);
const char *usage_text();

}  // namespace quillet_chart

#endif

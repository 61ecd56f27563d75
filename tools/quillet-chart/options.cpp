#include "options.hpp"

#include <cstdlib>

namespace quillet_chart {

namespace {

std::pair<int, int> parse_size(const std::string &text)
{
    size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 == text.size())
        throw usage_error("--size wants WIDTHxHEIGHT in points, for example 600x250, not '" + text + "'");
    auto number = [&](const std::string &part) {
        char *end = nullptr;
        long v = std::strtol(part.c_str(), &end, 10);
        if (*end || v < 1 || v > 32767)
            throw usage_error("--size: '" + part + "' is not a size from 1 to 32767 points");
        return static_cast<int>(v);
    };
    return {number(text.substr(0, x)), number(text.substr(x + 1))};
}

}  // namespace

options parse(const std::vector<std::string> &args)
{
    options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size())
                throw usage_error(a + " needs a value");
            return args[++i];
        };
        auto last_series = [&]() -> series_option & {
            if (o.series.empty())
                throw usage_error(a + " applies to the --series before it, and there is none");
            return o.series.back();
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--db") {
            o.db = value();
        } else if (a == "--query") {
            o.query = value();
        } else if (a == "--csv") {
            o.csv = value();
        } else if (a == "--series") {
            const std::string &series_text = value();
            size_t eq = series_text.find('=');
            series_option s;
            s.column = series_text.substr(0, eq);
            s.name = eq == std::string::npos ? s.column : series_text.substr(eq + 1);
            if (s.column.empty())
                throw usage_error("--series needs a column name");
            o.series.push_back(s);
        } else if (a == "--labels") {
            last_series().labels = true;
        } else if (a == "--shaded") {
            last_series().shaded = true;
        } else if (a == "--headings") {
            o.headings = value();
        } else if (a == "--type") {
            o.type = value();
        } else if (a == "--size") {
            o.size = parse_size(value());
        } else if (a == "--title") {
            o.title = value();
        } else if (a == "--x-title") {
            o.x_title = value();
        } else if (a == "--y-title") {
            o.y_title = value();
        } else if (a == "--background") {
            o.background = value();
        } else if (a == "-o" || a == "--output") {
            o.output = value();
        } else {
            throw usage_error("unknown option '" + a + "'");
        }
    }
    if (o.help || o.version)
        return o;
    if (o.csv.empty() == o.db.empty())
        throw usage_error("give the data as either --db FILE --query SQL or --csv FILE");
    if (!o.db.empty() && o.query.empty())
        throw usage_error("--db needs --query SQL");
    if (o.series.empty())
        throw usage_error("give at least one --series COLUMN");
    if (o.output.empty())
        throw usage_error("give the output file with -o FILE");
    return o;
}

const char *usage_text()
{
    return "usage: quillet-chart (--db FILE --query SQL | --csv FILE)\n"
           "                     --series COLUMN[=NAME] [--labels] [--shaded] ...\n"
           "                     [--headings COLUMN] [--type TYPE] [--size WxH]\n"
           "                     [--title TEXT] [--x-title TEXT] [--y-title TEXT]\n"
           "                     [--background EFFECT] -o FILE.gif\n"
           "       quillet-chart --help | --version\n"
           "\n"
           "Builds one chart with the Quillet.cQuillet component and writes it as a GIF.\n"
           "  --db FILE --query SQL  read rows from a SQLite database\n"
           "  --csv FILE             read rows from a CSV file with a header row\n"
           "  --series COLUMN[=NAME] one data series from COLUMN (repeatable); --labels and\n"
           "                         --shaded after it apply to that series\n"
           "  --headings COLUMN      category headings from COLUMN\n"
           "  --type TYPE            an xlChartType name (xlColumnClustered, xlPie, ...) or number\n"
           "  --size WxH             plot area in points, applied after the series\n"
           "  --background EFFECT    an xlChartFillEffect name (msoGradientOcean, ...) or number\n"
           "  -o FILE                the GIF to write\n"
           "Errors print their number, source and description and exit with status 1;\n"
           "a bad command line prints this text and exits with status 2.\n";
}

}  // namespace quillet_chart

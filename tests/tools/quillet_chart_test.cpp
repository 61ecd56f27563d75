// quillet-chart end to end: the registered component, host and recordsets of the build
// tree (make register), driven through the command line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace {

struct outcome {
    int status;
    std::string output;  // stdout and stderr together
};

outcome run(const std::string &args)
{
    std::string cmd = std::string(QUILLET_CHART) + " " + args + " 2>&1";
    outcome o{-1, ""};
    FILE *p = popen(cmd.c_str(), "r");
    if (!p)
        return o;
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        o.output.append(buf.data(), n);
    int raw = pclose(p);
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return o;
}

class QuilletChart : public ::testing::Test {
protected:
    void SetUp() override
    {
        out_ = ::testing::TempDir() + "quillet-chart-" + std::to_string(::getpid()) + ".gif";
        log_ = ::testing::TempDir() + "quillet-chart-" + std::to_string(::getpid()) + ".log";
        ::setenv("OLEAUT_EVENTLOG", log_.c_str(), 1);
        ::unlink(out_.c_str());
    }
    void TearDown() override
    {
        ::unlink(out_.c_str());
        ::unlink(log_.c_str());
    }
    std::string db_args(const std::string &query) const
    {
        return std::string("--db ") + SAMPLE_DB + " --query \"" + query + "\"";
    }
    std::string out_, log_;
};

const char kMonths[] = "SELECT month, north, south FROM monthly_sales ORDER BY month_no";

TEST_F(QuilletChart, WritesTheChartAndPrintsItsPath)
{
    outcome o = run(db_args(kMonths) + " --series north=North --series south --headings month --type xlColumnClustered"
                                       " --title Sales -o " + out_);
    EXPECT_EQ(o.status, 0) << o.output;
    EXPECT_EQ(o.output, out_ + "\n");
    EXPECT_EQ(::access(out_.c_str(), R_OK), 0);
}

struct failure_case {
    const char *what;
    std::string args;  // {out} stands for the output file
    int status;
    std::string expected;  // part of the one error line
};

class QuilletChartFailures : public QuilletChart, public ::testing::WithParamInterface<failure_case> {};

TEST_P(QuilletChartFailures, PrintNumberSourceAndDescriptionOnOneLine)
{
    const failure_case &c = GetParam();
    std::string args = c.args;
    if (size_t at = args.find("{out}"); at != std::string::npos)
        args.replace(at, 5, out_);
    if (size_t at = args.find("{db}"); at != std::string::npos)
        args.replace(at, 4, SAMPLE_DB);
    outcome o = run(args);
    EXPECT_EQ(o.status, c.status) << c.what << "\n" << o.output;
    EXPECT_NE(o.output.find(c.expected), std::string::npos) << c.what << "\n" << o.output;
    if (c.status == 1) {
        EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1) << c.what << ": one line\n" << o.output;
    }
    EXPECT_NE(::access(out_.c_str(), F_OK), 0) << c.what << ": no file is left";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuilletChartFailures,
    ::testing::Values(
        failure_case{"missing column", std::string("--db {db} --query \"") + kMonths + "\" --series nope -o {out}", 1,
                     "error -2146825023"},
        failure_case{"empty result",
                     "--db {db} --query \"SELECT north FROM monthly_sales WHERE 0\" --series north -o {out}", 1,
                     "error -2147220503 (0x800403E9) from Quillet.cQuillet: No data series in chart"},
        failure_case{"unwritable output",
                     std::string("--db {db} --query \"") + kMonths + "\" --series north -o /nonexistent-dir/x.gif", 1,
                     "cannot write /nonexistent-dir/x.gif"},
        failure_case{"bad option", "--bogus", 2, "unknown option '--bogus'"},
        failure_case{"no data", "--series north -o {out}", 2, "usage: quillet-chart"},
        failure_case{"bad type name",
                     std::string("--db {db} --query \"") + kMonths + "\" --series north --type xlNope -o {out}", 1,
                     "'xlNope' is not a member of xlChartType"}));

}  // namespace

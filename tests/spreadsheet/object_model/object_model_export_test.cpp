// Chart.Export through IDispatch: the picture is written under the caller's name and
// the call answers True; refusals name the file or the filter and leave no file.
#include <filesystem>

#include "spreadsheet/host_fixture.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

class ExportTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        dir_ = make_temp_directory();
        open_chart_workbook();
        chart.put(u"ChartType", variant::i4(54));
        add_series(2, {u"10", u"-4", u"25"}, u"North");
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
        HostTest::TearDown();
    }
    std::string path(const char *name) const { return dir_ + "/" + name; }
    static variant file_arg(const std::string &p) { return variant::str_utf8(p); }
    std::string dir_;
};

TEST_F(ExportTest, WritesTheFileAndAnswersTrue)
{
    struct row {
        const char *file;
        variant filter;
        const char *magic;
    };
    const row rows[] = {
        {"chart.gif", variant::str(u"GIF"), "GIF8"},
        {"lower.gif", variant::str(u"gif"), "GIF8"},
        {"by-extension.png", variant::missing(), "\x89PNG"},
    };
    for (const row &r : rows) {
        SCOPED_TRACE(r.file);
        variant done = chart.call(u"Export", {file_arg(path(r.file)), r.filter});
        EXPECT_EQ(done.vt, VT_BOOL);
        EXPECT_EQ(done.boolVal, VARIANT_TRUE);
        std::string bytes = read_file(path(r.file));
        EXPECT_EQ(bytes.substr(0, 4), r.magic);
    }
    // Named, as a client may pass them, with Interactive given.
    chart.call(u"Export", {}, {{u"Filename", file_arg(path("named.gif"))}, {u"FilterName", variant::str(u"GIF")},
                               {u"Interactive", variant::boolean(false)}});
    EXPECT_TRUE(std::filesystem::exists(path("named.gif")));
}

TEST_F(ExportTest, RefusalsNameTheProblemAndLeaveNoFile)
{
    expect_host_error(error_of([&] { chart.call(u"Export", {file_arg(path("chart.jpg")), variant::str(u"JPEG")}); }),
                      host_error::unknown_filter, u"Cannot export to \"JPEG\"");
    EXPECT_FALSE(std::filesystem::exists(path("chart.jpg")));
    expect_host_error(error_of([&] { chart.call(u"Export", {variant::str(u"")}); }), host_error::invalid_argument,
                      u"Chart.Export needs a file name");
    std::string missing_dir = path("no-such-dir/chart.gif");
    oleaut::com_error e = error_of([&] { chart.call(u"Export", {file_arg(missing_dir), variant::str(u"GIF")}); });
    expect_host_error(e, host_error::cannot_write, oleaut::utf8_to_utf16("cannot write " + missing_dir));
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

}  // namespace

// Export's contract: the filter picks the format (any case), anything else is
// refused, a failed export leaves nothing behind, and a successful one replaces an
// existing file whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "host_errors.hpp"
#include "render/export/exporter.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"
#include "render_test_tempdir.h"

namespace {

using namespace render_test;
using sheethost::host_error;
using sheethost::host_hresult;
using namespace sheethost::render;

oleaut::com_error export_error(const chart_snapshot &c, const std::string &path, std::u16string_view filter)
{
    try {
        export_chart(c, path, filter);
    } catch (const oleaut::com_error &e) {
        return e;
    }
    ADD_FAILURE() << "export to " << path << " succeeded";
    return oleaut::com_error(S_OK, u"", u"");
}

std::string signature(const std::string &path, size_t n)
{
    std::vector<uint8_t> bytes = read_bytes(path);
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

struct filter_case {
    const char16_t *filter;
    const char *file;
    const char *magic;
};

class ExportFilter : public ::testing::TestWithParam<filter_case> {};

TEST_P(ExportFilter, PicksTheFormatInAnyCase)
{
    temp_dir dir;
    std::string path = dir.file(GetParam().file);
    export_chart(reference_chart(51), path, GetParam().filter);
    std::string magic = GetParam().magic;
    EXPECT_EQ(signature(path, magic.size()), magic);
    EXPECT_EQ(dir.names(), std::set<std::string>{GetParam().file});
}

INSTANTIATE_TEST_SUITE_P(Filters, ExportFilter,
                         ::testing::Values(filter_case{u"GIF", "a.gif", "GIF89a"}, filter_case{u"gif", "a.gif", "GIF89a"},
                                           filter_case{u"Gif", "chart.out", "GIF89a"},
                                           filter_case{u"PNG", "a.png", "\x89PNG"}, filter_case{u"png", "a.gif", "\x89PNG"},
                                           filter_case{u"", "by-extension.PNG", "\x89PNG"},
                                           filter_case{u"", "by-extension.gif", "GIF89a"}));

TEST(ExportErrors, RefusesAnUnknownFilterAndWritesNothing)
{
    temp_dir dir;
    for (const char16_t *filter : {u"JPEG", u"GIFF", u" gif", u"bmp"}) {
        oleaut::com_error e = export_error(reference_chart(51), dir.file("a.jpg"), filter);
        EXPECT_EQ(e.hr(), host_hresult(host_error::unknown_filter));
        EXPECT_EQ(e.source(), u"SheetHost");
        EXPECT_EQ(e.description(), u"Cannot export to \"" + std::u16string(filter) + u"\": the filters are GIF and PNG");
    }
    EXPECT_TRUE(dir.names().empty());
}

TEST(ExportErrors, NamesTheFileAndTheReasonWhenTheDirectoryIsMissing)
{
    temp_dir dir;
    std::string path = dir.file("missing/y.gif");
    oleaut::com_error e = export_error(reference_chart(51), path, u"GIF");
    EXPECT_EQ(e.hr(), host_hresult(host_error::cannot_write));
    EXPECT_EQ(e.description(), u"cannot write " + u16(path) + u": No such file or directory");
    EXPECT_TRUE(dir.names().empty());
}

TEST(ExportErrors, LeavesNoTemporaryFileWhenTheRenameFails)
{
    temp_dir dir;
    std::filesystem::create_directory(dir.file("taken"));
    std::ofstream(dir.file("taken/inside")) << "keeps the directory non-empty";
    oleaut::com_error e = export_error(reference_chart(51), dir.file("taken"), u"GIF");
    EXPECT_EQ(e.hr(), host_hresult(host_error::cannot_write));
    EXPECT_NE(e.description().find(u"cannot write " + u16(dir.file("taken")) + u": "), std::u16string::npos);
    EXPECT_EQ(dir.names(), std::set<std::string>{"taken"});
}

TEST(ExportErrors, ReportsAPathThroughAFile)
{
    temp_dir dir;
    std::ofstream(dir.file("plain")) << "not a directory";
    oleaut::com_error e = export_error(reference_chart(51), dir.file("plain/x.gif"), u"GIF");
    EXPECT_EQ(e.description(), u"cannot write " + u16(dir.file("plain/x.gif")) + u": Not a directory");
}

TEST(ExportErrors, UndrawnChartTypesWriteNothing)
{
    temp_dir dir;
    // Pie of pie (68): the host knows it, the renderer draws no such chart.
    oleaut::com_error e = export_error(reference_chart(68), dir.file("pie.gif"), u"GIF");
    EXPECT_EQ(e.hr(), host_hresult(host_error::not_drawn_yet));
    EXPECT_EQ(e.description(), u"Chart type 68 is not drawn yet");
    EXPECT_TRUE(dir.names().empty());
}

TEST(ExportReplace, ReplacesAnExistingFileWholeAndKeepsItsPermissions)
{
    temp_dir dir;
    std::string path = dir.file("chart.gif");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(1 << 20, 'x');  // much larger than the chart
    }
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    chart_snapshot c = reference_chart(54);
    export_chart(c, path, u"GIF");
    EXPECT_EQ(read_bytes(path), encode_chart(c, image_format::gif));
    EXPECT_NO_THROW(decode_gif(read_bytes(path)));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.names(), std::set<std::string>{"chart.gif"});
}

TEST(ExportReplace, ANewFileGetsTheUsualPermissions)
{
    temp_dir dir;
    std::string path = dir.file("new.gif");
    mode_t mask = umask(022);
    export_chart(reference_chart(51), path, u"GIF");
    umask(mask);
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

struct drawn_case {
    int type;
    bool drawn;
};

class IsDrawn : public ::testing::TestWithParam<drawn_case> {};

TEST_P(IsDrawn, OnlyTheColumnFamilySoFar) { EXPECT_EQ(is_drawn(GetParam().type), GetParam().drawn); }

INSTANTIATE_TEST_SUITE_P(Types, IsDrawn,
                         ::testing::Values(drawn_case{51, true}, drawn_case{54, true}, drawn_case{-4100, true},
                                           drawn_case{57, true}, drawn_case{60, true}, drawn_case{65, true},
                                           drawn_case{5, true}, drawn_case{1, true}, drawn_case{83, true},
                                           drawn_case{92, true}, drawn_case{0, false}));

}  // namespace

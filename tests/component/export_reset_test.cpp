// ExportToGif and Reset against the recording host.
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using component_test::log_entry;
using oleaut::bstr;
using oleaut::variant;

using ExportReset = fixture;

TEST_F(ExportReset, NewObjectHasNoSeriesToExport)
{
    auto q = create();
    for (const char16_t *name : {u"chart.gif", u""}) {
        bstr file(name);
        variant result = variant::i4(7);
        EXPECT_EQ(q->ExportToGif(file.get(), result.put()), static_cast<HRESULT>(0x800403E9));
        EXPECT_EQ(error_description(), "No data series in chart");
        EXPECT_EQ(result.vt, VT_EMPTY);
    }
    EXPECT_TRUE(calls_of("Export").empty());
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "No data series in chart"}, {1, "No data series in chart"}}));
}

TEST_F(ExportReset, BlankNamesAreRefusedAndLogged)
{
    auto q = create();
    add_series(*q, 1);
    for (const char16_t *name : {u"", u"   "}) {
        bstr file(name);
        variant result;
        EXPECT_EQ(q->ExportToGif(file.get(), result.put()), static_cast<HRESULT>(0x800403E9));
        EXPECT_EQ(error_description(), "Invalid file name for export");
    }
    variant result;
    EXPECT_EQ(q->ExportToGif(nullptr, result.put()), static_cast<HRESULT>(0x800403E9)) << "a null name is empty";
    EXPECT_EQ(log_entries().size(), 3u);
    EXPECT_TRUE(calls_of("Export").empty());
}

TEST_F(ExportReset, NameIsPassedExactlyAndTheResultIsTheShortOne)
{
    auto q = create();
    add_series(*q, 1);
    mark();
    bstr file(u" \tout.gif ");
    variant result;
    ASSERT_EQ(q->ExportToGif(file.get(), result.put()), S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    EXPECT_EQ(result.iVal, 1);
    std::vector<std::string> exports = calls_of("Export");
    ASSERT_EQ(exports.size(), 1u);
    EXPECT_EQ(exports[0], "Chart#8.Export(BSTR \" \tout.gif \", BSTR \"GIF\", ERROR missing)");
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(ExportReset, HostExportFailureIsLoggedAndRaisedUnchanged)
{
    auto q = create();
    add_series(*q, 1);
    fail("Chart", "Export", 1, static_cast<HRESULT>(0x800A07DA), u"cannot write /nope/x.gif: No such file or directory");
    bstr file(u"/nope/x.gif");
    variant result;
    EXPECT_EQ(q->ExportToGif(file.get(), result.put()), static_cast<HRESULT>(0x800A07DA));
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "cannot write /nope/x.gif: No such file or directory"}}));
}

TEST_F(ExportReset, ResetDeletesOneSeriesPerPassThenClearsTheSheet)
{
    auto q = create();
    add_series(*q, 3);
    mark();
    ASSERT_EQ(q->Reset(), S_OK);
    EXPECT_EQ(calls_of("Delete").size(), 3u);
    EXPECT_EQ(calls_of("Count").size(), 4u) << "the count is read afresh before every pass";
    EXPECT_EQ(calls_of("ClearContents").size(), 1u);
    EXPECT_EQ(calls_since_mark().back().substr(calls_since_mark().back().find('.')), ".ClearContents()");

    mark();
    ASSERT_EQ(q->Reset(), S_OK);  // twice in a row: nothing to delete, the sheet is cleared again
    EXPECT_TRUE(calls_of("Delete").empty());
    EXPECT_EQ(calls_of("ClearContents").size(), 1u);

    bstr file(u"x.gif");
    variant result;
    EXPECT_EQ(q->ExportToGif(file.get(), result.put()), static_cast<HRESULT>(0x800403E9));
}

TEST_F(ExportReset, ResetFailureReachesTheCallerUnloggedAndKeepsWhatWasDone)
{
    auto q = create();
    add_series(*q, 3);
    fail("Series", "Delete", 2);
    mark();
    EXPECT_EQ(q->Reset(), static_cast<HRESULT>(0x800A03EC));
    EXPECT_EQ(calls_of("Delete").size(), 2u);
    EXPECT_TRUE(calls_of("ClearContents").empty());
    EXPECT_TRUE(log_entries().empty());
}

// A host whose series count does not fall after a Delete that answers success.
struct stuck_host {
    const char *what;
    bool delete_keeps_series;
    LONG count_answer;  // -1: the real count
    int series;
    const char *remaining;  // the count the description names
};

class ResetOnStuckHost : public fixture, public ::testing::WithParamInterface<stuck_host> {};

TEST_P(ResetOnStuckHost, StopsAfterOneDeleteWithAnErrorNamingTheHost)
{
    const stuck_host &h = GetParam();
    auto q = create();
    add_series(*q, h.series);
    host_->delete_keeps_series = h.delete_keeps_series;
    host_->series_count_answer = h.count_answer;
    mark();
    EXPECT_EQ(q->Reset(), static_cast<HRESULT>(0x800403EA)) << h.what;
    EXPECT_EQ(calls_of("Delete").size(), 1u) << h.what;
    EXPECT_EQ(calls_of("Count").size(), 2u) << h.what;
    EXPECT_TRUE(calls_of("ClearContents").empty()) << h.what;
    const published_error e = last_error();
    EXPECT_EQ(e.source, u"Quillet.cQuillet") << h.what;
    const std::string &description = e.description;
    EXPECT_EQ(description.rfind("Reset stopped: the host still holds ", 0), 0u) << description;
    EXPECT_NE(description.find(std::string(" ") + h.remaining + " series after deleting"), std::string::npos)
        << description;
    EXPECT_NE(description.find("Series.Delete"), std::string::npos) << description;
    EXPECT_TRUE(log_entries().empty()) << "plain propagation logs nothing";
}

INSTANTIATE_TEST_SUITE_P(Hosts, ResetOnStuckHost,
                         ::testing::Values(stuck_host{"Delete deletes nothing", true, -1, 3, "3"},
                                           stuck_host{"Delete deletes nothing, one series", true, -1, 1, "1"},
                                           stuck_host{"Count never falls", false, 5, 2, "5"},
                                           stuck_host{"Count is huge", false, 2147483647, 1, "2147483647"}));

}  // namespace

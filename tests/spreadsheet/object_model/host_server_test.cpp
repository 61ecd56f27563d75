// The host as clients get it: regsvr registers libsheethost.so into a private
// registry, a client creates "Excel.Application" by ProgID, builds a workbook with a
// data sheet and a chart sheet late-bound, releases everything, and the library unloads.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "spreadsheet/host_fixture.hpp"
#include "support/run_process.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace test_support;

class HostServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        process_result r = run_process({REGSVR_PATH, SHEETHOST_LIB});
        ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override { CoUninitialize(); }

    temp_registry registry_;
};

TEST_F(HostServer, CreateByProgIdDriveReleaseUnload)
{
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"Excel.Application", &clsid), S_OK);
    oleaut::com_ptr<IDispatch> raw;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, raw.put_void()), S_OK);
    {
        late_bound app(raw);
        raw.reset();
        app.put(u"Visible", variant::boolean(false));
        app.put(u"SheetsInNewWorkbook", variant::i4(1));
        app.object(u"Workbooks").call(u"Add");
        late_bound book = app.object(u"ActiveWorkbook");
        late_bound data = book.object(u"Worksheets").object(u"Item", {variant::i2(1)});
        late_bound chart = book.object(u"Worksheets").call_object(u"Add", {}, {{u"Type", variant::i4(kXlChart)}});
        chart.put(u"ChartType", variant::i4(54));
        for (SHORT row = 1; row <= 3; ++row)
            data.put(u"Cells", decimal(row == 2 ? u"-4.5" : u"12"), {variant::i2(row), variant::i2(2)});
        late_bound series = chart.call_object(u"SeriesCollection").call_object(u"NewSeries");
        late_bound top = data.object(u"Cells", {variant::i2(1), variant::i2(2)});
        late_bound bottom = data.object(u"Cells", {variant::i2(3), variant::i2(2)});
        series.put(u"Values", data.object(u"Range", {top.as_arg(), bottom.as_arg()}).as_arg());
        EXPECT_EQ(text(series.get(u"Formula")), u"=SERIES(\"Series1\",,Sheet1!$B$1:$B$3,1)");
        EXPECT_EQ(chart.call_object(u"SeriesCollection").get(u"Count").lVal, 1);

        late_bound books = app.object(u"Workbooks");
        EXPECT_EQ(books.get(u"Count").lVal, 1);
        books.object(u"Item", {variant::i2(1)}).call(u"Close", {}, {{u"SaveChanges", variant::boolean(false)}});
        app.call(u"Quit");
        expect_host_error(error_of([&] { chart.get(u"ChartType"); }), sheethost::host_error::application_quit);

        CoFreeUnusedLibraries();  // objects are alive: the library stays
        void *still = dlopen(SHEETHOST_LIB, RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(still, nullptr);
        if (still)
            dlclose(still);
    }
    CoFreeUnusedLibraries();
    EXPECT_EQ(dlopen(SHEETHOST_LIB, RTLD_NOW | RTLD_NOLOAD), nullptr) << "libsheethost.so was not unloaded";

    process_result r = run_process({REGSVR_PATH, "-u", SHEETHOST_LIB});
    EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
    EXPECT_EQ(CLSIDFromProgID(u"Excel.Application", &clsid), CO_E_CLASSSTRING);
}

}  // namespace

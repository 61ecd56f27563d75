// The component against the real embedded host and a SQLite recordset, activated from the
// build tree's registry (make register) exactly as a client activates them.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "automation/quillet_object.hpp"
#include "comutil.hpp"
#include "oleaut/late_bound.hpp"

namespace {

using oleaut::com_ptr;
using oleaut::variant;
namespace late = oleaut::late;

class EmbeddedHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("OLEAUT_REGISTRY", BUILD_REGISTRY, 1);
        log_ = ::testing::TempDir() + "embedded-" + std::to_string(::getpid()) + ".log";
        ::setenv("OLEAUT_EVENTLOG", log_.c_str(), 1);
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    }
    void TearDown() override
    {
        CoUninitialize();
        ::unlink(log_.c_str());
    }
    std::string log_;
};

com_ptr<IDispatch> chart_of(quillet::cQuillet &q)
{
    com_ptr<IDispatch> chart;
    EXPECT_EQ(q.get_oQuillet(chart.put()), S_OK);
    return chart;
}

LONG series_count(IDispatch *chart)
{
    return late::get(late::object_of(late::invoke(chart, u"SeriesCollection", DISPATCH_METHOD)).get(), u"Count")
        .to_i4();
}

TEST_F(EmbeddedHost, NewObjectHasTheInitialChart)
{
    auto q = com_ptr<quillet::cQuillet>::attach(quillet::cQuillet::create());
    com_ptr<IDispatch> chart = chart_of(*q);
    ASSERT_TRUE(chart);
    EXPECT_EQ(late::get(chart.get(), u"ChartType").to_i4(), 54);
    EXPECT_EQ(late::get(chart.get(), u"SizeWithWindow").to_bool(), VARIANT_TRUE);
    EXPECT_EQ(late::get(chart.get(), u"HasDataTable").to_bool(), VARIANT_FALSE);
    EXPECT_EQ(series_count(chart.get()), 0);
}

TEST_F(EmbeddedHost, SeriesAndHeadingsFromSqliteExportAGif)
{
    auto q = com_ptr<quillet::cQuillet>::attach(quillet::cQuillet::create());
    com_ptr<IDispatch> rs = oleaut::rt::create_object(u"ADODB.Recordset");
    late::call(rs.get(), u"Open",
               {variant::str(u"SELECT month, north, south FROM monthly_sales ORDER BY month_no"),
                variant::str_utf8(std::string("Provider=SQLite;Data Source=") + SAMPLE_DB)});
    oleaut::bstr north(u"north"), south(u"south"), month(u"month"), n1(u"North"), n2(u"South");
    ASSERT_EQ(q->AddDataSeries(rs.get(), north.get(), n1.get(), -1, 0), S_OK);
    ASSERT_EQ(q->AddDataSeries(rs.get(), south.get(), n2.get(), 0, -1), S_OK);
    ASSERT_EQ(q->SetXAxisHeadings(rs.get(), month.get()), S_OK);
    com_ptr<IDispatch> chart = chart_of(*q);
    EXPECT_EQ(series_count(chart.get()), 2);
    // The first series layout: legend at the top, the plot area 600 x 250.
    com_ptr<IDispatch> plot = late::object_of(late::get(chart.get(), u"PlotArea"));
    EXPECT_DOUBLE_EQ(late::get(plot.get(), u"Width").to_r8(), 600.0);
    EXPECT_DOUBLE_EQ(late::get(plot.get(), u"Height").to_r8(), 250.0);

    const std::string file = ::testing::TempDir() + "embedded-" + std::to_string(::getpid()) + ".gif";
    oleaut::bstr name(file);
    variant result;
    ASSERT_EQ(q->ExportToGif(name.get(), result.put()), S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    int error = 0;
    GifFileType *gif = DGifOpenFileName(file.c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    // The plot area alone is 800 x 333 pixels at 96 dpi; titles, legend and axes add to it.
    EXPECT_GT(gif->SWidth, 800);
    EXPECT_GT(gif->SHeight, 333);
    DGifCloseFile(gif, &error);
    ::unlink(file.c_str());

    ASSERT_EQ(q->Reset(), S_OK);
    EXPECT_EQ(series_count(chart.get()), 0);
}

}  // namespace

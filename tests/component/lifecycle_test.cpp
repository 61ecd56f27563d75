// Construction, the initial chart defaults, the oQuillet property and destruction,
// against the recording host.
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using oleaut::com_error;
using oleaut::com_ptr;

using Lifecycle = fixture;

const std::vector<std::string> kConstructorCalls = {
    "Application#1.put Visible(BOOL 0)",
    "Application#1.put SheetsInNewWorkbook(I4 1)",
    "Application#1.Workbooks()",
    "Workbooks#2.Add(ERROR missing)",
    "Application#1.ActiveWorkbook()",
    "Workbook#4.Worksheets()",
    "Worksheets#5.Item(I2 1)",
    "Workbook#4.Worksheets()",
    "Worksheets#7.Add(ERROR missing, ERROR missing, ERROR missing, I4 -4109)",
    "Chart#8.put ChartType(I4 54)",
    "Chart#8.put SizeWithWindow(BOOL -1)",
    "Chart#8.put HasDataTable(BOOL 0)",
};

TEST_F(Lifecycle, ConstructorMakesExactlyTheseCalls)
{
    auto q = create();
    EXPECT_EQ(calls_since_mark(), kConstructorCalls);
    EXPECT_EQ(host_->applications_created, 1);
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(Lifecycle, OQuilletAnswersTheChartSheetEveryTime)
{
    auto q = create();
    com_ptr<IDispatch> a, b;
    ASSERT_EQ(q->get_oQuillet(a.put()), S_OK);
    ASSERT_EQ(q->get_oQuillet(b.put()), S_OK);
    ASSERT_TRUE(a);
    EXPECT_EQ(a.get(), b.get());
}

TEST_F(Lifecycle, InitialDefaultsSurviveAFailingSetting)
{
    fail("Chart", "ChartType");
    auto q = create();
    ASSERT_TRUE(q);
    std::vector<std::string> calls = calls_since_mark();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "Chart#8.put SizeWithWindow(BOOL -1)");
    EXPECT_EQ(calls.back(), "Chart#8.put HasDataTable(BOOL 0)");
}

struct failing_step {
    const char *cls;
    const char *member;
    size_t calls_made;  // how many of the constructor's calls happen, the failing one included
};

class ConstructorFailure : public fixture, public ::testing::WithParamInterface<failing_step> {};

TEST_P(ConstructorFailure, EndsConstructionThereAndLeavesNothingBehind)
{
    const failing_step &f = GetParam();
    fail(f.cls, f.member, 1, static_cast<HRESULT>(0x800A03EC), u"No more workbooks today");
    try {
        create();
        FAIL() << "construction succeeded";
    } catch (const com_error &e) {
        EXPECT_EQ(e.hr(), static_cast<HRESULT>(0x800A03EC));
        EXPECT_EQ(e.source(), u"FakeHost");
        EXPECT_EQ(e.description(), u"No more workbooks today");
    }
    std::vector<std::string> expected(kConstructorCalls.begin(), kConstructorCalls.begin() + f.calls_made);
    EXPECT_EQ(calls_since_mark(), expected);
    EXPECT_FALSE(host_->quit_called) << "a failed construction undoes nothing";
    EXPECT_TRUE(log_entries().empty());
    // TearDown checks that every host object was released.
}

INSTANTIATE_TEST_SUITE_P(Steps, ConstructorFailure,
                         ::testing::Values(failing_step{"Application", "Visible", 1},
                                           failing_step{"Workbooks", "Add", 4},
                                           failing_step{"Worksheets", "Item", 7},
                                           failing_step{"Worksheets", "Add", 9}));

class Unregistered : public fixture {
protected:
    bool register_fake_host() const override { return false; }
};

TEST_F(Unregistered, CreationFailsWithTheActivationError)
{
    try {
        create();
        FAIL() << "construction succeeded";
    } catch (const com_error &e) {
        EXPECT_EQ(e.hr(), OART_E_CANTCREATEOBJECT);
        EXPECT_EQ(e.description(), u"ActiveX component can't create object");
    }
    EXPECT_EQ(host_->applications_created, 0);
    EXPECT_TRUE(host_->calls.empty());
}

TEST_F(Lifecycle, OQuilletSetToNoneLeavesContinueOnErrorMethodsQuiet)
{
    auto q = create();
    ASSERT_EQ(q->putref_oQuillet(nullptr), S_OK);
    com_ptr<IDispatch> chart;
    ASSERT_EQ(q->get_oQuillet(chart.put()), S_OK);
    EXPECT_FALSE(chart);
    mark();
    EXPECT_EQ(q->SetChartOptions(51, 400, 300), S_OK);
    EXPECT_TRUE(calls_since_mark().empty());
    q.reset();
    EXPECT_TRUE(host_->quit_called) << "the destructor still closes and quits";
}

TEST_F(Lifecycle, OQuilletSetToAnotherChartRedirectsChartCalls)
{
    auto q = create();
    com_ptr<IDispatch> other = com_ptr<IDispatch>::attach(host_->make_chart());
    ASSERT_EQ(q->putref_oQuillet(other.get()), S_OK);
    mark();
    ASSERT_EQ(q->SetChartOptions(5, 0, 0), S_OK);
    EXPECT_EQ(calls_since_mark(), std::vector<std::string>{"Chart#9.put ChartType(I4 5)"});
}

struct destructor_case {
    int workbooks_open;
    bool close_fails;
    std::vector<std::string> calls;
    bool quits;
};

class Destructor : public fixture, public ::testing::WithParamInterface<destructor_case> {};

TEST_P(Destructor, ClosesOnlyTheFirstWorkbookThenQuits)
{
    const destructor_case &c = GetParam();
    auto q = create();
    host_->workbooks_open = c.workbooks_open;
    if (c.close_fails)
        fail("Workbook", "Close");
    mark();
    q.reset();  // no error can reach anyone from here
    EXPECT_EQ(calls_since_mark(), c.calls);
    EXPECT_EQ(host_->quit_called, c.quits);
    EXPECT_TRUE(log_entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Workbooks, Destructor,
    ::testing::Values(
        destructor_case{0, false, {"Application#1.Workbooks()", "Workbooks#9.Count()", "Application#1.Quit()"}, true},
        destructor_case{1,
                        false,
                        {"Application#1.Workbooks()", "Workbooks#9.Count()", "Application#1.Workbooks()",
                         "Workbooks#10.Item(I2 1)", "Workbook#11.Close(BOOL 0, ERROR missing, ERROR missing)",
                         "Application#1.Quit()"},
                        true},
        destructor_case{2,
                        false,
                        {"Application#1.Workbooks()", "Workbooks#9.Count()", "Application#1.Workbooks()",
                         "Workbooks#10.Item(I2 1)", "Workbook#11.Close(BOOL 0, ERROR missing, ERROR missing)",
                         "Application#1.Quit()"},
                        true},
        destructor_case{1,
                        true,
                        {"Application#1.Workbooks()", "Workbooks#9.Count()", "Application#1.Workbooks()",
                         "Workbooks#10.Item(I2 1)", "Workbook#11.Close(BOOL 0, ERROR missing, ERROR missing)"},
                        false}));

}  // namespace

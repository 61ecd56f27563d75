// The fake host's QuilletTest.Recorder class, which scripts use to read and arrange the
// host's state, checked against that state as the tests see it.
#include "component_fixture.hpp"
#include "oleaut/late_bound.hpp"
#include "oleaut/runtime.hpp"

namespace {

using component_test::fixture;
using oleaut::variant;
namespace late = oleaut::late;

std::string text_of(const variant &v)
{
    return v.vt == VT_BSTR ? oleaut::utf16_to_utf8(oleaut::ostring_view(v.bstrVal, SysStringLen(v.bstrVal))) : "?";
}

class Recorder : public fixture {
protected:
    oleaut::com_ptr<IDispatch> recorder() { return oleaut::rt::create_object(OLESTR("QuilletTest.Recorder")); }
};

TEST_F(Recorder, CallsAnswerTheRecordingOneLinePerCall)
{
    auto q = create();
    auto r = recorder();
    std::string expected;
    for (const std::string &c : host_->call_texts())
        expected += c + "\n";
    EXPECT_EQ(text_of(late::get(r.get(), OLESTR("Calls"))), expected);
    EXPECT_EQ(late::get(r.get(), OLESTR("CallCount")).lVal, static_cast<LONG>(host_->calls.size()));
    EXPECT_EQ(text_of(late::invoke(r.get(), OLESTR("CallsOf"), DISPATCH_METHOD, {variant::str(OLESTR("charttype"))})),
              "Chart#8.put ChartType(I4 54)\n");
    EXPECT_EQ(late::get(r.get(), OLESTR("LiveObjects")).lVal, host_->objects_alive);
    EXPECT_EQ(late::get(r.get(), OLESTR("WorkbooksOpen")).lVal, 1);
    EXPECT_EQ(late::get(r.get(), OLESTR("ApplicationsCreated")).lVal, 1);
    host_->faults.push_back({});
    late::call(r.get(), OLESTR("Clear"));
    EXPECT_TRUE(host_->calls.empty());
    EXPECT_TRUE(host_->faults.empty());
    EXPECT_EQ(host_->workbooks_open, 1) << "the host's world is not the recording";
    EXPECT_EQ(late::get(r.get(), OLESTR("CallCount")).lVal, 0);
}

struct fault_case {
    const OLECHAR *object_class;
    const OLECHAR *member;
    LONG occurrence;
    LONG number;
};

class RecorderFault : public Recorder, public ::testing::WithParamInterface<fault_case> {};

TEST_P(RecorderFault, ArmsTheFaultItDescribes)
{
    auto r = recorder();
    const fault_case &c = GetParam();
    late::call(r.get(), OLESTR("Fault"),
               {variant::str(c.object_class), variant::str(c.member), variant::i4(c.occurrence), variant::i4(c.number)});
    ASSERT_EQ(host_->faults.size(), 1u);
    EXPECT_EQ(host_->faults[0].object_class, oleaut::utf16_to_utf8(c.object_class));
    EXPECT_EQ(host_->faults[0].member, oleaut::utf16_to_utf8(c.member));
    EXPECT_EQ(host_->faults[0].occurrence, c.occurrence);
    EXPECT_EQ(host_->faults[0].number, static_cast<HRESULT>(c.number));
}

INSTANTIATE_TEST_SUITE_P(Faults, RecorderFault,
                         ::testing::Values(fault_case{OLESTR("Chart"), OLESTR("Floor"), 1, -2146827284},
                                           fault_case{OLESTR(""), OLESTR("Export"), 0, -2146826278},
                                           fault_case{OLESTR("Series"), OLESTR("Delete"), 2, 5}));

TEST_F(Recorder, MakeChartAnswersAChartOfTheFakesOwn)
{
    auto r = recorder();
    auto chart = late::object_of(late::invoke(r.get(), OLESTR("MakeChart"), DISPATCH_METHOD));
    host_->calls.clear();
    late::put(chart.get(), OLESTR("ChartType"), variant::i4(5));
    ASSERT_EQ(host_->call_texts().size(), 1u);
    EXPECT_EQ(host_->call_texts()[0].substr(0, 6), "Chart#");
}

}  // namespace

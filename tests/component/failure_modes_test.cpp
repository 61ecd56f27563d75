// The three failure modes as helpers: the continue-on-error step runner, the
// log-and-re-raise handler and the validation error.
#include <sys/stat.h>

#include <functional>

#include "chart/failure_modes.hpp"
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using component_test::log_entry;
using oleaut::com_error;
using quillet::continue_on_error;

using FailureModes = fixture;

const HRESULT kHostError = static_cast<HRESULT>(0x800A03EC);

[[noreturn]] void host_refuses() { throw com_error(kHostError, u"SheetHost", u"Refused"); }

TEST_F(FailureModes, ContinueOnErrorSkipsOnlyTheFailedStep)
{
    std::vector<int> ran;
    continue_on_error steps;
    steps.step([&] { ran.push_back(1); });
    steps.step([&] {
        ran.push_back(2);
        host_refuses();
        ran.push_back(99);  // the rest of a failed step is abandoned
    });
    steps.step([&] { ran.push_back(3); });
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(oleaut::rt::err().number, kHostError) << "the failure is the current error";
    EXPECT_TRUE(log_entries().empty()) << "nothing is logged";
}

TEST_F(FailureModes, FailedTestEntersItsBlock)
{
    continue_on_error steps;
    struct row {
        const char *what;
        std::function<bool()> test;
        bool entered;
    };
    const row rows[] = {
        {"true", [] { return true; }, true},
        {"false", [] { return false; }, false},
        {"failing", []() -> bool { host_refuses(); }, true},
    };
    for (const row &r : rows)
        EXPECT_EQ(steps.test(r.test), r.entered) << r.what;
}

TEST_F(FailureModes, StepTemporariesAreReleasedWhenTheStepFails)
{
    {
        oleaut::com_ptr<IDispatch> chart = oleaut::com_ptr<IDispatch>::attach(host_->make_chart());
        continue_on_error steps;
        steps.step([&] {
            oleaut::com_ptr<IDispatch> temporary = chart;  // released as the step unwinds
            host_refuses();
        });
    }
    EXPECT_EQ(host_->objects_alive, 0);
}

TEST_F(FailureModes, HandlerLogsOnceAndReraisesUnchanged)
{
    try {
        quillet::log_and_reraise([] { throw com_error(kHostError, u"SheetHost", u"Tab\there\\"); });
        FAIL() << "the handler did not re-raise";
    } catch (const com_error &e) {
        EXPECT_EQ(e.hr(), kHostError);
        EXPECT_EQ(e.source(), u"SheetHost");
        EXPECT_EQ(e.description(), u"Tab\there\\");
        EXPECT_TRUE(e.help_file().empty());
        EXPECT_EQ(e.help_context(), 0u);
    }
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "Tab\there\\"}}));
}

TEST_F(FailureModes, HandlerDoesNothingWhenTheBodySucceeds)
{
    int runs = 0;
    quillet::log_and_reraise([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(FailureModes, FailingLogWriteReachesTheCallerInstead)
{
    const std::string dir = ::testing::TempDir() + "quillet-log-is-a-dir-" + std::to_string(::getpid());
    ::mkdir(dir.c_str(), 0700);
    ::setenv("OLEAUT_EVENTLOG", dir.c_str(), 1);
    try {
        quillet::log_and_reraise([] { host_refuses(); });
        FAIL() << "nothing was raised";
    } catch (const com_error &e) {
        EXPECT_EQ(e.hr(), OART_E_FILEACCESS);
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find(dir), std::string::npos) << e.what();
    }
    ::rmdir(dir.c_str());
}

TEST_F(FailureModes, ValidationErrorCarriesTheComponentsNumberAndDefaultSource)
{
    auto q = create();
    try {
        quillet::raise_validation_error(quillet::kNoDataSeries);
        FAIL();
    } catch (const com_error &e) {
        EXPECT_EQ(e.hr(), static_cast<HRESULT>(0x800403E9));
        EXPECT_EQ(e.source(), u"Quillet.cQuillet");
        EXPECT_EQ(e.description(), u"No data series in chart");
    }
}

}  // namespace

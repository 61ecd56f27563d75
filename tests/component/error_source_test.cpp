// The component names its errors "Quillet.cQuillet" without touching the runtime's
// process-wide default source: errors of other code in the same process, raised after a
// cQuillet was made, keep the runtime's own default.
#include <sys/stat.h>

#include <functional>

#include "chart/failure_modes.hpp"
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using oleaut::bstr;
using oleaut::variant;

constexpr char16_t kComponent[] = u"Quillet.cQuillet";

std::u16string runtime_default_source()
{
    bstr s;
    EXPECT_EQ(OaRtGetDefaultSource(s.put()), S_OK);
    return s.str();
}

std::u16string current_error_source()
{
    bstr s;
    OaRtErrSource(s.put());
    return s.str();
}

// A failure elsewhere in the process that leaves the source to the runtime.
struct unrelated_failure {
    const char *what;
    std::function<HRESULT()> fail;
};

const unrelated_failure kUnrelated[] = {
    {"Raise without a source",
     [] {
         variant missing = variant::missing();
         return OaRtRaise(5, &missing, &missing, &missing, &missing);
     }},
    {"Raise with nothing given", [] { return OaRtRaise(13, nullptr, nullptr, nullptr, nullptr); }},
    {"CreateObject of an unknown class",
     [] {
         IDispatch *d = nullptr;
         return OaRtCreateObject(u"Nobody.NoSuchClass", &d);
     }},
};

class UnrelatedFailure : public fixture, public ::testing::WithParamInterface<unrelated_failure> {};

TEST_P(UnrelatedFailure, KeepsTheRuntimesDefaultSourceAfterACQuilletWasMade)
{
    const std::u16string before = runtime_default_source();
    ASSERT_NE(before, kComponent);
    auto q = create();
    EXPECT_EQ(runtime_default_source(), before) << "making a cQuillet left the default source alone";

    OaRtErrClear();
    EXPECT_TRUE(FAILED(GetParam().fail())) << GetParam().what;
    EXPECT_EQ(current_error_source(), before) << GetParam().what;
    OaRtErrClear();
}

INSTANTIATE_TEST_SUITE_P(Failures, UnrelatedFailure, ::testing::ValuesIn(kUnrelated));

TEST_F(UnrelatedFailure, ComponentErrorsStillCarryTheComponentsName)
{
    const std::u16string before = runtime_default_source();
    auto q = create();
    bstr file(u"x.gif");
    variant result;
    EXPECT_EQ(q->ExportToGif(file.get(), result.put()), static_cast<HRESULT>(0x800403E9));
    EXPECT_EQ(last_error().source, kComponent);
    EXPECT_EQ(runtime_default_source(), before);
}

class UnregisteredHost : public fixture {
protected:
    bool register_fake_host() const override { return false; }
};

// The runtime reports the failed activation; leaving the constructor it is the component's.
TEST_F(UnregisteredHost, FailedActivationOfTheHostIsNamedAfterTheComponent)
{
    const std::u16string before = runtime_default_source();
    try {
        create();
        FAIL() << "construction succeeded";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), OART_E_CANTCREATEOBJECT);
        EXPECT_EQ(e.source(), kComponent);
    }
    EXPECT_EQ(runtime_default_source(), before);
}

// The runtime reports the failed log write; the handler's failure is the component's.
TEST_F(UnrelatedFailure, FailedLogWriteIsNamedAfterTheComponent)
{
    const std::string dir = ::testing::TempDir() + "quillet-source-log-dir-" + std::to_string(::getpid());
    ::mkdir(dir.c_str(), 0700);
    ::setenv("OLEAUT_EVENTLOG", dir.c_str(), 1);
    try {
        quillet::log_and_reraise([] { throw oleaut::com_error(E_FAIL, u"SheetHost", u"Refused"); });
        FAIL() << "nothing was raised";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), OART_E_FILEACCESS);
        EXPECT_EQ(e.source(), kComponent);
    }
    ::rmdir(dir.c_str());
}

}  // namespace

// The C++ face of the runtime services (oleaut::rt): failures come back as com_error
// carrying what the runtime made the current error.
#include <gtest/gtest.h>

#include "oleaut/runtime.hpp"
#include "runtime/errors/event_log_test_support.hpp"

namespace {

namespace rt = oleaut::rt;
using oleaut::com_error;

class CppRuntime : public ::testing::Test {
protected:
    void SetUp() override
    {
        OaRtErrClear();
        OaRtSetDefaultSource(u"Quillet.cQuillet");
    }
    void TearDown() override
    {
        OaRtErrClear();
        OaRtSetDefaultSource(nullptr);
    }
};

template <class F>
com_error caught(F f)
{
    try {
        f();
    } catch (const com_error &e) {
        return e;
    }
    ADD_FAILURE() << "no com_error thrown";
    return com_error(S_OK, u"", u"");
}

TEST_F(CppRuntime, RaiseFillsInAndThrows)
{
    com_error e = caught([] { rt::raise(OART_E_TYPEMISMATCH); });
    EXPECT_EQ(e.hr(), OART_E_TYPEMISMATCH);
    EXPECT_EQ(e.source(), u"Quillet.cQuillet");
    EXPECT_EQ(e.description(), u"Type mismatch");
    EXPECT_EQ(rt::err().number, OART_E_TYPEMISMATCH);
}

TEST_F(CppRuntime, RaiseKeepsGivenFields)
{
    com_error e = caught([] { rt::raise(OART_OBJECT_ERROR_BASE + 1001, u"Chart.Export", u"", u"q.chm", 8); });
    EXPECT_EQ(e.hr(), OART_OBJECT_ERROR_BASE + 1001);
    EXPECT_EQ(e.source(), u"Chart.Export");
    EXPECT_EQ(e.description(), u"");
    EXPECT_EQ(e.help_file(), u"q.chm");
    EXPECT_EQ(e.help_context(), 8u);
}

TEST_F(CppRuntime, RaiseOfZeroThrowsTheRefusal)
{
    com_error e = caught([] { rt::raise(0, u"ignored", u"ignored"); });
    EXPECT_EQ(e.hr(), OART_E_INVALIDPROCCALL);
    EXPECT_EQ(e.description(), u"Invalid procedure call or argument");
}

TEST_F(CppRuntime, SetErrThenErrReadsItBack)
{
    rt::set_err(com_error(E_FAIL, u"Src", u"Desc", u"f.chm", 5));
    rt::err_record r = rt::err();
    EXPECT_EQ(r.number, E_FAIL);
    EXPECT_EQ(r.source, u"Src");
    EXPECT_EQ(r.description, u"Desc");
    EXPECT_EQ(r.help_file, u"f.chm");
    EXPECT_EQ(r.help_context, 5);
}

TEST_F(CppRuntime, CreateObjectOfUnknownProgIdThrows)
{
    com_error e = caught([] { (void)rt::create_object(u"Quillet.NoSuchClass.42"); });
    EXPECT_EQ(e.hr(), OART_E_CANTCREATEOBJECT);
    EXPECT_EQ(e.description(), u"ActiveX component can't create object");
    EXPECT_EQ(e.source(), u"Quillet.cQuillet");
}

TEST_F(CppRuntime, LogEventFailureThrowsFileAccess)
{
    event_log_test::scoped_log_dir log;
    log.point_to(log.dir() / "missing" / "events.log");
    com_error e = caught([] { rt::log_event(u"lost?", OART_EVENT_ERROR); });
    EXPECT_EQ(e.hr(), OART_E_FILEACCESS);
    EXPECT_NE(e.description().find(u"missing/events.log"), std::u16string::npos);
}

TEST_F(CppRuntime, LogEventWrites)
{
    event_log_test::scoped_log_dir log;
    rt::log_event(u"written \u00E9", OART_EVENT_WARNING);
    const auto entries = event_log_test::read_entries(log.log());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "written \xC3\xA9");
    EXPECT_EQ(entries[0].type, OART_EVENT_WARNING);
}

}  // namespace

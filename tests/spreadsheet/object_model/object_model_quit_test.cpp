// Quit: after it, every object of the host refuses further calls with a clear error,
// whatever it is and however long the client kept it.
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

using QuitTest = HostTest;

TEST_F(QuitTest, EveryObjectRefusesAfterQuit)
{
    std::vector<host_object> rows = one_of_each_object();
    for (const host_object &r : rows)
        EXPECT_NO_THROW(r.object.get(r.member)) << oleaut::utf16_to_utf8(r.name);

    app.call(u"Quit");

    for (const host_object &r : rows) {
        SCOPED_TRACE(oleaut::utf16_to_utf8(r.name));
        oleaut::com_error e = error_of([&] { r.object.get(r.member); });
        expect_host_error(e, host_error::application_quit);
        EXPECT_EQ(e.description(), u"The application has quit: " + std::u16string(r.name) + u" can no longer be used");
    }
    expect_host_error(error_of([&] { app.object(u"Workbooks").call(u"Add"); }), host_error::application_quit);
    expect_host_error(error_of([&] { app.call(u"Quit"); }), host_error::application_quit);
}

TEST_F(QuitTest, QuitClosesTheWorkbooksItHad)
{
    open_chart_workbook();
    late_bound books = app.object(u"Workbooks");
    books.call(u"Add");
    app.call(u"Quit");
    // Names still resolve; only calls are refused.
    LPOLESTR name = const_cast<LPOLESTR>(u"Count");
    DISPID id = 0;
    EXPECT_EQ(books.get()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_EN_US, &id), S_OK);
    expect_host_error(error_of([&] { books.get(u"Count"); }), host_error::application_quit);
    // The quit comes first even for an object of a workbook that was closed by it.
    expect_host_error(error_of([&] { book.get(u"Name"); }), host_error::application_quit);
}

TEST_F(QuitTest, ErrorsAlsoReachClientsThatPassNoExcepInfo)
{
    open_chart_workbook();
    app.call(u"Quit");
    LPOLESTR name = const_cast<LPOLESTR>(u"Name");
    DISPID id = 0;
    ASSERT_EQ(book.get()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_EN_US, &id), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    variant result;
    HRESULT hr = book.get()->Invoke(id, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYGET, &none, result.put(), nullptr, nullptr);
    EXPECT_EQ(hr, sheethost::host_hresult(host_error::application_quit));
    oleaut::com_error published = oleaut::com_error::from_error_info(hr);
    EXPECT_EQ(published.source(), u"SheetHost");
    EXPECT_EQ(published.description(), u"The application has quit: Workbook can no longer be used");
}

}  // namespace

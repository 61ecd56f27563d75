// Application and Workbooks: what the component relies on when it starts the host.
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

using ApplicationTest = HostTest;

TEST_F(ApplicationTest, StartsHiddenWithoutWorkbooksAndKeepsWhatIsPut)
{
    EXPECT_EQ(app.get(u"Visible").boolVal, VARIANT_FALSE);
    EXPECT_EQ(app.object(u"Workbooks").get(u"Count").lVal, 0);
    variant none = app.get(u"ActiveWorkbook");
    EXPECT_EQ(none.vt, VT_DISPATCH);
    EXPECT_EQ(none.pdispVal, nullptr);

    app.put(u"Visible", variant::boolean(true));
    EXPECT_EQ(app.get(u"Visible").boolVal, VARIANT_TRUE);
    app.put(u"Visible", variant::boolean(false));
    EXPECT_EQ(app.get(u"Visible").boolVal, VARIANT_FALSE);
    app.put(u"SheetsInNewWorkbook", variant::i4(4));
    EXPECT_EQ(app.get(u"SheetsInNewWorkbook").lVal, 4);
}

TEST_F(ApplicationTest, NewWorkbookIsActiveAndHasSheetsInNewWorkbookWorksheets)
{
    for (LONG sheets : {1, 3, 7}) {
        app.put(u"SheetsInNewWorkbook", variant::i4(sheets));
        late_bound added = app.object(u"Workbooks").call_object(u"Add");
        late_bound active = app.object(u"ActiveWorkbook");
        EXPECT_EQ(text(active.get(u"Name")), text(added.get(u"Name")));
        EXPECT_EQ(active.object(u"Worksheets").get(u"Count").lVal, sheets);
        EXPECT_EQ(active.object(u"Sheets").get(u"Count").lVal, sheets);
    }
    EXPECT_EQ(app.object(u"Workbooks").get(u"Count").lVal, 3);
}

TEST_F(ApplicationTest, WorkbooksItemAcceptsShortLongAndName)
{
    late_bound books = app.object(u"Workbooks");
    books.call(u"Add");
    books.call(u"Add");
    struct row {
        variant index;
        const char16_t *name;
    };
    const row rows[] = {
        {variant::i2(1), u"Book1"}, {variant::i4(2), u"Book2"}, {variant::r8(2), u"Book2"}, {variant::str(u"book1"), u"Book1"}};
    for (const row &r : rows) {
        EXPECT_EQ(text(books.object(u"Item", {r.index}).get(u"Name")), r.name);
        EXPECT_EQ(text(books.object(u"_Default", {r.index}).get(u"Name")), r.name);
    }
}

TEST_F(ApplicationTest, WorkbooksRefusesIndexesItDoesNotHave)
{
    late_bound books = app.object(u"Workbooks");
    books.call(u"Add");
    for (variant index : {variant::i2(0), variant::i2(2), variant::i4(-1), variant::str(u"Book9")})
        expect_host_error(error_of([&] { books.get(u"Item", {index}); }), host_error::workbook_index, u"1 open");
    expect_host_error(error_of([&] { books.get(u"Item", {variant::str(u"x")}); }), host_error::workbook_index,
                      u"There is no workbook \"x\"");
}

TEST_F(ApplicationTest, AddTakesTheTwoOneSheetTemplatesAndNoFiles)
{
    late_bound books = app.object(u"Workbooks");
    late_bound only_chart = books.call_object(u"Add", {variant::i4(kXlChart)});
    EXPECT_EQ(only_chart.object(u"Sheets").get(u"Count").lVal, 1);
    EXPECT_EQ(only_chart.object(u"Worksheets").get(u"Count").lVal, 0);
    late_bound only_sheet = books.call_object(u"Add", {variant::i4(-4167)});
    EXPECT_EQ(only_sheet.object(u"Worksheets").get(u"Count").lVal, 1);
    for (variant t : {variant::str(u"/tmp/template.xlt"), variant::i4(3)})
        expect_host_error(error_of([&] { books.call(u"Add", {t}); }), host_error::invalid_argument, u"Template");
    EXPECT_EQ(books.get(u"Count").lVal, 2);
}

TEST_F(ApplicationTest, SheetsInNewWorkbookStaysWithinOneTo255)
{
    for (LONG bad : {0, -1, 256}) {
        expect_host_error(error_of([&] { app.put(u"SheetsInNewWorkbook", variant::i4(bad)); }),
                          host_error::invalid_argument, u"SheetsInNewWorkbook must be from 1 to 255");
        EXPECT_EQ(app.get(u"SheetsInNewWorkbook").lVal, 3);
    }
}

TEST_F(ApplicationTest, MembersAreFoundWithoutRegardToCaseAndWithScriptFlags)
{
    EXPECT_EQ(app.get(u"sheetsinnewworkbook").lVal, 3);
    variant books = app.invoke(u"WORKBOOKS", DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    ASSERT_EQ(books.vt, VT_DISPATCH);
    late_bound::from(books).invoke(u"add", DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_EQ(app.object(u"Workbooks").get(u"Count").lVal, 1);
}

TEST_F(ApplicationTest, GetsMayCallMethodsAndMethodCallsMayReadProperties)
{
    // As clients of the classic host do: Add through a property get, Item and Count
    // through a method call.
    late_bound books = app.object(u"Workbooks");
    variant added = books.invoke(u"Add", DISPATCH_PROPERTYGET);
    ASSERT_EQ(added.vt, VT_DISPATCH);
    EXPECT_EQ(books.invoke(u"Count", DISPATCH_METHOD).lVal, 1);
    EXPECT_EQ(text(books.call_object(u"Item", {variant::i2(1)}).get(u"Name")), u"Book1");
    // A put is never taken for a get, nor the other way round.
    EXPECT_EQ(error_of([&] { books.invoke(u"Count", DISPATCH_PROPERTYPUT, {variant::i4(3)}); }).hr(),
              DISP_E_MEMBERNOTFOUND);
    // An unknown name is the host's DISP_E_UNKNOWNNAME, which a late-bound call reports as
    // "object doesn't support this property or method".
    LPOLESTR unknown_name[] = {const_cast<LPOLESTR>(u"Nothing here")};
    DISPID unknown_id = 0;
    EXPECT_EQ(app.get()->GetIDsOfNames(IID_NULL, unknown_name, 1, LOCALE_EN_US, &unknown_id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(error_of([&] { app.invoke(u"Nothing here", DISPATCH_METHOD); }).hr(), OART_E_NOTSUPPORTED);
}

TEST_F(ApplicationTest, GetIDsOfNamesAnswersTheClassicDispatchIds)
{
    struct row {
        const char16_t *member;
        DISPID id;
    };
    const row rows[] = {{u"Workbooks", 0x23C}, {u"Visible", 0x22E}, {u"Quit", 0x12E},
                        {u"SheetsInNewWorkbook", 0x3E1}, {u"ActiveWorkbook", 0x134}};
    for (const row &r : rows) {
        LPOLESTR name = const_cast<LPOLESTR>(r.member);
        DISPID id = 0;
        EXPECT_EQ(app.get()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_EN_US, &id), S_OK);
        EXPECT_EQ(id, r.id) << oleaut::utf16_to_utf8(r.member);
    }
}

}  // namespace

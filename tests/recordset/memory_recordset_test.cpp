// In-memory recordsets, built the way a script builds a disconnected one: Fields.Append
// while closed, Open without a source, then AddNew / Update.
#include <gtest/gtest.h>

#include "recordset_test_support.hpp"

namespace {

using namespace rs_test;

constexpr LONG adInteger = 3, adDouble = 5, adVarWChar = 202, adBoolean = 11, adVarBinary = 204, adVariant = 12;
constexpr LONG adFldIsNullable = 0x20;

com_ptr<IDispatch> fields_of(IDispatch *rs) { return object_of(get(rs, u"Fields")); }

void append(IDispatch *rs, std::u16string_view name, LONG type, std::optional<LONG> size = std::nullopt,
            std::optional<LONG> attrib = std::nullopt)
{
    call(fields_of(rs).get(), u"Append",
         {variant::str(name), variant::i4(type), size ? variant::i4(*size) : variant::missing(),
          attrib ? variant::i4(*attrib) : variant::missing()});
}

// Month (text, at most 3 characters), Sales (double, may be Null), Units (integer).
com_ptr<IDispatch> sales_shape()
{
    com_ptr<IDispatch> rs = new_recordset();
    append(rs.get(), u"Month", adVarWChar, 3);
    append(rs.get(), u"Sales", adDouble, std::nullopt, adFldIsNullable);
    append(rs.get(), u"Units", adInteger);
    call(rs.get(), u"Open");
    return rs;
}

variant array_of(std::vector<variant> items)
{
    SAFEARRAY *sa = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i)
        oleaut::check(SafeArrayPutElement(sa, &i, &items[static_cast<size_t>(i)]));
    variant v;
    v.vt = VT_ARRAY | VT_VARIANT;
    v.parray = sa;
    return v;
}

TEST(MemoryRecordset, OpensEmpty)
{
    com_ptr<IDispatch> rs = sales_shape();
    EXPECT_EQ(get(rs.get(), u"State").lVal, 1);
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 0);
    EXPECT_TRUE(eof(rs.get()));
    EXPECT_TRUE(bof(rs.get()));
    call(rs.get(), u"MoveFirst");  // succeeds on an empty recordset
    EXPECT_TRUE(eof(rs.get()));
    EXPECT_TRUE(read_column(rs.get(), u"Sales").empty());
}

TEST(MemoryRecordset, AddNewThenFieldValuesThenUpdate)
{
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew");
    put(field(rs.get(), u"Month").get(), u"Value", variant::str(u"Jan"));
    put(field(rs.get(), u"Sales").get(), u"Value", variant::str(u"12.5"));  // converted to the field's type
    put(field(rs.get(), u"Units").get(), u"Value", variant::r8(3.0));
    call(rs.get(), u"Update");
    call(rs.get(), u"AddNew", {array_of({variant::str(u"Month"), variant::str(u"Units")}),
                              array_of({variant::str(u"Feb"), variant::i2(4)})});
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 2);

    std::vector<variant> sales = read_column(rs.get(), u"Sales");
    ASSERT_EQ(sales.size(), 2u);
    EXPECT_EQ(sales[0].vt, VT_R8);
    EXPECT_EQ(sales[0].dblVal, 12.5);
    EXPECT_EQ(sales[1].vt, VT_NULL);  // never set
    std::vector<variant> units = read_column(rs.get(), u"Units");
    EXPECT_EQ(units[0].vt, VT_I4);
    EXPECT_EQ(units[0].lVal, 3);
    EXPECT_EQ(units[1].lVal, 4);
}

TEST(MemoryRecordset, AddNewWithOneFieldAndOneValue)
{
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew", {variant::str(u"units"), variant::str(u"42")});
    EXPECT_EQ(value_of(rs.get(), u"Units").lVal, 42);
}

TEST(MemoryRecordset, CancelUpdateDropsANewRecordAndRestoresAChangedOne)
{
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew", {variant::str(u"Units"), variant::i4(1)});
    call(rs.get(), u"AddNew");
    put(field(rs.get(), u"Units").get(), u"Value", variant::i4(2));
    call(rs.get(), u"CancelUpdate");
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 1);
    EXPECT_EQ(value_of(rs.get(), u"Units").lVal, 1);  // back on the record that was current

    put(field(rs.get(), u"Units").get(), u"Value", variant::i4(9));
    EXPECT_EQ(value_of(rs.get(), u"Units").lVal, 9);
    call(rs.get(), u"CancelUpdate");
    EXPECT_EQ(value_of(rs.get(), u"Units").lVal, 1);
}

TEST(MemoryRecordset, MovingKeepsAPendingChange)
{
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew", {variant::str(u"Units"), variant::i4(1)});
    put(field(rs.get(), u"Units").get(), u"Value", variant::i4(5));
    call(rs.get(), u"MoveFirst");
    call(rs.get(), u"CancelUpdate");  // nothing pending any more
    EXPECT_EQ(value_of(rs.get(), u"Units").lVal, 5);
}

TEST(MemoryRecordset, FieldsSurviveCloseAndReopenEmpty)
{
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew", {variant::str(u"Units"), variant::i4(1)});
    call(rs.get(), u"Close");
    EXPECT_EQ(get(rs.get(), u"State").lVal, 0);
    EXPECT_EQ(get(fields_of(rs.get()).get(), u"Count").lVal, 3);
    call(rs.get(), u"Open");
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 0);
}

TEST(MemoryRecordset, VariantAndBinaryFieldsKeepWhatTheyGet)
{
    com_ptr<IDispatch> rs = new_recordset();
    append(rs.get(), u"Any", adVariant, std::nullopt, adFldIsNullable);
    append(rs.get(), u"Bytes", adVarBinary, 2);
    append(rs.get(), u"Flag", adBoolean);
    call(rs.get(), u"Open");
    SAFEARRAY *sa = SafeArrayCreateVector(VT_UI1, 0, 2);
    variant bytes;
    bytes.vt = VT_ARRAY | VT_UI1;
    bytes.parray = sa;
    call(rs.get(), u"AddNew", {array_of({variant::str(u"Any"), variant::str(u"Bytes"), variant::str(u"Flag")}),
                              array_of({variant::i2(7), bytes, variant::str(u"True")})});
    EXPECT_EQ(value_of(rs.get(), u"Any").vt, VT_I2);
    EXPECT_EQ(value_of(rs.get(), u"Bytes").vt, VT_ARRAY | VT_UI1);
    EXPECT_EQ(value_of(rs.get(), u"Flag").boolVal, VARIANT_TRUE);
}

TEST(MemoryRecordset, PutThroughTheDefaultMembers)
{
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew");
    // rs("Units") = 7, as a script writes it: a put on DISPID_VALUE with an index.
    invoke(rs.get(), u"Fields", DISPATCH_PROPERTYPUT, {variant::str(u"Units"), variant::i4(7)}, true);
    // rs.Fields("Month") = "Mar"
    invoke(object_of(get(rs.get(), u"Fields")).get(), u"Item", DISPATCH_PROPERTYPUT,
           {variant::str(u"Month"), variant::str(u"Mar")}, true);
    call(rs.get(), u"Update");
    EXPECT_EQ(value_of(rs.get(), u"Units").lVal, 7);
    EXPECT_EQ(value_of(rs.get(), u"Month").to_bstr().utf8(), "Mar");
}

// --- refusals ---------------------------------------------------------------------------

TEST(MemoryRecordset, AddNewOnAClosedRecordset)
{
    com_ptr<IDispatch> rs = new_recordset();
    append(rs.get(), u"Units", adInteger);
    expect_error([&] { call(rs.get(), u"AddNew"); }, kObjectClosed,
                 "The recordset is closed, so AddNew cannot run. Call Open first.");
}

struct append_case {
    const char *name;
    const char16_t *field;
    LONG type;
    LONG size;
    HRESULT hr;
    const char *part;
};

const append_case kAppendRefusals[] = {
    {"unknown_type", u"X", 999, 0, kInvalidArgument, "does not know the field type 999. Use one of: 2 (adSmallInt)"},
    {"empty_name", u"", adInteger, 0, kInvalidArgument, "Fields.Append needs a field name"},
    {"duplicate_ignoring_case", u"UNITS", adInteger, 0, kObjectInCollection, "already has a field named 'UNITS'"},
    {"negative_size", u"Y", adVarWChar, -1, kInvalidArgument, "DefinedSize must be 0 (no limit) or more; -1"},
};

class MemoryAppendRefused : public ::testing::TestWithParam<append_case> {};

TEST_P(MemoryAppendRefused, NamesTheProblem)
{
    const append_case &c = GetParam();
    com_ptr<IDispatch> rs = new_recordset();
    append(rs.get(), u"Units", adInteger);
    expect_error([&] { append(rs.get(), c.field, c.type, c.size); }, c.hr, c.part);
    EXPECT_EQ(get(fields_of(rs.get()).get(), u"Count").lVal, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryAppendRefused, ::testing::ValuesIn(kAppendRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MemoryRecordset, AppendWhileOpen)
{
    com_ptr<IDispatch> rs = sales_shape();
    expect_error([&] { append(rs.get(), u"More", adInteger); }, kObjectOpen,
                 "The recordset is open, so Fields.Append cannot run");
}

struct put_case {
    const char *name;
    const char16_t *field;
    variant (*value)();
    HRESULT hr;
    const char *part;
};

const put_case kPutRefusals[] = {
    {"text_not_a_number", u"Units", [] { return variant::str(u"many"); }, kDataConversion,
     "The value for the field 'Units' cannot be stored as adInteger"},
    {"null_not_allowed", u"Units", [] { return variant::null(); }, kSchemaViolation,
     "The field 'Units' does not accept Null. Append it with the attribute adFldIsNullable (32)"},
    {"too_long", u"Month", [] { return variant::str(u"January"); }, kDataOverflow,
     "The value for the field 'Month' has 7 characters, but the field holds at most 3"},
    {"overflow", u"Units", [] { return variant::r8(1e12); }, kDataConversion, "cannot be stored as adInteger"},
};

class MemoryPutRefused : public ::testing::TestWithParam<put_case> {};

TEST_P(MemoryPutRefused, LeavesTheValueAlone)
{
    const put_case &c = GetParam();
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew", {array_of({variant::str(u"Month"), variant::str(u"Units")}),
                              array_of({variant::str(u"Jan"), variant::i4(1)})});
    variant before = value_of(rs.get(), c.field);
    expect_error([&] { put(field(rs.get(), c.field).get(), u"Value", c.value()); }, c.hr, c.part);
    EXPECT_EQ(value_of(rs.get(), c.field).to_bstr().utf8(), before.to_bstr().utf8());
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryPutRefused, ::testing::ValuesIn(kPutRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MemoryRecordset, AddNewListsOfDifferentLengthAddNothing)
{
    com_ptr<IDispatch> rs = sales_shape();
    expect_error(
        [&] {
            call(rs.get(), u"AddNew",
                 {array_of({variant::str(u"Month"), variant::str(u"Units")}), array_of({variant::str(u"Jan")})});
        },
        kInvalidArgument, "AddNew got 2 field names but 1 values");
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 0);
}

TEST(MemoryRecordset, AddNewWithABadValueAddsNothing)
{
    com_ptr<IDispatch> rs = sales_shape();
    expect_error([&] { call(rs.get(), u"AddNew", {variant::str(u"Units"), variant::str(u"x")}); }, kDataConversion,
                 "field 'Units'");
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 0);
}

TEST(MemoryRecordset, CloseWithAPendingRecordIsRefused)
{
    com_ptr<IDispatch> rs = sales_shape();
    call(rs.get(), u"AddNew");
    expect_error([&] { call(rs.get(), u"Close"); }, kIllegalOperation,
                 "A change to the current record is pending, so Close cannot run");
    call(rs.get(), u"Update");
    call(rs.get(), u"Close");
}

TEST(MemoryRecordset, OpenWithASourceAfterAppend)
{
    com_ptr<IDispatch> rs = new_recordset();
    append(rs.get(), u"Units", adInteger);
    expect_error([&] { call(rs.get(), u"Open", {variant::str(u"SELECT 1")}); }, kInvalidArgument,
                 "call Open without Source and ActiveConnection");
}

}  // namespace

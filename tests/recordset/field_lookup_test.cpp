// Selecting fields the ways clients do: rs.Fields("x").Value, rs.Fields.Item("x"),
// rs("x") through the default members, by 0-based number, without regard to case.
#include <gtest/gtest.h>

#include "recordset_test_support.hpp"

namespace {

using namespace rs_test;

com_ptr<IDispatch> sales_csv() { return open_recordset(std::nullopt, csv_connection(data_file("sales.csv"))); }

struct index_case {
    const char *name;
    variant (*index)();
    const char *field_name;
};

const index_case kIndexes[] = {
    {"exact_name", [] { return variant::str(u"Month"); }, "Month"},
    {"other_case", [] { return variant::str(u"mONTH"); }, "Month"},
    {"i4", [] { return variant::i4(2); }, "Sales"},
    {"i2", [] { return variant::i2(0); }, "Region"},
    {"r8", [] { return variant::r8(1.0); }, "Month"},
    {"i8", [] { return variant::i8(1); }, "Month"},
};

class FieldIndex : public ::testing::TestWithParam<index_case> {};

TEST_P(FieldIndex, SelectsTheField)
{
    com_ptr<IDispatch> rs = sales_csv();
    com_ptr<IDispatch> f = object_of(call(rs.get(), u"Fields", {GetParam().index()}));
    EXPECT_EQ(u8(get(f.get(), u"Name").bstrVal), GetParam().field_name);
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldIndex, ::testing::ValuesIn(kIndexes),
                         [](const auto &info) { return std::string(info.param.name); });

struct bad_index_case {
    const char *name;
    variant (*index)();
    HRESULT hr;
    const char *part;
};

const bad_index_case kBadIndexes[] = {
    {"unknown_name", [] { return variant::str(u"Revenue"); }, kItemNotFound,
     "The recordset has no field named 'Revenue'. Its fields are: Region, Month, Sales."},
    {"number_as_text", [] { return variant::str(u"0"); }, kItemNotFound, "no field named '0'"},
    {"empty_name", [] { return variant::str(u""); }, kItemNotFound, "no field named ''"},
    {"too_high", [] { return variant::i4(3); }, kItemNotFound, "no field at index 3: it has 3 fields, counted from 0"},
    {"negative", [] { return variant::i4(-1); }, kItemNotFound, "no field at index -1"},
    {"null", [] { return variant::null(); }, kInvalidArgument, "a value of variant type Null (VT_NULL) selects nothing"},
    {"boolean", [] { return variant::boolean(true); }, kInvalidArgument, "Boolean (VT_BOOL)"},
};

class FieldIndexRefused : public ::testing::TestWithParam<bad_index_case> {};

TEST_P(FieldIndexRefused, WithTheRecordsetsOwnError)
{
    com_ptr<IDispatch> rs = sales_csv();
    com_ptr<IDispatch> fields = object_of(get(rs.get(), u"Fields"));
    expect_error([&] { get(fields.get(), u"Item", {GetParam().index()}); }, GetParam().hr, GetParam().part);
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldIndexRefused, ::testing::ValuesIn(kBadIndexes),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FieldLookup, AllThreeSpellingsReachTheSameValue)
{
    com_ptr<IDispatch> rs = sales_csv();
    call(rs.get(), u"MoveNext");
    std::string by_fields = value_of(rs.get(), u"Sales").to_bstr().utf8();
    com_ptr<IDispatch> fields = object_of(get(rs.get(), u"Fields"));
    std::string by_item = get(object_of(call(fields.get(), u"Item", {variant::str(u"Sales")})).get(), u"Value")
                              .to_bstr().utf8();
    // rs("Sales"): the recordset's default member (Fields) takes the index.
    variant through_default = invoke(rs.get(), u"Fields", kScriptCall, {variant::str(u"Sales")});
    std::string by_default = get(object_of(through_default).get(), u"Value").to_bstr().utf8();
    EXPECT_EQ(by_fields, "135.5");
    EXPECT_EQ(by_item, "135.5");
    EXPECT_EQ(by_default, "135.5");
}

TEST(FieldLookup, DefaultDispatchIdsChainToTheValue)
{
    com_ptr<IDispatch> rs = sales_csv();
    variant index = variant::str(u"Region");
    DISPPARAMS dp{&index, nullptr, 1, 0};
    variant f;
    ASSERT_EQ(rs->Invoke(DISPID_VALUE, IID_NULL, LOCALE_EN_US, kScriptCall, &dp, f.put(), nullptr, nullptr), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    variant v;
    ASSERT_EQ(object_of(f)->Invoke(DISPID_VALUE, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYGET, &none, v.put(), nullptr,
                                   nullptr),
              S_OK);
    EXPECT_EQ(v.to_bstr().utf8(), "North");
}

TEST(FieldLookup, AFieldFollowsTheCursor)
{
    com_ptr<IDispatch> rs = sales_csv();
    com_ptr<IDispatch> region = field(rs.get(), u"Region");
    std::vector<std::string> seen;
    while (!eof(rs.get())) {
        seen.push_back(get(region.get(), u"Value").to_bstr().utf8());
        call(rs.get(), u"MoveNext");
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"North", "North", "South", "South"}));
}

TEST(FieldLookup, RepeatedLookupsHandOutTheSameField)
{
    com_ptr<IDispatch> rs = sales_csv();
    com_ptr<IDispatch> a = field(rs.get(), u"Sales");
    com_ptr<IDispatch> b = field(rs.get(), u"sales");
    com_ptr<IDispatch> c = field(rs.get(), u"Region");
    EXPECT_EQ(a.get(), b.get());
    EXPECT_NE(a.get(), c.get());
    EXPECT_EQ(get(rs.get(), u"Fields").pdispVal, get(rs.get(), u"Fields").pdispVal);
}

TEST(FieldLookup, AFieldFromAnEarlierOpeningIsStale)
{
    com_ptr<IDispatch> rs = sales_csv();
    com_ptr<IDispatch> old = field(rs.get(), u"Sales");
    call(rs.get(), u"Close");
    call(rs.get(), u"Open", {variant::missing(), variant::str(csv_connection(data_file("quoting.csv")))});
    expect_error([&] { get(old.get(), u"Value"); }, kObjectClosed,
                 "The field 'Sales' belongs to an earlier opening of the recordset");
    EXPECT_EQ(u8(get(field(rs.get(), u"Note").get(), u"Name").bstrVal), "Note");
}

TEST(FieldLookup, FieldsOutliveTheirRecordset)
{
    com_ptr<IDispatch> rs = sales_csv();
    com_ptr<IDispatch> month = field(rs.get(), u"Month");
    rs.reset();
    EXPECT_EQ(get(month.get(), u"Value").to_bstr().utf8(), "Jan");
}

}  // namespace

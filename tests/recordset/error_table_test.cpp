// The error table: every error has its own row, a number in ADO's range and a
// description whose placeholders are all filled when it is raised.
#include <gtest/gtest.h>

#include <set>

#include "errors/recordset_errors.hpp"
#include "recordset_test_support.hpp"

namespace {

using recordset::error_id;

TEST(RecordsetErrorTable, EveryIdHasExactlyOneRow)
{
    std::set<error_id> seen;
    for (const recordset::error_entry &e : recordset::error_table())
        EXPECT_TRUE(seen.insert(e.id).second) << "error id " << static_cast<int>(e.id) << " has two rows";
    for (int i = 0; i < static_cast<int>(error_id::count_); ++i)
        EXPECT_TRUE(seen.count(static_cast<error_id>(i))) << "error id " << i << " has no row";
}

TEST(RecordsetErrorTable, NumbersAreControlErrorsWithDescriptions)
{
    for (const recordset::error_entry &e : recordset::error_table()) {
        EXPECT_EQ(static_cast<unsigned>(e.hr) & 0xFFFF0000u, 0x800A0000u) << rs_test::u8(e.text);
        EXPECT_GT(std::u16string_view(e.text).size(), 20u) << rs_test::u8(e.text);
    }
}

TEST(RecordsetErrorTable, RaisedErrorsFillEveryPlaceholder)
{
    const std::u16string_view args[] = {u"A1", u"A2", u"A3", u"A4"};
    for (const recordset::error_entry &e : recordset::error_table()) {
        oleaut::com_error err = recordset::make_error(e.id, {args[0], args[1], args[2], args[3]});
        std::string text = rs_test::u8(err.description());
        EXPECT_EQ(err.hr(), e.hr);
        EXPECT_EQ(rs_test::u8(err.source()), "Recordset");
        EXPECT_EQ(text.find("%"), std::string::npos) << text;
        for (int k = 1; k <= 4; ++k) {
            bool used = std::u16string_view(e.text).find(u"%" + std::u16string(1, static_cast<char16_t>(u'0' + k))) !=
                        std::u16string_view::npos;
            EXPECT_EQ(text.find("A" + std::to_string(k)) != std::string::npos, used) << text;
        }
    }
}

}  // namespace

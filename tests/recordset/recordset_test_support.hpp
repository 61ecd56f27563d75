// What the recordset tests share: late-bound calls made exactly as a client makes them
// (by name, through IDispatch::Invoke, failures read back from EXCEPINFO), the test
// data's paths, a scratch directory with the sample database built from its script, and
// a check for the recordset's errors.
#ifndef TESTS_RECORDSET_TEST_SUPPORT_HPP
#define TESTS_RECORDSET_TEST_SUPPORT_HPP

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "comutil.hpp"
#include "objects/recordset_object.hpp"
#include "sources/sqlite_script.hpp"
#include "support/temp_registry.hpp"

namespace rs_test {

using oleaut::com_error;
using oleaut::com_ptr;
using oleaut::variant;

constexpr WORD kScriptCall = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

inline std::u16string u16(std::string_view s) { return oleaut::utf8_to_utf16(s); }
inline std::string u8(std::u16string_view s) { return oleaut::utf16_to_utf8(s); }

inline std::string data_file(const std::string &name) { return std::string(TEST_DATA_DIR) + "/recordset/" + name; }

inline DISPID id_of(IDispatch *d, std::u16string_view name)
{
    std::u16string n(name);
    LPOLESTR names[] = {n.data()};
    DISPID id = DISPID_UNKNOWN;
    oleaut::check(d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_EN_US, &id));
    return id;
}

// One late-bound call; `args` in source order. A failure is thrown as the com_error the
// callee reported.
inline variant invoke(IDispatch *d, std::u16string_view name, WORD flags, std::vector<variant> args = {},
                      bool is_put = false)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS dp{reversed.data(), is_put ? &put_id : nullptr, static_cast<UINT>(reversed.size()), is_put ? 1u : 0u};
    EXCEPINFO ei{};
    variant result;
    HRESULT hr = d->Invoke(id_of(d, name), IID_NULL, LOCALE_EN_US, flags, &dp, result.put(), &ei, nullptr);
    if (FAILED(hr))
        throw com_error::from_invoke(hr, ei);
    return result;
}

inline variant call(IDispatch *d, std::u16string_view name, std::vector<variant> args = {})
{
    return invoke(d, name, kScriptCall, std::move(args));
}
inline variant get(IDispatch *d, std::u16string_view name, std::vector<variant> args = {})
{
    return invoke(d, name, DISPATCH_PROPERTYGET, std::move(args));
}
inline void put(IDispatch *d, std::u16string_view name, variant value)
{
    invoke(d, name, DISPATCH_PROPERTYPUT, {std::move(value)}, true);
}

inline com_ptr<IDispatch> object_of(const variant &v)
{
    if (v.vt != VT_DISPATCH || !v.pdispVal)
        throw std::runtime_error("expected an object, got variant type " + std::to_string(v.vt));
    return com_ptr<IDispatch>(v.pdispVal);
}

// rs.Fields(name) with a string index, as the chart component asks for it.
inline com_ptr<IDispatch> field(IDispatch *rs, std::u16string_view name)
{
    return object_of(call(rs, u"Fields", {variant::str(name)}));
}
inline variant value_of(IDispatch *rs, std::u16string_view name) { return get(field(rs, name).get(), u"Value"); }

inline bool eof(IDispatch *rs) { return get(rs, u"EOF").boolVal != VARIANT_FALSE; }
inline bool bof(IDispatch *rs) { return get(rs, u"BOF").boolVal != VARIANT_FALSE; }

// The chart component's loop: MoveFirst, then until EOF read the field and MoveNext.
inline std::vector<variant> read_column(IDispatch *rs, std::u16string_view name)
{
    std::vector<variant> out;
    call(rs, u"MoveFirst");
    while (!eof(rs)) {
        out.push_back(value_of(rs, name));
        call(rs, u"MoveNext");
    }
    return out;
}

inline com_ptr<IDispatch> new_recordset()
{
    return com_ptr<IDispatch>::attach(recordset::recordset_object::create());
}

inline variant text_or_missing(const std::optional<std::u16string> &s)
{
    return s ? variant::str(*s) : variant::missing();
}

inline com_ptr<IDispatch> open_recordset(const std::optional<std::u16string> &source, const std::u16string &connection)
{
    com_ptr<IDispatch> rs = new_recordset();
    call(rs.get(), u"Open", {text_or_missing(source), variant::str(connection)});
    return rs;
}

inline std::u16string csv_connection(const std::string &path) { return u"Provider=CSV;Data Source=" + u16(path); }
inline std::u16string sqlite_connection(const std::string &path) { return u"Provider=SQLite;Data Source=" + u16(path); }

// The error the action raises, if any.
inline std::optional<com_error> error_of(const std::function<void()> &action)
{
    try {
        action();
    } catch (const com_error &e) {
        return e;
    }
    return std::nullopt;
}

// Checks number, source and a part of the description a person would act on.
inline void expect_error(const std::function<void()> &action, HRESULT hr, std::string_view description_part)
{
    std::optional<com_error> e = error_of(action);
    ASSERT_TRUE(e.has_value()) << "no error raised; expected one containing \"" << description_part << "\"";
    EXPECT_EQ(static_cast<unsigned>(e->hr()), static_cast<unsigned>(hr)) << e->what();
    EXPECT_EQ(u8(e->source()), "Recordset") << e->what();
    EXPECT_NE(u8(e->description()).find(description_part), std::string::npos)
        << "description: " << u8(e->description()) << "\nexpected part: " << description_part;
}

// The errors by the numbers ADO clients test for.
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x800A0BB9);
constexpr HRESULT kOpeningFile = static_cast<HRESULT>(0x800A0BBA);
constexpr HRESULT kReadFile = static_cast<HRESULT>(0x800A0BBB);
constexpr HRESULT kProviderFailed = static_cast<HRESULT>(0x800A0BB8);
constexpr HRESULT kNoCurrentRecord = static_cast<HRESULT>(0x800A0BCD);
constexpr HRESULT kIllegalOperation = static_cast<HRESULT>(0x800A0C93);
constexpr HRESULT kNotUpdatable = static_cast<HRESULT>(0x800A0CB3);
constexpr HRESULT kItemNotFound = static_cast<HRESULT>(0x800A0CC1);
constexpr HRESULT kObjectInCollection = static_cast<HRESULT>(0x800A0D27);
constexpr HRESULT kDataConversion = static_cast<HRESULT>(0x800A0D5D);
constexpr HRESULT kObjectClosed = static_cast<HRESULT>(0x800A0E78);
constexpr HRESULT kObjectOpen = static_cast<HRESULT>(0x800A0E79);
constexpr HRESULT kProviderNotFound = static_cast<HRESULT>(0x800A0E7A);
constexpr HRESULT kInvalidConnection = static_cast<HRESULT>(0x800A0E7D);
constexpr HRESULT kDataOverflow = static_cast<HRESULT>(0x800A0E89);
constexpr HRESULT kSchemaViolation = static_cast<HRESULT>(0x800A0E8A);
constexpr HRESULT kProviderNotSpecified = static_cast<HRESULT>(0x800A0EA9);

// A scratch directory, removed with everything in it.
class scratch_dir {
public:
    scratch_dir() : path_(test_support::make_temp_directory()) {}
    ~scratch_dir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    scratch_dir(const scratch_dir &) = delete;
    scratch_dir &operator=(const scratch_dir &) = delete;
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The sample database, built from tests/data/recordset/sales.sql into a scratch directory.
class sample_database {
public:
    sample_database() : path_(dir_.file("sales.db"))
    {
        recordset::create_database_from_script(u16(data_file("sales.sql")), u16(path_));
    }
    const std::string &path() const { return path_; }
    std::u16string connection() const { return sqlite_connection(path_); }

private:
    scratch_dir dir_;
    std::string path_;
};

}  // namespace rs_test

#endif

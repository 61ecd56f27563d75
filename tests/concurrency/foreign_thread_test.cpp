// An apartment-threaded object belongs to the thread that made it: a call from any other
// thread is refused with RPC_E_WRONG_THREAD before the member runs. For each kind of
// object (the component through Invoke and through its interface table, the host's
// objects, recordsets, their fields) a call that would change something is made from a
// foreign apartment; the state it would change must read the same afterwards on the
// owning thread. The same call made on the owning thread must change it, which shows
// that each row's observation would see an executed call.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "automation/quillet_interface.hpp"
#include "concurrency/chart_client.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace chart_client;

// The objects one row works on, all made on the owning thread.
struct owned_objects {
    com_ptr<IDispatch> quillet = activate(u"Quillet.cQuillet");
    com_ptr<IDispatch> chart = late::object_of(late::get(quillet.get(), u"oQuillet"));
    com_ptr<IDispatch> app = activate(u"Excel.Application");
    com_ptr<IDispatch> rs = sqlite_recordset(SAMPLE_DB);
    com_ptr<IDispatch> memory_rs = memory_recordset({{u"Jan", 1.5}, {u"Feb", 2.5}});
    com_ptr<IDispatch> closed_rs = activate(u"ADODB.Recordset");

    com_ptr<IDispatch> worksheet()
    {
        if (late::get(late::object_of(late::get(app.get(), u"Workbooks")).get(), u"Count").to_i4() == 0)
            late::call(late::object_of(late::get(app.get(), u"Workbooks")).get(), u"Add");
        com_ptr<IDispatch> book = late::object_of(late::get(app.get(), u"ActiveWorkbook"));
        return late::object_of(
            late::get(late::object_of(late::get(book.get(), u"Worksheets")).get(), u"Item", {variant::i2(1)}));
    }
    com_ptr<IDispatch> field(IDispatch *recordset, const char16_t *name)
    {
        return late::object_of(late::get(late::object_of(late::get(recordset, u"Fields")).get(), u"Item",
                                         {variant::str(name)}));
    }
};

// A call prepared on the owning thread, to be made later from any thread.
using prepared_call = std::function<HRESULT(VARIANT *result)>;

// Looks the member up now, on the owning thread, and answers the one Invoke to make later.
// Positional arguments are in declaration order; a put passes its value as the named
// DISPID_PROPERTYPUT argument.
prepared_call invoke_later(com_ptr<IDispatch> target, const char16_t *member, WORD flags, std::vector<variant> args)
{
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id = DISPID_UNKNOWN;
    oleaut::check(target->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_EN_US, &id));
    return [target, id, flags, args = std::move(args)](VARIANT *result) mutable {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        const bool is_put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
        DISPPARAMS params{reversed.data(), is_put ? &put : nullptr, static_cast<UINT>(reversed.size()),
                          is_put ? 1u : 0u};
        EXCEPINFO excep{};
        HRESULT hr = target->Invoke(id, IID_NULL, LOCALE_EN_US, flags, &params, result, &excep, nullptr);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        return hr;
    };
}

std::string text_of(variant v) { return v.vt == VT_NULL ? "Null" : v.to_bstr().utf8(); }

// What a row calls from the foreign thread and what it reads back on the owning one.
struct foreign_call_case {
    const char *name;
    std::function<prepared_call(owned_objects &)> prepare;
    std::function<std::string(owned_objects &)> observe;
    bool through_invoke = true;  // false: the interface table's method, which has no result to empty
};

std::string chart_type(owned_objects &o) { return text_of(late::get(o.chart.get(), u"ChartType")); }
std::string series_count(owned_objects &o)
{
    return text_of(late::get(late::object_of(late::invoke(o.chart.get(), u"SeriesCollection", DISPATCH_METHOD)).get(),
                             u"Count"));
}

const foreign_call_case kCases[] = {
    {"cQuillet Invoke SetChartOptions",
     [](owned_objects &o) {
         return invoke_later(o.quillet, u"SetChartOptions", DISPATCH_METHOD,
                             {variant::i4(51), variant::i2(300), variant::i2(150)});
     },
     chart_type},
    {"cQuillet Invoke AddDataSeries",
     [](owned_objects &o) {
         return invoke_later(o.quillet, u"AddDataSeries", DISPATCH_METHOD,
                             {variant::dispatch(o.rs.get()), variant::str(u"north"), variant::str(u"North"),
                              variant::boolean(false), variant::boolean(false)});
     },
     series_count},
    {"cQuillet interface table SetChartOptions",
     [](owned_objects &o) -> prepared_call {
         com_ptr<quillet::_cQuillet> typed = o.quillet.query<quillet::_cQuillet>();
         return [typed](VARIANT *) { return typed->SetChartOptions(51, 300, 150); };
     },
     chart_type, false},
    {"cQuillet interface table AddDataSeries",
     [](owned_objects &o) -> prepared_call {
         com_ptr<quillet::_cQuillet> typed = o.quillet.query<quillet::_cQuillet>();
         com_ptr<IDispatch> rs = o.rs;
         return [typed, rs](VARIANT *) {
             oleaut::bstr column(u"north"), name(u"North");
             return typed->AddDataSeries(rs.get(), column.get(), name.get(), VARIANT_FALSE, VARIANT_FALSE);
         };
     },
     series_count, false},
    {"host Chart put ChartType",
     [](owned_objects &o) { return invoke_later(o.chart, u"ChartType", DISPATCH_PROPERTYPUT, {variant::i4(51)}); },
     chart_type},
    {"host SeriesCollection NewSeries",
     [](owned_objects &o) {
         return invoke_later(late::object_of(late::invoke(o.chart.get(), u"SeriesCollection", DISPATCH_METHOD)),
                             u"NewSeries", DISPATCH_METHOD, {});
     },
     series_count},
    {"host Application put SheetsInNewWorkbook",
     [](owned_objects &o) {
         return invoke_later(o.app, u"SheetsInNewWorkbook", DISPATCH_PROPERTYPUT, {variant::i4(7)});
     },
     [](owned_objects &o) { return text_of(late::get(o.app.get(), u"SheetsInNewWorkbook")); }},
    {"host Worksheet put Name",
     [](owned_objects &o) {
         return invoke_later(o.worksheet(), u"Name", DISPATCH_PROPERTYPUT, {variant::str(u"Renamed")});
     },
     [](owned_objects &o) { return text_of(late::get(o.worksheet().get(), u"Name")); }},
    {"Recordset MoveNext",
     [](owned_objects &o) { return invoke_later(o.rs, u"MoveNext", DISPATCH_METHOD, {}); },
     [](owned_objects &o) { return text_of(late::get(o.field(o.rs.get(), u"month").get(), u"Value")); }},
    {"Recordset Close",
     [](owned_objects &o) { return invoke_later(o.rs, u"Close", DISPATCH_METHOD, {}); },
     [](owned_objects &o) { return text_of(late::get(o.rs.get(), u"State")); }},
    {"Fields Append",
     [](owned_objects &o) {
         return invoke_later(late::object_of(late::get(o.closed_rs.get(), u"Fields")), u"Append", DISPATCH_METHOD,
                             {variant::str(u"Extra"), variant::i4(adDouble)});
     },
     [](owned_objects &o) {
         return text_of(late::get(late::object_of(late::get(o.closed_rs.get(), u"Fields")).get(), u"Count"));
     }},
    {"Field put Value",
     [](owned_objects &o) {
         return invoke_later(o.field(o.memory_rs.get(), u"Sales"), u"Value", DISPATCH_PROPERTYPUT, {variant::r8(99)});
     },
     [](owned_objects &o) { return text_of(late::get(o.field(o.memory_rs.get(), u"Sales").get(), u"Value")); }},
};

// gtest prints a row by its name.
void PrintTo(const foreign_call_case &row, std::ostream *out) { *out << row.name; }

class ForeignThread : public ::testing::TestWithParam<foreign_call_case> {
protected:
    void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
    void TearDown() override { CoUninitialize(); }

    test_support::scoped_env registry_{"OLEAUT_REGISTRY", std::string(BUILD_REGISTRY)};
    std::string dir_ = test_support::make_temp_directory();
    test_support::scoped_env event_log_{"OLEAUT_EVENTLOG", dir_ + "/events.log"};

public:
    ~ForeignThread() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
};

TEST_P(ForeignThread, CallIsRefusedAndNothingRuns)
{
    const foreign_call_case &row = GetParam();
    owned_objects objects;
    const prepared_call call = row.prepare(objects);
    const std::string before = row.observe(objects);

    HRESULT foreign_hr = S_OK;
    VARTYPE foreign_result = VT_ERROR;
    std::thread([&] {
        const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        variant result = variant::i4(12345);  // Invoke must empty it even when refusing
        foreign_hr = call(&result);
        foreign_result = result.vt;
        if (SUCCEEDED(init))
            CoUninitialize();
    }).join();

    EXPECT_EQ(static_cast<uint32_t>(foreign_hr), static_cast<uint32_t>(RPC_E_WRONG_THREAD));
    if (row.through_invoke) {
        EXPECT_EQ(foreign_result, VT_EMPTY);
    }
    EXPECT_EQ(row.observe(objects), before) << "the call ran although it was refused";

    // The owning thread's call goes through and is seen, so the row's observation works.
    variant result;
    EXPECT_EQ(call(result.put()), S_OK);
    EXPECT_NE(row.observe(objects), before) << "the row observes nothing its call changes";
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfObject, ForeignThread, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<foreign_call_case> &info) {
                             std::string name;
                             for (const char *c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

}  // namespace

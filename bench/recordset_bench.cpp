// Reading a recordset the way the chart component does, entirely through
// IDispatch::Invoke: per row, EOF, then Fields(name).Value for each of three columns,
// then MoveNext. 10,000 rows from SQLite; the rate is reported as rows per second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "comutil.hpp"
#include "objects/recordset_object.hpp"
#include "sources/sqlite_script.hpp"

namespace {

using oleaut::com_ptr;
using oleaut::variant;

constexpr int kRows = 10000;

// A database of kRows rows x 3 columns (integer, real, text), built once per process.
const std::string &bench_database()
{
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / ("recordset-bench-" + std::to_string(getpid()) + ".db")).string();
        recordset::create_database_from_sql(
            "CREATE TABLE sales(units INTEGER, revenue REAL, region TEXT);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kRows) + ")"
            "INSERT INTO sales SELECT i, i * 1.25, 'region ' || (i % 7) FROM n;",
            oleaut::utf8_to_utf16(p), u"benchmark");
        std::atexit([] { std::filesystem::remove(bench_database()); });
        return p;
    }();
    return path;
}

DISPID id_of(IDispatch *d, const char16_t *name)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    oleaut::check(d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_EN_US, &id));
    return id;
}

variant invoke(IDispatch *d, DISPID id, WORD flags, VARIANT *args = nullptr, UINT count = 0)
{
    DISPPARAMS dp{args, nullptr, count, 0};
    variant result;
    EXCEPINFO ei{};
    HRESULT hr = d->Invoke(id, IID_NULL, LOCALE_EN_US, flags, &dp, result.put(), &ei, nullptr);
    if (FAILED(hr))
        throw oleaut::com_error::from_invoke(hr, ei);
    return result;
}

com_ptr<IDispatch> open_bench_recordset()
{
    auto rs = com_ptr<IDispatch>::attach(recordset::recordset_object::create());
    variant args[2] = {variant::str(u"Provider=SQLite;Data Source=" + oleaut::utf8_to_utf16(bench_database())),
                       variant::str(u"SELECT units, revenue, region FROM sales")};
    invoke(rs.get(), id_of(rs.get(), u"Open"), DISPATCH_METHOD, args, 2);
    return rs;
}

constexpr WORD kScriptCall = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// The loop with dispatch ids looked up once, as a client that caches them runs it.
void BM_ReadThreeColumnsCachedIds(benchmark::State &state)
{
    com_ptr<IDispatch> rs = open_bench_recordset();
    const DISPID move_first = id_of(rs.get(), u"MoveFirst"), move_next = id_of(rs.get(), u"MoveNext"),
                 eof = id_of(rs.get(), u"EOF"), fields = id_of(rs.get(), u"Fields");
    variant names[3] = {variant::str(u"units"), variant::str(u"revenue"), variant::str(u"region")};
    DISPID value = DISPID_UNKNOWN;
    int64_t rows = 0;
    for (auto _ : state) {
        invoke(rs.get(), move_first, DISPATCH_METHOD);
        while (invoke(rs.get(), eof, DISPATCH_PROPERTYGET).boolVal == VARIANT_FALSE) {
            for (variant &name : names) {
                variant f = invoke(rs.get(), fields, kScriptCall, &name, 1);
                if (value == DISPID_UNKNOWN)
                    value = id_of(f.pdispVal, u"Value");
                benchmark::DoNotOptimize(invoke(f.pdispVal, value, DISPATCH_PROPERTYGET));
            }
            invoke(rs.get(), move_next, DISPATCH_METHOD);
            ++rows;
        }
    }
    state.SetItemsProcessed(rows);
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadThreeColumnsCachedIds)->Unit(benchmark::kMillisecond);

// The same loop resolving every name on every call, as a naive late-bound client does.
void BM_ReadThreeColumnsByName(benchmark::State &state)
{
    com_ptr<IDispatch> rs = open_bench_recordset();
    variant names[3] = {variant::str(u"units"), variant::str(u"revenue"), variant::str(u"region")};
    int64_t rows = 0;
    for (auto _ : state) {
        invoke(rs.get(), id_of(rs.get(), u"MoveFirst"), DISPATCH_METHOD);
        while (invoke(rs.get(), id_of(rs.get(), u"EOF"), DISPATCH_PROPERTYGET).boolVal == VARIANT_FALSE) {
            for (variant &name : names) {
                variant f = invoke(rs.get(), id_of(rs.get(), u"Fields"), kScriptCall, &name, 1);
                benchmark::DoNotOptimize(invoke(f.pdispVal, id_of(f.pdispVal, u"Value"), DISPATCH_PROPERTYGET));
            }
            invoke(rs.get(), id_of(rs.get(), u"MoveNext"), DISPATCH_METHOD);
            ++rows;
        }
    }
    state.SetItemsProcessed(rows);
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadThreeColumnsByName)->Unit(benchmark::kMillisecond);

// Opening: running the query and reading all 10,000 rows into the recordset.
void BM_Open(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(open_bench_recordset());
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

}  // namespace

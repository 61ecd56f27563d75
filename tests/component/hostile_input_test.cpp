// The component fed what nobody checked, against the real embedded host and real
// recordsets (in memory and SQLite) activated from the build tree's registry: titles
// of 100,000 characters of every awkward kind, values at and past the limits of
// DECIMAL, NaN and infinities, awkward data sets, and file names that cannot be
// written. Each ends in a chart or in an error with a number, a source and a
// description (logged when the member logs), and the object stays usable.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>

#include "automation/quillet_object.hpp"
#include "comutil.hpp"
#include "oleaut/late_bound.hpp"

namespace {

using oleaut::com_ptr;
using oleaut::variant;
namespace late = oleaut::late;

constexpr LONG adDouble = 5, adVariant = 12, adFldIsNullable = 0x20;
constexpr HRESULT kOverflow = OART_E_OVERFLOW;                 // the runtime's "Overflow"
constexpr HRESULT kInvalidNull = OART_E_INVALIDUSEOFNULL;      // the runtime's "Invalid use of Null"
constexpr HRESULT kCannotWrite = static_cast<HRESULT>(0x800A0000 | 2010);  // the host's "cannot write"
constexpr char16_t kComponent[] = u"Quillet.cQuillet";

struct raised {
    HRESULT number = S_OK;
    std::u16string source, description;
};

// The error the last failing call on q left in the thread's error info.
raised error_after(HRESULT hr)
{
    raised r;
    r.number = hr;
    com_ptr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) == S_OK && info) {
        oleaut::bstr source, description;
        info->GetSource(source.put());
        info->GetDescription(description.put());
        r.source = source.get() ? std::u16string(source.get()) : u"";
        r.description = description.get() ? std::u16string(description.get()) : u"";
    }
    return r;
}

struct picture_size {
    int width = 0, height = 0;
};

std::optional<picture_size> gif_size(const std::string &file)
{
    int error = 0;
    GifFileType *gif = DGifOpenFileName(file.c_str(), &error);
    if (!gif)
        return std::nullopt;
    std::optional<picture_size> out;
    if (DGifSlurp(gif) == GIF_OK)
        out = picture_size{gif->SWidth, gif->SHeight};
    DGifCloseFile(gif, &error);
    return out;
}

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("OLEAUT_REGISTRY", BUILD_REGISTRY, 1);
        dir_ = ::testing::TempDir() + "hostile-" + std::to_string(::getpid());
        std::filesystem::create_directories(dir_);
        log_ = dir_ + "/events.log";
        ::setenv("OLEAUT_EVENTLOG", log_.c_str(), 1);
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        q_ = com_ptr<quillet::cQuillet>::attach(quillet::cQuillet::create());
        ASSERT_TRUE(q_);
    }
    void TearDown() override
    {
        q_.reset();
        CoUninitialize();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string file(const std::string &name) const { return dir_ + "/" + name; }

    size_t log_lines() const
    {
        std::ifstream in(log_);
        size_t n = 0;
        for (std::string line; std::getline(in, line);)
            ++n;
        return n;
    }
    std::string last_log_text() const
    {
        std::ifstream in(log_);
        std::string line, last;
        while (std::getline(in, line))
            last = line;
        return last.substr(last.rfind('\t') + 1);
    }

    // An in-memory recordset with one field "v" of the given type, Null allowed, holding values.
    static com_ptr<IDispatch> memory_recordset(const std::vector<variant> &values, LONG type = adVariant)
    {
        com_ptr<IDispatch> rs = oleaut::rt::create_object(u"ADODB.Recordset");
        com_ptr<IDispatch> fields = late::object_of(late::get(rs.get(), u"Fields"));
        late::call(fields.get(), u"Append",
                   {variant::str(u"v"), variant::i4(type), variant::missing(), variant::i4(adFldIsNullable)});
        late::call(rs.get(), u"Open");
        for (const variant &v : values) {
            late::call(rs.get(), u"AddNew");
            com_ptr<IDispatch> field =
                late::object_of(late::invoke(late::object_of(late::get(rs.get(), u"Fields")).get(), u"Item",
                                             DISPATCH_METHOD | DISPATCH_PROPERTYGET, {variant::str(u"v")}));
            late::put(field.get(), u"Value", v);
            late::call(rs.get(), u"Update");
        }
        return rs;
    }
    // A SQLite recordset over a query of constants (an empty file is an empty database).
    com_ptr<IDispatch> sqlite_recordset(const std::u16string &query)
    {
        std::string db = file("empty.db");
        std::ofstream(db).close();
        com_ptr<IDispatch> rs = oleaut::rt::create_object(u"ADODB.Recordset");
        late::call(rs.get(), u"Open", {variant::str(query), variant::str_utf8("Provider=SQLite;Data Source=" + db)});
        return rs;
    }

    HRESULT add_series(IDispatch *rs, SHORT labels = -1)
    {
        oleaut::bstr column(u"v"), name(u"Values");
        return q_->AddDataSeries(rs, column.get(), name.get(), labels, 0);
    }
    HRESULT export_to(const std::string &name)
    {
        oleaut::bstr b(name);
        variant result;
        return q_->ExportToGif(b.get(), result.put());
    }
    LONG series_count()
    {
        com_ptr<IDispatch> chart;
        EXPECT_EQ(q_->get_oQuillet(chart.put()), S_OK);
        return late::get(late::object_of(late::invoke(chart.get(), u"SeriesCollection", DISPATCH_METHOD)).get(),
                         u"Count")
            .to_i4();
    }
    // Exports and returns the picture's size; a failed export is a test failure.
    picture_size exported()
    {
        std::string out = file("chart.gif");
        HRESULT hr = export_to(out);
        EXPECT_EQ(hr, S_OK) << oleaut::utf16_to_utf8(error_after(hr).description);
        std::optional<picture_size> size = gif_size(out);
        EXPECT_TRUE(size) << "no readable GIF at " << out;
        return size.value_or(picture_size{});
    }

    com_ptr<quillet::cQuillet> q_;
    std::string dir_, log_;
};

// --- Titles ----------------------------------------------------------------------

std::u16string repeated(std::u16string_view piece)
{
    std::u16string out;
    while (out.size() < 100000)
        out += piece;
    return out;
}

struct title_case {
    const char *name;
    std::function<std::u16string()> make;
};

const title_case kTitles[] = {
    {"words", [] { return repeated(u"revenue by region "); }},
    {"one_word", [] { return std::u16string(100000, u'M'); }},
    {"control_characters", [] { return repeated(std::u16string(u"\x01\x02\x1B\x7F\t\r\n\x85x", 10)); }},
    {"right_to_left", [] { return repeated(u"\u05DE\u05DB\u05D9\u05E8\u05D5\u05EA \u0645\u0628\u064A\u0639\u0627\u062A "); }},
    {"combining", [] { return u"Z" + std::u16string(99999, u'\u0336'); }},
    {"lone_surrogates", [] { return repeated(std::u16string{char16_t(0xDC01), u'a', char16_t(0xD801), u' '}); }},
};

class HostileTitles : public HostileInput, public ::testing::WithParamInterface<title_case> {};

TEST_P(HostileTitles, ChartIsDrawnAtAnOrdinarySize)
{
    ASSERT_EQ(add_series(memory_recordset({variant::r8(10), variant::r8(20), variant::r8(15)}).get()), S_OK);
    variant plain = variant::str(u"Sales"), x = variant::str(u"Month"), y = variant::str(u"Amount");
    ASSERT_EQ(q_->SetChartTitles(&plain, &x, &y), S_OK);
    picture_size ordinary = exported();

    variant text = variant::str(GetParam().make());
    ASSERT_EQ(q_->SetChartTitles(&text, &text, &text), S_OK);
    picture_size hostile = exported();
    EXPECT_LE(hostile.width, ordinary.width + 400);
    EXPECT_LE(hostile.height, ordinary.height + 400);
    EXPECT_EQ(log_lines(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileTitles, ::testing::ValuesIn(kTitles),
                         [](const auto &info) { return std::string(info.param.name); });

// --- Values -----------------------------------------------------------------------

struct refused_value {
    const char *name;
    variant value;
    LONG field_type;
    HRESULT number;
};

class RefusedValues : public HostileInput {};

// A value that does not convert to a decimal fails AddDataSeries (logged), whichever
// row it is in; the series is not created and the object stays usable.
TEST_F(RefusedValues, FromAMemoryRecordset)
{
    const double inf = std::numeric_limits<double>::infinity();
    const refused_value cases[] = {
        {"NaN", variant::r8(std::nan("")), adVariant, kOverflow},
        {"NaN in a double field", variant::r8(std::nan("")), adDouble, kOverflow},
        {"infinity", variant::r8(inf), adDouble, kOverflow},
        {"minus infinity", variant::r8(-inf), adVariant, kOverflow},
        {"past the decimal maximum", variant::str(u"79228162514264337593543950336"), adVariant, kOverflow},
        {"largest double", variant::r8(std::numeric_limits<double>::max()), adVariant, kOverflow},
        {"Null", variant::null(), adVariant, kInvalidNull},
    };
    for (const refused_value &c : cases) {
        SCOPED_TRACE(c.name);
        size_t logged = log_lines();
        HRESULT hr = add_series(memory_recordset({variant::r8(1), c.value, variant::r8(3)}, c.field_type).get());
        raised e = error_after(hr);
        EXPECT_EQ(e.number, c.number);
        EXPECT_EQ(e.source, kComponent);
        EXPECT_EQ(e.description, c.number == kOverflow ? u"Overflow" : u"Invalid use of Null");
        EXPECT_EQ(log_lines(), logged + 1);
        EXPECT_EQ(last_log_text(), oleaut::utf16_to_utf8(e.description));
        EXPECT_EQ(series_count(), 0);
    }
    // Still usable: a good series draws.
    ASSERT_EQ(add_series(memory_recordset({variant::r8(1), variant::r8(2)}).get()), S_OK);
    EXPECT_GT(exported().width, 0);
}

TEST_F(RefusedValues, InfinityFromSqlite)
{
    // SQLite stores NaN as NULL and reads 1e999 as an infinity.
    struct sqlite_case {
        const char16_t *query;
        HRESULT number;
    };
    for (const sqlite_case &c : {sqlite_case{u"SELECT 1.0 AS v UNION ALL SELECT 1e999", kOverflow},
                                 sqlite_case{u"SELECT 1.0 AS v UNION ALL SELECT -1e999", kOverflow},
                                 sqlite_case{u"SELECT 1.0 AS v UNION ALL SELECT 0.0 / 0.0", kInvalidNull}}) {
        SCOPED_TRACE(oleaut::utf16_to_utf8(c.query));
        size_t logged = log_lines();
        HRESULT hr = add_series(sqlite_recordset(c.query).get());
        raised e = error_after(hr);
        EXPECT_EQ(e.number, c.number);
        EXPECT_EQ(e.source, kComponent);
        EXPECT_FALSE(e.description.empty());
        EXPECT_EQ(log_lines(), logged + 1);
        EXPECT_EQ(series_count(), 0);
    }
}

struct drawn_values {
    const char *name;
    std::vector<variant> values;
};

std::vector<variant> same(int n, const variant &v) { return std::vector<variant>(static_cast<size_t>(n), v); }

class DrawnValues : public HostileInput, public ::testing::WithParamInterface<drawn_values> {};

TEST_P(DrawnValues, DrawAChart)
{
    ASSERT_EQ(add_series(memory_recordset(GetParam().values).get()), S_OK)
        << oleaut::utf16_to_utf8(error_after(E_FAIL).description);
    EXPECT_EQ(series_count(), 1);
    picture_size size = exported();
    EXPECT_GT(size.width, 0);
    EXPECT_LT(size.height, 1200);
    EXPECT_EQ(log_lines(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, DrawnValues,
    ::testing::Values(
        drawn_values{"identical_25", same(25, variant::r8(42))},
        drawn_values{"all_zeros", same(25, variant::i4(0))},
        drawn_values{"all_negative", {variant::r8(-3), variant::r8(-170), variant::r8(-0.25)}},
        drawn_values{"mixed_signs", {variant::r8(-3), variant::r8(170), variant::i4(0), variant::r8(-0.25)}},
        drawn_values{"decimal_limits",
                     {variant::str(u"79228162514264337593543950335"), variant::str(u"-79228162514264337593543950335")}},
        drawn_values{"decimal_smallest",
                     {variant::str(u"0.0000000000000000000000000001"), variant::str(u"0.0000000000000000000000000003")}},
        drawn_values{"rounded_past_scale_28", {variant::str(u"0.00000000000000000000000000015"), variant::r8(1)}},
        drawn_values{"tiny_and_huge", {variant::str(u"0.0000000000000000000000000001"), variant::r8(7.9e28)}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- File names -------------------------------------------------------------------

// The component passes the name on as given; what cannot be written fails with the
// host's error, logged once, and an earlier file of that name stays as it was.
TEST_F(HostileInput, UnwritableFileNamesFailWithTheHostsError)
{
    ASSERT_EQ(add_series(memory_recordset({variant::r8(1), variant::r8(2)}).get()), S_OK);
    std::filesystem::create_directory(file("a-directory"));
    std::ofstream(file("a-file")) << "old";
    std::string past_path_max = dir_ + "/";
    while (past_path_max.size() <= 4096)
        past_path_max += "deeper/";
    struct name_case {
        std::string name;
        const char *reason;
    };
    const name_case cases[] = {
        {file("a-directory"), "Is a directory"},
        {file("missing/chart.gif"), "No such file or directory"},
        {file("a-file/chart.gif"), "Not a directory"},
        {"/proc/quillet-chart.gif", "No such file or directory"},
        {file(std::string(300, 'n') + ".gif"), "File name too long"},
        {past_path_max + "chart.gif", "File name too long"},
    };
    for (const name_case &c : cases) {
        SCOPED_TRACE(c.name.substr(0, 120));
        size_t logged = log_lines();
        raised e = error_after(export_to(c.name));
        EXPECT_EQ(e.number, kCannotWrite);
        EXPECT_EQ(e.source, u"SheetHost");
        EXPECT_EQ(oleaut::utf16_to_utf8(e.description), "cannot write " + c.name + ": " + c.reason);
        EXPECT_EQ(log_lines(), logged + 1);
    }
    std::ifstream old(file("a-file"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
}

TEST_F(HostileInput, LeadingSpaceAndSymlinkNamesAreWritten)
{
    ASSERT_EQ(add_series(memory_recordset({variant::r8(1), variant::r8(2)}).get()), S_OK);
    // A leading space passes the component's blank test and is part of the name,
    // relative to the working directory.
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    HRESULT spaced = export_to(" spaced.gif");
    std::filesystem::current_path(before);
    EXPECT_EQ(spaced, S_OK);
    EXPECT_TRUE(gif_size(file(" spaced.gif")));
    // A link is followed: its target gets the picture, the link stays.
    std::ofstream(file("target.gif")) << "old";
    std::filesystem::create_symlink("target.gif", file("link.gif"));
    EXPECT_EQ(export_to(file("link.gif")), S_OK);
    EXPECT_TRUE(std::filesystem::is_symlink(file("link.gif")));
    EXPECT_TRUE(gif_size(file("target.gif")));
    EXPECT_EQ(log_lines(), 0u);
}

}  // namespace

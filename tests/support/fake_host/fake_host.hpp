// A recording, fault-injecting stand-in for the spreadsheet host (and for a recordset),
// built as an in-process server registered under "Excel.Application" in a test registry.
// It answers every member the component calls with just enough behaviour (objects,
// series and workbook counts, recordset rows), records each call with its argument types
// and values, and fails any chosen call with a chosen error.
//
// Tests load the same library the component activates and reach its state through the
// exported FakeHostState().
#ifndef TESTS_SUPPORT_FAKE_HOST_HPP
#define TESTS_SUPPORT_FAKE_HOST_HPP

#include <map>
#include <string>
#include <vector>

#include "oleaut.h"
#include "oleaut/utf.hpp"

namespace fake_host {

struct recorded_arg {
    VARTYPE vt;
    std::string value;  // a readable form: 54, -1, 0.231372549019608, "Sales", <Range#3>, missing
    std::string name;   // the named argument's name; "" for a positional one, "=" for a put's value
};

struct recorded_call {
    std::string object;  // "Chart#7": the class and the instance's creation number
    std::string member;
    WORD flags;
    std::vector<recorded_arg> args;  // positional in declaration order, then the named ones
    std::string text() const;        // "Chart#7.put ChartType(I4 54)"
};

inline std::string vt_name(VARTYPE vt)
{
    static const std::map<VARTYPE, std::string> names = {
        {VT_EMPTY, "EMPTY"}, {VT_NULL, "NULL"}, {VT_I2, "I2"}, {VT_I4, "I4"}, {VT_R4, "R4"}, {VT_R8, "R8"},
        {VT_CY, "CY"}, {VT_DATE, "DATE"}, {VT_BSTR, "BSTR"}, {VT_DISPATCH, "DISPATCH"}, {VT_ERROR, "ERROR"},
        {VT_BOOL, "BOOL"}, {VT_VARIANT, "VARIANT"}, {VT_UNKNOWN, "UNKNOWN"}, {VT_DECIMAL, "DECIMAL"},
        {VT_I1, "I1"}, {VT_UI1, "UI1"}, {VT_I8, "I8"}};
    std::string s = (vt & VT_BYREF) ? "BYREF|" : "";
    if (vt & VT_ARRAY)
        s += "ARRAY|";
    auto it = names.find(vt & VT_TYPEMASK);
    return s + (it != names.end() ? it->second : std::to_string(vt & VT_TYPEMASK));
}

inline std::string recorded_call::text() const
{
    std::string kind = (flags & DISPATCH_PROPERTYPUT) ? "put " : (flags & DISPATCH_PROPERTYPUTREF) ? "putref " : "";
    std::string s = object + "." + kind + member + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i)
            s += ", ";
        if (!args[i].name.empty() && args[i].name != "=")
            s += args[i].name + ":=";
        s += vt_name(args[i].vt) + " " + args[i].value;
    }
    return s + ")";
}

struct fault {
    std::string object_class;  // "Chart"; "" matches any class
    std::string member;
    int occurrence = 1;  // fail the n-th such call (counted from when the fault is added); 0 = every one
    HRESULT number = static_cast<HRESULT>(0x800A03EC);
    oleaut::ostring source = OLESTR("FakeHost");
    oleaut::ostring description = OLESTR("The fake host refused this call");
    int seen = 0;
};

class state {
public:
    std::vector<recorded_call> calls;
    std::vector<fault> faults;
    // World state the answers depend on.
    int workbooks_open = 0;
    int applications_created = 0;
    int objects_alive = 0;
    bool quit_called = false;
    // Misbehaviours a test can switch on (reset() switches them off).
    bool delete_keeps_series = false;  // Series.Delete answers success but deletes nothing
    LONG series_count_answer = -1;     // 0 or more: SeriesCollection.Count answers this

    // Virtual so that tests, which hold this object from another library, run the
    // fake's own code.
    virtual void reset();
    // Makes a recordset over one field holding these values (rows). The caller owns the reference.
    virtual IDispatch *make_recordset(const oleaut::ostring &field, const std::vector<VARIANT> &rows);
    // Makes a chart object of its own, as another workbook's chart would be.
    virtual IDispatch *make_chart();
    virtual ~state() = default;

    // Calls in order, as text, optionally only those of one member.
    std::vector<std::string> call_texts(const std::string &member = "") const
    {
        std::vector<std::string> out;
        for (const recorded_call &c : calls)
            if (member.empty() || c.member == member)
                out.push_back(c.text());
        return out;
    }
};

}  // namespace fake_host

extern "C" fake_host::state *FakeHostState();

#endif

#include "recorder.hpp"

#include "fake_host.hpp"
#include "oleaut/dispatch/object.hpp"

namespace fake_host {

namespace {

// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0F003}
constexpr GUID kIID_IRecorder = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xF0, 0x03}};

using oleaut::variant;
namespace disp = oleaut::disp;

oleaut::ostring to_ostring(BSTR b) { return b ? oleaut::ostring(b, SysStringLen(b)) : oleaut::ostring(); }

// The recorded calls as text, one per line (each ending in a line feed), optionally only
// those of one member (compared without regard to case, as names are).
variant calls_text(const oleaut::ostring &member)
{
    std::string text;
    for (const recorded_call &c : FakeHostState()->calls)
        if (member.empty() || disp::names_equal(oleaut::utf8_to_utf16(c.member), member))
            text += c.text() + "\n";
    return variant::str_utf8(text);
}

class recorder final : public disp::object<recorder> {
public:
    static const disp::table<recorder> &dispatch_table();
    static recorder *create() { return new recorder(); }

private:
    recorder() = default;
};

// Members a script uses: read the recording, clear it, arm a fault, count what lives,
// and make a chart of the fake's own to assign to a component.
const disp::table<recorder> &recorder::dispatch_table()
{
    static const disp::table<recorder> t(
        OLESTR("IRecorder"), kIID_IRecorder, TYPEFLAG_FDISPATCHABLE,
        {
            {OLESTR("Calls"), 1, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](recorder &, disp::call &k) { k.result() = calls_text({}); }},
            {OLESTR("CallsOf"), 2, INVOKE_FUNC, {{OLESTR("member"), VT_BSTR}}, VT_BSTR,
             [](recorder &, disp::call &k) { k.result() = calls_text(to_ostring(k.bstr(0))); }},
            {OLESTR("CallCount"), 3, INVOKE_PROPERTYGET, {}, VT_I4,
             [](recorder &, disp::call &k) {
                 k.result() = variant::i4(static_cast<LONG>(FakeHostState()->calls.size()));
             }},
            // Forgets the recording and the armed faults; the host's world (open workbooks,
            // live objects, instance numbers) stays as the objects still alive see it.
            {OLESTR("Clear"), 4, INVOKE_FUNC, {}, VT_EMPTY,
             [](recorder &, disp::call &) {
                 FakeHostState()->calls.clear();
                 FakeHostState()->faults.clear();
             }},
            {OLESTR("Fault"), 5, INVOKE_FUNC,
             {{OLESTR("objectClass"), VT_BSTR}, {OLESTR("member"), VT_BSTR}, {OLESTR("occurrence"), VT_I4},
              {OLESTR("number"), VT_I4}},
             VT_EMPTY,
             [](recorder &, disp::call &k) {
                 fault f;
                 f.object_class = oleaut::utf16_to_utf8(to_ostring(k.bstr(0)));
                 f.member = oleaut::utf16_to_utf8(to_ostring(k.bstr(1)));
                 f.occurrence = k.i4(2);
                 f.number = k.i4(3);
                 FakeHostState()->faults.push_back(f);
             }},
            {OLESTR("LiveObjects"), 6, INVOKE_PROPERTYGET, {}, VT_I4,
             [](recorder &, disp::call &k) { k.result() = variant::i4(FakeHostState()->objects_alive); }},
            {OLESTR("WorkbooksOpen"), 7, INVOKE_PROPERTYGET, {}, VT_I4,
             [](recorder &, disp::call &k) { k.result() = variant::i4(FakeHostState()->workbooks_open); }},
            {OLESTR("ApplicationsCreated"), 8, INVOKE_PROPERTYGET, {}, VT_I4,
             [](recorder &, disp::call &k) { k.result() = variant::i4(FakeHostState()->applications_created); }},
            {OLESTR("QuitCalled"), 9, INVOKE_PROPERTYGET, {}, VT_BOOL,
             [](recorder &, disp::call &k) { k.result() = variant::boolean(FakeHostState()->quit_called); }},
            {OLESTR("MakeChart"), 10, INVOKE_FUNC, {}, VT_DISPATCH,
             [](recorder &, disp::call &k) {
                 IDispatch *chart = FakeHostState()->make_chart();
                 k.result() = variant::dispatch(chart);
                 chart->Release();
             }},
        });
    return t;
}

}  // namespace

HRESULT create_recorder(REFIID riid, void **ppv) { return disp::create_instance<recorder>(riid, ppv); }

}  // namespace fake_host

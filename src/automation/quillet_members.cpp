// _cQuillet's members: the one table from which GetIDsOfNames, Invoke, the interface
// table's entries and the type information are all derived. Its rows come from the
// member list in quillet_interface.hpp.
#include "automation/quillet_object.hpp"
#include "automation/type_library.hpp"

namespace quillet {

namespace {

constexpr WORD kInterfaceFlags =
    TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

}  // namespace

const oleaut::disp::table<cQuillet> &cQuillet::dispatch_table()
{
#define QUILLET_TABLE_ROW(entry, name, kind, routine, result_vt, result_type, late_bound, params)        \
    {OLESTR("") #name,                                                                                          \
     DISPID_##name,                                                                                      \
     INVOKE_##kind,                                                                                      \
     {QUILLET_DROP_FIRST(QUILLET_DESCRIBE_PARAMS(params))},                                              \
     result_vt,                                                                                          \
     &cQuillet::run<&chart_builder::routine, result_vt QUILLET_PARAM_TYPES(params)>,                     \
     result_type,                                                                                        \
     0,                                                                                                  \
     !(late_bound)},
    static const oleaut::disp::table<cQuillet> t = [] {
        oleaut::disp::table<cQuillet> table(OLESTR("_cQuillet"), IID__cQuillet, kInterfaceFlags,
                                            {QUILLET_CQUILLET_MEMBERS(QUILLET_TABLE_ROW)});
        table.set_type_info_source(&quillet_interface_type_info);
        return table;
    }();
#undef QUILLET_TABLE_ROW
    return t;
}

cQuillet *cQuillet::create()
{
    // The object holds one reference from here on; a constructor failure releases it,
    // which gives back whatever references were already set.
    return new cQuillet();
}

}  // namespace quillet

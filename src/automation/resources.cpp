#include "automation/resources.hpp"

#include "automation/quillet_interface.hpp"
#include "automation/type_library.hpp"
#include "oleaut/dispatch/typelib_format.hpp"

namespace quillet {

using oleaut::disp::resource;

oleaut::disp::version_info component_version()
{
    oleaut::disp::version_info v;
    // "1.00" as the four numbers Windows compares: 1.0.0.0.
    v.fixed.dwFileVersionMS = 0x00010000;
    v.fixed.dwFileVersionLS = 0;
    v.fixed.dwProductVersionMS = 0x00010000;
    v.fixed.dwProductVersionLS = 0;
    v.string_tables.push_back({OLESTR("040904B0"),
                               {
                                   {OLESTR("FileVersion"), OLESTR("1.00")},
                                   {OLESTR("ProductVersion"), OLESTR("1.00")},
                                   {OLESTR("ProductName"), OLESTR("Quillet")},
                                   {OLESTR("InternalName"), OLESTR("Quillet")},
                                   {OLESTR("OriginalFilename"), OLESTR("Quillet.dll")},
                                   // Tells installers that the library registers itself.
                                   {OLESTR("OLESelfRegister"), OLESTR("")},
                               }});
    v.translations.push_back(0x04B00409);  // language 0x0409 (English, US), code page 0x04B0 (Unicode)
    return v;
}

std::vector<BYTE> interface_id_resource(const GUID &iid)
{
    std::vector<BYTE> out = {16, 0, 0, 0};
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<BYTE>(iid.Data1 >> shift));
    for (WORD w : {iid.Data2, iid.Data3}) {
        out.push_back(static_cast<BYTE>(w));
        out.push_back(static_cast<BYTE>(w >> 8));
    }
    out.insert(out.end(), iid.Data4, iid.Data4 + 8);
    return out;
}

std::vector<resource> component_resources()
{
    std::vector<resource> out;
    out.push_back({OLESTR("TYPELIB"), 1, oleaut::disp::write_type_library_image(quillet_library_info())});
    out.push_back({OLESTR("CUSTOM"), OLESTR("_IID_CQUILLET"), interface_id_resource(IID__cQuillet)});
    out.push_back({oleaut::disp::resource_type_version, 1, oleaut::disp::write_version_block(component_version())});
    return out;
}

}  // namespace quillet

// The Quillet type library: _cQuillet, the class cQuillet, and the enumerations
// xlChartType and xlChartFillEffect, in that order.
#ifndef QUILLET_AUTOMATION_TYPE_LIBRARY_HPP
#define QUILLET_AUTOMATION_TYPE_LIBRARY_HPP

#include "oleaut/dispatch/describe.hpp"
#include "oleaut/dispatch/typeinfo.hpp"

namespace quillet {

const oleaut::disp::library_info &quillet_library_info();
oleaut::com_ptr<ITypeLib> quillet_type_library();
// _cQuillet's entry of the library: what an object's GetTypeInfo answers.
oleaut::com_ptr<ITypeInfo> quillet_interface_type_info();

}  // namespace quillet

#endif

// The component reaches host and recordset objects only by late-bound calls.
#ifndef QUILLET_HOST_LATE_BOUND_HPP
#define QUILLET_HOST_LATE_BOUND_HPP

#include "oleaut/late_bound.hpp"

namespace quillet::host {

using namespace oleaut::late;
using oleaut::com_ptr;
using oleaut::variant;

}  // namespace quillet::host

#endif

// An object with nothing but a default value, as conversions meet it: asked for
// DISPID_VALUE it answers a copy of its value, or fails with its error. Lets the
// conversion of VT_DISPATCH values (which asks the object for its value) be fuzzed
// with an object the input describes.
#ifndef FUZZ_SUPPORT_VALUE_OBJECT_HPP
#define FUZZ_SUPPORT_VALUE_OBJECT_HPP

#include "oleaut.h"

namespace fuzz_support {

// A new object (one reference) answering a copy of `value`, or `failure` when that is
// a failure code. Its own count of live objects lets a target check that every
// reference was given back.
IDispatch *make_value_object(const VARIANT &value, HRESULT failure);
long value_objects_alive();

}  // namespace fuzz_support

#endif

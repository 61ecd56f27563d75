// A small automation class built on the toolkit, shaped like the objects the project
// exposes: properties with get and put, methods with optional and named parameters, a
// by-reference VARIANT, an indexed default member, a child object reached through a
// parameterless property, and a member that fails.
#ifndef TESTS_DISPATCH_SAMPLE_OBJECT_H
#define TESTS_DISPATCH_SAMPLE_OBJECT_H

#include <map>

#include "oleaut/dispatch/object.hpp"

namespace sample {

inline constexpr GUID kIID = {0x6D1A0001, 0x2B7C, 0x4E11, {0x9A, 0x01, 0x51, 0x75, 0x11, 0xE7, 0x00, 0x01}};

enum : DISPID {
    kName = 1,
    kSubtract = 2,
    kSwap = 3,
    kChild = 4,
    kFail = 5,
    kFlag = 6,
    kText = 7,
    kTake = 8,
    kGradient = 9,
    kHidden = 10,
    kCount = 11,
};

class object : public oleaut::disp::object<object> {
public:
    static const oleaut::disp::table<object> &dispatch_table();
    static object *create() { return new object(); }

    std::u16string name = u"start";
    std::map<LONG, oleaut::variant> items;  // the default member's storage
    int member_runs = 0;                     // how often any member code ran
    VARIANT_BOOL last_flag = 0;
    bool last_text_null = false;
    std::u16string last_text;
    bool last_object_null = false;
    SHORT style = 0, variant_no = 0;
    DOUBLE degree = 0;
    bool optional_left_out = false;
    object *child = nullptr;  // created on first use, owned by this object

    ~object() override
    {
        if (child)
            child->Release();
    }

private:
    object() = default;
};

}  // namespace sample

#endif

// The identities clients see: the class id, the three interface ids and every dispatch
// id. Late-bound clients go by member name; the ids only have to stay the same from one
// build to the next, so they are written down here once and never reused.
#ifndef RECORDSET_IDS_HPP
#define RECORDSET_IDS_HPP

#include "oleaut.h"

namespace recordset {

// Our own identities: activation goes through the ProgID, so nothing depends on
// matching any other vendor's numbers.
inline constexpr GUID kCLSID_Recordset = {0xE2C581EA, 0x0FAD, 0x4F0B, {0x8B, 0x11, 0x90, 0x14, 0x30, 0x7B, 0x0A, 0x53}};
inline constexpr GUID kIID_Recordset = {0x9D66F0A2, 0x3CC5, 0x4829, {0x8F, 0x44, 0x5C, 0x5D, 0x48, 0x7C, 0xB7, 0x4A}};
inline constexpr GUID kIID_Fields = {0xD7233B37, 0xF28D, 0x4A8D, {0x91, 0xE5, 0xC0, 0x13, 0xC8, 0x4B, 0x1C, 0xB6}};
inline constexpr GUID kIID_Field = {0x1669DFFD, 0xBD5C, 0x4ACB, {0xAB, 0x55, 0x67, 0x2E, 0xFB, 0x93, 0x2F, 0x5D}};

inline constexpr const char16_t *kProgID = u"ADODB.Recordset";

// Recordset: `Fields` is the default member, so `rs("Sales")` reaches `rs.Fields("Sales")`.
namespace rs_id {
enum : DISPID {
    fields = DISPID_VALUE,
    open = 1,
    close = 2,
    add_new = 3,
    update = 4,
    cancel_update = 5,
    move_first = 6,
    move_last = 7,
    move_next = 8,
    move_previous = 9,
    eof = 10,
    bof = 11,
    record_count = 12,
    state = 13,
};
}

// Fields: `Item` is the default member, so `rs.Fields("Sales")` selects a field.
namespace fields_id {
enum : DISPID {
    item = DISPID_VALUE,
    count = 1,
    append = 2,
};
}

// Field: `Value` is the default member, so a client may read the field itself.
namespace field_id {
enum : DISPID {
    value = DISPID_VALUE,
    name = 1,
    type = 2,
    defined_size = 3,
    attributes = 4,
};
}

}  // namespace recordset

#endif

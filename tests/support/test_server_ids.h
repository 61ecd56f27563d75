// What the test server (libtestserver.so) offers, shared by the server and the tests
// that activate it: one class, QuilletTest.Counter, with a property and a method.
#ifndef TEST_SUPPORT_TEST_SERVER_IDS_H
#define TEST_SUPPORT_TEST_SERVER_IDS_H

#include "oleaut.h"

namespace test_server {

// {6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A42}
inline constexpr CLSID kCounterClsid = {0x6B3F2A51, 0x8C4D, 0x4E7A, {0x9F, 0x12, 0x3D, 0x5C, 0x7B, 0x9E, 0x1A, 0x42}};
inline constexpr const char16_t *kCounterClsidText = u"{6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A42}";
inline constexpr const char16_t *kCounterProgId = u"QuilletTest.Counter";

// Value: read/write VT_I4 property. Increment([by = 1]): adds and answers the new value.
inline constexpr DISPID kDispidValue = 1;
inline constexpr DISPID kDispidIncrement = 2;

// Extra exports for tests: how many Counter objects are alive, and how many locks
// (LockServer, class-object references) are held.
using count_fn = LONG (*)();
inline constexpr const char *kLiveObjectsExport = "TestServerLiveObjects";
inline constexpr const char *kServerLocksExport = "TestServerLocks";

}  // namespace test_server

#endif

// The fake host's second class, "QuilletTest.Recorder": an automation object through which
// a script (which cannot call the exported FakeHostState()) reads and arranges the fake's
// shared state in the same process.
#ifndef TESTS_SUPPORT_FAKE_HOST_RECORDER_HPP
#define TESTS_SUPPORT_FAKE_HOST_RECORDER_HPP

#include "oleaut/dispatch/server.hpp"

namespace fake_host {

// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0F002}
inline constexpr GUID kCLSID_Recorder = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xF0, 0x02}};

HRESULT create_recorder(REFIID riid, void **ppv);

}  // namespace fake_host

#endif

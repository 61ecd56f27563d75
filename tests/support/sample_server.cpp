// The sample class of the dispatch tests packaged as an in-process server with the
// toolkit's factory and registration, so that tests can activate a toolkit object by
// ProgID exactly as clients activate the project's real servers.
#include "dispatch/sample_object.h"
#include "oleaut/dispatch/server.hpp"

namespace {

constexpr GUID kCLSID_Sample = {0x6D1A0100, 0x2B7C, 0x4E11, {0x9A, 0x01, 0x51, 0x75, 0x11, 0xE7, 0x01, 0x00}};

const oleaut::disp::class_entry kClasses[] = {
    {&kCLSID_Sample, u"QuilletTest.Sample", u"Dispatch toolkit sample",
     &oleaut::disp::create_instance<sample::object>},
};

}  // namespace

OLEAUT_DEFINE_SERVER_ENTRY_POINTS(kClasses)

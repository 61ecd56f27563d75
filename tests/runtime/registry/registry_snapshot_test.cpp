// Lookups read a cached copy of the registry file: every way the file can change must
// still be seen by the very next lookup.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "oleaut.h"
#include "support/temp_registry.hpp"

using namespace test_support;

namespace {

std::string registry_with(const char *clsid)
{
    return std::string("[Snapshot.Test\\CLSID]\n@=\"") + clsid + "\"\n";
}

// The CLSID the ProgID names now, as text, or "" when it names none.
std::string clsid_of_prog_id()
{
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(u"Snapshot.Test", &clsid)))
        return "";
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(clsid.Data1), clsid.Data2, clsid.Data3, clsid.Data4[0], clsid.Data4[1],
                  clsid.Data4[2], clsid.Data4[3], clsid.Data4[4], clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
    return text;
}

constexpr const char *kFirst = "{11111111-2222-3333-4444-555555555555}";
constexpr const char *kSecond = "{11111111-2222-3333-4444-555555555556}";

TEST(RegistrySnapshot, EveryChangeToTheFileIsSeenByTheNextLookup)
{
    temp_registry registry;
    const struct {
        const char *how;
        std::function<void()> change;
        std::string expected;
    } steps[] = {
        {"written first", [&] { registry.set_text(registry_with(kFirst)); }, kFirst},
        {"rewritten in place, same size",
         [&] { registry.set_text(registry_with(kSecond)); },
         kSecond},
        {"replaced by rename",
         [&] {
             write_file(registry.path() + ".new", registry_with(kFirst));
             std::rename((registry.path() + ".new").c_str(), registry.path().c_str());
         },
         kFirst},
        {"removed", [&] { std::remove(registry.path().c_str()); }, ""},
        {"written again", [&] { registry.set_text(registry_with(kSecond)); }, kSecond},
    };
    for (const auto &step : steps) {
        step.change();
        EXPECT_EQ(clsid_of_prog_id(), step.expected) << step.how;
        EXPECT_EQ(clsid_of_prog_id(), step.expected) << step.how << ", asked twice";
    }
}

// Two registry files in turn (OLEAUT_REGISTRY changed between lookups): each answers
// its own contents.
TEST(RegistrySnapshot, AnotherRegistryFileIsReadAsItself)
{
    temp_registry first;
    first.set_text(registry_with(kFirst));
    EXPECT_EQ(clsid_of_prog_id(), kFirst);
    {
        temp_registry second;
        second.set_text(registry_with(kSecond));
        EXPECT_EQ(clsid_of_prog_id(), kSecond);
    }
    EXPECT_EQ(clsid_of_prog_id(), kFirst);
}

}  // namespace

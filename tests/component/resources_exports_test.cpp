// libquillet.so exports the four entry points of an in-process server and nothing
// else, as the system's own symbol lister reports it.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/run_process.hpp"

namespace {

// The names `nm -D --defined-only` lists: the last word of each line.
std::vector<std::string> defined_dynamic_symbols(const std::string &library)
{
    const test_support::process_result r =
        test_support::run_process({"/usr/bin/env", "nm", "-D", "--defined-only", library});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    std::vector<std::string> names;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        const size_t space = line.find_last_of(' ');
        if (!line.empty())
            names.push_back(space == std::string::npos ? line : line.substr(space + 1));
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ComponentExports, AreExactlyTheFourEntryPoints)
{
    const std::vector<std::string> expected = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                               "DllUnregisterServer"};
    EXPECT_EQ(defined_dynamic_symbols(QUILLET_LIB), expected);
}

TEST(ComponentExports, TheListerSeesMoreInALibraryWithoutAScript)
{
    // The fake host is built without a version script: the lister shows its C++
    // internals, so the check above can tell a script that works from one that does not.
    EXPECT_GT(defined_dynamic_symbols(FAKE_HOST_PATH).size(), 4u);
}

}  // namespace

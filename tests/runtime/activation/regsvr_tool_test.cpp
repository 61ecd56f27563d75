// The regsvr tool run as a user runs it: a separate process registering the test
// server into a private registry, and each way it can fail.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "support/registry_access.hpp"
#include "support/run_process.hpp"
#include "support/temp_registry.hpp"
#include "support/test_server_ids.h"

using namespace test_support;

namespace {

std::string real_path(const char *path)
{
    char buf[PATH_MAX];
    return realpath(path, buf) ? std::string(buf) : std::string(path);
}

class Regsvr : public ::testing::Test {
protected:
    process_result regsvr(std::vector<std::string> args, const std::string &cwd = {})
    {
        args.insert(args.begin(), REGSVR_PATH);
        return run_process(args, cwd);
    }
    bool progid_registered()
    {
        CLSID clsid{};
        return CLSIDFromProgID(test_server::kCounterProgId, &clsid) == S_OK &&
               IsEqualCLSID(clsid, test_server::kCounterClsid);
    }
    temp_registry registry;
};

TEST_F(Regsvr, RegistersTheServerIntoTheRegistryFile)
{
    process_result r = regsvr({TEST_SERVER_PATH});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("DllRegisterServer"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("succeeded"), std::string::npos) << r.out;
    std::string file = registry.text();
    EXPECT_NE(file.find("[CLSID\\{6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A42}\\InprocServer32]\n@=\"" +
                        real_path(TEST_SERVER_PATH) + "\"\n\"ThreadingModel\"=\"Apartment\"\n"),
              std::string::npos)
        << file;
    EXPECT_NE(file.find("[QuilletTest.Counter\\CLSID]\n@=\"{6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A42}\"\n"),
              std::string::npos)
        << file;
    EXPECT_TRUE(progid_registered());
    LPOLESTR progid = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(test_server::kCounterClsid, &progid), S_OK);
    EXPECT_EQ(std::u16string(progid), test_server::kCounterProgId);
    CoTaskMemFree(progid);
}

TEST_F(Regsvr, SilentRegistrationPrintsNothing)
{
    process_result r = regsvr({"-s", TEST_SERVER_PATH});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(progid_registered());
}

TEST_F(Regsvr, UnregisterRemovesWhatRegisterWrote)
{
    ASSERT_EQ(put_string(u"Unrelated.Thing", nullptr, u"stays"), ERROR_SUCCESS);
    ASSERT_EQ(regsvr({TEST_SERVER_PATH}).exit_code, 0);
    process_result r = regsvr({"-u", TEST_SERVER_PATH});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("DllUnregisterServer"), std::string::npos) << r.out;
    EXPECT_FALSE(progid_registered());
    std::string file = registry.text();
    EXPECT_EQ(file.find("6B3F2A51"), std::string::npos) << file;
    EXPECT_EQ(file.find("QuilletTest"), std::string::npos) << file;
    EXPECT_NE(file.find("[Unrelated.Thing]"), std::string::npos) << file;
}

TEST_F(Regsvr, UnregisteringWhatIsNotRegisteredSucceeds)
{
    process_result r = regsvr({"-u", TEST_SERVER_PATH});
    EXPECT_EQ(r.exit_code, 0) << r.err;
}

TEST_F(Regsvr, BareFileNameMeansTheCurrentDirectoryAndIsRecordedAbsolute)
{
    std::string full = real_path(TEST_SERVER_PATH);
    std::string dir = full.substr(0, full.rfind('/'));
    std::string name = full.substr(full.rfind('/') + 1);
    process_result r = regsvr({name}, dir);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(registry.text().find("@=\"" + full + "\""), std::string::npos) << registry.text();
}

TEST_F(Regsvr, MissingLibraryIsReportedWithTheLoadersReason)
{
    process_result r = regsvr({"/nonexistent/libnothing.so"});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("/nonexistent/libnothing.so"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No such file"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(registry.path()));
}

struct missing_entry_case {
    const char *label;
    std::vector<std::string> flags;
    const char *entry_point;
};

class RegsvrMissingEntry : public Regsvr, public ::testing::WithParamInterface<missing_entry_case> {};

TEST_P(RegsvrMissingEntry, LibraryWithoutTheEntryPointIsNamed)
{
    std::vector<std::string> args = GetParam().flags;
    args.push_back(OLEAUT_LIBRARY_PATH);  // a real library that is no server
    process_result r = regsvr(args);
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find(GetParam().entry_point), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(real_path(OLEAUT_LIBRARY_PATH)), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(EntryPoints, RegsvrMissingEntry,
                         ::testing::Values(missing_entry_case{"register", {}, "DllRegisterServer"},
                                           missing_entry_case{"unregister", {"-u"}, "DllUnregisterServer"}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(Regsvr, FailingRegistrationPrintsTheHresultAndTheRegistrysReason)
{
    const std::string damaged = "[CLSID]\nnonsense here\n";
    registry.set_text(damaged);
    process_result r = regsvr({TEST_SERVER_PATH});
    EXPECT_EQ(r.exit_code, 4);
    EXPECT_NE(r.err.find("0x80040201"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("SELFREG_E_CLASS"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(registry.path()), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
    EXPECT_EQ(registry.text(), damaged);
}

struct usage_case {
    const char *label;
    std::vector<std::string> args;
    int exit_code;
    bool usage_on_stdout;
};

class RegsvrUsage : public Regsvr, public ::testing::WithParamInterface<usage_case> {};

TEST_P(RegsvrUsage, UsageIsShown)
{
    const usage_case &c = GetParam();
    process_result r = regsvr(c.args);
    EXPECT_EQ(r.exit_code, c.exit_code);
    const std::string &usage_stream = c.usage_on_stdout ? r.out : r.err;
    EXPECT_EQ(usage_stream.rfind("usage: regsvr", 0) == 0 || usage_stream.find("\nusage: regsvr") != std::string::npos,
              true)
        << "stdout: " << r.out << "\nstderr: " << r.err;
    EXPECT_FALSE(std::filesystem::exists(registry.path()));
}

INSTANTIATE_TEST_SUITE_P(CommandLines, RegsvrUsage,
                         ::testing::Values(usage_case{"help", {"-h"}, 0, true},
                                           usage_case{"long_help", {"--help"}, 0, true},
                                           usage_case{"no_library", {}, 1, false},
                                           usage_case{"unknown_option", {"-x", TEST_SERVER_PATH}, 1, false},
                                           usage_case{"two_libraries", {TEST_SERVER_PATH, TEST_SERVER_PATH}, 1, false}),
                         [](const auto &info) { return std::string(info.param.label); });

}  // namespace

// A log that cannot be written is reported, never dropped: Path/File access error
// with the file and the system's reason, as the current error and the error info.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "oleaut.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "runtime/errors/event_log_test_support.hpp"

namespace {

using event_log_test::scoped_log_dir;
namespace fs = std::filesystem;

struct failure_case {
    const char *name;
    // Prepares the directory and answers the log path that must fail.
    std::function<fs::path(const fs::path &dir)> make_path;
    int expected_errno;
};

class EventLogFailure : public ::testing::TestWithParam<failure_case> {};

TEST_P(EventLogFailure, ReportsFileAccessErrorNamingFileAndReason)
{
    scoped_log_dir log;
    const fs::path path = GetParam().make_path(log.dir());
    if (path.empty())
        GTEST_SKIP() << "this failure cannot be produced here";
    log.point_to(path);
    OaRtErrClear();

    EXPECT_EQ(OaRtLogEvent(u"must not be lost", OART_EVENT_ERROR), OART_E_FILEACCESS);

    const std::string reason = std::strerror(GetParam().expected_errno);
    EXPECT_EQ(OaRtErrNumber(), OART_E_FILEACCESS);
    oleaut::bstr description, source, default_source;
    ASSERT_EQ(OaRtErrDescription(description.put()), S_OK);
    ASSERT_EQ(OaRtErrSource(source.put()), S_OK);
    ASSERT_EQ(OaRtGetDefaultSource(default_source.put()), S_OK);
    EXPECT_NE(description.utf8().find(path.string()), std::string::npos) << description.utf8();
    EXPECT_NE(description.utf8().find(reason), std::string::npos) << description.utf8();
    EXPECT_EQ(source.str(), default_source.str());

    oleaut::com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    oleaut::bstr published;
    ASSERT_EQ(info->GetDescription(published.put()), S_OK);
    EXPECT_EQ(published.str(), description.str());
    OaRtErrClear();
}

fs::path missing_directory(const fs::path &dir) { return dir / "no-such-directory" / "events.log"; }
fs::path directory_itself(const fs::path &dir) { return dir; }
fs::path below_a_file(const fs::path &dir)
{
    std::ofstream(dir / "plain-file") << "x";
    return dir / "plain-file" / "events.log";
}
fs::path full_device(const fs::path &)
{
    return access("/dev/full", W_OK) == 0 ? fs::path("/dev/full") : fs::path();
}

INSTANTIATE_TEST_SUITE_P(Causes, EventLogFailure,
                         ::testing::Values(failure_case{"MissingDirectory", missing_directory, ENOENT},
                                           failure_case{"PathIsADirectory", directory_itself, EISDIR},
                                           failure_case{"ParentIsAFile", below_a_file, ENOTDIR},
                                           failure_case{"DiskFull", full_device, ENOSPC}),
                         [](const auto &info) { return std::string(info.param.name); });

// Permissions do not stop root, so as root the check runs in a child process that
// has given up its privileges.
TEST(EventLogFailurePermission, DeniedIsReportedWithTheReason)
{
    scoped_log_dir log;
    fs::create_directory(log.dir() / "locked");
    fs::permissions(log.dir() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    const fs::path path = log.dir() / "locked" / "events.log";
    log.point_to(path);

    auto check = [&]() -> bool {
        if (OaRtLogEvent(u"denied?", OART_EVENT_ERROR) != OART_E_FILEACCESS)
            return false;
        oleaut::bstr d;
        OaRtErrDescription(d.put());
        return d.utf8().find(path.string()) != std::string::npos &&
               d.utf8().find(std::strerror(EACCES)) != std::string::npos;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 2) << "could not drop privileges";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "unwritable log not reported as Path/File access error with its reason";
    EXPECT_FALSE(fs::exists(path));
}

TEST(EventLogFailureRecovery, NextWritableCallSucceeds)
{
    scoped_log_dir log;
    const fs::path good = log.log();
    log.point_to(missing_directory(log.dir()));
    ASSERT_EQ(OaRtLogEvent(u"lost?", OART_EVENT_ERROR), OART_E_FILEACCESS);
    log.point_to(good);
    ASSERT_EQ(OaRtLogEvent(u"kept", OART_EVENT_ERROR), S_OK);
    const auto entries = event_log_test::read_entries(good);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "kept");
    OaRtErrClear();
}

TEST(EventLogSyslog, WithoutAFileTheEntryGoesToSyslogAndSucceeds)
{
    scoped_log_dir log;
    unsetenv("OLEAUT_EVENTLOG");
    OaRtErrClear();
    EXPECT_EQ(OaRtLogEvent(u"to syslog\twith a tab", OART_EVENT_INFORMATION), S_OK);
    EXPECT_EQ(OaRtErrNumber(), 0);
    EXPECT_FALSE(fs::exists(log.log()));
}

}  // namespace

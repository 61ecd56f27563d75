// Many writers at once, threads and processes: every entry must come out whole, on
// its own line, exactly once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "oleaut.h"
#include "oleaut/utf.hpp"
#include "runtime/errors/event_log_test_support.hpp"

namespace {

using event_log_test::read_entries;
using event_log_test::scoped_log_dir;

constexpr int kThreads = 8;
constexpr int kEntriesPerThread = 150;

// Long enough (several KiB, with characters that need escaping) that a write split
// or mixed with another would show.
std::string entry_text(int writer, int index)
{
    std::string id = "writer " + std::to_string(writer) + " entry " + std::to_string(index);
    std::string text = id + "\t|";
    for (int i = 0; i < 300; ++i)
        text += "x\\y\n\u00E9" + std::to_string(writer);
    return text + "|" + id;
}

// Answers false if any call failed.
bool write_entries(int first_writer, int threads)
{
    std::vector<std::thread> pool;
    std::vector<char> ok(static_cast<size_t>(threads), 1);
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([t, first_writer, &ok] {
            for (int i = 0; i < kEntriesPerThread; ++i) {
                const std::u16string text = oleaut::utf8_to_utf16(entry_text(first_writer + t, i));
                if (OaRtLogEvent(text.c_str(), OART_EVENT_INFORMATION) != S_OK)
                    ok[static_cast<size_t>(t)] = 0;
            }
        });
    for (auto &th : pool)
        th.join();
    for (char c : ok)
        if (!c)
            return false;
    return true;
}

// Checks that the file holds exactly writers x kEntriesPerThread whole entries,
// each one once; answers how many entries each process id wrote.
std::map<long, int> check_complete(const std::filesystem::path &log, int writers)
{
    const auto entries = read_entries(log);
    EXPECT_EQ(entries.size(), static_cast<size_t>(writers * kEntriesPerThread));
    std::set<std::string> seen;
    std::map<long, int> per_pid;
    std::set<std::string> expected;
    for (int w = 0; w < writers; ++w)
        for (int i = 0; i < kEntriesPerThread; ++i)
            expected.insert(entry_text(w, i));
    for (const auto &e : entries) {
        EXPECT_TRUE(expected.count(e.text)) << "entry not written by any writer: " << e.text.substr(0, 80);
        EXPECT_TRUE(seen.insert(e.text).second) << "entry written twice: " << e.text.substr(0, 80);
        ++per_pid[e.pid];
    }
    return per_pid;
}

TEST(EventLogConcurrency, ThreadsNeverInterleave)
{
    scoped_log_dir log;
    ASSERT_TRUE(write_entries(0, kThreads));
    const auto per_pid = check_complete(log.log(), kThreads);
    ASSERT_EQ(per_pid.size(), 1u);
    EXPECT_EQ(per_pid.begin()->first, static_cast<long>(getpid()));
}

TEST(EventLogConcurrency, ProcessesNeverInterleave)
{
    scoped_log_dir log;
    constexpr int kProcesses = 2;
    constexpr int kThreadsPerProcess = 4;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0) << "fork failed";
        if (pid == 0)
            _exit(write_entries(p * kThreadsPerProcess, kThreadsPerProcess) ? 0 : 1);
        children.push_back(pid);
    }
    // The parent writes at the same time as its children.
    const bool parent_ok = write_entries(kProcesses * kThreadsPerProcess, kThreadsPerProcess);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a child's OaRtLogEvent failed";
    }
    EXPECT_TRUE(parent_ok);

    const auto per_pid = check_complete(log.log(), (kProcesses + 1) * kThreadsPerProcess);
    ASSERT_EQ(per_pid.size(), static_cast<size_t>(kProcesses + 1));
    for (const auto &[pid, count] : per_pid)
        EXPECT_EQ(count, kThreadsPerProcess * kEntriesPerThread) << "process " << pid;
}

}  // namespace

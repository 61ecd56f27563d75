// Eight processes writing at the same time, 500 entries each into the event log and 60
// each into the registry: afterwards every entry is there, whole (its exact text), exactly once.
// Entries carry characters the files escape, so a torn or interleaved write cannot pass
// for a whole one.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "oleaut.h"
#include "oleaut/utf.hpp"
#include "runtime/errors/event_log_test_support.hpp"
#include "support/registry_access.hpp"
#include "support/temp_registry.hpp"

namespace {

constexpr int kProcesses = 8;
constexpr int kEntriesEach = 500;
// The registry rewrites its whole file on every change, so the cost of this test grows
// with the square of the entry count: 480 values test the same locking in seconds
// where 4000 take minutes.
constexpr int kRegistryEntriesEach = 60;
constexpr const char16_t *kWritersKey = u"Concurrency\\Writers";

// Entry `index` of process `writer`: its identity at both ends, with quotes, backslashes,
// tabs, newlines and non-ASCII text between them.
std::string entry_text(int writer, int index)
{
    const std::string id = "process " + std::to_string(writer) + " entry " + std::to_string(index);
    std::string text = id + " |";
    for (int i = 0; i < 20; ++i)
        text += "\"q\\b\tt\nn\u00E9" + std::to_string(writer);
    return text + "| " + id;
}

std::u16string value_name(int writer, int index)
{
    return oleaut::utf8_to_utf16("p" + std::to_string(writer) + "-" + std::to_string(index));
}

// Runs write(writer) in kProcesses children at once; answers a description of every child
// that failed (empty when all succeeded). write answers how many of its entries failed.
std::string run_writers(const std::function<int(int writer)> &write)
{
    std::vector<pid_t> children;
    for (int w = 0; w < kProcesses; ++w) {
        const pid_t pid = fork();
        if (pid < 0)
            return "fork failed";
        if (pid == 0)
            _exit(write(w) == 0 ? 0 : 1);
        children.push_back(pid);
    }
    std::string failures;
    for (size_t w = 0; w < children.size(); ++w) {
        int status = 0;
        if (waitpid(children[w], &status, 0) != children[w] || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            failures += "writer " + std::to_string(w) + " failed; ";
    }
    return failures;
}

TEST(MultiProcessWriters, EventLogKeepsEveryEntryWholeAndOnce)
{
    event_log_test::scoped_log_dir log;
    ASSERT_EQ(run_writers([](int writer) {
                  int failed = 0;
                  for (int i = 0; i < kEntriesEach; ++i) {
                      const std::u16string text = oleaut::utf8_to_utf16(entry_text(writer, i));
                      if (OaRtLogEvent(text.c_str(), OART_EVENT_WARNING) != S_OK)
                          ++failed;
                  }
                  return failed;
              }),
              "");

    // read_entries fails the test for any line that is not one whole, well-formed entry.
    const std::vector<event_log_test::entry> entries = event_log_test::read_entries(log.log());
    EXPECT_EQ(entries.size(), static_cast<size_t>(kProcesses * kEntriesEach));
    std::map<std::string, int> times_seen;
    for (const event_log_test::entry &e : entries) {
        EXPECT_EQ(e.type, OART_EVENT_WARNING);
        ++times_seen[e.text];
    }
    std::set<long> pids;
    for (const event_log_test::entry &e : entries)
        pids.insert(e.pid);
    EXPECT_EQ(pids.size(), static_cast<size_t>(kProcesses)) << "entries carry the wrong process ids";
    for (int w = 0; w < kProcesses; ++w)
        for (int i = 0; i < kEntriesEach; ++i) {
            auto it = times_seen.find(entry_text(w, i));
            ASSERT_TRUE(it != times_seen.end()) << "lost: process " << w << " entry " << i;
            ASSERT_EQ(it->second, 1) << "process " << w << " entry " << i << " is in the log " << it->second
                                     << " times";
        }
}

TEST(MultiProcessWriters, RegistryKeepsEveryValueWholeAndOnce)
{
    // Each change is flushed to disk before it counts; on a memory file system 4000 of
    // them take seconds rather than minutes, and the locking under test is the same.
    std::error_code no_shm;
    test_support::scoped_env tmpdir("TMPDIR", std::filesystem::is_directory("/dev/shm", no_shm)
                                                  ? std::optional<std::string>("/dev/shm")
                                                  : std::nullopt);
    test_support::temp_registry registry;
    ASSERT_EQ(run_writers([](int writer) {
                  int failed = 0;
                  for (int i = 0; i < kRegistryEntriesEach; ++i) {
                      // A key opened per entry: each change is a transaction of its own.
                      test_support::reg_key key;
                      if (test_support::create_key(kWritersKey, key) != ERROR_SUCCESS ||
                          test_support::set_string(key.get(), value_name(writer, i).c_str(),
                                                   oleaut::utf8_to_utf16(entry_text(writer, i))) != ERROR_SUCCESS)
                          ++failed;
                  }
                  return failed;
              }),
              "");

    test_support::reg_key key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, kWritersKey, 0, KEY_READ, key.put()), ERROR_SUCCESS);
    for (int w = 0; w < kProcesses; ++w)
        for (int i = 0; i < kRegistryEntriesEach; ++i) {
            const std::u16string expected = oleaut::utf8_to_utf16(entry_text(w, i));
            std::u16string data(expected.size() + 8, u'\0');
            DWORD type = 0, size = static_cast<DWORD>(data.size() * sizeof(char16_t));
            ASSERT_EQ(RegQueryValueExW(key.get(), value_name(w, i).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE *>(data.data()), &size),
                      ERROR_SUCCESS)
                << "lost: process " << w << " entry " << i;
            EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
            data.resize(size / sizeof(char16_t));
            ASSERT_EQ(data, expected + u'\0') << "process " << w << " entry " << i << " is not whole";
        }

    // Once: the file holds exactly one line per value, and no value twice.
    std::istringstream file(registry.text());
    std::set<std::string> names;
    size_t value_lines = 0;
    for (std::string line; std::getline(file, line);)
        if (line.rfind("\"p", 0) == 0) {
            ++value_lines;
            EXPECT_TRUE(names.insert(line.substr(0, line.find('='))).second) << "value stored twice: " << line;
        }
    EXPECT_EQ(value_lines, static_cast<size_t>(kProcesses * kRegistryEntriesEach));
}

}  // namespace

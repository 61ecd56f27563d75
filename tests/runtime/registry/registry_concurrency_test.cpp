// Concurrent writers, in several processes or several threads, each making many
// single-value changes to the same key: no change may be lost.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "support/registry_access.hpp"
#include "support/temp_registry.hpp"

using namespace test_support;

namespace {

constexpr int kWriters = 4;
constexpr int kValuesEach = 25;

std::u16string value_name(int writer, int i)
{
    std::string s = "w" + std::to_string(writer) + "_" + std::to_string(i);
    return std::u16string(s.begin(), s.end());
}

// Writer w sets its values one transaction at a time; answers how many failed.
int write_values(int writer)
{
    int failures = 0;
    for (int i = 0; i < kValuesEach; ++i) {
        reg_key key;
        if (create_key(u"Shared\\Target", key) != ERROR_SUCCESS ||
            set_dword(key.get(), value_name(writer, i).c_str(), static_cast<DWORD>(writer * 1000 + i)) != ERROR_SUCCESS)
            ++failures;
    }
    return failures;
}

void expect_every_value_present()
{
    reg_key key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Shared\\Target", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    for (int w = 0; w < kWriters; ++w)
        for (int i = 0; i < kValuesEach; ++i) {
            DWORD v = 0, size = sizeof v;
            ASSERT_EQ(RegQueryValueExW(key.get(), value_name(w, i).c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE *>(&v), &size),
                      ERROR_SUCCESS)
                << "writer " << w << " value " << i << " was lost";
            EXPECT_EQ(v, static_cast<DWORD>(w * 1000 + i));
        }
}

TEST(RegistryConcurrency, WritersInSeparateProcessesLoseNothing)
{
    temp_registry registry;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            _exit(write_values(w) == 0 ? 0 : 1);
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer process failed";
    }
    expect_every_value_present();
}

TEST(RegistryConcurrency, WritersInSeparateThreadsLoseNothing)
{
    temp_registry registry;
    std::vector<int> failures(kWriters, 0);
    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w)
        threads.emplace_back([w, &failures] { failures[w] = write_values(w); });
    for (auto &t : threads)
        t.join();
    for (int w = 0; w < kWriters; ++w)
        EXPECT_EQ(failures[w], 0) << "writer " << w;
    expect_every_value_present();
}

}  // namespace

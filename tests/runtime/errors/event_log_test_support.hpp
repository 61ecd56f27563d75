// Reading the event log file back in tests: splitting it into entries, undoing the
// escaping, and pointing OLEAUT_EVENTLOG at a private directory for one test.
#ifndef TESTS_RUNTIME_EVENT_LOG_TEST_SUPPORT_HPP
#define TESTS_RUNTIME_EVENT_LOG_TEST_SUPPORT_HPP

#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_registry.hpp"

namespace event_log_test {

struct entry {
    std::string time;
    long pid = 0;
    int type = 0;
    std::string text;  // unescaped UTF-8
};

inline bool is_timestamp(const std::string &t)
{
    // 2026-12-08T06:15:23.123Z
    static const char shape[] = "dddd-dd-ddTdd:dd:dd.dddZ";
    if (t.size() != sizeof shape - 1)
        return false;
    for (size_t i = 0; i < t.size(); ++i) {
        const bool ok = shape[i] == 'd' ? (t[i] >= '0' && t[i] <= '9') : t[i] == shape[i];
        if (!ok)
            return false;
    }
    return true;
}

// Milliseconds since 1970 for a well-formed timestamp.
inline long long epoch_millis(const std::string &t)
{
    tm parts{};
    parts.tm_year = std::stoi(t.substr(0, 4)) - 1900;
    parts.tm_mon = std::stoi(t.substr(5, 2)) - 1;
    parts.tm_mday = std::stoi(t.substr(8, 2));
    parts.tm_hour = std::stoi(t.substr(11, 2));
    parts.tm_min = std::stoi(t.substr(14, 2));
    parts.tm_sec = std::stoi(t.substr(17, 2));
    return static_cast<long long>(timegm(&parts)) * 1000 + std::stoi(t.substr(20, 3));
}

inline long long now_millis()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

inline std::optional<std::string> unescape(const std::string &s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\t' || c == '\n' || c == '\r')
            return std::nullopt;  // must have been escaped
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == s.size())
            return std::nullopt;
        switch (s[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

// One line without its newline; nullopt when it is not a well-formed entry.
inline std::optional<entry> parse_line(const std::string &line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t tab = line.find('\t', start);
        if (tab == std::string::npos)
            return std::nullopt;
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    entry e;
    e.time = fields[0];
    if (!is_timestamp(e.time))
        return std::nullopt;
    try {
        size_t used = 0;
        e.pid = std::stol(fields[1], &used);
        if (used != fields[1].size())
            return std::nullopt;
        e.type = std::stoi(fields[2], &used);
        if (used != fields[2].size())
            return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
    auto text = unescape(line.substr(start));
    if (!text)
        return std::nullopt;
    e.text = *text;
    return e;
}

// Every line of the file; a last line without a newline is reported as a failure.
inline std::vector<std::string> read_lines(const std::filesystem::path &p)
{
    const std::string all = test_support::read_file(p.string());
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < all.size()) {
        size_t nl = all.find('\n', start);
        if (nl == std::string::npos) {
            ADD_FAILURE() << "unterminated last line in " << p;
            break;
        }
        lines.push_back(all.substr(start, nl - start));
        start = nl + 1;
    }
    return lines;
}

inline std::vector<entry> read_entries(const std::filesystem::path &p)
{
    std::vector<entry> out;
    for (const std::string &line : read_lines(p)) {
        auto e = parse_line(line);
        if (!e) {
            ADD_FAILURE() << "malformed log line: " << line.substr(0, 200);
            continue;
        }
        out.push_back(*e);
    }
    return out;
}

// A private directory for one test, with OLEAUT_EVENTLOG pointing into it; the
// variable's previous value is put back afterwards.
class scoped_log_dir {
public:
    scoped_log_dir() : dir_(test_support::make_temp_directory()), env_("OLEAUT_EVENTLOG", std::nullopt)
    {
        point_to(dir_ / "events.log");
    }
    ~scoped_log_dir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    scoped_log_dir(const scoped_log_dir &) = delete;
    scoped_log_dir &operator=(const scoped_log_dir &) = delete;

    void point_to(const std::filesystem::path &p)
    {
        log_ = p;
        setenv("OLEAUT_EVENTLOG", p.c_str(), 1);
    }
    const std::filesystem::path &dir() const { return dir_; }
    const std::filesystem::path &log() const { return log_; }

private:
    std::filesystem::path dir_, log_;
    test_support::scoped_env env_;
};

}  // namespace event_log_test

#endif

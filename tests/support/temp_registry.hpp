// A private registry file for one test: a fresh temporary directory whose "registry"
// file OLEAUT_REGISTRY points at while the object lives. The previous value of the
// variable comes back, and the directory goes, when it is destroyed.
#ifndef TEST_SUPPORT_TEMP_REGISTRY_HPP
#define TEST_SUPPORT_TEMP_REGISTRY_HPP

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

namespace test_support {

inline std::string make_temp_directory()
{
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillet-test-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory from " + pattern);
    return pattern;
}

inline std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void write_file(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class scoped_env {
public:
    scoped_env(const char *name, const std::optional<std::string> &value) : name_(name)
    {
        if (const char *old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~scoped_env()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    scoped_env(const scoped_env &) = delete;
    scoped_env &operator=(const scoped_env &) = delete;

private:
    const char *name_;
    std::optional<std::string> old_;
};

class temp_registry {
public:
    temp_registry() : dir_(make_temp_directory()), path_(dir_ + "/registry"), env_("OLEAUT_REGISTRY", path_) {}
    ~temp_registry()
    {
        std::error_code ignored;  // a directory that cannot be removed only wastes space
        std::filesystem::remove_all(dir_, ignored);
    }
    temp_registry(const temp_registry &) = delete;
    temp_registry &operator=(const temp_registry &) = delete;

    const std::string &dir() const { return dir_; }
    const std::string &path() const { return path_; }
    std::string text() const { return read_file(path_); }
    void set_text(const std::string &bytes) const { write_file(path_, bytes); }

private:
    std::string dir_;
    std::string path_;
    scoped_env env_;
};

}  // namespace test_support

#endif

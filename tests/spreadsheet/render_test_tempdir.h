// A scratch directory per test, removed with everything in it afterwards.
#ifndef TESTS_SPREADSHEET_RENDER_TEST_TEMPDIR_H
#define TESTS_SPREADSHEET_RENDER_TEST_TEMPDIR_H

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace render_test {

class temp_dir {
public:
    temp_dir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "render-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~temp_dir()
    {
        std::error_code ignored;  // cleanup after a test; a leftover scratch dir is harmless
        std::filesystem::remove_all(path_, ignored);
    }
    temp_dir(const temp_dir &) = delete;
    temp_dir &operator=(const temp_dir &) = delete;

    std::string file(const std::string &name) const { return (path_ / name).string(); }
    std::set<std::string> names() const
    {
        std::set<std::string> out;
        for (const auto &e : std::filesystem::directory_iterator(path_))
            out.insert(e.path().filename().string());
        return out;
    }

private:
    std::filesystem::path path_;
};

}  // namespace render_test

#endif

// File names nobody checked: directories, missing and read-only directories, paths
// through a file or into /proc, names past NAME_MAX and PATH_MAX, a leading space,
// symbolic links, special files, and a write cut short by a file size limit. Each
// either writes the picture where the name says or fails with the host's
// "cannot write <name>: <reason>", leaving any earlier file as it was and no
// temporary file behind.
#include <gtest/gtest.h>
#include <limits.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <optional>

#include "host_errors.hpp"
#include "render/export/picture_file.hpp"
#include "render/export/exporter.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"
#include "render_test_tempdir.h"

namespace {

using namespace render_test;
using sheethost::host_error;
using sheethost::host_hresult;
using namespace sheethost::render;

const std::string kOldContent = "the picture from before";

std::optional<oleaut::com_error> export_error(const std::string &path)
{
    try {
        export_chart(reference_chart(51), path, u"GIF");
    } catch (const oleaut::com_error &e) {
        return e;
    }
    return std::nullopt;
}

std::string read_text(const std::string &path)
{
    std::vector<uint8_t> bytes = read_bytes(path);
    return {bytes.begin(), bytes.end()};
}

bool is_gif(const std::string &path) { return read_text(path).rfind("GIF89a", 0) == 0; }

// --- Names that cannot be written ----------------------------------------------

struct refused_case {
    const char *name;
    std::function<std::string(const temp_dir &)> prepare;  // makes the scene, returns the name to export to
    const char *reason;
};

const refused_case kRefused[] = {
    {"existing_directory",
     [](const temp_dir &d) {
         std::filesystem::create_directory(d.file("charts"));
         return d.file("charts");
     },
     "Is a directory"},
    {"trailing_slash", [](const temp_dir &d) { return d.file("chart.gif/"); }, "Is a directory"},
    {"missing_directory", [](const temp_dir &d) { return d.file("missing/chart.gif"); },
     "No such file or directory"},
    {"through_a_file",
     [](const temp_dir &d) {
         std::ofstream(d.file("plain")) << kOldContent;
         return d.file("plain/chart.gif");
     },
     "Not a directory"},
    {"inside_proc", [](const temp_dir &) { return std::string("/proc/quillet-chart.gif"); },
     "No such file or directory"},
    {"name_past_name_max", [](const temp_dir &d) { return d.file(std::string(NAME_MAX + 1, 'n') + ".gif"); },
     "File name too long"},
    {"path_past_path_max",
     [](const temp_dir &d) {
         std::string path = d.file("");
         while (path.size() <= PATH_MAX)
             path += "deeper/";
         return path + "chart.gif";
     },
     "File name too long"},
    {"link_loop",
     [](const temp_dir &d) {
         std::filesystem::create_symlink("b.gif", d.file("a.gif"));
         std::filesystem::create_symlink("a.gif", d.file("b.gif"));
         return d.file("a.gif");
     },
     "Too many levels of symbolic links"},
    {"named_pipe",
     [](const temp_dir &d) {
         mkfifo(d.file("pipe").c_str(), 0600);
         return d.file("pipe");
     },
     "it exists and is not a regular file"},
    {"link_to_a_pipe",
     [](const temp_dir &d) {
         mkfifo(d.file("pipe").c_str(), 0600);
         std::filesystem::create_symlink("pipe", d.file("chart.gif"));
         return d.file("chart.gif");
     },
     "it exists and is not a regular file"},
};

std::string name_of(const ::testing::TestParamInfo<refused_case> &info) { return info.param.name; }

class RefusedName : public ::testing::TestWithParam<refused_case> {};

TEST_P(RefusedName, FailsNamingTheFileAndTheReasonAndLeavesTheDirectoryAsItWas)
{
    temp_dir dir;
    std::string path = GetParam().prepare(dir);
    std::set<std::string> before = dir.names();
    std::optional<oleaut::com_error> e = export_error(path);
    ASSERT_TRUE(e) << "export to " << path << " succeeded";
    EXPECT_EQ(e->hr(), host_hresult(host_error::cannot_write));
    EXPECT_EQ(e->source(), u"SheetHost");
    EXPECT_EQ(e->description(), u"cannot write " + oleaut::utf8_to_utf16(path) + u": " +
                                    oleaut::utf8_to_utf16(GetParam().reason));
    EXPECT_EQ(dir.names(), before);
    if (std::filesystem::exists(dir.file("plain"))) {
        EXPECT_EQ(read_text(dir.file("plain")), kOldContent);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedName, ::testing::ValuesIn(kRefused), name_of);

TEST(RefusedName, ReadOnlyDirectory)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root; the path-through-a-file and /proc cases fail for root too";
    temp_dir dir;
    std::filesystem::create_directory(dir.file("locked"));
    std::ofstream(dir.file("locked/chart.gif")) << kOldContent;
    ASSERT_EQ(chmod(dir.file("locked").c_str(), 0555), 0);
    std::optional<oleaut::com_error> e = export_error(dir.file("locked/chart.gif"));
    chmod(dir.file("locked").c_str(), 0755);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->description(), u"cannot write " + oleaut::utf8_to_utf16(dir.file("locked/chart.gif")) +
                                    u": Permission denied");
    EXPECT_EQ(read_text(dir.file("locked/chart.gif")), kOldContent);
}

// --- Names that are written ----------------------------------------------------

TEST(WrittenName, LeadingSpaceIsPartOfTheName)
{
    temp_dir dir;
    export_chart(reference_chart(51), dir.file(" chart.gif"), u"GIF");
    EXPECT_EQ(dir.names(), std::set<std::string>{" chart.gif"});
    EXPECT_TRUE(is_gif(dir.file(" chart.gif")));
}

TEST(WrittenName, NameOfExactlyNameMaxBytes)
{
    temp_dir dir;
    std::string name = std::string(NAME_MAX - 4, 'n') + ".gif";
    export_chart(reference_chart(51), dir.file(name), u"GIF");
    EXPECT_EQ(dir.names(), std::set<std::string>{name});
    EXPECT_TRUE(is_gif(dir.file(name)));
}

TEST(WrittenName, LongNameOfMultiByteCharacters)
{
    temp_dir dir;
    std::string name;
    while (name.size() + 2 + 4 <= NAME_MAX)
        name += "\xC3\xA9";  // é
    name += ".gif";
    export_chart(reference_chart(51), dir.file(name), u"GIF");
    EXPECT_EQ(dir.names(), std::set<std::string>{name});
}

struct link_case {
    const char *name;
    const char *link_text;  // what the link holds, relative to the scratch directory or absolute
    bool target_exists;
};

class ThroughSymlink : public ::testing::TestWithParam<link_case> {};

// A link is followed: the file it points to gets the picture and the link stays a link.
TEST_P(ThroughSymlink, ReplacesTheTargetAndKeepsTheLink)
{
    temp_dir dir;
    std::filesystem::create_directory(dir.file("real"));
    std::string target = dir.file("real/chart.gif");
    if (GetParam().target_exists) {
        std::ofstream(target) << kOldContent;
        chmod(target.c_str(), 0640);
    }
    std::string link_text = GetParam().link_text;
    std::filesystem::create_symlink(link_text == "absolute" ? target : link_text, dir.file("link.gif"));

    export_chart(reference_chart(51), dir.file("link.gif"), u"GIF");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.gif")));
    EXPECT_TRUE(is_gif(target));
    EXPECT_EQ(dir.names(), (std::set<std::string>{"link.gif", "real"}));
    std::set<std::string> in_real;
    for (const auto &e : std::filesystem::directory_iterator(dir.file("real")))
        in_real.insert(e.path().filename().string());
    EXPECT_EQ(in_real, std::set<std::string>{"chart.gif"});
    if (GetParam().target_exists) {
        struct stat st;
        ASSERT_EQ(stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
    }
}

INSTANTIATE_TEST_SUITE_P(Links, ThroughSymlink,
                         ::testing::Values(link_case{"relative", "real/chart.gif", true},
                                           link_case{"absolute", "absolute", true},
                                           link_case{"dangling", "real/chart.gif", false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ThroughSymlink, ChainOfLinks)
{
    temp_dir dir;
    std::ofstream(dir.file("target.gif")) << kOldContent;
    std::filesystem::create_symlink("target.gif", dir.file("second.gif"));
    std::filesystem::create_symlink("second.gif", dir.file("first.gif"));
    export_chart(reference_chart(51), dir.file("first.gif"), u"GIF");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("first.gif")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("second.gif")));
    EXPECT_TRUE(is_gif(dir.file("target.gif")));
}

// --- A write cut short -----------------------------------------------------------

// In a child process with a file size limit smaller than the picture and SIGXFSZ at
// its default action (ending the process): the write must fail with an error, the
// child must live to report it, the earlier file must be whole and no temporary file
// may remain.
TEST(ExportDurability, FlushesOnlyWhenTheOperatorAsksForIt)
{
    using oleaut::files::durability;
    const struct {
        const char *setting;
        durability expected;
    } cases[] = {
        {nullptr, durability::atomic_only}, {"", durability::atomic_only}, {"0", durability::atomic_only},
        {"1", durability::flushed},         {"yes", durability::flushed},  {"00", durability::flushed},
    };
    for (const auto &c : cases)
        EXPECT_EQ(sheethost::render::export_durability(c.setting), c.expected) << (c.setting ? c.setting : "unset");
}

// Both ways replace the file whole, over an earlier one and where there was none.
TEST(ExportDurability, EitherWayReplacesTheWholeFile)
{
    render_test::temp_dir dir;
    for (auto how : {oleaut::files::durability::flushed, oleaut::files::durability::atomic_only})
        for (std::string bytes : {"first picture", "a second, longer picture"}) {
            ASSERT_FALSE(oleaut::files::replace_file_atomically(dir.file("chart.gif"), bytes, 0, how));
            std::ifstream in(dir.file("chart.gif"), std::ios::binary);
            std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(read, bytes);
        }
    EXPECT_EQ(dir.names(), std::set<std::string>{"chart.gif"});  // no temporary file left
}

TEST(FileSizeLimit, FailsTheExportAndKeepsTheEarlierFile)
{
    temp_dir dir;
    std::string path = dir.file("chart.gif");
    std::ofstream(path) << kOldContent;
    std::vector<uint8_t> picture = encode_chart(reference_chart(54), image_format::gif);
    ASSERT_GT(picture.size(), 4096u);
    std::string report = dir.file("report");

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_DFL);
        rlimit limit{4096, 4096};
        int outcome = 1;
        std::string text = "no error";
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            outcome = 2;
        } else {
            try {
                write_file_atomically(path, picture);
            } catch (const oleaut::com_error &e) {
                text = oleaut::utf16_to_utf8(e.description());
                outcome = e.hr() == host_hresult(host_error::cannot_write) ? 0 : 3;
            }
        }
        rlimit none{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &none);
        std::ofstream(report) << text;
        _exit(outcome);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "the child was ended by signal " << WTERMSIG(status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(read_text(report), "cannot write " + path + ": File too large");
    EXPECT_EQ(read_text(path), kOldContent);
    EXPECT_EQ(dir.names(), (std::set<std::string>{"chart.gif", "report"}));
}

// The signal that the cut-short write raised is taken back: the thread's signal mask
// and the pending signals are as they were before the export.
TEST(FileSizeLimit, LeavesNoSignalPendingAndTheMaskAsItWas)
{
    temp_dir dir;
    std::vector<uint8_t> picture(64 * 1024, 0x47);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_DFL);
        rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        sigset_t before, after, pending;
        pthread_sigmask(SIG_SETMASK, nullptr, &before);
        bool failed = false;
        try {
            write_file_atomically(dir.file("big.bin"), picture);
        } catch (const oleaut::com_error &) {
            failed = true;
        }
        pthread_sigmask(SIG_SETMASK, nullptr, &after);
        sigpending(&pending);
        bool same_mask = sigismember(&before, SIGXFSZ) == sigismember(&after, SIGXFSZ);
        _exit(failed && same_mask && !sigismember(&pending, SIGXFSZ) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace

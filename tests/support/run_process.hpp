// Runs a program to completion and captures what it printed, for tests of
// command-line tools. Output goes to files rather than pipes, so a chatty child can
// never block on a full pipe.
#ifndef TEST_SUPPORT_RUN_PROCESS_HPP
#define TEST_SUPPORT_RUN_PROCESS_HPP

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_registry.hpp"

namespace test_support {

struct process_result {
    int exit_code = -1;  // -1 if the program did not exit normally
    std::string out;
    std::string err;
};

// argv[0] is the program's path. The child inherits the environment; cwd, if not
// empty, is its working directory.
inline process_result run_process(const std::vector<std::string> &argv, const std::string &cwd = {})
{
    std::string dir = make_temp_directory();
    std::string out_path = dir + "/out", err_path = dir + "/err";
    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || (!cwd.empty() && chdir(cwd.c_str()) != 0))
            _exit(126);
        std::vector<char *> args;
        for (const auto &a : argv)
            args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    process_result r;
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = read_file(out_path);
    r.err = read_file(err_path);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return r;
}

}  // namespace test_support

#endif

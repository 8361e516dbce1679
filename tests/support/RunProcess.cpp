// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "RunProcess.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "TempDir.h"

namespace tolv::test {

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args, const std::string& cwd)
{
    TempDir capture;
    const std::string outPath = capture / "out", errPath = capture / "err";
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ProcessResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = ReadFileText(outPath);
    r.err = ReadFileText(errPath);
    return r;
}

std::string FindTool(const std::string& name)
{
    const std::string path = RunProcess("/bin/sh", {"-c", "command -v " + name}).out;
    return path.substr(0, path.find('\n'));
}

} // namespace tolv::test

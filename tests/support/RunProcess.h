// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <string>
#include <vector>

namespace tolv::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs program with args (no shell) in folder cwd ("" = current), capturing both streams.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args, const std::string& cwd = "");
// The tool's full path found along PATH, "" when it is not installed.
std::string FindTool(const std::string& name);

} // namespace tolv::test

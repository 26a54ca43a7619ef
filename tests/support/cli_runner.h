#pragma once

// Runs the built orvak-cli (ORVAK_CLI) with arguments and collects what it prints.

#include "support/test_support.h"

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace testsupport {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline CliResult RunCli(const std::vector<std::string>& args) {
    const std::filesystem::path errFile = TestDir() / "stderr.txt";
    std::string command = ShellQuoted(ORVAK_CLI);
    for (const std::string& a : args)
        command += " " + ShellQuoted(a);
    command += " 2>" + ShellQuoted(errFile.string());
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadBytes(errFile);
    return result;
}

} // namespace testsupport

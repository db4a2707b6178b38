// Runs the quillmere tool itself, for what only its command line decides: its exit status and
// what it wrote to standard output and standard error.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <filesystem>
#include <string>

struct TToolRun {
    int Status = -1;  // -1 when the tool did not end by itself
    std::string Output;
};

// `environment` goes before the command ("SDL_VIDEODRIVER=dummy", "env -u DISPLAY").
// On Windows the command goes to the command interpreter, which takes the tool's path with
// backslashes and in quotes; the environment must be empty there.
inline TToolRun RunTool(const std::string& tool, const std::string& arguments,
                        const std::string& environment = "") {
    TToolRun run;
#ifdef _WIN32
    const std::string command = "\"\"" + std::filesystem::path(tool).make_preferred().string() +
                                "\" " + arguments + " 2>&1\"";
    FILE* pipe = _popen(command.c_str(), "rb");
#else
    const std::string command = environment + " " + tool + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
#endif
    if (!pipe) return run;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        run.Output.append(chunk, n);
#ifdef _WIN32
    (void)environment;
    run.Status = _pclose(pipe);
    // Text written to a console or a pipe ends its lines with CR LF there.
    std::string lines;
    for (std::size_t i = 0; i < run.Output.size(); ++i)
        if (run.Output[i] != '\r' || i + 1 == run.Output.size() || run.Output[i + 1] != '\n')
            lines += run.Output[i];
    run.Output = lines;
#else
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return run;
}

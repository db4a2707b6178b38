// Runs the quillmere tool itself, for what only its command line decides: its exit status and
// what it wrote to standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct TToolRun {
    int Status = -1;  // -1 when the tool did not end by itself
    std::string Output;
};

// `environment` goes before the command ("SDL_VIDEODRIVER=dummy", "env -u DISPLAY").
inline TToolRun RunTool(const std::string& tool, const std::string& arguments,
                        const std::string& environment = "") {
    const std::string command = environment + " " + tool + " " + arguments + " 2>&1";
    TToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        run.Output.append(chunk, n);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

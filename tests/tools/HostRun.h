// Runs the command-line host built with the tests (BRV_HOST_PATH) and keeps
// what it printed, standard error included, with its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct HostRun {
    int status = -1;
    std::string output;
};

inline HostRun runHost(const std::string& args) {
    const std::string command = std::string(BRV_HOST_PATH) + " " + args + " 2>&1";
    HostRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    while (fgets(buffer, sizeof(buffer), pipe)) run.output += buffer;
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

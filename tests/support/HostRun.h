// Runs the command-line host built with the tests (BRV_HOST_PATH) and keeps
// what it printed, standard error included, with its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct HostRun {
    int status = -1;  // -1: ended by a signal
    std::string output;
};

// A shell command line, for runs that need their own folder or environment.
inline HostRun runShell(const std::string& command) {
    HostRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    while (fgets(buffer, sizeof(buffer), pipe)) run.output += buffer;
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline HostRun runHost(const std::string& args) {
    return runShell(std::string(BRV_HOST_PATH) + " " + args);
}

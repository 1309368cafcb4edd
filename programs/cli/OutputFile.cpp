#include "programs/cli/OutputFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A signal handler can only reach static storage; it may call unlink() but
// must not allocate, so the partial names are kept in fixed buffers. The
// host writes at most three files in one run (--ir and --plot together).
constexpr int slotCount = 4;
char partialNames[slotCount][PATH_MAX + 16];
volatile std::sig_atomic_t slotInUse[slotCount];

int takeSlot(const std::string& name) {
    if (name.size() >= sizeof(partialNames[0])) return -1;
    for (int i = 0; i < slotCount; ++i) {
        if (slotInUse[i]) continue;
        std::memcpy(partialNames[i], name.c_str(), name.size() + 1);
        slotInUse[i] = 1;
        return i;
    }
    return -1;
}

extern "C" void removePartials() {
    for (int i = 0; i < slotCount; ++i)
        if (slotInUse[i]) unlink(partialNames[i]);
}

extern "C" void removePartialsAndDie(int signal) {
    removePartials();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

std::string directoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}

// Follows symbolic links from `path` to the name finally written, which
// need not exist yet. A loop of links or one too long is an error.
bool resolveLinks(const std::string& path, std::string& resolved) {
    resolved = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char link[PATH_MAX];
        const ssize_t n = readlink(resolved.c_str(), link, sizeof(link) - 1);
        if (n <= 0) return false;
        link[n] = 0;
        resolved = link[0] == '/' ? std::string(link) : directoryOf(resolved) + link;
    }
    return false;
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

void OutputFile::removePartialsOnExitAndSignals() {
    std::atexit(removePartials);
    std::signal(SIGINT, removePartialsAndDie);
    std::signal(SIGTERM, removePartialsAndDie);
}

bool OutputFile::prepare(const std::string& path, const std::string& input, std::string& error) {
    shown = path;
    if (path.empty()) {
        error = "an output file name is empty";
        return false;
    }
    if (!resolveLinks(path, target)) {
        error = "cannot follow the symbolic links of " + path;
        return false;
    }
    struct stat out {};
    if (stat(target.c_str(), &out) == 0) {
        struct stat in {};
        if (!input.empty() && stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev &&
            in.st_ino == out.st_ino) {
            error = "the output " + path + " is the input file; give another output name";
            return false;
        }
        if (!S_ISREG(out.st_mode)) {
            error = "the output " + path + " exists and is not a regular file";
            return false;
        }
        // Root may write anything: the permission bits tell what was meant.
        if ((out.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            access(target.c_str(), W_OK) != 0) {
            error = "the output " + path + " is write-protected; it is left as it is";
            return false;
        }
    }
    partial = target + ".partial";
    slot = takeSlot(partial);
    return true;
}

bool OutputFile::commit(std::string& error) {
    if (partial.empty() || std::rename(partial.c_str(), target.c_str()) != 0) {
        error = "cannot write " + shown + " (" + std::strerror(errno) + ")";
        discard();
        return false;
    }
    partial.clear();
    if (slot >= 0) slotInUse[slot] = 0;
    slot = -1;
    return true;
}

void OutputFile::discard() {
    if (!partial.empty()) std::remove(partial.c_str());
    partial.clear();
    if (slot >= 0) slotInUse[slot] = 0;
    slot = -1;
}

// One file the host writes: checked before anything is rendered, written
// under a ".partial" name beside its real target and renamed onto it only
// when complete, so a failed or interrupted run leaves the old file (or
// nothing) and never half a file.
#pragma once

#include <string>

class OutputFile final {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Resolves symbolic links, so the link is written through and stays a
    // link. Refuses the input itself (by device and inode, so also through
    // another name or a hard link), a write-protected file and anything that
    // is not a regular file. `input` may be empty.
    bool prepare(const std::string& path, const std::string& input, std::string& error);

    const std::string& partialPath() const { return partial; }
    const std::string& name() const { return shown; }

    // Renames the finished partial file onto the target.
    bool commit(std::string& error);
    // Removes the partial file, if any is left.
    void discard();

    // Every prepared partial file not yet committed is removed when the
    // process exits (std::exit skips destructors) and on SIGINT and SIGTERM,
    // after which the process ends as the signal says.
    static void removePartialsOnExitAndSignals();

private:
    std::string shown;
    std::string target;
    std::string partial;
    int slot = -1;
};

// The command-line host against what real users and real files do: odd and
// hostile inputs, long ones, outputs that must not be lost, requests that
// make no sense, interruptions.
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/HostRun.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

int lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

struct FileInfo {
    int format = 0;
    sf_count_t frames = -1;
    int rate = 0;
};

FileInfo inspect(const std::string& path) {
    SF_INFO info{};
    FileInfo seen;
    if (SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info)) {
        seen = FileInfo{info.format, info.frames, info.samplerate};
        sf_close(f);
    }
    return seen;
}

// Runs the host directly (no shell) and tells its peak memory.
struct Measured {
    int status = -1;
    long peakKb = 0;
};

Measured runMeasured(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string host = BRV_HOST_PATH;
    argv.push_back(host.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    return Measured{WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

struct HostHardening : ::testing::Test {
    void SetUp() override {
        dir = testsupport::scratchFolder(
            "brv-hard-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::system(("chmod -R u+w '" + dir + "' 2>/dev/null; rm -rf '" + dir + "' && mkdir -p '" +
                     dir + "'")
                        .c_str());
    }
    void TearDown() override {
        std::system(("chmod -R u+w '" + dir + "' 2>/dev/null; rm -rf '" + dir + "'").c_str());
    }

    // A file with one click near the start and a quiet tone after it.
    std::string write(const std::string& name, int format, int rate, int channels,
                      sf_count_t frames) {
        const std::string path = dir + "/" + name;
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
        SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(f, nullptr) << sf_strerror(nullptr);
        if (!f) return path;
        std::vector<float> block(4096 * static_cast<size_t>(channels));
        for (sf_count_t done = 0; done < frames;) {
            const sf_count_t n = std::min<sf_count_t>(4096, frames - done);
            for (sf_count_t i = 0; i < n * channels; ++i)
                block[i] = (done + i / channels == 10)
                               ? 0.9f
                               : 0.01f * static_cast<float>((i / channels) % 7);
            sf_writef_float(f, block.data(), n);
            done += n;
        }
        sf_close(f);
        return path;
    }

    std::string wav16(const std::string& name, int frames = 2000) {
        return write(name, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, frames);
    }

    std::string dir;
};

// Rewrites the sample rate a canonical WAV header states.
void claimRate(const std::string& path, uint32_t rate) {
    std::string bytes = contents(path);
    const size_t fmt = bytes.find("fmt ");
    ASSERT_NE(fmt, std::string::npos);
    for (int i = 0; i < 4; ++i) bytes[fmt + 12 + i] = static_cast<char>((rate >> (8 * i)) & 0xFF);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Makes a FLAC stream's header leave its length open, as the format allows
// (an encoder writing to a pipe does); `keepFrames` false leaves the header
// alone, as sox writes an empty file.
void forgetFlacLength(const std::string& path, bool keepFrames) {
    std::string bytes = contents(path);
    ASSERT_GE(bytes.size(), 42u);
    ASSERT_EQ(bytes.substr(0, 4), "fLaC");
    bytes[21] = static_cast<char>(bytes[21] & 0xF0);  // 36 bits of sample count
    for (int i = 22; i < 26; ++i) bytes[i] = 0;
    for (int i = 26; i < 42; ++i) bytes[i] = 0;  // and no checksum of the audio
    if (!keepFrames) {
        bytes = bytes.substr(0, 42);
        bytes[4] = static_cast<char>(bytes[4] | 0x80);  // the last metadata block
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

TEST_F(HostHardening, InputsItCannotUseGetOneLineAndStatusOneWhileOddValidOnesRender) {
    const std::string empty = write("empty.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 2, 100);
    forgetFlacLength(empty, false);
    const HostRun rendered = runHost("--quiet --tail 0.5 -o " + dir + "/empty-out.wav " + empty);
    EXPECT_EQ(rendered.status, 0) << rendered.output;
    EXPECT_EQ(inspect(dir + "/empty-out.wav").frames, 4000) << "the tail alone";
    const std::string open = write("open.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 2, 30000);
    forgetFlacLength(open, true);
    const HostRun whole = runHost("--quiet --tail 0.5 -o " + dir + "/open-out.wav " + open);
    EXPECT_EQ(whole.status, 0) << whole.output;
    EXPECT_EQ(inspect(dir + "/open-out.wav").frames, 30000 + 4000) << "read to its end";

    const uint32_t rates[] = {2147483647u, 999u, 768001u};
    for (uint32_t rate : rates) {
        const std::string hostile = wav16("hostile.wav", 40);
        claimRate(hostile, rate);
        const HostRun run = runHost("--quiet -o " + dir + "/out.wav " + hostile);
        EXPECT_EQ(run.status, 1) << rate << ": " << run.output;
        EXPECT_EQ(lines(run.output), 1) << run.output;
        EXPECT_NE(run.output.find(std::to_string(rate)), std::string::npos) << run.output;
        EXPECT_FALSE(exists(dir + "/out.wav"));
    }
    const std::string edge = wav16("edge.wav", 40);
    claimRate(edge, 768000);
    EXPECT_EQ(runHost("--quiet --tail 0 -o " + dir + "/edge-out.wav " + edge).status, 0);
}

// The whole input held in memory costs about 28 bytes a frame: 42 MB more
// for this long input than for the short one. Streamed, both need the same.
TEST_F(HostHardening, MemoryStaysFlatWhateverTheInputsLength) {
    const std::string shortInput =
        write("short.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1000, 1, 1000);
    const std::string longInput =
        write("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1000, 1, 1500000);
    const Measured small =
        runMeasured({"--quiet", "--tail", "0", "-o", dir + "/short-out.wav", shortInput});
    const Measured large =
        runMeasured({"--quiet", "--tail", "0", "-o", dir + "/long-out.wav", longInput});
    ASSERT_EQ(small.status, 0);
    ASSERT_EQ(large.status, 0);
    EXPECT_EQ(inspect(dir + "/long-out.wav").frames, 1500000);
    EXPECT_LT(large.peakKb - small.peakKb, 12 * 1024)
        << small.peakKb << " kB, then " << large.peakKb << " kB";
}

TEST_F(HostHardening, OutputFormatFollowsTheOutputsName) {
    const std::string in = wav16("in.wav");
    struct Case {
        const char* name;
        int format;
    };
    const Case cases[] = {
        {"out.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"out.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        {"out.AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        {"out.caf", SF_FORMAT_CAF | SF_FORMAT_PCM_16},
        {"out.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"out.au", SF_FORMAT_AU | SF_FORMAT_PCM_16},
    };
    for (const Case& c : cases) {
        const std::string out = dir + "/" + c.name;
        const HostRun run = runHost("--quiet --tail 0.1 -o " + out + " " + in);
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(inspect(out).format, c.format) << c.name;
        EXPECT_EQ(inspect(out).frames, 2000 + 800) << c.name;
    }
    // Refused before rendering, with the reason: no format, and a format
    // that cannot hold the samples.
    const std::string floats = write("floats.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 2, 100);
    const std::string refused[] = {
        "-o " + dir + "/out.txt " + in,
        "-o " + dir + "/noextension " + in,
        "--float -o " + dir + "/out2.flac " + in,
        "-o " + dir + "/out3.flac " + floats,
    };
    for (const std::string& args : refused) {
        const HostRun run = runHost("--quiet " + args);
        EXPECT_EQ(run.status, 2) << args << ": " << run.output;
        EXPECT_EQ(lines(run.output), 1) << run.output;
        EXPECT_FALSE(exists(dir + "/out.txt") || exists(dir + "/noextension") ||
                     exists(dir + "/out2.flac") || exists(dir + "/out3.flac"))
            << args;
    }
    // The default name keeps the input's extension, but floats cannot go
    // into FLAC.
    const std::string flac = write("song.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 8000, 2, 500);
    ASSERT_EQ(runHost("--quiet --tail 0 " + flac).status, 0);
    EXPECT_EQ(inspect(dir + "/song-reverb.flac").format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    ASSERT_EQ(runHost("--quiet --tail 0 --float " + flac).status, 0);
    EXPECT_EQ(inspect(dir + "/song-reverb.wav").format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    // 8-bit samples are unsigned in WAV and signed in AIFF: still 8 bits.
    const std::string bytes = write("bytes.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 8000, 1, 500);
    ASSERT_EQ(runHost("--quiet --tail 0 -o " + dir + "/bytes.wav " + bytes).status, 0);
    EXPECT_EQ(inspect(dir + "/bytes.wav").format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
}

TEST_F(HostHardening, OutputsNeverReplaceTheInputOrAWriteProtectedFile) {
    const std::string in = wav16("in.wav");
    const std::string original = contents(in);
    ASSERT_EQ(symlink("in.wav", (dir + "/link.wav").c_str()), 0);
    ASSERT_EQ(link(in.c_str(), (dir + "/hard.wav").c_str()), 0);
    const std::string protectedFile = wav16("protected.wav", 100);
    const std::string protectedBytes = contents(protectedFile);
    ASSERT_EQ(chmod(protectedFile.c_str(), 0444), 0);
    const std::string sameFile[] = {in, dir + "/link.wav", dir + "/hard.wav", dir + "/./in.wav"};
    for (const std::string& out : sameFile) {
        const HostRun run = runHost("--quiet -o " + out + " " + in);
        EXPECT_EQ(run.status, 1) << out << ": " << run.output;
        EXPECT_EQ(lines(run.output), 1) << run.output;
    }
    EXPECT_EQ(contents(in), original) << "the input is never touched";
    const std::string toProtected[] = {
        "--quiet -o " + protectedFile + " " + in,
        "--panel " + protectedFile,
        "--ir " + protectedFile + " --rate 8000",
    };
    for (const std::string& args : toProtected) {
        const HostRun run = runHost(args);
        EXPECT_EQ(run.status, 1) << args << ": " << run.output;
        EXPECT_NE(run.output.find("write-protected"), std::string::npos) << run.output;
    }
    EXPECT_EQ(contents(protectedFile), protectedBytes);
    // A folder that is not there: the message names the output asked for.
    const HostRun nowhere = runHost("--quiet -o " + dir + "/nowhere/out.wav " + in);
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_EQ(lines(nowhere.output), 1) << nowhere.output;
    EXPECT_NE(nowhere.output.find("nowhere/out.wav ("), std::string::npos) << nowhere.output;
    for (const char* left : {"/in.wav.partial", "/protected.wav.partial", "/link.wav.partial"})
        EXPECT_FALSE(exists(dir + left)) << left;
}

// A link is written through: the link stays, its target gets the data, and
// the partial file lies beside the target (the same file system), not the link.
TEST_F(HostHardening, OutputsAreWrittenThroughSymbolicLinks) {
    const std::string in = wav16("in.wav");
    ASSERT_EQ(mkdir((dir + "/real").c_str(), 0755), 0);
    ASSERT_EQ(symlink("real/out.flac", (dir + "/out.flac").c_str()), 0);
    ASSERT_EQ(symlink("real/panel.png", (dir + "/panel.png").c_str()), 0);
    ASSERT_EQ(runHost("--quiet --tail 0 -o " + dir + "/out.flac " + in).status, 0);
    ASSERT_EQ(runHost("--panel " + dir + "/panel.png").status, 0);
    struct stat st {};
    ASSERT_EQ(lstat((dir + "/out.flac").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(inspect(dir + "/real/out.flac").format, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    EXPECT_EQ(contents(dir + "/real/panel.png").substr(1, 3), "PNG");
    EXPECT_FALSE(exists(dir + "/out.flac.partial") || exists(dir + "/real/out.flac.partial"));
}

TEST_F(HostHardening, InterruptedRendersLeaveNoPartialFile) {
    const std::string in = write("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1000, 1, 3000000);
    const std::string out = dir + "/out.wav";
    for (int signal : {SIGINT, SIGTERM}) {
        const pid_t pid = fork();
        if (pid == 0) {
            execl(BRV_HOST_PATH, BRV_HOST_PATH, "--quiet", "-o", out.c_str(), in.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        // The partial file appears once the render has begun.
        for (int i = 0; i < 2000 && !exists(out + ".partial"); ++i) usleep(5000);
        ASSERT_TRUE(exists(out + ".partial")) << "the render never began";
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "ends as the signal says";
        EXPECT_FALSE(exists(out + ".partial")) << strsignal(signal);
        EXPECT_FALSE(exists(out));
    }
}

// The file system refuses the output half-way (here a file size limit,
// as a full disk would): one line, status 1, and no partial file left.
TEST_F(HostHardening, AFailedWriteLeavesNoPartialFile) {
    const std::string in = write("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 400000);
    const std::string out = dir + "/out.wav";
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            200000, 200000
        };
        setrlimit(RLIMIT_FSIZE, &limit);
        execl(BRV_HOST_PATH, BRV_HOST_PATH, "--quiet", "-o", out.c_str(), in.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_FALSE(exists(out + ".partial"));
    EXPECT_FALSE(exists(out));
}

TEST_F(HostHardening, RequestsThatCannotBeHonouredAreRefusedWithStatusTwo) {
    const std::string in = wav16("in.wav");
    const std::string usage[] = {
        "--panel " + dir + "/p.png --ir " + dir + "/ir.wav",
        "--panel " + dir + "/p.png --analyze",
        "--panel " + dir + "/p.png " + in,
        "--rate 8000 " + in,
        "--info --demo",
        "--info -o " + dir + "/x.wav",
        "--analyze --tail 2",
        "--info --set Loudness=0.5",
        "--info --set 2=1.5",
        "--set Dry-Wet=x " + in,
        "--program 99 " + in,
        "--frobnicate",
        "--scale 2 " + in,
        "--panel " + dir + "/p.png --scale 0",
        "--panel " + dir + "/p.png --scale 4.5",
        "--panel " + dir + "/p.png --scale nan",
    };
    for (const std::string& args : usage) {
        const HostRun run = runHost(args);
        EXPECT_EQ(run.status, 2) << args << ": " << run.output;
        EXPECT_EQ(lines(run.output), 1) << run.output;
    }
    EXPECT_FALSE(exists(dir + "/p.png") || exists(dir + "/ir.wav") || exists(dir + "/x.wav"));
    EXPECT_EQ(runHost("--quiet " + dir + "/missing.wav").status, 1);
    EXPECT_EQ(runHost("--module " + dir + "/missing.so --info").status, 1);
    EXPECT_NE(runHost("--help").output.find("Exit status"), std::string::npos);

    // "--" ends the options: a file whose name starts with a dash.
    ASSERT_EQ(std::rename(in.c_str(), (dir + "/-dash.wav").c_str()), 0);
    const HostRun dashed = runShell("cd '" + dir + "' && " + BRV_HOST_PATH +
                                    " --quiet --tail 0 -o out.wav -- -dash.wav");
    EXPECT_EQ(dashed.status, 0) << dashed.output;
    EXPECT_EQ(inspect(dir + "/out.wav").frames, 2000);
}

// `script` gives the host a terminal, where the progress bar is drawn.
TEST_F(HostHardening, ProgressIsShownOnATerminalAlsoForAnInputOfUnknownLength) {
    const std::string known =
        write("known.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, 8000 * 12);
    const std::string open =
        write("open.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, 8000 * 12);
    forgetFlacLength(open, true);
    const auto onTerminal = [&](const std::string& input) {
        return runShell("script -qec '" + std::string(BRV_HOST_PATH) + " --tail 1 -o " + dir +
                        "/out.wav " + input + "' /dev/null");
    };
    const HostRun bar = onTerminal(known);
    EXPECT_EQ(bar.status, 0) << bar.output;
    EXPECT_NE(bar.output.find("] 100%"), std::string::npos) << bar.output;
    const HostRun counted = onTerminal(open);
    EXPECT_EQ(counted.status, 0) << counted.output;
    // Seconds while the end is unknown, then the share of the tail.
    EXPECT_NE(counted.output.find("\r11 s rendered"), std::string::npos) << counted.output;
    EXPECT_NE(counted.output.find("] 100%"), std::string::npos) << counted.output;
    EXPECT_EQ(inspect(dir + "/out.wav").frames, 8000 * 13);
}

// A stream cut off in the middle: its header still promises every frame.
TEST_F(HostHardening, InputThatEndsEarlyRendersWhatIsThereAndSaysSo) {
    const std::string in = write("cut.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, 40000);
    const std::string whole = contents(in);
    std::ofstream(in, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() / 2);
    const HostRun run = runHost("--quiet --tail 0 -o " + dir + "/out.wav " + in);
    ASSERT_EQ(run.status, 0) << run.output;
    const sf_count_t got = inspect(dir + "/out.wav").frames;
    EXPECT_GT(got, 10000);
    EXPECT_LT(got, 40000);
    EXPECT_NE(run.output.find("40000"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(std::to_string(got)), std::string::npos) << run.output;
}

TEST_F(HostHardening, ModuleNamedWithoutASlashIsTakenFromTheCurrentFolder) {
    ASSERT_EQ(symlink(BRV_MODULE_PATH, (dir + "/Brellivaunt.so").c_str()), 0);
    const std::string inDir = "cd '" + dir + "' && ";
    const HostRun named = runShell(inDir + BRV_HOST_PATH + " --module Brellivaunt.so --info");
    EXPECT_EQ(named.status, 0) << named.output;
    const HostRun fromEnvironment =
        runShell(inDir + "BRELLIVAUNT_MODULE=Brellivaunt.so " + BRV_HOST_PATH + " --info");
    EXPECT_EQ(fromEnvironment.status, 0) << fromEnvironment.output;

    // A host with no module anywhere near it names every place it looked.
    ASSERT_EQ(mkdir((dir + "/bin").c_str(), 0755), 0);
    ASSERT_EQ(std::system(("cp " BRV_HOST_PATH " '" + dir + "/bin/'").c_str()), 0);
    const HostRun lost = runShell("env -u BRELLIVAUNT_MODULE HOME='" + dir + "/home' '" + dir +
                                  "/bin/brellivaunt-host' --info");
    EXPECT_EQ(lost.status, 1);
    EXPECT_EQ(lines(lost.output), 1) << lost.output;
    for (const std::string& place :
         {dir + "/bin/Brellivaunt.so", dir + "/bin/../module/Brellivaunt.so",
          dir + "/bin/../lib/vst/Brellivaunt.so", dir + "/home/.vst/Brellivaunt.so"})
        EXPECT_NE(lost.output.find(place), std::string::npos) << place << " in " << lost.output;
}

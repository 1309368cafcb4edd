#include "presets/PresetFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace presetfile {

namespace {

constexpr int32_t fourCc(const char (&code)[5]) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(code[3])));
}

constexpr int32_t chunkMagic = fourCc("CcnK");
constexpr int32_t programMagic = fourCc("FxCk");
constexpr int32_t bankMagic = fourCc("FxBk");
constexpr int32_t opaqueProgramMagic = fourCc("FPCh");
constexpr int32_t opaqueBankMagic = fourCc("FBCh");
constexpr size_t nameBytes = 28;

std::string codeText(int32_t code) {
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<uint32_t>(code) >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : '?';
    }
    return text + "'";
}

class Writer final {
public:
    explicit Writer(std::vector<uint8_t>& bytes) : out(bytes) {}
    void word(int32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
    }
    void real(float value) {
        int32_t bits = 0;
        std::memcpy(&bits, &value, sizeof(bits));
        word(bits);
    }
    void text(const std::string& value, size_t size) {
        for (size_t i = 0; i < size; ++i)
            out.push_back(i < value.size() && i < size - 1 ? static_cast<uint8_t>(value[i]) : 0);
    }

private:
    std::vector<uint8_t>& out;
};

// Reads from a span it never leaves; the caller checks the length first.
class Reader final {
public:
    Reader(const std::vector<uint8_t>& bytes, size_t start) : in(bytes), at(start) {}
    int32_t word() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | in[at++];
        return static_cast<int32_t>(value);
    }
    float real() {
        const int32_t bits = word();
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof(value));
        return value;
    }
    std::string text(size_t size) {
        std::string value;
        bool ended = false;
        for (size_t i = 0; i < size; ++i) {
            const uint8_t c = in[at++];
            if (c == 0) ended = true;
            if (!ended) value += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
        }
        return value;
    }
    void skip(size_t size) { at += size; }

private:
    const std::vector<uint8_t>& in;
    size_t at;
};

void appendProgram(std::vector<uint8_t>& bytes, const NamedPreset& preset) {
    Writer out(bytes);
    out.word(chunkMagic);
    out.word(static_cast<int32_t>(programBytes - 8));
    out.word(programMagic);
    out.word(1);  // format version
    out.word(brellivauntId);
    out.word(1);  // the module's version
    out.word(paramCount);
    out.text(preset.name, nameBytes);
    for (float value : preset.values) out.real(value);
}

// The common head of both kinds: 'CcnK', the kind, and our id.
bool checkHead(Reader& in, int32_t kind, const char* what, std::string& error) {
    const int32_t magic = in.word();
    in.skip(4);  // byte size: the counts say how much must follow
    const int32_t found = in.word();
    if (magic != chunkMagic) {
        error = std::string("not a VST ") + what + " file (it starts with " + codeText(magic) +
                ", not 'CcnK')";
        return false;
    }
    if (found != kind) {
        if (found == opaqueProgramMagic || found == opaqueBankMagic)
            error = std::string("holds its plug-in's private data (") + codeText(found) +
                    "), not parameter values";
        else if (found == programMagic || found == bankMagic)
            error = std::string("a ") + (found == bankMagic ? "bank" : "program") +
                    " file, not a " + what;
        else
            error = std::string("not a VST ") + what + " file (type " + codeText(found) +
                    ", expected " + codeText(kind) + ")";
        return false;
    }
    in.skip(4);  // format version
    const int32_t id = in.word();
    if (id != brellivauntId) {
        error = "made for another plug-in (id " + codeText(id) + ", Brellivaunt's is " +
                codeText(brellivauntId) + ")";
        return false;
    }
    in.skip(4);  // the plug-in's version
    return true;
}

// One program record at `start`, whose length the caller has checked
// covers at least the header.
bool readProgramAt(const std::vector<uint8_t>& bytes, size_t start, NamedPreset& preset,
                   std::string& error) {
    Reader in(bytes, start);
    if (!checkHead(in, programMagic, "program", error)) return false;
    const int32_t count = in.word();
    if (count != paramCount) {
        error = "holds " + std::to_string(count) + " parameters, Brellivaunt has " +
                std::to_string(paramCount);
        return false;
    }
    if (bytes.size() - start < programBytes) {
        error = "cut short: " + std::to_string(bytes.size() - start) + " bytes of a " +
                std::to_string(programBytes) + "-byte program";
        return false;
    }
    NamedPreset read;
    read.name = in.text(nameBytes);
    for (int32_t i = 0; i < paramCount; ++i) {
        read.values[i] = in.real();
        if (!(read.values[i] >= 0.0f && read.values[i] <= 1.0f)) {
            error = "parameter " + std::to_string(i) + " (" + parameterTable[i].name + ") is " +
                    shortestFloat(read.values[i]) + ", outside 0 to 1";
            return false;
        }
    }
    preset = read;
    return true;
}

std::string cutShort(size_t have, size_t header) {
    return "cut short: " + std::to_string(have) + " bytes, less than the " +
           std::to_string(header) + "-byte header";
}

}  // namespace

std::vector<uint8_t> writeProgram(const NamedPreset& preset) {
    std::vector<uint8_t> bytes;
    appendProgram(bytes, preset);
    return bytes;
}

std::vector<uint8_t> writeBank(const std::vector<NamedPreset>& presets) {
    std::vector<uint8_t> bytes;
    Writer out(bytes);
    out.word(chunkMagic);
    out.word(static_cast<int32_t>(bankHeaderBytes + bankPrograms * programBytes - 8));
    out.word(bankMagic);
    out.word(1);  // format version
    out.word(brellivauntId);
    out.word(1);  // the module's version
    out.word(bankPrograms);
    out.text(std::string(), bankHeaderBytes - 28);
    for (int32_t i = 0; i < bankPrograms; ++i) {
        NamedPreset program;
        if (static_cast<size_t>(i) < presets.size()) {
            program = presets[i];
        } else {
            program.name = "Init";
            for (int32_t p = 0; p < paramCount; ++p)
                program.values[p] = parameterTable[p].defaultValue;
        }
        appendProgram(bytes, program);
    }
    return bytes;
}

bool readProgram(const std::vector<uint8_t>& bytes, NamedPreset& preset, std::string& error) {
    if (bytes.size() < programHeaderBytes) {
        error = cutShort(bytes.size(), programHeaderBytes);
        return false;
    }
    return readProgramAt(bytes, 0, preset, error);
}

bool readBank(const std::vector<uint8_t>& bytes, std::vector<NamedPreset>& programs,
              std::string& error) {
    if (bytes.size() < bankHeaderBytes) {
        error = cutShort(bytes.size(), bankHeaderBytes);
        return false;
    }
    Reader in(bytes, 0);
    if (!checkHead(in, bankMagic, "bank", error)) return false;
    const int32_t count = in.word();
    if (count < 1 || count > 1024) {
        error = "claims " + std::to_string(count) + " programs";
        return false;
    }
    std::vector<NamedPreset> read(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const size_t start = bankHeaderBytes + static_cast<size_t>(i) * programBytes;
        std::string problem;
        if (bytes.size() < start + programHeaderBytes)
            problem = "cut short: it ends before program " + std::to_string(i) + " of " +
                      std::to_string(count);
        else
            readProgramAt(bytes, start, read[i], problem);
        if (!problem.empty()) {
            error =
                (problem.rfind("cut short", 0) == 0 ? "" : "program " + std::to_string(i) + " ") +
                problem;
            return false;
        }
    }
    programs = std::move(read);
    return true;
}

bool loadBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    // No preset file comes near this; a larger one is not read into memory.
    constexpr size_t limit = 1 << 20;
    std::vector<uint8_t> read;
    uint8_t buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0 && read.size() <= limit)
        read.insert(read.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || read.size() > limit) {
        error = failed ? "cannot read " + path : path + " is far too large for a preset file";
        return false;
    }
    bytes = std::move(read);
    return true;
}

bool saveBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    const std::string partial = path + ".partial";
    FILE* file = std::fopen(partial.c_str(), "wb");
    // An empty vector may hold no buffer at all, which fwrite must not be given.
    bool written =
        file && (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    if (file) written = (std::fclose(file) == 0) && written;
    if (!written || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace presetfile

#include "programs/cli/OutputFormat.h"

#include <sndfile.h>
#include <strings.h>

#include <vector>

namespace {

struct Alias {
    const char* extension;
    int major;
};

// Names people give files that libsndfile lists under another extension.
constexpr Alias aliases[] = {
    {"aif", SF_FORMAT_AIFF}, {"aifc", SF_FORMAT_AIFF}, {"ogg", SF_FORMAT_OGG},
    {"opus", SF_FORMAT_OGG}, {"snd", SF_FORMAT_AU},    {"wave", SF_FORMAT_WAV},
};

std::string extensionOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return path.substr(dot + 1);
}

// 0 where the extension names nothing libsndfile writes. Raw data is left
// out: it keeps neither the rate nor the channels, so it cannot be read back.
int majorFor(const std::string& extension) {
    if (extension.empty()) return 0;
    for (const Alias& alias : aliases)
        if (strcasecmp(alias.extension, extension.c_str()) == 0) return alias.major;
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof(count));
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info{};
        info.format = i;
        sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof(info));
        if (info.extension && info.format != SF_FORMAT_RAW &&
            strcasecmp(info.extension, extension.c_str()) == 0)
            return info.format & SF_FORMAT_TYPEMASK;
    }
    return 0;
}

std::string subtypeName(int subtype) {
    SF_FORMAT_INFO info{};
    info.format = subtype;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof(info)) == 0 && info.name)
        return info.name;
    return "these";
}

std::string majorName(int major) {
    SF_FORMAT_INFO info{};
    info.format = major;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof(info)) == 0 && info.name)
        return info.name;
    return "this format";
}

bool lossy(int subtype) {
    return subtype == SF_FORMAT_VORBIS || subtype == SF_FORMAT_OPUS ||
           subtype == SF_FORMAT_MPEG_LAYER_I || subtype == SF_FORMAT_MPEG_LAYER_II ||
           subtype == SF_FORMAT_MPEG_LAYER_III;
}

bool writable(int format, float sampleRate) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(sampleRate);
    info.channels = 2;
    info.format = format;
    return sf_format_check(&info) != 0;
}

}  // namespace

bool outputFormatFor(const std::string& path, const SampleRequest& request, float sampleRate,
                     AudioFormat& format, std::string& why) {
    const std::string extension = extensionOf(path);
    const int major = majorFor(extension);
    if (major == 0) {
        why = "the output " + path + " has " +
              (extension.empty() ? std::string("no extension") : "the extension ." + extension) +
              ", which names no audio format this host writes (use .wav, .aiff, .flac, .ogg, .caf, "
              "...)";
        return false;
    }
    const int inputSubtype = request.input.sndfileFormat & SF_FORMAT_SUBMASK;
    std::vector<int> subtypes;
    if (request.forceFloat) {
        subtypes = {SF_FORMAT_FLOAT};
    } else if (request.hasInput && !lossy(inputSubtype)) {
        // 8-bit samples are signed in some containers and unsigned in
        // others: either keeps them.
        subtypes = {inputSubtype};
        if (inputSubtype == SF_FORMAT_PCM_S8) subtypes.push_back(SF_FORMAT_PCM_U8);
        if (inputSubtype == SF_FORMAT_PCM_U8) subtypes.push_back(SF_FORMAT_PCM_S8);
    } else {
        // The demo phrase has no sample format of its own, and a lossy
        // codec's is no format to keep: the finest one the container takes.
        if (request.hasInput) subtypes.push_back(inputSubtype);
        subtypes.insert(subtypes.end(), {SF_FORMAT_FLOAT, SF_FORMAT_PCM_24, SF_FORMAT_PCM_16});
    }
    // Lossy containers hold their own codec's samples only.
    if (!request.forceFloat)
        subtypes.insert(subtypes.end(), {SF_FORMAT_VORBIS, SF_FORMAT_MPEG_LAYER_III});
    for (int subtype : subtypes) {
        if (writable(major | subtype, sampleRate)) {
            format.sndfileFormat = major | subtype;
            return true;
        }
    }
    why = "the output " + path + " would be " + majorName(major) + ", which cannot hold " +
          subtypeName(subtypes.front()) + " samples (name a .wav output instead)";
    return false;
}

#include "commandline/CommandLineBuilder.h"

#include "EncoderProtocol.h"
#include "FixedText.h"

#include <charconv>
#include <cstdio>

namespace kiv {

std::string FixedTwo(double value) {
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

std::string CommandPrefix(std::string_view appFolder, std::string_view input) {
    std::string text = "\"";
    text += appFolder;
    text += kEncoderExecutable;
    text += "\" ";
    text += kEncoderToken;
    text += "  -async 24 -vsync 24 -i \"";
    text += input;
    text += "\"";
    return text;
}

std::string VideoPart(const MediaDescription& target) {
    std::string text = " -b " + std::to_string(target.videoBitrate) + "k";
    text += " -s " + std::to_string(target.width) + "x" + std::to_string(target.height);
    text += " -r " + FixedTwo(target.frameRate);
    if (target.aspect[0] != '\0')
        text += " -aspect " + std::string(GetText(target.aspect));
    text += " -scodec copy ";
    if (target.title[0] != '\0')
        text += " -title \"" + std::string(GetText(target.title)) + "\" ";
    return text;
}

std::string AudioPart(const MediaDescription& target) {
    std::string text = " -ab " + FixedTwo(target.audioBitrate) + "k ";
    text += " -ac " + std::to_string(target.channels);
    text += " -ar " + FixedTwo(target.sampleRate);
    struct Tag {
        const char* option;
        const char* value;
    } tags[] = {{" -author ", target.author},
                {" -album ", target.album},
                {" -copyright ", target.copyright},
                {" -comment ", target.comment}};
    for (const Tag& tag : tags)
        if (tag.value[0] != '\0')
            text += std::string(tag.option) + "\"" + tag.value + "\"";
    return text;
}

int TrimSeconds(std::string_view text) {
    std::string copy(text);
    int hours = 0, minutes = 0, seconds = 0;
    std::sscanf(copy.c_str(), "%02d:%02d:%02d", &hours, &minutes, &seconds);
    return hours * 3600 + minutes * 60 + seconds;
}

std::string VolumeTrimPart(const ConversionJob& job, int& progressTotal) {
    return " -vol " + std::to_string(job.target.volume) + TrimPart(job, progressTotal);
}

std::string TrimPart(const ConversionJob& job, int& progressTotal) {
    std::string text;
    if (job.trimStart[0] != '\0')
        text += " -ss " + std::string(GetText(job.trimStart));
    if (job.trimEnd[0] != '\0') {
        int start = job.trimStart[0] != '\0' ? TrimSeconds(GetText(job.trimStart)) : 0;
        int end = TrimSeconds(GetText(job.trimEnd));
        text += " -t " + std::to_string(end - start);
        // The encoder's time counts from the trim start, so the bar measures
        // against the clip's length.
        progressTotal = end > start ? end - start : 0;
    } else {
        double duration = job.hasVideo == 1 ? job.source.videoDuration : job.source.audioDuration;
        progressTotal = static_cast<int>(duration);
    }
    return text;
}

std::string FinalOutputPath(const ConversionJob& job, const TargetPart& part,
                            std::string_view suffix) {
    std::string path(GetText(job.outputPath));
    if (!part.nameTag.empty()) {
        path += part.nameTag;
    } else if (!part.audioOnly) {
        path += "_";
        path += GetText(job.target.videoCodec);
        path += "_";
        path += GetText(job.target.audioCodec);
    }
    path += suffix;
    return path + part.extension;
}

} // namespace kiv

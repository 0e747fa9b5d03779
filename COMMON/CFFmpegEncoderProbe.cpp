// The encoder's probe of a file: in process with libavformat first, and
// when that learns too little, the external encoder's "-info" answer.

#include "CFFmpegEncoder.h"
#include "FixedText.h"
#include "Log.h"
#include "media/MediaDetector.h"
#include "media/MediaProbe.h"

namespace kiv {

int CFFmpegEncoder::bGetMediaFileContent(const char* path, ConversionJob* job) {
    if (!path || !job)
        return 0;
    MediaDescription& source = job->source;
    std::string file(path);
    try {
        MediaFacts facts;
        // A file the media library cannot open at all, enc (which reads
        // with the same library) cannot either: no need to start it, which
        // keeps adding a thousand such files quick.
        if (DetectMedia(file, facts) < 0)
            return 0;
        source.videoDuration = facts.duration;
        job->hasVideo = facts.hasVideo;
        job->hasAudio = facts.hasAudio;
        source.frameRate = facts.frameRate;
        source.width = facts.width;
        source.height = facts.height;
        source.videoBitrate = facts.videoBitrate;
        source.channels = facts.channels;
        SetText(source.videoCodec, facts.videoCodec);
        SetText(source.audioCodec, facts.audioCodec);
        if (facts.duration > 0 && facts.width >= 1 && facts.height >= 1 && facts.hasVideo != 0) {
            source.audioBitrate = facts.audioBitrate;
            source.sampleRate = facts.sampleRate;
            job->scriptInput = 1;
            source.videoDuration += 1.0;
            return 1;
        }
        int seconds = 0;
        int result = RunEncoderInfo(GetText(appFolder_).data(), file, &seconds, &source.width,
                                    &source.height, &job->hasVideo, &job->hasAudio);
        if (result == 1) {
            double measured = seconds + 1.0;
            if (job->hasVideo == 0)
                source.audioDuration = measured;
            else
                source.videoDuration = measured;
            job->scriptInput = 0;
        }
        return result;
    } catch (...) {
        int seconds = 0;
        if (RunEncoderInfo(std::string(GetText(appFolder_)), file, &seconds, &source.width,
                           &source.height, &job->hasVideo, &job->hasAudio) == 1) {
            source.videoDuration = seconds;
            job->scriptInput = 0;
            return 1;
        }
        WriteLogFormat("Module:%x,bGetMediaFileContent raise exception", 0xffff06);
        return 0;
    }
}

} // namespace kiv

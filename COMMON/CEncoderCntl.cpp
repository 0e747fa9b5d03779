#include "CEncoderCntl.h"

#include "CFFmpegEncoder.h"
#include "Log.h"

namespace kiv {

namespace {
constexpr const char* kModule = "COMMON/CEncoderCntl";
}

CEncoderCntl::~CEncoderCntl() {
    bDestroyEncoder();
}

int CEncoderCntl::bCreateEncoder(const EncoderInit* init) {
    if (!init)
        return 0;
    try {
        encoder_ = std::make_unique<CFFmpegEncoder>();
        return encoder_->bInit(init);
    } catch (...) {
        encoder_.reset();
        return 0;
    }
}

int CEncoderCntl::bGetMediaFileContent(const char* path, ConversionJob* job) {
    if (!path || path[0] == '\0' || !job || !encoder_)
        return 0;
    try {
        return encoder_->bGetMediaFileContent(path, job);
    } catch (...) {
        return 0;
    }
}

int CEncoderCntl::bDoConvert(ConversionJob* job) {
    if (!job) {
        WriteLogFormat("Module:%s,Line:%d,pointer is NULL ", kModule, 109);
        return 0;
    }
    if (!encoder_)
        return 0;
    try {
        // A job that cannot be prepared runs nothing; the caller then finds
        // no output file and reports the failure.
        if (encoder_->bPrepareConvert(job) != 1)
            return 1;
        return encoder_->bRunConvert(job->outputPath, job->targetKind);
    } catch (...) {
        WriteLogFormat("Module:%s,Line:%d,bDoConvert raise exception", kModule, 173);
        return 0;
    }
}

void CEncoderCntl::StopConvert() {
    try {
        if (encoder_)
            encoder_->bStop();
    } catch (...) {
    }
}

int CEncoderCntl::bDestroyEncoder() {
    if (encoder_) {
        encoder_->bRelease();
        encoder_.reset();
    }
    return 1;
}

} // namespace kiv

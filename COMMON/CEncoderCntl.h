#pragma once
// The one door from the windows to the conversion engine: creates the
// encoder, forwards probe, convert and stop requests, and keeps exceptions
// away from its callers.

#include "CEncoderBase.h"

#include <memory>

namespace kiv {

class CEncoderCntl {
public:
    CEncoderCntl() = default;
    virtual ~CEncoderCntl();
    CEncoderCntl(const CEncoderCntl&) = delete;
    CEncoderCntl& operator=(const CEncoderCntl&) = delete;

    int bCreateEncoder(const EncoderInit* init);
    int bGetMediaFileContent(const char* path, ConversionJob* job);
    // Converts one file; returns when the encoder process has ended.
    int bDoConvert(ConversionJob* job);
    // Asks the running conversion to stop; callable from another thread.
    void StopConvert();
    int bDestroyEncoder();

    CEncoderBase* Encoder() const { return encoder_.get(); }

private:
    std::unique_ptr<CEncoderBase> encoder_;
};

} // namespace kiv

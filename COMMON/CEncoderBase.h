#pragma once
// The engine's encoder interface; the controller reaches the encoder only
// through it.

#include "ConversionJob.h"
#include "process/ConvertResult.h"
#include "process/EncoderProcessRunner.h"
#include "process/ProcessSink.h"
#include "process/ProgressTracker.h"

#include <set>
#include <string>

namespace kiv {

struct SlideShow; // picture list and output settings of a slideshow

class CEncoderBase : public ProcessSink {
public:
    virtual ~CEncoderBase() = default;
    virtual int bMakeSlideShowScript(SlideShow* show) = 0;
    virtual int bEncodeSlideShow(SlideShow* show) = 0;
    virtual int bMakeSlideShowScriptSilent(SlideShow* show) = 0;
    virtual int bRenderSlideShowImages(int flag) = 0;
    virtual int bMakeSlideShowImageScript(SlideShow* show) = 0;
    virtual int bReserved1(int first, int second, int third) = 0;
    virtual int bReserved2(int first, int second) = 0;
    virtual int bPrepareConvert(ConversionJob* job) = 0;
    virtual int bStop() = 0;
    virtual int bRunConvert(const char* outputPath, int targetKind) = 0;
    virtual int bInit(const EncoderInit* init) = 0;
    virtual int bRelease() = 0;
    virtual int bGetMediaFileContent(const char* path, ConversionJob* job) = 0;
    int OnProcessNotify(int code, void* data, int id) override = 0;
    virtual void SetScriptInput(int value) = 0;

    // How the last conversion ended, with the reason of a failure.
    virtual ConvertResult LastResult() const = 0;
    // The command line of the last successful preparation.
    virtual const std::string& PreparedCommandLine() const = 0;
    // Output files that later conversions must not replace (those the
    // current batch wrote); a clashing name gets " (2)", " (3)", ...
    virtual void SetOutputsToKeep(std::set<std::string> paths) = 0;
    // Ends the running conversion at once, leaving no unfinished output.
    virtual void Abort() = 0;
    // The time-left estimate of the running conversion.
    virtual ProgressTracker& Tracker() = 0;
    // The runner of this encoder's processes.
    virtual EncoderProcessRunner& Runner() = 0;
    // Removes the slideshow's work folder with everything in it and gives
    // the process its former current directory back. Callable from any
    // thread, any number of times.
    virtual void EndSlideShow() = 0;
};

} // namespace kiv

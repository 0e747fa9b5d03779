#pragma once
// A few seconds of a source converted exactly as the batch converts the
// whole file (the same job preparation, command-line builder and encoder,
// with the encoder seeking in the input), and what the whole output will
// take, judged from such samples. The window's result preview and
// kiv-convert --estimate both come here.
//
//     CEncoderCntl controller;  // created with bCreateEncoder
//     controller.ResetStop();   // a stop asked for before the call stops it
//     SampleResult sample = EncodeSample(controller, probedJob, request);
//     if (sample.Made())
//         ExpectedBytes({sample}, 750);  // the size of 750 s of output
//
// The caller owns the folder the sample is written to (a private one, see
// PrivateWorkFolder) and removes it. Runs on the caller's thread until the
// encoder has ended; StopConvert from another thread ends it early.

#include "CEncoderCntl.h"
#include "MediaProfile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kiv {

struct SampleRequest {
    MediaProfile profile; // the working profile
    int targetKind = 0;
    std::string folder; // where the sample is written
    std::string inputScriptPath;
    int startSeconds = 0; // whole seconds, as the batch's trim texts are
    int lengthSeconds = 10;
    ProfileChoices choices{}; // the working profile's tracks rule and picture filters
};

struct SampleResult {
    ConvertResult result;   // how the encoder ended, with its reason
    std::string outputPath; // what it wrote
    std::uintmax_t bytes = 0;
    double seconds = 0; // the sample's length, as the written file says
    int width = 0;      // the written picture; 0 for sound alone
    int height = 0;
    bool hasVideo = false;

    // Done, with a file of some length.
    bool Made() const { return result.outcome == ConvertOutcome::Done && bytes > 0 && seconds > 0; }
};

// Converts the request's part of the probed source job.
SampleResult EncodeSample(CEncoderCntl& controller, const ConversionJob& probed,
                          const SampleRequest& request);

// Where samples of lengthSeconds go in [startSeconds, endSeconds): count of
// them spread evenly, each in the middle of its share; one covering the whole
// range when that is no longer than count samples. Each entry is a start and
// a length in whole seconds; none for an empty range.
struct SampleSpan {
    int startSeconds = 0;
    int lengthSeconds = 0;
};
std::vector<SampleSpan> PlanSamples(int startSeconds, int endSeconds, int lengthSeconds, int count);

// The bytes of outputSeconds of output at the samples' rate; 0 without a
// made sample.
std::uintmax_t ExpectedBytes(const std::vector<SampleResult>& samples, double outputSeconds);

// Where an estimate's samples go in [startSeconds, endSeconds): a bounded
// share of the part, so an estimate costs a fraction of the conversion also
// for a short clip. Samples of 2 to 3 s, at most kEstimateSamples of them
// and together no more than a quarter of the part (24 s from 96 s on); one
// of 2 s for a part under 8 s, all of a part of 2 s or less.
inline constexpr int kEstimateSamples = 8;
inline constexpr int kEstimateSampleSeconds = 3;
std::vector<SampleSpan> PlanEstimateSamples(int startSeconds, int endSeconds);

// The expected size of the output of the source's part from startSeconds to
// endSeconds (the source's end when that comes first): the samples planned
// as above are converted into the request's folder (its start and length are
// not used) and removed once measured. A failed or stopped sample ends the
// estimate with its result. Many short samples follow a file whose content
// changes better than a few long ones: on a clip of four differing parts,
// eight of 3 s came within 5 % where three of 6 s were 34 % off.
struct SizeEstimate {
    ConvertResult result;     // Done, or why there is no estimate
    std::uintmax_t bytes = 0; // the expected size
    double outputSeconds = 0; // the length it is for
    std::vector<SampleResult> samples;
};
SizeEstimate EstimateOutputSize(CEncoderCntl& controller, const ConversionJob& probed,
                                const SampleRequest& request, int startSeconds, double endSeconds);

// A size as people read it: "850 kB", "8.4 MB", "84 MB", "1.3 GB" (powers
// of 1000, as file managers show sizes).
std::string SizeText(std::uintmax_t bytes);

// The sample's bit rate as people read it: "96 kb/s", "1.2 Mb/s"; empty
// without a made sample.
std::string RateText(const SampleResult& sample);

} // namespace kiv

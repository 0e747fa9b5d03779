#pragma once
// The encoder command lines of the slideshow's two encoder passes: the
// parameters after the executable, exactly as they are logged, and the
// whole line the process runner splits into arguments.

#include "slideshow/SlideShow.h"

#include <string>
#include <string_view>

namespace kiv {

// A new slideshow tag: a random number from 1 to 32767 drawn from a
// generator seeded with the current time. It names the image pass's output
// and the show's output file.
int DrawSlideShowTag();

// The encoder executable in the application folder.
std::string EncoderExecutablePath(std::string_view appFolder);

// The executable and its parameters joined into one command line: the
// executable path in double quotes, a blank, the parameters.
std::string EncoderCommandLine(std::string_view executable, std::string_view parameters);

// Pass 2: the encoder runs the image-preparation script once.
std::string RenderParameters(std::string_view workFolder, int tag);

struct SlideShowOptionSet {
    bool known = false;    // false: the kind (or kind 6's variant) has no set
    std::string options;   // written before " -y "
    std::string extension; // may be empty
};

// The format and codec options of a slideshow for the target kind.
SlideShowOptionSet SlideShowOptionsFor(const MediaDescription& target, int targetKind);

struct EncodeParameters {
    bool built = false;
    std::string parameters; // from the fixed token to the quoted output file
    std::string outputPath; // the output file, without quotes
};

// Pass 4: music (when given) and the show script as inputs, the video and
// audio options of the target, " -vol ", " -shortest ", the option set and
// the output file named from the output prefix, the tag and the codecs
// (with nameSuffix before the extension).
EncodeParameters BuildEncodeParameters(const SlideShow& show, std::string_view workFolder, int tag,
                                       std::string_view nameSuffix = {});

// Pass 4's parameters for an output file that does not exist yet: a show
// never replaces a file. The tag's own name when it is free, else the next
// tag's (32767 is followed by 1); tag tells which was taken. When every
// tag's name is taken, the drawn tag's name with " (2)", " (3)", ...
EncodeParameters FreeEncodeParameters(const SlideShow& show, std::string_view workFolder, int& tag);

} // namespace kiv

// The media detector as a plain C entry point of its own shared library, so
// that a program which needs it only now and then (enc's "-info") can load
// libavformat on demand instead of at every start.

#include "MediaDetector.h"

// The name must match kDetectMediaEntry.
extern "C" __attribute__((visibility("default"))) int kiv_detect_media(const char* path,
                                                                       kiv::MediaFacts* facts) {
    if (!path || !facts)
        return -1;
    return kiv::DetectMedia(path, *facts);
}

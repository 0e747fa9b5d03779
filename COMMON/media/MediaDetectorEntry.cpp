// The media detector as a plain C entry point of its own shared library, so
// that a program which needs it only now and then (enc's "-info") can load
// libavformat on demand instead of at every start.

#include "media/MediaDetector.h"
#include "media/MediaStreams.h"

// The name must match kDetectMediaEntry.
extern "C" __attribute__((visibility("default"))) int kiv_detect_media(const char* path,
                                                                       kiv::MediaFacts* facts) {
    if (!path || !facts)
        return -1;
    return kiv::DetectMedia(path, *facts);
}

// The names must match kListStreamsEntry and kContainerHoldsEntry.
extern "C" __attribute__((visibility("default"))) int
kiv_list_streams(const char* path, kiv::StreamFacts* streams, int capacity) {
    if (!path || capacity < 0)
        return -1;
    return kiv::ListStreams(path, streams, capacity, true); // for enc: every fact it needs
}

extern "C" __attribute__((visibility("default"))) int kiv_container_holds(const char* format,
                                                                          const char* codec) {
    if (!format || !codec)
        return -1;
    return kiv::ContainerHolds(format, codec);
}

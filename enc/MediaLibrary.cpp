#include "MediaLibrary.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>

namespace kiv::enc {

namespace {

// An entry point of the library beside enc, wherever enc was started from;
// nullptr when the library or the entry is missing.
void* Entry(const char* name) {
    static void* handle = [] {
        std::error_code error;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        std::string library = (self.parent_path() / kMediaLibrary).string();
        return dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    }();
    return handle ? dlsym(handle, name) : nullptr;
}

} // namespace

int DetectMediaOnDemand(const std::string& path, MediaFacts& facts) {
    facts = MediaFacts{};
    static auto detect = reinterpret_cast<DetectMediaFunction>(Entry(kDetectMediaEntry));
    return detect ? detect(path.c_str(), &facts) : -1;
}

bool ListStreamsOnDemand(const std::string& path, std::vector<StreamFacts>& streams) {
    static auto list = reinterpret_cast<ListStreamsFunction>(Entry(kListStreamsEntry));
    // Most files fit the first guess; one with more streams (a disc with
    // many languages) is read again with room for all of them.
    int count = kMostStreams;
    int capacity = 0;
    do {
        capacity = count;
        streams.assign(static_cast<std::size_t>(capacity), StreamFacts{});
        count = list ? list(path.c_str(), streams.data(), capacity) : -1;
    } while (count > capacity);
    streams.resize(static_cast<std::size_t>(std::max(count, 0)));
    return count >= 0;
}

int ContainerHoldsOnDemand(const std::string& format, const std::string& codec) {
    static auto holds = reinterpret_cast<ContainerHoldsFunction>(Entry(kContainerHoldsEntry));
    return holds ? holds(format.c_str(), codec.c_str()) : -1;
}

} // namespace kiv::enc

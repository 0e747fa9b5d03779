#include "MediaLibrary.h"

#include "Settings.h"

#include <dlfcn.h>

namespace kiv::enc {

namespace {
using DetectFunction = int (*)(const char*, MediaFacts*);
}

int DetectMediaOnDemand(const std::string& path, MediaFacts& facts) {
    facts = MediaFacts{};
    static DetectFunction detect = [] {
        void* library = dlopen((ProgramDirectory() + kMediaLibrary).c_str(), RTLD_NOW | RTLD_LOCAL);
        return library ? reinterpret_cast<DetectFunction>(dlsym(library, "kiv_detect_media"))
                       : nullptr;
    }();
    return detect ? detect(path.c_str(), &facts) : -1;
}

} // namespace kiv::enc

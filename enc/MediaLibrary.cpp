#include "MediaLibrary.h"

#include <dlfcn.h>
#include <filesystem>

namespace kiv::enc {

int DetectMediaOnDemand(const std::string& path, MediaFacts& facts) {
    facts = MediaFacts{};
    static DetectMediaFunction detect = [] {
        // The library lies beside enc, wherever enc was started from.
        std::error_code error;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        std::string library = (self.parent_path() / kMediaLibrary).string();
        void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        return handle ? reinterpret_cast<DetectMediaFunction>(dlsym(handle, kDetectMediaEntry))
                      : nullptr;
    }();
    return detect ? detect(path.c_str(), &facts) : -1;
}

} // namespace kiv::enc

#include "files/NonEmptyFile.h"

#include <sys/stat.h>

namespace kiv {

bool IsNonEmptyFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_size > 0;
}

} // namespace kiv

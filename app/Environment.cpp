#include "Environment.h"

#include <cstdlib>

namespace kiv {

std::string ProcessEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

} // namespace kiv

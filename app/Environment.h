#pragma once
// Reading environment variables through a function, so that the decisions
// made from them (data directories, display) can be tested with tables.

#include <functional>
#include <string>

namespace kiv {

// The value of a variable; empty when it is unset or set to nothing.
using EnvironmentLookup = std::function<std::string(const std::string& name)>;

// The running process's own environment.
std::string ProcessEnvironment(const std::string& name);

} // namespace kiv

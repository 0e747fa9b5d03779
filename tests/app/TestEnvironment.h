#pragma once
// An environment made of a table, for the decisions taken from variables.

#include "Environment.h"

#include <map>
#include <string>

namespace kiv::test {

using Variables = std::map<std::string, std::string>;

inline kiv::EnvironmentLookup LookupIn(const Variables& variables) {
    return [variables](const std::string& name) {
        auto found = variables.find(name);
        return found == variables.end() ? std::string() : found->second;
    };
}

} // namespace kiv::test

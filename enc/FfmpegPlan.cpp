#include "FfmpegPlan.h"

#include <algorithm>

namespace kiv::enc {

const std::string* FfmpegPlan::Find(std::string_view name) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it) {
        if (it->name == name)
            return &it->value;
    }
    return nullptr;
}

void FfmpegPlan::Set(std::string_view name, std::string_view value) {
    bool found = false;
    for (PlanOption& option : options) {
        if (option.name == name) {
            option.value = value;
            option.hasValue = true;
            found = true;
        }
    }
    if (!found)
        options.push_back({std::string(name), std::string(value), true});
}

void FfmpegPlan::SetFlag(std::string_view name) {
    if (!Has(name))
        options.push_back({std::string(name), {}, false});
}

void FfmpegPlan::Remove(std::string_view name) {
    std::erase_if(options, [name](const PlanOption& option) { return option.name == name; });
}

const std::string* FfmpegPlan::Choice(std::string_view name) const {
    for (auto it = choices.rbegin(); it != choices.rend(); ++it)
        if (it->name == name)
            return &it->value;
    return nullptr;
}

std::vector<std::string> FfmpegArguments(const FfmpegPlan& plan, const std::string& outputName) {
    // -abort_on empty_output: a run that encoded nothing at all (a trim
    // outside the file, say) is a failure, not a header-only file.
    std::vector<std::string> arguments = {
        "-hide_banner", "-nostats",     "-progress", "pipe:" + std::to_string(kProgressDescriptor),
        "-abort_on",    "empty_output", "-y"};
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        if (i == 0)
            arguments.insert(arguments.end(), plan.inputOptions.begin(), plan.inputOptions.end());
        arguments.push_back("-i");
        arguments.push_back(plan.inputs[i]);
    }
    for (std::size_t i = 0; i < plan.preparedInputs.size(); ++i) {
        std::string pipe = "pipe:" + std::to_string(kFirstPreparedDescriptor + i);
        arguments.insert(arguments.end(), {"-f", plan.preparedInputs[i].format, "-i", pipe});
    }
    for (const PlanOption& option : plan.options) {
        arguments.push_back(option.name);
        if (option.hasValue)
            arguments.push_back(option.value);
    }
    arguments.push_back(outputName);
    return arguments;
}

} // namespace kiv::enc

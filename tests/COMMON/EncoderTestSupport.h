#pragma once
// An initialised encoder whose progress callback records every value.

#include "CFFmpegEncoder.h"
#include "FixedText.h"

#include <mutex>
#include <string>
#include <vector>

namespace kiv::test {

struct ProgressRecord {
    std::mutex mutex;
    std::vector<int> values;

    static void Callback(int value, void* user) {
        auto* record = static_cast<ProgressRecord*>(user);
        std::lock_guard lock(record->mutex);
        record->values.push_back(value);
    }
    std::vector<int> Values() {
        std::lock_guard lock(mutex);
        return values;
    }
};

inline kiv::EncoderInit MakeInit(ProgressRecord& record, const std::string& appFolder,
                                 int scriptInput = 1) {
    kiv::EncoderInit init{};
    init.scriptInput = scriptInput;
    init.callback = &ProgressRecord::Callback;
    init.userData = &record;
    kiv::SetText(init.appFolder, appFolder);
    return init;
}

} // namespace kiv::test

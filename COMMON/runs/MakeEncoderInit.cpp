#include "runs/MakeEncoderInit.h"

#include "FixedText.h"

namespace kiv {

EncoderInit MakeEncoderInit(const AppSettings& settings, ProgressCallback callback, void* user) {
    EncoderInit init{};
    init.scriptInput = settings.Core == 1 ? 1 : 0;
    init.callback = callback;
    init.userData = user;
    SetText(init.appFolder, ProgramDirectory());
    return init;
}

} // namespace kiv

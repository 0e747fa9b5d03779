#pragma once
// The encoder's start-up record as every front end fills it: the Core switch
// from the settings, the progress callback, the program directory.

#include "ConversionJob.h"
#include "Settings.h"

namespace kiv {

EncoderInit MakeEncoderInit(const AppSettings& settings, ProgressCallback callback, void* user);

} // namespace kiv

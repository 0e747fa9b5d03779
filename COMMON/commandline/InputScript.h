#pragma once
// The three-line AviSynth input script that opens a source through
// DirectShowSource, for sources the encoder should not demux itself.

#include "InputScriptFormat.h"

#include <string>
#include <string_view>

namespace kiv {

// The class of a source path by its extension (case ignored).
ScriptClass ClassifySource(std::string_view sourcePath);

enum class ScriptWrite {
    NotNeeded, // the encoder opens the source directly
    Written,   // the caller gives the script path to the encoder
    Failed,    // the script could not be written; the job cannot run
};

// Writes the script for the source when its class needs one, as a new file
// (mode 0600) in place of whatever was at scriptPath.
ScriptWrite WriteInputScript(const std::string& scriptPath, const std::string& sourcePath);

} // namespace kiv

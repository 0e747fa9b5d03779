#pragma once
// The three-line AviSynth input script that opens a source through
// DirectShowSource, for sources the encoder should not demux itself.

#include <string>
#include <string_view>

namespace kiv {

enum class ScriptClass { A, B, Direct, C };

// The class of a source path by its extension (case ignored).
ScriptClass ClassifySource(std::string_view sourcePath);

// The script text for a source of a class that needs one.
std::string InputScriptText(ScriptClass scriptClass, std::string_view sourcePath);

// Writes the script for the source. Returns 1 when the caller is to give the
// script path to the encoder, 0 when it is to give the source path (sources
// the encoder opens directly). A script that cannot be written still
// returns 1.
int WriteInputScript(const std::string& scriptPath, const std::string& sourcePath);

} // namespace kiv

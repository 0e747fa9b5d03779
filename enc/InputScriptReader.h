#pragma once
// The program hands some sources over as a three-line AviSynth script
// (LoadPlugin / DirectShowSource / return last). There is no AviSynth here:
// enc reads that one script form and opens the file it names directly; the
// line's -r already gives the output a constant frame rate.

#include <string>
#include <string_view>

namespace kiv::enc {

// True when a path names an AviSynth script (".avs", case ignored).
bool IsAviSynthScript(std::string_view path);

// Reads the script file and returns its source path; otherwise false with a
// one-line reason.
bool ResolveInputScript(const std::string& scriptPath, std::string& sourcePath, std::string& error);

} // namespace kiv::enc

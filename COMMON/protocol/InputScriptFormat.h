#pragma once
// The three-line input script through which the program hands some sources
// to the encoder:
//   LoadPlugin("DirectShowSource.dll")
//   DirectShowSource("<source>"<options>)
//   return last
// The engine writes it; enc reads the source path back.

#include <optional>
#include <string>
#include <string_view>

namespace kiv {

// Which source line a source gets: A with a converted frame rate, B with the
// frame rate kept, C (and Direct, which the engine never scripts) plain.
enum class ScriptClass { A, B, Direct, C };

std::string InputScriptText(ScriptClass scriptClass, std::string_view sourcePath);

// The source path of an input script's text; nothing for any other text.
std::optional<std::string> SourceOfInputScript(std::string_view text);

} // namespace kiv

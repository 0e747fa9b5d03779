#pragma once
// Files a slideshow writes that must never land on something already
// there: the captions in the work folder, and the show's output, which
// never replaces a file (not even one another run wrote meanwhile).

#include <string>

namespace kiv::enc {

// Creates the file with the text; fails when anything (a file, a link)
// already has its name. Mode 0600.
bool WriteNewFile(const std::string& path, const std::string& text, std::string& error);

// Gives the finished temporary file its final name when nothing has that
// name yet; otherwise deletes the temporary and says why.
bool CommitAsNewFile(const std::string& temporary, const std::string& path, std::string& error);

} // namespace kiv::enc

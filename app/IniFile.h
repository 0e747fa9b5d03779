#pragma once
// A small INI document with the Windows profile-file semantics the settings
// rely on: section and key names compare without regard to case, a missing
// file, section or key gives the default, a write updates the key in place or
// appends it to its section (creating the section), and other lines are kept.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class IniFile {
public:
    // Settings are never that large; anything larger is not read.
    static constexpr long long kLargestFile = 1 << 20;

    // The document a text holds (lines end in LF or CR LF).
    static IniFile Parse(std::string_view text);
    // Reads the file; a missing or unreadable file gives an empty document.
    static IniFile Load(const std::string& path);
    // Reads the file into file. A missing file (or a link to nothing) gives
    // an empty document; false when something is there that cannot be read
    // (no permission, a folder, a read error), with why in reason. Only a
    // regular file of at most kLargestFile bytes is read: a device, a FIFO or
    // a socket (also behind a link) is refused without waiting on it.
    static bool Read(const std::string& path, IniFile& file, std::string* reason = nullptr);

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Leading decimal digits (with an optional sign) as an integer; a value
    // that does not start with a number reads as 0, a missing key as default.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);

    // Writes the document through a temporary file renamed over the old one,
    // so a failed write never leaves a half-written settings file. A path
    // that is a symbolic link is written through: the temporary goes beside
    // the file the link points to and replaces that, so the link stays. The
    // file keeps its permissions. Only a regular file (or none) is replaced:
    // a link to a device, a FIFO or a socket (a link to /dev/null keeps a
    // program from saving) leaves its target alone. False with why in reason
    // (the path and the system's error text) when it cannot be written.
    bool Save(const std::string& path, std::string* reason = nullptr) const;

    std::string Text() const;

private:
    std::vector<std::string> lines_;

    // Index of the key's line inside the section, or -1.
    int FindKey(std::string_view section, std::string_view key) const;
};

// Parses the leading integer of a text the way the profile functions do.
int ParseLeadingInt(std::string_view text);

} // namespace kiv

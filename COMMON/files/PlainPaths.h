#pragma once
// enc is given its paths inside double quotes and the input script holds
// the source on one line, so a path that holds a double quote or a control
// character (a line feed, a tab) cannot be given as it is. PlainPaths hands
// such files over by plain names instead:
// - a source through a link with a plain name in the run's private folder;
// - an output folder whose name holds a quote through such a link as well;
// - an output file name that holds a quote is written under a plain hidden
//   name in its folder and renamed to its real name when enc is done (or,
//   cut short by a stop, to its real name's partial form).
// Other paths are handed over unchanged, so their command lines stay as
// they always were.

#include <string>
#include <vector>

namespace kiv {

// True when a path cannot stand between double quotes on a command line
// or on a line of the input script.
bool NeedsPlainName(const std::string& path);

// Makes a link with a plain name ("<kind>-<n><extension>") in folder that
// points to target (made absolute); the extension is kept when it is plain.
// Returns the link's path, or empty with the reason.
std::string MakePlainLink(const std::string& folder, const std::string& target,
                          const std::string& kind, std::string& error);

class PlainPaths {
public:
    PlainPaths() = default;
    ~PlainPaths() { Clear(); }
    PlainPaths(const PlainPaths&) = delete;
    PlainPaths& operator=(const PlainPaths&) = delete;

    // Decides the paths of one conversion. runFolder holds the links.
    // False with the reason when a link cannot be made.
    bool Prepare(const std::string& runFolder, const std::string& source, const std::string& output,
                 std::string& error);
    // What the command line names.
    const std::string& Source() const { return source_; }
    const std::string& Output() const { return output_; }
    // Gives an output written under a plain name its real name (replacing
    // an older file, as enc does). False with the reason when that fails.
    bool Commit(std::string& error);
    // The real path of the partial file enc kept, named after what the
    // command line named: renamed to the real output's partial name when
    // the name was plain, spelled through the real folder when the folder
    // was reached through a link. Empty with the reason when it cannot be
    // renamed.
    std::string KeepPartial(const std::string& written, std::string& error);
    // Removes the links and an output left under its plain name.
    void Clear();

private:
    std::string source_, output_;
    std::string plainOutput_, realOutput_; // set when the name is written plain
    std::string folderLink_, realFolder_;  // set when the folder is reached through a link
    std::vector<std::string> links_;
};

} // namespace kiv

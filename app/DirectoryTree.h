#pragma once
// Making a directory path and removing a directory tree: the output folder
// before a batch and the slideshow's work folder.

#include <string>

namespace kiv {

// Creates every missing directory of path, one component at a time from the
// deepest existing one, and leaves the process's current directory in path.
// True only when the last directory was newly created and entered; false
// when it already existed (the current directory is then path), when path
// is empty or names no directory below a parent ("name" alone), or when a
// directory could not be made. A trailing separator is ignored. Components
// are entered one by one, so a path longer than the system's path limit
// works too.
bool MakeDirectoryPath(const std::string& path);

// Deletes everything below the directory path, recursively, and then the
// directory itself; returns whether the directory itself was removed.
// Entries that cannot be deleted stay (and with them the directory).
// Symbolic links are never followed: a link inside the tree is removed as a
// link and what it points to is untouched; a path that is itself a link is
// left alone and gives false. The walk works on open directories, so the
// tree's depth and the length of its names are not limited.
bool RemoveDirectoryTree(const std::string& path);

} // namespace kiv

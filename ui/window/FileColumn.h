#pragma once
// The columns of the main window's file list, in the order they are made.

namespace kiv {

enum class FileColumn {
    Check,     // the row's check box; the header's check box checks them all
    VideoFile, // one blank and the source path
    Duration,
    StartTime, // the part to convert
    EndTime,
    Status, // "Ready", then a progress bar
};

inline constexpr int kFileColumnCount = 6;

// The list control's column index.
constexpr int Col(FileColumn column) {
    return static_cast<int>(column);
}

} // namespace kiv

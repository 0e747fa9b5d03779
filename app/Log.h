#pragma once
// The diagnostic log kiv.dmp: recreated at start, one record per line (a text
// that does not end in a line feed gets one), flushed at once. Safe from any
// thread.

#include <string>
#include <string_view>

namespace kiv {

// Opens (emptying) the log at path. Returns false when it cannot be created;
// texts then go to standard error.
bool OpenLog(const std::string& path);
void CloseLog();
// Path of the open log, or empty.
std::string OpenLogPath();

void WriteLog(std::string_view text);

// printf-style convenience for the engine's fixed "Module:..." texts.
void WriteLogFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kiv

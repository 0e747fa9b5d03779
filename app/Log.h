#pragma once
// The program's diagnostic log (kiv.dmp for the window, kiv-convert.log for
// kiv-convert): emptied at start, one record per line (a text that does not
// end in a line feed gets one), written at once. Safe from any thread, and
// from several processes writing one log: the file is opened for appending
// and every record goes out in one write, so records never mix or leave
// holes. A run empties the log only when no other run has it open.

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

// Text put before every record the calling thread writes ("[/in/a.mp4] "),
// so that the records of conversions running side by side name their file;
// empty (the start) puts nothing.
void SetThreadLogTag(std::string tag);

// printf-style convenience for the engine's fixed "Module:..." texts.
void WriteLogFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kiv

#pragma once
// Opening a folder, a help page or a web address with the desktop's program
// for it, and saying so when the desktop cannot.
//
// Qt hands a URL to xdg-open without waiting for it, so it cannot tell
// whether anything opened: on a desktop without a browser or file manager
// xdg-open fails ("no method available") and the user is left waiting. On
// X11 and Wayland we therefore run xdg-open ourselves and watch how it ends;
// elsewhere (and where there is no xdg-open) QDesktopServices opens the URL
// and its answer counts. Usage:
//
//     OpenOrSay(window, QUrl::fromLocalFile(helpPage));
//
// GUI thread only. Nothing here ever waits: xdg-open's end is polled.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace kiv {

// How long after its start an opener's failure is still reported; after
// that it counts as having opened the URL (xdg-open may run a program in
// the foreground for as long as the user keeps it open).
constexpr int kOpenerVerdictMs = 5000;

// Starts program (an xdg-open) with the URL as its one argument. False at
// once when it cannot be started; when it ends with a non-zero status (or
// by a signal) within kOpenerVerdictMs, failed runs on the GUI thread.
bool RunDesktopOpener(const QString& program, const QUrl& url, std::function<void()> failed);

// Opens url the desktop's way (above). False at once when nothing could
// take it; a later failure calls failed.
bool OpenOnDesktop(const QUrl& url, std::function<void()> failed);

// OpenOnDesktop; a failure, at once or later, shows one warning over parent
// (or the active window) that names what to open by hand.
bool OpenOrSay(QWidget* parent, const QUrl& url);

} // namespace kiv

#pragma once
// What a hyperlink's target means and how a failed open is described.

#include <QString>
#include <QUrl>

#include <functional>

namespace kiv {

// A target with a scheme ("https://...", "mailto:...") is a URL; one starting
// with "www." is a web address; anything else names a local file or folder
// (relative to the current directory).
QUrl HyperlinkUrl(const QString& target);

// Opens url; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl& url)>;

// Result of opening a target: above 32 on success, otherwise the failure code
// (2: a local target that does not exist; 31: nothing could open it).
int OpenHyperlinkTarget(const QString& target, const UrlOpener& opener);

// The text shown for a failure code.
QString HyperlinkErrorText(int code);

// The whole warning text for a failure code.
QString HyperlinkFailureMessage(int code);

// What the user is told when the desktop has no program to open something:
// that, and the path or address to open by hand.
QString DesktopCannotOpenText(const QString& what);

} // namespace kiv

#include "HyperLinkTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace kiv {

QUrl HyperlinkUrl(const QString& target) {
    // Two or more letters before the colon, so "C:\..." stays a file name.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    const QString t = target.trimmed();
    if (scheme.match(t).hasMatch()) {
        return QUrl(t);
    }
    if (t.startsWith(QStringLiteral("www."), Qt::CaseInsensitive)) {
        return QUrl(QStringLiteral("http://") + t);
    }
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(t));
}

int OpenHyperlinkTarget(const QString& target, const UrlOpener& opener) {
    const QUrl url = HyperlinkUrl(target);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        return 2;
    }
    if (!url.isValid() || !opener || !opener(url)) {
        return 31;
    }
    return 33;
}

QString HyperlinkErrorText(int code) {
    switch (code) {
    case 0:
        return QCoreApplication::translate("kiv::CHyperLink",
                                           "The operating system is out\nof memory or resources.");
    case 2:
        return QCoreApplication::translate("kiv::CHyperLink", "The specified file was not found.");
    case 3:
        return QCoreApplication::translate("kiv::CHyperLink", "The specified path was not found.");
    case 5:
        return QCoreApplication::translate(
            "kiv::CHyperLink", "The operating system denied\naccess to the specified file.");
    case 8:
        return QCoreApplication::translate(
            "kiv::CHyperLink", "There was not enough memory to complete the operation.");
    case 11:
        return QCoreApplication::translate(
            "kiv::CHyperLink",
            "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QCoreApplication::translate("kiv::CHyperLink", "A sharing violation occurred. ");
    case 27:
        return QCoreApplication::translate("kiv::CHyperLink",
                                           "The filename association is\nincomplete or invalid.");
    case 28:
        return QCoreApplication::translate(
            "kiv::CHyperLink",
            "The DDE transaction could not\nbe completed because the request timed out.");
    case 29:
        return QCoreApplication::translate("kiv::CHyperLink", "The DDE transaction failed.");
    case 30:
        return QCoreApplication::translate(
            "kiv::CHyperLink", "The DDE transaction could not\nbe completed because other DDE "
                               "transactions\nwere being processed.");
    case 31:
        return QCoreApplication::translate(
            "kiv::CHyperLink",
            "There is no application associated\nwith the given filename extension.");
    case 32:
        return QCoreApplication::translate("kiv::CHyperLink",
                                           "The specified dynamic-link library was not found.");
    default:
        return QCoreApplication::translate("kiv::CHyperLink", "Unknown Error (%1) occurred.")
            .arg(code);
    }
}

QString HyperlinkFailureMessage(int code) {
    return QCoreApplication::translate("kiv::CHyperLink", "Unable to open hyperlink:\n\n") +
           HyperlinkErrorText(code);
}

QString DesktopCannotOpenText(const QString& what) {
    return QCoreApplication::translate(
               "kiv::CHyperLink",
               "The desktop has no program to open this. Please open it by hand:\n") +
           what;
}

} // namespace kiv

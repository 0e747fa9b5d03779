#pragma once
// The window's language: the desktop's, when the program ships a
// translation for it, else English.
//
//     Translations language(DesktopLanguages(ProcessEnvironment), TranslationsFolder());
//     language.Name();   // "de", or "en" when none of the languages is shipped
//
// The translations are kiv_<language>.qm files in translations/ beside the
// programs (the build tree and an installed or portable copy alike).
// English needs one too: its source texts carry "%n file(s)", and
// kiv_en.qm holds their singular and plural forms; it is installed first, so
// that a real language's translator, installed after it, is asked first.

#include "DesktopLanguages.h"

#include <QLocale>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QTranslator;

namespace kiv {

// translations/ beside the running program.
QString TranslationsFolder();

class Translations {
public:
    // Installs the English plural forms, then the translation of the first
    // language shipped in folder with Qt's own one for its standard
    // buttons, and makes that language's locale the default for numbers.
    Translations(const std::vector<std::string>& languages, const QString& folder);
    // Takes them out again and puts the previous default locale back.
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The language shown: "de", "zh_CN", or "en" when none was shipped.
    QString Name() const { return name_; }
    // The language the window shows now: the last one installed.
    static QString Shown();

private:
    std::vector<std::unique_ptr<QTranslator>> installed_;
    QString name_ = QStringLiteral("en");
    QLocale previousDefault_;
    QString previousName_;
};

// A help page beside the program ("help/index.html") in the language
// shown, "help/de/index.html", when the program has it; else the page
// itself, in English.
QString HelpPage(const QString& programDirectory, const QString& page);

// Only the English plural forms, owned by the application object: what a
// program gets that shows English whatever the desktop says (the tests).
void InstallEnglishPlurals(const QString& folder);

} // namespace kiv

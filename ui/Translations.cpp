#include "Translations.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace kiv {

namespace {

QString& ShownName() {
    static QString name = QStringLiteral("en");
    return name;
}

std::unique_ptr<QTranslator> Load(const QString& file, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    // No search for kiv.qm or kiv_de.qm in place of kiv_de_AT.qm: a
    // language is tried as named, then without its region.
    if (!translator->load(file, folder, QString(), QStringLiteral(".qm")))
        return nullptr;
    return translator;
}

} // namespace

QString TranslationsFolder() {
    return QString::fromStdString(ProgramDirectoryPath()) + QStringLiteral("translations/");
}

Translations::Translations(const std::vector<std::string>& languages, const QString& folder)
    : previousDefault_(QLocale()) {
    if (auto english = Load(QStringLiteral("kiv_en"), folder)) {
        QCoreApplication::installTranslator(english.get());
        installed_.push_back(std::move(english));
    }
    QLocale numbers = QLocale::c();
    for (const std::string& code : languages) {
        const QString language = QString::fromStdString(code);
        // "de_AT" is served by "de"; "zh_TW" is not served by "zh_CN".
        const QString base = language.section(QLatin1Char('_'), 0, 0);
        if (base == QLatin1String("en"))
            break; // English asked for before any shipped language
        for (const QString& name : {language, base}) {
            if (auto own = Load(QStringLiteral("kiv_") + name, folder)) {
                QCoreApplication::installTranslator(own.get());
                installed_.push_back(std::move(own));
                name_ = name;
                break;
            }
        }
        if (name_ == QLatin1String("en"))
            continue;
        // Qt's standard buttons (OK, Cancel, Yes, No) and its file dialog.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            installed_.push_back(std::move(qt));
        }
        numbers = QLocale(language);
        break;
    }
    if (name_ == QLatin1String("en") && !languages.empty())
        numbers = QLocale(QString::fromStdString(languages.front()));
    // Figures the way the language writes them, without thousands
    // separators (a file count or a frame rate reads better without).
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(numbers);
    previousName_ = ShownName();
    ShownName() = name_;
}

Translations::~Translations() {
    for (const auto& translator : installed_)
        QCoreApplication::removeTranslator(translator.get());
    QLocale::setDefault(previousDefault_);
    ShownName() = previousName_;
}

QString Translations::Shown() {
    return ShownName();
}

QString HelpPage(const QString& programDirectory, const QString& page) {
    const qsizetype slash = page.lastIndexOf(QLatin1Char('/'));
    const QString translated =
        page.left(slash + 1) + Translations::Shown() + QLatin1Char('/') + page.mid(slash + 1);
    return QFileInfo::exists(programDirectory + translated) ? translated : page;
}

void InstallEnglishPlurals(const QString& folder) {
    auto* english = new QTranslator(QCoreApplication::instance());
    if (english->load(QStringLiteral("kiv_en"), folder, QString(), QStringLiteral(".qm")))
        QCoreApplication::installTranslator(english);
}

} // namespace kiv

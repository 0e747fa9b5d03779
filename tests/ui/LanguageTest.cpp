// The window in the desktop's language: German under LANGUAGE=de, the
// exact English texts under LANG=C, from the translations the build puts
// beside the programs.

#include "CButtonST.h"
#include "KeptList.h"
#include "MainDlg.h"
#include "Translations.h"
#include "WindowTestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLocale>
#include <QtTest>

#include <map>
#include <string>

using namespace kiv;
using namespace kiv::test;

namespace {

using Variables = std::map<std::string, std::string>;

std::vector<std::string> LanguagesOf(const Variables& variables) {
    return DesktopLanguages([&variables](const std::string& name) {
        const auto found = variables.find(name);
        return found == variables.end() ? std::string() : found->second;
    });
}

QString AccessibleName(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// What the window says first: its buttons, the last format's name, and the
// message of a Start with nothing checked.
struct WindowWords {
    QString add, stop, folder, lastFormat, title, message;
};

WindowWords OpenAndListen() {
    MessageLog messages;
    CKivVideoConverterDlg window;
    window.show();
    WindowWords words;
    words.add = AccessibleName(window.findChild<CButtonST*>("addButton"));
    words.stop = AccessibleName(window.findChild<CButtonST*>("stopButton"));
    words.folder = AccessibleName(window.findChild<CButtonST*>("folderButton"));
    auto* formats = window.findChild<QComboBox*>("formatList");
    words.lastFormat = formats->itemText(formats->count() - 1);
    window.OnStart();
    if (!messages.Messages().isEmpty()) {
        words.title = messages.Messages().first().title;
        words.message = messages.Messages().first().text;
    }
    return words;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void theDesktopsLanguageIsFound_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("LANGUAGE list") << "de_AT:fr"
                                       << ""
                                       << "es_ES.UTF-8" << QStringList{"de_AT", "fr"};
        QTest::newRow("LANGUAGE ends at C") << "fr:C:de"
                                            << ""
                                            << "" << QStringList{"fr"};
        QTest::newRow("LC_MESSAGES over LANG") << ""
                                               << "zh_CN.UTF-8"
                                               << "de_DE.UTF-8" << QStringList{"zh_CN"};
        QTest::newRow("LANG with modifier") << ""
                                            << ""
                                            << "fr_FR.UTF-8@euro" << QStringList{"fr_FR"};
        QTest::newRow("C locale") << ""
                                  << ""
                                  << "C.UTF-8" << QStringList{};
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << "" << QStringList{};
    }
    void theDesktopsLanguageIsFound() {
        QFETCH(QString, language);
        QFETCH(QString, messages);
        QFETCH(QString, lang);
        QFETCH(QStringList, expected);
        QStringList found;
        for (const std::string& code : LanguagesOf({{"LANGUAGE", language.toStdString()},
                                                    {"LC_MESSAGES", messages.toStdString()},
                                                    {"LANG", lang.toStdString()}}))
            found << QString::fromStdString(code);
        QCOMPARE(found, expected);
    }

    void underLanguageDeTheWindowSpeaksGerman() {
        FreshHome home;
        Translations german(LanguagesOf({{"LANGUAGE", "de"}, {"LANG", "C"}}), TranslationsFolder());
        QCOMPARE(german.Name(), QString("de"));
        const WindowWords words = OpenAndListen();
        QCOMPARE(words.add, QString("Videodateien hinzufügen"));
        QCOMPARE(words.stop, QString("Umwandlung stoppen"));
        QCOMPARE(words.folder, QString("Ausgabeordner"));
        QCOMPARE(words.lastFormat, QString("Nur Ton (MP3/AAC/FLAC/Opus/WAV)"));
        QCOMPARE(words.title, QString("Warnung"));
        QCOMPARE(words.message, QString("In der Liste ist keine Datei markiert. "));
        // German plural forms, and German figures.
        QCOMPARE(KeptList::RestoredText(2, 1),
                 QString("Die Liste mit 2 Dateien vom letzten Mal wurde wiederhergestellt; "
                         "1 Datei wurde gerade umgewandelt und ist wieder bereit"));
        QCOMPARE(QLocale().toString(2.5, 'f', 1), QString("2,5"));
    }

    void underLangCTheWindowSpeaksItsEnglish() {
        FreshHome home;
        Translations english(LanguagesOf({{"LANG", "C"}}), TranslationsFolder());
        QCOMPARE(english.Name(), QString("en"));
        const WindowWords words = OpenAndListen();
        QCOMPARE(words.add, QString("Add video files"));
        QCOMPARE(words.stop, QString("Stop video conversion"));
        QCOMPARE(words.folder, QString("Output folder"));
        QCOMPARE(words.lastFormat, QString("To audio only (MP3/AAC/FLAC/Opus/WAV)"));
        QCOMPARE(words.title, QString("Warning"));
        QCOMPARE(words.message, QString("There is no selected file in list! "));
        QCOMPARE(KeptList::RestoredText(1, 0),
                 QString("Restored the list of 1 file from the last time"));
        QCOMPARE(KeptList::RestoredText(2, 2),
                 QString("Restored the list of 2 files from the last time; 2 files were being "
                         "converted and are Ready again"));
        QCOMPARE(QLocale().toString(2.5, 'f', 1), QString("2.5"));
    }

    void aLanguageWithoutTranslationFallsBackToEnglish() {
        FreshHome home;
        Translations italian(LanguagesOf({{"LANG", "it_IT.UTF-8"}}), TranslationsFolder());
        QCOMPARE(italian.Name(), QString("en"));
        QCOMPARE(OpenAndListen().add, QString("Add video files"));
    }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"

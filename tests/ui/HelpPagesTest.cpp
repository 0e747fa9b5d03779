// The help pages against the program: every key (<kbd>), button
// (class="button"), menu item (class="menu") and named control
// (class="control") a page names is one the windows have. A page that
// promises a key, a menu item or a button the program lacks fails here.

#include "AboutDlg.h"
#include "CButtonST.h"
#include "CXListCtrl.h"
#include "Catalogue.h"
#include "EditorDlg.h"
#include "MainDlg.h"
#include "MainWindowControls.h"
#include "SplitDlg.h"
#include "Translations.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QtTest>

using namespace kiv;
using namespace kiv::test;

namespace {

QString Plain(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

// The names a user sees on a window's buttons, menus, labels, columns and
// fields, and the keys its own actions take.
struct Vocabulary {
    QSet<QString> buttons, menus, controls;
    QList<QKeySequence> keys;

    void Take(QWidget& window) {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            for (const QString& name : {button->text(), button->accessibleName()})
                if (!Plain(name).isEmpty())
                    (qobject_cast<CButtonST*>(button) || !button->isCheckable() ? buttons
                                                                                : controls)
                        << Plain(name);
        }
        for (QMenu* menu : window.findChildren<QMenu*>())
            for (QAction* action : menu->actions())
                menus << Plain(action->text());
        for (QLabel* label : window.findChildren<QLabel*>())
            controls << Plain(label->text());
        for (QWidget* widget : window.findChildren<QWidget*>())
            if (!widget->accessibleName().isEmpty())
                controls << Plain(widget->accessibleName());
        for (CXListCtrl* list : window.findChildren<CXListCtrl*>()) {
            for (int column = 0; column < list->ColumnCount(); ++column)
                for (int role : {int(Qt::DisplayRole), int(Qt::AccessibleTextRole)})
                    controls << Plain(
                        list->model()->headerData(column, Qt::Horizontal, role).toString());
        }
        for (QAction* action : window.actions())
            keys << action->shortcut();
    }
};

// What a page names, by kind: "key", "button", "menu" or "control".
QList<std::pair<QString, QString>> NamedOn(const QString& page) {
    QFile file(page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString html = QString::fromUtf8(file.readAll());
    QList<std::pair<QString, QString>> named;
    // A key, or keys pressed together: <kbd>Ctrl</kbd>+<kbd>O</kbd>.
    static const QRegularExpression kKeys("<kbd>[^<]+</kbd>(\\+<kbd>[^<]+</kbd>)*");
    for (const auto& match : kKeys.globalMatch(html))
        named.append({"key", match.captured(0).remove("<kbd>").remove("</kbd>")});
    static const QRegularExpression kNames("<b class=\"(button|menu|control)\">([^<]+)</b>");
    for (const auto& match : kNames.globalMatch(html))
        named.append({match.captured(1), match.captured(2).simplified()});
    return named;
}

// What the windows call their controls in the language shown.
Vocabulary WindowWords() {
    Vocabulary known;
    CKivVideoConverterDlg window;
    known.Take(window);
    // Pause's other face, as a paused batch shows it.
    ShowPauseLook(*window.findChild<CButtonST*>("pauseButton"), true);
    known.Take(window);
    CSplitDlg split(nullptr, 60, QString());
    known.Take(split);
    known.keys << CSplitDlg::Keys();
    // The editor's labels for a format of old and for today's.
    for (int category : {0, 9}) {
        MediaProfile profile;
        if (!GetProfile(category, 0, profile))
            qFatal("no profile in category %d", category);
        CEditorDlg editor;
        editor.SetTargetKind(GetCategory(category)->Target);
        editor.SetProfile(profile);
        editor.show();
        known.Take(editor);
    }
    CAboutDlg about;
    known.Take(about);
    return known;
}

// The names in the pages of folder that the windows lack; keys are checked
// where the pages name them as Qt does (the English pages).
QStringList Missing(const QString& folder, const Vocabulary& known, bool keys) {
    QStringList missing;
    for (const QString& page : QDir(folder).entryList({"*.html"})) {
        for (const auto& [kind, name] : NamedOn(folder + page)) {
            const QKeySequence key(name);
            const bool there = kind == "key" ? !keys || (!key.isEmpty() && known.keys.contains(key))
                               : kind == "button" ? known.buttons.contains(name)
                               : kind == "menu"
                                   ? known.menus.contains(name)
                                   : known.controls.contains(name) || known.buttons.contains(name);
            if (!there)
                missing << folder + page + ": " + kind + " \"" + name + "\"";
        }
    }
    return missing;
}

int NamedCount(const QString& folder) {
    int named = 0;
    for (const QString& page : QDir(folder).entryList({"*.html"}))
        named += NamedOn(folder + page).size();
    return named;
}

} // namespace

class HelpPagesTest : public QObject {
    Q_OBJECT

private slots:
    void everyKeyButtonMenuItemAndControlAPageNamesIsThere() {
        FreshHome home;
        Vocabulary known = WindowWords();
        // Keys Qt's own widgets take: moving the focus, pressing the button
        // that has it, moving in the list, its menu, closing a dialog.
        for (const char* key : {"Tab", "Shift+Tab", "Space", "Enter", "Esc", "Up", "Down", "Left",
                                "Right", "Menu", "Shift+F10"})
            known.keys << QKeySequence(QString::fromLatin1(key));

        const QString help = QString::fromStdString(ProgramDirectory()) + "help/";
        const QStringList missing = Missing(help, known, true);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
        QVERIFY(NamedCount(help) > 50); // the pages were read, and they name things
    }

    // The translated pages name the controls as the translated windows do.
    void theTranslatedPagesUseTheWindowsWords() {
        FreshHome home;
        const QString help = QString::fromStdString(ProgramDirectory()) + "help/";
        const QStringList languages = QDir(help).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QStringList missing;
        int translated = 0;
        for (const QString& language : languages) {
            Translations shown({language.toStdString()}, TranslationsFolder());
            if (shown.Name() != language)
                continue; // the pictures' folder, or a language without a translation
            ++translated;
            QCOMPARE(HelpPage(help.chopped(5), "help/index.html"),
                     "help/" + language + "/index.html");
            missing << Missing(help + language + "/", WindowWords(), false);
            QVERIFY(NamedCount(help + language + "/") > 15);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
        QCOMPARE(translated, 4);
        QCOMPARE(HelpPage(help.chopped(5), "help/index.html"), QString("help/index.html"));
    }
};

QTEST_MAIN(HelpPagesTest)
#include "HelpPagesTest.moc"

// The main window without media: start-up from the settings, the format
// and profile picks, the profile editor, the output folder, About, Help,
// the links, Exit and the ways the window ends (or does not), control
// states, the batch's progress and accessibility. Commands run as the buttons, menus
// and keys run them.

#include "MainDlg.h"
#include "AboutDlg.h"
#include "CButtonST.h"
#include "CHyperLink.h"
#include "CXListCtrl.h"
#include "Catalogue.h"
#include "DarkPalette.h"
#include "EditorDlg.h"
#include "FixedText.h"
#include "SplitIcons.h"
#include "ToolImages.h"
#include "Vocabularies.h"
#include "WindowBatch.h"
#include "WindowTestSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <memory>

using namespace kiv;
using namespace kiv::test;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

bool SameProfile(const MediaProfile& a, const MediaProfile& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QString AccessibleName(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The twelve [Video] keys of the default selection, in the order written.
const QByteArray kDefaultVideoKeys = "Kind=4\nVCodec=4\nVFR=6\nVBR=21\nSize=23\nApsect=1\n"
                                     "ACodec=0\nACH=1\nABR=15\nASR=4\nVOL=256\nClass=0\n";

} // namespace

class MainDlgTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshHome> home_;
    std::unique_ptr<MessageLog> messages_;
    std::unique_ptr<CKivVideoConverterDlg> dlg_;

    void Open() {
        dlg_ = std::make_unique<CKivVideoConverterDlg>();
        dlg_->show();
        dlg_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
    }
    template <typename T> T* Child(const char* name) {
        T* child = dlg_->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QComboBox* Formats() { return Child<QComboBox>("formatList"); }
    QComboBox* Profiles() { return Child<QComboBox>("profileList"); }
    CXListCtrl* List() { return Child<CXListCtrl>("fileList"); }
    QString SettingsFile() const { return home_->Path("kivinfo.ini"); }
    static void Pick(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

private slots:
    void init() {
        home_ = std::make_unique<FreshHome>();
        messages_ = std::make_unique<MessageLog>();
    }
    void cleanup() {
        dlg_.reset();
        messages_.reset();
        home_.reset();
    }

    void startsFromTheDefaultSettings() {
        Open();
        QCOMPARE(dlg_->windowTitle(), QString("Kiv Video Converter 1.0.0"));
        QCOMPARE(Formats()->count(), CategoryCount()); // the nine of old, then today's
        QCOMPARE(Formats()->currentText(), QString("To DVD/SVCD/VCD/MPEG"));
        QCOMPARE(Profiles()->currentText(), QString("PAL DVD Video"));
        QCOMPARE(QByteArray(dlg_->WorkingProfile().ProfileName), QByteArray("PAL DVD Video"));
        QVERIFY(SameProfile(dlg_->WorkingProfile(), dlg_->CurrentProfile()));
        const QString folder = QString::fromStdString(ProgramDirectory());
        QCOMPARE(Child<QLineEdit>("outputFolder")->text(), folder);
        QVERIFY(!Child<QLineEdit>("outputFolder")->isEnabled());
        QCOMPARE(dlg_->OutputFolder(), folder);
        QVERIFY(Child<QCheckBox>("openFolderBox")->isChecked());
        QVERIFY(!Child<QCheckBox>("shutdownBox")->isChecked()); // never power off unasked
        QCOMPARE(Child<QCheckBox>("openFolderBox")->text(),
                 QString(" Open Output Directory after finished "));
        QCOMPARE(Child<QCheckBox>("shutdownBox")->text(), QString(" Shutdown PC after finished "));
        QStringList labels;
        for (const QLabel* label : dlg_->findChildren<QLabel*>())
            labels << label->text();
        for (const char* text : {"Output Directory:", "Output Format:", "Video Profile:"})
            QVERIFY2(labels.contains(QString(text)), text);
        QCOMPARE(Child<CHyperLink>("faqLink")->text(), QString("Online FAQ"));

        // At its designed size, its smallest; the file list's columns share
        // its width as laid out.
        QCOMPARE(dlg_->size(), dlg_->minimumSize());
        CXListCtrl* list = List();
        QStringList headings;
        int widths = 0;
        for (int c = 0; c < list->ColumnCount(); ++c) {
            headings << list->model()->headerData(c, Qt::Horizontal).toString();
            widths += list->columnWidth(c);
        }
        QCOMPARE(headings,
                 QStringList({"", "Video File", "Duration", "Start Time", "End Time", "Status"}));
        QCOMPARE(widths, list->width() - 4);
        QCOMPARE(list->GetHeaderCheck(0), 1);
        QCOMPARE(list->GetHeaderCheck(1), 0);
    }

    // The list takes the room; what is below it and at the right edge
    // follows; the size and place are kept by Exit for the next start.
    void theWindowGrowsAndIsPutBackAsItWasLeft() {
        Open();
        const QSize smallest = dlg_->size();
        const auto places = [this] {
            QMap<QString, QRect> rects;
            for (const char* name :
                 {"fileList", "exitButton", "formatList", "faqLink", "addButton"})
                rects[name] = Child<QWidget>(name)->geometry();
            rects["file column"] = QRect(0, 0, List()->columnWidth(1), List()->columnWidth(2));
            return rects;
        };
        const auto before = places();
        dlg_->resize(1600, 1000);
        QTRY_COMPARE(dlg_->size(), QSize(1600, 1000));
        const QSize grown(1600 - smallest.width(), 1000 - smallest.height());
        const auto after = places();
        QCOMPARE(after["fileList"].size(), before["fileList"].size() + grown);
        QCOMPARE(after["exitButton"], before["exitButton"].translated(grown.width(), 0));
        QCOMPARE(after["formatList"].topLeft(),
                 before["formatList"].topLeft() + QPoint(0, grown.height()));
        QCOMPARE(after["faqLink"], before["faqLink"].translated(grown.width(), grown.height()));
        QCOMPARE(after["addButton"], before["addButton"]);
        // The path column takes the width the list gained; the others keep theirs.
        QCOMPARE(after["file column"].width(), before["file column"].width() + grown.width());
        QCOMPARE(after["file column"].height(), before["file column"].height());
        dlg_->resize(smallest);
        QTRY_COMPARE(dlg_->size(), smallest);
        QCOMPARE(places(), before);
        // A scroll bar beside many rows takes its room from the path column.
        for (int row = 0; row < 20; ++row)
            List()->AddRow(row, QString());
        QTRY_VERIFY(List()->verticalScrollBar()->isVisible());
        QVERIFY(!List()->horizontalScrollBar()->isVisible());

        dlg_->resize(900, 700);
        dlg_->move(40, 30);
        QTRY_COMPARE(dlg_->size(), QSize(900, 700));
        const QRect left = dlg_->geometry();
        dlg_->OnExit();
        Open();
        QCOMPARE(dlg_->geometry(), left);
    }

    void startsWithoutThePlayerLibrary() {
        // libmpv and its many libraries load when a preview opens, not before.
        Open();
        QVERIFY(!ReadAll("/proc/self/maps").contains("libmpv"));
    }

    void settingsFromTheFileAreShown() {
        Write(SettingsFile(), "[Options]\nFolder=/data/films/\nAFO=0\nAFC=2\n"
                              "[Video]\nName=My Tool\nVer=2.1\nKind=0\nClass=2\n");
        home_->Reload();
        Open();
        QCOMPARE(dlg_->windowTitle(), QString("My Tool 2.1"));
        QCOMPARE(Child<QLineEdit>("outputFolder")->text(), QString("/data/films/"));
        QVERIFY(!Child<QCheckBox>("openFolderBox")->isChecked());
        QVERIFY(!Child<QCheckBox>("shutdownBox")->isChecked());
        QCOMPARE(Formats()->currentIndex(), 0);
        QCOMPARE(Profiles()->currentIndex(), 2);
        QCOMPARE(Profiles()->count(), GetCategory(0)->ProfileCount);
    }

    void formatAndProfilePicksSetBothProfiles() {
        Open();
        for (int category = 0; category < CategoryCount(); ++category) {
            Pick(Formats(), category);
            const ProfileCategory* c = GetCategory(category);
            QCOMPARE(Profiles()->count(), c->ProfileCount);
            QCOMPARE(Profiles()->currentIndex(), 0);
            QVERIFY(SameProfile(dlg_->CurrentProfile(), c->Profiles[0]));
            QVERIFY(SameProfile(dlg_->WorkingProfile(), c->Profiles[0]));
            QCOMPARE(dlg_->Selection().Kind, category);
            QCOMPARE(dlg_->Selection().Class, 0);
        }
        Pick(Formats(), 1);
        Pick(Profiles(), 2);
        QVERIFY(SameProfile(dlg_->WorkingProfile(), GetCategory(1)->Profiles[2]));
        QCOMPARE(dlg_->Selection().Kind, 1);
        QCOMPARE(dlg_->Selection().Class, 2);
    }

    void editorOkWithoutSaveChangesTheWorkingProfileOnly() {
        Open();
        const MediaProfile before = dlg_->CurrentProfile();
        const ProfileSelection selection = dlg_->Selection();
        QString chosen;
        auto ran = WhenModal<CEditorDlg>([&chosen](CEditorDlg* editor) {
            auto* bitrate = editor->findChild<QComboBox*>("videoBitrate");
            bitrate->setCurrentIndex(bitrate->currentIndex() == 0 ? 1 : 0);
            chosen = bitrate->currentText();
            editor->findChild<QPushButton*>("close")->click();
        });
        dlg_->OnEditProfile();
        QVERIFY(*ran);
        QCOMPARE(QString(dlg_->WorkingProfile().VideoBitrate), chosen);
        QVERIFY(SameProfile(dlg_->CurrentProfile(), before));
        QVERIFY(std::memcmp(&dlg_->Selection(), &selection, sizeof selection) == 0);
        QCOMPARE(Profiles()->currentText(), QString("PAL DVD Video"));

        // The next pick discards the edit.
        Pick(Profiles(), 0);
        QVERIFY(SameProfile(dlg_->WorkingProfile(), GetCategory(4)->Profiles[0]));
    }

    void editorOkAfterSaveChangesTheSelectionToo() {
        Open();
        QString chosen;
        auto ran = WhenModal<CEditorDlg>([&chosen](CEditorDlg* editor) {
            auto* bitrate = editor->findChild<QComboBox*>("videoBitrate");
            bitrate->setCurrentIndex(bitrate->currentIndex() == 0 ? 1 : 0);
            chosen = bitrate->currentText();
            editor->findChild<QPushButton*>("save")->click();
            editor->findChild<QPushButton*>("close")->click();
        });
        dlg_->OnEditProfile();
        QVERIFY(*ran);
        QCOMPARE(QString(dlg_->WorkingProfile().VideoBitrate), chosen);
        QVERIFY(SameProfile(dlg_->CurrentProfile(), dlg_->WorkingProfile()));
        QCOMPARE(dlg_->Selection().VBR, IndexOf(VideoBitrates(), chosen.toStdString()));
        QCOMPARE(dlg_->Selection().Kind, 4);
        QCOMPARE(Profiles()->currentIndex(), dlg_->Selection().Class);

        // Escape in the editor changes nothing.
        const MediaProfile saved = dlg_->WorkingProfile();
        ran = WhenModal<CEditorDlg>([](CEditorDlg* editor) { editor->reject(); });
        dlg_->OnEditProfile();
        QVERIFY(*ran);
        QVERIFY(SameProfile(dlg_->WorkingProfile(), saved));
    }

    void exitWritesTheSettingsIntoANewFile() {
        Open();
        Child<QCheckBox>("openFolderBox")->setChecked(false);
        QVERIFY(!QFile::exists(SettingsFile()));
        QTest::mouseClick(Child<CButtonST>("exitButton"), Qt::LeftButton);
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QVERIFY(!dlg_->isVisible());
        QCOMPARE(ReadAll(SettingsFile()), "[Options]\nAFO=0\nAFC=0\nFolder=" +
                                              QByteArray::fromStdString(ProgramDirectory()) +
                                              "\n[Video]\n" + kDefaultVideoKeys);
    }

    void exitKeepsWhatElseTheFileHolds() {
        Write(SettingsFile(), "; made by hand\n[Options]\nCore=0\nFolder=/old/\nExtra=keep\n"
                              "[Other]\nKey=Value\n[Video]\nName=My Tool\nKind=4\n");
        home_->Reload();
        Open();
        Child<QCheckBox>("shutdownBox")->setChecked(false);
        dlg_->OnExit();
        QCOMPARE(ReadAll(SettingsFile()),
                 QByteArray("; made by hand\n[Options]\nCore=0\nFolder=/old/\nExtra=keep\n"
                            "AFO=1\nAFC=0\n[Other]\nKey=Value\n[Video]\nName=My Tool\n") +
                     kDefaultVideoKeys);
    }

    void closeBoxMinimisesAndSavesNothing() {
        Open();
        dlg_->close();
        QVERIFY(dlg_->isVisible());
        QTRY_VERIFY(dlg_->isMinimized());
        QVERIFY(!QFile::exists(SettingsFile()));
    }

    void enterAndEscapeNeverEndTheWindow() {
        Open();
        List()->AddRow(0, QString());
        for (const char* name : {"fileList", "formatList", "openFolderBox", "siteLink"}) {
            Child<QWidget>(name)->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(Child<QWidget>(name), key);
            QVERIFY2(dlg_->isVisible(), name);
        }
        // Enter presses the button that has the focus.
        auto* remove = Child<CButtonST>("removeButton");
        QSignalSpy pressed(remove, &QAbstractButton::clicked);
        remove->setFocus();
        QTest::keyClick(remove, Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QVERIFY(dlg_->isVisible());
        QVERIFY(!QFile::exists(SettingsFile()));
    }

    void theKeyboardReachesEveryControlAndSeesWhereItIs() {
        Open();
        UrlCatcher catcher;
        for (int row = 0; row < 3; ++row)
            List()->AddRow(row, QString());
        // Tab from the first button around the window and back: every
        // control a user acts on, each once, the list left again at once.
        auto* first = Child<CButtonST>("addButton");
        Child<CHyperLink>("faqLink")->setFocus();
        QTest::keyClick(Child<CHyperLink>("faqLink"), Qt::Key_Tab); // round to the first
        QCOMPARE(QApplication::focusWidget(), first);
        QStringList reached{first->objectName()};
        for (int i = 0; i < 30; ++i) {
            QWidget* was = QApplication::focusWidget();
            const QImage focused = was->grab().toImage();
            QTest::keyClick(was, Qt::Key_Tab);
            if (qobject_cast<CButtonST*>(was) || qobject_cast<CHyperLink*>(was))
                QVERIFY2(was->grab().toImage() != focused,
                         qPrintable(was->objectName() + " shows no focus"));
            if (QApplication::focusWidget() == first)
                break;
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached, QStringList({"addButton", "removeButton", "startButton", "aboutButton",
                                       "helpButton", "exitButton", "fileList", "folderButton",
                                       "formatList", "profileList", "editButton", "openFolderBox",
                                       "shutdownBox", "siteLink", "faqLink"}));
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("exitButton"));
        // The list's menu (with Split) opens from the keyboard.
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(Child<QMenu>("popMenu")->isVisible());
        Child<QMenu>("popMenu")->hide();

        // The links open with Enter or Space.
        QTest::keyClick(Child<CHyperLink>("siteLink"), Qt::Key_Return);
        QTest::keyClick(Child<CHyperLink>("faqLink"), Qt::Key_Space);
        const QString bin = QString::fromStdString(ProgramDirectory());
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl::fromLocalFile(bin + "help/index.html"),
                                            QUrl::fromLocalFile(bin + "help/faq.html")}));
    }

    void aDesktopThatCannotOpenSaysWhereToLook() {
        // No browser or file manager: each way of opening says so once,
        // with the path to open by hand.
        Open();
        const QString bin = QString::fromStdString(ProgramDirectory());
        dlg_->OnHelp();
        Child<QMenu>("dirMenu")->actions().at(1)->trigger();
        QTest::mouseClick(Child<CHyperLink>("faqLink"), Qt::LeftButton);
        const QString says = "The desktop has no program to open this. Please open it by hand:\n";
        QCOMPARE(messages_->Messages().size(), 3);
        QCOMPARE(messages_->Messages()[0].text, says + bin + "help/index.html");
        QCOMPARE(messages_->Messages()[1].text, says + dlg_->OutputFolder());
        QCOMPARE(messages_->Messages()[2].text,
                 "Unable to open hyperlink:\n\n" + says + bin + "help/faq.html");
        for (const ShownMessage& m : messages_->Messages())
            QCOMPARE(m.title, QString("Warning"));
    }

    void aSettingsFileThatCannotBeWrittenIsReported() {
        QVERIFY(QDir().mkpath(SettingsFile())); // a folder where the file belongs
        home_->Reload();
        Open();
        dlg_->OnExit();
        QVERIFY(!dlg_->isVisible()); // the window still ends
        QCOMPARE(messages_->Messages().size(), 1);
        const ShownMessage& m = messages_->Messages().first();
        QCOMPARE(m.title, QString("Warning"));
        QVERIFY(m.text.startsWith("Your settings were not saved.\n"));
        QVERIFY2(m.text.contains(SettingsFile() + ": Is a directory"), qPrintable(m.text));
        QVERIFY(ReadAll(home_->Path("kiv.dmp")).contains("Settings: not saved: "));
    }

    void aDarkPaletteLeavesEverythingReadable() {
        const QPalette before = QApplication::palette();
        const QPalette dark = DarkPaletteWithLightLinks(before);
        QApplication::setPalette(dark);
        auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        Open();
        const auto lightPixels = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += QColor(image.pixel(x, y)).lightness() > 140;
            return n;
        };
        // The headings and both links.
        CXListCtrl* list = List();
        const QImage header = list->horizontalHeader()->viewport()->grab().toImage();
        const int second = list->horizontalHeader()->sectionViewportPosition(1);
        QVERIFY(lightPixels(header.copy(second, 0, list->columnWidth(1), header.height())) > 20);
        for (const char* name : {"siteLink", "faqLink"})
            QVERIFY2(lightPixels(Child<CHyperLink>(name)->grab().toImage()) > 20, name);
        // The Split dialog's pictures in the dark ink.
        for (const char* picture : {"begin", "previous", "next", "end"}) {
            const QImage icon = RenderSplitPicture(picture, QSize(16, 16)).toImage();
            int ink = 0;
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x)
                    ink += qAlpha(icon.pixel(x, y)) > 200 &&
                           QColor(icon.pixel(x, y)).lightness() > 200;
            QVERIFY2(ink > 20, picture);
        }
    }

    void browsePicksAFolderEndingInTheSeparator() {
        Open();
        QTemporaryDir picked;
        QString title;
        auto ran = WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            dialog->setDirectory(picked.path());
            static_cast<QDialog*>(dialog)->accept();
        });
        dlg_->OnBrowse();
        QVERIFY(*ran);
        QCOMPARE(title, QString("Select output folder"));
        QCOMPARE(dlg_->OutputFolder(), picked.path() + "/");
        QCOMPARE(Child<QLineEdit>("outputFolder")->text(), picked.path() + "/");

        ran = WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        dlg_->OnBrowse();
        QVERIFY(*ran);
        QCOMPARE(dlg_->OutputFolder(), picked.path() + "/");

        ran = WhenModal<QFileDialog>([](QFileDialog* dialog) {
            dialog->setDirectory("/");
            static_cast<QDialog*>(dialog)->accept();
        });
        dlg_->OnBrowse();
        QVERIFY(*ran);
        QCOMPARE(dlg_->OutputFolder(), QString("/"));

        // The folder menu offers Browse and Open.
        QTest::mouseClick(Child<CButtonST>("folderButton"), Qt::LeftButton);
        auto* menu = Child<QMenu>("dirMenu");
        QTRY_VERIFY(menu->isVisible());
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->text();
        QCOMPARE(items, QStringList({"Browse", "Open"}));
        menu->hide();
    }

    void openHelpAndLinksOpenLocalFiles() {
        Open();
        UrlCatcher catcher;
        Child<QMenu>("dirMenu")->actions().at(1)->trigger();
        dlg_->OnHelp();
        QTest::keyClick(dlg_.get(), Qt::Key_F1);
        QTest::mouseClick(Child<CHyperLink>("siteLink"), Qt::LeftButton);
        QTest::mouseClick(Child<CHyperLink>("faqLink"), Qt::LeftButton);
        const QString bin = QString::fromStdString(ProgramDirectory());
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl::fromLocalFile(bin),
                                            QUrl::fromLocalFile(bin + "help/index.html"),
                                            QUrl::fromLocalFile(bin + "help/index.html"),
                                            QUrl::fromLocalFile(bin + "help/index.html"),
                                            QUrl::fromLocalFile(bin + "help/faq.html")}));
        // The pages are there: no link is dead.
        QVERIFY(QFile::exists(bin + "help/index.html"));
        QVERIFY(QFile::exists(bin + "help/faq.html"));
        QVERIFY(messages_->Messages().isEmpty());
    }

    void aboutBoxShowsVersionAndMakers() {
        Open();
        QStringList texts;
        QString title;
        auto ran = WhenModal<CAboutDlg>([&](CAboutDlg* about) {
            title = about->windowTitle();
            for (const char* name : {"version", "makerLine", "makerNote"})
                texts << about->findChild<QLabel*>(name)->text();
            QVERIFY(!about->findChild<QLabel*>("icon")->pixmap().isNull());
            about->findChild<QPushButton*>("ok")->click();
        });
        QTest::mouseClick(Child<CButtonST>("aboutButton"), Qt::LeftButton);
        QVERIFY(*ran);
        QCOMPARE(title, QString("About KivVideoConverter"));
        QCOMPARE(texts.at(0), QString("KivVideoConverter Version 1.0"));
        QVERIFY(!texts.at(1).isEmpty() && !texts.at(2).isEmpty());
        // Esc closes it too, as it closes every message.
        ran =
            WhenModal<CAboutDlg>([](CAboutDlg* about) { QTest::keyClick(about, Qt::Key_Escape); });
        dlg_->OnAbout();
        QVERIFY(*ran);
    }

    void controlStatesFollowTheSwitch() {
        Open();
        const char* switched[] = {"addButton",   "removeButton", "startButton",  "formatList",
                                  "profileList", "exitButton",   "folderButton", "editButton"};
        const char* untouched[] = {"aboutButton", "helpButton", "fileList", "openFolderBox",
                                   "shutdownBox", "siteLink",   "faqLink"};
        for (bool enable : {false, true}) {
            dlg_->EnableControls(enable);
            for (const char* name : switched)
                QVERIFY2(Child<QWidget>(name)->isEnabled() == enable, name);
            QCOMPARE(Child<QWidget>("stopButton")->isEnabled(), !enable);
            for (const char* name : untouched)
                QVERIFY2(Child<QWidget>(name)->isEnabled(), name);
        }
    }

    // While a batch runs it is refused (BatchTest).
    void popMenuOffersTheListCommands() {
        Open();
        auto* menu = Child<QMenu>("popMenu");
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->text();
        QCOMPARE(items, QStringList({"&Add", "&Delete", "&Clear", "&Split", "&Preview result"}));
        dlg_->ShowPopMenu(dlg_->mapToGlobal(QPoint(100, 100)));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void progressReachesTheTableAndItsSignal() {
        // The engine's progress as the batch passes it on: no position (0 or
        // less) shows as 1, to the row that converts (the first until a
        // batch has begun another).
        FileTable table;
        table.Append(ConversionJob{});
        CEncoderCntl controller;
        WindowBatch batch(table, controller, nullptr);
        QSignalSpy shown(&batch, &WindowBatch::rowProgress);
        for (auto [value, percent] : {std::pair{0, 1}, {-5, 1}, {37, 37}, {100, 100}}) {
            WindowBatch::ProgressCallback(value, &batch);
            QVERIFY(shown.wait());
            QCOMPARE(shown.takeFirst(), (QList<QVariant>{0, percent}));
            QCOMPARE(table.Row(0).percent, percent);
        }
        WindowBatch::ProgressCallback(50, nullptr);
        QCoreApplication::processEvents(); // anything posted has arrived
        QVERIFY(shown.isEmpty());
        QCOMPARE(table.Row(0).percent, 100);
    }

    void everyControlHasAnAccessibleName() {
        Open();
        for (const char* name : {"addButton", "removeButton", "startButton", "stopButton",
                                 "aboutButton", "helpButton", "exitButton", "editButton"}) {
            auto* button = Child<CButtonST>(name);
            QVERIFY2(!button->TooltipText().isEmpty(), name);
            QCOMPARE(AccessibleName(button), button->TooltipText());
        }
        QCOMPARE(Child<CButtonST>("addButton")->TooltipText(), QString("Add video files"));
        QCOMPARE(Child<CButtonST>("stopButton")->TooltipText(), QString("Stop video conversion"));
        QCOMPARE(Child<CButtonST>("editButton")->TooltipText(), QString("Edit video profile"));
        QCOMPARE(AccessibleName(Child<CButtonST>("folderButton")), QString("Output folder"));

        // The end-of-batch boxes without their caption's blanks.
        QCOMPARE(AccessibleName(Child<QCheckBox>("openFolderBox")),
                 QString("Open Output Directory after finished"));
        QCOMPARE(AccessibleName(Child<QCheckBox>("shutdownBox")),
                 QString("Shutdown PC after finished"));

        // The drop-down lists are labelled by their labels.
        for (auto [list, label] :
             {std::pair{"formatList", "Output Format:"}, {"profileList", "Video Profile:"}}) {
            QAccessibleInterface* iface =
                QAccessible::queryAccessibleInterface(Child<QWidget>(list));
            QStringList labelledBy;
            for (const auto& relation : iface->relations(QAccessible::Label))
                labelledBy << relation.first->text(QAccessible::Name);
            QVERIFY2(labelledBy.contains(QString(label)), list);
        }

        // Cells speak their text, a check box its state, a progress bar its percentage.
        CXListCtrl* list = List();
        list->AddRow(0, QString());
        list->SetCellCheck(0, 0, 1);
        list->SetCellText(0, 1, " /videos/a.avi");
        list->ShowCellProgress(0, 5, true);
        list->SetCellProgress(0, 5, 37);
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(list)->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QString("Checked"));
        QCOMPARE(table->cellAt(0, 1)->text(QAccessible::Name), QString(" /videos/a.avi"));
        QCOMPARE(table->cellAt(0, 5)->text(QAccessible::Name), QString("37 %"));
        // The check-box column's header has a name, and says its state.
        QAccessibleInterface* checkHeader =
            table->cellAt(0, 0)->tableCellInterface()->columnHeaderCells().value(0);
        QVERIFY(checkHeader);
        QCOMPARE(checkHeader->text(QAccessible::Name), QString("Check all"));
        QCOMPARE(checkHeader->text(QAccessible::Description), QString("Checked"));
    }

    void ourImagesRenderForEveryButton() {
        const QSize size(54, 72);
        for (const char* glyph : {"add", "remove", "start", "stop", "about", "help", "exit"}) {
            const ToolButtonImages images =
                RenderToolButtonImages(glyph, size, QRect(0, 0, 54, 60));
            const QList<QImage> states{images.over, images.normal, images.pressed, images.disabled};
            for (int i = 0; i < states.size(); ++i) {
                QCOMPARE(states[i].size(), size);
                for (int j = 0; j < i; ++j)
                    QVERIFY2(states[i] != states[j], glyph);
            }
            // The disabled glyph uses the greys only.
            const QImage grey = images.disabled.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < grey.height(); ++y)
                for (int x = 0; x < grey.width(); ++x) {
                    const QColor c = QColor::fromRgba(grey.pixel(x, y));
                    QVERIFY(c.alpha() < 250 || qAbs(c.red() - c.blue()) < 40);
                }
        }
        for (const char* glyph : {"folder", "edit"})
            QCOMPARE(RenderSmallIcon(glyph, kSmallIconSide).size(), QSize(20, 20));
        QVERIFY(RenderToolButtonImages("no-such-glyph", size, QRect(0, 0, 54, 60)).normal.isNull());
        QVERIFY(!GreyedSvg("<path fill=\"#2b6cb0\" stroke=\"#1a2b3c\"/>").contains("#2b6cb0"));

        // On the window, a disabled button looks different from an enabled one.
        Open();
        QVERIFY(!dlg_->windowIcon().isNull());
        auto* stop = Child<CButtonST>("stopButton");
        const QImage disabled = stop->grab().toImage();
        stop->setEnabled(true);
        QVERIFY(stop->grab().toImage() != disabled);
    }
};

QTEST_MAIN(MainDlgTest)
#include "MainDlgTest.moc"

#include "KivVideoConverterApp.h"

#include "Log.h"
#include "MainDlg.h"
#include "Paths.h"
#include "Settings.h"
#include "ToolImages.h"
#include "Translations.h"
#include "WaitingFiles.h"
#include "WindowChannel.h"

#include <QFile>
#include <QPalette>
#include <QTimer>

#include <clocale>
#include <memory>

namespace kiv {

CKivVideoConverterApp::CKivVideoConverterApp(int& argc, char** argv) : QApplication(argc, argv) {
    // Qt takes the user's locale for everything; numbers in command lines,
    // scripts and the settings are written the C way whatever the language.
    std::setlocale(LC_NUMERIC, "C");
    setApplicationName(QStringLiteral("kiv-video-converter"));
    setApplicationVersion(QStringLiteral(KIV_VERSION));
    setWindowIcon(ApplicationIcon());
    translations_ =
        std::make_unique<Translations>(DesktopLanguages(ProcessEnvironment), TranslationsFolder());
}

CKivVideoConverterApp::~CKivVideoConverterApp() = default;

WindowClaim CKivVideoConverterApp::ClaimWindow(const QStringList& files, QString& error) {
    channel_ = std::make_unique<WindowChannel>(QString::fromStdString(RuntimeDirectory()),
                                               QString::fromStdString(SettingsDirectory()));
    if (channel_->Claim())
        return WindowClaim::Claimed;
    const bool taken = channel_->HandOver(files, error);
    channel_.reset();
    return taken ? WindowClaim::HandedOver : WindowClaim::NoAnswer;
}

bool CKivVideoConverterApp::InitInstance(const QStringList& files) {
    LoadSettings();
    ApplySkin(*this, QString::fromStdString(ProgramDirectory()));
    // On the heap: the window holds the whole job table.
    auto window = std::make_unique<CKivVideoConverterDlg>();
    if (channel_ && !channel_->Listen()) {
        WriteLogFormat("Module:ui/program,Error Info :cannot listen at %s; later starts open "
                       "windows of their own",
                       channel_->SocketPath().toLocal8Bit().constData());
        channel_.reset();
    }
    if (channel_) {
        auto* waiting = new WaitingFiles(*window); // owned by the window
        connect(channel_.get(), &WindowChannel::filesHanded, waiting, &WaitingFiles::Take);
    }
    if (!files.isEmpty()) {
        // Added once the window shows, through the same path as Add.
        QTimer::singleShot(0, window.get(), [w = window.get(), files] { w->AddFiles(files); });
    }
    window->exec();
    channel_.reset(); // from now on a later start opens a window of its own
    return false;
}

int CKivVideoConverterApp::ExitInstance() {
    CloseLog();
    return 0;
}

QPalette SkinPalette() {
    // The colours the skin and our controls were drawn against.
    const QColor face(240, 240, 240);
    QPalette palette(Qt::black, face, Qt::white, QColor(160, 160, 160), QColor(160, 160, 160),
                     Qt::black, Qt::white, Qt::white, face);
    palette.setColor(QPalette::Midlight, QColor(227, 227, 227));
    palette.setColor(QPalette::Shadow, QColor(105, 105, 105));
    palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0, 0, 238));
    palette.setColor(QPalette::LinkVisited, QColor(85, 26, 139));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(120, 120, 120));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    return palette;
}

bool ApplySkin(QApplication& application, const QString& programDirectory) {
    QFile skin(programDirectory + QStringLiteral("LightBlue.smf"));
    if (!skin.open(QIODevice::ReadOnly))
        return false;
    application.setPalette(SkinPalette());
    application.setStyleSheet(QString::fromUtf8(skin.readAll()));
    return true;
}

} // namespace kiv

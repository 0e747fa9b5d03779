#pragma once
// The application object: brings the program up around the main window and
// down after it. Start-up order: the desktop's language, the one-window
// check, settings and log, skin, main window (run until it ends); then the log is closed.

#include <QApplication>
#include <QStringList>

#include <memory>

namespace kiv {

class Translations;
class WindowChannel;

enum class WindowClaim {
    Claimed,    // no window of this user and settings folder is open: open one
    HandedOver, // the open window took the files and comes to the front
    NoAnswer,   // a window is open but did not take the files
};

class CKivVideoConverterApp : public QApplication {
    Q_OBJECT
public:
    CKivVideoConverterApp(int& argc, char** argv);
    ~CKivVideoConverterApp() override;

    // Before anything is loaded: hands the files to the window that is
    // already open, if there is one (see WindowChannel.h). On NoAnswer the
    // reason is in error.
    WindowClaim ClaimWindow(const QStringList& files, QString& error);

    // Loads the settings (opening the log), applies the skin, runs the main
    // window with the files added, until it ends; after ClaimWindow, files
    // handed over by later starts are added too. Returns false: the program
    // ends then.
    bool InitInstance(const QStringList& files);
    // Closes the log; the program's exit status.
    int ExitInstance();

private:
    std::unique_ptr<Translations> translations_;
    std::unique_ptr<WindowChannel> channel_;
};

// The skin: "LightBlue.smf" in the program directory, read as a Qt style
// sheet and applied to the whole application together with the light
// palette it was drawn for (SkinPalette), so nothing of it depends on the
// desktop's colours. Without it (or when it cannot be read) the platform
// look and palette stay. Returns whether a skin was applied.
bool ApplySkin(QApplication& application, const QString& programDirectory);

// The light palette of the skin: light grey faces, white fields, black
// text, and the links' own blue and purple.
QPalette SkinPalette();

} // namespace kiv

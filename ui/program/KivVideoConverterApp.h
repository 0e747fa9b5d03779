#pragma once
// The application object: brings the program up around the main window and
// down after it. Start-up order: settings and log, skin, main window (run
// until it ends); then the log is closed.

#include <QApplication>
#include <QStringList>

namespace kiv {

class CKivVideoConverterApp : public QApplication {
    Q_OBJECT
public:
    CKivVideoConverterApp(int& argc, char** argv);

    // Loads the settings (opening the log), applies the skin, runs the main
    // window with the files added, until it ends. Returns false: the
    // program ends then.
    bool InitInstance(const QStringList& files);
    // Closes the log; the program's exit status.
    int ExitInstance();
};

// The skin: "LightBlue.smf" in the program directory, read as a Qt style
// sheet and applied to the whole application. Without it (or when it cannot
// be read) the platform look stays. Returns whether a skin was applied.
bool ApplySkin(QApplication& application, const QString& programDirectory);

} // namespace kiv

// The real main window, converting the files it is given at once: for tests
// that end a window outright in the middle of a batch, as a crash or a power
// cut would. Prints one line as each row's state changes ("row 1 state 1").

#include "FileTable.h"
#include "MainDlg.h"
#include "Settings.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    kiv::LoadSettings();
    kiv::CKivVideoConverterDlg window;
    window.show();
    QObject::connect(&window, &kiv::CKivVideoConverterDlg::filesAdded, &window,
                     [&window] { window.OnStart(); });
    QObject::connect(&window.Table(), &kiv::FileTable::stateChanged, [&window](int row) {
        std::printf("row %d state %d\n", row, static_cast<int>(window.Table().Row(row).state));
        std::fflush(stdout);
    });
    window.AddFiles(QApplication::arguments().mid(1));
    return window.exec();
}

// Shows the media profile editor and the preview player side by side, for
// looking at them (e.g. under Xvfb). Not installed.
//
//     kiv-ui-demo [media file] [seconds to seek to]
//     kiv-ui-demo --split <media file> <duration in seconds>
// Both speak the desktop's language, as the window program does.
//
// The editor opens with the "DIVX Video" profile; the player opens the file
// paused on its first picture, seeks when asked, and plays after a second.
// With --split, the split dialog opens instead and plays the file; the start
// is marked after 2 s and the end after 5 s, and playback goes on.

#include "Catalogue.h"
#include "EditorDlg.h"
#include "PreviewPlayer.h"
#include "SplitDlg.h"
#include "Translations.h"
#include "VideoArea.h"

#include <QApplication>
#include <QTimer>

#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const kiv::Translations language(kiv::DesktopLanguages(kiv::ProcessEnvironment),
                                     kiv::TranslationsFolder());

    if (argc > 3 && QString::fromLatin1(argv[1]) == QLatin1String("--split")) {
        kiv::CSplitDlg split(nullptr, QString::fromLocal8Bit(argv[3]).toInt(),
                             QString::fromLocal8Bit(argv[2]));
        split.move(10, 10);
        split.show();
        split.onPlay();
        QTimer::singleShot(2000, &split, &kiv::CSplitDlg::onMarkStart);
        QTimer::singleShot(5000, &split, &kiv::CSplitDlg::onMarkEnd);
        return split.exec() == QDialog::Accepted ? 0 : 1;
    }

    kiv::MediaProfile profile{};
    kiv::GetProfile(0, 0, profile);
    kiv::CEditorDlg editor;
    editor.SetTargetKind(1);
    editor.SetProfile(profile);
    editor.move(10, 10);
    editor.show();

    kiv::VideoArea area;
    area.setWindowTitle(QStringLiteral("Preview"));
    area.resize(195, 174); // the split dialog's picture area, 130 x 107 units
    area.move(460, 10);
    area.show();

    if (argc > 1) {
        kiv::PreviewPlayer& player = kiv::PreviewPlayer::Instance();
        player.Open(argv[1], &area);
        if (argc > 2)
            player.Seek(QString::fromLocal8Bit(argv[2]).toDouble());
        else
            QTimer::singleShot(1000, [&player] { player.Play(); });
    }
    return app.exec();
}

#pragma once
// "Tracks": one file's audio and subtitle tracks as FFmpeg reports them
// (language, codec, channels, title), each with a box to keep it; the
// default track of each kind; and one subtitle to burn into the picture.
// What it gives is the file's own choice, which wins over the batch's rule;
// "As the profile" gives the choice back to the rule.
//
//     TracksDlg dialog(streams, row.job.choices.picks, window);
//     if (dialog.exec() == QDialog::Accepted)
//         table.SetTrackPicks(row, dialog.Picks());
//
// The commands (SetKept, SetDefault, SetBurn, UseRule) are what the
// controls do; tests drive the dialog through them.

#include "ConversionJob.h"
#include "StreamFacts.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QTreeWidget;

namespace kiv {

class TracksDlg : public QDialog {
    Q_OBJECT
public:
    // streams: the file's, as ListStreams reads them; picks: the file's
    // choice so far (chosen 0: every track is shown kept).
    TracksDlg(const std::vector<StreamFacts>& streams, const TrackPicks& picks,
              QWidget* parent = nullptr);

    // The tracks as the dialog shows them: chosen 1, or 0 after UseRule.
    TrackPicks Picks() const;

    // Commands, by source stream number.
    void SetKept(int stream, bool kept);
    // stream -1: as the source marks them.
    void SetDefaultAudio(int stream);
    void SetDefaultSubtitle(int stream);
    // stream -1: nothing burned in.
    void SetBurn(int stream);
    // The file follows the batch's rule again; the dialog accepts.
    void UseRule();

    // The words of one track's line: "#2  German  aac  2 channels  Commentary".
    static QString TrackText(const StreamFacts& stream);

private:
    void FillCombo(QComboBox* combo, int type, const QString& none, int selected);
    int RowOf(int stream) const;

    std::vector<StreamFacts> tracks_; // audio and subtitles, in file order
    bool useRule_ = false;
    QTreeWidget* list_ = nullptr;
    QComboBox* defaultAudio_ = nullptr;
    QComboBox* defaultSubtitle_ = nullptr;
    QComboBox* burn_ = nullptr;
};

// The file's streams, empty when it cannot be read.
std::vector<StreamFacts> ReadTracks(const std::string& path);

} // namespace kiv

#pragma once
// The "Split" dialog: the user picks the part of one file to convert while
// the file plays in the preview player.
//
//     CSplitDlg dlg(parent, durationSeconds, path);
//     if (dlg.exec() == QDialog::Accepted)
//         Keep(dlg.StartSeconds(), dlg.EndSeconds());
//
// While the file plays, the start of the selection follows playback until
// "Mark start"; then the end follows playback until "Mark end". "Stop"
// closes the player and the next "Play" opens the file again. OK refuses an
// empty or inverted selection (in whole seconds) with a message and stays
// open. Cancelling (Escape, the close box) closes the player and leaves the
// selection unchanged for the caller.
//
// A thumb moved while nothing plays, or a time typed into a time field
// ("h:mm:ss", taken with Enter or on leaving the field), sets that mark (an
// end marks the start too), and the picture shows the point chosen.
//
// "Preview result" (when the caller gives a PreviewSource) converts ten
// seconds with the working profile (from the start mark, else the playing
// position, else a tenth into the file) on PreviewMaker's thread, with a
// progress bar and Cancel, then plays the result looped in the picture area
// with its size and rate and the expected size of the chosen part. The
// transport buttons and keys then act on the result; "Back to source"
// removes it and shows the source again where it was.
//
// Keys, acting like the buttons: Space plays and pauses, I marks the start,
// O the end, Left and Right step a second (also before Play), Home and End
// go to the bounds.

#include "GrowingLayout.h"
#include "PreviewMaker.h"
#include "SplitTracker.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <atomic>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kiv {

class CButtonST;
class CRangeSlider;
class VideoArea;

// Where the Split dialog stands: the chosen part, what plays, which marks
// are set. The dialog's one record of it; GUI thread.
struct SplitState {
    double start = 0; // the chosen part, in seconds
    double end = 0;
    bool playing = false; // from Play until Stop, a result or the end
    bool paused = false;
    bool startMarked = false;
    bool endMarked = false;     // only with the start
    bool needsReopen = false;   // after Stop: Play opens the file again
    bool showingResult = false; // the converted result plays in the picture

    // The start, or after Mark start the end, follows playback.
    bool Tracking() const { return playing && !(startMarked && endMarked); }
};

class CSplitDlg : public QDialog {
    Q_OBJECT

public:
    // Seconds moved by "Previous" and "Next", and by the Left and Right keys.
    static constexpr double kStepSeconds = 15.0;
    static constexpr double kKeyStepSeconds = 1.0;

    CSplitDlg(QWidget* parent, int durationSeconds, const QString& path);
    ~CSplitDlg() override;

    // The file's length as the list shows it (rounded, where the duration
    // given is cut): an end at the file's end shows so. 0: the duration.
    void SetShownLength(int seconds) { shownLength_ = seconds; }
    // Offers "Preview result" for this source; without it the button stays
    // disabled.
    void SetPreviewSource(const PreviewSource& source);

    // The keys the dialog takes, wherever the focus is.
    static QList<QKeySequence> Keys();

    const SplitState& State() const { return state_; }
    // The chosen part; meaningful to the caller after an accepted end.
    double StartSeconds() const { return state_.start; }
    double EndSeconds() const { return state_.end; }

    bool IsPlaying() const { return state_.playing; }
    bool IsPaused() const { return state_.paused; }
    bool IsStartMarked() const { return state_.startMarked; }
    bool IsEndMarked() const { return state_.endMarked; }
    bool IsTrackerRunning() const { return tracker_.IsRunning(); }
    unsigned long long TrackerPolls() const { return tracker_.Polls(); }
    // A converted result is being made, or is playing.
    bool IsMakingResult() const { return maker_->IsRunning(); }
    bool IsShowingResult() const { return state_.showingResult; }
    const SampleResult& Result() const { return maker_->Result(); }

public slots:
    void onPlay();
    void onStop();
    void onBegin();
    void onPrevious();
    void onNext();
    void onEnd();
    void onMarkStart();
    void onMarkEnd();
    void onClearMark();
    void onRangeChanged(int code);
    void onOk();
    // Space: plays when not playing or paused, pauses otherwise.
    void onPlayPause();
    // Left and Right: a second back or on, also before Play.
    void onStepBack();
    void onStepForward();
    // "Preview result", or "Back to source" while the result plays.
    void onPreview();
    void onCancelPreview();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    void Initialise();
    // True when the key was one of the dialog's own.
    bool HandleKey(const QKeyEvent& event);

    void OpenPlayer();
    void ClosePlayer();
    // Seeks the player by delta seconds from where it is, never before 0.
    void StepBy(double delta);
    void SeekTo(double seconds);
    // True while the last seek has not reached the player; seconds is the
    // position just read.
    bool IsSeekPending(double seconds);
    void ResetSelection();
    void ShowSelection();
    // Shows seconds in a time field, unless the user is typing there.
    void ShowTime(QLineEdit* field, double seconds);
    // The selection onto the slider, without taking it as the user's move.
    void ShowOnSlider();
    // A thumb the user moved while nothing plays (code: which ends moved).
    void KeepMovedThumb(int code);
    // The time typed into a time field becomes that mark.
    void ApplyTypedTime(QLineEdit* field);
    // After what plays or the marks changed: the worker looks again at
    // whether to track, and positions it read before now are dropped.
    void StateChanged();
    // The tracking worker's poll.
    void PollPosition();
    // A position read by the worker, applied on the GUI thread.
    void ApplyPosition(std::uint64_t phase, double seconds);
    // The current position when it can be read (the target of a seek not
    // done yet).
    bool CurrentPosition(double& seconds);
    double ClampToRange(double seconds) const;

    // SplitDlgPreview.cpp
    void CreatePreviewControls();
    // Where the preview starts, in whole seconds.
    int PreviewStartSeconds();
    void OnPreviewProgress(int percent);
    void OnPreviewFinished(bool made, const QString& reason);
    void ShowResult();
    void LeaveResult();
    // The controls that edit the selection are off while the result plays.
    void EnableSelectionControls(bool enable);
    void SetPreviewRunning(bool running);
    void ShowPreviewInfo(const QString& text);

    const int durationSeconds_;
    int shownLength_ = 0;
    QByteArray fileName_;
    const double rangeMin_ = 0;
    double rangeMax_ = 0;

    SplitState state_;
    // What the tracking worker reads: whether to track (the state's
    // Tracking, as of the last StateChanged) and the phase it read in.
    std::atomic<bool> tracking_{false};
    std::atomic<std::uint64_t> phase_{0};

    // The last seek asked for, until the player reports a position there.
    static constexpr double kSeekTolerance = 0.05;
    static constexpr double kResultEndMargin = 0.5;
    static constexpr double kPlayedSinceSeek = 1.0;
    static constexpr int kSeekWaitMs = 1000;
    std::optional<double> seekTarget_;
    QElapsedTimer seekClock_;

    // The dialog opened the player; written by the GUI thread under the
    // tracker's player lock, read by the worker under it.
    bool playerOpen_ = false;
    bool initialised_ = false;
    bool adjustingSlider_ = false;
    std::optional<PreviewSource> previewSource_;
    double returnPosition_ = 0; // where the source was when the result came

    VideoArea* picture_ = nullptr;
    CRangeSlider* slider_ = nullptr;
    CButtonST* play_ = nullptr;
    CButtonST* stop_ = nullptr;
    CButtonST* begin_ = nullptr;
    CButtonST* previous_ = nullptr;
    CButtonST* next_ = nullptr;
    CButtonST* end_ = nullptr;
    CButtonST* markStart_ = nullptr;
    CButtonST* markEnd_ = nullptr;
    CButtonST* clearMark_ = nullptr;
    QLineEdit* startTime_ = nullptr;
    QLineEdit* endTime_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* preview_ = nullptr;
    QProgressBar* previewProgress_ = nullptr;
    QPushButton* cancelPreview_ = nullptr;
    QLabel* previewInfo_ = nullptr;
    PreviewMaker* maker_ = nullptr;
    GrowingLayout layout_;

    // Last member: its thread ends before the members above go.
    SplitTracker tracker_;
};

// Runs the dialog for one file. On OK gives the chosen start and end in
// whole seconds (cut towards zero) and returns true; otherwise returns false
// and leaves both untouched.
// With a preview source, "Preview result" is offered, and pressed at once
// when previewAtOnce is true. shownSeconds: see SetShownLength.
bool ChooseSplitRange(QWidget* parent, int durationSeconds, const QString& path, int& startSeconds,
                      int& endSeconds, const PreviewSource* preview = nullptr,
                      bool previewAtOnce = false, int shownSeconds = 0);

} // namespace kiv

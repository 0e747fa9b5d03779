#include "SplitDlg.h"

#include "CButtonST.h"
#include "CRangeSlider.h"
#include "ClockText.h"
#include "GuiThread.h"
#include "MessageBoxes.h"
#include "PreviewPlayer.h"
#include "VideoArea.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

// Set while the dialog itself sets the slider.
class SliderGuard {
public:
    explicit SliderGuard(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~SliderGuard() { flag_ = was_; }
    SliderGuard(const SliderGuard&) = delete;
    SliderGuard& operator=(const SliderGuard&) = delete;

private:
    bool& flag_;
    const bool was_;
};

} // namespace

CSplitDlg::CSplitDlg(QWidget* parent, int durationSeconds, const QString& path)
    : QDialog(parent), durationSeconds_(std::max(durationSeconds, 0)),
      fileName_(path.toUtf8().left(PreviewPlayer::kMaxPathLength)),
      tracker_([this] { return IsTracking(); }, [this] { PollPosition(); }) {
    CreateControls();
    ConnectControls();
}

CSplitDlg::~CSplitDlg() {
    tracker_.Stop();
    if (playerOpen_)
        ClosePlayer();
}

void CSplitDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!initialised_) {
        initialised_ = true;
        Initialise();
    }
}

void CSplitDlg::Initialise() {
    rangeMax_ = durationSeconds_;
    {
        const SliderGuard guard(adjustingSlider_);
        slider_->SetBounds(rangeMin_, rangeMax_);
        slider_->SetSelection(rangeMin_, rangeMax_);
    }
    startTime_->setText(ClockText(0));
    endTime_->setText(ClockText(durationSeconds_));
    // The player is shared by the process: whatever it showed goes.
    PreviewPlayer::Instance().CloseIfOpen();
    if (!fileName_.isEmpty()) {
        OpenPlayer();
        PreviewPlayer::Instance().Seek(0);
    }
    double start = 0, end = 0;
    slider_->GetSelection(start, end);
    selectionStart_ = start;
    selectionEnd_ = end;
}

void CSplitDlg::OpenPlayer() {
    auto lock = tracker_.LockPlayer();
    PreviewPlayer::Instance().Open(fileName_.constData(), picture_);
    playerOpen_ = true;
    seekTarget_.reset();
}

void CSplitDlg::ClosePlayer() {
    auto lock = tracker_.LockPlayer();
    PreviewPlayer& player = PreviewPlayer::Instance();
    // Paused first, so not a moment more of sound plays while it unloads.
    player.Pause();
    player.CloseIfOpen();
    playerOpen_ = false;
    seekTarget_.reset();
}

bool CSplitDlg::CurrentPosition(double& seconds) {
    if (!playerOpen_ || !PreviewPlayer::Instance().GetPosition(seconds))
        return false;
    // Where a seek asked for goes, not where the player was before it.
    if (IsSeekPending(seconds))
        seconds = *seekTarget_;
    return true;
}

double CSplitDlg::ClampToRange(double seconds) const {
    return std::clamp(seconds, rangeMin_, rangeMax_);
}

void CSplitDlg::ResetSelection() {
    {
        const SliderGuard guard(adjustingSlider_);
        slider_->SetBounds(rangeMin_, rangeMax_);
        slider_->SetSelection(rangeMin_, rangeMax_);
    }
    double start = 0, end = 0;
    slider_->GetSelection(start, end);
    selectionStart_ = start;
    selectionEnd_ = end;
    ShowSelection();
}

void CSplitDlg::ShowSelection() {
    ShowTime(startTime_, selectionStart_);
    ShowTime(endTime_, selectionEnd_);
}

void CSplitDlg::ShowTime(QLineEdit* field, double seconds) {
    // What the user is typing stays until it is finished.
    if (field->hasFocus() && field->isModified())
        return;
    field->setText(ClockText(seconds));
}

void CSplitDlg::ShowOnSlider() {
    const SliderGuard guard(adjustingSlider_);
    slider_->SetSelection(selectionStart_, selectionEnd_);
}

void CSplitDlg::onPlay() {
    if (showingResult_) {
        paused_ = false;
        PreviewPlayer::Instance().Play();
        return;
    }
    if (needsReopen_) {
        if (!fileName_.isEmpty())
            OpenPlayer();
        if (!startMarked_)
            ResetSelection();
        else if (!endMarked_ && playerOpen_)
            SeekTo(selectionStart_); // the end follows playback from the start on
    }
    needsReopen_ = false;
    paused_ = false;
    if (playerOpen_)
        PreviewPlayer::Instance().Play();
    playing_ = true;
    NewPhase();
    tracker_.Start();
    tracker_.Wake();
}

void CSplitDlg::onPlayPause() {
    if (!(playing_ || showingResult_) || paused_) {
        onPlay();
        return;
    }
    if (playerOpen_)
        PreviewPlayer::Instance().Pause();
    paused_ = true;
}

void CSplitDlg::onStop() {
    if (showingResult_) {
        // The result stays: held at its start.
        PreviewPlayer::Instance().Pause();
        paused_ = true;
        SeekTo(0);
        return;
    }
    if (!playing_)
        return;
    ClosePlayer();
    playing_ = false;
    paused_ = false;
    needsReopen_ = true;
    if (!(startMarked_ && endMarked_)) {
        startMarked_ = false;
        endMarked_ = false;
    }
    NewPhase();
    tracker_.Wake();
}

void CSplitDlg::onBegin() {
    if (playerOpen_)
        SeekTo(rangeMin_);
}

void CSplitDlg::onEnd() {
    if (playerOpen_)
        SeekTo(rangeMax_);
}

void CSplitDlg::SeekTo(double seconds) {
    // The result is shorter than the source, and looped: a seek to its end
    // or past it would land back at its start (or nowhere), so it goes to
    // its last half second.
    if (double length = 0; showingResult_ && PreviewPlayer::Instance().GetDuration(length))
        seconds = std::min(seconds, std::max(length - kResultEndMargin, 0.0));
    if (!PreviewPlayer::Instance().Seek(seconds))
        return;
    seekTarget_ = std::max(seconds, rangeMin_);
    seekClock_.start();
}

bool CSplitDlg::IsSeekPending(double seconds) {
    if (!seekTarget_)
        return false;
    // Positions near the target (or after it, while playing) show the seek
    // is done; one that never comes stops being waited for.
    const bool arrived = seconds >= *seekTarget_ - kSeekTolerance &&
                         seconds <= *seekTarget_ + kSeekTolerance + kPlayedSinceSeek;
    if (arrived || seekClock_.hasExpired(kSeekWaitMs))
        seekTarget_.reset();
    return seekTarget_.has_value();
}

void CSplitDlg::StepBy(double delta) {
    // Also before Play and while paused: the picture shows where it went.
    if (!playerOpen_)
        return;
    double position = 0;
    CurrentPosition(position);
    // The player takes no position before the start of the file.
    SeekTo(std::max(position + delta, rangeMin_));
}

void CSplitDlg::onPrevious() {
    StepBy(-kStepSeconds);
}

void CSplitDlg::onNext() {
    StepBy(kStepSeconds);
}

void CSplitDlg::onMarkStart() {
    if (showingResult_)
        return;
    // While playing, the start is where the player is now rather than
    // where the last tracking step left it.
    double position = 0;
    if (playing_ && !startMarked_ && CurrentPosition(position)) {
        selectionStart_ = ClampToRange(position);
        ShowOnSlider();
        ShowSelection();
    }
    startMarked_ = true;
    NewPhase();
    tracker_.Wake();
}

void CSplitDlg::onMarkEnd() {
    if (!startMarked_ || showingResult_)
        return;
    double position = 0;
    if (playing_ && !endMarked_ && CurrentPosition(position)) {
        selectionEnd_ = ClampToRange(position);
        ShowOnSlider();
        ShowSelection();
    }
    endMarked_ = true;
    NewPhase();
    tracker_.Wake();
}

void CSplitDlg::onClearMark() {
    if (showingResult_)
        return;
    if (startMarked_ && endMarked_) {
        ResetSelection();
        startMarked_ = false;
        endMarked_ = false;
        tracker_.Start();
    } else if (startMarked_) {
        startMarked_ = false;
        endMarked_ = false;
        selectionEnd_ = rangeMax_;
        ShowOnSlider();
        ShowSelection();
    } else {
        return;
    }
    NewPhase();
    tracker_.Wake();
}

void CSplitDlg::onRangeChanged(int code) {
    // The dialog's own settings of the slider hold values it knows already.
    if (adjustingSlider_ || showingResult_)
        return;
    if (!playing_) {
        KeepMovedThumb(code);
        return;
    }
    double start = 0, end = 0;
    slider_->GetSelection(start, end);
    selectionStart_ = start;
    selectionEnd_ = end;
    if (!startMarked_)
        ShowTime(startTime_, start);
    if (!endMarked_)
        ShowTime(endTime_, end);
    // Positions read before the move would pull the thumb back.
    NewPhase();
    if (!playerOpen_)
        return;
    if (!startMarked_)
        SeekTo(start);
    else if (!endMarked_)
        SeekTo(end);
}

void CSplitDlg::KeepMovedThumb(int code) {
    // Nothing plays, so nothing would move the thumb again: what the user
    // put there is the mark. An end is only kept with a start.
    double start = 0, end = 0;
    slider_->GetSelection(start, end);
    selectionStart_ = start;
    selectionEnd_ = end;
    startMarked_ = true;
    if (code != LeftChanged)
        endMarked_ = true;
    ShowSelection();
    NewPhase();
    tracker_.Wake();
    // The picture shows the point chosen.
    if (playerOpen_)
        SeekTo(code == RightChanged ? end : start);
}

void CSplitDlg::ApplyTypedTime(QLineEdit* field) {
    const std::optional<int> typed = ReadClockText(field->text());
    field->setModified(false);
    if (!typed) {
        ShowSelection(); // back to what holds
        return;
    }
    const double seconds = ClampToRange(*typed);
    if (field == startTime_) {
        selectionStart_ = seconds;
        startMarked_ = true;
    } else {
        selectionEnd_ = seconds;
        startMarked_ = true;
        endMarked_ = true;
    }
    ShowOnSlider();
    ShowSelection();
    NewPhase();
    tracker_.Wake();
    if (playerOpen_)
        SeekTo(seconds);
}

void CSplitDlg::onOk() {
    // Whole seconds are what the caller keeps: they must give a clip.
    if (std::trunc(selectionEnd_) <= std::trunc(selectionStart_)) {
        ShowMessage(this, QStringLiteral("Warning"),
                    QStringLiteral("The end must be after the start."), MessageIcon::Warning);
        return;
    }
    accept();
}

void CSplitDlg::done(int result) {
    // However the dialog ends (OK, Escape, the close box), the worker ends
    // and the player closes: nothing goes on playing from a dialog no one
    // sees.
    playing_ = false;
    paused_ = false;
    tracker_.Stop();
    if (playerOpen_)
        ClosePlayer();
    // No result outlives the dialog: one being made is stopped (its file
    // goes when it has stopped), one made is removed.
    showingResult_ = false;
    maker_->Cancel();
    maker_->Discard();
    QDialog::done(result);
}

bool CSplitDlg::IsTracking() const {
    return playing_ && !(startMarked_ && endMarked_);
}

void CSplitDlg::PollPosition() {
    // Runs on the tracking worker with the player lock held.
    if (!playerOpen_)
        return;
    const std::uint64_t phase = phase_;
    double seconds = 0;
    if (!PreviewPlayer::Instance().GetPosition(seconds))
        return;
    PostToGui(this, [this, phase, seconds] { ApplyPosition(phase, seconds); });
}

void CSplitDlg::ApplyPosition(std::uint64_t phase, double seconds) {
    // Dropped when the state changed after the reading, while the user
    // drags a thumb, and while a seek asked for is not done yet (the old
    // position would pull the thumb back for a moment).
    if (phase != phase_ || !IsTracking() || slider_->IsDragging() || IsSeekPending(seconds))
        return;
    seconds = ClampToRange(seconds);
    if (!startMarked_)
        selectionStart_ = seconds;
    else
        selectionEnd_ = seconds;
    ShowOnSlider();
    ShowSelection();
}

bool CSplitDlg::HandleKey(const QKeyEvent& event) {
    if ((event.modifiers() | Qt::KeypadModifier) != Qt::KeypadModifier)
        return false;
    switch (event.key()) {
    case Qt::Key_Space:
        onPlayPause();
        return true;
    case Qt::Key_I:
        onMarkStart();
        return true;
    case Qt::Key_O:
        onMarkEnd();
        return true;
    case Qt::Key_Left:
        StepBy(-kKeyStepSeconds);
        return true;
    case Qt::Key_Right:
        StepBy(kKeyStepSeconds);
        return true;
    case Qt::Key_Home:
        onBegin();
        return true;
    case Qt::Key_End:
        onEnd();
        return true;
    default:
        return false;
    }
}

void CSplitDlg::keyPressEvent(QKeyEvent* event) {
    if (HandleKey(*event))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

bool CSplitDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == startTime_ || watched == endTime_) {
        // Enter takes the typed time rather than pressing OK; every other
        // key edits the text.
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            ApplyTypedTime(static_cast<QLineEdit*>(watched));
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (HandleKey(key))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool ChooseSplitRange(QWidget* parent, int durationSeconds, const QString& path, int& startSeconds,
                      int& endSeconds, const PreviewSource* preview, bool previewAtOnce) {
    CSplitDlg dlg(parent, durationSeconds, path);
    if (preview) {
        dlg.SetPreviewSource(*preview);
        if (previewAtOnce) // once the dialog shows the source
            QMetaObject::invokeMethod(&dlg, &CSplitDlg::onPreview, Qt::QueuedConnection);
    }
    if (dlg.exec() != QDialog::Accepted)
        return false;
    startSeconds = static_cast<int>(dlg.StartSeconds());
    endSeconds = static_cast<int>(dlg.EndSeconds());
    return true;
}

} // namespace kiv

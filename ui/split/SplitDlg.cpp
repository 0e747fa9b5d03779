#include "SplitDlg.h"

#include "CButtonST.h"
#include "CRangeSlider.h"
#include "ClockText.h"
#include "GuiThread.h"
#include "MessageBoxes.h"
#include "PreviewPlayer.h"
#include "VideoArea.h"
#include "WindowPlaces.h"

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
      tracker_([this] { return tracking_.load(); }, [this] { PollPosition(); }) {
    CreateControls();
    ConnectControls();
    // Where the user left it, at the size they gave it.
    restoreGeometry(SavedWindowGeometry("Split"));
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

void CSplitDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layout_.Place(minimumSize(), size());
}

void CSplitDlg::Initialise() {
    rangeMax_ = durationSeconds_;
    {
        const SliderGuard guard(adjustingSlider_);
        slider_->SetBounds(rangeMin_, rangeMax_);
        slider_->SetSelection(rangeMin_, rangeMax_);
    }
    startTime_->setText(ClockText(0));
    ShowTime(endTime_, rangeMax_);
    // The player is shared by the process: whatever it showed goes.
    PreviewPlayer::Instance().CloseIfOpen();
    if (!fileName_.isEmpty()) {
        OpenPlayer();
        SeekTo(0); // the first picture, also for keys pressed before it shows
    }
    double start = 0, end = 0;
    slider_->GetSelection(start, end);
    state_.start = start;
    state_.end = end;
    // The dialog's keys work at once: the keyboard starts on Play, not on
    // the slider, which keeps the arrow keys for itself.
    play_->setFocus(Qt::OtherFocusReason);
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
    if (!playerOpen_)
        return false;
    if (!PreviewPlayer::Instance().GetPosition(seconds)) {
        // Still loading: the picture goes where the last seek asked for.
        if (!seekTarget_)
            return false;
        seconds = *seekTarget_;
        return true;
    }
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
    state_.start = start;
    state_.end = end;
    ShowSelection();
}

void CSplitDlg::ShowSelection() {
    ShowTime(startTime_, state_.start);
    ShowTime(endTime_, state_.end);
}

void CSplitDlg::ShowTime(QLineEdit* field, double seconds) {
    // What the user is typing stays until it is finished.
    if (field->hasFocus() && field->isModified())
        return;
    // The file's end shows as long as the list shows the file.
    if (field == endTime_ && shownLength_ > 0 && seconds >= rangeMax_)
        seconds = shownLength_;
    field->setText(ClockText(seconds));
}

void CSplitDlg::ShowOnSlider() {
    const SliderGuard guard(adjustingSlider_);
    slider_->SetSelection(state_.start, state_.end);
}

void CSplitDlg::onPlay() {
    if (state_.showingResult) {
        state_.paused = false;
        PreviewPlayer::Instance().Play();
        return;
    }
    if (state_.needsReopen) {
        if (!fileName_.isEmpty())
            OpenPlayer();
        if (!state_.startMarked)
            ResetSelection();
        else if (!state_.endMarked && playerOpen_)
            SeekTo(state_.start); // the end follows playback from the start on
    }
    state_.needsReopen = false;
    state_.paused = false;
    if (playerOpen_)
        PreviewPlayer::Instance().Play();
    state_.playing = true;
    StateChanged();
    tracker_.Start();
    tracker_.Wake();
}

void CSplitDlg::onPlayPause() {
    if (!(state_.playing || state_.showingResult) || state_.paused) {
        onPlay();
        return;
    }
    if (playerOpen_)
        PreviewPlayer::Instance().Pause();
    state_.paused = true;
}

void CSplitDlg::onStop() {
    if (state_.showingResult) {
        // The result stays: held at its start.
        PreviewPlayer::Instance().Pause();
        state_.paused = true;
        SeekTo(0);
        return;
    }
    if (!state_.playing)
        return;
    ClosePlayer();
    state_.playing = false;
    state_.paused = false;
    state_.needsReopen = true;
    if (!(state_.startMarked && state_.endMarked)) {
        state_.startMarked = false;
        state_.endMarked = false;
    }
    StateChanged();
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
    if (double length = 0; state_.showingResult && PreviewPlayer::Instance().GetDuration(length))
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
    if (state_.showingResult)
        return;
    // The start is where the picture is: while playing, where the player is
    // now rather than where the last tracking step left it; before Play,
    // where the keys or a seek took the picture.
    double position = 0;
    if (!state_.startMarked && CurrentPosition(position)) {
        state_.start = ClampToRange(position);
        ShowOnSlider();
        ShowSelection();
    }
    state_.startMarked = true;
    StateChanged();
}

void CSplitDlg::onMarkEnd() {
    if (!state_.startMarked || state_.showingResult)
        return;
    double position = 0;
    if (!state_.endMarked && CurrentPosition(position)) {
        state_.end = ClampToRange(position);
        ShowOnSlider();
        ShowSelection();
    }
    state_.endMarked = true;
    StateChanged();
}

void CSplitDlg::onClearMark() {
    if (state_.showingResult)
        return;
    if (state_.startMarked && state_.endMarked) {
        ResetSelection();
        state_.startMarked = false;
        state_.endMarked = false;
        tracker_.Start();
    } else if (state_.startMarked) {
        state_.startMarked = false;
        state_.endMarked = false;
        state_.end = rangeMax_;
        ShowOnSlider();
        ShowSelection();
    } else {
        return;
    }
    StateChanged();
}

void CSplitDlg::onRangeChanged(int code) {
    // The dialog's own settings of the slider hold values it knows already.
    if (adjustingSlider_ || state_.showingResult)
        return;
    if (!state_.playing) {
        KeepMovedThumb(code);
        return;
    }
    double start = 0, end = 0;
    slider_->GetSelection(start, end);
    state_.start = start;
    state_.end = end;
    if (!state_.startMarked)
        ShowTime(startTime_, start);
    if (!state_.endMarked)
        ShowTime(endTime_, end);
    // Positions read before the move would pull the thumb back.
    StateChanged();
    if (!playerOpen_)
        return;
    if (!state_.startMarked)
        SeekTo(start);
    else if (!state_.endMarked)
        SeekTo(end);
}

void CSplitDlg::KeepMovedThumb(int code) {
    // Nothing plays, so nothing would move the thumb again: what the user
    // put there is the mark. An end is only kept with a start.
    double start = 0, end = 0;
    slider_->GetSelection(start, end);
    state_.start = start;
    state_.end = end;
    state_.startMarked = true;
    if (code != LeftChanged)
        state_.endMarked = true;
    ShowSelection();
    StateChanged();
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
        state_.start = seconds;
        state_.startMarked = true;
    } else {
        state_.end = seconds;
        state_.startMarked = true;
        state_.endMarked = true;
    }
    ShowOnSlider();
    ShowSelection();
    StateChanged();
    if (playerOpen_)
        SeekTo(seconds);
}

void CSplitDlg::onOk() {
    // Whole seconds are what the caller keeps: they must give a clip.
    if (std::trunc(state_.end) <= std::trunc(state_.start)) {
        ShowMessage(this, tr("Warning"), tr("The end must be after the start."),
                    MessageIcon::Warning);
        return;
    }
    accept();
}

void CSplitDlg::done(int result) {
    // However the dialog ends (OK, Escape, the close box), the worker ends
    // and the player closes: nothing goes on playing from a dialog no one
    // sees.
    state_.playing = false;
    state_.paused = false;
    tracking_ = false;
    tracker_.Stop();
    if (playerOpen_)
        ClosePlayer();
    // No result outlives the dialog: one being made is stopped (its file
    // goes when it has stopped), one made is removed.
    state_.showingResult = false;
    maker_->Cancel();
    maker_->Discard();
    SaveWindowGeometry("Split", saveGeometry());
    QDialog::done(result);
}

void CSplitDlg::StateChanged() {
    tracking_ = state_.Tracking();
    ++phase_;
    tracker_.Wake();
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
    if (phase != phase_ || !state_.Tracking() || slider_->IsDragging() || IsSeekPending(seconds))
        return;
    seconds = ClampToRange(seconds);
    if (!state_.startMarked)
        state_.start = seconds;
    else
        state_.end = seconds;
    ShowOnSlider();
    ShowSelection();
}

void CSplitDlg::onStepBack() {
    StepBy(-kKeyStepSeconds);
}

void CSplitDlg::onStepForward() {
    StepBy(kKeyStepSeconds);
}

namespace {

// The dialog's keys, each acting like its button; Left and Right step a
// second.
struct SplitKey {
    Qt::Key key;
    void (CSplitDlg::*command)();
};

constexpr SplitKey kSplitKeys[] = {
    {Qt::Key_Space, &CSplitDlg::onPlayPause},   {Qt::Key_I, &CSplitDlg::onMarkStart},
    {Qt::Key_O, &CSplitDlg::onMarkEnd},         {Qt::Key_Left, &CSplitDlg::onStepBack},
    {Qt::Key_Right, &CSplitDlg::onStepForward}, {Qt::Key_Home, &CSplitDlg::onBegin},
    {Qt::Key_End, &CSplitDlg::onEnd},
};

} // namespace

QList<QKeySequence> CSplitDlg::Keys() {
    QList<QKeySequence> keys;
    for (const SplitKey& k : kSplitKeys)
        keys << QKeySequence(k.key);
    return keys;
}

bool CSplitDlg::HandleKey(const QKeyEvent& event) {
    if ((event.modifiers() | Qt::KeypadModifier) != Qt::KeypadModifier)
        return false;
    for (const SplitKey& k : kSplitKeys) {
        if (event.key() == k.key) {
            (this->*k.command)();
            return true;
        }
    }
    return false;
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
                      int& endSeconds, const PreviewSource* preview, bool previewAtOnce,
                      int shownSeconds) {
    CSplitDlg dlg(parent, durationSeconds, path);
    dlg.SetShownLength(shownSeconds);
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

// The Split dialog's result preview: its controls, the start of a sample,
// and the switch between the source and the converted result.

#include "CButtonST.h"
#include "CRangeSlider.h"
#include "ClockText.h"
#include "DialogUnits.h"
#include "FittedText.h"
#include "PreviewPlayer.h"
#include "SplitDlg.h"
#include "SplitIcons.h"
#include "VideoArea.h"
#include "runs/JobBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

QString PreviewText() {
    return CSplitDlg::tr("Preview result");
}

QString BackText() {
    return CSplitDlg::tr("Back to source");
}

// The button's caption and name; a caption longer than its place (in some
// languages) gets a narrower or smaller face instead of losing its end.
void ShowPreviewCaption(QPushButton* button, const QString& text) {
    button->setText(text);
    button->setAccessibleName(text);
    button->setFont(QFont());
    FitTextsToWidths({button});
}

// The preview begins this far into a file when nothing else says where.
constexpr double kDefaultStartShare = 0.1;

} // namespace

void CSplitDlg::CreatePreviewControls() {
    preview_ = new QPushButton(PreviewText(), this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setGeometry(DluRect(4, 180, 68, 14));
    preview_->setIcon(RenderSplitPicture("preview", QSize(16, 16)));
    preview_->setAutoDefault(false);
    ShowPreviewCaption(preview_, PreviewText());
    preview_->setToolTip(tr("Convert ten seconds with the chosen profile and play the result"));
    preview_->setEnabled(false);

    previewProgress_ = new QProgressBar(this);
    previewProgress_->setObjectName(QStringLiteral("previewProgress"));
    previewProgress_->setGeometry(DluRect(76, 182, 34, 10));
    previewProgress_->setRange(0, 100);
    previewProgress_->setTextVisible(false);
    previewProgress_->setAccessibleName(tr("Preview progress"));
    previewProgress_->hide();

    cancelPreview_ = new QPushButton(tr("Cancel"), this);
    cancelPreview_->setObjectName(QStringLiteral("cancelPreview"));
    cancelPreview_->setGeometry(DluRect(112, 180, 30, 14));
    cancelPreview_->setAutoDefault(false);
    cancelPreview_->setAccessibleName(tr("Cancel preview"));
    cancelPreview_->hide();

    previewInfo_ = new QLabel(this);
    previewInfo_->setObjectName(QStringLiteral("previewInfo"));
    previewInfo_->setGeometry(DluRect(4, 196, 138, 28)); // three lines
    previewInfo_->setWordWrap(true);
    previewInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    previewInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    previewInfo_->setAccessibleName(tr("Preview"));

    layout_.Add(preview_, Follow::MoveDown);
    layout_.Add(previewProgress_, Follow::MoveDown);
    layout_.Add(cancelPreview_, Follow::MoveDown);
    layout_.Add(previewInfo_, Follow::MoveDown | Follow::Widen);

    maker_ = new PreviewMaker(this);
    connect(preview_, &QPushButton::clicked, this, &CSplitDlg::onPreview);
    connect(cancelPreview_, &QPushButton::clicked, this, &CSplitDlg::onCancelPreview);
    connect(maker_, &PreviewMaker::progress, this, &CSplitDlg::OnPreviewProgress);
    connect(maker_, &PreviewMaker::finished, this, &CSplitDlg::OnPreviewFinished);
}

void CSplitDlg::SetPreviewSource(const PreviewSource& source) {
    previewSource_ = source;
    preview_->setEnabled(!maker_->IsRunning());
}

int CSplitDlg::PreviewStartSeconds() {
    double start = durationSeconds_ * kDefaultStartShare;
    double position = 0;
    if (state_.startMarked)
        start = state_.start;
    else if (CurrentPosition(position) && position > 0)
        start = position;
    // Some seconds before the end at least, where the file is long enough.
    const int latest = std::max(durationSeconds_ - 1, 0);
    return std::clamp(static_cast<int>(start), 0, latest);
}

void CSplitDlg::onPreview() {
    if (state_.showingResult) {
        LeaveResult();
        return;
    }
    if (!previewSource_ || maker_->IsRunning())
        return;
    const int start = PreviewStartSeconds();
    const int length =
        std::clamp(durationSeconds_ - start, 1, static_cast<int>(PreviewMaker::kLengthSeconds));
    ShowPreviewInfo(QString());
    if (maker_->Start(*previewSource_, start, length))
        SetPreviewRunning(true);
}

void CSplitDlg::ShowPreviewInfo(const QString& text) {
    previewInfo_->setText(text);
    // A long reason may not fit the lines there are.
    previewInfo_->setToolTip(text);
    previewInfo_->setAccessibleDescription(text);
}

void CSplitDlg::onCancelPreview() {
    maker_->Cancel();
}

void CSplitDlg::SetPreviewRunning(bool running) {
    previewProgress_->setValue(0);
    previewProgress_->setVisible(running);
    cancelPreview_->setVisible(running);
    preview_->setEnabled(!running && previewSource_.has_value());
    if (running)
        cancelPreview_->setFocus();
}

void CSplitDlg::OnPreviewProgress(int percent) {
    previewProgress_->setValue(percent);
}

void CSplitDlg::OnPreviewFinished(bool made, const QString& reason) {
    const bool hadFocus = cancelPreview_->hasFocus();
    SetPreviewRunning(false);
    if (hadFocus)
        preview_->setFocus();
    if (!made) {
        const QString text =
            reason.isEmpty() ? tr("The preview was cancelled.") : tr("No preview: %1").arg(reason);
        ShowPreviewInfo(text);
        return;
    }
    ShowResult();
}

void CSplitDlg::ShowResult() {
    const SampleResult& sample = maker_->Result();
    // The chosen part as the caller keeps it: whole seconds. An untrimmed
    // end carries a second past the file's end, which converts to nothing.
    int partEnd = static_cast<int>(state_.end);
    if (const int fileSeconds = DisplayedDurationSeconds(previewSource_->job); fileSeconds > 0)
        partEnd = std::min(partEnd, fileSeconds);
    const int partSeconds = std::max(partEnd - static_cast<int>(state_.start), 0);
    const QString shape = sample.hasVideo
                              ? QStringLiteral("%1x%2").arg(sample.width).arg(sample.height)
                              : tr("sound only");
    // One line each for what the result is and what the whole will take;
    // a figure and its unit never part, nor does a unit at its slash.
    // The engine writes figures the C way; the user reads the locale's
    // decimal mark.
    const auto figure = [point = QLocale().decimalPoint()](const std::string& text) {
        return QString::fromStdString(text)
            .replace(QLatin1Char('.'), point)
            .replace(QLatin1Char(' '), QChar(0x00A0))
            .replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
    };
    const QString text =
        tr("Converted result: %1 at %2,\nabout %3 for %4")
            .arg(shape, figure(RateText(sample)),
                 figure(SizeText(ExpectedBytes({sample}, partSeconds))), ClockText(partSeconds));
    ShowPreviewInfo(text);

    // The source stops where it is; the result plays in its place, looped.
    double position = state_.start;
    CurrentPosition(position);
    returnPosition_ = position;
    state_.playing = false;
    state_.paused = false;
    StateChanged();
    ClosePlayer();
    {
        auto lock = tracker_.LockPlayer();
        PreviewPlayer::Instance().Open(sample.outputPath.c_str(), picture_,
                                       PreviewPlayer::Looping::On);
        playerOpen_ = true;
    }
    PreviewPlayer::Instance().Play();
    state_.showingResult = true;
    picture_->setAccessibleDescription(tr("Converted result"));
    ShowPreviewCaption(preview_, BackText());
    EnableSelectionControls(false);
}

void CSplitDlg::LeaveResult() {
    if (!state_.showingResult)
        return;
    ClosePlayer();
    state_.showingResult = false;
    maker_->Discard();
    picture_->setAccessibleDescription(QString());
    ShowPreviewCaption(preview_, PreviewText());
    EnableSelectionControls(true);
    // The source again, paused where it was.
    state_.needsReopen = false;
    if (!fileName_.isEmpty()) {
        OpenPlayer();
        SeekTo(returnPosition_);
    }
}

void CSplitDlg::EnableSelectionControls(bool enable) {
    for (QWidget* control : std::initializer_list<QWidget*>{slider_, markStart_, markEnd_,
                                                            clearMark_, startTime_, endTime_})
        control->setEnabled(enable);
}

} // namespace kiv

// What the media profile editor shows differently for today's formats:
// labels with the units of their numbers, a constant quality where the
// video is not made to a bit rate, and boxes a codec makes meaningless
// disabled. The older kinds keep their labels and states untouched.

#include "EditorDlg.h"

#include "CodecTable.h"
#include "TargetKind.h"

#include <QComboBox>
#include <QLabel>

namespace kiv {

namespace {

struct KindLabels {
    const char* frameRate;
    const char* videoRate;
    const char* frameSize;
    const char* audioBitrate;
    const char* sampleRate;
};

constexpr KindLabels kClassicLabels = {QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Frame Rate:"),
                                       QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Bitrate:"),
                                       QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Width/Height:"),
                                       QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Bitrate:"),
                                       QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Sample Rate:")};
// A size of today's formats is a box the picture is fitted into.
constexpr KindLabels kTodayLabels = {QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Frame Rate (fps):"),
                                     QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Bitrate (kb/s):"),
                                     QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Fit Within (px):"),
                                     QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Bitrate (kb/s):"),
                                     QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Rate (Hz):")};
constexpr const char* kQualityLabel = QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Quality (RF):");

// Codecs whose bit rate is not the user's to choose (lossless, a copy).
bool TakesNoBitrate(const QString& codec) {
    const CodecRow* row = FindListedCodec(CodecMedia::Audio, codec.toStdString());
    return row && !row->takesBitrate;
}

} // namespace

void CEditorDlg::ShowKindLabels() {
    bool today = IsModernKind(targetKind_);
    const KindLabels& labels = today ? kTodayLabels : kClassicLabels;
    const char* videoRate =
        EncodesAtConstantQuality(targetKind_) ? kQualityLabel : labels.videoRate;
    const std::pair<QLabel*, const char*> texts[] = {{frameRateLabel_, labels.frameRate},
                                                     {videoBitrateLabel_, videoRate},
                                                     {frameSizeLabel_, labels.frameSize},
                                                     {audioBitrateLabel_, labels.audioBitrate},
                                                     {sampleRateLabel_, labels.sampleRate}};
    for (const auto& [label, text] : texts) {
        SetFittedText(label, tr(text));
        NameAfterLabel(label->buddy(), label->text());
    }
    videoBitrate_->setToolTip(EncodesAtConstantQuality(targetKind_)
                                  ? tr("Constant quality, as HandBrake's RF: a lower number "
                                       "keeps more detail and makes a bigger file")
                                  : QString());
}

void CEditorDlg::UpdateModernStates() {
    bool video = targetKind_ != KindNumber(kiv::TargetKind::ModernAudio);
    bool encodeVideo = video && videoCodec_->currentText() != QLatin1String("copy");
    videoCodec_->setEnabled(video);
    for (QComboBox* combo : {frameRate_, videoBitrate_, frameSize_, aspect_})
        combo->setEnabled(encodeVideo);
    QString audio = audioCodec_->currentText();
    bool encodeAudio = audio != QLatin1String("copy");
    channels_->setEnabled(encodeAudio);
    sampleRate_->setEnabled(encodeAudio);
    audioBitrate_->setEnabled(!TakesNoBitrate(audio));
}

} // namespace kiv

#include "EditorDlg.h"

#include "Catalogue.h"
#include "FixedText.h"
#include "Vocabularies.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>

#include <array>

namespace kiv {

namespace {

const QString kProfileSuffix = QStringLiteral(" Profile:");

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Appends the list and selects the first entry equal to text; no entry
// selected when none is equal.
void fillCombo(QComboBox* combo, TextList list, std::string_view text) {
    for (const char* entry : list)
        combo->addItem(QString::fromUtf8(entry));
    combo->setCurrentIndex(IndexOf(list, text));
}

// Selects the first entry equal to text, byte for byte; none when no entry is.
void selectExactly(QComboBox* combo, std::string_view text) {
    combo->setCurrentIndex(
        combo->findText(toQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

template <std::size_t N> void takeComboText(char (&field)[N], const QComboBox* combo) {
    // currentText() is empty when the box has no selection.
    SetText(field, combo->currentText().toUtf8().toStdString());
}

// Variants set by a video codec pick that matches no catalogue profile.
struct VariantRule {
    int kind;
    const char* codec;
    enum { Fixed, OpenedPlus } mode;
    int value;
};

constexpr std::array<VariantRule, 7> kVariantRules = {{
    {2, "msmpeg4", VariantRule::Fixed, 3},
    {2, "wmv1", VariantRule::Fixed, 1},
    {4, "mpeg4", VariantRule::OpenedPlus, -1},
    {4, "h264", VariantRule::OpenedPlus, 1},
    {7, "xvid", VariantRule::Fixed, 0},
    {8, "mpeg4", VariantRule::OpenedPlus, 1},
    {8, "h264", VariantRule::OpenedPlus, -1},
}};

// The first profile with the video codec in each category of the kind; the
// last category that has one wins.
bool findCatalogueProfile(int targetKind, std::string_view videoCodec, MediaProfile& out) {
    bool found = false;
    for (int c = 0; c < CategoryCount(); ++c) {
        const ProfileCategory* category = GetCategory(c);
        if (category->Target != targetKind)
            continue;
        for (int p = 0; p < category->ProfileCount; ++p) {
            if (GetText(category->Profiles[p].VideoCodec) == videoCodec) {
                out = category->Profiles[p];
                found = true;
                break;
            }
        }
    }
    return found;
}

} // namespace

CEditorDlg::CEditorDlg(QWidget* parent) : QDialog(parent) {
    setModal(true);
    createControls();
    connectControls();
}

void CEditorDlg::ShowProfile(const MediaProfile& p) {
    for (QComboBox* combo : {videoCodec_, audioCodec_, videoBitrate_, sampleRate_, audioBitrate_,
                             aspect_, frameRate_, frameSize_})
        combo->clear();
    variant_ = p.Variant;

    fillCombo(videoBitrate_, VideoBitrates(), GetText(p.VideoBitrate));
    fillCombo(audioBitrate_, AudioBitrates().first(kAudioBitrateChoices), GetText(p.AudioBitrate));
    fillCombo(sampleRate_, SampleRates(), GetText(p.SampleRate));
    fillCombo(aspect_, AspectRatios(), GetText(p.Aspect));
    fillCombo(frameRate_, FrameRates(), GetText(p.FrameRate));

    channels_->setCurrentIndex(
        p.ChannelIndex >= 0 && p.ChannelIndex < channels_->count() ? p.ChannelIndex : -1);
    volume_->setRange(0, 768);
    volume_->setValue(p.Volume);

    fillCombo(frameSize_, FrameSizes(), GetText(p.FrameSize));

    for (const ContainerCodecRow& row : ContainerCodecs()) {
        if (row.kind != targetKind_)
            continue;
        for (const char* codec : row.videoCodecs)
            videoCodec_->addItem(QString::fromUtf8(codec));
        for (const char* codec : row.audioCodecs)
            audioCodec_->addItem(QString::fromUtf8(codec));
    }
    selectExactly(videoCodec_, GetText(p.VideoCodec));
    selectExactly(audioCodec_, GetText(p.AudioCodec));

    setProfileLabel(p);
}

void CEditorDlg::TakeControlValues() {
    profile_.Variant = variant_;
    profile_.ChannelIndex = channels_->currentIndex();
    profile_.Volume = volume_->value();

    takeComboText(profile_.AudioBitrate, audioBitrate_);
    takeComboText(profile_.AudioCodec, audioCodec_);
    takeComboText(profile_.Aspect, aspect_);
    takeComboText(profile_.SampleRate, sampleRate_);
    takeComboText(profile_.FrameSize, frameSize_);
    takeComboText(profile_.VideoBitrate, videoBitrate_);
    takeComboText(profile_.VideoCodec, videoCodec_);
    takeComboText(profile_.FrameRate, frameRate_);

    QString label = profileLabel_->text();
    qsizetype end = label.indexOf(kProfileSuffix);
    SetText(profile_.ProfileName, end < 0 ? std::string() : label.left(end).toUtf8().toStdString());
}

void CEditorDlg::initialise() {
    openedProfile_ = profile_;
    ShowProfile(profile_);
    setProfileLabel(profile_);
}

void CEditorDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        initialise();
    }
    QDialog::showEvent(event);
}

void CEditorDlg::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            accept(); // the values are not taken
            return;
        }
    }
    QDialog::keyPressEvent(event); // Escape rejects
}

void CEditorDlg::onSave() {
    saved_ = 1;
    TakeControlValues();
}

void CEditorDlg::onClose() {
    TakeControlValues();
    accept();
}

void CEditorDlg::onReload() {
    ShowProfile(openedProfile_);
    profile_ = openedProfile_;
    variant_ = openedProfile_.Variant;
}

void CEditorDlg::OnVideoCodecChanged() {
    const std::string codec = videoCodec_->currentText().toUtf8().toStdString();
    if (targetKind_ != 4 && targetKind_ != 8) {
        MediaProfile found{};
        if (findCatalogueProfile(targetKind_, codec, found)) {
            ShowProfile(found);
            return;
        }
    }
    for (const VariantRule& rule : kVariantRules) {
        if (rule.kind == targetKind_ && codec == rule.codec) {
            variant_ =
                rule.mode == VariantRule::Fixed ? rule.value : openedProfile_.Variant + rule.value;
            return;
        }
    }
}

void CEditorDlg::OnAudioCodecChanged() {
    const bool lock = targetKind_ == 9 && audioCodec_->currentIndex() == 1;
    if (lock) {
        channels_->setCurrentIndex(0);
        audioBitrate_->setCurrentIndex(0);
        sampleRate_->setCurrentIndex(0);
    }
    setAudioDetailsEnabled(!lock);
}

void CEditorDlg::onVolumeReleased() {
    volumeLabel_->setText(QString::asprintf("Vol:%d%%", volume_->value() * 100 / 256));
}

void CEditorDlg::setProfileLabel(const MediaProfile& p) {
    profileLabel_->setText(toQString(GetText(p.ProfileName)) + kProfileSuffix);
}

void CEditorDlg::setAudioDetailsEnabled(bool enabled) {
    channels_->setEnabled(enabled);
    audioBitrate_->setEnabled(enabled);
    sampleRate_->setEnabled(enabled);
}

} // namespace kiv

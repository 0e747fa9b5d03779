#include "EditorDlg.h"

#include "Catalogue.h"
#include "FixedText.h"
#include "Vocabularies.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>

#include <QLocale>
#include <array>

namespace kiv {

namespace {

// Ends the label that shows the profile's name, which is read back from it.
QString ProfileSuffix() {
    return CEditorDlg::tr(" Profile:");
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Appends the list and selects the first entry equal to text; no entry
// selected when none is equal.
void FillCombo(QComboBox* combo, TextList list, std::string_view text) {
    for (const char* entry : list)
        combo->addItem(QString::fromUtf8(entry));
    combo->setCurrentIndex(IndexOf(list, text));
}

// Selects the first entry equal to text, byte for byte; none when no entry is.
void SelectExactly(QComboBox* combo, std::string_view text) {
    combo->setCurrentIndex(
        combo->findText(ToQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

template <std::size_t N> void TakeComboText(char (&field)[N], const QComboBox* combo) {
    // currentText() is empty when the box has no selection.
    SetText(field, combo->currentText().toUtf8().toStdString());
}

// Variants set by a video codec pick that matches no catalogue profile.
struct VariantRule {
    TargetKind kind;
    const char* codec;
    enum { Fixed, OpenedPlus } mode;
    int value;
};

constexpr std::array<VariantRule, 7> kVariantRules = {{
    {TargetKind::WindowsMedia, "msmpeg4", VariantRule::Fixed, 3},
    {TargetKind::WindowsMedia, "wmv1", VariantRule::Fixed, 1},
    {TargetKind::PortableMp4, "mpeg4", VariantRule::OpenedPlus, -1},
    {TargetKind::PortableMp4, "h264", VariantRule::OpenedPlus, 1},
    {TargetKind::QuickTime, "xvid", VariantRule::Fixed, 0},
    {TargetKind::Psp, "mpeg4", VariantRule::OpenedPlus, 1},
    {TargetKind::Psp, "h264", VariantRule::OpenedPlus, -1},
}};

// The first profile with the video codec in each category of the kind; the
// last category that has one wins.
bool FindCatalogueProfile(int targetKind, std::string_view videoCodec, MediaProfile& out) {
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
    CreateControls();
    ConnectControls();
}

void CEditorDlg::ShowProfile(const MediaProfile& p) {
    for (QComboBox* combo : {videoCodec_, audioCodec_, videoBitrate_, sampleRate_, audioBitrate_,
                             aspect_, frameRate_, frameSize_})
        combo->clear();
    variant_ = p.Variant;

    // Each list as the kind offers it: the older kinds see the entries they
    // always had, today's kinds a quality and the "Original" entries too.
    FillCombo(videoBitrate_, VideoRateChoices(targetKind_), GetText(p.VideoBitrate));
    FillCombo(audioBitrate_, AudioBitrateChoices(), GetText(p.AudioBitrate));
    FillCombo(sampleRate_, SampleRateChoices(targetKind_), GetText(p.SampleRate));
    FillCombo(aspect_, AspectRatios(), GetText(p.Aspect));
    FillCombo(frameRate_, FrameRateChoices(targetKind_), GetText(p.FrameRate));

    // The older kinds' two entries come with the dialog and stay; today's
    // kinds also offer the source's own channels.
    TextList channels = ChannelChoices(targetKind_);
    while (channels_->count() > static_cast<int>(channels.size()))
        channels_->removeItem(channels_->count() - 1);
    for (std::size_t i = static_cast<std::size_t>(channels_->count()); i < channels.size(); ++i)
        channels_->addItem(QString::fromUtf8(channels[i]));
    channels_->setCurrentIndex(
        p.ChannelIndex >= 0 && p.ChannelIndex < channels_->count() ? p.ChannelIndex : -1);
    volume_->setRange(0, 768);
    volume_->setValue(p.Volume);

    FillCombo(frameSize_, FrameSizeChoices(targetKind_), GetText(p.FrameSize));

    for (const ContainerCodecRow& row : ContainerCodecs()) {
        if (KindNumber(row.kind) != targetKind_)
            continue;
        for (const char* codec : row.videoCodecs)
            videoCodec_->addItem(QString::fromUtf8(codec));
        for (const char* codec : row.audioCodecs)
            audioCodec_->addItem(QString::fromUtf8(codec));
    }
    SelectExactly(videoCodec_, GetText(p.VideoCodec));
    SelectExactly(audioCodec_, GetText(p.AudioCodec));

    SetProfileLabel(p);
    ShowKindLabels();
    if (IsModernKind(targetKind_))
        UpdateModernStates();
}

void CEditorDlg::TakeControlValues() {
    profile_.Variant = variant_;
    profile_.ChannelIndex = channels_->currentIndex();
    profile_.Volume = volume_->value();

    TakeComboText(profile_.AudioBitrate, audioBitrate_);
    TakeComboText(profile_.AudioCodec, audioCodec_);
    TakeComboText(profile_.Aspect, aspect_);
    TakeComboText(profile_.SampleRate, sampleRate_);
    TakeComboText(profile_.FrameSize, frameSize_);
    TakeComboText(profile_.VideoBitrate, videoBitrate_);
    TakeComboText(profile_.VideoCodec, videoCodec_);
    TakeComboText(profile_.FrameRate, frameRate_);

    QString label = profileLabel_->text();
    qsizetype end = label.indexOf(ProfileSuffix());
    SetText(profile_.ProfileName, end < 0 ? std::string() : label.left(end).toUtf8().toStdString());
}

void CEditorDlg::Initialise() {
    openedProfile_ = profile_;
    ShowProfile(profile_);
    SetProfileLabel(profile_);
}

void CEditorDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        Initialise();
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
    // The MP4 and PSP kinds keep their values and move the variant instead.
    if (targetKind_ != KindNumber(kiv::TargetKind::PortableMp4) &&
        targetKind_ != KindNumber(kiv::TargetKind::Psp)) {
        MediaProfile found{};
        if (FindCatalogueProfile(targetKind_, codec, found)) {
            ShowProfile(found);
            return;
        }
    }
    for (const VariantRule& rule : kVariantRules) {
        if (KindNumber(rule.kind) == targetKind_ && codec == rule.codec) {
            variant_ =
                rule.mode == VariantRule::Fixed ? rule.value : openedProfile_.Variant + rule.value;
            return;
        }
    }
    if (IsModernKind(targetKind_))
        UpdateModernStates();
}

void CEditorDlg::OnAudioCodecChanged() {
    // "amr_nb" in the 3GP list takes only mono 12.2 kbit/s at 8000 Hz.
    const bool lock = targetKind_ == KindNumber(kiv::TargetKind::ThirdGenerationB) &&
                      audioCodec_->currentIndex() == 1;
    if (lock) {
        channels_->setCurrentIndex(0);
        audioBitrate_->setCurrentIndex(0);
        sampleRate_->setCurrentIndex(0);
    }
    SetAudioDetailsEnabled(!lock);
    if (IsModernKind(targetKind_))
        UpdateModernStates();
}

void CEditorDlg::onVolumeReleased() {
    volumeLabel_->setText(tr("Vol:%1%").arg(QLocale().toString(volume_->value() * 100 / 256)));
}

void CEditorDlg::SetProfileLabel(const MediaProfile& p) {
    profileLabel_->setText(ToQString(GetText(p.ProfileName)) + ProfileSuffix());
}

void CEditorDlg::SetAudioDetailsEnabled(bool enabled) {
    channels_->setEnabled(enabled);
    audioBitrate_->setEnabled(enabled);
    sampleRate_->setEnabled(enabled);
}

} // namespace kiv

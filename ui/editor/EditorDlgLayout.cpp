// Controls of the media profile editor, placed in dialog units.

#include "DialogUnits.h"
#include "EditorDlg.h"
#include "FittedText.h"

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSlider>

namespace kiv {

namespace {

constexpr int kDialogWidth = 274;
constexpr int kDialogHeight = 115;
constexpr int kComboWidth = 75;
constexpr int kComboHeight = 12;
constexpr int kTextHeight = 8;

// The dialog template's frame rates, replaced whenever a profile is shown.
constexpr const char* kTemplateFrameRates[] = {"10.00", "15.00", "20.00", "23.97",
                                               "24.00", "25.00", "29.97", "30.00"};

struct ComboPlace {
    const char* objectName;
    const char* label;
    int labelX;
    int x;
    int y;
};

// The labels sit left of their boxes, two units lower so the baselines meet.
constexpr ComboPlace kVideoCombos[] = {
    {"videoCodec", QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Video Codec:"), 7, 61, 23},
    {"frameRate", QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Frame Rate:"), 7, 61, 37},
    {"videoBitrate", QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Bitrate:"), 7, 61, 51},
    {"frameSize", QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Width/Height:"), 7, 61, 65},
    {"aspect", QT_TRANSLATE_NOOP("kiv::CEditorDlg", " Aspect:"), 7, 61, 79},
};
constexpr ComboPlace kAudioCombos[] = {
    {"audioCodec", QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Audio Codec:"), 145, 192, 22},
    {"channels", QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Channels:"), 145, 192, 37},
    {"audioBitrate", QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Bitrate:"), 145, 192, 51},
    {"sampleRate", QT_TRANSLATE_NOOP("kiv::CEditorDlg", "Sample Rate:"), 145, 192, 65},
};

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& rect) {
    auto* label = new QLabel(parent);
    label->setGeometry(rect);
    CEditorDlg::SetFittedText(label, text);
    return label;
}

QComboBox* MakeCombo(QWidget* parent, const ComboPlace& place, QLabel** madeLabel = nullptr) {
    QLabel* label =
        MakeLabel(parent, CEditorDlg::tr(place.label),
                  DluRect(place.labelX, place.y + 2, place.x - place.labelX - 1, kTextHeight));
    label->setObjectName(QString::fromLatin1(place.objectName) + QStringLiteral("Label"));
    if (madeLabel)
        *madeLabel = label;
    auto* combo = new QComboBox(parent);
    label->setBuddy(combo);
    CEditorDlg::NameAfterLabel(combo, label->text());
    combo->setObjectName(QString::fromLatin1(place.objectName));
    combo->setEditable(false);
    combo->setMaxVisibleItems(12);
    combo->setGeometry(DluRect(place.x, place.y, kComboWidth, kComboHeight));
    return combo;
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text, int x) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // Enter belongs to the dialog: no button becomes the default one.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(DluRect(x, 99, 31, 14));
    return button;
}

} // namespace

void CEditorDlg::SetFittedText(QLabel* label, const QString& text) {
    // The layout was made for a narrower font than most: a text that does
    // not fit its place gets a condensed face instead of losing its end.
    QFont font = label->font();
    font.setStretch(QFont::Unstretched);
    if (QFontMetrics(font).horizontalAdvance(text) > label->width())
        font.setStretch(QFont::Condensed);
    label->setFont(font);
    label->setText(text);
}

void CEditorDlg::NameAfterLabel(QWidget* control, const QString& labelText) {
    QString name = labelText.trimmed();
    // A colon ends the label in every language: ":", " :" or "：".
    if (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A)))
        name = name.chopped(1).trimmed();
    control->setAccessibleName(name);
}

void CEditorDlg::CreateControls() {
    setWindowTitle(tr("Media Profile Editor"));
    setFixedSize(DluToPixelsX(kDialogWidth), DluToPixelsY(kDialogHeight));
    // The dialog units above assume an 8-point dialog font.
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    // Group boxes first, so the controls drawn over them stay on top.
    auto* videoGroup = new QGroupBox(tr("Video Format"), this);
    videoGroup->setGeometry(DluRect(3, 14, 137, 81));
    auto* audioGroup = new QGroupBox(tr("Audio Format"), this);
    audioGroup->setGeometry(DluRect(143, 14, 128, 81));

    profileLabel_ = MakeLabel(this, QString(), DluRect(5, 4, 265, kTextHeight));
    profileLabel_->setObjectName(QStringLiteral("profileLabel"));

    videoCodec_ = MakeCombo(this, kVideoCombos[0]);
    frameRate_ = MakeCombo(this, kVideoCombos[1], &frameRateLabel_);
    videoBitrate_ = MakeCombo(this, kVideoCombos[2], &videoBitrateLabel_);
    frameSize_ = MakeCombo(this, kVideoCombos[3], &frameSizeLabel_);
    aspect_ = MakeCombo(this, kVideoCombos[4]);
    audioCodec_ = MakeCombo(this, kAudioCombos[0]);
    channels_ = MakeCombo(this, kAudioCombos[1]);
    audioBitrate_ = MakeCombo(this, kAudioCombos[2], &audioBitrateLabel_);
    sampleRate_ = MakeCombo(this, kAudioCombos[3], &sampleRateLabel_);

    channels_->addItem(tr("Mono"));
    channels_->addItem(tr("Stereo"));
    for (const char* rate : kTemplateFrameRates)
        frameRate_->addItem(QString::fromLatin1(rate));

    volumeLabel_ = MakeLabel(this, tr("Vol:%1%").arg(QLocale().toString(100)),
                             DluRect(145, 79, 44, kTextHeight));
    volumeLabel_->setObjectName(QStringLiteral("volumeLabel"));
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setObjectName(QStringLiteral("volume"));
    volume_->setGeometry(DluRect(190, 79, 77, 10));
    volume_->setRange(0, 768);

    save_ = MakeButton(this, "save", tr("Save"), 173);
    close_ = MakeButton(this, "close", tr("Close"), 206);
    reload_ = MakeButton(this, "reload", tr("Reload"), 239);
    // Longer words than English ("Speichern", "Enregistrer") keep their ends.
    FitTextsToWidths({save_, close_, reload_});
}

void CEditorDlg::ConnectControls() {
    connect(save_, &QPushButton::clicked, this, &CEditorDlg::onSave);
    connect(close_, &QPushButton::clicked, this, &CEditorDlg::onClose);
    connect(reload_, &QPushButton::clicked, this, &CEditorDlg::onReload);
    // Only the user's picks count, never changes made by ShowProfile.
    connect(videoCodec_, &QComboBox::activated, this, &CEditorDlg::OnVideoCodecChanged);
    connect(audioCodec_, &QComboBox::activated, this, &CEditorDlg::OnAudioCodecChanged);
    connect(volume_, &QSlider::sliderReleased, this, &CEditorDlg::onVolumeReleased);
}

} // namespace kiv

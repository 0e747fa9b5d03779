#include "ChoicesDlg.h"

#include "FixedText.h"
#include "Languages.h"
#include "Vocabularies.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

namespace kiv {

namespace {

constexpr int kBestQuality = 16;
constexpr int kSmallestQuality = 40;

QString Plain(QString label) {
    return label.remove(QLatin1Char('&')).remove(QLatin1Char(':'));
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items, int current) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    combo->setCurrentIndex(current >= 0 && current < combo->count() ? current : 0);
    return combo;
}

QLineEdit* MakeLanguages(QWidget* parent, const char* name, const char* codes) {
    auto* edit = new QLineEdit(QString::fromUtf8(codes), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setPlaceholderText(
        QObject::tr("the desktop's: %1")
            .arg(QString::fromStdString(LanguageListText(DesktopTrackLanguages()))));
    edit->setToolTip(QObject::tr("Languages in order, such as: de, eng, French"));
    return edit;
}

} // namespace

QString ChoicesDlg::QualityName(int quality) {
    if (quality <= 18)
        return tr("Best picture");
    if (quality <= 22)
        return tr("Better picture");
    if (quality <= 26)
        return tr("Balanced");
    if (quality <= 32)
        return tr("Smaller file");
    return tr("Smallest file");
}

ChoicesDlg::ChoicesDlg(int targetKind, const ProfileChoices& choices, const QString& quality,
                       QWidget* parent)
    : QDialog(parent), box_(choices.cropBox) {
    setWindowTitle(tr("Tracks, quality and filters"));
    auto* form = new QFormLayout(this);
    auto add = [this, form](const QString& label, QWidget* control, QWidget* field = nullptr) {
        control->setAccessibleName(Plain(label));
        auto* text = new QLabel(label, this);
        text->setBuddy(control);
        form->addRow(text, field ? field : control);
    };
    auto row = [this](QWidget* a, QWidget* b) {
        auto* both = new QWidget(this);
        auto* layout = new QHBoxLayout(both);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(a);
        layout->addWidget(b, 1);
        return both;
    };

    audioRule_ =
        MakeCombo(this, "audioRule", {tr("Every track"), tr("My languages:"), tr("The first only")},
                  choices.audioRule);
    audioLanguages_ = MakeLanguages(this, "audioLanguages", choices.audioLanguages);
    audioLanguages_->setAccessibleName(tr("Sound languages"));
    add(tr("&Sound:"), audioRule_, row(audioRule_, audioLanguages_));

    subtitleRule_ =
        MakeCombo(this, "subtitleRule",
                  {tr("Every subtitle"), tr("My languages:"), tr("None"),
                   tr("Burn in a forced one, else the first of:"), tr("Burn in track number:")},
                  choices.subtitleRule);
    subtitleLanguages_ = MakeLanguages(this, "subtitleLanguages", choices.subtitleLanguages);
    subtitleLanguages_->setAccessibleName(tr("Subtitle languages"));
    burnTrack_ = new QSpinBox(this);
    burnTrack_->setObjectName(QStringLiteral("burnTrack"));
    burnTrack_->setRange(1, 99);
    burnTrack_->setValue(std::max(choices.burnTrack, 1));
    burnTrack_->setAccessibleName(tr("Subtitle track to burn in"));
    auto* subtitleRow = row(subtitleRule_, subtitleLanguages_);
    subtitleRow->layout()->addWidget(burnTrack_);
    add(tr("S&ubtitles:"), subtitleRule_, subtitleRow);

    // Left the smaller file, right the better picture: the slider runs the
    // other way round from the quality's number.
    quality_ = new QSlider(Qt::Horizontal, this);
    quality_->setObjectName(QStringLiteral("quality"));
    quality_->setRange(kBestQuality, kSmallestQuality);
    quality_->setInvertedAppearance(true);
    quality_->setInvertedControls(true);
    quality_->setTickPosition(QSlider::TicksBelow);
    quality_->setTickInterval(4);
    quality_->setPageStep(4);
    qualityValue_ = new QLabel(this);
    qualityValue_->setObjectName(QStringLiteral("qualityValue"));
    auto* qualityRow = new QWidget(this);
    auto* qualityLayout = new QHBoxLayout(qualityRow);
    qualityLayout->setContentsMargins(0, 0, 0, 0);
    qualityLayout->addWidget(new QLabel(tr("Smaller file"), qualityRow));
    qualityLayout->addWidget(quality_, 1);
    qualityLayout->addWidget(new QLabel(tr("Better picture"), qualityRow));
    qualityLayout->addWidget(qualityValue_);
    add(tr("&Quality:"), quality_, qualityRow);
    bool constantQuality = EncodesAtConstantQuality(targetKind) && !quality.isEmpty();
    quality_->setEnabled(constantQuality);
    connect(quality_, &QSlider::valueChanged, this, &ChoicesDlg::ShowQuality);
    quality_->setValue(constantQuality ? quality.toInt() : 23);
    ShowQuality(quality_->value());
    if (!constantQuality)
        qualityValue_->setText(tr("this format sets a bit rate"));

    QStringList crops = {tr("None"), tr("Black bars, found in each file")};
    if (choices.cropRule == static_cast<std::int32_t>(CropRule::Box))
        crops << QString::fromStdString(CropBoxText(box_));
    crop_ = MakeCombo(this, "crop", crops, choices.cropRule);
    add(tr("&Crop:"), crop_);
    denoise_ = MakeCombo(this, "denoise", {tr("Off"), tr("Light"), tr("Medium"), tr("Strong")},
                         choices.denoise);
    add(tr("&Denoise:"), denoise_);
    deblock_ = new QCheckBox(tr("Soften the &blocks of a heavily compressed source"), this);
    deblock_->setObjectName(QStringLiteral("deblock"));
    deblock_->setChecked(choices.deblock != 0);
    form->addRow(QString(), deblock_);
    grayscale_ = new QCheckBox(tr("Blac&k and white"), this);
    grayscale_->setObjectName(QStringLiteral("grayscale"));
    grayscale_->setChecked(choices.grayscale != 0);
    form->addRow(QString(), grayscale_);
    turn_ = MakeCombo(this, "turn",
                      {tr("None"), tr("90° clockwise"), tr("180°"), tr("90° counter-clockwise")},
                      choices.turn / 90);
    add(tr("&Turn:"), turn_);
    flip_ =
        MakeCombo(this, "flip", {tr("None"), tr("Left to right"), tr("Upside down")}, choices.flip);
    add(tr("&Mirror:"), flip_);
    deinterlace_ = MakeCombo(this, "deinterlace",
                             {tr("Where the source is interlaced"), tr("Always"), tr("Never")},
                             choices.deinterlace);
    add(tr("D&einterlace:"), deinterlace_);

    auto enable = [this] {
        audioLanguages_->setEnabled(audioRule_->currentIndex() ==
                                    static_cast<int>(AudioRule::MyLanguages));
        int subtitles = subtitleRule_->currentIndex();
        subtitleLanguages_->setEnabled(subtitles == static_cast<int>(SubtitleRule::MyLanguages) ||
                                       subtitles ==
                                           static_cast<int>(SubtitleRule::BurnForcedOrMine));
        burnTrack_->setEnabled(subtitles == static_cast<int>(SubtitleRule::BurnTrack));
    };
    connect(audioRule_, &QComboBox::currentIndexChanged, this, enable);
    connect(subtitleRule_, &QComboBox::currentIndexChanged, this, enable);
    enable();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void ChoicesDlg::ShowQuality(int quality) {
    qualityValue_->setText(QStringLiteral("%1 (%2)").arg(QualityName(quality)).arg(quality));
    quality_->setAccessibleDescription(qualityValue_->text());
}

QString ChoicesDlg::Quality() const {
    return quality_->isEnabled() ? QString::number(quality_->value()) : QString();
}

ProfileChoices ChoicesDlg::Choices() const {
    ProfileChoices choices{};
    auto languages = [](const QLineEdit* edit, char(&field)[64]) {
        std::string codes = LanguageListText(ReadLanguageList(edit->text().toStdString()));
        if (FitsField(field, codes))
            SetText(field, codes);
    };
    choices.audioRule = audioRule_->currentIndex();
    if (choices.audioRule == static_cast<std::int32_t>(AudioRule::MyLanguages))
        languages(audioLanguages_, choices.audioLanguages);
    choices.subtitleRule = subtitleRule_->currentIndex();
    if (subtitleLanguages_->isEnabled())
        languages(subtitleLanguages_, choices.subtitleLanguages);
    if (burnTrack_->isEnabled())
        choices.burnTrack = burnTrack_->value();
    choices.cropRule = crop_->currentIndex();
    if (choices.cropRule == static_cast<std::int32_t>(CropRule::Box))
        choices.cropBox = box_;
    choices.denoise = denoise_->currentIndex();
    choices.deblock = deblock_->isChecked() ? 1 : 0;
    choices.grayscale = grayscale_->isChecked() ? 1 : 0;
    choices.turn = turn_->currentIndex() * 90;
    choices.flip = flip_->currentIndex();
    choices.deinterlace = deinterlace_->currentIndex();
    return choices;
}

} // namespace kiv

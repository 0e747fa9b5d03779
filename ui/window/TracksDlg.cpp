#include "TracksDlg.h"

#include "Languages.h"
#include "media/MediaStreams.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kiv {

namespace {

bool IsTrack(const StreamFacts& stream) {
    auto type = static_cast<StreamType>(stream.type);
    return type == StreamType::Audio || type == StreamType::Subtitle;
}

QString LanguageText(const StreamFacts& stream) {
    std::string code = CanonicalLanguage(stream.language);
    if (code.empty())
        return QObject::tr("unknown language");
    return QString::fromStdString(LanguageName(code));
}

bool Listed(const std::int32_t* numbers, int count, int stream) {
    return std::find(numbers, numbers + std::clamp(count, 0, kMostPickedTracks), stream) !=
           numbers + std::clamp(count, 0, kMostPickedTracks);
}

} // namespace

std::vector<StreamFacts> ReadTracks(const std::string& path) {
    std::vector<StreamFacts> streams(kMostStreams);
    int count = ListStreams(path, streams.data(), kMostStreams);
    streams.resize(static_cast<std::size_t>(std::clamp(count, 0, kMostStreams)));
    return streams;
}

QString TracksDlg::TrackText(const StreamFacts& stream) {
    QStringList parts = {QStringLiteral("#%1").arg(stream.index), LanguageText(stream),
                         QString::fromUtf8(stream.codec)};
    if (static_cast<StreamType>(stream.type) == StreamType::Audio && stream.channels > 0)
        parts << (stream.channels == 1 ? tr("1 channel") : tr("%1 channels").arg(stream.channels));
    if (static_cast<StreamType>(stream.type) == StreamType::Subtitle)
        parts << (stream.textSubtitle ? tr("text") : tr("pictures"));
    if (stream.forcedTrack)
        parts << tr("forced");
    if (stream.name[0] != '\0')
        parts << QString::fromUtf8(stream.name);
    return parts.join(QStringLiteral("  "));
}

TracksDlg::TracksDlg(const std::vector<StreamFacts>& streams, const TrackPicks& picks,
                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Tracks"));
    std::copy_if(streams.begin(), streams.end(), std::back_inserter(tracks_), IsTrack);

    auto* layout = new QVBoxLayout(this);
    auto* listLabel = new QLabel(tr("&Keep these tracks:"), this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("tracks"));
    list_->setAccessibleName(tr("Tracks to keep"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("Kind"), tr("Track")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    listLabel->setBuddy(list_);
    const bool chosen = picks.chosen == 1;
    for (const StreamFacts& stream : tracks_) {
        bool audio = static_cast<StreamType>(stream.type) == StreamType::Audio;
        auto* item =
            new QTreeWidgetItem(list_, {audio ? tr("Sound") : tr("Subtitles"), TrackText(stream)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        bool kept = !chosen || (audio ? Listed(picks.audio, picks.audioCount, stream.index)
                                      : Listed(picks.subtitles, picks.subtitleCount, stream.index));
        item->setCheckState(0, kept ? Qt::Checked : Qt::Unchecked);
    }
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    layout->addWidget(listLabel);
    layout->addWidget(list_);

    auto* form = new QFormLayout;
    auto addCombo = [this, form](QComboBox*& combo, const char* name, const QString& label) {
        combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(name));
        QString plain = label;
        combo->setAccessibleName(plain.remove(QLatin1Char('&')).remove(QLatin1Char(':')));
        form->addRow(label, combo);
    };
    addCombo(defaultAudio_, "defaultAudio", tr("Default &sound:"));
    addCombo(defaultSubtitle_, "defaultSubtitle", tr("Default s&ubtitles:"));
    addCombo(burn_, "burn", tr("&Burn into the picture:"));
    FillCombo(defaultAudio_, static_cast<int>(StreamType::Audio), tr("As the file marks it"),
              picks.defaultAudio - 1);
    FillCombo(defaultSubtitle_, static_cast<int>(StreamType::Subtitle),
              tr("As the file marks them"), picks.defaultSubtitle - 1);
    FillCombo(burn_, static_cast<int>(StreamType::Subtitle), tr("None"), picks.burn - 1);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* rule = buttons->addButton(tr("As the &profile"), QDialogButtonBox::ResetRole);
    rule->setObjectName(QStringLiteral("useRule"));
    rule->setAccessibleName(tr("As the profile"));
    rule->setToolTip(tr("Keep the tracks the batch's rule keeps"));
    connect(rule, &QPushButton::clicked, this, &TracksDlg::UseRule);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(sizeHint().expandedTo(QSize(460, 320)));
}

void TracksDlg::FillCombo(QComboBox* combo, int type, const QString& none, int selected) {
    combo->addItem(none, -1);
    for (const StreamFacts& stream : tracks_)
        if (stream.type == type)
            combo->addItem(TrackText(stream), stream.index);
    combo->setCurrentIndex(std::max(combo->findData(selected), 0));
}

int TracksDlg::RowOf(int stream) const {
    for (std::size_t i = 0; i < tracks_.size(); ++i)
        if (tracks_[i].index == stream)
            return static_cast<int>(i);
    return -1;
}

void TracksDlg::SetKept(int stream, bool kept) {
    if (int row = RowOf(stream); row >= 0)
        list_->topLevelItem(row)->setCheckState(0, kept ? Qt::Checked : Qt::Unchecked);
}

void TracksDlg::SetDefaultAudio(int stream) {
    defaultAudio_->setCurrentIndex(std::max(defaultAudio_->findData(stream), 0));
}

void TracksDlg::SetDefaultSubtitle(int stream) {
    defaultSubtitle_->setCurrentIndex(std::max(defaultSubtitle_->findData(stream), 0));
}

void TracksDlg::SetBurn(int stream) {
    burn_->setCurrentIndex(std::max(burn_->findData(stream), 0));
}

void TracksDlg::UseRule() {
    useRule_ = true;
    accept();
}

TrackPicks TracksDlg::Picks() const {
    TrackPicks picks{};
    if (useRule_)
        return picks;
    picks.chosen = 1;
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        if (list_->topLevelItem(static_cast<int>(i))->checkState(0) != Qt::Checked)
            continue;
        bool audio = static_cast<StreamType>(tracks_[i].type) == StreamType::Audio;
        std::int32_t& count = audio ? picks.audioCount : picks.subtitleCount;
        if (count < kMostPickedTracks)
            (audio ? picks.audio : picks.subtitles)[count++] = tracks_[i].index;
    }
    picks.defaultAudio = defaultAudio_->currentData().toInt() + 1;
    picks.defaultSubtitle = defaultSubtitle_->currentData().toInt() + 1;
    picks.burn = burn_->currentData().toInt() + 1;
    return picks;
}

} // namespace kiv

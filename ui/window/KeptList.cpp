#include "KeptList.h"

#include "FileTable.h"
#include "Log.h"
#include "Paths.h"
#include "RunFolder.h"
#include "TemporaryOutput.h"
#include "runs/JobBuilder.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>

namespace kiv {

KeptList::KeptList(const FileTable& table, std::function<Choice()> choice, QObject* parent)
    : KeptList(table, std::move(choice), DefaultPath(), parent) {}

KeptList::KeptList(const FileTable& table, std::function<Choice()> choice, const QString& path,
                   QObject* parent)
    : QObject(parent), table_(table), choice_(std::move(choice)), path_(path),
      writer_(std::make_unique<KeptListWriter>(path)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer); // a coarse one may come 5 % early
    connect(&timer_, &QTimer::timeout, this, &KeptList::SaveNow);
}

KeptList::~KeptList() {
    if (timer_.isActive())
        SaveNow();
    writer_->Stop();
}

QString KeptList::DefaultPath() {
    return QString::fromStdString(JoinPath(StateDirectory(), "kept-list.json"));
}

std::optional<KeptListContents> KeptList::TakeLast() {
    QFile file(path_);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    KeptListContents contents;
    QString why;
    if (ReadKeptList(file.readAll(), contents, why))
        return contents;
    // Kept for whoever wants to look, where it is in nobody's way.
    const QString aside = path_ + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    file.close();
    const bool moved = QFile::rename(path_, aside) || QFile::remove(path_);
    WriteLog("Kept list: " + path_.toStdString() + " cannot be read (" + why.toStdString() +
             (moved ? "); set aside as " + aside.toStdString() : "); left as it is"));
    return std::nullopt;
}

void KeptList::Watch() {
    for (auto signal : {&FileTable::rowAppended, &FileTable::rowRemoved, &FileTable::checkChanged,
                        &FileTable::trimChanged, &FileTable::stateChanged})
        connect(&table_, signal, this, &KeptList::Changed);
    connect(&table_, &FileTable::cleared, this, &KeptList::Changed);
}

void KeptList::Changed() {
    if (forgotten_ || timer_.isActive())
        return;
    const qint64 since = sinceSave_.isValid() ? sinceSave_.elapsed() : kSpacingMs;
    timer_.start(std::max<qint64>(kSettleMs, kSpacingMs - since));
}

void KeptList::SaveNow() {
    timer_.stop();
    if (forgotten_)
        return;
    KeptListContents contents;
    const Choice choice = choice_();
    contents.selection = choice.selection;
    contents.outputFolder = choice.outputFolder;
    for (int row = 0; row < table_.RowCount(); ++row)
        contents.rows.push_back(table_.Row(row));
    writer_->Post(std::move(contents));
    sinceSave_.start();
    emit saved();
}

void KeptList::Forget() {
    forgotten_ = true;
    timer_.stop();
    writer_->Drop();
    QFile::remove(path_);
}

QString KeptList::RestoredText(int rows, int interrupted) {
    QString text = tr("Restored the list of %n file(s) from the last time", nullptr, rows);
    if (interrupted > 0)
        text += tr("; %n file(s) were being converted and are Ready again", nullptr, interrupted);
    return text;
}

int ReadyInterruptedRows(KeptListContents& contents) {
    int interrupted = 0;
    const std::string folder = contents.outputFolder.toStdString();
    for (FileRow& row : contents.rows) {
        if (row.state != RowState::Converting)
            continue;
        ++interrupted;
        row.state = RowState::Ready;
        row.percent = 0;
        // What the encoder was writing when everything stopped; one that a
        // run still writes keeps its lock and stays.
        RemoveAbandonedTemporariesIn(folder, OutputBaseName(row.SourcePath()));
    }
    // The private folder of the run that ended without Exit goes too, even
    // when this run never converts and so never makes a folder of its own.
    RemoveAbandonedRunFolders(RuntimeDirectory());
    return interrupted;
}

} // namespace kiv

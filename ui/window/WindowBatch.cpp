#include "WindowBatch.h"

#include "CDisableScreenSave.h"
#include "GuiThread.h"
#include "Log.h"
#include "MakerTexts.h"
#include "Paths.h"

#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

namespace kiv {

namespace {

// The batch thread yields to everything else; it mostly waits for enc.
void LowerThisThreadsPriority() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
}

} // namespace

QString ConvertFailMessage(const std::string& reason) {
    // The log the engine really writes, wherever it lives.
    std::string log = OpenLogPath();
    if (log.empty())
        log = LogFilePath();
    // Why first: the request to send the log is for what the reason does
    // not explain.
    const QString request =
        WindowBatch::tr("Convert fail! Please send the log file \"%1\" to %2")
            .arg(QString::fromStdString(log), QString::fromLatin1(kSupportAddress));
    return reason.empty() ? request : QString::fromStdString(reason) + QLatin1Char('\n') + request;
}

// The table's rows as the batch loop sees them, on the batch thread.
class WindowBatch::Rows : public BatchRows {
public:
    explicit Rows(WindowBatch& batch) : batch_(batch) {}

    int RowCount() override { return batch_.table_.RowCount(); }
    // Read when the loop reaches the row: a row unchecked meanwhile is skipped.
    bool IsChecked(int row) override {
        return !batch_.abandoned_ && batch_.table_.Row(row).checked;
    }
    // The batch completes a copy of the row's job; the table keeps the probe's.
    ConversionJob Job(int row) override {
        const FileRow r = batch_.table_.Row(row);
        ConversionJob job = r.job;
        job.done = IsDone(r.state) ? 1 : 0;
        return job;
    }
    TrimRange Trim(int row) override {
        const FileRow r = batch_.table_.Row(row);
        return {r.trimStartSeconds, r.trimEndSeconds};
    }

    void BeginRow(int row) override {
        batch_.currentRow_ = row;
        batch_.Post([b = &batch_, row] {
            b->table_.SetState(row, RowState::Converting);
            b->table_.SetPercent(row, 0);
            b->table_.SetFigures(row, {});
            emit b->rowStarted(row);
        });
    }
    void RowProgress(int row, const ProgressFigures& figures,
                     const BatchPosition& position) override {
        batch_.Post([b = &batch_, row, figures, position] {
            b->table_.SetFigures(row, figures);
            // Each row's own percentage: several rows may convert at once.
            if (figures.percent >= 1 && figures.percent <= 99)
                b->table_.SetPercent(row, figures.percent);
            emit b->rowProgress(row, b->table_.Row(row).percent);
            emit b->batchProgress(position);
        });
    }
    // Both end the batch once the user has seen why.
    void SourceMissing(int row, const std::string& sourcePath) override {
        const QString text =
            WindowBatch::tr("%1 not exist!").arg(QString::fromStdString(sourcePath));
        batch_.Fail(row, RowState::SourceMissing, text, MessageIcon::NoIcon, text.toStdString());
    }
    // A file without sound concerns its row only: the row says so and the
    // batch goes on; the end of the batch lists it.
    void RowFailed(int row, const RowFailure& failure) override {
        if (failure.kind == FailureKind::NoSound) {
            batch_.Finish(row, RowState::Failed, {}, failure.reason, WindowBatch::tr("no sound"));
            batch_.Note(row, WindowBatch::tr("no sound"));
            return;
        }
        batch_.Fail(row, RowState::Failed, ConvertFailMessage(failure.reason),
                    MessageIcon::Critical, failure.reason);
    }
    void RowFinished(int row, const std::string& outputPath, const std::string& warning) override {
        batch_.Finish(row, RowState::Converted, outputPath, warning);
        if (!warning.empty())
            batch_.Note(row, QString::fromStdString(warning));
    }
    // The next Start converts the row again. With nothing written it
    // simply waits; else it shows it was stopped, and names its partial file.
    void RowStopped(int row, const std::string& partialPath) override {
        batch_.Finish(row, partialPath.empty() ? RowState::Ready : RowState::Stopped, partialPath);
    }

private:
    WindowBatch& batch_;
};

WindowBatch::WindowBatch(FileTable& table, CEncoderCntl& controller, QWidget* window)
    : table_(table), controller_(controller), window_(window) {
    connect(this, &WindowBatch::threadEnded, this, &WindowBatch::OnThreadEnded,
            Qt::QueuedConnection);
}

WindowBatch::~WindowBatch() {
    Abandon();
}

void WindowBatch::ProgressCallback(int value, void* batch) {
    if (!batch)
        return;
    auto* self = static_cast<WindowBatch*>(batch);
    const int row = self->currentRow_;
    const int shown = value <= 0 ? 1 : value;
    self->Post([self, row, shown] {
        self->table_.SetPercent(row, shown);
        emit self->rowProgress(row, shown);
    });
}

bool WindowBatch::Start(const BatchPlan& plan) {
    if (running_ || thread_.joinable())
        return false;
    running_ = true;
    lastFailure_.clear();
    notes_.clear();
    abandoned_ = false;
    threadDone_ = false;
    screenSaver_ = std::make_unique<CDisableScreenSave>();
    thread_ = std::thread([this, plan] {
        LowerThisThreadsPriority();
        Rows rows(*this);
        report_ = RunBatch(controller_, rows, plan);
        threadDone_ = true;
        emit threadEnded();
    });
    return true;
}

void WindowBatch::Stop() {
    controller_.StopConvert(); // a paused encoder is resumed to finish its file
    SetPaused(false);
}

void WindowBatch::Pause() {
    if (!running_ || paused_)
        return;
    controller_.PauseConvert();
    if (!controller_.IsPaused())
        return; // the conversion is being stopped
    // Nothing runs: the screen may save itself and the computer sleep.
    screenSaver_.reset();
    SetPaused(true);
}

void WindowBatch::Resume() {
    if (!paused_)
        return;
    controller_.ResumeConvert();
    screenSaver_ = std::make_unique<CDisableScreenSave>();
    SetPaused(false);
}

void WindowBatch::SetPaused(bool paused) {
    if (paused_ == paused)
        return;
    paused_ = paused;
    // The running rows say so at once; their figures stand still meanwhile.
    for (int row = 0; running_ && row < table_.RowCount(); ++row) {
        FileRow shown = table_.Row(row);
        if (shown.state != RowState::Converting)
            continue;
        shown.figures.paused = paused;
        table_.SetFigures(row, shown.figures);
        emit rowProgress(row, shown.percent);
    }
    emit pausedChanged(paused);
}

void WindowBatch::Post(std::function<void()> change) {
    PostToGui(this, [this, change = std::move(change)] {
        if (!abandoned_)
            change();
    });
}

void WindowBatch::Finish(int row, RowState state, const std::string& outputPath,
                         const std::string& reason, const QString& label) {
    Post([this, row, state, outputPath, reason, label] {
        table_.SetState(row, state);
        if (!outputPath.empty())
            table_.SetOutputPath(row, outputPath);
        table_.SetReason(row, reason, label.toStdString());
        emit rowFinished(row, state);
    });
}

void WindowBatch::Fail(int row, RowState state, const QString& text, MessageIcon icon,
                       const std::string& reason) {
    Post([this, text] { lastFailure_ = text; });
    Finish(row, state, {}, reason);
    Ask({tr("Error"), text, icon});
}

void WindowBatch::Note(int row, const QString& text) {
    const QString file = QString::fromStdString(table_.Row(row).SourcePath());
    Post([this, note = file + QStringLiteral(": ") + text] { notes_.append(note); });
}

void WindowBatch::Ask(const ShownMessage& message) {
    auto answered = std::make_shared<bool>(false); // guarded by questionMutex_
    Post([this, message, answered] {
        ShowMessage(window_, message.title, message.text, message.icon);
        {
            std::lock_guard lock(questionMutex_);
            *answered = true;
        }
        questionAnswered_.notify_all();
    });
    std::unique_lock lock(questionMutex_);
    // Ends when the user has answered, or when the window goes away.
    questionAnswered_.wait(lock, [&] { return *answered || abandoned_; });
}

void WindowBatch::OnThreadEnded() {
    if (thread_.joinable())
        thread_.join(); // its end signal was its last act
    if (abandoned_ || !running_)
        return;
    running_ = false;
    SetPaused(false); // the engine lets a pause go with its batch
    emit batchEnded(report_);
    // Held until the end has been dealt with: the end message may stay up
    // for a long time.
    screenSaver_.reset();
}

void WindowBatch::Abandon() {
    if (!thread_.joinable()) {
        running_ = false;
        return;
    }
    {
        std::lock_guard lock(questionMutex_);
        abandoned_ = true;
    }
    questionAnswered_.notify_all();
    // The engine's abort waits a few seconds for the encoder to leave; the
    // pending stop after it keeps a conversion about to begin from starting.
    std::thread aborter([this] {
        controller_.AbortConvert();
        controller_.StopConvert();
    });
    if (!threadDone_) {
        QEventLoop loop;
        connect(this, &WindowBatch::threadEnded, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        QTimer::singleShot(kAbandonWait, &loop, &QEventLoop::quit);
        if (!threadDone_)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!threadDone_)
            WriteLog("Module:ui/WindowBatch,Error Info :the batch did not end within 15 s of its "
                     "abort (its encoder was killed; the file system holds it); waiting on");
    }
    if (thread_.joinable())
        thread_.join();
    aborter.join();
    screenSaver_.reset();
    running_ = false;
    paused_ = false;
}

} // namespace kiv

#include "BatchPresenter.h"

#include "DesktopNotification.h"
#include "MessageBoxes.h"
#include "OpenFolder.h"
#include "PowerOff.h"
#include "WindowBatch.h"
#include "runs/BatchSummary.h"

#include <QCheckBox>
#include <QLocale>
#include <QWidget>

namespace kiv {

BatchPresenter::BatchPresenter(QWidget& window, WindowBatch& batch, Looks looks)
    : QObject(&window), window_(window), batch_(batch), looks_(std::move(looks)) {
    connect(&batch_, &WindowBatch::batchProgress, this, &BatchPresenter::ShowPosition);
    connect(&batch_, &WindowBatch::pausedChanged, this, &BatchPresenter::ShowPaused);
}

void BatchPresenter::Begin(const QString& outputFolder) {
    outputFolder_ = outputFolder;
    position_ = {};
    running_ = true;
}

// "2 of 3 · 45 % — Kiv Video Converter": the file that converts, and how
// much of the whole batch's media is done.
QString BatchPresenter::BusyTitle() const {
    const QLocale locale;
    QString title =
        tr("%1 of %2 · %3 %")
            .arg(locale.toString(position_.fileNumber), locale.toString(position_.fileCount),
                 locale.toString(static_cast<int>(position_.fraction * 100)));
    if (batch_.IsPaused())
        title += tr(" · Paused");
    return title + QStringLiteral(" — ") + looks_.productName;
}

void BatchPresenter::ShowPosition(const BatchPosition& position) {
    if (!running_)
        return;
    position_ = position;
    window_.setWindowTitle(BusyTitle());
    taskbar_.Show(position.fraction);
}

void BatchPresenter::ShowPaused(bool paused) {
    looks_.pauseLook(paused);
    if (running_ && position_.fileCount > 0)
        window_.setWindowTitle(BusyTitle());
}

// The words of BatchSummary, which kiv-convert prints in English, in the
// user's language with the locale's numbers.
QString BatchPresenter::SummaryText(const BatchReport& report) {
    const QLocale locale;
    const QString time = QString::fromStdString(ShortClock(report.seconds));
    const QString converted = locale.toString(report.converted);
    switch (report.end) {
    case BatchEnd::Finished:
        if (report.failed > 0)
            return tr("%1 converted, %2 failed in %3")
                .arg(converted, locale.toString(report.failed), time);
        if (report.converted == 0)
            return tr("No file converted");
        return tr("%n file(s) converted in %1", nullptr, report.converted).arg(time);
    case BatchEnd::Stopped:
        if (report.stopped == 0)
            return tr("%1 converted, stopped after %2").arg(converted, time);
        return tr("%1 converted, %2 stopped after %3")
            .arg(converted, locale.toString(report.stopped), time);
    case BatchEnd::Failed:
    case BatchEnd::SourceMissing:
        break;
    }
    return tr("%1 converted, %2 failed after %3")
        .arg(converted, locale.toString(report.failed), time);
}

QString BatchPresenter::EndText(const BatchReport& report) const {
    const QString summary = SummaryText(report);
    QString text = report.end == BatchEnd::Stopped ? tr("Stopped: ") + summary
                                                   : tr("Encoding Finish!\n") + summary;
    // Rows that failed alone or came out short are named at the end.
    for (const QString& note : batch_.Notes())
        text += QLatin1Char('\n') + note;
    return text;
}

void BatchPresenter::ShowEnd(const BatchReport& report) {
    running_ = false;
    taskbar_.Hide();
    window_.setWindowTitle(looks_.caption);
    // A user who switched to another window learns the batch is over; one
    // who pressed Stop knows.
    if (!window_.isActiveWindow() && report.end != BatchEnd::Stopped)
        NotifyDesktop(QStringLiteral("Kiv Video Converter"), report.end == BatchEnd::Finished
                                                                 ? SummaryText(report)
                                                                 : batch_.LastFailure());
    if (report.end == BatchEnd::Finished) {
        if (looks_.shutdownBox->isChecked()) {
            ShutDownComputer(&window_);
        } else {
            ShowMessage(&window_, tr("Info"), EndText(report), MessageIcon::Information);
            if (looks_.openFolderBox->isChecked())
                OpenFolder(outputFolder_);
        }
    } else if (report.end == BatchEnd::Stopped) {
        ShowMessage(&window_, tr("Info"), EndText(report), MessageIcon::Information);
    }
}

} // namespace kiv

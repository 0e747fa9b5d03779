#include "WaitingFiles.h"

#include "DialogUnits.h"
#include "MainDlg.h"

#include <QApplication>
#include <QLabel>

namespace kiv {

namespace {

constexpr int kRetryMs = 500;

} // namespace

WaitingFiles::WaitingFiles(CKivVideoConverterDlg& window)
    : QObject(&window), window_(window), notice_(new QLabel(&window)) {
    notice_->setObjectName(QStringLiteral("waitingFilesNotice"));
    // The free space of the tool bar, between Stop and About.
    notice_->setGeometry(DluRect(161, 4, 42, 40));
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setWordWrap(true);
    notice_->hide();
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &WaitingFiles::AddWhenPossible);
    connect(&window, &CKivVideoConverterDlg::batchEnded, this, &WaitingFiles::AddWhenPossible);
    connect(&window, &CKivVideoConverterDlg::filesAdded, this, &WaitingFiles::AddWhenPossible);
}

void WaitingFiles::Take(const QStringList& files) {
    Raise();
    waiting_ << files;
    AddWhenPossible();
}

bool WaitingFiles::WindowCanAdd() const {
    return !window_.IsBusy() && !window_.IsAdding() &&
           QApplication::activeModalWidget() == &window_;
}

void WaitingFiles::AddWhenPossible() {
    if (!waiting_.isEmpty() && WindowCanAdd()) {
        const QStringList files = waiting_;
        waiting_.clear();
        window_.AddFiles(files);
    }
    if (waiting_.isEmpty())
        retry_.stop();
    else if (!retry_.isActive())
        retry_.start();
    ShowNotice();
}

void WaitingFiles::ShowNotice() {
    const qsizetype count = waiting_.size();
    if (count == 0) {
        notice_->hide();
        return;
    }
    const int n = static_cast<int>(count);
    notice_->setText(window_.IsBusy()
                         ? tr("%n file(s) wait(s) for the conversion to end", nullptr, n)
                         : tr("%n file(s) wait(s) to be added", nullptr, n));
    notice_->setAccessibleName(notice_->text());
    notice_->setToolTip(waiting_.join(QLatin1Char('\n')));
    notice_->show();
    notice_->raise();
}

void WaitingFiles::Raise() {
    if (window_.isMinimized())
        window_.showNormal();
    window_.raise();
    window_.activateWindow();
}

} // namespace kiv

#pragma once
// How the main window shows its batch beyond the rows: the whole batch in
// the window's title ("2 of 3 · 45 % — Kiv Video Converter") and on the task
// bar, the Pause button's look (Pause or Resume), and the end: the end box,
// a desktop notification for a user looking elsewhere, powering off or
// opening the output folder.
//
//     BatchPresenter presenter(window, batch, looks);
//     presenter.Begin(outputFolder);   // at Start
//     ...
//     presenter.ShowEnd(report);       // when the batch has ended
//
// GUI thread.

#include "TaskbarProgress.h"
#include "runs/BatchLoop.h"

#include <QObject>
#include <QString>

#include <functional>

class QCheckBox;
class QWidget;

namespace kiv {

class WindowBatch;

class BatchPresenter : public QObject {
    Q_OBJECT
public:
    // What the presenter shows the batch on; all must outlive it.
    struct Looks {
        QString productName;                        // "Kiv Video Converter"
        QString caption;                            // the idle title
        std::function<void(bool paused)> pauseLook; // the Pause button as Pause or Resume
        QCheckBox* shutdownBox = nullptr;
        QCheckBox* openFolderBox = nullptr;
    };

    BatchPresenter(QWidget& window, WindowBatch& batch, Looks looks);

    // A batch converting into outputFolder has started.
    void Begin(const QString& outputFolder);
    // The batch has ended: the idle title, then what happened, in words a
    // user reads, and the end-of-batch actions.
    void ShowEnd(const BatchReport& report);

    // The end box's text for a report, in the words kiv-convert uses too:
    // "Encoding Finish!" with the summary after every file converted,
    // "Stopped: ..." after a stop; then a line for each row that failed
    // alone or came out short ("FILE: no sound").
    QString EndText(const BatchReport& report) const;
    // The batch summary in the user's words: "3 files converted in 4:12".
    static QString SummaryText(const BatchReport& report);

private:
    void ShowPosition(const BatchPosition& position);
    void ShowPaused(bool paused);
    QString BusyTitle() const;

    QWidget& window_;
    WindowBatch& batch_;
    Looks looks_;
    QString outputFolder_;
    bool running_ = false;
    BatchPosition position_; // where the running batch stands
    TaskbarProgress taskbar_;
};

} // namespace kiv

#pragma once
// Files handed to the open window by a later start of the program. The
// window comes to the front and adds them through the same path as Add
// (probe, limits, messages). Add is refused while a batch runs, while
// other files are being read and while another of the window's dialogs is
// open; the files then wait, the window says how many wait in the free
// space of its tool bar, and they are added as soon as it can.

#include <QObject>
#include <QStringList>
#include <QTimer>

class QLabel;

namespace kiv {

class CKivVideoConverterDlg;

class WaitingFiles : public QObject {
    Q_OBJECT
public:
    explicit WaitingFiles(CKivVideoConverterDlg& window);

    // Raises the window and adds the files now or once it can.
    void Take(const QStringList& files);
    const QStringList& Waiting() const { return waiting_; }

private:
    bool WindowCanAdd() const;
    void AddWhenPossible();
    void ShowNotice();
    void Raise();

    CKivVideoConverterDlg& window_;
    QStringList waiting_;
    QLabel* notice_;
    QTimer retry_; // other dialogs end without a signal to the window
};

} // namespace kiv

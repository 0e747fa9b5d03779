#pragma once
// The main window's list control as a view of its FileTable: makes the
// columns, follows every change the table announces (a row appended,
// removed or cleared, its check, its trim, its state and progress), and
// takes the user's check-box clicks (a row's or the header's) back into the
// table. GUI thread.

#include <QObject>

namespace kiv {

class CXListCtrl;
class FileTable;

class FileListView : public QObject {
    Q_OBJECT
public:
    // Both must outlive the view. The list shows the table's rows from now on.
    FileListView(CXListCtrl& list, FileTable& table, QObject* parent = nullptr);

    // The six columns, their widths and the header's check box.
    void SetUpColumns();

signals:
    // The list refused to show the table's new row `row`.
    void rowRefused(int row);

protected:
    // The room for the columns changed: the path column takes the difference.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitFileColumn();
    // Shows the table's row `row` as a new last row of the list, selected.
    void ShowNewRow(int row);
    void ShowCheck(int row);
    // The duration, trim and status of a row once read (blank while read).
    void ShowRead(int row);
    void ShowTrim(int row);
    // The status cell: "Ready" while the row waits; while it converts a
    // progress bar labelled with the percentage and the time left ("37 % ·
    // 1:12 left"), the speed in its tooltip, the time left as its accessible
    // description; "Converted" or "Stopped" with the file written in the
    // tooltip; after a failure the bar at its last percentage.
    void ShowStatus(int row);
    void TakeChecks(int firstRow, int lastRow);

    CXListCtrl& list_;
    FileTable& table_;
};

} // namespace kiv

#pragma once
// A report-style list whose cells are plain text (optionally bold, with an
// image), check boxes, progress bars or combo cells, over a ListModel painted by
// a ListDelegate, with a CXHeaderCtrl header that can check a whole column.
//
// Rows and columns are tested first by every operation: outside the list it does
// nothing and returns 0 (-1 for queries).
//
// Threads: the control belongs to the GUI thread. SetCellText, ShowCellProgress,
// SetCellProgress, SelectRow and RedrawCell may also be called from another
// thread: they check their arguments at once and then run on the GUI thread
// through a queued call, in the order they were made. GetCellCheck, cellText,
// rowCount and CountCheckedRows read the cell records under the model's mutex
// and may be called from any thread without waiting for the GUI thread.

#include "CXComboList.h"
#include "ListCell.h"

#include <QPointer>
#include <QTableView>
#include <QTimer>

#include <optional>

namespace kiv {

class CXHeaderCtrl;
class ListDelegate;
class ListModel;

class CXListCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CXListCtrl(QWidget* parent = nullptr);
    ~CXListCtrl() override;

    // Columns: heading text, alignment of the heading and of the cells' text.
    int insertColumn(int column, const QString& heading, Qt::Alignment alignment = Qt::AlignLeft,
                     int width = 100);

    int AddRow(int row, const QString& text);
    int RemoveRow(int row);
    void RemoveAllRows();
    int SetCellText(int row, int column, const QString& text);
    int SetCellCheck(int row, int column, int state);
    int GetCellCheck(int row, int column) const;
    int ShowCellProgress(int row, int column, bool showPercent, const QString& text = QString());
    int SetCellProgress(int row, int column, int percent);
    int FirstSelectedRow() const;
    int SelectRow(int row);
    int ColumnCount() const;
    int GetHeaderCheck(int column) const;
    int SetHeaderCheck(int column, int state);
    int CountCheckedRows(int column) const;
    // The cell's rectangle in viewport coordinates; column 0 ends where column 1
    // begins. A null rectangle for a cell outside the list.
    QRect GetCellRect(int row, int column) const;
    void RedrawCell(int row, int column); // column -1: the whole row

    int rowCount() const;
    QString cellText(int row, int column) const;
    std::optional<ListCell> cell(int row, int column) const;
    int setRowEnabled(int row, bool enabled);
    int setCellBold(int row, int column, bool bold);
    int setCellImage(int row, int column, int image);
    int setCellTip(int row, int column, const QString& tip);
    int setCellColours(int row, int column, const QColor& text, const QColor& back);
    int setCellUserData(int row, int column, std::uint32_t data);
    int setComboBox(int row, int column, const QStringList& items, int comboRows = 10,
                    int comboInitial = 0);

    void setSmallImageList(const QList<QPixmap>& images);
    void setHeaderImageList(const QList<QPixmap>& images);
    void setFullRowSelect(bool on);
    void setShowSelectionAlways(bool on);
    CXHeaderCtrl* headerCtrl() const { return m_header; }
    ListModel* listModel() const { return m_model; }
    // The open drop-down of a combo cell, or null.
    CXComboList* comboList() const { return m_comboList; }

signals:
    void checkBoxClicked(int row, int column);
    void comboSelection(int row, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool onGuiThread() const;
    void updateHeaderCheckFromColumn(int column);
    void onHeaderClicked(int column);
    void toggleCheck(int row, int column);

    // Combo cells (CXListCtrlCombo.cpp).
    void pressComboButton(int row, int column);
    void openDropDown();
    void releaseComboButton();
    void onComboTimer();
    void onComboKeyDown();
    void onComboAccept();
    void onComboEscape();
    void destroyDropDown();
    void setComboOpen(bool open);

    ListModel* m_model;
    ListDelegate* m_delegate;
    CXHeaderCtrl* m_header;

    bool m_comboPressed = false;
    int m_comboRow = -1;
    int m_comboColumn = -1;
    QPointer<CXComboList> m_comboList;
    QString m_comboRestoreText;
    QRect m_comboButtonRect;
    QTimer m_comboTimer;
};

} // namespace kiv

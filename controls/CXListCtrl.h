#pragma once
// A report-style list whose cells are plain text (optionally bold, with an
// image), check boxes, progress bars or combo cells, over a ListModel painted by
// a ListDelegate, with a CXHeaderCtrl header that can check a whole column.
//
// Rows and columns are tested first by every operation: outside the list it does
// nothing and returns 0 (-1 for queries).
//
// Threads: the control belongs to the GUI thread; every change is made there
// (a worker posts it, as the window's batch does). GetCellCheck, CellText,
// RowCount and CountCheckedRows read the cell records under the model's mutex
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
    int InsertColumn(int column, const QString& heading, Qt::Alignment alignment = Qt::AlignLeft,
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

    int RowCount() const;
    QString CellText(int row, int column) const;
    std::optional<ListCell> Cell(int row, int column) const;
    int SetRowEnabled(int row, bool enabled);
    int SetCellBold(int row, int column, bool bold);
    int SetCellImage(int row, int column, int image);
    int SetCellTip(int row, int column, const QString& tip);
    int SetCellColours(int row, int column, const QColor& text, const QColor& back);
    int SetCellUserData(int row, int column, std::uint32_t data);
    int SetComboBox(int row, int column, const QStringList& items, int comboRows = 10,
                    int comboInitial = 0);

    void SetSmallImageList(const QList<QPixmap>& images);
    void SetHeaderImageList(const QList<QPixmap>& images);
    void SetFullRowSelect(bool on);
    void SetShowSelectionAlways(bool on);
    // How a cell text too wide for its column is shortened (default: cut at
    // the right edge). A shortened text shows whole in the cell's tooltip.
    void SetColumnElideMode(int column, Qt::TextElideMode mode);
    // What screen readers call a column's header, where it shows no text
    // (a header check box).
    void SetHeaderAccessibleName(int column, const QString& name);
    CXHeaderCtrl* HeaderCtrl() const { return header_; }
    ListModel* CellModel() const { return model_; }
    // The open drop-down of a combo cell, or null.
    CXComboList* ComboList() const { return comboList_; }

signals:
    void checkBoxClicked(int row, int column);
    void comboSelection(int row, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void UpdateHeaderCheckFromColumn(int column);
    void UpdateHeaderChecks();
    void OnHeaderClicked(int column);
    void ToggleCheck(int row, int column);

    // Combo cells (CXListCtrlCombo.cpp).
    void PressComboButton(int row, int column);
    void OpenDropDown();
    void ReleaseComboButton();
    void OnComboTimer();
    void OnComboKeyDown();
    void OnComboAccept();
    void OnComboEscape();
    void DestroyDropDown();
    void SetComboOpen(bool open);

    ListModel* model_;
    ListDelegate* delegate_;
    CXHeaderCtrl* header_;

    bool comboPressed_ = false;
    int comboRow_ = -1;
    int comboColumn_ = -1;
    QPointer<CXComboList> comboList_;
    QString comboRestoreText_;
    QRect comboButtonRect_;
    QTimer comboTimer_;
};

} // namespace kiv

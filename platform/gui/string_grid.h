#pragma once
// A grid of text cells. The first FixedRows rows and FixedCols columns are headings; Row is the
// selected row.
#include <QString>
#include <map>
#include <utility>
#include <vector>

#include "platform/gui/control.h"

class QTableWidget;

class TStringGrid : public TWinControl {
public:
    explicit TStringGrid(TComponent *owner);

    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);

    // A cell outside the grid reads as the empty text; it keeps what is written to it.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);

    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);

    // The selected row; selecting a heading row or a row outside the grid is ignored.
    int Row() const { return row_; }
    void SetRow(int row);

protected:
    QWidget *MakeWidget() override;
    void ColorChanged() override;
    void FontChanged() override;

private:
    // Brings the widths and the selected row within the grid's size, and shows the grid.
    void Rebuild();
    void ShowTable();
    void ShowCell(int col, int row);

    QTableWidget *table_ = nullptr;
    int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
    int defaultColWidth_ = 64, defaultRowHeight_ = 24;
    int row_ = 1;
    std::map<std::pair<int, int>, QString> cells_;
    std::vector<int> colWidths_;
};

#include "platform/gui/string_grid.h"

#include <QHeaderView>
#include <QTableWidget>

#include "platform/gui/edit_control.h"

TStringGrid::TStringGrid(TComponent *owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
    Rebuild();
}

QWidget *TStringGrid::MakeWidget() {
    table_ = new QTableWidget;
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(table_, &QTableWidget::currentCellChanged, table_, [this](int row, int, int, int) {
        if (row >= fixedRows_ && row < rowCount_) row_ = row;
    });
    ShowTable();
    return table_;
}

void TStringGrid::Rebuild() {
    colWidths_.resize(colCount_, defaultColWidth_);
    if (row_ >= rowCount_ || row_ < fixedRows_) row_ = std::min(fixedRows_, rowCount_ - 1);
    if (table_ != nullptr) ShowTable();
}

void TStringGrid::ShowTable() {
    const QSignalBlocker block(table_);
    table_->setColumnCount(colCount_);
    table_->setRowCount(rowCount_);
    for (int c = 0; c < colCount_; ++c) table_->setColumnWidth(c, colWidths_[c]);
    table_->verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    for (int r = 0; r < rowCount_; ++r)
        for (int c = 0; c < colCount_; ++c) ShowCell(c, r);
    table_->setCurrentCell(row_, 0);
}

void TStringGrid::ShowCell(int col, int row) {
    if (table_ == nullptr || col >= colCount_ || row >= rowCount_) return;
    auto *item = table_->item(row, col);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        table_->setItem(row, col, item);
    }
    item->setText(Cells(col, row));
    const bool fixed = col < fixedCols_ || row < fixedRows_;
    item->setBackground(ToQColor(fixed ? clBtnFace : Color()));
    item->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

void TStringGrid::SetColCount(int count) {
    colCount_ = std::max(count, 1);
    Rebuild();
}

void TStringGrid::SetRowCount(int count) {
    rowCount_ = std::max(count, 1);
    Rebuild();
}

void TStringGrid::SetFixedCols(int count) {
    fixedCols_ = std::clamp(count, 0, colCount_ - 1);
    Rebuild();
}

void TStringGrid::SetFixedRows(int count) {
    fixedRows_ = std::clamp(count, 0, rowCount_ - 1);
    Rebuild();
}

QString TStringGrid::Cells(int col, int row) const {
    const auto it = cells_.find({col, row});
    return it == cells_.end() ? QString() : it->second;
}

void TStringGrid::SetCells(int col, int row, const QString &text) {
    cells_[{col, row}] = text;
    ShowCell(col, row);
}

int TStringGrid::ColWidths(int col) const {
    return col >= 0 && col < static_cast<int>(colWidths_.size()) ? colWidths_[col] : defaultColWidth_;
}

void TStringGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= colCount_) return;
    colWidths_[col] = width;
    if (table_ != nullptr) table_->setColumnWidth(col, width);
}

void TStringGrid::SetDefaultColWidth(int width) {
    defaultColWidth_ = width;
    colWidths_.assign(colCount_, width);
    Rebuild();
}

void TStringGrid::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = height;
    Rebuild();
}

void TStringGrid::SetRow(int row) {
    if (row < fixedRows_ || row >= rowCount_) return;
    row_ = row;
    if (table_ == nullptr) return;
    const QSignalBlocker block(table_);
    table_->setCurrentCell(row, std::min(fixedCols_, colCount_ - 1));
}

void TStringGrid::ColorChanged() {
    if (table_ == nullptr) return;
    gui::ApplyEditColors(*table_, Color(), Font().Color());
    Rebuild();
}

void TStringGrid::FontChanged() {
    if (table_ != nullptr) gui::ApplyEditColors(*table_, Color(), Font().Color());
}

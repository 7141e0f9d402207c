#pragma once
// A virtual grid of texts: each cell's text is asked of a function when the view paints it, so a
// grid of millions of cells keeps only the numbers behind it. The first fixedRows rows and
// fixedColumns columns are drawn as headers, and every cell is addressed (column, row) from 0 as
// the windows' grids are, headers included.

#include <QAbstractTableModel>
#include <functional>
#include <string>

class TFunctionGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using CellText = std::function<std::string(int column, int row)>;

  explicit TFunctionGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  /// Shows a new grid of the given size; `text` must stay valid while it is shown.
  void setGrid(int columns, int rows, int fixedColumns, int fixedRows, CellText text);
  /// Empties the grid.
  void clear();

  int fixedRows() const { return m_fixedRows; }
  int fixedColumns() const { return m_fixedColumns; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  int m_columns = 0, m_rows = 0, m_fixedColumns = 0, m_fixedRows = 0;
  CellText m_text;
};

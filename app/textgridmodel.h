#pragma once
// A grid of texts for the windows' result grids: rows of cells filled by the window, with an
// optional header row shown as the grid's fixed row.

#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

class TTextGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TTextGridModel(int columns, QObject* parent = nullptr)
      : QAbstractTableModel(parent), m_columns(columns) {}

  /// The texts of the fixed header row; empty for a grid without one.
  void setHeader(const QStringList& header);
  /// Sets the size; new cells are empty, cells beyond it are dropped.
  void resize(int rows, int columns);
  /// Writes one cell; outside the grid nothing happens.
  void setCell(int row, int column, const QString& text);
  /// Writes a row from its first column on (as many cells as the grid has columns).
  void setRow(int row, const std::vector<std::string>& cells);
  QString cell(int row, int column) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  int m_columns;
  QStringList m_header;
  std::vector<std::vector<QString>> m_cells;
};

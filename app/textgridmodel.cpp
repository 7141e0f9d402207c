#include "app/textgridmodel.h"

void TTextGridModel::setHeader(const QStringList& header) {
  m_header = header;
  emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void TTextGridModel::resize(int rows, int columns) {
  beginResetModel();
  m_columns = columns;
  m_cells.resize(static_cast<size_t>(rows));
  for (std::vector<QString>& row : m_cells) row.resize(static_cast<size_t>(columns));
  endResetModel();
}

void TTextGridModel::setCell(int row, int column, const QString& text) {
  if (row < 0 || column < 0 || row >= rowCount() || column >= m_columns) return;
  m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
  emit dataChanged(index(row, column), index(row, column));
}

void TTextGridModel::setRow(int row, const std::vector<std::string>& cells) {
  if (row < 0 || row >= rowCount()) return;
  for (size_t c = 0; c < cells.size() && c < static_cast<size_t>(m_columns); ++c)
    m_cells[static_cast<size_t>(row)][c] = QString::fromStdString(cells[c]);
  emit dataChanged(index(row, 0), index(row, m_columns - 1));
}

QString TTextGridModel::cell(int row, int column) const {
  if (row < 0 || column < 0 || row >= rowCount() || column >= m_columns) return {};
  return m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

int TTextGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
}

int TTextGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_columns;
}

QVariant TTextGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return cell(index.row(), index.column());
}

QVariant TTextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return section < m_header.size() ? QVariant(m_header[section]) : QVariant();
}

#include "app/functiongridmodel.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

void TFunctionGridModel::setGrid(int columns, int rows, int fixedColumns, int fixedRows,
                                 CellText text) {
  beginResetModel();
  m_columns = columns;
  m_rows = rows;
  m_fixedColumns = fixedColumns;
  m_fixedRows = fixedRows;
  m_text = std::move(text);
  endResetModel();
}

void TFunctionGridModel::clear() {
  setGrid(0, 0, 0, 0, nullptr);
}

int TFunctionGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows;
}

int TFunctionGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_columns;
}

QVariant TFunctionGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_text) return {};
  const bool fixed = index.row() < m_fixedRows || index.column() < m_fixedColumns;
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(m_text(index.column(), index.row()));
    case Qt::BackgroundRole:
      if (fixed) return QApplication::palette().brush(QPalette::Button);
      return {};
    case Qt::TextAlignmentRole:
      return fixed ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

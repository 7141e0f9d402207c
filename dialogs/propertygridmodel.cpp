#include "dialogs/propertygridmodel.h"

#include "core/propertygrid.h"

void TPropertyGridModel::setObject(const statorium::TStatsObject* obj) {
  beginResetModel();
  m_obj = obj;
  m_rows = obj ? obj->MinValuesCount() : 0;
  endResetModel();
}

int TPropertyGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows;
}

int TPropertyGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !m_obj ? 0 : m_obj->propCount();
}

QVariant TPropertyGridModel::data(const QModelIndex& index, int role) const {
  if (!m_obj || !index.isValid() || role != Qt::DisplayRole) return {};
  return QString::fromStdString(statorium::propertyCellText(*m_obj, index.row(), index.column()));
}

QVariant TPropertyGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal)
    return QString::fromStdString(statorium::propertyHeader(section));
  return section + 1;
}

#include "app/samplegridmodel.h"

void TSampleGridModel::showSample(const statorium::TValues* sample, int gridWidth,
                                  int columnWidth) {
  beginResetModel();
  m_sample = sample;
  m_layout =
      statorium::SampleGridLayout::forWidth(sample ? sample->count() : 0, gridWidth, columnWidth);
  endResetModel();
}

int TSampleGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_layout.rows;
}

int TSampleGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_layout.columns;
}

QVariant TSampleGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_sample || role != Qt::DisplayRole) return {};
  return QString::fromStdString(
      statorium::sampleCellText(*m_sample, m_layout, index.row(), index.column()));
}

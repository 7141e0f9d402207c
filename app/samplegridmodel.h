#pragma once
// The sample grid's model: a virtual view of the working sample laid out row by row, so that a
// sample of millions of values costs no item per cell.

#include <QAbstractTableModel>

#include "core/samplegrid.h"
#include "core/values.h"

class TSampleGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TSampleGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  /// Shows `sample` (kept by the caller, who calls this again after every change) in the
  /// layout of a grid `gridWidth` pixels wide.
  void showSample(const statorium::TValues* sample, int gridWidth, int columnWidth);
  const statorium::SampleGridLayout& layout() const { return m_layout; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const statorium::TValues* m_sample = nullptr;
  statorium::SampleGridLayout m_layout;
};

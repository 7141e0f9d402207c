#pragma once
// A virtual model showing the properties of a statobject side by side, one column each, with
// "  #1", "  #2", ... as column headers.

#include <QAbstractTableModel>

#include "core/statsobject.h"

class TPropertyGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TPropertyGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  /// Shows `obj` (kept alive by the caller while shown); nullptr empties the grid.
  void setObject(const statorium::TStatsObject* obj);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const statorium::TStatsObject* m_obj = nullptr;
  int m_rows = 0;
};

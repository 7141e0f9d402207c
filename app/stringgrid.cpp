#include "app/stringgrid.h"

#include <QHeaderView>
#include <QMouseEvent>

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(20);
  setWordWrap(false);
}

QString TStringGrid::cellText(int row, int column) const {
  if (!model()) return {};
  const QModelIndex i = model()->index(row, column);
  return i.isValid() ? model()->data(i).toString() : QString();
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // The pop-up menu acts on the cell under the pointer, so select it first.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) {
      long long selected = 0;
      for (const QItemSelectionRange& r : selectionModel()->selection())
        selected += static_cast<long long>(r.width()) * r.height();
      const bool inRange =
          m_rightClickKeepsRange && selected > 1 && selectionModel()->isSelected(index);
      if (!inRange) setCurrentIndex(index);
      emit rightClicked(index);
    }
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void TStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (m_hintFollowsSelection && current.isValid()) setToolTip(model()->data(current).toString());
}

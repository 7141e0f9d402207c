#pragma once
// A grid view with the habits of the program's string grids: fixed row height, grid lines,
// no in-place editing, a hint that follows the selected cell, a rectangle of cells selected by
// dragging or with Shift, and a right click that selects the cell under the pointer before a
// pop-up menu opens (a click inside a selected rectangle keeps it, for the menu's Copy).

#include <QTableView>

class TStringGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TStringGrid(QWidget* parent = nullptr);

  /// The text of the cell (row, column), "" outside the grid.
  QString cellText(int row, int column) const;

  /// When set, the grid's hint becomes the text of each newly selected cell.
  void setHintFollowsSelection(bool on) { m_hintFollowsSelection = on; }
  /// When cleared, a right click always makes the cell under the pointer the only selected one.
  void setRightClickKeepsRange(bool on) { m_rightClickKeepsRange = on; }

 signals:
  /// A right click selected `index`; the pop-up menu (if any) opens after this.
  void rightClicked(const QModelIndex& index);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  bool m_hintFollowsSelection = true;
  bool m_rightClickKeepsRange = true;
};

#pragma once
// TRadioGroup: a captioned group of exclusive radio items addressed by position, with at most
// one chosen item (itemIndex -1 for none).

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  /// `scrollable` puts the items into a scroll area for long lists.
  TRadioGroup(const QString& caption, QWidget* parent, bool scrollable = false);

  /// Replaces the items; none is chosen afterwards.
  void setItems(const QStringList& items);
  int itemCount() const;
  QString itemText(int index) const;
  /// The chosen item, -1 for none.
  int itemIndex() const;
  /// Chooses an item without emitting itemClicked; an index outside the items chooses none.
  void setItemIndex(int index);
  /// Chooses an item as a user's click does (emits itemClicked).
  void clickItem(int index);

 signals:
  /// The user chose item `index`.
  void itemClicked(int index);

 private:
  QButtonGroup* m_group;
  QVBoxLayout* m_items;
};

#include "app/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& caption, QWidget* parent, bool scrollable)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this)) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 4, 6, 4);
  QWidget* host = this;
  if (scrollable) {
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // the items take the focus; the area follows it
    host = new QWidget(scroll);
    scroll->setWidget(host);
    outer->addWidget(scroll);
    m_items = new QVBoxLayout(host);
    m_items->setContentsMargins(0, 0, 0, 0);
  } else {
    m_items = new QVBoxLayout;
    outer->addLayout(m_items);
  }
  m_items->setSpacing(2);
  m_items->addStretch(1);
  connect(m_group, &QButtonGroup::idClicked, this, &TRadioGroup::itemClicked);
}

void TRadioGroup::setItems(const QStringList& items) {
  const QList<QAbstractButton*> old = m_group->buttons();
  for (QAbstractButton* b : old) {
    m_group->removeButton(b);
    delete b;
  }
  QWidget* host = m_items->parentWidget() ? m_items->parentWidget() : this;
  // Items made after the window's other controls would come last in the tab order: they are
  // moved to follow the group (which takes tab focus only while they are placed).
  const Qt::FocusPolicy policy = focusPolicy();
  setFocusPolicy(Qt::TabFocus);
  QWidget* previous = this;
  for (int i = 0; i < items.size(); ++i) {
    auto* rb = new QRadioButton(items[i], host);
    QWidget::setTabOrder(previous, rb);
    previous = rb;
    // Items keep the normal weight under a bold caption.
    QFont f = rb->font();
    f.setBold(false);
    rb->setFont(f);
    m_group->addButton(rb, i);
    m_items->insertWidget(m_items->count() - 1, rb);
  }
  setFocusPolicy(policy);
}

int TRadioGroup::itemCount() const {
  return static_cast<int>(m_group->buttons().size());
}

QString TRadioGroup::itemText(int index) const {
  QAbstractButton* b = m_group->button(index);
  return b ? b->text() : QString();
}

int TRadioGroup::itemIndex() const {
  return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
  if (QAbstractButton* b = m_group->button(index)) {
    b->setChecked(true);
  } else if (QAbstractButton* c = m_group->checkedButton()) {
    m_group->setExclusive(false);
    c->setChecked(false);
    m_group->setExclusive(true);
  }
}

void TRadioGroup::clickItem(int index) {
  if (QAbstractButton* b = m_group->button(index)) b->click();
}

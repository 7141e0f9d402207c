#include "dialogs/selectdialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/copyexport.h"
#include "app/prompter.h"
#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "core/propertygrid.h"
#include "dialogs/propertygridmodel.h"

namespace {

TRadioGroup* makeGroup(const QString& name, const QString& caption, QWidget* parent) {
  auto* box = new TRadioGroup(caption, parent, true);
  box->setObjectName(name);
  QFont bold = box->font();
  bold.setBold(true);
  box->setFont(bold);
  return box;
}

}  // namespace

TfrmSelect::TfrmSelect(TPrompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmSelect"));
  setWindowTitle(QStringLiteral("Select characteristics"));
  resize(686, 285);

  datas = new TStringGrid(this);
  datas->setObjectName(QStringLiteral("datas"));
  datas->verticalHeader()->hide();
  datas->horizontalHeader()->setDefaultSectionSize(80);
  m_model = new TPropertyGridModel(this);
  datas->setModel(m_model);
  addGridCommands(datas, m_prompter);

  rgFirst = makeGroup(QStringLiteral("rgFirst"), QStringLiteral("First characteristic"), this);
  rgSecond = makeGroup(QStringLiteral("rgSecond"), QStringLiteral("Second characteristic"), this);

  ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("&OK"),
                       this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                            QStringLiteral("&Cancel"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  connect(ok, &QPushButton::clicked, this, &TfrmSelect::accept);
  connect(BitBtn1, &QPushButton::clicked, this, &TfrmSelect::reject);

  auto* groups = new QHBoxLayout;
  groups->addWidget(rgFirst);
  groups->addWidget(rgSecond);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(BitBtn1);
  auto* right = new QVBoxLayout;
  right->addLayout(groups, 1);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(datas, 1);
  layout->addLayout(right);
}

int TfrmSelect::ShowModal(const statorium::TStatsObject& obj, const statorium::TValues** first,
                          const statorium::TValues** second) {
  m_model->setObject(&obj);
  QStringList items;
  for (int p = 0; p < obj.propCount(); ++p)
    items << QString::fromStdString(statorium::propertyHeader(p));
  rgFirst->setItems(items);
  rgSecond->setItems(items);
  rgFirst->setItemIndex(0);
  // With a single property the second choice falls back to its only item.
  rgSecond->setItemIndex(items.size() > 1 ? 1 : 0);
  rgFirst->setEnabled(first && *first);
  rgSecond->setEnabled(second && *second);

  const int result = m_prompter.execDialog(this);
  if (result == QDialog::Accepted) {
    if (first && *first && firstIndex() >= 0) *first = &obj.Prop(firstIndex());
    if (second && *second && secondIndex() >= 0) *second = &obj.Prop(secondIndex());
  }
  m_model->setObject(nullptr);  // the statobject belongs to the caller and may go away
  return result;
}

int TfrmSelect::firstIndex() const {
  return rgFirst->itemIndex();
}
int TfrmSelect::secondIndex() const {
  return rgSecond->itemIndex();
}
void TfrmSelect::setFirstIndex(int index) {
  rgFirst->setItemIndex(index);
}
void TfrmSelect::setSecondIndex(int index) {
  rgSecond->setItemIndex(index);
}

void TfrmSelect::accept() {
  if (rgSecond->itemCount() > 0 && (firstIndex() < 0 || secondIndex() < 0)) return;
  QDialog::accept();
}

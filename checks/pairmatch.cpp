#include "checks/pairmatch.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "app/copyexport.h"
#include "app/stringgrid.h"
#include "app/textgridmodel.h"

TfrmPairMatch::TfrmPairMatch(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmPairMatch"));
  setWindowTitle(QStringLiteral("Pair match"));
  StringGrid1 = new TStringGrid(this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  m_table = new TTextGridModel(0, this);
  StringGrid1->setModel(m_table);
  // No fixed rows or columns.
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->horizontalHeader()->setDefaultSectionSize(64);
  addGridCommands(StringGrid1, prompter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(StringGrid1);
  resize(560, 400);
}

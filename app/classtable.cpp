#include "app/classtable.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmClassTable::TfrmClassTable(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmClassTable"));
  setWindowTitle(QStringLiteral("Class data"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

#include "checks/pairmatch.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmPairMatch::TfrmPairMatch(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmPairMatch"));
  setWindowTitle(QStringLiteral("Pair match"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

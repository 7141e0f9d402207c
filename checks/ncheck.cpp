#include "checks/ncheck.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmNCheck::TfrmNCheck(TPrompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmNCheck"));
  setWindowTitle(QStringLiteral("Similarity check"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

#include "analysisnd/regression.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmRegression::TfrmRegression(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmRegression"));
  setWindowTitle(QStringLiteral("Regression..."));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

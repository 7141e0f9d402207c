#include "checks/paramscheck.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmParamsCheck::TfrmParamsCheck(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmParamsCheck"));
  setWindowTitle(QStringLiteral("Parameters check..."));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

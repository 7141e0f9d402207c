#include "analysisnd/nd.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmND::TfrmND(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmND"));
  setWindowTitle(QStringLiteral("Multi-dimensional analysis"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

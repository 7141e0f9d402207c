#include "app/settings.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmSettings::TfrmSettings(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("Settings"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

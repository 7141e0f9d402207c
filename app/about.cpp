#include "app/about.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmAboutBox::TfrmAboutBox(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmAboutBox"));
  setWindowTitle(QStringLiteral("About"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

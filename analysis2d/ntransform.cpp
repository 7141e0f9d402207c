#include "analysis2d/ntransform.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmNTransform::TfrmNTransform(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmNTransform"));
  setWindowTitle(QStringLiteral("Data transformation"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

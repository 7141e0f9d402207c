#include "analysis2d/twod.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

Tfrm2D::Tfrm2D(TPrompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frm2D"));
  setWindowTitle(QStringLiteral("Two-dimensional analysis"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

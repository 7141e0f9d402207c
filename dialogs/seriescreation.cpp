#include "dialogs/seriescreation.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"

TfrmSeriesCreation::TfrmSeriesCreation(TPrompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmSeriesCreation"));
  setWindowTitle(QStringLiteral("Series creation..."));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

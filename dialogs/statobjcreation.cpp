#include "dialogs/statobjcreation.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/prompter.h"
#include "core/sampleopening.h"
#include "dialogs/selectdialog.h"

TfrmCreateStatObj::TfrmCreateStatObj(TPrompter& prompter, TApplicationWindows& windows,
                                     QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_windows(windows) {
  setObjectName(QStringLiteral("frmCreateStatObj"));
  setWindowTitle(QStringLiteral("Statobject creation..."));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("This window is not available in this version."), this));
  resize(420, 160);
}

std::unique_ptr<statorium::TStatsObject> TfrmCreateStatObj::ShowModal() {
  statobj.reset();
  if (m_prompter.execDialog(this) != QDialog::Accepted) return nullptr;
  return std::move(statobj);
}

statorium::TValues TfrmCreateStatObj::openValues(const QString& fileName, TfrmSelect& select) {
  return statorium::openValues(fileName.toStdString(), [&](const statorium::TStatsObject& obj) {
    const statorium::TValues* first = &obj.Prop(0);
    select.ShowModal(obj, &first, nullptr);
    for (int i = 0; i < obj.propCount(); ++i)
      if (&obj.Prop(i) == first) return i;
    return 0;
  });
}

#include "dialogs/lawpanels.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/numtext.h"

namespace {

QString general(long double v) {
  return QString::fromStdString(statorium::formatGeneral(v));
}

}  // namespace

TLawPanels::TLawPanels(QWidget* parent) {
  // The parameter symbols are large serif letters.
  QFont symbol(QStringLiteral("Times New Roman"), 18);
  symbol.setStyleHint(QFont::Serif);
  auto makePanel = [&](const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    new QFormLayout(panel);
    return panel;
  };
  auto addParameter = [&](QWidget* panel, const char* labelName, const QString& letter,
                          const char* editName, QLineEdit*& edit) {
    auto* label = new QLabel(letter, panel);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setFont(symbol);
    edit = new QLineEdit(panel);
    edit->setObjectName(QString::fromLatin1(editName));
    static_cast<QFormLayout*>(panel->layout())->addRow(label, edit);
  };
  pE = makePanel("pE");
  addParameter(pE, "Label2", QStringLiteral("λ"), "eL", eL);
  pN = makePanel("pN");
  addParameter(pN, "Label3", QStringLiteral("σ"), "eS", eS);
  addParameter(pN, "Label4", QStringLiteral("m"), "eM", eM);
  pW = makePanel("pW");
  addParameter(pW, "Label5", QStringLiteral("α"), "eA", eA);
  addParameter(pW, "Label6", QStringLiteral("β"), "eB", eB);
  // The start texts in the user's decimal form.
  eL->setText(general(0.3L));
  eS->setText(general(100.3L));
  eM->setText(general(35.2L));
  eA->setText(general(10.5L));
  eB->setText(general(4.2L));
}

void TLawPanels::show(int index) {
  pE->setVisible(index == 0);
  pN->setVisible(index == 1);
  pW->setVisible(index == 2);
}

std::pair<QString, QString> TLawPanels::texts(int index) const {
  if (index == 1) return {eS->text(), eM->text()};
  if (index == 2) return {eA->text(), eB->text()};
  return {eL->text(), QString()};
}

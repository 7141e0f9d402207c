#include "dialogs/seriescreation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/guard.h"
#include "app/prompter.h"
#include "app/radiogroup.h"
#include "core/numtext.h"
#include "core/series.h"

namespace {

QGroupBox* boldBox(const QString& caption, const char* name, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  QFont f = box->font();
  f.setBold(true);
  box->setFont(f);
  return box;
}

QString general(long double v) {
  return QString::fromStdString(statorium::formatGeneral(v));
}

}  // namespace

TfrmSeriesCreation::TfrmSeriesCreation(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      m_prompter(prompter) {
  setObjectName(QStringLiteral("frmSeriesCreation"));
  setWindowTitle(QStringLiteral("Series creation..."));
  setFont(QFont(QStringLiteral("Verdana"), 8));

  auto* title = new QLabel(QStringLiteral("Law type"), this);
  title->setObjectName(QStringLiteral("StaticText1"));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  rgType = new TRadioGroup(QStringLiteral("Law type"), this);
  rgType->setObjectName(QStringLiteral("rgType"));
  rgType->setItems(
      {QStringLiteral("Exponential"), QStringLiteral("Normal"), QStringLiteral("Weibull's")});
  rgType->setItemIndex(0);
  Button1 = new QPushButton(QStringLiteral("Create series"), this);
  Button1->setObjectName(QStringLiteral("Button1"));

  QGroupBox* size = boldBox(QStringLiteral("Series size"), "GroupBox1", this);
  eCount = new QLineEdit(QStringLiteral("100"), size);
  eCount->setObjectName(QStringLiteral("eCount"));
  QFont plain = eCount->font();
  plain.setBold(false);
  eCount->setFont(plain);
  (new QVBoxLayout(size))->addWidget(eCount);

  // One panel per law in the same place; the parameter symbols are large serif letters.
  QFont symbol(QStringLiteral("Times New Roman"), 18);
  symbol.setStyleHint(QFont::Serif);
  auto makePanel = [&](const char* name) {
    auto* panel = new QWidget(this);
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
  // FormCreate: the start texts in the user's decimal form.
  eL->setText(general(0.3L));
  eS->setText(general(100.3L));
  eM->setText(general(35.2L));
  eA->setText(general(10.5L));
  eB->setText(general(4.2L));

  QGroupBox* results = boldBox(QStringLiteral("Evaluation results"), "GroupBox2", this);
  textResult = new QPlainTextEdit(results);
  textResult->setObjectName(QStringLiteral("textResult"));
  textResult->setReadOnly(true);
  textResult->setFont(plain);
  (new QVBoxLayout(results))->addWidget(textResult);

  auto* left = new QVBoxLayout;
  left->addWidget(title);
  left->addWidget(rgType);
  left->addStretch(1);
  left->addWidget(Button1);
  auto* right = new QVBoxLayout;
  right->addWidget(size);
  right->addWidget(pE);
  right->addWidget(pN);
  right->addWidget(pW);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(results, 1);
  resize(302, 262);
  rgTypeClick();

  connect(rgType, &TRadioGroup::itemClicked, this, [this] { rgTypeClick(); });
  // The button closes the window with OK after its handler, whether the handler succeeded or
  // not: the caller then loads the last series created.
  connect(Button1, &QPushButton::clicked, this, [this] {
    runGuarded(m_prompter, this, [this] { Button1Click(); });
    accept();
  });
}

QString TfrmSeriesCreation::dataFolder() const {
  if (!m_dataFolder.isEmpty()) return m_dataFolder;
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
}

void TfrmSeriesCreation::rgTypeClick() {
  const int index = rgType->itemIndex();
  pE->setVisible(index == 0);
  pN->setVisible(index == 1);
  pW->setVisible(index == 2);
}

void TfrmSeriesCreation::Button1Click() {
  using namespace statorium;
  TRandomSource random = TRandomSource::fromClock();
  const SeriesLaw law = static_cast<SeriesLaw>(std::max(0, rgType->itemIndex()));
  const int n = parseSeriesSize(eCount->text().toStdString());
  const SeriesParameters p =
      law == SeriesLaw::Exponential ? parseSeriesParameters(law, eL->text().toStdString(), "")
      : law == SeriesLaw::Normal
          ? parseSeriesParameters(law, eS->text().toStdString(), eM->text().toStdString())
          : parseSeriesParameters(law, eA->text().toStdString(), eB->text().toStdString());
  TValues values = generateSeries(law, p, n, random);
  const std::string path =
      newSeriesPath(dataFolder().toStdString(), eCount->text().toStdString(), law);
  values.SaveToFile(path);
  if (!values.empty()) values.QuickSort();
  textResult->clear();
  for (const std::string& line : evaluateSeries(law, p, values))
    textResult->appendPlainText(QString::fromStdString(line));
  m_fileName = QString::fromStdString(path);
}

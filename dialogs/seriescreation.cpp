#include "dialogs/seriescreation.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <string>
#include <vector>

#include "app/copyexport.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "app/radiogroup.h"
#include "core/fpfault.h"
#include "core/progress.h"
#include "core/series.h"
#include "dialogs/lawpanels.h"

namespace {

QGroupBox* boldBox(const QString& caption, const char* name, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  QFont f = box->font();
  f.setBold(true);
  box->setFont(f);
  return box;
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
  Button1 = new QPushButton(QStringLiteral("&Create series"), this);
  Button1->setObjectName(QStringLiteral("Button1"));

  QGroupBox* size = boldBox(QStringLiteral("Series size"), "GroupBox1", this);
  eCount = new QLineEdit(QStringLiteral("100"), size);
  eCount->setObjectName(QStringLiteral("eCount"));
  QFont plain = eCount->font();
  plain.setBold(false);
  eCount->setFont(plain);
  (new QVBoxLayout(size))->addWidget(eCount);

  m_laws = std::make_unique<TLawPanels>(this);

  QGroupBox* results = boldBox(QStringLiteral("Evaluation results"), "GroupBox2", this);
  textResult = new QPlainTextEdit(results);
  textResult->setObjectName(QStringLiteral("textResult"));
  textResult->setReadOnly(true);
  textResult->setFont(plain);
  (new QVBoxLayout(results))->addWidget(textResult);
  addMemoCommands(textResult, m_prompter);

  auto* left = new QVBoxLayout;
  left->addWidget(title);
  left->addWidget(rgType);
  left->addStretch(1);
  left->addWidget(Button1);
  auto* right = new QVBoxLayout;
  right->addWidget(size);
  right->addWidget(m_laws->pE);
  right->addWidget(m_laws->pN);
  right->addWidget(m_laws->pW);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(results, 1);
  resize(302, 262);
  rgTypeClick();
  // The law, the size and the parameters before the button that creates the series.
  QWidget* const chain[] = {eCount,     m_laws->eL, m_laws->eS, m_laws->eM,
                            m_laws->eA, m_laws->eB, Button1,    textResult};
  for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);

  connect(rgType, &TRadioGroup::itemClicked, this, [this] { rgTypeClick(); });
  // The button closes the window with OK after its handler, whether the handler succeeded or
  // not: the caller then loads the last series created.
  connect(Button1, &QPushButton::clicked, this, [this] {
    runGuarded(m_prompter, this, [this] { Button1Click(); });
    accept();
  });
}

TfrmSeriesCreation::~TfrmSeriesCreation() = default;

QString TfrmSeriesCreation::dataFolder() const {
  if (!m_dataFolder.isEmpty()) return m_dataFolder;
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
}

void TfrmSeriesCreation::rgTypeClick() {
  m_laws->show(rgType->itemIndex());
}

void TfrmSeriesCreation::Button1Click() {
  using namespace statorium;
  TRandomSource random = TRandomSource::fromClock();
  const SeriesLaw law = static_cast<SeriesLaw>(std::max(0, rgType->itemIndex()));
  const int n = parseSeriesSize(eCount->text().toStdString());
  const auto [first, second] = m_laws->texts(static_cast<int>(law));
  const SeriesParameters p = parseSeriesParameters(law, first.toStdString(), second.toStdString());
  // A series of millions of values takes seconds, most of them writing its file. It is
  // evaluated first and written last, so that a cancel at any point leaves no new file and the
  // window as it was.
  TShareProgress display(m_prompter, this, QStringLiteral("Creating the series..."));
  const TValues values = generateSeries(law, p, n, random);
  const std::string path =
      newSeriesPath(dataFolder().toStdString(), eCount->text().toStdString(), law);
  reportProgress(display.progress(), 0.05);
  TValues sorted = values.Clone();
  if (!sorted.empty()) sorted.QuickSort();
  reportProgress(display.progress(), 0.15);
  std::vector<std::string> lines;
  std::exception_ptr failure;  // a failed evaluation still leaves the series written
  try {
    lines = evaluateSeries(law, p, sorted);
  } catch (const Cancelled&) {
    throw;
  } catch (...) {
    failure = std::current_exception();
    clearFpFaults();
  }
  reportProgress(display.progress(), 0.25);
  values.SaveToFile(path, progressPart(display.progress(), 0.25, 1));
  display.close();
  textResult->clear();
  if (failure) std::rethrow_exception(failure);
  for (const std::string& line : lines) textResult->appendPlainText(QString::fromStdString(line));
  m_fileName = QString::fromStdString(path);
}

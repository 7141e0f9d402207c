#include "checks/paramscheck.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/copyexport.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "app/textgridmodel.h"
#include "checks/checkwidgets.h"
#include "checks/pairmatch.h"
#include "core/experiment.h"
#include "dialogs/lawpanels.h"

namespace {

QFont plainFont(const QWidget* w) {
  QFont f = w->font();
  f.setBold(false);
  return f;
}

QLineEdit* editIn(QGroupBox* box, const char* name, const QString& text) {
  auto* edit = new QLineEdit(text, box);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setFont(plainFont(edit));
  (new QVBoxLayout(box))->addWidget(edit);
  return edit;
}

// Columns at least `minimum` pixels wide, wider where a text would otherwise be cut off. Sized
// from the first rows only: the texts of a column all have the same form.
void fitColumns(TStringGrid* grid, int minimum) {
  for (int c = 0; c < grid->model()->columnCount(); ++c) {
    int width = minimum;
    for (int r = 0; r < std::min(grid->model()->rowCount(), 20); ++r)
      width = std::max(width, grid->fontMetrics().horizontalAdvance(grid->cellText(r, c)) + 12);
    grid->setColumnWidth(c, width);
  }
}

}  // namespace

TfrmParamsCheck::TfrmParamsCheck(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_prompter(prompter) {
  setObjectName(QStringLiteral("frmParamsCheck"));
  setWindowTitle(QStringLiteral("Parameters check..."));

  // The bold static text stands in for the radio group's caption.
  auto* title = new QLabel(QStringLiteral("Law type"), this);
  title->setObjectName(QStringLiteral("StaticText1"));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  rgType = new TRadioGroup(QString(), this);
  rgType->setObjectName(QStringLiteral("rgType"));
  rgType->setItems(
      {QStringLiteral("Exponential"), QStringLiteral("Normal"), QStringLiteral("Weibull's")});
  rgType->setItemIndex(0);
  Button1 = new QPushButton(QStringLiteral("&Run checks"), this);
  Button1->setObjectName(QStringLiteral("Button1"));

  QGroupBox* size = boldGroup(QStringLiteral("Series size"), this);
  eCount = editIn(size, "eCount", QStringLiteral("100"));
  QGroupBox* checks = boldGroup(QStringLiteral("Checks count"), this);
  eCheckCount = editIn(checks, "eCheckCount", QStringLiteral("25"));
  m_laws = std::make_unique<TLawPanels>(this);

  QGroupBox* results = boldGroup(QStringLiteral("Result, avg parameters"), this);
  result1 = new QLabel(results);
  result1->setObjectName(QStringLiteral("result1"));
  result2 = new QLabel(results);
  result2->setObjectName(QStringLiteral("result2"));
  auto* resultsLayout = new QVBoxLayout(results);
  for (QLabel* l : {result1, result2}) {
    l->setFont(plainFont(l));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resultsLayout->addWidget(l);
  }

  QGroupBox* evaluation = boldGroup(QStringLiteral("Evaluation details"), this);
  details = new TStringGrid(evaluation);
  details->setObjectName(QStringLiteral("details"));
  details->setFont(plainFont(details));
  m_details = new TTextGridModel(4, this);
  details->setModel(m_details);
  details->verticalHeader()->hide();  // no fixed column
  details->horizontalHeader()->setDefaultSectionSize(100);
  (new QVBoxLayout(evaluation))->addWidget(details);
  addGridCommands(details, m_prompter);
  // FormCreate: the header and one empty row.
  m_details->setHeader({QStringLiteral("Parameter 1"), QStringLiteral("t-Test result"),
                        QStringLiteral("Parameter 2"), QStringLiteral("t-Test result")});
  m_details->resize(1, 4);

  auto* left = new QVBoxLayout;
  left->addWidget(title);
  left->addWidget(rgType);
  left->addStretch(1);
  left->addWidget(Button1);
  auto* middle = new QVBoxLayout;
  middle->addWidget(size);
  middle->addWidget(m_laws->pE);
  middle->addWidget(m_laws->pN);
  middle->addWidget(m_laws->pW);
  middle->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(checks);
  right->addWidget(results);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(middle);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(evaluation, 1);
  setFixedWidth(540);  // fixed width, resizable in height
  resize(540, 420);
  rgTypeClick();
  // The law, the sizes and the parameters before the button that runs them.
  QWidget* const chain[] = {eCount,     m_laws->eL,  m_laws->eS, m_laws->eM, m_laws->eA,
                            m_laws->eB, eCheckCount, Button1,    details};
  for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);

  connect(rgType, &TRadioGroup::itemClicked, this, [this] { rgTypeClick(); });
  connect(Button1, &QPushButton::clicked, this,
          [this] { runGuarded(m_prompter, this, [this] { Button1Click(); }); });
}

TfrmParamsCheck::~TfrmParamsCheck() = default;

void TfrmParamsCheck::rgTypeClick() {
  m_laws->show(rgType->itemIndex());
}

void TfrmParamsCheck::Button1Click() {
  using namespace statorium;
  TRandomSource random = m_seed ? TRandomSource(*m_seed) : TRandomSource::fromClock();
  ExperimentSettings settings;
  settings.law = static_cast<SeriesLaw>(std::max(0, rgType->itemIndex()));
  settings.sizeText = eCount->text().toStdString();
  settings.checkCountText = eCheckCount->text().toStdString();
  const auto [first, second] = m_laws->texts(static_cast<int>(settings.law));
  settings.firstText = first.toStdString();
  settings.secondText = second.toStdString();
  TExperiment experiment(planFromTexts(settings), random);

  m_details->resize(0, 4);  // the header row stays
  m_details->resize(1, 4);
  const int checks = experiment.checkCount();
  // Checks and pair rows are the steps; the display appears only for runs of over a second.
  std::unique_ptr<TProgress> progress =
      m_prompter.startProgress(this, QStringLiteral("Running checks..."), 2 * std::max(checks, 0));
  for (int c = 0; c < checks; ++c) {
    const std::array<std::string, 4> row = experiment.runCheck();
    m_details->setRow(c, {row.begin(), row.end()});
    m_details->resize(c + 2, 4);
    if (c == 0) fitColumns(details, 100);
    if (!progress->setValue(c + 1)) return;
  }

  const std::vector<std::string> averages = experiment.results();
  QLabel* labels[] = {result1, result2};
  for (size_t p = 0; p < averages.size(); ++p)
    labels[p]->setText(QString::fromStdString(averages[p]));

  if (!m_pairMatch) return;
  TTextGridModel* table = m_pairMatch->table();
  const int done = experiment.checksDone();
  table->resize(0, 0);
  table->resize(done, done);
  for (int i = 0; i < done; ++i) {
    table->setRow(i, experiment.pairRow(i));
    if (!progress->setValue(checks + i + 1)) return;
  }
  progress.reset();
  fitColumns(m_pairMatch->findChild<TStringGrid*>(QStringLiteral("StringGrid1")), 24);
  m_prompter.execDialog(m_pairMatch);
}

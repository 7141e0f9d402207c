#include "analysisnd/nd.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "analysis2d/ntransform.h"
#include "analysisnd/gridview.h"
#include "analysisnd/regression.h"
#include "app/copyexport.h"
#include "app/functiongridmodel.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "app/statobjectmenu.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "checks/ncheck.h"
#include "core/progress.h"
#include "dialogs/statobjcreation.h"

TfrmND::TfrmND(TPrompter& prompter, TApplicationWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_prompter(prompter),
      m_windows(windows) {
  setObjectName(QStringLiteral("frmND"));
  setWindowTitle(QStringLiteral("Multi-dimensional analysis"));

  const TStatobjectMenu statobject = makeStatobjectMenu(this);
  QMenuBar* menu = statobject.bar;
  Composeobject1 = statobject.compose;
  Open1 = statobject.open;
  Close1 = statobject.close;
  Similaritycheck1 = menu->addAction(QStringLiteral("Si&milarity check"));
  Similaritycheck1->setObjectName(QStringLiteral("Similaritycheck1"));

  MMC = new QTabWidget(this);
  MMC->setObjectName(QStringLiteral("MMC"));
  auto* TabSheet1 = new QWidget(MMC);
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  auto* TabSheet2 = new QWidget(MMC);
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  auto* TabSheet3 = new QWidget(MMC);
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  MMC->addTab(TabSheet1, QStringLiteral("Prime analysis"));
  MMC->addTab(TabSheet2, QStringLiteral("Properies dependence"));
  MMC->addTab(TabSheet3, QStringLiteral("MMC"));

  // "Prime analysis"
  auto* prime = new QVBoxLayout(TabSheet1);
  prime->addWidget(gridCaption(QStringLiteral("Sample averages"), "StaticText1", TabSheet1));
  gAvg = makeGrid("gAvg", m_gAvg, TabSheet1);
  gAvg->setMaximumHeight(52);
  prime->addWidget(gAvg);
  prime->addWidget(
      gridCaption(QStringLiteral("Sample dispersions and covariations"), "StaticText2", TabSheet1));
  gD = makeGrid("gD", m_gD, TabSheet1);
  prime->addWidget(gD, 1);
  prime->addWidget(
      gridCaption(QStringLiteral("Sample pair correlations"), "StaticText3", TabSheet1));
  gR = makeGrid("gR", m_gR, TabSheet1);
  prime->addWidget(gR, 1);

  // "Properies dependence"
  auto* dependence = new QGridLayout(TabSheet2);
  dependence->addWidget(gridCaption(QString::fromLatin1(statorium::kPartialCorrelationsTitle),
                                    "StaticText4", TabSheet2),
                        0, 0, 1, 2);
  gPR = makeGrid("gPR", m_gPR, TabSheet2);
  gPR->setHintFollowsSelection(false);
  gPR->setToolTip(QStringLiteral("Click on the grid to get tolerance intervals"));
  dependence->addWidget(gPR, 1, 0, 1, 2);
  dependence->addWidget(gridCaption(QString::fromLatin1(statorium::kMultipleCorrelationsTitle),
                                    "StaticText5", TabSheet2),
                        2, 0, 1, 2);
  gMR = makeGrid("gMR", m_gMR, TabSheet2);
  gMR->setHintFollowsSelection(false);
  gMR->setMaximumHeight(52);
  dependence->addWidget(gMR, 3, 0, 1, 2);
  bEval = new QPushButton(QStringLiteral("&Evaluate"), TabSheet2);
  bEval->setObjectName(QStringLiteral("bEval"));
  dependence->addWidget(bEval, 4, 1, Qt::AlignRight);
  dependence->setRowStretch(1, 1);

  // "MMC"
  auto* mmc = new QGridLayout(TabSheet3);
  mmc->addWidget(gridCaption(QString::fromLatin1(statorium::kMMCTitle), "StaticText8", TabSheet3),
                 0, 0);
  DD = makeGrid("DD", m_DD, TabSheet3);
  mmc->addWidget(DD, 1, 0);
  mmc->addWidget(
      gridCaption(QString::fromLatin1(statorium::kOwnValuesTitle), "StaticText6", TabSheet3), 0, 1);
  ownVV = makeGrid("ownVV", m_ownVV, TabSheet3);
  mmc->addWidget(ownVV, 1, 1);
  mmc->addWidget(gridCaption(QString::fromLatin1(statorium::TransformedData::kTitle), "StaticText7",
                             TabSheet3),
                 2, 0, 1, 2);
  transData = makeGrid("transData", m_transData, TabSheet3);
  mmc->addWidget(transData, 3, 0, 1, 2);
  mmc->setRowStretch(1, 1);
  mmc->setRowStretch(3, 1);

  for (TStringGrid* g : {gAvg, gD, gR, gPR, gMR, DD, ownVV, transData})
    addGridCommands(g, m_prompter);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(MMC);
  resize(820, 600);

  connect(Open1, &QAction::triggered, this, [this] { guarded([this] { Open1Click(); }); });
  connect(Composeobject1, &QAction::triggered, this,
          [this] { guarded([this] { Composeobject1Click(); }); });
  connect(Close1, &QAction::triggered, this, &QDialog::close);
  connect(Similaritycheck1, &QAction::triggered, this,
          [this] { guarded([this] { Similaritycheck1Click(); }); });
  connect(bEval, &QPushButton::clicked, this, [this] { guarded([this] { bEvalClick(); }); });
  connect(gPR, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& i) { guarded([this, i] { gPRClick(i.column(), i.row()); }); });
  connect(gMR, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& i) { guarded([this, i] { gMRClick(i.column(), i.row()); }); });
}

TfrmND::~TfrmND() = default;

void TfrmND::guarded(const std::function<void()>& handler) {
  runGuarded(m_prompter, this, handler);
}

void TfrmND::Open1Click() {
  TFileDialogOptions o;
  o.title = QStringLiteral("Open");
  o.filter = QStringLiteral("Any file (*)");
  o.directory = QStringLiteral("./sta/");
  const QString path = m_prompter.getOpenFileName(this, o);
  // No file, or one that cannot be read, leaves the window without a statobject.
  auto forget = [this] {
    m_obj.reset();
    m_fileName.clear();
  };
  if (path.isEmpty()) {
    forget();
    return;
  }
  auto obj = std::make_unique<statorium::TStatsObject>();
  try {
    TShareProgress display(m_prompter, this, readingText(path));
    obj->readObject(path.toStdString(), display.progress());
  } catch (const statorium::Cancelled&) {
    throw;
  } catch (...) {
    forget();
    throw;
  }
  take(std::move(obj), path);
}

void TfrmND::Composeobject1Click() {
  std::unique_ptr<statorium::TStatsObject> obj = m_windows.frmCreateStatObj->ShowModal();
  if (!obj) {
    m_obj.reset();
    m_fileName.clear();
    return;
  }
  take(std::move(obj), QString());
}

void TfrmND::Similaritycheck1Click() {
  m_prompter.execDialog(m_windows.frmNCheck);
}

void TfrmND::take(std::unique_ptr<statorium::TStatsObject> obj, const QString& fileName) {
  auto keep = [&] {
    m_obj = std::move(obj);
    m_fileName = fileName;
  };
  if (obj->propCount() < 2) {
    keep();
    return;
  }
  TfrmNTransform* transform = m_windows.frmNTransform;
  transform->standardBox()->setEnabled(true);
  transform->independentBox()->setEnabled(false);
  m_prompter.execDialog(transform);
  const bool standard = transform->standardBox()->isChecked();
  statorium::NDAnalysis analysis;
  try {
    TShareProgress display(m_prompter, this, QStringLiteral("Analysing..."));
    statorium::ProcessObject(*obj, standard, analysis, display.progress());
  } catch (const statorium::Cancelled&) {
    throw;
  } catch (...) {
    keep();
    m_analysis = std::move(analysis);
    render();  // the grids the run filled stay visible behind the error box
    throw;
  }
  keep();
  m_analysis = std::move(analysis);
  render();
  m_prompter.showMessage(this, QString::fromStdString(m_analysis.message()));
  writeMainComponents();
  setWindowTitle(QStringLiteral("Multi-dimensional analysis: ") + m_fileName);
}

void TfrmND::render() {
  showTextGrid(m_gAvg, m_analysis.gAvg);
  showTextGrid(m_gD, m_analysis.gD);
  showTextGrid(m_gR, m_analysis.gR);
  showTextGrid(m_DD, m_analysis.DD);
  showTextGrid(m_ownVV, m_analysis.ownVV);
  const statorium::TransformedData& data = m_analysis.transData;
  m_transData->setGrid(data.columnCount(), data.rowCount(), 1, 1,
                       [&data](int c, int r) { return data.cell(c, r); });
}

// The main components go beside the opened file ("data.sta" gives "datai.sta"). An existing
// file there is replaced only with the user's consent; a composed statobject, which has no file,
// and a refused replacement ask for the path (the save dialog itself confirms a replacement).
void TfrmND::writeMainComponents() {
  std::optional<std::string> path = statorium::mainComponentsFileName(m_fileName.toStdString());
  if (path && QFileInfo::exists(QString::fromStdString(*path)) &&
      !m_prompter.askYesNo(this, QStringLiteral("The file \"%1\" already exists. Replace it?")
                                     .arg(QString::fromStdString(*path))))
    path.reset();
  if (!path) {
    TFileDialogOptions o;
    o.title = QStringLiteral("Save main components");
    o.filter = QStringLiteral("Statobject (*.sta)");
    o.defaultSuffix = QStringLiteral("sta");
    const QString chosen = m_prompter.getSaveFileName(this, o);
    if (chosen.isEmpty()) return;
    path = chosen.toStdString();
  }
  statorium::writeMainComponents(m_analysis, *path, true);
}

void TfrmND::bEvalClick() {
  if (!m_obj) {
    m_prompter.showInformation(
        this, QStringLiteral("There is no object"),
        QStringLiteral("Select object first: Statobject->Open or Statobject->Compose"));
    return;
  }
  {
    TShareProgress display(m_prompter, this, QStringLiteral("Evaluating..."));
    m_dependence = statorium::Evaluate(*m_obj, display.progress());
  }
  showTextGrid(m_gPR, m_dependence.gPR);
  showTextGrid(m_gMR, m_dependence.gMR);
}

void TfrmND::gPRClick(int column, int row) {
  gPR->setToolTip(
      QString::fromStdString(statorium::partialCorrelationHint(m_dependence, column, row)));
}

void TfrmND::gMRClick(int column, int row) {
  const statorium::TextGrid& grid = m_dependence.gMR;
  const bool valueCell =
      m_obj && row == 1 && row < grid.rowCount() && column >= 0 && column < grid.columnCount();
  const std::string shown = valueCell ? grid.cell(column, row) : std::string();
  if (shown.empty() || shown == "0.0000" || shown == "0,0000") {
    m_prompter.showMessage(this, QString::fromLatin1(statorium::kNotImportant));
    return;
  }
  statorium::TRegression regression;
  {
    // A cancel leaves the regression window as it was, unopened.
    TShareProgress display(m_prompter, this, QStringLiteral("Computing the regression..."));
    regression = statorium::Regression(*m_obj, column, shown, display.progress());
  }
  m_windows.frmRegression->showRegression(std::move(regression));
  m_prompter.execDialog(m_windows.frmRegression);
}

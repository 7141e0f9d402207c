#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "analysis2d/twod.h"
#include "analysisnd/nd.h"
#include "app/about.h"
#include "app/classtable.h"
#include "app/copyexport.h"
#include "app/filedrop.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "app/radiogroup.h"
#include "app/samplegridmodel.h"
#include "app/settings.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "checks/checkmanyvariants.h"
#include "checks/checkvariants.h"
#include "checks/paramscheck.h"
#include "core/errors.h"
#include "core/fpfault.h"
#include "core/numtext.h"
#include "core/progress.h"
#include "dialogs/selectdialog.h"
#include "dialogs/seriescreation.h"
#include "dialogs/statobjcreation.h"

namespace {

constexpr int kSampleColumnWidth = 45;

QString general(long double v) {
  return QString::fromStdString(statorium::formatGeneral(v));
}

template <class W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QGroupBox* boldGroup(const QString& caption, const char* name, QWidget* parent) {
  auto* box = named(new QGroupBox(caption, parent), name);
  QFont f = box->font();
  f.setBold(true);
  box->setFont(f);
  return box;
}

// Children of a bold group box inherit its font; their own texts stay plain.
template <class W>
W* plain(W* widget) {
  QFont f = widget->font();
  f.setBold(false);
  widget->setFont(f);
  return widget;
}

QLabel* boldLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = named(new QLabel(text, parent), name);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}

}  // namespace

TfrmMain::TfrmMain(TPrompter& prompter, TApplicationWindows& windows)
    : QMainWindow(nullptr), m_prompter(prompter), m_windows(windows) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Statorium"));
  setFont(QFont(QStringLiteral("Verdana"), 8));
  resize(850, 530);
  setMinimumSize(800, 510);

  pages = named(new QTabWidget(this), "pages");
  setCentralWidget(pages);
  tsAnalysis = named(new QWidget(pages), "tsAnalysis");
  TabSheet3 = named(new QWidget(pages), "TabSheet3");
  pages->addTab(tsAnalysis, QStringLiteral("Analysis"));
  pages->addTab(TabSheet3, QStringLiteral("Sample"));
  buildAnalysisPage(tsAnalysis);
  buildSamplePage(TabSheet3);
  buildMenus();
  arrangeTabOrder();
  // A data file dropped on the window is opened as "Open" would open it.
  acceptFileDrops(this, m_prompter, [this](const QStringList& files) { Load(files.first()); });

  // FormCreate: the abnormal-value shares start at 0.05.
  gamma1->setText(general(0.05L));
  gamma2->setText(general(0.05L));
  // The analysis's inputs are those of the controls from the start (a cancelled action puts
  // the controls back from them).
  m_analysis.gamma1Text = m_analysis.gamma2Text = gamma1->text().toStdString();
}

void TfrmMain::arrangeTabOrder() {
  // The controls of the right column in reading order; each edit follows its radio button.
  QWidget* const chain[] = {cbSetClassCount, classCount, cbFn,           rbDontDrop,
                            rbGammaDrop,     gamma1,     gamma2,         rbIntervalDrop,
                            LeftValue,       RightValue, btnGetPower,    btnGetLn,
                            btnGetStandart,  btnGetExp,  btnGetPositive, btnGetFirstValues};
  for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TfrmMain::bind(QAction* action, void (TfrmMain::*handler)()) {
  connect(action, &QAction::triggered, this,
          [this, handler] { guarded([&] { (this->*handler)(); }); });
}

void TfrmMain::guarded(const std::function<void()>& handler) {
  runGuarded(m_prompter, this, handler);
}

void TfrmMain::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto addItem = [this](QMenu* menu, const QString& caption, const char* name,
                        void (TfrmMain::*handler)()) {
    QAction* a = named(menu->addAction(caption), name);
    bind(a, handler);
    return a;
  };
  auto addSeparator = [](QMenu* menu, const char* name) { named(menu->addSeparator(), name); };

  // The captions carry their access keys; the usual desktop shortcuts sit beside them.
  QMenu* statobject = named(bar->addMenu(QStringLiteral("&Statobject")), "Statobject1");
  addItem(statobject, QStringLiteral("&Open"), "Open1", &TfrmMain::LoadClick)
      ->setShortcut(QKeySequence::Open);
  addItem(statobject, QStringLiteral("Create &series"), "Createseries1",
          &TfrmMain::Createseries1Click);
  addItem(statobject, QStringLiteral("Co&mpose object"), "Createobject1",
          &TfrmMain::Createobject1Click);
  addItem(statobject, QStringLiteral("Save &as"), "Save1", &TfrmMain::Save1Click)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  addSeparator(statobject, "N1");
  addItem(statobject, QStringLiteral("T&wo-dimensional analysis"), "wodimensional1",
          &TfrmMain::wodimensional1Click);
  addItem(statobject, QStringLiteral("M&ulti-dimensional analysis"), "Multidimensionalanalysis1",
          &TfrmMain::Multidimensionalanalysis1Click);
  addSeparator(statobject, "N2");
  addItem(statobject, QStringLiteral("S&ettings"), "Settings1", &TfrmMain::Settings1Click);
  addSeparator(statobject, "N3");
  addItem(statobject, QStringLiteral("&Close"), "close1", &TfrmMain::tbCloseClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* similarity = named(bar->addMenu(QStringLiteral("S&imilarity check")), "Similaritycheck1");
  addItem(similarity, QStringLiteral("&Two series (1D)"), "Similarity1",
          &TfrmMain::ToolButton1Click);
  addItem(similarity, QStringLiteral("&Many series (1D)"), "Many1", &TfrmMain::Many1Click);

  QMenu* experiments = named(bar->addMenu(QStringLiteral("&Experiments")), "Experiment1");
  addItem(experiments, QStringLiteral("&Avg. parameter check"), "Avgparameterscheck1",
          &TfrmMain::Avgparameterscheck1Click);

  // "About" is a top-level item without a menu of its own; F1 opens it as help would.
  QAction* about = named(bar->addAction(QStringLiteral("&About")), "About1");
  about->setShortcut(QKeySequence::HelpContents);
  bind(about, &TfrmMain::About1Click);

  PopupMenu1 = named(new QMenu(this), "PopupMenu1");
  bind(named(PopupMenu1->addAction(QStringLiteral("Show &variants table")), "ShowVariantsTable"),
       &TfrmMain::ShowVariantsTableClick);
  bind(named(PopupMenu1->addAction(QStringLiteral("Show &classes table")), "ShowClassesTable"),
       &TfrmMain::ShowClassesTableClick);
  addChartCommands(chSampleChat, m_prompter, PopupMenu1);
  chSampleChat->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(chSampleChat, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { PopupMenu1->popup(chSampleChat->mapToGlobal(p)); });

  popupEditSample = named(new QMenu(this), "popupEditSample");
  bind(named(popupEditSample->addAction(QStringLiteral("&Insert value")), "Insertvalue1"),
       &TfrmMain::Insertvalue1Click);
  bind(named(popupEditSample->addAction(QStringLiteral("&Delete value")), "Deletevalue1"),
       &TfrmMain::Deletevalue1Click);
  popupEditSample->addSeparator();
  Undo1 = named(popupEditSample->addAction(QStringLiteral("&Undo")), "Undo1");
  Undo1->setShortcut(QKeySequence::Undo);
  bind(Undo1, &TfrmMain::UndoClick);
  Redo1 = named(popupEditSample->addAction(QStringLiteral("&Redo")), "Redo1");
  QList<QKeySequence> redoKeys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
  for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Redo))
    if (!redoKeys.contains(k)) redoKeys << k;
  Redo1->setShortcuts(redoKeys);
  bind(Redo1, &TfrmMain::RedoClick);
  // The window holds them too, so that their keys work wherever the focus is in it.
  addActions({Undo1, Redo1});
  updateUndoActions();
  addGridCommands(sgSample, m_prompter, popupEditSample);
  addGridCommands(sgQuantityCharacteristics, m_prompter);
  // The pop-up menu is attached to the sample grid by the first successful load.
  sgSample->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(sgSample, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    if (m_samplePopupAttached) popupEditSample->popup(sgSample->viewport()->mapToGlobal(p));
  });
}

void TfrmMain::buildAnalysisPage(QWidget* page) {
  pcDataDisplay = named(new QTabWidget(page), "pcDataDisplay");
  pcDataDisplay->setTabPosition(QTabWidget::South);
  TabSheet4 = named(new QWidget(pcDataDisplay), "TabSheet4");
  TabSheet1 = named(new QWidget(pcDataDisplay), "TabSheet1");
  TabSheet5 = named(new QWidget(pcDataDisplay), "TabSheet5");
  pcDataDisplay->addTab(TabSheet4, QStringLiteral("Frequency histogram"));
  pcDataDisplay->addTab(TabSheet1, QStringLiteral("Empirical and law function"));
  pcDataDisplay->addTab(TabSheet5, QStringLiteral("Characteristics"));
  new QVBoxLayout(TabSheet4);
  new QVBoxLayout(TabSheet1);
  for (QWidget* tab : {TabSheet4, TabSheet1}) tab->layout()->setContentsMargins(0, 0, 0, 0);

  // One chart serves the histogram and the function tabs; it moves to the tab shown.
  chSampleChat = named(new TChartView(TabSheet4), "chSampleChat");
  TabSheet4->layout()->addWidget(chSampleChat);
  buildChart();
  connect(pcDataDisplay, &QTabWidget::currentChanged, this,
          [this] { guarded([this] { pcDataDisplayChange(); }); });

  auto* characteristics = new QVBoxLayout(TabSheet5);
  Label2 = boldLabel(QStringLiteral("Quantity characteristics"), "Label2", TabSheet5);
  sgQuantityCharacteristics = named(new QTableWidget(7, 4, TabSheet5), "sgQuantityCharacteristics");
  sgQuantityCharacteristics->setHorizontalHeaderLabels(
      {QStringLiteral("Left edge (0.05)"), QStringLiteral("Value"),
       QStringLiteral("Right edge (0.05)"), QStringLiteral("Quadratic Average of values")});
  sgQuantityCharacteristics->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgQuantityCharacteristics->verticalHeader()->setDefaultSectionSize(24);
  sgQuantityCharacteristics->verticalHeader()->setMinimumWidth(140);
  sgQuantityCharacteristics->setToolTip(QStringLiteral("-"));
  // The captions are written with the values; until then the caption column stays blank.
  for (int r = 0; r < 7; ++r)
    sgQuantityCharacteristics->setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
  // Selecting a cell puts its text into the hint, so a cut text can be read in full.
  connect(sgQuantityCharacteristics, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) {
            const QTableWidgetItem* item = sgQuantityCharacteristics->item(row, column);
            if (item) sgQuantityCharacteristics->setToolTip(item->text());
          });
  const int widths[] = {105, 75, 105, 160};
  for (int c = 0; c < 4; ++c) sgQuantityCharacteristics->setColumnWidth(c, widths[c]);
  DistributionLawParams = boldLabel(QStringLiteral("Distribution law parameters: "),
                                    "DistributionLawParams", TabSheet5);
  lCriterias1 = boldLabel(QStringLiteral("Criterias: "), "lCriterias1", TabSheet5);
  lCriterias2 = boldLabel(QStringLiteral("Criterias: "), "lCriterias2", TabSheet5);
  for (QLabel* l : {lCriterias1, lCriterias2})
    l->setToolTip(QStringLiteral("Minimizing Type I error probability"));
  for (QLabel* l : {DistributionLawParams, lCriterias1, lCriterias2}) l->setWordWrap(true);
  characteristics->addWidget(Label2);
  characteristics->addWidget(sgQuantityCharacteristics, 1);
  characteristics->addWidget(DistributionLawParams);
  characteristics->addWidget(lCriterias1);
  characteristics->addWidget(lCriterias2);

  // The column of controls on the right.
  auto* right = new QVBoxLayout;
  gbChartControl = boldGroup(QStringLiteral("Chart control"), "gbChartControl", page);
  cbSetClassCount = plain(
      named(new QCheckBox(QStringLiteral("Set &class count"), gbChartControl), "cbSetClassCount"));
  classCount = plain(named(new QLineEdit(QStringLiteral("0"), gbChartControl), "classCount"));
  classCount->setEnabled(false);
  classCount->setMaximumWidth(60);
  cbFn = plain(named(
      new QCheckBox(QStringLiteral("Empirical &function by classes"), gbChartControl), "cbFn"));
  cbFn->setToolTip(QStringLiteral("Draws empirical function by classified data"));
  auto* chartControl = new QGridLayout(gbChartControl);
  chartControl->setContentsMargins(6, 4, 6, 4);
  chartControl->setVerticalSpacing(2);
  chartControl->addWidget(cbSetClassCount, 0, 0);
  chartControl->addWidget(classCount, 0, 1);
  chartControl->addWidget(cbFn, 1, 0, 1, 2);

  GroupBox2 = boldGroup(QStringLiteral("Data transformations"), "GroupBox2", page);
  GroupBox1 = boldGroup(QStringLiteral("Abnormals"), "GroupBox1", GroupBox2);
  rbDontDrop = plain(
      named(new QRadioButton(QStringLiteral("Do not drop abnormals."), GroupBox1), "rbDontDrop"));
  rbGammaDrop = plain(
      named(new QRadioButton(QStringLiteral("Drop by probabilities:"), GroupBox1), "rbGammaDrop"));
  rbIntervalDrop = plain(named(new QRadioButton(QStringLiteral("Drop out of interval:"), GroupBox1),
                               "rbIntervalDrop"));
  rbDontDrop->setChecked(true);
  lGamma1 = plain(named(new QLabel(QStringLiteral("Left"), GroupBox1), "lGamma1"));
  gamma1 = plain(named(new QLineEdit(GroupBox1), "gamma1"));
  lGamma2 = plain(named(new QLabel(QStringLiteral("Right"), GroupBox1), "lGamma2"));
  gamma2 = plain(named(new QLineEdit(GroupBox1), "gamma2"));
  lLeftValue = plain(named(new QLabel(QStringLiteral("Left"), GroupBox1), "lLeftValue"));
  LeftValue = plain(named(new QLineEdit(GroupBox1), "LeftValue"));
  lRightValue = plain(named(new QLabel(QStringLiteral("Right"), GroupBox1), "lRightValue"));
  RightValue = plain(named(new QLineEdit(GroupBox1), "RightValue"));
  for (QWidget* w : std::initializer_list<QWidget*>{gamma1, gamma2, LeftValue, RightValue, lGamma1,
                                                    lGamma2, lLeftValue, lRightValue})
    w->setEnabled(false);
  for (QLineEdit* e : {gamma1, gamma2, LeftValue, RightValue}) e->setMaximumWidth(50);
  // The column of controls must fit the window's height without squeezing the edits, and
  // leave the characteristics grid its full width: compact margins and spacing.
  auto* abnormals = new QGridLayout(GroupBox1);
  abnormals->setContentsMargins(6, 4, 6, 4);
  abnormals->setVerticalSpacing(2);
  abnormals->setColumnStretch(1, 1);
  abnormals->setColumnStretch(3, 1);
  abnormals->addWidget(rbDontDrop, 0, 0, 1, 4);
  abnormals->addWidget(rbGammaDrop, 1, 0, 1, 4);
  abnormals->addWidget(lGamma1, 2, 0);
  abnormals->addWidget(gamma1, 2, 1);
  abnormals->addWidget(lGamma2, 2, 2);
  abnormals->addWidget(gamma2, 2, 3);
  abnormals->addWidget(rbIntervalDrop, 3, 0, 1, 4);
  abnormals->addWidget(lLeftValue, 4, 0);
  abnormals->addWidget(LeftValue, 4, 1);
  abnormals->addWidget(lRightValue, 4, 2);
  abnormals->addWidget(RightValue, 4, 3);
  LeftValue->setText(QStringLiteral("0"));
  RightValue->setText(QStringLiteral("1000"));
  for (QRadioButton* rb : {rbDontDrop, rbGammaDrop, rbIntervalDrop})
    connect(rb, &QRadioButton::clicked, this,
            [this, rb] { guarded([this, rb] { OnSampleModifiedWithAbnormals(rb); }); });
  // Leaving an edit, or Enter in it, applies its mode again with the new text.
  for (QLineEdit* e : {gamma1, gamma2})
    connect(e, &QLineEdit::editingFinished, this,
            [this] { guarded([this] { OnSampleModifiedWithAbnormals(rbGammaDrop); }); });
  for (QLineEdit* e : {LeftValue, RightValue})
    connect(e, &QLineEdit::editingFinished, this,
            [this] { guarded([this] { OnSampleModifiedWithAbnormals(rbIntervalDrop); }); });
  connect(cbSetClassCount, &QCheckBox::clicked, this,
          [this] { guarded([this] { cbSetClassCountClick(); }); });
  connect(classCount, &QLineEdit::editingFinished, this,
          [this] { guarded([this] { cbSetClassCountClick(); }); });
  connect(cbFn, &QCheckBox::clicked, this, [this] { guarded([this] { onShowFnModeChange(); }); });

  auto button = [&](const char* name, const QString& caption, const QString& hint) {
    auto* b = plain(named(new QPushButton(caption, GroupBox2), name));
    b->setToolTip(hint);
    return b;
  };
  // Access keys: none of them may repeat a letter of the menu bar (S, I, E, A).
  btnGetPower = button("btnGetPower", QStringLiteral("&Power"),
                       QStringLiteral("Gives values equal to power(x, myu)"));
  btnGetLn =
      button("btnGetLn", QStringLiteral("&Ln"), QStringLiteral("Gives values equal to Ln(x)"));
  btnGetStandart = button("btnGetStandart", QStringLiteral("Stan&dard"),
                          QStringLiteral("Gives standardizated values"));
  btnGetExp =
      button("btnGetExp", QStringLiteral("E&xp"), QStringLiteral("Gives values equal to exp(x)"));
  btnGetPositive = button("btnGetPositive", QStringLiteral("&Move"),
                          QStringLiteral("Moves all values to positive ones"));
  btnGetFirstValues = button("btnGetFirstValues", QStringLiteral("I&nitial"),
                             QStringLiteral("Gives appropriate values"));
  QFont initialFont = btnGetFirstValues->font();
  initialFont.setBold(true);
  btnGetFirstValues->setFont(initialFont);
  btnGetFirstValues->setStyleSheet(QStringLiteral("color: blue;"));
  auto* transformations = new QGridLayout(GroupBox2);
  transformations->setContentsMargins(6, 4, 6, 6);
  transformations->setVerticalSpacing(4);
  transformations->addWidget(GroupBox1, 0, 0, 1, 2);
  transformations->addWidget(btnGetPower, 1, 0);
  transformations->addWidget(btnGetLn, 1, 1);
  transformations->addWidget(btnGetStandart, 2, 0);
  transformations->addWidget(btnGetExp, 2, 1);
  transformations->addWidget(btnGetPositive, 3, 0);
  transformations->addWidget(btnGetFirstValues, 3, 1);

  rgLaw = named(new TRadioGroup(QStringLiteral("Distribution law"), page), "rgLaw");
  QFont lawFont = rgLaw->font();
  lawFont.setBold(true);
  rgLaw->setFont(lawFont);
  rgLaw->setItems({QStringLiteral("Normal"), QStringLiteral("Exponential"),
                   QStringLiteral("Uniform"), QStringLiteral("Weibull"),
                   QStringLiteral("NOT DEFINED")});
  rgLaw->setItemIndex(4);
  connect(rgLaw, &TRadioGroup::itemClicked, this, [this] { guarded([this] { rgLawClick(); }); });
  const std::pair<QPushButton*, void (TfrmMain::*)()> handlers[] = {
      {btnGetPower, &TfrmMain::btnGetPowerClick},
      {btnGetLn, &TfrmMain::btnGetLnClick},
      {btnGetStandart, &TfrmMain::btnGetStandartClick},
      {btnGetExp, &TfrmMain::btnGetExpClick},
      {btnGetPositive, &TfrmMain::btnGetPositiveClick},
      {btnGetFirstValues, &TfrmMain::btnGetFirstValuesClick}};
  for (const auto& entry : handlers) {
    void (TfrmMain::*handler)() = entry.second;
    connect(entry.first, &QPushButton::clicked, this,
            [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
  }

  right->setSpacing(4);
  right->addWidget(gbChartControl);
  right->addWidget(GroupBox2);
  right->addWidget(rgLaw);
  right->addStretch(1);
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(pcDataDisplay, 1);
  layout->addLayout(right);
}

void TfrmMain::buildSamplePage(QWidget* page) {
  sgSample = named(new TStringGrid(page), "sgSample");
  sgSample->horizontalHeader()->hide();
  sgSample->verticalHeader()->hide();
  sgSample->horizontalHeader()->setDefaultSectionSize(kSampleColumnWidth);
  sgSample->setToolTip(QStringLiteral("-"));
  m_sampleModel = new TSampleGridModel(this);
  sgSample->setModel(m_sampleModel);
  // Deleting acts on the cell right-clicked, whatever was selected before.
  sgSample->setRightClickKeepsRange(false);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(sgSample);
}

void TfrmMain::buildChart() {
  using statorium::rgb;
  using statorium::TSeriesKind;
  statorium::TChart& chart = chSampleChat->chart();
  chart.setTitle("Frequency histogram");
  chart.setBottomAxisPattern("#,##0.####");
  chart.setLeftAxisMinMax(0, 1.01);
  // The order matters: a tab shows the series whose index is the tab's.
  chart.addSeries("Series1", TSeriesKind::AreaStairs, rgb(255, 128, 128), true);
  chart.addSeries("Series2", TSeriesKind::Arrow, rgb(0, 128, 0), false);
  chart.addSeries("Series4", TSeriesKind::Line, rgb(255, 128, 64), false);
  chart.addSeries("Series3", TSeriesKind::FastLine, rgb(128, 0, 0), false);
  chart.addSeries("Series5", TSeriesKind::Line, rgb(255, 128, 0), false);
  chart.addSeries("Series6", TSeriesKind::Line, rgb(0, 0, 255), true);
}

void TfrmMain::placeChart(int tab) {
  // The chart covers the histogram and the function tabs alike.
  QWidget* host = tab == 1 ? TabSheet1 : tab == 0 ? TabSheet4 : nullptr;
  if (!host || chSampleChat->parentWidget() == host) return;
  host->layout()->addWidget(chSampleChat);
}

// ---- Loading and the refresh chain ----

void TfrmMain::LoadClick() {
  TFileDialogOptions o;
  o.title = QStringLiteral("Open");
  // "Any files" must also list files without an extension, such as generated series.
  o.filter =
      QStringLiteral("Data files (*.txt);;CSV files (*.csv);;STA files (*.sta);;Any files (*)");
  const QString fileName = m_prompter.getOpenFileName(this, o);
  if (fileName.isEmpty()) return;
  Load(fileName);
}

void TfrmMain::Load(const QString& fileName) {
  // Reading, sorting and analysing a large file take a while. They run on a new analysis under
  // a progress display, so that a cancel at any point leaves the window as it was. The window
  // takes the new analysis when it is complete, or when it fails part way: then with what it
  // reached, as after any step that fails.
  TShareProgress display(m_prompter, this,
                         QStringLiteral("Opening %1...").arg(QFileInfo(fileName).fileName()));
  constexpr double kRead = 0.4, kSorted = 0.5;  // the shares of the reading and the sort
  statorium::TValues values = TfrmCreateStatObj::openValues(
      fileName, *m_windows.frmSelect, statorium::progressPart(display.progress(), 0, kRead),
      &display);
  statorium::reportProgress(display.progress(), kRead);
  statorium::TSampleAnalysis next = m_analysis.successor();
  gatherInputs(next);
  if (!next.load(std::move(values))) return;
  statorium::reportProgress(display.progress(), kSorted);
  // A new file's abnormal-value mode is "Do not drop".
  auto take = [&] {
    display.close();
    m_analysis = std::move(next);
    // The caption and the sample's menu belong to the new file even when its analysis fails.
    setWindowTitle(QStringLiteral("Statorium: ") + fileName);
    m_samplePopupAttached = true;
    // The steps of the old file's sample cannot be undone into the new file's.
    m_history.clear();
    updateUndoActions();
    showAbnormalMode(statorium::AbnormalMode::DontDrop);
    renderAnalysis();
  };
  try {
    next.applyAbnormalMode(statorium::AbnormalMode::DontDrop,
                           statorium::progressPart(display.progress(), kSorted, 1));
  } catch (const statorium::Cancelled&) {
    throw;
  } catch (...) {
    take();  // with the results the analysis reached; the error box follows
    throw;
  }
  take();
}

statorium::AbnormalMode TfrmMain::abnormalModeOf(QObject* sender) const {
  if (sender == rbGammaDrop) return statorium::AbnormalMode::GammaDrop;
  if (sender == rbIntervalDrop) return statorium::AbnormalMode::IntervalDrop;
  return statorium::AbnormalMode::DontDrop;
}

void TfrmMain::OnSampleModifiedWithAbnormals(QObject* sender) {
  using statorium::AbnormalMode;
  const AbnormalMode mode = abnormalModeOf(sender);
  TShareProgress display(m_prompter, this,
                         mode == AbnormalMode::DontDrop
                             ? QStringLiteral("Restoring the loaded values...")
                             : QStringLiteral("Dropping abnormal values..."));
  statorium::TSampleAnalysis next = successor();
  takeChangedSample(next, display, mode, [&] { next.applyAbnormalMode(mode, display.progress()); });
}

void TfrmMain::showAbnormalMode(statorium::AbnormalMode mode) {
  using statorium::AbnormalMode;
  m_mode = mode;
  QRadioButton* checked = mode == AbnormalMode::GammaDrop      ? rbGammaDrop
                          : mode == AbnormalMode::IntervalDrop ? rbIntervalDrop
                                                               : rbDontDrop;
  checked->setChecked(true);
  const bool gamma = mode == AbnormalMode::GammaDrop;
  const bool interval = mode == AbnormalMode::IntervalDrop;
  for (QWidget* w : std::initializer_list<QWidget*>{gamma1, gamma2, lGamma1, lGamma2})
    w->setEnabled(gamma);
  for (QWidget* w : std::initializer_list<QWidget*>{LeftValue, RightValue, lLeftValue, lRightValue})
    w->setEnabled(interval);
}

void TfrmMain::OnSampleModified() {
  TShareProgress display(m_prompter, this, QStringLiteral("Analysing the sample..."));
  statorium::TSampleAnalysis next = successor();
  next.sample = m_analysis.sample.Clone();
  refreshSample(next, display, 0, [] {});
}

void TfrmMain::gatherInputs(statorium::TSampleAnalysis& into) {
  into.setClassCount = cbSetClassCount->isChecked();
  into.classCountText = classCount->text().toStdString();
  into.fnByClasses = cbFn->isChecked();
  into.histogramTab = pcDataDisplay->currentIndex() == 0;
  into.level = m_windows.frmSettings->SignificanceLevel();
  into.gamma1Text = gamma1->text().toStdString();
  into.gamma2Text = gamma2->text().toStdString();
  into.leftText = LeftValue->text().toStdString();
  into.rightText = RightValue->text().toStdString();
  into.lawIndex = rgLaw->itemIndex() < 0 ? statorium::kLawNotDefined : rgLaw->itemIndex();
}

void TfrmMain::analysisStep(const std::function<void()>& step) {
  gatherInputs(m_analysis);
  try {
    step();
  } catch (...) {
    renderAnalysis();
    throw;
  }
  renderAnalysis();
}

// ---- Steps on a successor ----
//
// With ten million values a step takes seconds. The window keeps showing the analysis as it
// was (the sample grid reads the working sample as it draws) while the step computes a
// successor; the successor gets copies of what the step changes and borrows, by moving, the
// large parts the step only reads. At most the analysis and one successor exist at a time.

statorium::TSampleAnalysis TfrmMain::successor() {
  statorium::TSampleAnalysis next = m_analysis.successor();
  gatherInputs(next);
  return next;
}

void TfrmMain::takeSuccessor(statorium::TSampleAnalysis& next, TShareProgress& display,
                             const std::function<void()>& analyse,
                             const std::function<void()>& taken) {
  auto take = [&] {
    display.close();
    // Every step that draws the empirical function draws at least one arrow.
    if (next.empirical.empty()) next.empirical = std::move(m_analysis.empirical);
    taken();
    m_analysis = std::move(next);
    renderAnalysis();
  };
  try {
    analyse();
    // A cancel asked for at the very end still leaves everything as it was.
    statorium::reportProgress(display.progress(), 1);
  } catch (const statorium::Cancelled&) {
    showInputs();
    throw;
  } catch (...) {
    take();  // with the results the step reached; the error box follows
    throw;
  }
  take();
}

void TfrmMain::viewStep(
    const std::function<void(statorium::TSampleAnalysis&, const statorium::Progress&)>& step) {
  TShareProgress display(m_prompter, this, QStringLiteral("Updating the analysis..."));
  statorium::TSampleAnalysis next = successor();
  next.variants = std::move(m_analysis.variants);
  try {
    takeSuccessor(
        next, display, [&] { step(next, display.progress()); },
        [&] {
          next.fileData = std::move(m_analysis.fileData);
          next.sample = std::move(m_analysis.sample);
        });
  } catch (const statorium::Cancelled&) {
    m_analysis.variants = std::move(next.variants);
    throw;
  }
}

void TfrmMain::showInputs() {
  cbSetClassCount->setChecked(m_analysis.setClassCount);
  classCount->setEnabled(m_analysis.setClassCount);
  classCount->setText(QString::fromStdString(m_analysis.classCountText));
  cbFn->setChecked(m_analysis.fnByClasses);
  rgLaw->setItemIndex(m_analysis.lawIndex);
  showAbnormalMode(m_mode);
  gamma1->setText(QString::fromStdString(m_analysis.gamma1Text));
  gamma2->setText(QString::fromStdString(m_analysis.gamma2Text));
  LeftValue->setText(QString::fromStdString(m_analysis.leftText));
  RightValue->setText(QString::fromStdString(m_analysis.rightText));
}

void TfrmMain::analyseSample(statorium::TSampleAnalysis& next, TShareProgress& display,
                             const std::function<void()>& analyse,
                             const std::function<void()>& taken, bool buildsSeries) {
  next.fileData = std::move(m_analysis.fileData);
  try {
    takeSuccessor(next, display, analyse, [&] {
      // The refresh of an empty sample builds no series: it sets the total of the one it has,
      // the old one, to 0.
      if (next.sample.empty() && !buildsSeries) {
        next.variants = std::move(m_analysis.variants);
        next.variants.m_Total = 0;
      }
      taken();
    });
  } catch (const statorium::Cancelled&) {
    m_analysis.fileData = std::move(next.fileData);
    throw;
  }
}

void TfrmMain::takeChangedSample(statorium::TSampleAnalysis& next, TShareProgress& display,
                                 statorium::AbnormalMode mode,
                                 const std::function<void()>& analyse) {
  analyseSample(
      next, display, analyse,
      [&] {
        statorium::TValues& before = m_analysis.sample;
        if (!m_history.fits(before.data().size()))
          m_history.clear();  // a sample beyond the budget: this step cannot be undone
        else if (m_mode != mode || before.data() != next.sample.data())
          m_history.recordReplace(std::move(before), m_mode, mode);
        updateUndoActions();
        showAbnormalMode(mode);
      },
      mode == statorium::AbnormalMode::GammaDrop);
}

void TfrmMain::refreshSample(statorium::TSampleAnalysis& next, TShareProgress& display, double from,
                             const std::function<void()>& taken) {
  analyseSample(
      next, display, [&] { next.refresh(statorium::progressPart(display.progress(), from, 1)); },
      taken);
}

void TfrmMain::renderAnalysis() {
  showSample();
  classCount->setText(QString::fromStdString(m_analysis.classCountText));
  rgLaw->setItemIndex(m_analysis.lawIndex);
  DistributionLawParams->setText(QString::fromStdString(m_analysis.lawParamsText));
  lCriterias1->setText(QString::fromStdString(m_analysis.criteria1Text));
  lCriterias2->setText(QString::fromStdString(m_analysis.criteria2Text));
  if (m_analysis.characteristicsShown) {
    const statorium::CharacteristicsGrid& grid = m_analysis.characteristicsGrid;
    for (int r = 1; r < 8; ++r) {
      QTableWidgetItem* header = sgQuantityCharacteristics->verticalHeaderItem(r - 1);
      if (!header) {
        header = new QTableWidgetItem;
        sgQuantityCharacteristics->setVerticalHeaderItem(r - 1, header);
      }
      header->setText(QString::fromStdString(grid[r][0]));
      for (int c = 1; c < 5; ++c) {
        QTableWidgetItem* item = sgQuantityCharacteristics->item(r - 1, c - 1);
        if (!item) {
          item = new QTableWidgetItem;
          sgQuantityCharacteristics->setItem(r - 1, c - 1, item);
        }
        item->setText(QString::fromStdString(grid[r][c]));
      }
    }
  }
  renderChart();
}

void TfrmMain::renderChart() {
  statorium::TChart& chart = chSampleChat->chart();
  auto fill = [&](const char* name, const std::vector<statorium::ChartPoint>& points) {
    statorium::TChartSeries* series = chart.seriesByName(name);
    series->Clear();
    series->reserve(points.size());
    for (const statorium::ChartPoint& p : points) series->AddXY(p.x, p.y);
  };
  fill("Series1", m_analysis.histogram);
  statorium::TChartSeries* fn = chart.seriesByName("Series2");
  fn->Clear();
  fn->reserve(m_analysis.empirical.size());
  for (const statorium::ChartArrow& a : m_analysis.empirical)
    fn->AddArrow(a.x0, a.y0, a.x1, a.y1, "", statorium::rgb(0, 0, 255));
  fill("Series4", m_analysis.curves.left);
  fill("Series3", m_analysis.curves.function);
  fill("Series5", m_analysis.curves.right);
  fill("Series6", m_analysis.curves.density);
  chart.UndoZoom();
  chart.setLeftAxisMinMax(0, static_cast<double>(m_analysis.chartMaximum));
}

void TfrmMain::showSample() {
  // The grid fills its page, and every page has the size of the page shown, so the width is
  // known even while the grid's own page is hidden. A vertical scroll bar is allowed for.
  const QWidget* page = pages->currentWidget();
  const int frame = 2 * sgSample->frameWidth();
  const int width =
      page->width() - frame - sgSample->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  m_sampleModel->showSample(&m_analysis.sample, width, kSampleColumnWidth);
}

// ---- Analysis views ----

void TfrmMain::cbSetClassCountClick() {
  classCount->setEnabled(cbSetClassCount->isChecked());
  viewStep([](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
    if (next.variants.m_Total > 0) next.classCountChanged(progress);
  });
}

void TfrmMain::onShowFnModeChange() {
  viewStep([](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
    if (next.variants.m_Total > 0) next.fnModeChanged(progress);
  });
}

void TfrmMain::rgLawClick() {
  viewStep([](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
    next.lawChosen(progress);
  });
}

void TfrmMain::pcDataDisplayChange() {
  const int tab = pcDataDisplay->currentIndex();
  placeChart(tab);
  analysisStep([&] { m_analysis.setChartScale(m_analysis.classes); });
  statorium::TChart& chart = chSampleChat->chart();
  chart.setVisible(tab == 0 || tab == 1);
  if (tab == 2) return;
  chart.setTitle(pcDataDisplay->tabText(tab).toStdString());
  for (int i = 0; i < chart.seriesCount(); ++i) chart.series(i).SetActive(i == tab);
  if (tab == 1)
    for (const char* name : {"Series3", "Series4", "Series5"})
      chart.seriesByName(name)->SetActive(true);
  chart.seriesByName("Series6")->SetActive(chart.seriesByName("Series1")->active());
}

void TfrmMain::ShowVariantsTableClick() {
  m_windows.frmClassTable->ShowModal(m_analysis.variants,
                                     QStringLiteral("Variational series data"));
}

void TfrmMain::ShowClassesTableClick() {
  m_windows.frmClassTable->ShowModal(m_analysis.classes,
                                     QStringLiteral("Classified variational series data"));
}

// ---- Sample editing ----

void TfrmMain::Insertvalue1Click() {
  // The initial text is a zero in the user's own form, so accepting it as it stands works.
  QString text = QStringLiteral("0") + QChar(statorium::decimalSeparator()) + QStringLiteral("0");
  if (!m_prompter.inputQuery(this, QStringLiteral("Add a value"),
                             QStringLiteral("Please, enter new value"), text))
    return;
  long double v;
  if (!statorium::parseLocaleNumber(text.toStdString(), v)) return;
  TShareProgress display(m_prompter, this, QStringLiteral("Analysing the sample..."));
  statorium::TSampleAnalysis next = successor();
  const std::vector<long double>& old = m_analysis.sample.data();
  std::vector<long double> values;
  values.reserve(old.size() + 1);
  values.assign(old.begin(), old.end());
  values.push_back(v);
  next.sample = statorium::TValues(std::move(values));
  next.sample.QuickSort();
  constexpr double kSorted = 0.2;  // a sort of a sorted sample with one value more
  statorium::reportProgress(display.progress(), kSorted);
  if (!std::is_sorted(old.begin(), old.end())) {
    // Sorting moves the other values too: the sample as it was is kept whole.
    takeChangedSample(next, display, m_mode, [&] {
      next.refresh(statorium::progressPart(display.progress(), kSorted, 1));
    });
    return;
  }
  // Among equal values the new one is the one with its sign (0 and -0 compare equal).
  const std::vector<long double>& sorted = next.sample.data();
  auto [at, end] = std::equal_range(sorted.begin(), sorted.end(), v);
  while (at + 1 < end && std::signbit(*at) != std::signbit(v)) ++at;
  const int index = static_cast<int>(at - sorted.begin());
  refreshSample(next, display, kSorted, [&] {
    m_history.recordInsert(index, v, m_mode);
    updateUndoActions();
  });
}

void TfrmMain::Deletevalue1Click() {
  // The top left cell of the selection (a right click makes the clicked cell the selection).
  QModelIndex cell = sgSample->currentIndex();
  const QItemSelection selection = sgSample->selectionModel()->selection();
  if (!selection.isEmpty()) {
    int top = selection.first().top(), left = selection.first().left();
    for (const QItemSelectionRange& r : selection) {
      top = std::min(top, r.top());
      left = std::min(left, r.left());
    }
    cell = m_sampleModel->index(top, left);
  }
  if (!cell.isValid()) return;
  const long long index = m_sampleModel->layout().valueIndex(cell.row(), cell.column());
  if (index < 0 || index >= m_analysis.sample.count()) return;
  const int i = static_cast<int>(index);
  const long double value = m_analysis.sample.getAt(i);
  TShareProgress display(m_prompter, this, QStringLiteral("Analysing the sample..."));
  statorium::TSampleAnalysis next = successor();
  next.sample = m_analysis.sample.Clone();
  next.sample.Delete(i);
  refreshSample(next, display, 0, [&] {
    m_history.recordDelete(i, value, m_mode);
    updateUndoActions();
  });
}

void TfrmMain::UndoClick() {
  stepInHistory(true);
}

void TfrmMain::RedoClick() {
  stepInHistory(false);
}

void TfrmMain::stepInHistory(bool back) {
  if (!(back ? m_history.canUndo() : m_history.canRedo())) return;
  TShareProgress display(m_prompter, this, QStringLiteral("Analysing the sample..."));
  statorium::TSampleAnalysis next = successor();
  // The history changes a copy, so that the grid keeps showing the sample until the swap; a
  // cancel makes the step the other way, which puts the history back as it was. The steps the
  // budget would drop are kept until the step stays, so that the way back finds them.
  using Trim = statorium::TSampleHistory::Trim;
  next.sample = m_analysis.sample.Clone();
  const statorium::AbnormalMode mode =
      *(back ? m_history.undo(next.sample, Trim::Later) : m_history.redo(next.sample, Trim::Later));
  try {
    refreshSample(next, display, 0, [&] {
      m_history.trimToBudget();
      updateUndoActions();
      showAbnormalMode(mode);
    });
  } catch (const statorium::Cancelled&) {
    if (back)
      m_history.redo(next.sample, Trim::Later);
    else
      m_history.undo(next.sample, Trim::Later);
    throw;
  }
}

void TfrmMain::updateUndoActions() {
  Undo1->setEnabled(m_history.canUndo());
  Redo1->setEnabled(m_history.canRedo());
}

// ---- Transformations ----

void TfrmMain::transformSample(
    double transformShare,
    const std::function<bool(statorium::TSampleAnalysis&, const statorium::Progress&)>& transform) {
  TShareProgress display(m_prompter, this, QStringLiteral("Transforming the sample..."));
  statorium::TSampleAnalysis next = successor();
  next.sample = m_analysis.sample.Clone();
  // A transformation that fails leaves the sample as it was: nothing is taken then.
  if (!transform(next, statorium::progressPart(display.progress(), 0, transformShare))) return;
  takeChangedSample(next, display, m_mode, [&] {
    next.refresh(statorium::progressPart(display.progress(), transformShare, 1));
  });
}

// The shares of the transformations beside the refresh that follows, as ten million distinct
// values take them.
constexpr double kQuickTransform = 0.2;  // a shift, e^x, ln x, the standard values
constexpr double kPowerTransform = 0.5;  // x^p, of the order of a second per 2 million values

void TfrmMain::btnGetPositiveClick() {
  transformSample(kQuickTransform,
                  [](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
                    return next.doPositive(progress);
                  });
}

void TfrmMain::btnGetLnClick() {
  transformSample(kQuickTransform,
                  [](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
                    next.transformLn(progress);
                    return true;
                  });
}

void TfrmMain::btnGetExpClick() {
  transformSample(kQuickTransform,
                  [](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
                    next.transformExp(progress);
                    return true;
                  });
}

void TfrmMain::btnGetStandartClick() {
  if (m_analysis.sample.empty()) return;
  transformSample(kQuickTransform,
                  [](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
                    next.transformStandard(progress);
                    return true;
                  });
}

void TfrmMain::btnGetPowerClick() {
  QString text = QStringLiteral("1");
  if (!m_prompter.inputQuery(this, QStringLiteral("Enter power"),
                             QStringLiteral("Please enter power"), text))
    return;
  // Every failure, from the text to the refresh, is the one message "Wrong power!".
  try {
    long double p;
    if (!statorium::parseLocaleNumber(text.toStdString(), p))
      throw statorium::Error("not a number");
    transformSample(kPowerTransform,
                    [p](statorium::TSampleAnalysis& next, const statorium::Progress& progress) {
                      next.transformPower(p, progress);
                      return true;
                    });
  } catch (const statorium::Cancelled&) {
    throw;  // no failure
  } catch (const std::exception&) {
    statorium::clearFpFaults();
    m_prompter.showMessage(this, QStringLiteral("Wrong power!"));
  }
}

void TfrmMain::btnGetFirstValuesClick() {
  OnSampleModifiedWithAbnormals(rbDontDrop);
}

void TfrmMain::Save1Click() {
  if (m_analysis.sample.count() == 0) return;
  TFileDialogOptions o;
  o.title = QStringLiteral("Save as");
  o.filter = QStringLiteral("Text file (*.txt)");
  o.defaultSuffix = QStringLiteral("txt");
  o.fileName = QStringLiteral("Sample");
  const QString fileName = m_prompter.getSaveFileName(this, o);
  if (fileName.isEmpty()) return;
  // Ten million values take seconds to write; a cancel leaves the file as it was.
  TShareProgress display(m_prompter, this,
                         QStringLiteral("Saving %1...").arg(QFileInfo(fileName).fileName()));
  m_analysis.sample.SaveToFile(fileName.toStdString(), display.progress());
}

// ---- Windows opened from the menu ----

void TfrmMain::Createseries1Click() {
  if (m_prompter.execDialog(m_windows.frmSeriesCreation) != QDialog::Accepted) return;
  const QString fileName = m_windows.frmSeriesCreation->fileName();
  if (!fileName.isEmpty()) Load(fileName);
}
void TfrmMain::Createobject1Click() {
  std::unique_ptr<statorium::TStatsObject> obj = m_windows.frmCreateStatObj->ShowModal();
  if (!obj) {
    m_prompter.showMessage(this, QStringLiteral("There is nothing to save!"));
    return;
  }
  TFileDialogOptions o;
  o.title = QStringLiteral("Save statobject");
  o.filter = QStringLiteral("Statobject (*.sta)");
  o.defaultSuffix = QStringLiteral("sta");
  o.fileName = QString::fromStdString(obj->name);
  const QString fileName = m_prompter.getSaveFileName(this, o);
  if (fileName.isEmpty()) return;
  obj->writeObject(fileName.toStdString());
}
void TfrmMain::wodimensional1Click() {
  m_prompter.execDialog(m_windows.frm2D);
}
void TfrmMain::Multidimensionalanalysis1Click() {
  m_prompter.execDialog(m_windows.frmND);
}
void TfrmMain::Settings1Click() {
  if (m_prompter.execDialog(m_windows.frmSettings) != QDialog::Accepted) return;
  statorium::TChart& chart = chSampleChat->chart();
  const QColor histogram = m_windows.frmSettings->histogramColor();
  const QColor function = m_windows.frmSettings->functionColor();
  chart.seriesByName("Series1")->SetSeriesColor(
      statorium::rgb(histogram.red(), histogram.green(), histogram.blue()));
  chart.seriesByName("Series6")->SetSeriesColor(
      statorium::rgb(function.red(), function.green(), function.blue()));
  OnSampleModified();
}
void TfrmMain::ToolButton1Click() {
  m_prompter.execDialog(m_windows.frmCheckVariants);
}
void TfrmMain::Many1Click() {
  m_prompter.execDialog(m_windows.frmCheckManyVariants);
}
void TfrmMain::Avgparameterscheck1Click() {
  m_prompter.execDialog(m_windows.frmParamsCheck);
}
void TfrmMain::About1Click() {
  m_prompter.execDialog(m_windows.frmAboutBox);
}
void TfrmMain::tbCloseClick() {
  close();
}

#include "app/mainwindow.h"

#include <qcustomplot.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
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

#include "analysis2d/twod.h"
#include "analysisnd/nd.h"
#include "app/about.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "app/radiogroup.h"
#include "app/samplegridmodel.h"
#include "app/settings.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "checks/checkmanyvariants.h"
#include "checks/checkvariants.h"
#include "checks/paramscheck.h"
#include "core/numtext.h"
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

  // FormCreate: the abnormal-value shares start at 0.05.
  gamma1->setText(general(0.05L));
  gamma2->setText(general(0.05L));
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

  QMenu* statobject = named(bar->addMenu(QStringLiteral("&Statobject")), "Statobject1");
  addItem(statobject, QStringLiteral("Open"), "Open1", &TfrmMain::LoadClick);
  addItem(statobject, QStringLiteral("Create series"), "Createseries1",
          &TfrmMain::Createseries1Click);
  addItem(statobject, QStringLiteral("Compose object"), "Createobject1",
          &TfrmMain::Createobject1Click);
  addItem(statobject, QStringLiteral("Save as"), "Save1", &TfrmMain::Save1Click);
  addSeparator(statobject, "N1");
  addItem(statobject, QStringLiteral("Two-dimensional analysis"), "wodimensional1",
          &TfrmMain::wodimensional1Click);
  addItem(statobject, QStringLiteral("Multi-dimensional analysis"), "Multidimensionalanalysis1",
          &TfrmMain::Multidimensionalanalysis1Click);
  addSeparator(statobject, "N2");
  addItem(statobject, QStringLiteral("Settings"), "Settings1", &TfrmMain::Settings1Click);
  addSeparator(statobject, "N3");
  addItem(statobject, QStringLiteral("Close"), "close1", &TfrmMain::tbCloseClick);

  QMenu* similarity = named(bar->addMenu(QStringLiteral("S&imilarity check")), "Similaritycheck1");
  addItem(similarity, QStringLiteral("Two series (1D)"), "Similarity1",
          &TfrmMain::ToolButton1Click);
  addItem(similarity, QStringLiteral("Many series (1D)"), "Many1", &TfrmMain::Many1Click);

  QMenu* experiments = named(bar->addMenu(QStringLiteral("&Experiments")), "Experiment1");
  addItem(experiments, QStringLiteral("Avg. parameter check"), "Avgparameterscheck1",
          &TfrmMain::Avgparameterscheck1Click);

  // "About" is a top-level item without a menu of its own.
  QAction* about = named(bar->addAction(QStringLiteral("&About")), "About1");
  bind(about, &TfrmMain::About1Click);

  PopupMenu1 = named(new QMenu(this), "PopupMenu1");
  named(PopupMenu1->addAction(QStringLiteral("Show variants table")), "ShowVariantsTable");
  named(PopupMenu1->addAction(QStringLiteral("Show classes table")), "ShowClassesTable");
  chSampleChat->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(chSampleChat, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { PopupMenu1->popup(chSampleChat->mapToGlobal(p)); });

  popupEditSample = named(new QMenu(this), "popupEditSample");
  bind(named(popupEditSample->addAction(QStringLiteral("Insert value")), "Insertvalue1"),
       &TfrmMain::Insertvalue1Click);
  bind(named(popupEditSample->addAction(QStringLiteral("Delete value")), "Deletevalue1"),
       &TfrmMain::Deletevalue1Click);
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
  chSampleChat = named(new QCustomPlot(TabSheet4), "chSampleChat");
  TabSheet4->layout()->addWidget(chSampleChat);
  connect(pcDataDisplay, &QTabWidget::currentChanged, this, &TfrmMain::placeChart);

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
      named(new QCheckBox(QStringLiteral("Set class count"), gbChartControl), "cbSetClassCount"));
  classCount = plain(named(new QLineEdit(QStringLiteral("0"), gbChartControl), "classCount"));
  classCount->setEnabled(false);
  classCount->setMaximumWidth(60);
  cbFn = plain(named(new QCheckBox(QStringLiteral("Empirical function by classes"), gbChartControl),
                     "cbFn"));
  cbFn->setToolTip(QStringLiteral("Draws empirical function by classified data"));
  auto* chartControl = new QGridLayout(gbChartControl);
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
  for (QLineEdit* e : {gamma1, gamma2, LeftValue, RightValue}) e->setMaximumWidth(60);
  auto* abnormals = new QGridLayout(GroupBox1);
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
  connect(rbDontDrop, &QRadioButton::clicked, this,
          [this] { guarded([this] { OnSampleModifiedWithAbnormals(rbDontDrop); }); });

  auto button = [&](const char* name, const QString& caption, const QString& hint) {
    auto* b = plain(named(new QPushButton(caption, GroupBox2), name));
    b->setToolTip(hint);
    return b;
  };
  btnGetPower = button("btnGetPower", QStringLiteral("Power"),
                       QStringLiteral("Gives values equal to power(x, myu)"));
  btnGetLn =
      button("btnGetLn", QStringLiteral("Ln"), QStringLiteral("Gives values equal to Ln(x)"));
  btnGetStandart = button("btnGetStandart", QStringLiteral("Standard"),
                          QStringLiteral("Gives standardizated values"));
  btnGetExp =
      button("btnGetExp", QStringLiteral("Exp"), QStringLiteral("Gives values equal to exp(x)"));
  btnGetPositive = button("btnGetPositive", QStringLiteral("Move"),
                          QStringLiteral("Moves all values to positive ones"));
  btnGetFirstValues = button("btnGetFirstValues", QStringLiteral("Initial"),
                             QStringLiteral("Gives appropriate values"));
  QFont initialFont = btnGetFirstValues->font();
  initialFont.setBold(true);
  btnGetFirstValues->setFont(initialFont);
  btnGetFirstValues->setStyleSheet(QStringLiteral("color: blue;"));
  auto* transformations = new QGridLayout(GroupBox2);
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
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(sgSample);
}

void TfrmMain::placeChart(int tab) {
  // The chart covers the histogram and the function tabs alike.
  QWidget* host = tab == 1 ? TabSheet1 : tab == 0 ? TabSheet4 : nullptr;
  if (!host || chSampleChat->parentWidget() == host) return;
  host->layout()->addWidget(chSampleChat);
  chSampleChat->show();
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
  statorium::TValues values = TfrmCreateStatObj::openValues(fileName, *m_windows.frmSelect);
  if (values.empty()) return;
  values.QuickSort();
  m_fileData = std::move(values);
  rbDontDrop->setChecked(true);
  OnSampleModifiedWithAbnormals(rbDontDrop);
  setWindowTitle(QStringLiteral("Statorium: ") + fileName);
  m_samplePopupAttached = true;
}

void TfrmMain::OnSampleModifiedWithAbnormals(QObject* sender) {
  if (sender == rbDontDrop) {
    m_sample = m_fileData.Clone();
    for (QWidget* w : std::initializer_list<QWidget*>{gamma1, gamma2, LeftValue, RightValue,
                                                      lGamma1, lGamma2, lLeftValue, lRightValue})
      w->setEnabled(false);
    m_Variants.setVariants(m_sample);
    OnSampleModified();
  }
}

void TfrmMain::OnSampleModified() {
  m_Variants.setVariants(m_sample);
  showSample();
  if (m_sample.count() > 0) OnVariantsChange();
  if (m_sample.count() > 0) findLaw();
}

void TfrmMain::OnVariantsChange() {
  // The classes, histogram, empirical function, law and characteristics hang here.
}

void TfrmMain::findLaw() {
  // The law suggestion hangs here.
}

void TfrmMain::showSample() {
  // The grid fills its page, and every page has the size of the page shown, so the width is
  // known even while the grid's own page is hidden. A vertical scroll bar is allowed for.
  const QWidget* page = pages->currentWidget();
  const int frame = 2 * sgSample->frameWidth();
  const int width =
      page->width() - frame - sgSample->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  m_sampleModel->showSample(&m_sample, width, kSampleColumnWidth);
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
  m_sample.Add(v);
  m_sample.QuickSort();
  OnSampleModified();
}

void TfrmMain::Deletevalue1Click() {
  const QModelIndex current = sgSample->currentIndex();
  if (!current.isValid()) return;
  const long long index = m_sampleModel->layout().valueIndex(current.row(), current.column());
  if (index < 0 || index >= m_sample.count()) return;
  m_sample.Delete(static_cast<int>(index));
  OnSampleModified();
}

void TfrmMain::Save1Click() {
  if (m_sample.count() == 0) return;
  TFileDialogOptions o;
  o.title = QStringLiteral("Save as");
  o.filter = QStringLiteral("Text file (*.txt)");
  o.defaultSuffix = QStringLiteral("txt");
  o.fileName = QStringLiteral("Sample");
  const QString fileName = m_prompter.getSaveFileName(this, o);
  if (fileName.isEmpty()) return;
  m_sample.SaveToFile(fileName.toStdString());
}

// ---- Windows opened from the menu ----

void TfrmMain::Createseries1Click() {
  m_prompter.execDialog(m_windows.frmSeriesCreation);
}
void TfrmMain::Createobject1Click() {
  m_prompter.execDialog(m_windows.frmCreateStatObj);
}
void TfrmMain::wodimensional1Click() {
  m_prompter.execDialog(m_windows.frm2D);
}
void TfrmMain::Multidimensionalanalysis1Click() {
  m_prompter.execDialog(m_windows.frmND);
}
void TfrmMain::Settings1Click() {
  m_prompter.execDialog(m_windows.frmSettings);
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

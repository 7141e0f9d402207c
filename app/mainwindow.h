#pragma once
// TfrmMain: the main window, the program's hub. It shows the working sample in the sample grid,
// edits and saves it, and shows its one-dimensional analysis: histogram, empirical function,
// characteristics, the fitted law and its criteria. The analysis itself is TSampleAnalysis; the
// window copies its controls into it, runs a step, and renders what the step left.

#include <QMainWindow>
#include <functional>

#include "core/sampleanalysis.h"
#include "core/samplehistory.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class TChartView;
class TPrompter;
class TRadioGroup;
class TSampleGridModel;
class TStringGrid;
struct TApplicationWindows;

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  TfrmMain(TPrompter& prompter, TApplicationWindows& windows);

  /// Loads a sample from a file: a file without values changes nothing; otherwise the values
  /// become the file data (sorted) and, with the abnormal-value mode reset, the working sample.
  /// A large file is read and analysed under a progress display; a cancel there changes
  /// nothing.
  void Load(const QString& fileName);

  /// The refresh chain after every change of the working sample.
  void OnSampleModified();
  /// Applies the abnormal-value mode whose radio button is `sender`.
  void OnSampleModifiedWithAbnormals(QObject* sender);

  const statorium::TValues& sample() const { return m_analysis.sample; }
  const statorium::TValues& fileData() const { return m_analysis.fileData; }
  const statorium::TVariants& variants() const { return m_analysis.variants; }
  const statorium::TVariants& classes() const { return m_analysis.classes; }
  const statorium::TSampleAnalysis& analysis() const { return m_analysis; }
  /// The pop-up menu attached to the sample grid, or null before the first load.
  QMenu* samplePopupMenu() const { return m_samplePopupAttached ? popupEditSample : nullptr; }
  /// The changes of the working sample since the last load that can be undone or redone.
  const statorium::TSampleHistory& history() const { return m_history; }

  // Menu and pop-up handlers.
  void LoadClick();
  void Save1Click();
  void Createseries1Click();
  void Createobject1Click();
  void wodimensional1Click();
  void Multidimensionalanalysis1Click();
  void Settings1Click();
  void tbCloseClick();
  void ToolButton1Click();
  void Many1Click();
  void Avgparameterscheck1Click();
  void About1Click();
  void Insertvalue1Click();
  void Deletevalue1Click();
  void ShowVariantsTableClick();
  void ShowClassesTableClick();
  /// Undoes the last change of the working sample (an edit, a transformation, "Initial" or an
  /// abnormal-value mode), or makes the last undone one again, and runs the refresh chain.
  void UndoClick();
  void RedoClick();

  // Analysis view handlers.
  void cbSetClassCountClick();
  void onShowFnModeChange();
  void pcDataDisplayChange();
  void rgLawClick();

  // Transformations.
  void btnGetPowerClick();
  void btnGetLnClick();
  void btnGetStandartClick();
  void btnGetExpClick();
  void btnGetPositiveClick();
  void btnGetFirstValuesClick();

 private:
  void buildMenus();
  void buildAnalysisPage(QWidget* page);
  void buildSamplePage(QWidget* page);
  /// Wires a menu action to a handler that runs guarded.
  void bind(QAction* action, void (TfrmMain::*handler)());
  /// Runs a handler; an error that escapes it is shown in an error box.
  void guarded(const std::function<void()>& handler);
  void showSample();
  void placeChart(int tab);
  void buildChart();
  /// Copies the controls into the inputs of `into`.
  void gatherInputs(statorium::TSampleAnalysis& into);
  /// Runs an analysis step and renders its results, also those of a step that failed part way;
  /// the failure then goes on to the error box.
  void analysisStep(const std::function<void()>& step);
  /// Shows the analysis's results in the controls and on the chart.
  void renderAnalysis();
  void renderChart();
  statorium::AbnormalMode abnormalModeOf(QObject* sender) const;
  /// Applies the abnormal-value mode whose radio button is `sender`, without keeping a step.
  void applyAbnormalMode(QObject* sender);
  /// Checks the radio button of `mode` and enables the edits that belong to it.
  void showAbnormalMode(statorium::AbnormalMode mode);
  /// Runs a change of the working sample as a whole; when it altered the sample or its mode
  /// (also when it failed part way), the sample as it was becomes a step to undo.
  void changeSample(const std::function<void()>& change);
  void updateUndoActions();
  void arrangeTabOrder();

  TPrompter& m_prompter;
  TApplicationWindows& m_windows;

  statorium::TSampleAnalysis m_analysis;

  // Controls, named as the window's design names them.
  QTabWidget* pages;
  QWidget* tsAnalysis;
  QWidget* TabSheet3;
  QTabWidget* pcDataDisplay;
  QWidget* TabSheet4;
  QWidget* TabSheet1;
  QWidget* TabSheet5;
  TChartView* chSampleChat;
  QLabel* Label2;
  QTableWidget* sgQuantityCharacteristics;
  QLabel* DistributionLawParams;
  QLabel* lCriterias1;
  QLabel* lCriterias2;
  QGroupBox* gbChartControl;
  QCheckBox* cbSetClassCount;
  QLineEdit* classCount;
  QCheckBox* cbFn;
  QGroupBox* GroupBox2;
  QGroupBox* GroupBox1;
  QRadioButton* rbDontDrop;
  QRadioButton* rbGammaDrop;
  QRadioButton* rbIntervalDrop;
  QLineEdit* gamma1;
  QLineEdit* gamma2;
  QLineEdit* LeftValue;
  QLineEdit* RightValue;
  QLabel* lGamma1;
  QLabel* lGamma2;
  QLabel* lLeftValue;
  QLabel* lRightValue;
  QPushButton* btnGetPower;
  QPushButton* btnGetLn;
  QPushButton* btnGetStandart;
  QPushButton* btnGetExp;
  QPushButton* btnGetPositive;
  QPushButton* btnGetFirstValues;
  TRadioGroup* rgLaw;
  TStringGrid* sgSample;
  TSampleGridModel* m_sampleModel;
  QMenu* PopupMenu1;
  QMenu* popupEditSample;
  QAction* Undo1;
  QAction* Redo1;
  bool m_samplePopupAttached = false;
  statorium::TSampleHistory m_history;
  statorium::AbnormalMode m_mode = statorium::AbnormalMode::DontDrop;  // the sample's mode
};

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
class TShareProgress;
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

  // Every action that reruns the analysis, apart from a change of the tab, runs under a
  // progress display: it computes a successor of the analysis and swaps it in when complete, or
  // when it fails part way (with the results reached, before the error box). A cancel leaves
  // the sample, the results, the controls that started the action and the undo history as
  // they were.

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
  /// the failure then goes on to the error box. For the steps too quick to need a progress
  /// display (the chart scale of a tab).
  void analysisStep(const std::function<void()>& step);
  /// A successor of the analysis with the controls' inputs, for a step that must leave the
  /// analysis as it is until the step is complete.
  statorium::TSampleAnalysis successor();
  /// Runs `analyse` on `next`, then makes `next` the analysis and renders it: when the step
  /// completes, and when it fails part way (the failure then goes on to the error box). The
  /// empirical function it did not draw is the old one. `taken` runs just before the swap, while
  /// the old analysis is still there. A cancel leaves the analysis as it is and puts the
  /// controls back (showInputs).
  void takeSuccessor(statorium::TSampleAnalysis& next, TShareProgress& display,
                     const std::function<void()>& analyse, const std::function<void()>& taken);
  /// A step of the analysis views: `step` runs on a successor that borrows the variation series
  /// (the views read it and change it not) and takes the samples over at the end.
  void viewStep(
      const std::function<void(statorium::TSampleAnalysis&, const statorium::Progress&)>& step);
  /// Puts the controls the analysis takes its inputs from (the chart controls, the abnormal-value
  /// mode and its edits, the law choice) back as the analysis shown was computed with.
  void showInputs();
  /// Analyses `next`, which holds the new working sample, by `analyse` (a refresh, or an
  /// abnormal-value mode) and takes it as takeSuccessor does; `next` borrows the loaded values
  /// meanwhile. An empty sample keeps the old variation series, with a total of 0, unless
  /// `buildsSeries` (the probability mode builds its own).
  void analyseSample(statorium::TSampleAnalysis& next, TShareProgress& display,
                     const std::function<void()>& analyse, const std::function<void()>& taken,
                     bool buildsSeries = false);
  /// analyseSample for a change of the working sample as a whole, made in the abnormal-value
  /// mode `mode`: when it altered the sample or its mode (also when it failed part way), the
  /// sample as it was becomes a step to undo.
  void takeChangedSample(statorium::TSampleAnalysis& next, TShareProgress& display,
                         statorium::AbnormalMode mode, const std::function<void()>& analyse);
  /// The refresh chain on `next`, whose working sample is the new one, from the share `from` of
  /// the display on; `taken` keeps the step in the undo history.
  void refreshSample(statorium::TSampleAnalysis& next, TShareProgress& display, double from,
                     const std::function<void()>& taken);
  /// Runs `transform` on a copy of the working sample and refreshes; `transform` returns false
  /// when the sample stays as it is (then nothing else happens), and gets the share
  /// `transformShare` of the display.
  void transformSample(double transformShare,
                       const std::function<bool(statorium::TSampleAnalysis&,
                                                const statorium::Progress&)>& transform);
  /// Undoes (`back`) or redoes the last step of the undo history and refreshes.
  void stepInHistory(bool back);
  /// Shows the analysis's results in the controls and on the chart.
  void renderAnalysis();
  void renderChart();
  statorium::AbnormalMode abnormalModeOf(QObject* sender) const;
  /// Checks the radio button of `mode` and enables the edits that belong to it.
  void showAbnormalMode(statorium::AbnormalMode mode);
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

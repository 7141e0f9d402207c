#pragma once
// TfrmND: the multi-dimensional analysis window. The user opens or composes a statobject; the
// analysis (core/ndanalysis.h) fills the "Prime analysis" and "MMC" pages and writes the main
// components file; the "Properies dependence" page evaluates partial and multiple correlations
// and opens the regression window for a significant multiple correlation.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "core/dependence.h"
#include "core/ndanalysis.h"

class QAction;
class QPushButton;
class QTabWidget;
class TApplicationWindows;
class TFunctionGridModel;
class TPrompter;
class TStringGrid;

class TfrmND : public QDialog {
  Q_OBJECT
 public:
  TfrmND(TPrompter& prompter, TApplicationWindows& windows, QWidget* parent);
  ~TfrmND() override;

  /// "Open": reads a statobject file, analyses it when it has two properties or more, and
  /// keeps it for "Evaluate" in either case. A cancelled file dialog leaves the window without
  /// a statobject; a cancel of the reading or the analysis leaves the window as it was.
  void Open1Click();
  /// "Compose": the same with a statobject composed in the composition window.
  void Composeobject1Click();
  /// "Similarity check": the multi-dimensional similarity check window.
  void Similaritycheck1Click();
  /// "Evaluate": the partial and multiple correlations of the kept statobject; a cancel keeps
  /// the grids as they were.
  void bEvalClick();
  /// A click on the partial correlations: its 95% interval becomes the grid's hint.
  void gPRClick(int column, int row);
  /// A click on a multiple correlation: the regression window for that property.
  void gMRClick(int column, int row);

  /// The statobject kept for "Evaluate" (null when there is none).
  const statorium::TStatsObject* object() const { return m_obj.get(); }

 private:
  void guarded(const std::function<void()>& handler);
  /// Keeps `obj` (read from `fileName`, empty for a composed one) and, when it has two
  /// properties or more, runs its analysis (standardizing it when asked), fills the grids, tells
  /// the number of main components and writes the main components file. The analysis runs on
  /// `obj` before the window takes it, so that a cancel leaves the window as it was; a failure
  /// keeps the object and shows what the run filled.
  void take(std::unique_ptr<statorium::TStatsObject> obj, const QString& fileName);
  void render();
  void writeMainComponents();

  TPrompter& m_prompter;
  TApplicationWindows& m_windows;
  std::unique_ptr<statorium::TStatsObject> m_obj;
  QString m_fileName;  // the file of the kept statobject; empty for a composed one
  statorium::NDAnalysis m_analysis;
  statorium::PropertyDependence m_dependence;

  QAction* Composeobject1;
  QAction* Open1;
  QAction* Close1;
  QAction* Similaritycheck1;
  QTabWidget* MMC;
  TStringGrid *gAvg, *gD, *gR, *gPR, *gMR, *DD, *ownVV, *transData;
  TFunctionGridModel *m_gAvg, *m_gD, *m_gR, *m_gPR, *m_gMR, *m_DD, *m_ownVV, *m_transData;
  QPushButton* bEval;
};

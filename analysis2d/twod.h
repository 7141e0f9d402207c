#pragma once
// Tfrm2D: the two-dimensional analysis window. The user opens or composes a statobject and
// picks two of its properties; the analysis (core/twodanalysis.h) writes the report, and the
// window draws the correlation field with the regression lines and, on the "Histogram" page,
// the coloured correlation table.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "core/twodanalysis.h"

class QAction;
class QCheckBox;
class QLabel;
class QTabWidget;
class QTextEdit;
class TApplicationWindows;
class TChartView;
class TPrompter;

namespace statorium {
class TStatsObject;
}

class Tfrm2D : public QDialog {
  Q_OBJECT
 public:
  Tfrm2D(TPrompter& prompter, TApplicationWindows& windows, QWidget* parent);

  /// "Open": reads a statobject file and analyses two of its properties (the selection dialog
  /// asks which when there are more than two). One property or none: nothing happens.
  void Open1Click();
  /// "Compose": analyses two properties of a statobject composed in the composition window.
  void Composeobject1Click();
  /// Offers the data transformation dialog, runs the analysis of X = first and Y = second and
  /// renders the report, the chart series and the table. A failing run shows what it reached
  /// (the error box follows).
  void ProcessObject(const statorium::TValues& first, const statorium::TValues& second);
  /// Paints the correlation table into the "Histogram" page and rebuilds the grid series;
  /// nothing before the first analysis.
  void DiagramDraw();

  /// The last analysis (empty before the first).
  const statorium::T2DAnalysis& analysis() const { return m_analysis; }

 private:
  void guarded(const std::function<void()>& handler);
  void analyseObject(const statorium::TStatsObject& obj, const QString& name);
  void buildChart();
  void render();
  bool eventFilter(QObject* watched, QEvent* event) override;

  TPrompter& m_prompter;
  TApplicationWindows& m_windows;
  statorium::T2DAnalysis m_analysis;
  bool m_haveTable = false;
  QString m_objectName;  // the file (or composed statobject) the caption names

  QAction* Composeobject1;
  QAction* Open1;
  QAction* Close1;
  QTabWidget* PageControl1;
  TChartView* Chart1;
  QTextEdit* myout;
  QWidget* Panel1;
  QLabel* Image1;
  QCheckBox* CheckBox[10];  // CheckBox1 ... CheckBox9 at their numbers
};

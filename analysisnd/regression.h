#pragma once
// TfrmRegression: the regression of one property on all the others, filled by the
// multi-dimensional window and shown modally; it has no behaviour of its own.

#include <QDialog>

#include "core/dependence.h"

class QPlainTextEdit;
class TChartView;
class TFunctionGridModel;
class TPrompter;
class TStringGrid;

class TfrmRegression : public QDialog {
  Q_OBJECT
 public:
  TfrmRegression(TPrompter& prompter, QWidget* parent);

  /// Shows a regression: both grids, the results and the diagnostic diagram.
  void showRegression(statorium::TRegression regression);

 private:
  statorium::TRegression m_regression;
  TStringGrid* gA;
  TStringGrid* g2;
  TFunctionGridModel* m_gA;
  TFunctionGridModel* m_g2;
  QPlainTextEdit* textResults;
  TChartView* Chart1;
};

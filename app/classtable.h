#pragma once
// TfrmClassTable: the variants or the classes of the sample as a table of values, frequencies
// and relative frequencies.

#include <QDialog>
#include <QString>

#include "core/variants.h"

class QLabel;
class TPrompter;
class TStringGrid;
class TClassTableModel;

class TfrmClassTable : public QDialog {
  Q_OBJECT
 public:
  TfrmClassTable(TPrompter& prompter, QWidget* parent);

  /// Shows `classes` modally under `caption`; returns the modal result, or 0 without showing
  /// anything when the series has no element.
  int ShowModal(const statorium::TVariants& classes, const QString& caption);

 private:
  TPrompter& m_prompter;
  QLabel* Label1;
  TStringGrid* sgClassTable;
  TClassTableModel* m_model;
};

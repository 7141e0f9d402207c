#pragma once
// TfrmPairMatch: the table of the experiment's pairs of series, filled and shown by it.

#include <QDialog>

class TPrompter;
class TStringGrid;
class TTextGridModel;

class TfrmPairMatch : public QDialog {
  Q_OBJECT
 public:
  TfrmPairMatch(TPrompter& prompter, QWidget* parent);

  /// The cells of StringGrid1; row i and column j stand for checks i + 1 and j + 1.
  TTextGridModel* table() const { return m_table; }

 private:
  TStringGrid* StringGrid1;
  TTextGridModel* m_table;
};

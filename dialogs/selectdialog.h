#pragma once
// TfrmSelect: asks which property of a statobject to use, or which two.

#include <QDialog>

#include "core/statsobject.h"

class QPushButton;
class TPrompter;
class TRadioGroup;
class TPropertyGridModel;
class TStringGrid;

class TfrmSelect : public QDialog {
  Q_OBJECT
 public:
  TfrmSelect(TPrompter& prompter, QWidget* parent);

  /// Shows the properties of `obj` and asks for the first and/or second choice. A choice whose
  /// pointer is not null on entry is asked (its group enabled) and is kept on cancel; a null one
  /// is not asked and stays null. After OK each asked pointer refers to the chosen property of
  /// `obj` (no copy: `obj` must outlive its use). Returns QDialog::Accepted or Rejected.
  int ShowModal(const statorium::TStatsObject& obj, const statorium::TValues** first,
                const statorium::TValues** second);

  /// The 0-based item selected in "First characteristic" / "Second characteristic", -1 for none.
  int firstIndex() const;
  int secondIndex() const;
  void setFirstIndex(int index);
  void setSecondIndex(int index);

  /// Closing with OK is refused while a group with items has no chosen item.
  void accept() override;

 private:
  TPrompter& m_prompter;
  TStringGrid* datas;
  TPropertyGridModel* m_model;
  TRadioGroup* rgFirst;
  TRadioGroup* rgSecond;
  QPushButton* ok;
  QPushButton* BitBtn1;
};

#pragma once
// TfrmCheckVariants: the similarity check of two series chosen from a list of files.

#include "checks/checkwindow.h"

class QCheckBox;

class TfrmCheckVariants : public TSeriesCheckWindow {
  Q_OBJECT
 public:
  TfrmCheckVariants(TPrompter& prompter, QWidget* parent);

  /// Runs the check on the first two checked files that can be read and fills both memos.
  void goCheckClick() override;

 private:
  QCheckBox* isLock;
  QPlainTextEdit* normalResults;
  QPlainTextEdit* textResults;
};

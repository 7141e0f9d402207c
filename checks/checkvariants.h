#pragma once
// TfrmCheckVariants: the similarity check of two series chosen from a list of files.

#include <string>
#include <vector>

#include "checks/checkwindow.h"

class QCheckBox;

class TfrmCheckVariants : public TSeriesCheckWindow {
  Q_OBJECT
 public:
  TfrmCheckVariants(TPrompter& prompter, QWidget* parent);

  /// Runs the check on the first two checked files that can be read and fills both memos.
  void goCheckClick() override;

 private:
  /// Replaces what both memos show.
  void showResults(const std::vector<std::string>& uLines,
                   const std::vector<std::string>& normalLines);

  QCheckBox* isLock;
  QPlainTextEdit* normalResults;
  QPlainTextEdit* textResults;
};

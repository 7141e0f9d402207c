#pragma once
// TfrmCheckManyVariants: the similarity check of any number of series chosen from a list of
// files (Bartlett's criterion, the analysis of variance and the H-criterion).

#include "checks/checkwindow.h"

namespace statorium {
struct ManySeriesLines;
}

class TfrmCheckManyVariants : public TSeriesCheckWindow {
  Q_OBJECT
 public:
  TfrmCheckManyVariants(TPrompter& prompter, QWidget* parent);

  /// Reads every checked file and fills the three memos; a file that cannot be read ends the
  /// run with the memos empty (the error box follows).
  void goCheckClick() override;

 private:
  /// Replaces what the three memos show.
  void showResults(const statorium::ManySeriesLines& lines);

  QPlainTextEdit* normalResults;
  QPlainTextEdit* univariateAnalysisResults;
  QPlainTextEdit* textResults;
};

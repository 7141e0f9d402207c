#pragma once
// TfrmNCheck: the similarity check of statobjects taken as samples of multi-dimensional
// observations (equal covariance matrices, equal mean vectors, and the mean vectors of the
// first two under normal laws with a common covariance matrix).

#include "checks/checkwindow.h"

namespace statorium {
struct NSimilarityResults;
}

class TfrmNCheck : public TSeriesCheckWindow {
  Q_OBJECT
 public:
  TfrmNCheck(TPrompter& prompter, QWidget* parent);

  /// Reads the checked statobject files and fills both memos.
  void goCheckClick() override;

 private:
  /// Replaces what both memos show.
  void showResults(const statorium::NSimilarityResults& results);

  QPlainTextEdit* textResults;
  QPlainTextEdit* normalResults;
};

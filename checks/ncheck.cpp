#include "checks/ncheck.h"

#include <QPlainTextEdit>

#include "checks/checkwidgets.h"
#include "core/ndsimilarity.h"

TfrmNCheck::TfrmNCheck(TPrompter& prompter, QWidget* parent)
    : TSeriesCheckWindow(prompter, parent, "frmNCheck") {
  textResults = addResultMemo(QStringLiteral("Many series check results"), "textResults", 3);
  normalResults = addResultMemo(QStringLiteral("Normal law check results"), "normalResults", 2);
  resize(640, 460);
  goCheckClick();
}

void TfrmNCheck::goCheckClick() {
  textResults->clear();
  normalResults->clear();
  const std::vector<statorium::TStatsObject> objects =
      statorium::readNCheckObjects(checkedPaths(data));
  statorium::NSimilarityResults results;
  try {
    statorium::NSimilarityCheck(objects, results);
  } catch (...) {
    appendLines(textResults, results.textResults);  // the first memo may be complete
    appendLines(normalResults, results.normalResults);
    throw;
  }
  appendLines(textResults, results.textResults);
  appendLines(normalResults, results.normalResults);
}

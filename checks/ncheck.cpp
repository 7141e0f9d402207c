#include "checks/ncheck.h"

#include <QPlainTextEdit>

#include "checks/checkwidgets.h"
#include "core/checkseries.h"
#include "core/ndsimilarity.h"

TfrmNCheck::TfrmNCheck(TPrompter& prompter, QWidget* parent)
    : TSeriesCheckWindow(prompter, parent, "frmNCheck") {
  textResults = addResultMemo(QStringLiteral("Many series check results"), "textResults", 3);
  normalResults = addResultMemo(QStringLiteral("Normal law check results"), "normalResults", 2);
  resize(640, 460);
  goCheckClick();
}

void TfrmNCheck::goCheckClick() {
  const std::vector<std::string> paths = checkedPaths(data);
  const TCheckProgress progress(m_prompter, this, paths.size());
  statorium::NSimilarityResults results;
  try {
    std::vector<statorium::TStatsObject> objects;
    for (size_t i = 0; i < paths.size(); ++i)
      if (std::optional<statorium::TStatsObject> obj =
              statorium::readNCheckObject(paths[i], progress.file(i)))
        objects.push_back(std::move(*obj));
    progress.computing();
    statorium::NSimilarityCheck(objects, results);
    progress.done();
  } catch (const statorium::Cancelled&) {
    throw;  // the memos keep the results of the last complete run
  } catch (...) {
    showResults(results);  // the first memo may be complete; the error box follows
    throw;
  }
  showResults(results);
}

void TfrmNCheck::showResults(const statorium::NSimilarityResults& results) {
  textResults->clear();
  normalResults->clear();
  appendLines(textResults, results.textResults);
  appendLines(normalResults, results.normalResults);
}

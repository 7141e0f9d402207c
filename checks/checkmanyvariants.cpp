#include "checks/checkmanyvariants.h"

#include <QPlainTextEdit>

#include "checks/checkwidgets.h"
#include "core/checkseries.h"
#include "core/manyseries.h"

TfrmCheckManyVariants::TfrmCheckManyVariants(TPrompter& prompter, QWidget* parent)
    : TSeriesCheckWindow(prompter, parent, "frmCheckManyVariants") {
  normalResults = addResultMemo(QStringLiteral("Bartlet's criteria results"), "normalResults", 1);
  univariateAnalysisResults =
      addResultMemo(QStringLiteral("Univariate analysis results"), "univariateAnalysisResults", 1);
  textResults = addResultMemo(QStringLiteral("H-criteria results"), "textResults", 1);
  resize(640, 480);
  goCheckClick();
}

void TfrmCheckManyVariants::goCheckClick() {
  const std::vector<std::string> paths = checkedPaths(data);
  const TCheckProgress progress(m_prompter, this, paths.size());
  statorium::ManySeriesLines lines;
  try {
    std::vector<statorium::TValues> series;
    for (size_t i = 0; i < paths.size(); ++i)
      series.push_back(statorium::loadCheckSeries(paths[i], progress.file(i)));
    progress.computing();
    lines = statorium::ManySeriesCheck(series);
    progress.done();
  } catch (const statorium::Cancelled&) {
    throw;  // the memos keep the results of the last complete run
  } catch (...) {
    showResults({});  // a file that cannot be read or a failing check leaves them empty
    throw;
  }
  showResults(lines);
}

void TfrmCheckManyVariants::showResults(const statorium::ManySeriesLines& lines) {
  normalResults->clear();
  univariateAnalysisResults->clear();
  textResults->clear();
  appendLines(normalResults, lines.bartlett);
  appendLines(univariateAnalysisResults, lines.variance);
  appendLines(textResults, lines.rank);
}

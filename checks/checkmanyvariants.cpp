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
  textResults->clear();
  normalResults->clear();
  univariateAnalysisResults->clear();
  std::vector<statorium::TValues> series;
  for (const std::string& path : checkedPaths(data))
    series.push_back(statorium::loadCheckSeries(path));
  const statorium::ManySeriesLines lines = statorium::ManySeriesCheck(series);
  appendLines(normalResults, lines.bartlett);
  appendLines(univariateAnalysisResults, lines.variance);
  appendLines(textResults, lines.rank);
}

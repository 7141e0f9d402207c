#include "checks/checkvariants.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "checks/checkwidgets.h"
#include "core/twoseries.h"

TfrmCheckVariants::TfrmCheckVariants(TPrompter& prompter, QWidget* parent)
    : TSeriesCheckWindow(prompter, parent, "frmCheckVariants") {
  isLock = new QCheckBox(QStringLiteral("&Dependent series"));
  isLock->setObjectName(QStringLiteral("isLock"));
  QFont f = isLock->font();
  f.setBold(false);
  isLock->setFont(f);
  optionsLayout()->addWidget(isLock);
  normalResults = addResultMemo(QStringLiteral("Normal law check results"), "normalResults", 3);
  textResults = addResultMemo(QStringLiteral("U-criteria results"), "textResults", 2);
  resize(640, 420);

  connect(isLock, &QCheckBox::clicked, this, [this](bool checked) {
    rerunAfter([this, checked] {
      const QSignalBlocker block(isLock);
      isLock->setChecked(!checked);
    });
  });
  goCheckClick();
}

void TfrmCheckVariants::goCheckClick() {
  const std::vector<std::string> paths = checkedPaths(data);
  const TCheckProgress progress(m_prompter, this, paths.size());
  std::vector<std::string> uLines, normalLines;
  try {
    std::vector<statorium::TValues> series;
    for (size_t i = 0; i < paths.size() && series.size() < 2; ++i)
      if (std::optional<statorium::TValues> s =
              statorium::readCheckSeries(paths[i], progress.file(i)))
        series.push_back(std::move(*s));
    progress.computing();
    if (series.size() < 2) {
      uLines = normalLines = {statorium::kNeedTwoSeries};
    } else {
      statorium::TwoSeriesCheck(series[0], series[1], isLock->isChecked(), uLines, normalLines);
    }
    progress.done();
  } catch (const statorium::Cancelled&) {
    throw;  // the memos keep the results of the last complete run
  } catch (...) {
    showResults(uLines, {});  // the lines reached stay; the error box follows
    throw;
  }
  showResults(uLines, normalLines);
}

void TfrmCheckVariants::showResults(const std::vector<std::string>& uLines,
                                    const std::vector<std::string>& normalLines) {
  textResults->clear();
  normalResults->clear();
  appendLines(textResults, uLines);
  appendLines(normalResults, normalLines);
}

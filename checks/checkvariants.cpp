#include "checks/checkvariants.h"

#include <QCheckBox>
#include <QPlainTextEdit>
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

  connect(isLock, &QCheckBox::clicked, this, [this] { guarded([this] { goCheckClick(); }); });
  goCheckClick();
}

void TfrmCheckVariants::goCheckClick() {
  textResults->clear();
  normalResults->clear();
  std::vector<statorium::TValues> series;
  for (const std::string& path : checkedPaths(data)) {
    if (series.size() == 2) break;
    if (std::optional<statorium::TValues> s = statorium::readCheckSeries(path))
      series.push_back(std::move(*s));
  }
  if (series.size() < 2) {
    textResults->appendPlainText(QString::fromLatin1(statorium::kNeedTwoSeries));
    normalResults->appendPlainText(QString::fromLatin1(statorium::kNeedTwoSeries));
    return;
  }
  std::vector<std::string> uLines, normalLines;
  try {
    statorium::TwoSeriesCheck(series[0], series[1], isLock->isChecked(), uLines, normalLines);
  } catch (...) {
    appendLines(textResults, uLines);  // the lines reached stay; the error box follows
    throw;
  }
  appendLines(textResults, uLines);
  appendLines(normalResults, normalLines);
}

#include "checks/checkvariants.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "app/guard.h"
#include "app/prompter.h"
#include "checks/checkwidgets.h"
#include "core/twoseries.h"

TfrmCheckVariants::TfrmCheckVariants(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_prompter(prompter) {
  setObjectName(QStringLiteral("frmCheckVariants"));
  setWindowTitle(QStringLiteral("Similarity check"));

  QGroupBox* selected = boldGroup(QStringLiteral("Selected series:"), this);
  data = seriesList(selected);
  (new QVBoxLayout(selected))->addWidget(data);

  QGroupBox* options = boldGroup(QStringLiteral("Options"), this);
  Select = new QPushButton(QStringLiteral("Select series"), options);
  Select->setObjectName(QStringLiteral("Select"));
  ClearList = new QPushButton(QStringLiteral("Clear list"), options);
  ClearList->setObjectName(QStringLiteral("ClearList"));
  isLock = new QCheckBox(QStringLiteral("Dependent series"), options);
  isLock->setObjectName(QStringLiteral("isLock"));
  for (QWidget* w : {static_cast<QWidget*>(Select), static_cast<QWidget*>(ClearList),
                     static_cast<QWidget*>(isLock)}) {
    QFont f = w->font();
    f.setBold(false);
    w->setFont(f);
  }
  auto* optionsLayout = new QVBoxLayout(options);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Select);
  buttons->addWidget(ClearList);
  optionsLayout->addLayout(buttons);
  optionsLayout->addWidget(isLock);

  QGroupBox* normal = boldGroup(QStringLiteral("Normal law check results"), this);
  normalResults = resultMemo("normalResults", normal);
  (new QVBoxLayout(normal))->addWidget(normalResults);
  QGroupBox* rank = boldGroup(QStringLiteral("U-criteria results"), this);
  textResults = resultMemo("textResults", rank);
  (new QVBoxLayout(rank))->addWidget(textResults);

  auto* right = new QWidget(this);
  right->setFixedWidth(300);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(options);
  rightLayout->addWidget(normal, 3);
  rightLayout->addWidget(rank, 2);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(selected, 1);
  layout->addWidget(right);
  resize(640, 420);

  connect(Select, &QPushButton::clicked, this, [this] { guarded([this] { SelectClick(); }); });
  connect(ClearList, &QPushButton::clicked, this,
          [this] { guarded([this] { ClearListClick(); }); });
  connect(isLock, &QCheckBox::clicked, this, [this] { guarded([this] { goCheckClick(); }); });
  connect(data, &QListWidget::itemChanged, this, [this] { guarded([this] { goCheckClick(); }); });
  goCheckClick();
}

void TfrmCheckVariants::guarded(const std::function<void()>& handler) {
  runGuarded(m_prompter, this, handler);
}

void TfrmCheckVariants::SelectClick() {
  selectSeriesFiles(m_prompter, this, data);
}

void TfrmCheckVariants::ClearListClick() {
  data->clear();
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

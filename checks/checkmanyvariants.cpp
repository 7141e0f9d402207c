#include "checks/checkmanyvariants.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/guard.h"
#include "app/prompter.h"
#include "checks/checkwidgets.h"
#include "core/checkseries.h"
#include "core/manyseries.h"

namespace {

QGroupBox* memoGroup(const QString& caption, QPlainTextEdit*& memo, const char* name,
                     QWidget* parent) {
  QGroupBox* box = boldGroup(caption, parent);
  memo = resultMemo(name, box);
  (new QVBoxLayout(box))->addWidget(memo);
  return box;
}

}  // namespace

TfrmCheckManyVariants::TfrmCheckManyVariants(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_prompter(prompter) {
  setObjectName(QStringLiteral("frmCheckManyVariants"));
  setWindowTitle(QStringLiteral("Similarity check"));

  QGroupBox* selected = boldGroup(QStringLiteral("Selected series:"), this);
  data = seriesList(selected);
  (new QVBoxLayout(selected))->addWidget(data);

  QGroupBox* options = boldGroup(QStringLiteral("Options"), this);
  Select = new QPushButton(QStringLiteral("Select series"), options);
  Select->setObjectName(QStringLiteral("Select"));
  ClearList = new QPushButton(QStringLiteral("Clear list"), options);
  ClearList->setObjectName(QStringLiteral("ClearList"));
  auto* buttons = new QHBoxLayout(options);
  for (QPushButton* b : {Select, ClearList}) {
    QFont f = b->font();
    f.setBold(false);
    b->setFont(f);
    buttons->addWidget(b);
  }

  auto* right = new QWidget(this);
  right->setFixedWidth(300);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(options);
  rightLayout->addWidget(memoGroup(QStringLiteral("Bartlet's criteria results"), normalResults,
                                   "normalResults", right));
  rightLayout->addWidget(memoGroup(QStringLiteral("Univariate analysis results"),
                                   univariateAnalysisResults, "univariateAnalysisResults", right));
  rightLayout->addWidget(
      memoGroup(QStringLiteral("H-criteria results"), textResults, "textResults", right));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(selected, 1);
  layout->addWidget(right);
  resize(640, 480);

  connect(Select, &QPushButton::clicked, this, [this] { guarded([this] { SelectClick(); }); });
  connect(ClearList, &QPushButton::clicked, this,
          [this] { guarded([this] { ClearListClick(); }); });
  connect(data, &QListWidget::itemChanged, this, [this] { guarded([this] { goCheckClick(); }); });
  goCheckClick();
}

void TfrmCheckManyVariants::guarded(const std::function<void()>& handler) {
  runGuarded(m_prompter, this, handler);
}

void TfrmCheckManyVariants::SelectClick() {
  selectSeriesFiles(m_prompter, this, data);
}

void TfrmCheckManyVariants::ClearListClick() {
  data->clear();
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

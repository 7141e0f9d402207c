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
#include "core/twoseries.h"

namespace {

QGroupBox* group(const QString& caption, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  QFont f = box->font();
  f.setBold(true);
  box->setFont(f);
  return box;
}

QPlainTextEdit* memo(const char* name, QWidget* parent) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(QString::fromLatin1(name));
  m->setReadOnly(true);
  QFont f = m->font();
  f.setBold(false);
  m->setFont(f);
  return m;
}

void append(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) memo->appendPlainText(QString::fromStdString(line));
}

}  // namespace

TfrmCheckVariants::TfrmCheckVariants(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_prompter(prompter) {
  setObjectName(QStringLiteral("frmCheckVariants"));
  setWindowTitle(QStringLiteral("Similarity check"));

  QGroupBox* selected = group(QStringLiteral("Selected series:"), this);
  data = new QListWidget(selected);
  data->setObjectName(QStringLiteral("data"));
  QFont plainFont = data->font();
  plainFont.setBold(false);
  data->setFont(plainFont);
  (new QVBoxLayout(selected))->addWidget(data);

  QGroupBox* options = group(QStringLiteral("Options"), this);
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

  QGroupBox* normal = group(QStringLiteral("Normal law check results"), this);
  normalResults = memo("normalResults", normal);
  (new QVBoxLayout(normal))->addWidget(normalResults);
  QGroupBox* rank = group(QStringLiteral("U-criteria results"), this);
  textResults = memo("textResults", rank);
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
  TFileDialogOptions o;
  o.title = QStringLiteral("Select series");
  o.filter = QStringLiteral("Any file (*);;Statobject (*.sta)");
  const QStringList files = m_prompter.getOpenFileNames(this, o);
  const QSignalBlocker block(data);  // adding entries does not rerun the check
  for (const QString& file : files) {
    auto* item = new QListWidgetItem(file, data);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

void TfrmCheckVariants::ClearListClick() {
  data->clear();
  goCheckClick();
}

void TfrmCheckVariants::goCheckClick() {
  textResults->clear();
  normalResults->clear();
  std::vector<statorium::TValues> series;
  for (int i = 0; i < data->count() && series.size() < 2; ++i) {
    if (data->item(i)->checkState() != Qt::Checked) continue;
    if (std::optional<statorium::TValues> s =
            statorium::readCheckSeries(data->item(i)->text().toStdString()))
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
    append(textResults, uLines);  // the lines reached stay; the error box follows
    throw;
  }
  append(textResults, uLines);
  append(normalResults, normalLines);
}

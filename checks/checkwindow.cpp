#include "checks/checkwindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/copyexport.h"
#include "app/filedrop.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "checks/checkwidgets.h"

TCheckProgress::TCheckProgress(TPrompter& prompter, QWidget* parent, std::size_t files)
    : m_files(files) {
  if (files == 0) return;
  m_display =
      std::make_unique<TShareProgress>(prompter, parent, QStringLiteral("Checking the series..."));
  m_progress = m_display->progress();
}

TCheckProgress::~TCheckProgress() = default;

statorium::Progress TCheckProgress::file(std::size_t i) const {
  const double from = kReadShare * static_cast<double>(i) / static_cast<double>(m_files);
  const double to = kReadShare * static_cast<double>(i + 1) / static_cast<double>(m_files);
  // Reported before the reading, so that the display moves on from file to file even when the
  // files are too small for their readers to report.
  statorium::reportProgress(m_progress, from);
  return statorium::progressPart(m_progress, from, to);
}

void TCheckProgress::computing() const {
  statorium::reportProgress(m_progress, kReadShare);
}

void TCheckProgress::done() const {
  statorium::reportProgress(m_progress, 1);
}

TSeriesCheckWindow::TSeriesCheckWindow(TPrompter& prompter, QWidget* parent, const char* objectName)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_prompter(prompter) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(QStringLiteral("Similarity check"));

  QGroupBox* selected = boldGroup(QStringLiteral("Selected series:"), this);
  data = seriesList(selected);
  (new QVBoxLayout(selected))->addWidget(data);

  QGroupBox* options = boldGroup(QStringLiteral("Options"), this);
  Select = new QPushButton(QStringLiteral("&Select series"), options);
  Select->setObjectName(QStringLiteral("Select"));
  ClearList = new QPushButton(QStringLiteral("&Clear list"), options);
  ClearList->setObjectName(QStringLiteral("ClearList"));
  m_optionsLayout = new QVBoxLayout(options);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {Select, ClearList}) {
    QFont f = b->font();
    f.setBold(false);
    b->setFont(f);
    buttons->addWidget(b);
  }
  m_optionsLayout->addLayout(buttons);

  auto* right = new QWidget(this);
  right->setFixedWidth(300);
  m_right = new QVBoxLayout(right);
  m_right->setContentsMargins(0, 0, 0, 0);
  m_right->addWidget(options);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(selected, 1);
  layout->addWidget(right);

  connect(Select, &QPushButton::clicked, this, [this] { guarded([this] { SelectClick(); }); });
  connect(ClearList, &QPushButton::clicked, this,
          [this] { guarded([this] { ClearListClick(); }); });
  connect(data, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    // The entries are not editable: a change is a check mark set or taken off.
    const Qt::CheckState before = item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    rerunAfter([this, item, before] {
      const QSignalBlocker block(data);  // putting the mark back reruns nothing
      item->setCheckState(before);
    });
  });
  acceptFileDrops(this, m_prompter, [this](const QStringList& files) { FilesDropped(files); });
}

QPlainTextEdit* TSeriesCheckWindow::addResultMemo(const QString& caption, const char* name,
                                                  int stretch) {
  QGroupBox* box = boldGroup(caption, m_right->parentWidget());
  QPlainTextEdit* memo = resultMemo(name, box);
  addMemoCommands(memo, m_prompter);
  (new QVBoxLayout(box))->addWidget(memo);
  m_right->addWidget(box, stretch);
  return memo;
}

void TSeriesCheckWindow::guarded(const std::function<void()>& handler) {
  runGuarded(m_prompter, this, handler);
}

void TSeriesCheckWindow::rerunAfter(const std::function<void()>& undo) {
  guarded([&] {
    try {
      goCheckClick();
    } catch (const statorium::Cancelled&) {
      undo();
      throw;  // a stop the user asked for shows no error box
    }
  });
}

void TSeriesCheckWindow::SelectClick() {
  selectSeriesFiles(m_prompter, this, data);
}

void TSeriesCheckWindow::FilesDropped(const QStringList& files) {
  appendSeriesFiles(data, files);
}

void TSeriesCheckWindow::ClearListClick() {
  data->clear();
  goCheckClick();
}

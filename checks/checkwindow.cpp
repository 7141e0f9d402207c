#include "checks/checkwindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/copyexport.h"
#include "app/filedrop.h"
#include "app/guard.h"
#include "checks/checkwidgets.h"

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
  connect(data, &QListWidget::itemChanged, this, [this] { guarded([this] { goCheckClick(); }); });
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

#include "checks/checkwidgets.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>

#include "app/filedrop.h"
#include "app/prompter.h"

QGroupBox* boldGroup(const QString& caption, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  QFont f = box->font();
  f.setBold(true);
  box->setFont(f);
  return box;
}

QPlainTextEdit* resultMemo(const char* name, QWidget* parent) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(QString::fromLatin1(name));
  m->setReadOnly(true);
  passDropsToWindow(m);  // files dropped on a memo go to the window's list
  QFont f = m->font();
  f.setBold(false);
  m->setFont(f);
  return m;
}

void appendLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) memo->appendPlainText(QString::fromStdString(line));
}

QListWidget* seriesList(QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QStringLiteral("data"));
  QFont plainFont = list->font();
  plainFont.setBold(false);
  list->setFont(plainFont);
  return list;
}

void selectSeriesFiles(TPrompter& prompter, QWidget* parent, QListWidget* list) {
  TFileDialogOptions o;
  o.title = QStringLiteral("Select series");
  o.filter = QStringLiteral("Any file (*);;Statobject (*.sta)");
  appendSeriesFiles(list, prompter.getOpenFileNames(parent, o));
}

void appendSeriesFiles(QListWidget* list, const QStringList& files) {
  const QSignalBlocker block(list);  // adding entries does not rerun the check
  for (const QString& file : files) {
    auto* item = new QListWidgetItem(file, list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

std::vector<std::string> checkedPaths(const QListWidget* list) {
  std::vector<std::string> paths;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->checkState() == Qt::Checked)
      paths.push_back(list->item(i)->text().toStdString());
  return paths;
}

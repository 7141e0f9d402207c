#include "app/copyexport.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableView>
#include <QTextEdit>
#include <algorithm>
#include <functional>

#include "app/guard.h"
#include "app/prompter.h"
#include "charts/chartview.h"
#include "core/errors.h"

namespace {

// Ctrl+C on a grid or memo copies through `copy`: a memo's own Copy would copy nothing without
// a selection, and a grid's own Copy only the current cell.
class TCopyKeyFilter : public QObject {
 public:
  TCopyKeyFilter(QObject* parent, std::function<void()> copy)
      : QObject(parent), m_copy(std::move(copy)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool override = event->type() == QEvent::ShortcutOverride;
    if ((override || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      // Claiming the key in the override keeps any window shortcut from taking it.
      event->accept();
      if (!override) m_copy();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> m_copy;
};

std::string cellText(const QAbstractItemModel* model, int row, int column) {
  return model->data(model->index(row, column)).toString().toStdString();
}

std::string headerText(const QAbstractItemModel* model, int section, Qt::Orientation o) {
  return model->headerData(section, o).toString().toStdString();
}

QString windowCaption(const QWidget* w) {
  return w->window()->windowTitle();
}

QString askExportFile(TPrompter& prompter, QWidget* parent, const QString& name) {
  TFileDialogOptions o;
  o.title = QStringLiteral("Export");
  o.filter = QStringLiteral("Text file (*.txt);;CSV file (*.csv);;HTML file (*.html)");
  o.defaultSuffix = QStringLiteral("txt");
  o.fileName = name;
  return prompter.getSaveFileName(parent, o);
}

void putOnClipboard(std::string text) {
  // A single cell pasted into an edit must not bring a line break along.
  if (!text.empty() && text.back() == '\n') text.pop_back();
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

// "800x600" (also with "X", "*" or blanks): at least 1 and at most 10000 pixels each way.
bool parsePictureSize(const QString& text, int& width, int& height) {
  static const QRegularExpression re(
      QStringLiteral("^\\s*(\\d{1,5})\\s*[xX*\u00d7]\\s*(\\d{1,5})\\s*$"));
  const QRegularExpressionMatch m = re.match(text);
  if (!m.hasMatch()) return false;
  width = m.captured(1).toInt();
  height = m.captured(2).toInt();
  return width >= 1 && height >= 1 && width <= 10000 && height <= 10000;
}

// A shortcut shown in a pop-up menu only; the widget handles the key itself.
QAction* menuItem(QMenu* menu, const QString& caption, const char* name,
                  QKeySequence::StandardKey key) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QString::fromLatin1(name));
  if (key != QKeySequence::UnknownKey) {
    a->setShortcut(key);
    a->setShortcutContext(Qt::WidgetShortcut);
  }
  return a;
}

QMenu* ownMenu(QAbstractScrollArea* area) {
  auto* menu = new QMenu(area);
  area->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(area, &QWidget::customContextMenuRequested, menu, [area, menu](const QPoint& p) {
    menu->popup(area->viewport()->mapToGlobal(p));
  });
  return menu;
}

}  // namespace

statorium::TableSource gridTable(const QTableView* view, bool everything) {
  statorium::TableSource table;
  const QAbstractItemModel* model = view->model();
  if (!model) return table;
  std::vector<int> rows, columns;
  for (int r = 0; r < model->rowCount(); ++r)
    if (!view->isRowHidden(r)) rows.push_back(r);
  for (int c = 0; c < model->columnCount(); ++c)
    if (!view->isColumnHidden(c)) columns.push_back(c);

  const QItemSelection selection =
      view->selectionModel() ? view->selectionModel()->selection() : QItemSelection();
  if (!everything && !selection.isEmpty()) {
    int top = model->rowCount(), bottom = -1, left = model->columnCount(), right = -1;
    for (const QItemSelectionRange& range : selection) {
      top = std::min(top, range.top());
      bottom = std::max(bottom, range.bottom());
      left = std::min(left, range.left());
      right = std::max(right, range.right());
    }
    std::erase_if(rows, [&](int r) { return r < top || r > bottom; });
    std::erase_if(columns, [&](int c) { return c < left || c > right; });
    table.rows = static_cast<int>(rows.size());
    table.columns = static_cast<int>(columns.size());
    table.cell = [model, selection, rows, columns](int r, int c) {
      const QModelIndex index = model->index(rows[r], columns[c]);
      return selection.contains(index) ? cellText(model, index.row(), index.column())
                                       : std::string();
    };
    return table;
  }

  // Headers count when not hidden, also while the grid's page is not shown.
  const bool rowCaptions = !view->verticalHeader()->isHidden();
  const int offset = rowCaptions ? 1 : 0;
  if (!view->horizontalHeader()->isHidden()) {
    if (rowCaptions) table.header.emplace_back();
    for (int c : columns) table.header.push_back(headerText(model, c, Qt::Horizontal));
  }
  table.rows = static_cast<int>(rows.size());
  table.columns = static_cast<int>(columns.size()) + offset;
  table.cell = [model, rows, columns, offset](int r, int c) {
    if (c < offset) return headerText(model, rows[r], Qt::Vertical);
    return cellText(model, rows[r], columns[c - offset]);
  };
  return table;
}

std::vector<std::string> memoLines(const QWidget* memo, bool everything) {
  QString all, selected;
  if (const auto* p = qobject_cast<const QPlainTextEdit*>(memo)) {
    all = p->toPlainText();
    selected = p->textCursor().selectedText();
  } else if (const auto* t = qobject_cast<const QTextEdit*>(memo)) {
    all = t->toPlainText();
    selected = t->textCursor().selectedText();
  }
  // A selection ends its paragraphs with the Unicode paragraph separator.
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  const QString& text = everything || selected.isEmpty() ? all : selected;
  std::vector<std::string> lines;
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
  return lines;
}

void copyGrid(const QTableView* view) {
  putOnClipboard(statorium::formatTable(gridTable(view, false), statorium::ExportFormat::Text, {}));
}

void copyMemo(const QWidget* memo) {
  putOnClipboard(
      statorium::formatReport(memoLines(memo, false), statorium::ExportFormat::Text, {}));
}

void exportGrid(TPrompter& prompter, const QTableView* view) {
  const QString file =
      askExportFile(prompter, const_cast<QTableView*>(view), QStringLiteral("Table"));
  if (file.isEmpty()) return;
  const std::string name = file.toStdString();
  statorium::writeTextFile(
      name, statorium::formatTable(gridTable(view, true), statorium::exportFormatOf(name),
                                   windowCaption(view).toStdString()));
}

void exportMemo(TPrompter& prompter, const QWidget* memo) {
  const QString file =
      askExportFile(prompter, const_cast<QWidget*>(memo), QStringLiteral("Report"));
  if (file.isEmpty()) return;
  const std::string name = file.toStdString();
  statorium::writeTextFile(
      name, statorium::formatReport(memoLines(memo, true), statorium::exportFormatOf(name),
                                    windowCaption(memo).toStdString()));
}

void exportChart(TPrompter& prompter, TChartView* chart) {
  TFileDialogOptions o;
  o.title = QStringLiteral("Export");
  o.filter = QStringLiteral("PNG image (*.png);;PDF document (*.pdf)");
  o.defaultSuffix = QStringLiteral("png");
  o.fileName = QStringLiteral("Chart");
  const QString file = prompter.getSaveFileName(chart, o);
  if (file.isEmpty()) return;
  QString size = QStringLiteral("800x600");
  if (!prompter.inputQuery(chart, QStringLiteral("Export"),
                           QStringLiteral("Picture size in pixels (width x height)"), size))
    return;
  int width = 0, height = 0;
  if (!parsePictureSize(size, width, height)) {
    prompter.showMessage(chart, QStringLiteral("Wrong picture size!"));
    return;
  }
  if (!chart->savePicture(file, width, height))
    throw statorium::cannotCreateFile(file.toStdString(), "The picture could not be written.");
}

void addGridCommands(QTableView* view, TPrompter& prompter, QMenu* menu) {
  view->installEventFilter(new TCopyKeyFilter(view, [view] { copyGrid(view); }));
  if (menu)
    menu->addSeparator();
  else
    menu = ownMenu(view);
  QObject::connect(menuItem(menu, QStringLiteral("&Copy"), "Copy1", QKeySequence::Copy),
                   &QAction::triggered, view, [view] { copyGrid(view); });
  QObject::connect(
      menuItem(menu, QStringLiteral("E&xport..."), "Export1", QKeySequence::UnknownKey),
      &QAction::triggered, view, [view, &prompter] {
        runGuarded(prompter, view->window(), [&] { exportGrid(prompter, view); });
      });
}

void addMemoCommands(QWidget* memo, TPrompter& prompter) {
  memo->installEventFilter(new TCopyKeyFilter(memo, [memo] { copyMemo(memo); }));
  // The keyboard can select in a read-only memo too, for Ctrl+C.
  if (auto* p = qobject_cast<QPlainTextEdit*>(memo))
    p->setTextInteractionFlags(p->textInteractionFlags() | Qt::TextSelectableByKeyboard);
  else if (auto* t = qobject_cast<QTextEdit*>(memo))
    t->setTextInteractionFlags(t->textInteractionFlags() | Qt::TextSelectableByKeyboard);
  auto* area = qobject_cast<QAbstractScrollArea*>(memo);
  if (!area) return;
  QMenu* menu = ownMenu(area);
  QObject::connect(menuItem(menu, QStringLiteral("&Copy"), "Copy1", QKeySequence::Copy),
                   &QAction::triggered, memo, [memo] { copyMemo(memo); });
  QObject::connect(
      menuItem(menu, QStringLiteral("Select &all"), "SelectAll1", QKeySequence::SelectAll),
      &QAction::triggered, memo, [memo] { QMetaObject::invokeMethod(memo, "selectAll"); });
  menu->addSeparator();
  QObject::connect(
      menuItem(menu, QStringLiteral("E&xport..."), "Export1", QKeySequence::UnknownKey),
      &QAction::triggered, memo, [memo, &prompter] {
        runGuarded(prompter, memo->window(), [&] { exportMemo(prompter, memo); });
      });
}

void addChartCommands(TChartView* chart, TPrompter& prompter, QMenu* menu) {
  if (menu) {
    menu->addSeparator();
  } else {
    menu = new QMenu(chart);
    chart->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(chart, &QWidget::customContextMenuRequested, menu,
                     [chart, menu](const QPoint& p) { menu->popup(chart->mapToGlobal(p)); });
  }
  QObject::connect(
      menuItem(menu, QStringLiteral("E&xport..."), "Export1", QKeySequence::UnknownKey),
      &QAction::triggered, chart, [chart, &prompter] {
        runGuarded(prompter, chart->window(), [&] { exportChart(prompter, chart); });
      });
}

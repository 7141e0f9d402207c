#include "dialogs/statobjcreation.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/copyexport.h"
#include "app/filedrop.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "core/composition.h"
#include "core/errors.h"
#include "core/sampleopening.h"
#include "dialogs/selectdialog.h"
#include "dialogs/seriescreation.h"

namespace {

// Both lists: the hidden full path, then the four numbers and the file name.
const int kColumns = 6;

template <class W>
W* named(W* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}

// Children of a bold group box inherit its font; their own texts stay plain.
template <class W>
W* plain(W* widget) {
  QFont f = widget->font();
  f.setBold(false);
  widget->setFont(f);
  return widget;
}

// A list always ends in one empty row, where the next property row is written; the rows
// before it are the property rows.
void clearRows(QStandardItemModel* model) {
  model->setRowCount(0);
  model->setRowCount(1);
}

int propertyRowCount(const QStandardItemModel* model) {
  return model->rowCount() - 1;
}

void appendRow(QStandardItemModel* model, const QStringList& cells) {
  const int last = model->rowCount() - 1;
  for (int c = 0; c < kColumns; ++c) model->setItem(last, c, new QStandardItem(cells.value(c)));
  model->setRowCount(last + 2);
}

QStringList rowCells(const QStandardItemModel* model, int row) {
  QStringList cells;
  for (int c = 0; c < kColumns; ++c) cells << model->index(row, c).data().toString();
  return cells;
}

// The top row of the grid's selection, -1 without one.
int selectedRow(const TStringGrid* grid) {
  const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
  int top = -1;
  for (const QModelIndex& i : selected)
    if (top < 0 || i.row() < top) top = i.row();
  return top;
}

}  // namespace

TfrmCreateStatObj::TfrmCreateStatObj(TPrompter& prompter, TApplicationWindows& windows,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_prompter(prompter),
      m_windows(windows) {
  setObjectName(QStringLiteral("frmCreateStatObj"));
  setWindowTitle(QStringLiteral("Statobject creation..."));
  setFont(QFont(QStringLiteral("Verdana"), 8));
  setSizeGripEnabled(true);

  QFont bold = font();
  bold.setBold(true);

  // "Properties list": the candidates.
  GroupBox2 = named(new QGroupBox(QStringLiteral("Properties list"), this), "GroupBox2");
  GroupBox2->setFont(bold);
  StaticText3 = plain(
      named(new QLabel(QStringLiteral("Press button below to extend properites list."), GroupBox2),
            "StaticText3"));
  btChoose = plain(named(new QPushButton(QStringLiteral("C&hoose"), GroupBox2), "btChoose"));
  Button1 = plain(named(new QPushButton(QStringLiteral("Create &series"), GroupBox2), "Button1"));
  propsMenu = named(new QMenu(this), "propsMenu");
  Addtoobject = named(propsMenu->addAction(QStringLiteral("&Add to object")), "Addtoobject");
  named(propsMenu->addSeparator(), "N1");
  Clearall1 = named(propsMenu->addAction(QStringLiteral("C&lear all")), "Clearall1");
  m_props = new QStandardItemModel(this);
  props = plain(makeGrid("props", m_props, propsMenu, GroupBox2));

  auto* chooseButtons = new QHBoxLayout;
  chooseButtons->addWidget(btChoose);
  chooseButtons->addWidget(Button1);
  chooseButtons->addStretch(1);
  auto* left = new QVBoxLayout(GroupBox2);
  left->addWidget(StaticText3);
  left->addLayout(chooseButtons);
  left->addWidget(props, 1);

  // "Object": the name and the chosen properties.
  GroupBox1 = named(new QGroupBox(QStringLiteral("Object"), this), "GroupBox1");
  GroupBox1->setFont(bold);
  StaticText1 = plain(named(new QLabel(QStringLiteral("&Name"), GroupBox1), "StaticText1"));
  objname = plain(named(new QLineEdit(QStringLiteral("Statobject1"), GroupBox1), "objname"));
  StaticText1->setBuddy(objname);
  StaticText2 =
      plain(named(new QLabel(QStringLiteral("Chosen properties:"), GroupBox1), "StaticText2"));
  btSave = plain(named(new QPushButton(QStringLiteral("&Ready"), GroupBox1), "btSave"));
  selPropsMenu = named(new QMenu(this), "selPropsMenu");
  RemoveFromObject =
      named(selPropsMenu->addAction(QStringLiteral("&Remove from object")), "RemoveFromObject");
  named(selPropsMenu->addSeparator(), "N2");
  Clearall2 = named(selPropsMenu->addAction(QStringLiteral("C&lear all")), "Clearall2");
  m_selprops = new QStandardItemModel(this);
  selprops = plain(makeGrid("selprops", m_selprops, selPropsMenu, GroupBox1));

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(StaticText1);
  nameRow->addWidget(objname, 1);
  auto* readyRow = new QHBoxLayout;
  readyRow->addWidget(StaticText2);
  readyRow->addStretch(1);
  readyRow->addWidget(btSave);
  auto* right = new QVBoxLayout(GroupBox1);
  right->addLayout(nameRow);
  right->addLayout(readyRow);
  right->addWidget(selprops, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(GroupBox2, 1);
  layout->addWidget(GroupBox1, 1);

  connect(btChoose, &QPushButton::clicked, this, [this] { guarded([this] { btChooseClick(); }); });
  connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
  connect(btSave, &QPushButton::clicked, this, [this] { guarded([this] { btSaveClick(); }); });
  connect(Addtoobject, &QAction::triggered, this,
          [this] { guarded([this] { AddtoobjectClick(); }); });
  connect(Clearall1, &QAction::triggered, this, [this] { guarded([this] { Clearall1Click(); }); });
  connect(RemoveFromObject, &QAction::triggered, this,
          [this] { guarded([this] { RemoveFromObjectClick(); }); });
  connect(Clearall2, &QAction::triggered, this, [this] { guarded([this] { Clearall2Click(); }); });
  addGridCommands(props, m_prompter, propsMenu);
  addGridCommands(selprops, m_prompter, selPropsMenu);
  // Files dropped on the window become candidates, as if chosen with "Choose".
  acceptFileDrops(this, m_prompter, [this](const QStringList& files) {
    for (const QString& f : files) Load(f);
  });

  resize(773, 439);
}

TStringGrid* TfrmCreateStatObj::makeGrid(const char* name, QStandardItemModel* model, QMenu* menu,
                                         QWidget* parent) {
  auto* grid = named(new TStringGrid(parent), name);
  model->setColumnCount(kColumns);
  model->setHorizontalHeaderLabels({QString(), QStringLiteral("Count"), QStringLiteral("Min"),
                                    QStringLiteral("Avg"), QStringLiteral("Max"),
                                    QStringLiteral("File name")});
  clearRows(model);
  grid->setModel(model);
  grid->setColumnHidden(0, true);  // the full path, shown in the hint
  grid->verticalHeader()->hide();
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setHintFollowsSelection(false);
  QHeaderView* header = grid->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setHighlightSections(false);
  header->resizeSection(1, 45);
  for (int c = 2; c <= 4; ++c) header->resizeSection(c, 64);
  header->setStretchLastSection(true);
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this,
          [grid, menu](const QPoint& p) { menu->popup(grid->viewport()->mapToGlobal(p)); });
  connect(grid, &QAbstractItemView::clicked, this, [this, grid] { selpropsClick(grid); });
  connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this, grid] { selpropsClick(grid); });
  return grid;
}

void TfrmCreateStatObj::guarded(const std::function<void()>& handler) {
  runGuarded(m_prompter, this, handler);
}

std::unique_ptr<statorium::TStatsObject> TfrmCreateStatObj::ShowModal() {
  statobj.reset();
  if (m_prompter.execDialog(this) != QDialog::Accepted) return nullptr;
  return std::move(statobj);
}

statorium::TValues TfrmCreateStatObj::openValues(const QString& fileName, TfrmSelect& select,
                                                 const statorium::Progress& progress,
                                                 TShareProgress* display) {
  return statorium::openValues(
      fileName.toStdString(),
      [&](const statorium::TStatsObject& obj) {
        if (display) display->close();  // the question is not part of the work in progress
        const statorium::TValues* first = &obj.Prop(0);
        select.ShowModal(obj, &first, nullptr);
        for (int i = 0; i < obj.propCount(); ++i)
          if (&obj.Prop(i) == first) return i;
        return 0;
      },
      progress);
}

namespace {

// The composition reads its files as the sample opening does, but a file that cannot be read
// counts as one without values: it is skipped without a message. A cancel is no failure of the
// file: it ends the whole action.
statorium::TValues openValuesSilently(const QString& fileName, TfrmSelect& select,
                                      const statorium::Progress& progress,
                                      TShareProgress& display) {
  try {
    return TfrmCreateStatObj::openValues(fileName, select, progress, &display);
  } catch (const statorium::Error&) {
    return {};
  }
}

}  // namespace

void TfrmCreateStatObj::Load(const QString& fileName) {
  TShareProgress display(m_prompter, this, readingText(fileName));
  const statorium::TValues values =
      openValuesSilently(fileName, *m_windows.frmSelect, display.progress(), display);
  display.close();
  const auto row = statorium::propertyRow(fileName.toStdString(), values);
  if (!row) return;
  appendRow(m_props, {QString::fromStdString(row->path), QString::fromStdString(row->count),
                      QString::fromStdString(row->min), QString::fromStdString(row->avg),
                      QString::fromStdString(row->max), QString::fromStdString(row->fileName)});
}

void TfrmCreateStatObj::btChooseClick() {
  TFileDialogOptions o;
  o.title = QStringLiteral("Open");
  o.filter =
      QStringLiteral("Data files (*.txt);;CSV files (*.csv);;STA files (*.sta);;Any files (*)");
  o.defaultSuffix = QStringLiteral("txt");
  const QStringList files = m_prompter.getOpenFileNames(this, o);
  for (const QString& f : files) Load(f);
}

void TfrmCreateStatObj::Button1Click() {
  if (m_prompter.execDialog(m_windows.frmSeriesCreation) != QDialog::Accepted) return;
  const QString fileName = m_windows.frmSeriesCreation->fileName();
  if (!fileName.isEmpty()) Load(fileName);
}

void TfrmCreateStatObj::AddtoobjectClick() {
  const int i = selectedRow(props);
  if (i < 0 || i >= propertyRowCount(m_props)) return;  // no row, or the empty last row
  appendRow(m_selprops, rowCells(m_props, i));
}

void TfrmCreateStatObj::RemoveFromObjectClick() {
  const int i = selectedRow(selprops);
  if (i < 0 || i >= propertyRowCount(m_selprops)) return;
  m_selprops->removeRow(i);
}

void TfrmCreateStatObj::Clearall1Click() {
  clearRows(m_props);
}

void TfrmCreateStatObj::Clearall2Click() {
  clearRows(m_selprops);
}

void TfrmCreateStatObj::selpropsClick(TStringGrid* grid) {
  const int row = grid->currentIndex().row();
  grid->setToolTip(QStringLiteral("File name: ") + grid->cellText(row, 0));
}

void TfrmCreateStatObj::btSaveClick() {
  const int rows = propertyRowCount(m_selprops);
  if (rows > 0) {
    std::vector<statorium::PropertySource> sources;
    for (int r = 0; r < rows; ++r) sources.push_back({selprops->cellText(r, 0).toStdString()});
    // Every file is read again, each as its share of the display; a cancel leaves the window
    // open with nothing composed.
    TShareProgress display(m_prompter, this, QStringLiteral("Composing the statobject..."));
    int done = 0;
    auto composed = std::make_unique<statorium::TStatsObject>(statorium::composeObject(
        objname->text().toStdString(), sources, [&](const statorium::PropertySource& s) {
          const statorium::Progress part =
              statorium::progressPart(display.progress(), static_cast<double>(done) / rows,
                                      static_cast<double>(done + 1) / rows);
          ++done;
          return openValuesSilently(QString::fromStdString(s.fileName), *m_windows.frmSelect, part,
                                    display);
        }));
    display.close();
    statobj = std::move(composed);
    // Files that have since become empty or unreadable leave nothing to hand over.
    if (statobj->propCount() == 0) statobj.reset();
  }
  accept();
}

#include "app/classtable.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "app/copyexport.h"
#include "app/prompter.h"
#include "app/stringgrid.h"
#include "core/classtable.h"

// A virtual model over the series: a variation series may hold a million variants.
class TClassTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setSeries(const statorium::TVariants* series) {
    beginResetModel();
    m_series = series;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() || !m_series ? 0 : 3;
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() || !m_series ? 0 : m_series->count() + 1;
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    // The caption column is fixed: it cannot be selected.
    if (index.column() == 0) return Qt::ItemIsEnabled;
    return QAbstractTableModel::flags(index);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!m_series || !index.isValid()) return {};
    if (role == Qt::DisplayRole)
      return QString::fromStdString(
          statorium::classTableCell(*m_series, index.row(), index.column()));
    // The first column is the fixed caption column.
    if (role == Qt::BackgroundRole && index.column() == 0) return QColor(0xF0, 0xF0, 0xF0);
    return {};
  }

 private:
  const statorium::TVariants* m_series = nullptr;
};

TfrmClassTable::TfrmClassTable(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowCloseButtonHint), m_prompter(prompter) {
  setObjectName(QStringLiteral("frmClassTable"));
  setWindowTitle(QStringLiteral("Class data"));
  setFont(QFont(QStringLiteral("Verdana"), 8));
  Label1 = new QLabel(QStringLiteral("Class data"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  sgClassTable = new TStringGrid(this);
  sgClassTable->setObjectName(QStringLiteral("sgClassTable"));
  sgClassTable->horizontalHeader()->hide();
  sgClassTable->verticalHeader()->hide();
  sgClassTable->horizontalHeader()->setDefaultSectionSize(60);
  m_model = new TClassTableModel(this);
  sgClassTable->setModel(m_model);
  addGridCommands(sgClassTable, m_prompter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(sgClassTable);
  resize(520, 150);
}

int TfrmClassTable::ShowModal(const statorium::TVariants& classes, const QString& caption) {
  if (classes.count() == 0) return 0;
  Label1->setText(
      QString::fromStdString(statorium::classTableCaption(caption.toStdString(), classes)));
  m_model->setSeries(&classes);
  // As in any grid with a fixed column, the first cell that can be selected is the current one.
  sgClassTable->setCurrentIndex(m_model->index(0, 1));
  const int result = m_prompter.execDialog(this);
  m_model->setSeries(nullptr);  // the series belongs to the caller
  return result;
}

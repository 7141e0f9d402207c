#include "analysisnd/gridview.h"

#include <QHeaderView>
#include <QLabel>

#include "app/functiongridmodel.h"
#include "app/stringgrid.h"

QLabel* gridCaption(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont f(QStringLiteral("Verdana"), 9);
  f.setBold(true);
  label->setFont(f);
  return label;
}

TStringGrid* makeGrid(const char* name, TFunctionGridModel*& model, QWidget* parent) {
  auto* grid = new TStringGrid(parent);
  grid->setObjectName(QString::fromLatin1(name));
  model = new TFunctionGridModel(grid);
  grid->setModel(model);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setDefaultSectionSize(80);
  return grid;
}

void showTextGrid(TFunctionGridModel* model, const statorium::TextGrid& grid) {
  model->setGrid(grid.columnCount(), grid.rowCount(), grid.fixedColumns, grid.fixedRows,
                 [&grid](int c, int r) { return grid.cell(c, r); });
}

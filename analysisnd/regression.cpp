#include "analysisnd/regression.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>

#include "analysisnd/gridview.h"
#include "app/copyexport.h"
#include "app/functiongridmodel.h"
#include "app/stringgrid.h"
#include "charts/chartview.h"

TfrmRegression::TfrmRegression(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmRegression"));
  setWindowTitle(QStringLiteral("Regression..."));

  QLabel* Label2 = gridCaption(QStringLiteral("Regression parameters"), "Label2", this);
  gA = makeGrid("gA", m_gA, this);
  QLabel* Label1 = gridCaption(QStringLiteral("Intervals"), "Label1", this);
  g2 = makeGrid("g2", m_g2, this);

  auto* GroupBox1 = new QGroupBox(QStringLiteral("Results"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  textResults = new QPlainTextEdit(GroupBox1);
  textResults->setObjectName(QStringLiteral("textResults"));
  textResults->setReadOnly(true);
  textResults->setFrameShape(QFrame::NoFrame);
  (new QVBoxLayout(GroupBox1))->addWidget(textResults);

  Chart1 = new TChartView(this);
  Chart1->setObjectName(QStringLiteral("Chart1"));
  Chart1->chart().setTitle("Diagnostic diagram");
  Chart1->chart()
      .addSeries("Series1", statorium::TSeriesKind::Point, statorium::rgb(255, 0, 0))
      .setPointStyle(statorium::TPointStyle::Square);
  Chart1->setMinimumHeight(200);

  addGridCommands(gA, prompter);
  addGridCommands(g2, prompter);
  addMemoCommands(textResults, prompter);
  addChartCommands(Chart1, prompter);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label2, 0, 0);
  layout->addWidget(gA, 1, 0);
  layout->addWidget(GroupBox1, 0, 1, 2, 1);
  layout->addWidget(Label1, 2, 0, 1, 2);
  layout->addWidget(g2, 3, 0, 1, 2);
  layout->addWidget(Chart1, 4, 0, 1, 2);
  layout->setColumnStretch(0, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);
  layout->setRowStretch(3, 2);
  layout->setRowStretch(4, 2);
  resize(760, 640);
}

void TfrmRegression::showRegression(statorium::TRegression regression) {
  m_regression = std::move(regression);
  showTextGrid(m_gA, m_regression.gA);
  const statorium::RegressionIntervals& intervals = m_regression.g2;
  m_g2->setGrid(intervals.columnCount(), intervals.rowCount(), 1, 1,
                [&intervals](int c, int r) { return intervals.cell(c, r); });
  textResults->clear();
  for (const std::string& line : m_regression.textResults)
    textResults->appendPlainText(QString::fromStdString(line));
  statorium::TChartSeries* points = Chart1->chart().seriesByName("Series1");
  points->Clear();
  points->reserve(m_regression.Series1.size());
  for (const statorium::ChartPoint& p : m_regression.Series1) points->AddXY(p.x, p.y);
  Chart1->chart().UndoZoom();
}

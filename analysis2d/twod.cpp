#include "analysis2d/twod.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "analysis2d/ntransform.h"
#include "app/copyexport.h"
#include "app/guard.h"
#include "app/prompter.h"
#include "app/statobjectmenu.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "core/statsobject.h"
#include "dialogs/selectdialog.h"
#include "dialogs/statobjcreation.h"

using statorium::rgb;
using statorium::TSeriesKind;

namespace {

constexpr statorium::TColor kGridColor = rgb(192, 192, 192);

QFont boldFont(QFont f) {
  f.setBold(true);
  return f;
}

// The series each check box shows or hides, by check box number.
const std::vector<std::vector<const char*>>& seriesOfCheckBox() {
  static const std::vector<std::vector<const char*>> table = {{},
                                                              {"Series8"},
                                                              {"Series2", "Series3"},
                                                              {"Series5", "Series4"},
                                                              {"Series9", "Series10"},
                                                              {"Series6"},
                                                              {"Series12", "Series13"},
                                                              {"Series14", "Series15"},
                                                              {"Series16", "Series17"},
                                                              {"Series1"}};
  return table;
}

void fill(statorium::TChart& chart, const char* name,
          const std::vector<statorium::ChartPoint>& points) {
  statorium::TChartSeries* s = chart.seriesByName(name);
  s->Clear();
  s->reserve(points.size());
  for (const statorium::ChartPoint& p : points) s->AddXY(p.x, p.y);
}

}  // namespace

Tfrm2D::Tfrm2D(TPrompter& prompter, TApplicationWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_prompter(prompter),
      m_windows(windows) {
  setObjectName(QStringLiteral("frm2D"));
  setWindowTitle(QStringLiteral("Two-dimensional analysis"));

  const TStatobjectMenu statobject = makeStatobjectMenu(this);
  QMenuBar* menu = statobject.bar;
  Composeobject1 = statobject.compose;
  Open1 = statobject.open;
  Close1 = statobject.close;

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  auto* TabSheet1 = new QWidget(PageControl1);
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  auto* TabSheet2 = new QWidget(PageControl1);
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  PageControl1->addTab(TabSheet1, QStringLiteral("Analysis"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Histogram"));

  Chart1 = new TChartView(TabSheet1);
  Chart1->setObjectName(QStringLiteral("Chart1"));
  buildChart();

  auto* GroupBox3 = new QGroupBox(QStringLiteral("Experiment results"), TabSheet1);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  GroupBox3->setFont(boldFont(GroupBox3->font()));
  myout = new QTextEdit(GroupBox3);
  myout->setObjectName(QStringLiteral("myout"));
  myout->setReadOnly(true);
  myout->setFrameShape(QFrame::NoFrame);
  QFont verdana(QStringLiteral("Verdana"), 8);
  verdana.setBold(false);  // an unset weight would follow the group's bold caption
  myout->setFont(verdana);
  myout->setLineWrapMode(QTextEdit::NoWrap);
  QPalette facePalette = myout->palette();
  facePalette.setColor(QPalette::Base, facePalette.color(QPalette::Window));
  myout->setPalette(facePalette);
  auto* reportLayout = new QVBoxLayout(GroupBox3);
  reportLayout->setContentsMargins(4, 4, 4, 4);
  reportLayout->addWidget(myout);
  GroupBox3->setFixedWidth(330);

  auto* GroupBox1 = new QGroupBox(QStringLiteral("Show series"), TabSheet1);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setFont(boldFont(GroupBox1->font()));
  QFont plain = GroupBox1->font();
  plain.setBold(false);
  const char* captions[10] = {"",
                              "Regression",
                              "Tolerant intervals",
                              "Confidence intervals",
                              "Interval evaluation",
                              "Regression",
                              "Tolerant intervals",
                              "Confidence intervals",
                              "Interval evaluation",
                              "Grid"};
  for (int k = 1; k <= 9; ++k) {
    CheckBox[k] = new QCheckBox(QString::fromLatin1(captions[k]), GroupBox1);
    CheckBox[k]->setObjectName(QStringLiteral("CheckBox%1").arg(k));
    CheckBox[k]->setFont(plain);
    CheckBox[k]->setChecked(true);
    connect(CheckBox[k], &QCheckBox::toggled, this, [this, k](bool on) {
      for (const char* name : seriesOfCheckBox()[static_cast<size_t>(k)])
        Chart1->chart().seriesByName(name)->SetActive(on);
    });
  }
  auto* Label1 = new QLabel(QStringLiteral("Linear regression"), GroupBox1);
  Label1->setObjectName(QStringLiteral("Label1"));
  auto* Label2 = new QLabel(QStringLiteral("Parabolic regression"), GroupBox1);
  Label2->setObjectName(QStringLiteral("Label2"));
  auto* showLayout = new QGridLayout(GroupBox1);
  showLayout->addWidget(CheckBox[9], 0, 0);
  showLayout->addWidget(Label1, 1, 0, 1, 4);
  showLayout->addWidget(Label2, 3, 0, 1, 4);
  for (int k = 1; k <= 4; ++k) {
    showLayout->addWidget(CheckBox[k], 2, k - 1);
    showLayout->addWidget(CheckBox[k + 4], 4, k - 1);
  }

  auto* analysisLayout = new QGridLayout(TabSheet1);
  analysisLayout->addWidget(Chart1, 0, 0);
  analysisLayout->addWidget(GroupBox1, 1, 0);
  analysisLayout->addWidget(GroupBox3, 0, 1, 2, 1);
  analysisLayout->setRowStretch(0, 1);
  analysisLayout->setColumnStretch(0, 1);

  Panel1 = new QWidget(TabSheet2);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Image1 = new QLabel(Panel1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  (new QVBoxLayout(TabSheet2))->addWidget(Panel1);
  auto* imageLayout = new QVBoxLayout(Panel1);
  imageLayout->setContentsMargins(0, 0, 0, 0);
  imageLayout->addWidget(Image1);
  Image1->setMinimumSize(1, 1);
  Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  Panel1->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(PageControl1);
  resize(900, 620);

  connect(Open1, &QAction::triggered, this, [this] { guarded([this] { Open1Click(); }); });
  connect(Composeobject1, &QAction::triggered, this,
          [this] { guarded([this] { Composeobject1Click(); }); });
  connect(Close1, &QAction::triggered, this, &QDialog::close);

  addChartCommands(Chart1, m_prompter);
  addMemoCommands(myout, m_prompter);
  // The check boxes in the order they are shown ("Grid" first), then the report.
  QWidget* chain[] = {CheckBox[9], CheckBox[1], CheckBox[2], CheckBox[3], CheckBox[4],
                      CheckBox[5], CheckBox[6], CheckBox[7], CheckBox[8], myout};
  for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void Tfrm2D::buildChart() {
  statorium::TChart& chart = Chart1->chart();
  chart.setTitle("Correlation field");
  auto points = [&](const char* name, statorium::TColor color, statorium::TPointStyle style) {
    chart.addSeries(name, TSeriesKind::Point, color).setPointStyle(style);
  };
  auto lines = [&](std::initializer_list<const char*> names, statorium::TColor color) {
    for (const char* name : names) chart.addSeries(name, TSeriesKind::Line, color);
  };
  points("Series7", rgb(255, 0, 0), statorium::TPointStyle::Circle);
  points("Series11", rgb(255, 255, 0), statorium::TPointStyle::Square);
  // The class grid is silver: white lines would vanish on the chart's white plot area.
  chart.addSeries("Series1", TSeriesKind::Arrow, kGridColor).setMarkerSize(1);
  lines({"Series8"}, rgb(0, 128, 0));
  lines({"Series2", "Series3"}, rgb(255, 0, 255));
  lines({"Series4", "Series5"}, rgb(128, 128, 128));
  lines({"Series9", "Series10"}, rgb(0, 0, 255));
  lines({"Series6"}, rgb(128, 0, 0));
  lines({"Series12", "Series13"}, rgb(0, 128, 128));
  lines({"Series14", "Series15"}, rgb(0, 0, 128));
  lines({"Series16", "Series17"}, rgb(0, 255, 0));
}

void Tfrm2D::guarded(const std::function<void()>& handler) {
  runGuarded(m_prompter, this, handler);
}

void Tfrm2D::Open1Click() {
  TFileDialogOptions o;
  o.title = QStringLiteral("Open");
  o.filter = QStringLiteral("Any file (*)");
  o.directory = QStringLiteral("./sta/");
  const QString path = m_prompter.getOpenFileName(this, o);
  if (path.isEmpty()) return;
  statorium::TStatsObject obj;
  {
    // A cancel while reading leaves the window as it was.
    TShareProgress display(m_prompter, this, readingText(path));
    obj.readObject(path.toStdString(), display.progress());
  }
  analyseObject(obj, path);
}

void Tfrm2D::Composeobject1Click() {
  const std::unique_ptr<statorium::TStatsObject> obj = m_windows.frmCreateStatObj->ShowModal();
  if (!obj) return;
  // The caption names the composed statobject rather than a file opened before.
  analyseObject(*obj, QString::fromStdString(obj->name));
}

void Tfrm2D::analyseObject(const statorium::TStatsObject& obj, const QString& name) {
  if (obj.propCount() < 2) return;  // nothing to pair: the window stays as it was
  const statorium::TValues* first = &obj.Prop(0);
  const statorium::TValues* second = &obj.Prop(1);
  if (obj.propCount() > 2) m_windows.frmSelect->ShowModal(obj, &first, &second);
  m_objectName = name;
  ProcessObject(*first, *second);
}

void Tfrm2D::ProcessObject(const statorium::TValues& first, const statorium::TValues& second) {
  TfrmNTransform* transform = m_windows.frmNTransform;
  transform->standardBox()->setEnabled(false);
  transform->independentBox()->setEnabled(true);
  m_prompter.execDialog(transform);
  const bool independent = transform->independentBox()->isChecked();
  try {
    statorium::ProcessObject(first, second, independent, m_analysis);
  } catch (...) {
    render();  // what the run reached stays visible behind the error box
    throw;
  }
  render();
}

void Tfrm2D::render() {
  m_haveTable = m_analysis.table.has_value();
  myout->clear();
  QString report;
  for (const std::string& line : m_analysis.lines) {
    report += QString::fromStdString(line);
    report += QLatin1Char('\n');
  }
  if (!report.isEmpty()) report.chop(1);
  myout->setPlainText(report);

  statorium::TChart& chart = Chart1->chart();
  fill(chart, "Series7", m_analysis.Series7);
  fill(chart, "Series11", m_analysis.Series11);
  static const statorium::LinearRegression noLine;
  const statorium::LinearRegression& line = m_analysis.linear ? *m_analysis.linear : noLine;
  fill(chart, "Series8", line.Series8);
  fill(chart, "Series2", line.Series2);
  fill(chart, "Series3", line.Series3);
  fill(chart, "Series4", line.Series4);
  fill(chart, "Series5", line.Series5);
  fill(chart, "Series9", line.Series9);
  fill(chart, "Series10", line.Series10);
  const statorium::ParabolicRegression& curve = m_analysis.parabolic;
  fill(chart, "Series6", curve.Series6);
  fill(chart, "Series12", curve.Series12);
  fill(chart, "Series13", curve.Series13);
  fill(chart, "Series14", curve.Series14);
  fill(chart, "Series15", curve.Series15);
  fill(chart, "Series16", curve.Series16);
  fill(chart, "Series17", curve.Series17);
  chart.UndoZoom();
  DiagramDraw();
  setWindowTitle(QStringLiteral("Two-dimensional analysis: ") + m_objectName);
}

void Tfrm2D::DiagramDraw() {
  if (!m_haveTable) return;
  const statorium::T2DVariant& table = *m_analysis.table;
  const int n = table.n;
  const int W = std::max(Panel1->width(), 1);
  const int H = std::max(Panel1->height(), 1);
  QPixmap picture(W, H);
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    painter.setFont(boldFont(font()));
    const int dx = (W - 2) / n;
    const int dy = (H - 2) / n;
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        const int z = table.getN(i, j);
        const QColor fillColor = QColor::fromRgb(statorium::cellColor(table, i, j));
        // X grows to the right and Y upwards: the first classes at the bottom left.
        const QRect cell(QPoint(i * dx, H - 2 - (j + 1) * dy),
                         QPoint((i + 1) * dx, H - 2 - j * dy));
        painter.setPen(Qt::black);
        painter.setBrush(fillColor);
        painter.drawRect(cell);
        const QString text = QString::number(z);
        const int w = metrics.horizontalAdvance(text);
        painter.setPen(Qt::white);
        painter.drawText(static_cast<int>((i + 0.5) * dx - w / 2.0),
                         H - (j + 1) * dy + metrics.ascent(), text);
      }
    }
  }
  Image1->setPixmap(picture);

  statorium::TChartSeries* grid = Chart1->chart().seriesByName("Series1");
  grid->Clear();
  for (const statorium::ChartArrow& a : statorium::classGrid(table))
    grid->AddArrow(a.x0, a.y0, a.x1, a.y1, "", kGridColor);
}

bool Tfrm2D::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) guarded([this] { DiagramDraw(); });
  return QDialog::eventFilter(watched, event);
}

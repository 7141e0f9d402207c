// The chart view drawn offscreen: what reaches the pixels, the user's zoom and its undoing,
// axis labels, and a million items drawn without a million objects.

#include <QImage>
#include <QWheelEvent>
#include <QtTest>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <memory>

#include "charts/chartview.h"
#include "core/numtext.h"

using statorium::rgb;
using statorium::TChart;
using statorium::TChartSeries;
using statorium::TSeriesKind;

class TestChartView : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TChartView> view;

  TChart& chart() { return view->chart(); }

  // The picture of the view, with the axes laid out as in the picture.
  QImage picture() { return view->grab().toImage(); }

  QRgb pixel(const QImage& image, double x, double y) {
    const QPointF p(view->xAxis->coordToPixel(x), view->yAxis->coordToPixel(y));
    return image.pixel(p.toPoint()) & 0xFFFFFF;
  }

  // Whether the colour appears within `radius` pixels of the point (x, y).
  bool colourNear(const QImage& image, double x, double y, QRgb color, int radius = 2) {
    const QPoint c(qRound(view->xAxis->coordToPixel(x)), qRound(view->yAxis->coordToPixel(y)));
    for (int dy = -radius; dy <= radius; ++dy)
      for (int dx = -radius; dx <= radius; ++dx)
        if ((image.pixel(c + QPoint(dx, dy)) & 0xFFFFFF) == color) return true;
    return false;
  }

  void sendMouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, view->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &event);
  }

  void dragRectangle(QPoint from, QPoint to) {
    sendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  void turnWheel(QPoint pos, int degrees) {
    QWheelEvent event(pos, view->mapToGlobal(pos), QPoint(), QPoint(0, degrees * 8), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &event);
  }

  // The main chart's histogram: three points, two steps.
  TChartSeries& histogram() {
    TChartSeries& area = chart().addSeries("Series1", TSeriesKind::AreaStairs, rgb(255, 128, 128));
    area.AddXY(2, 0.5);  // out of order on purpose
    area.AddXY(0, 0.2);
    area.AddXY(1, 0.5);
    chart().setLeftAxisMinMax(0, 1.01);
    return area;
  }

 private slots:
  void init() {
    view = std::make_unique<TChartView>();
    view->resize(480, 360);
  }
  void cleanup() { view.reset(); }

  void areaStairsFillTwoStepsWithTheSeriesColour() {
    histogram();
    const QImage image = picture();
    const QRgb fill = rgb(255, 128, 128);
    QCOMPARE(pixel(image, 0.5, 0.1), fill);
    QVERIFY(pixel(image, 0.5, 0.3) != fill);  // the first step is 0.2 high
    QCOMPARE(pixel(image, 1.5, 0.45), fill);
    QVERIFY(pixel(image, 1.5, 0.6) != fill);
    QVERIFY(pixel(image, -0.02, 0.1) != fill);  // nothing left of the first point
  }

  void denseStairsFillAsTheirPolygonWould() {
    // A histogram of far more classes than pixel columns, noisy as a sample's, against the same
    // data drawn by the plot's own graph in the same place.
    TChartSeries& area = chart().addSeries("Series1", TSeriesKind::AreaStairs, rgb(255, 128, 128));
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
      const double x = -4.0 + 8.0 * i / n;
      area.AddXY(x, 0.4 * std::exp(-x * x / 2) + 0.02 * std::sin(i * 12.9898));
    }
    chart().setLeftAxisMinMax(0, 0.5);
    const QImage dense = picture();

    auto* own = qobject_cast<QCPGraph*>(view->seriesPlottable(0));
    QVERIFY(own);
    QCPGraph* plain = view->addGraph();
    plain->setData(own->data());
    plain->setLineStyle(own->lineStyle());
    plain->setPen(own->pen());
    plain->setBrush(own->brush());
    plain->setAntialiased(false);
    plain->setAntialiasedFill(false);
    own->setVisible(false);
    view->replot();
    const QImage polygon = view->grab().toImage();

    const QRect plot = view->axisRect()->rect();
    int differing = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
      for (int x = plot.left(); x <= plot.right(); ++x)
        if (dense.pixel(x, y) != polygon.pixel(x, y)) ++differing;
    // Within the outline's own pixels: a few per column at most.
    QVERIFY2(differing <= plot.width(), qPrintable(QString::number(differing)));
    QVERIFY(colourNear(dense, 0, 0.1, rgb(255, 128, 128)));
  }

  void axesFollowTheChart() {
    histogram();
    view->refresh();
    // Fixed left axis, automatic bottom axis with its margin.
    QCOMPARE(view->yAxis->range().lower, 0.0);
    QCOMPARE(view->yAxis->range().upper, 1.01);
    QCOMPARE(view->xAxis->range().lower, -2 * TChartView::kAutomaticMargin);
    QCOMPARE(view->xAxis->range().upper, 2 + 2 * TChartView::kAutomaticMargin);
  }

  void inactiveSeriesAreNotDrawnAndReturnWithTheirItems() {
    TChartSeries& area = histogram();
    area.SetActive(false);
    const QRgb fill = rgb(255, 128, 128);
    QVERIFY(pixel(picture(), 0.5, 0.1) != fill);
    // No refresh(): the view notices the change before it paints.
    area.SetActive(true);
    QCOMPARE(pixel(picture(), 0.5, 0.1), fill);
  }

  void seriesDrawInListOrderAndArrowsInTheirOwnColour() {
    histogram();
    TChartSeries& fn = chart().addSeries("Series2", TSeriesKind::Arrow, rgb(0, 128, 0));
    fn.AddArrow(0, 0.1, 1, 0.1, "", rgb(0, 0, 255));
    fn.AddArrow(1, 0.8, 2, 0.8, "", fn.seriesColor());
    const QImage image = picture();
    // The arrow lies over the histogram's fill, in blue, not in the series' green.
    QVERIFY(colourNear(image, 0.5, 0.1, rgb(0, 0, 255)));
    QVERIFY(!colourNear(image, 0.5, 0.1, rgb(0, 128, 0)));
    QVERIFY(colourNear(image, 1.5, 0.8, rgb(0, 128, 0)));
  }

  void pointSeriesDrawTheirMarkerShape() {
    TChartSeries& circles = chart().addSeries("Series7", TSeriesKind::Point, rgb(255, 0, 0));
    TChartSeries& squares = chart().addSeries("Series11", TSeriesKind::Point, rgb(255, 255, 0));
    squares.setPointStyle(statorium::TPointStyle::Square);
    circles.setMarkerSize(12);
    squares.setMarkerSize(12);
    circles.AddXY(1, 1);
    squares.AddXY(3, 1);
    chart().setLeftAxisMinMax(0, 2);
    const QImage image = picture();
    const auto at = [&](double x, int dx, int dy) {
      const QPoint c(qRound(view->xAxis->coordToPixel(x)), qRound(view->yAxis->coordToPixel(1)));
      return image.pixel(c + QPoint(dx, dy)) & 0xFFFFFF;
    };
    QCOMPARE(at(1, 0, 0), rgb(255, 0, 0));
    QCOMPARE(at(3, 0, 0), rgb(255, 255, 0));
    // The corner of the marker's box: filled by the square, not by the circle.
    QCOMPARE(at(3, -5, -5), rgb(255, 255, 0));
    QVERIFY(at(1, -5, -5) != rgb(255, 0, 0));
  }

  void zoomThenUndoRestoresTheRanges_data() {
    QTest::addColumn<bool>("byWheel");
    QTest::addColumn<bool>("undoByDoubleClick");
    QTest::newRow("rectangle, undone by the program") << false << false;
    QTest::newRow("rectangle, undone by a double click") << false << true;
    QTest::newRow("wheel, undone by the program") << true << false;
  }
  void zoomThenUndoRestoresTheRanges() {
    QFETCH(bool, byWheel);
    QFETCH(bool, undoByDoubleClick);
    histogram();
    view->refresh();
    const QCPRange bottom = view->xAxis->range(), left = view->yAxis->range();
    const QRect area = view->axisRect()->rect();

    if (byWheel)
      turnWheel(area.center(), 120);
    else
      dragRectangle(area.center(), area.center() + QPoint(60, 40));

    QVERIFY(chart().zoom().has_value());
    QVERIFY(view->xAxis->range().size() < bottom.size());
    QVERIFY(view->yAxis->range().size() < left.size());
    QCOMPARE(chart().zoom()->bottom.lower, view->xAxis->range().lower);

    if (undoByDoubleClick)
      QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, area.center());
    else
      chart().UndoZoom();
    view->refresh();

    QVERIFY(!chart().zoom().has_value());
    QCOMPARE(view->xAxis->range(), bottom);
    QCOMPARE(view->yAxis->range(), left);
  }

  void theRightButtonDoesNotZoom() {
    histogram();
    view->refresh();
    const QCPRange bottom = view->xAxis->range();
    const QRect area = view->axisRect()->rect();
    sendMouse(QEvent::MouseButtonPress, area.center(), Qt::RightButton, Qt::RightButton);
    sendMouse(QEvent::MouseMove, area.center() + QPoint(50, 50), Qt::NoButton, Qt::RightButton);
    sendMouse(QEvent::MouseButtonRelease, area.center() + QPoint(50, 50), Qt::RightButton,
              Qt::NoButton);
    QVERIFY(!chart().zoom().has_value());
    QCOMPARE(view->xAxis->range(), bottom);
  }

  void axisLabelsUseThePatternAndTheDecimalSeparator() {
    statorium::DecimalSeparatorScope comma(',');
    TChartSeries& line = chart().addSeries("Series6", TSeriesKind::Line, rgb(0, 0, 255));
    line.AddXY(0, 0);
    line.AddXY(20000, 1);
    chart().setBottomAxisPattern("#,##0.####");
    chart().setLeftAxisMinMax(0, 1.01);
    view->refresh();
    const QVector<QString> bottom = view->xAxis->tickVectorLabels();
    QVERIFY2(bottom.contains(QStringLiteral("10.000")), qPrintable(bottom.toList().join(' ')));
    const QVector<QString> left = view->yAxis->tickVectorLabels();
    QVERIFY2(left.contains(QStringLiteral("0,2")) || left.contains(QStringLiteral("0,5")),
             qPrintable(left.toList().join(' ')));
  }

  void theTitleAndTheVisibleFlagFollowTheChart() {
    chart().setTitle("Correlation field");
    view->refresh();
    auto* title = qobject_cast<QCPTextElement*>(view->plotLayout()->element(0, 0));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Correlation field"));

    chart().setVisible(false);
    QVERIFY(view->isHidden());
    chart().setVisible(true);
    QVERIFY(!view->isHidden());
  }

  void refreshLeavesTheFloatingPointFlagsAlone() {
    // Ranges at the ends of the double range overflow inside the plot's arithmetic; the
    // program must not see that as a failure of its own computation.
    TChartSeries& line = chart().addSeries("s", TSeriesKind::Line, 0);
    line.AddXY(-DBL_MAX, -DBL_MAX);
    line.AddXY(DBL_MAX, DBL_MAX);
    std::feclearexcept(FE_ALL_EXCEPT);
    view->refresh();
    QVERIFY(!std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO));
  }

  void aMillionItemsDrawWithoutAMillionObjects() {
    // The empirical function of a million distinct values spread evenly over [0, 1], and a
    // law curve of a million points.
    const int n = 1000000;
    chart().setLeftAxisMinMax(0, 1.01);
    TChartSeries& fn = chart().addSeries("Series2", TSeriesKind::Arrow, rgb(0, 128, 0));
    TChartSeries& law = chart().addSeries("Series3", TSeriesKind::FastLine, rgb(128, 0, 0));
    for (int i = 0; i < n; ++i) {
      const double x = double(i) / n, s = double(i + 1) / n;
      fn.AddArrow(x, s, x + 1.0 / n, s, "", rgb(0, 0, 255));
      law.AddXY(x, x * x);
    }
    const QImage image = picture();

    QCOMPARE(view->itemCount(), 0);
    QCOMPARE(view->plottableCount(), 2);
    auto* arrows = qobject_cast<TArrowPlottable*>(view->seriesPlottable(0));
    QVERIFY(arrows);
    // About one stroke per pixel column, not one per arrow.
    QVERIFY2(arrows->lastShapeCount() <= 2 * view->axisRect()->width(),
             qPrintable(QString::number(arrows->lastShapeCount())));
    QVERIFY(colourNear(image, 0.5, 0.5, rgb(0, 0, 255)));
    QVERIFY(colourNear(image, 0.5, 0.25, rgb(128, 0, 0)));

    // A cloud of a million points costs one marker per covered pixel at most.
    fn.SetActive(false);
    law.SetActive(false);
    TChartSeries& cloud = chart().addSeries("Series7", TSeriesKind::Point, rgb(255, 0, 0));
    for (int i = 0; i < n; ++i) cloud.AddXY(double(i % 1000) / 1000, double(i / 1000) / 1000);
    picture();
    auto* points = qobject_cast<TPointPlottable*>(view->seriesPlottable(2));
    QVERIFY(points);
    const QRect area = view->axisRect()->rect();
    QVERIFY(points->lastShapeCount() > 0);
    QVERIFY(points->lastShapeCount() <= (area.width() + 8) * (area.height() + 8));
    QCOMPARE(view->itemCount(), 0);
    fn.SetActive(true);
    cloud.SetActive(false);
    view->refresh();

    // Zoomed into a hundred arrows, they are drawn one by one, each with its start marker.
    view->xAxis->setRange(0.5, 0.5 + 100.0 / n);
    view->yAxis->setRange(0.49, 0.51);
    view->replot();
    QVERIFY(arrows->lastShapeCount() >= 100);
    QVERIFY(arrows->lastShapeCount() <= 400);
  }
};

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"

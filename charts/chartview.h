#pragma once
// TChartView: the widget that draws a TChart (charts/chartmodel.h) and lets the user zoom.
// The windows fill the model through chart(); the view redraws by itself before it is next
// painted, and refresh() redraws at once.

#include <qcustomplot.h>

#include <cstdint>
#include <vector>

#include "charts/chartmodel.h"

/// Draws the arrows of an arrow series, only as much as the screen can show: where many arrows
/// are visible, those narrower than a pixel merge into one vertical stroke per pixel column and
/// colour, and heads and start markers are drawn only on arrows long enough to carry them.
/// Runs of arrows that fall within one column are merged as a whole, so a million arrows cost
/// about one step per column rather than one per arrow.
class TArrowPlottable : public QCPAbstractPlottable {
  Q_OBJECT
 public:
  /// Registers itself with the axes' plot, which owns it; `series` must outlive it.
  TArrowPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const statorium::TChartSeries& series);

  /// Segments, column strokes, heads and markers painted by the last drawing.
  int lastShapeCount() const { return m_lastShapes; }

  /// Arrows are not selectable: always -1.
  double selectTest(const QPointF& pos, bool onlySelectable,
                    QVariant* details = nullptr) const override;
  QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
  QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                         const QCPRange& inKeyRange = QCPRange()) const override;

 protected:
  void draw(QCPPainter* painter) override;
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  // One pixel column's vertical extent of the merged arrows of one colour.
  struct Column {
    float top;
    float bottom;
  };
  struct ColourColumns {
    statorium::TColor color;
    std::vector<Column> columns;
  };
  // The extent of a run of kBlockSize consecutive arrows (arrows with a coordinate that is not
  // a number are left out, as they are when drawn one by one).
  struct Block {
    double xMin, xMax, yMin, yMax;
    statorium::TColor color;
    bool oneColour;
  };
  static constexpr std::size_t kBlockSize = 64;

  void updateSummary();

  const statorium::TChartSeries& m_series;
  // Rebuilt when the items change: how far an arrow reaches left and right of its start x (the
  // largest over the series; the arrows that can cross the visible x range start within it
  // widened by these), and the blocks.
  std::uint64_t m_summaryRevision = ~std::uint64_t(0);
  double m_leftReach = 0;
  double m_rightReach = 0;
  std::vector<Block> m_blocks;
  std::vector<ColourColumns> m_groups;  // kept between drawings to spare allocations
  int m_lastShapes = 0;
};

/// Draws the points of a point series as filled circles or squares. Points that land on the
/// same pixel are drawn once, so a dense cloud of a million points costs one marker per covered
/// pixel.
class TPointPlottable : public QCPAbstractPlottable {
  Q_OBJECT
 public:
  /// Registers itself with the axes' plot, which owns it; `series` must outlive it.
  TPointPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const statorium::TChartSeries& series);

  /// Markers painted by the last drawing.
  int lastShapeCount() const { return m_lastShapes; }

  /// Points are not selectable: always -1.
  double selectTest(const QPointF& pos, bool onlySelectable,
                    QVariant* details = nullptr) const override;
  QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
  QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                         const QCPRange& inKeyRange = QCPRange()) const override;

 protected:
  void draw(QCPPainter* painter) override;
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  const QPixmap& marker(qreal devicePixelRatio);

  const statorium::TChartSeries& m_series;
  QPixmap m_marker;  // the marker drawn once, for the colour, style, size and pixel ratio below
  statorium::TColor m_markerColor = 0;
  statorium::TPointStyle m_markerStyle = statorium::TPointStyle::Circle;
  int m_markerSize = 0;
  std::vector<std::uint64_t> m_covered;  // one bit per pixel, kept between drawings
  std::vector<QPoint> m_spots;           // the markers' places, kept between drawings
  int m_lastShapes = 0;
};

/// A chart widget: draws the series of its TChart in list order, the title above the plot, an
/// automatic bottom axis whose labels follow the chart's number pattern with the program's
/// decimal separator, and a left axis that is automatic or fixed as the chart says; no legend.
///
/// The user zooms by dragging a rectangle with the left button or by turning the wheel, pans by
/// dragging with the middle button, and undoes the zoom by double-clicking; the zoom is kept in
/// the chart model, so the program can undo it as well. The view shows or hides itself at once
/// when the chart's visible flag changes.
class TChartView : public QCustomPlot {
  Q_OBJECT
 public:
  explicit TChartView(QWidget* parent = nullptr);
  ~TChartView() override;

  /// The chart this view draws; the view owns it.
  statorium::TChart& chart() { return m_chart; }
  const statorium::TChart& chart() const { return m_chart; }

  /// Draws the chart as it stands now. Not needed for correctness (the view redraws before its
  /// next paint after any change of the chart), but useful before reading the axes.
  void refresh();
  /// Undoes the zoom (the chart's UndoZoom) and redraws at once.
  void undoZoom();
  /// Draws the chart as it stands into a picture file `width` x `height` pixels large: a PDF
  /// document for a name ending in ".pdf" (any case), a PNG image otherwise. An existing file
  /// of the name is replaced only by the complete picture. False when the picture cannot be
  /// drawn; fails as SafeFileWriter when the file cannot be created or written.
  bool savePicture(const QString& fileName, int width, int height);

  /// The plottable that draws the series at `index` (a TArrowPlottable for an arrow series, a
  /// TPointPlottable for a point series, a QCPGraph otherwise), or null before the series was
  /// first drawn.
  QCPAbstractPlottable* seriesPlottable(int index) const;

  /// Share of the data width added on both sides of an automatic axis, so that markers at the
  /// ends are not cut in half.
  static constexpr double kAutomaticMargin = 0.02;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct Drawn {
    QCPAbstractPlottable* plottable = nullptr;
    std::uint64_t itemsRevision = ~std::uint64_t(0);  // items last copied into a graph
  };

  void chartChanged();
  void followVisibleFlag();
  void redraw();
  void addPlottable(const statorium::TChartSeries& series);
  void applySeries(int index);
  void applyRanges();
  void userChangedRange();

  statorium::TChart m_chart;
  std::vector<Drawn> m_drawn;
  QCPTextElement* m_title = nullptr;
  bool m_dirty = true;
  bool m_visibleApplied = true;  // the chart's visible flag last passed to the widget
  bool m_applyingRanges = false;
  bool m_panning = false;
  QPoint m_panStart;
  QCPRange m_panBottom;
  QCPRange m_panLeft;
};

#include "charts/chartview.h"

#include <QBuffer>
#include <QLocale>
#include <QPdfWriter>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <functional>
#include <limits>
#include <new>

#include "charts/numberpattern.h"
#include "core/largearray.h"
#include "core/numtext.h"
#include "core/safefile.h"

using statorium::TAxisKind;
using statorium::TChartArrow;
using statorium::TChartSeries;
using statorium::TColor;
using statorium::TSeriesKind;

namespace {

QColor toQColor(TColor c) {
  return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>(c & 0xFF));
}

// Keeps the floating-point status flags as they were. The program reads those flags to decide
// whether a computation failed, and a redraw asked for in the middle of an action (refresh)
// must not leave a flag of its own behind.
class KeepFpFlags {
 public:
  KeepFpFlags() { fegetexceptflag(&m_saved, FE_ALL_EXCEPT); }
  ~KeepFpFlags() { fesetexceptflag(&m_saved, FE_ALL_EXCEPT); }
  KeepFpFlags(const KeepFpFlags&) = delete;
  KeepFpFlags& operator=(const KeepFpFlags&) = delete;

 private:
  fexcept_t m_saved;
};

// The thousands separator that goes with the program's decimal separator: the system locale's
// when that locale uses the same decimal separator, else the usual partner of the separator.
std::string groupSeparator() {
  const char decimal = statorium::decimalSeparator();
  const QLocale locale;
  if (locale.decimalPoint() == QString(QChar(decimal))) {
    const QString group = locale.groupSeparator();
    if (!group.isEmpty() && group != QString(QChar(decimal))) return group.toStdString();
  }
  return decimal == ',' ? "." : ",";
}

// Tick placement of QCustomPlot with labels written by the program's own number texts.
class FormattedTicker : public QCPAxisTicker {
 public:
  explicit FormattedTicker(std::function<std::string(double)> format)
      : m_format(std::move(format)) {}

 protected:
  QString getTickLabel(double tick, const QLocale&, QChar, int) override {
    return QString::fromStdString(m_format(tick));
  }

 private:
  std::function<std::string(double)> m_format;
};

// Cuts the segment a-b to the rectangle (Liang-Barsky); false when nothing of it is inside.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const QPointF start = a;
  a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
  b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
  return true;
}

// Where many arrows are visible, those within one pixel column are merged.
constexpr std::size_t kMergeAbove = 2000;
// Colours that get merged columns; arrows of further colours are drawn one by one.
constexpr std::size_t kMergedColours = 8;

// Widens `range` by v when v is finite and lies in the sign domain asked for.
void includeInRange(QCPRange& range, bool& found, double v, QCP::SignDomain domain) {
  if (!std::isfinite(v)) return;
  if ((domain == QCP::sdPositive && v <= 0) || (domain == QCP::sdNegative && v >= 0)) return;
  if (!found) {
    range = QCPRange(v, v);
    found = true;
  } else {
    range.expand(v);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TArrowPlottable

TArrowPlottable::TArrowPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const TChartSeries& series)
    : QCPAbstractPlottable(keyAxis, valueAxis), m_series(series) {
  setSelectable(QCP::stNone);
}

double TArrowPlottable::selectTest(const QPointF&, bool, QVariant*) const {
  return -1;
}

QCPRange TArrowPlottable::getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const {
  QCPRange range;
  foundRange = false;
  for (const TChartArrow& a : m_series.arrows()) {
    for (double x : {a.x0, a.x1}) {
      includeInRange(range, foundRange, x, inSignDomain);
    }
  }
  return range;
}

QCPRange TArrowPlottable::getValueRange(bool& foundRange, QCP::SignDomain inSignDomain,
                                        const QCPRange& inKeyRange) const {
  const bool restrictKeys = inKeyRange != QCPRange();
  QCPRange range;
  foundRange = false;
  for (const TChartArrow& a : m_series.arrows()) {
    if (restrictKeys &&
        (std::max(a.x0, a.x1) < inKeyRange.lower || std::min(a.x0, a.x1) > inKeyRange.upper))
      continue;
    for (double y : {a.y0, a.y1}) {
      includeInRange(range, foundRange, y, inSignDomain);
    }
  }
  return range;
}

void TArrowPlottable::updateSummary() {
  if (m_summaryRevision == m_series.itemsRevision()) return;
  const std::vector<TChartArrow>& arrows = m_series.arrows();
  m_leftReach = m_rightReach = 0;
  m_blocks.assign(arrows.size() / kBlockSize, Block{});
  for (std::size_t b = 0; b < m_blocks.size(); ++b) {
    Block& block = m_blocks[b];
    block = {HUGE_VAL, -HUGE_VAL, HUGE_VAL, -HUGE_VAL, arrows[b * kBlockSize].color, true};
    for (std::size_t i = b * kBlockSize; i < (b + 1) * kBlockSize; ++i) {
      const TChartArrow& a = arrows[i];
      block.oneColour = block.oneColour && a.color == block.color;
      if (!std::isfinite(a.x1) || !std::isfinite(a.y0) || !std::isfinite(a.y1)) continue;
      block.xMin = std::min({block.xMin, a.x0, a.x1});
      block.xMax = std::max({block.xMax, a.x0, a.x1});
      block.yMin = std::min({block.yMin, a.y0, a.y1});
      block.yMax = std::max({block.yMax, a.y0, a.y1});
    }
  }
  for (const TChartArrow& a : arrows) {
    const double d = a.x1 - a.x0;
    if (!std::isfinite(d)) continue;
    if (d > m_rightReach) m_rightReach = d;
    if (-d > m_leftReach) m_leftReach = -d;
  }
  m_summaryRevision = m_series.itemsRevision();
}

void TArrowPlottable::draw(QCPPainter* painter) {
  m_lastShapes = 0;
  QCPAxis* keyAxis = mKeyAxis.data();
  QCPAxis* valueAxis = mValueAxis.data();
  const std::vector<TChartArrow>& arrows = m_series.arrows();
  if (!keyAxis || !valueAxis || arrows.empty()) return;
  updateSummary();

  const QCPRange keys = keyAxis->range();
  const QCPRange values = valueAxis->range();
  const QRect area = keyAxis->axisRect()->rect();
  if (area.width() <= 0 || area.height() <= 0 || keys.size() <= 0 || values.size() <= 0) return;
  // Both axes are linear and not reversed: pixels follow from one scale per axis.
  const double sx = area.width() / keys.size();
  const double sy = area.height() / values.size();
  const auto pixelX = [&](double x) { return area.left() + (x - keys.lower) * sx; };
  const auto pixelY = [&](double y) { return area.bottom() - (y - values.lower) * sy; };

  // Arrows are sorted by start x; those that can reach into the view start within this span.
  const auto byStart = [](const TChartArrow& a, double x) { return a.x0 < x; };
  const auto firstIt =
      std::lower_bound(arrows.begin(), arrows.end(), keys.lower - m_rightReach, byStart);
  const auto lastIt = std::lower_bound(firstIt, arrows.end(),
                                       std::nextafter(keys.upper + m_leftReach, HUGE_VAL), byStart);
  const std::size_t first = static_cast<std::size_t>(firstIt - arrows.begin());
  const std::size_t last = static_cast<std::size_t>(lastIt - arrows.begin());
  const bool merge = last - first > kMergeAbove;

  const int width = area.width();
  for (ColourColumns& g : m_groups) g.columns.assign(static_cast<std::size_t>(width), {1, 0});
  const auto columnsFor = [&](TColor color) -> std::vector<Column>* {
    for (ColourColumns& g : m_groups)
      if (g.color == color) return &g.columns;
    if (m_groups.size() >= kMergedColours) return nullptr;
    m_groups.push_back({color, std::vector<Column>(static_cast<std::size_t>(width), {1, 0})});
    return &m_groups.back().columns;
  };
  const float top = static_cast<float>(area.top() - 1);
  const float bottom = static_cast<float>(area.bottom() + 1);
  // Merges the pixel extent x0..x1 (less than a pixel wide), y0..y1 into the columns it touches.
  const auto mergeInto = [&](std::vector<Column>& columns, double px0, double px1, double py0,
                             double py1) {
    const float y0 = std::clamp(static_cast<float>(std::min(py0, py1)), top, bottom);
    const float y1 = std::clamp(static_cast<float>(std::max(py0, py1)), top, bottom);
    const int from = static_cast<int>(std::floor(std::min(px0, px1))) - area.left();
    const int to = static_cast<int>(std::floor(std::max(px0, px1))) - area.left();
    for (int c = std::max(from, 0); c <= std::min(to, width - 1); ++c) {
      Column& col = columns[static_cast<std::size_t>(c)];
      if (col.top > col.bottom) {
        col = {y0, y1};
      } else {
        col.top = std::min(col.top, y0);
        col.bottom = std::max(col.bottom, y1);
      }
    }
  };

  struct Segment {
    QLineF line;
    TColor color;
    bool startInside;
    bool endInside;
  };
  std::vector<Segment> segments;
  // A little beyond the plot, so that heads and markers at its edges are drawn whole.
  const QRectF reach = QRectF(area).adjusted(-16, -16, 16, 16);

  const auto addArrow = [&](const TChartArrow& a) {
    if (!std::isfinite(a.x1) || !std::isfinite(a.y0) || !std::isfinite(a.y1)) return;
    if (std::max(a.x0, a.x1) < keys.lower || std::min(a.x0, a.x1) > keys.upper) return;
    if (std::max(a.y0, a.y1) < values.lower || std::min(a.y0, a.y1) > values.upper) return;
    QPointF p0(pixelX(a.x0), pixelY(a.y0)), p1(pixelX(a.x1), pixelY(a.y1));
    if (merge && std::fabs(p1.x() - p0.x()) < 1) {
      if (std::vector<Column>* columns = columnsFor(a.color)) {
        mergeInto(*columns, p0.x(), p1.x(), p0.y(), p1.y());
        return;
      }
    }
    const bool startInside = reach.contains(p0), endInside = reach.contains(p1);
    if (!clipSegment(p0, p1, reach)) return;
    segments.push_back({QLineF(p0, p1), a.color, startInside, endInside});
  };

  for (std::size_t i = first; i < last;) {
    // A whole block of one colour, entirely inside the view and within one pixel column, is
    // what its arrows would give one by one: one column extent.
    if (merge && i % kBlockSize == 0 && i + kBlockSize <= last) {
      const Block& b = m_blocks[i / kBlockSize];
      if (b.oneColour && b.xMin >= keys.lower && b.xMax <= keys.upper && b.yMin >= values.lower &&
          b.yMax <= values.upper) {
        const double px0 = pixelX(b.xMin), px1 = pixelX(b.xMax);
        if (std::floor(px0) == std::floor(px1)) {
          if (std::vector<Column>* columns = columnsFor(b.color)) {
            mergeInto(*columns, px0, px1, pixelY(b.yMin), pixelY(b.yMax));
            i += kBlockSize;
            continue;
          }
        }
      }
    }
    addArrow(arrows[i]);
    ++i;
  }

  // Merged columns: one filled pixel-wide bar per column and colour.
  painter->setAntialiasing(false);
  painter->setPen(Qt::NoPen);
  QVector<QRectF> bars;
  for (const ColourColumns& g : m_groups) {
    bars.clear();
    for (int c = 0; c < width; ++c) {
      const Column& col = g.columns[static_cast<std::size_t>(c)];
      if (col.top > col.bottom) continue;
      const double y = std::floor(col.top);
      bars.append(QRectF(area.left() + c, y, 1, std::floor(col.bottom) - y + 1));
    }
    if (bars.isEmpty()) continue;
    painter->setBrush(toQColor(g.color));
    painter->drawRects(bars);
    m_lastShapes += static_cast<int>(bars.size());
  }

  // Single arrows: the segment, a square at the start and a head at the end.
  const int marker = m_series.markerSize();
  const double headLength = marker * 1.6, headHalfWidth = marker * 0.8;
  const double square = std::max(1, marker / 2);
  for (const Segment& s : segments) {
    const QColor color = toQColor(s.color);
    painter->setAntialiasing(false);
    painter->setPen(QPen(color, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawLine(s.line);
    ++m_lastShapes;
    if (marker <= 1) continue;
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    if (s.startInside) {
      painter->drawRect(
          QRectF(s.line.p1().x() - square / 2, s.line.p1().y() - square / 2, square, square));
      ++m_lastShapes;
    }
    // A head only where the arrow is long enough to stay visible beside it.
    const double length = s.line.length();
    if (s.endInside && length >= 3 * headLength) {
      const QPointF tip = s.line.p2();
      const QPointF dir = (s.line.p2() - s.line.p1()) / length;
      const QPointF normal(-dir.y(), dir.x());
      const QPointF base = tip - dir * headLength;
      const QPointF head[3] = {tip, base + normal * headHalfWidth, base - normal * headHalfWidth};
      painter->setAntialiasing(true);
      painter->drawPolygon(head, 3);
      ++m_lastShapes;
    }
  }
}

void TArrowPlottable::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  painter->setPen(QPen(toQColor(m_series.seriesColor()), 1));
  painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

// ---------------------------------------------------------------------------------------------
// TPointPlottable

TPointPlottable::TPointPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const TChartSeries& series)
    : QCPAbstractPlottable(keyAxis, valueAxis), m_series(series) {
  setSelectable(QCP::stNone);
}

double TPointPlottable::selectTest(const QPointF&, bool, QVariant*) const {
  return -1;
}

QCPRange TPointPlottable::getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const {
  QCPRange range;
  foundRange = false;
  for (const statorium::TChartPoint& p : m_series.points()) {
    includeInRange(range, foundRange, p.x, inSignDomain);
  }
  return range;
}

QCPRange TPointPlottable::getValueRange(bool& foundRange, QCP::SignDomain inSignDomain,
                                        const QCPRange& inKeyRange) const {
  const bool restrictKeys = inKeyRange != QCPRange();
  QCPRange range;
  foundRange = false;
  for (const statorium::TChartPoint& p : m_series.points()) {
    if (restrictKeys && !inKeyRange.contains(p.x)) continue;
    includeInRange(range, foundRange, p.y, inSignDomain);
  }
  return range;
}

const QPixmap& TPointPlottable::marker(qreal devicePixelRatio) {
  const int size = m_series.markerSize();
  if (m_marker.isNull() || m_markerColor != m_series.seriesColor() ||
      m_markerStyle != m_series.pointStyle() || m_markerSize != size ||
      m_marker.devicePixelRatio() != devicePixelRatio) {
    m_markerColor = m_series.seriesColor();
    m_markerStyle = m_series.pointStyle();
    m_markerSize = size;
    m_marker = QPixmap(QSize(size, size) * devicePixelRatio);
    m_marker.setDevicePixelRatio(devicePixelRatio);
    m_marker.fill(Qt::transparent);
    QPainter p(&m_marker);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(m_markerColor));
    if (m_markerStyle == statorium::TPointStyle::Square)
      p.drawRect(QRectF(0, 0, size, size));
    else
      p.drawEllipse(QRectF(0, 0, size, size));
  }
  return m_marker;
}

void TPointPlottable::draw(QCPPainter* painter) {
  m_lastShapes = 0;
  QCPAxis* keyAxis = mKeyAxis.data();
  QCPAxis* valueAxis = mValueAxis.data();
  const std::vector<statorium::TChartPoint>& points = m_series.points();
  if (!keyAxis || !valueAxis || points.empty()) return;
  const QCPRange keys = keyAxis->range();
  const QCPRange values = valueAxis->range();
  const QRect area = keyAxis->axisRect()->rect();
  if (area.width() <= 0 || area.height() <= 0 || keys.size() <= 0 || values.size() <= 0) return;
  const double sx = area.width() / keys.size();
  const double sy = area.height() / values.size();

  // Markers centred up to `half` pixels outside the plot still show partly.
  const int size = m_series.markerSize();
  const int half = size / 2 + 1;
  const int gridWidth = area.width() + 2 * half, gridHeight = area.height() + 2 * half;
  const std::size_t cells =
      static_cast<std::size_t>(gridWidth) * static_cast<std::size_t>(gridHeight);
  m_covered.assign((cells + 63) / 64, 0);

  const auto byX = [](const statorium::TChartPoint& p, double x) { return p.x < x; };
  const auto first = std::lower_bound(points.begin(), points.end(), keys.lower - half / sx, byX);
  const auto last =
      std::lower_bound(first, points.end(), std::nextafter(keys.upper + half / sx, HUGE_VAL), byX);
  const double yLow = values.lower - half / sy, yHigh = values.upper + half / sy;
  // The marker's centre pixel, as the plot maps coordinates to pixels: rounded to the nearest,
  // halves away from 0. The points kept lie within a few pixels of the plot, so the conversion
  // cannot overflow; done inline, as a call of lround per point took a tenth of the drawing.
  const auto round = [](double v) { return static_cast<int>(v + (v < 0 ? -0.5 : 0.5)); };
  std::vector<QPoint>& spots = m_spots;
  spots.clear();
  for (auto it = first; it != last; ++it) {
    if (!(it->y >= yLow && it->y <= yHigh)) continue;  // also skips a y that is not a number
    const int px = round(area.left() + (it->x - keys.lower) * sx);
    const int py = round(area.bottom() - (it->y - values.lower) * sy);
    const int gx = px - area.left() + half, gy = py - area.top() + half;
    if (gx < 0 || gy < 0 || gx >= gridWidth || gy >= gridHeight) continue;
    const std::size_t cell = static_cast<std::size_t>(gy) * static_cast<std::size_t>(gridWidth) +
                             static_cast<std::size_t>(gx);
    std::uint64_t& word = m_covered[cell / 64];
    const std::uint64_t bit = std::uint64_t(1) << (cell % 64);
    if (word & bit) continue;  // a marker is already drawn on this pixel
    word |= bit;
    spots.emplace_back(px - size / 2, py - size / 2);
  }
  const QPixmap& sprite = marker(painter->device() ? painter->device()->devicePixelRatioF() : 1.0);
  for (const QPoint& p : spots) painter->drawPixmap(p, sprite);
  m_lastShapes = static_cast<int>(spots.size());
}

void TPointPlottable::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  painter->setPen(Qt::NoPen);
  painter->setBrush(toQColor(m_series.seriesColor()));
  painter->drawEllipse(rect.center(), rect.height() / 3, rect.height() / 3);
}

// ---------------------------------------------------------------------------------------------
// TGraph

namespace {

// The graph of an area, line or point series. Where the visible points are dense, the filled
// area of a stairs series is drawn as one span per pixel column: the polygon the plot would fill
// has several vertices in every column and took the toolkit a hundred milliseconds to fill at a
// million points. Each column is filled from the base to the line's height nearest the base; the
// outline drawn over it covers the rest of the column's heights, as it does over the polygon.
class TGraph : public QCPGraph {
 public:
  TGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

 protected:
  void drawFill(QCPPainter* painter, QVector<QPointF>* lines) const override {
    QCPAxis* keys = keyAxis();
    QCPAxis* values = valueAxis();
    // More than two vertices a column on average: more than one step a column. The plot reduces
    // denser data to about four vertices a column.
    constexpr int kDenseVertices = 2;
    const QRect area = keys ? keys->axisRect()->rect() : QRect();
    if (!keys || !values || brush().style() == Qt::NoBrush || channelFillGraph() ||
        keys->orientation() != Qt::Horizontal || keys->rangeReversed() || values->rangeReversed() ||
        area.width() <= 0 || lines->size() <= kDenseVertices * area.width()) {
      QCPGraph::drawFill(painter, lines);
      return;
    }
    // The base: the value 0, or the edge of the plot nearest to it.
    const double base =
        std::clamp(values->coordToPixel(0), double(area.top()), double(area.bottom() + 1));
    // Per pixel column, the line's height nearest the base.
    const int first = area.left() - 1, count = area.width() + 2;
    std::vector<double> top(static_cast<std::size_t>(count),
                            std::numeric_limits<double>::quiet_NaN());
    const auto take = [&](int column, double y) {
      if (column < 0 || column >= count || !std::isfinite(y)) return;
      double& t = top[static_cast<std::size_t>(column)];
      if (std::isnan(t) || std::abs(y - base) < std::abs(t - base)) t = y;
    };
    for (int i = 0; i + 1 < lines->size(); ++i) {
      const QPointF a = lines->at(i), b = lines->at(i + 1);
      if (!std::isfinite(a.x()) || !std::isfinite(b.x())) continue;
      const double left = std::max(std::min(a.x(), b.x()), double(first));
      const double right = std::min(std::max(a.x(), b.x()), double(first + count - 1));
      if (left > right) continue;
      const double y = std::abs(a.y() - base) < std::abs(b.y() - base) ? a.y() : b.y();
      for (int c = static_cast<int>(std::floor(left)); c <= static_cast<int>(std::floor(right));
           ++c)
        take(c - first, a.y() == b.y() ? a.y() : y);
    }
    // Runs of columns of one height become one rectangle.
    QVector<QRectF> spans;
    for (int c = 0; c < count;) {
      const double t = top[static_cast<std::size_t>(c)];
      int end = c + 1;
      while (end < count && top[static_cast<std::size_t>(end)] == t) ++end;
      if (!std::isnan(t) && t != base)
        spans.append(
            QRectF(QPointF(first + c, std::min(t, base)), QPointF(first + end, std::max(t, base))));
      c = end;
    }
    applyFillAntialiasingHint(painter);
    painter->setBrush(brush());
    painter->setPen(Qt::NoPen);
    painter->drawRects(spans);
  }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// THugePagePaintBuffer

namespace {

// A paint buffer of the plot in memory that the system is asked to back with huge pages. The
// plot draws its layers into buffers of the widget's size, made anew whenever that size
// changes; the toolkit's own buffers take fresh small pages, each of which costs a fault on first
// touch, and on a virtual machine the faults of a window grown to full screen took longer than
// the drawing itself.
class THugePagePaintBuffer : public QCPAbstractPaintBuffer {
 public:
  THugePagePaintBuffer(const QSize& size, double devicePixelRatio)
      : QCPAbstractPaintBuffer(size, devicePixelRatio) {
    THugePagePaintBuffer::reallocateBuffer();
  }
  ~THugePagePaintBuffer() override { release(); }

  QCPPainter* startPainting() override { return new QCPPainter(&m_image); }
  void draw(QCPPainter* painter) const override {
    if (painter && painter->isActive() && !m_image.isNull()) painter->drawImage(0, 0, m_image);
  }
  void clear(const QColor& color) override { m_image.fill(color); }

 protected:
  void reallocateBuffer() override {
    setInvalidated();
    release();
    const QSize pixels = (QSizeF(mSize) * mDevicePixelRatio).toSize();
    if (pixels.isEmpty()) return;
    const qsizetype stride = qsizetype{4} * pixels.width();
    // Whole huge pages, aligned to one, so that the advice covers every byte.
    m_bytes = (static_cast<std::size_t>(stride) * static_cast<std::size_t>(pixels.height()) +
               kHugePage - 1) &
              ~(kHugePage - 1);
    m_memory = static_cast<uchar*>(::operator new (m_bytes, std::align_val_t{kHugePage}));
    statorium::adviseHugePages(m_memory, m_bytes);
    m_image = QImage(m_memory, pixels.width(), pixels.height(), stride,
                     QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(mDevicePixelRatio);
  }

 private:
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;

  void release() {
    m_image = QImage();  // the image goes before the memory it paints into
    if (m_memory) ::operator delete (m_memory, m_bytes, std::align_val_t{kHugePage});
    m_memory = nullptr;
    m_bytes = 0;
  }

  uchar* m_memory = nullptr;
  std::size_t m_bytes = 0;
  QImage m_image;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TChartView

TChartView::TChartView(QWidget* parent) : QCustomPlot(parent) {
  // The plot makes the buffers it needs only when it finds too few: one for the layers up to
  // each buffered layer, one for that layer, one for the layers after it. Given these first, it
  // draws into them.
  mPaintBuffers.clear();
  int buffers = 1;
  for (int i = 0; i < layerCount(); ++i)
    if (layer(i)->mode() == QCPLayer::lmBuffered)
      buffers += i + 1 < layerCount() && layer(i + 1)->mode() == QCPLayer::lmLogical ? 2 : 1;
  for (int i = 0; i < buffers; ++i)
    mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(
        new THugePagePaintBuffer(viewport().size(), bufferDevicePixelRatio())));
  setPlottingHint(QCP::phFastPolylines, true);
  legend->setVisible(false);
  xAxis2->setVisible(false);
  yAxis2->setVisible(false);

  m_title = new QCPTextElement(this, QString(), QFont(font().family(), 10, QFont::Bold));
  plotLayout()->insertRow(0);
  plotLayout()->addElement(0, 0, m_title);

  xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new FormattedTicker([this](double v) {
    const std::string& pattern = m_chart.bottomAxisPattern();
    if (pattern.empty()) return statorium::formatGeneral(v);
    return statorium::formatNumberPattern(v, pattern, statorium::decimalSeparator(),
                                          groupSeparator());
  })));
  yAxis->setTicker(QSharedPointer<QCPAxisTicker>(
      new FormattedTicker([](double v) { return statorium::formatGeneral(v); })));

  // Left drag zooms into a rectangle; the wheel zooms about the cursor.
  setInteractions(QCP::iRangeZoom);
  setSelectionRectMode(QCP::srmZoom);
  connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
          &TChartView::userChangedRange);
  connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
          &TChartView::userChangedRange);

  m_chart.setChangeHandler([this] { chartChanged(); });
}

TChartView::~TChartView() {
  // The plottables read the chart's series, which go before the plot's own teardown.
  m_chart.setChangeHandler(nullptr);
  clearPlottables();
}

QCPAbstractPlottable* TChartView::seriesPlottable(int index) const {
  if (index < 0 || index >= static_cast<int>(m_drawn.size())) return nullptr;
  return m_drawn[static_cast<std::size_t>(index)].plottable;
}

void TChartView::chartChanged() {
  m_dirty = true;
  // Follow the visible flag at once: a hidden widget gets no paint event to notice it by.
  followVisibleFlag();
  update();
}

void TChartView::followVisibleFlag() {
  // Only changes of the flag count, so that the widget is never shown before its window is.
  if (m_chart.visible() == m_visibleApplied) return;
  m_visibleApplied = m_chart.visible();
  setVisible(m_visibleApplied);
}

void TChartView::refresh() {
  KeepFpFlags keep;
  redraw();
  // The pixels reach the screen with the next paint; the buffers are drawn now.
}

void TChartView::undoZoom() {
  m_chart.UndoZoom();
  refresh();
}

bool TChartView::savePicture(const QString& fileName, int width, int height) {
  KeepFpFlags keep;
  redraw();
  // The picture is drawn in memory, where writing cannot fail part way (the image writers do
  // not report a failed write), and the file of the name is replaced only by all of it.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    // One page the size of the picture, with the chart's pixels as its points, as the
    // chart's own PDF export lays it out.
    QPdfWriter pdf(&buffer);
    pdf.setPageLayout(QPageLayout(
        QPageSize(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    QCPPainter painter;
    if (!painter.begin(&pdf)) return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setWindow(0, 0, width, height);
    toPainter(&painter, width, height);
    painter.end();
  } else {
    QImage image = toPixmap(width, height).toImage();
    const int dotsPerMeter = static_cast<int>(96 / 0.0254);  // the chart export's 96 dpi
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    if (image.isNull() || !image.save(&buffer, "PNG")) return false;
  }
  statorium::SafeFileWriter out(fileName.toStdString());
  out.write(bytes.constData(), static_cast<size_t>(bytes.size()));
  out.commit();
  return true;
}

void TChartView::paintEvent(QPaintEvent* event) {
  if (m_dirty) {
    KeepFpFlags keep;
    redraw();
  }
  QCustomPlot::paintEvent(event);
}

void TChartView::redraw() {
  followVisibleFlag();
  while (static_cast<int>(m_drawn.size()) < m_chart.seriesCount())
    addPlottable(m_chart.series(static_cast<int>(m_drawn.size())));
  for (int i = 0; i < m_chart.seriesCount(); ++i) applySeries(i);

  QStringList lines;
  for (const std::string& line : m_chart.titleLines()) lines << QString::fromStdString(line);
  m_title->setText(lines.join(QLatin1Char('\n')));
  m_title->setVisible(!lines.isEmpty());

  applyRanges();
  m_dirty = false;
  m_chart.markDrawn();
  // Draws into the paint buffers now and shows them with the next paint (never a nested one).
  replot(rpQueuedRefresh);
}

void TChartView::addPlottable(const TChartSeries& series) {
  Drawn drawn;
  if (series.kind() == TSeriesKind::Arrow) {
    drawn.plottable = new TArrowPlottable(xAxis, yAxis, series);
  } else if (series.kind() == TSeriesKind::Point) {
    drawn.plottable = new TPointPlottable(xAxis, yAxis, series);
  } else {
    auto* graph = new TGraph(xAxis, yAxis);
    graph->removeFromLegend();
    graph->setSelectable(QCP::stNone);
    drawn.plottable = graph;
  }
  m_drawn.push_back(drawn);
}

void TChartView::applySeries(int index) {
  const TChartSeries& series = m_chart.series(index);
  Drawn& drawn = m_drawn[static_cast<std::size_t>(index)];
  drawn.plottable->setVisible(series.active());
  auto* graph = qobject_cast<QCPGraph*>(drawn.plottable);
  if (!graph) return;  // arrows and points are read straight from the series when drawn

  const QColor color = toQColor(series.seriesColor());
  graph->setBrush(Qt::NoBrush);
  graph->setScatterStyle(QCPScatterStyle());
  graph->setAntialiased(true);
  switch (series.kind()) {
    case TSeriesKind::AreaStairs:
      graph->setLineStyle(QCPGraph::lsStepLeft);
      graph->setPen(QPen(color.darker(150), 1));
      graph->setBrush(color);  // fills down to the value 0 or the bottom of the plot
      graph->setAntialiased(false);
      graph->setAntialiasedFill(false);
      break;
    case TSeriesKind::Line:
      graph->setLineStyle(QCPGraph::lsLine);
      graph->setPen(QPen(color, 2));
      break;
    case TSeriesKind::FastLine:
      graph->setLineStyle(QCPGraph::lsLine);
      graph->setPen(QPen(color, 1));
      graph->setAntialiased(false);
      break;
    case TSeriesKind::Arrow:
    case TSeriesKind::Point:
      break;
  }

  // Hidden series keep their last copy; theirs is refreshed when they are shown again.
  if (!series.active() || drawn.itemsRevision == series.itemsRevision()) return;
  const std::vector<statorium::TChartPoint>& points = series.points();
  QVector<QCPGraphData> data;
  data.reserve(static_cast<qsizetype>(points.size()));
  for (const statorium::TChartPoint& p : points) data.append(QCPGraphData(p.x, p.y));
  // Already in ascending x, with equal x in the order of addition: no re-sort.
  graph->data()->set(data, true);
  drawn.itemsRevision = series.itemsRevision();
}

void TChartView::applyRanges() {
  m_applyingRanges = true;
  const statorium::TAxisRange bottom =
      statorium::displayRange(m_chart, TAxisKind::Bottom, kAutomaticMargin);
  const statorium::TAxisRange left =
      statorium::displayRange(m_chart, TAxisKind::Left, kAutomaticMargin);
  xAxis->setRange(bottom.lower, bottom.upper);
  yAxis->setRange(left.lower, left.upper);
  m_applyingRanges = false;
}

void TChartView::userChangedRange() {
  if (m_applyingRanges) return;
  m_chart.setZoom(
      {{xAxis->range().lower, xAxis->range().upper}, {yAxis->range().lower, yAxis->range().upper}});
}

void TChartView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    m_panning = true;
    m_panStart = event->pos();
    m_panBottom = xAxis->range();
    m_panLeft = yAxis->range();
    event->accept();
    return;
  }
  // Only the left button draws the zoom rectangle; the right one belongs to the context menu.
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  QCustomPlot::mousePressEvent(event);
}

void TChartView::mouseMoveEvent(QMouseEvent* event) {
  if (!m_panning) {
    QCustomPlot::mouseMoveEvent(event);
    return;
  }
  const QRect area = axisRect()->rect();
  if (area.width() <= 0 || area.height() <= 0) return;
  const QPoint moved = event->pos() - m_panStart;
  const double dx = -moved.x() * m_panBottom.size() / area.width();
  const double dy = moved.y() * m_panLeft.size() / area.height();
  xAxis->setRange(m_panBottom.lower + dx, m_panBottom.upper + dx);
  yAxis->setRange(m_panLeft.lower + dy, m_panLeft.upper + dy);
  replot(rpQueuedReplot);
  event->accept();
}

void TChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (m_panning) {
    if (event->button() == Qt::MiddleButton) m_panning = false;
    event->accept();
    return;
  }
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  QCustomPlot::mouseReleaseEvent(event);
}

void TChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  QCustomPlot::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) undoZoom();
}

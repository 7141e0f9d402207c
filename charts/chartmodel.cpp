#include "charts/chartmodel.h"

#include "core/largearray.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <stdexcept>

#include "core/errors.h"

namespace statorium {

namespace {

// The nearest double, without the overflow flag that a plain conversion of a value beyond the
// double range would raise (the program reads that flag as a failed computation).
double toDouble(long double v) {
  if (std::isnan(v)) return static_cast<double>(v);
  if (v > static_cast<long double>(DBL_MAX)) return DBL_MAX;
  if (v < -static_cast<long double>(DBL_MAX)) return -DBL_MAX;
  return static_cast<double>(v);
}

double itemX(const TChartPoint& p) {
  return p.x;
}
double itemX(const TChartArrow& a) {
  return a.x0;
}

// Appends an item; the sorted prefix grows only while items keep arriving in order.
template <class Item>
void appendItem(std::vector<Item>& items, std::size_t& sortedCount, const Item& item) {
  const bool inOrder =
      sortedCount == items.size() && (items.empty() || itemX(items.back()) <= itemX(item));
  items.push_back(item);
  if (inOrder) sortedCount = items.size();
}

// Puts the unsorted tail in place: a stable sort of the tail and a stable merge keep items of
// equal x in the order they were added, at O(k log k + n) for k new items.
template <class Item>
void sortTail(std::vector<Item>& items, std::size_t& sortedCount) {
  if (sortedCount == items.size()) return;
  const auto byX = [](const Item& a, const Item& b) { return itemX(a) < itemX(b); };
  const auto middle = items.begin() + static_cast<std::ptrdiff_t>(sortedCount);
  std::stable_sort(middle, items.end(), byX);
  std::inplace_merge(items.begin(), middle, items.end(), byX);
  sortedCount = items.size();
}

}  // namespace

TChartSeries::TChartSeries(std::string name, TSeriesKind kind, TColor color, bool active,
                           TChart* owner)
    : m_name(std::move(name)), m_kind(kind), m_color(color), m_active(active), m_owner(owner) {}

void TChartSeries::SetSeriesColor(TColor color) {
  if (m_color == color) return;
  m_color = color;
  styleChanged();
}

void TChartSeries::SetActive(bool active) {
  if (m_active == active) return;
  m_active = active;
  styleChanged();
}

void TChartSeries::setPointStyle(TPointStyle style) {
  if (m_pointStyle == style) return;
  m_pointStyle = style;
  styleChanged();
}

void TChartSeries::setMarkerSize(int pixels) {
  pixels = std::max(pixels, 1);
  if (m_markerSize == pixels) return;
  m_markerSize = pixels;
  styleChanged();
}

void TChartSeries::Clear() {
  if (m_points.empty() && m_arrows.empty() && m_labels.size() == 1) return;
  // Release the memory: a cleared histogram may next hold a handful of points.
  std::vector<TChartPoint>().swap(m_points);
  std::vector<TChartArrow>().swap(m_arrows);
  m_labels.assign(1, std::string());
  m_sortedCount = 0;
  itemsChanged();
}

void TChartSeries::AddXY(long double x, long double y) {
  if (m_kind == TSeriesKind::Arrow) throw std::logic_error("AddXY on the arrow series " + m_name);
  if (std::isnan(x)) return;
  appendItem(m_points, m_sortedCount, TChartPoint{toDouble(x), toDouble(y)});
  itemsChanged();
}

void TChartSeries::AddArrow(long double x0, long double y0, long double x1, long double y1,
                            std::string_view label, TColor color) {
  if (m_kind != TSeriesKind::Arrow) throw std::logic_error("AddArrow on the series " + m_name);
  if (std::isnan(x0)) return;
  std::uint32_t labelIndex = 0;
  if (!label.empty()) {
    labelIndex = static_cast<std::uint32_t>(m_labels.size());
    m_labels.emplace_back(label);
  }
  appendItem(m_arrows, m_sortedCount,
             TChartArrow{toDouble(x0), toDouble(y0), toDouble(x1), toDouble(y1), color & 0xFFFFFF,
                         labelIndex});
  itemsChanged();
}

void TChartSeries::reserve(std::size_t count) {
  if (m_kind == TSeriesKind::Arrow)
    reserveLarge(m_arrows, count);
  else
    reserveLarge(m_points, count);
}

int TChartSeries::count() const {
  return static_cast<int>(m_kind == TSeriesKind::Arrow ? m_arrows.size() : m_points.size());
}

void TChartSeries::sortPending() const {
  if (m_kind == TSeriesKind::Arrow)
    sortTail(m_arrows, m_sortedCount);
  else
    sortTail(m_points, m_sortedCount);
}

const std::vector<TChartPoint>& TChartSeries::points() const {
  sortPending();
  return m_points;
}

const std::vector<TChartArrow>& TChartSeries::arrows() const {
  sortPending();
  return m_arrows;
}

void TChartSeries::itemsChanged() {
  ++m_itemsRevision;
  if (m_owner) m_owner->changed();
}

void TChartSeries::styleChanged() {
  if (m_owner) m_owner->changed();
}

TChart::TChart(std::string title) {
  if (!title.empty()) m_title.push_back(std::move(title));
}

TChartSeries& TChart::addSeries(std::string name, TSeriesKind kind, TColor color, bool active) {
  m_series.push_back(std::make_unique<TChartSeries>(std::move(name), kind, color, active, this));
  changed();
  return *m_series.back();
}

TChartSeries& TChart::series(int index) {
  if (index < 0 || index >= seriesCount()) throw listIndexError(index);
  return *m_series[static_cast<std::size_t>(index)];
}

const TChartSeries& TChart::series(int index) const {
  if (index < 0 || index >= seriesCount()) throw listIndexError(index);
  return *m_series[static_cast<std::size_t>(index)];
}

TChartSeries* TChart::seriesByName(std::string_view name) {
  for (auto& s : m_series)
    if (s->name() == name) return s.get();
  return nullptr;
}

void TChart::setTitle(std::string line) {
  std::vector<std::string> lines;
  lines.push_back(std::move(line));
  setTitleLines(std::move(lines));
}

void TChart::setTitleLines(std::vector<std::string> lines) {
  if (m_title == lines) return;
  m_title = std::move(lines);
  changed();
}

void TChart::setLeftAxisMinMax(double min, double max) {
  if (max < min) std::swap(min, max);
  const TAxisRange range{min, max};
  if (!m_leftAutomatic && m_leftRange == range) return;
  m_leftAutomatic = false;
  m_leftRange = range;
  changed();
}

void TChart::setLeftAxisAutomatic() {
  if (m_leftAutomatic) return;
  m_leftAutomatic = true;
  changed();
}

void TChart::setBottomAxisPattern(std::string pattern) {
  if (m_bottomPattern == pattern) return;
  m_bottomPattern = std::move(pattern);
  changed();
}

void TChart::setVisible(bool visible) {
  if (m_visible == visible) return;
  m_visible = visible;
  ++m_revision;
  // A hidden view is never painted, so it could not notice being shown again on its own.
  m_changePending = true;
  if (m_onChange) m_onChange();
}

void TChart::UndoZoom() {
  if (!m_zoom) return;
  m_zoom.reset();
  changed();
}

void TChart::changed() {
  ++m_revision;
  if (m_changePending) return;
  // Only the first change after a drawing is announced: adding a million points costs a
  // million flag tests, not a million redraw requests.
  m_changePending = true;
  if (m_onChange) m_onChange();
}

std::optional<TAxisRange> dataRange(const TChart& chart, TAxisKind axis) {
  const bool bottom = axis == TAxisKind::Bottom;
  double lo = 0, hi = 0;
  bool found = false;
  const auto take = [&](double v) {
    // isfinite first: an ordered comparison with a NaN would raise the invalid-operation flag.
    if (!std::isfinite(v)) return;
    if (!found) {
      lo = hi = v;
      found = true;
    } else if (v < lo) {
      lo = v;
    } else if (v > hi) {
      hi = v;
    }
  };
  for (int i = 0; i < chart.seriesCount(); ++i) {
    const TChartSeries& s = chart.series(i);
    if (!s.active()) continue;
    if (s.kind() == TSeriesKind::Arrow) {
      for (const TChartArrow& a : s.arrows()) {
        take(bottom ? a.x0 : a.y0);
        take(bottom ? a.x1 : a.y1);
      }
    } else {
      const auto& points = s.points();
      if (bottom && !points.empty()) {
        // Points are in ascending x (a NaN x is never stored): only the ends matter.
        take(points.front().x);
        take(points.back().x);
      } else {
        for (const TChartPoint& p : points) take(p.y);
      }
    }
  }
  if (!found) return std::nullopt;
  return TAxisRange{lo, hi};
}

TAxisRange automaticRange(const TChart& chart, TAxisKind axis, double margin) {
  if (axis == TAxisKind::Left && !chart.leftAxisAutomatic()) return chart.leftAxisRange();
  const std::optional<TAxisRange> data = dataRange(chart, axis);
  if (!data) return TAxisRange{0, 1};
  // Widened in extended precision and clamped, so that no overflow reaches a double.
  long double lo = data->lower, hi = data->upper;
  if (lo == hi) {
    const long double half = lo == 0 ? 0.5L : std::fabs(lo) * 0.05L;
    lo -= half;
    hi += half;
  } else {
    const long double pad = (hi - lo) * static_cast<long double>(margin);
    lo -= pad;
    hi += pad;
  }
  return TAxisRange{toDouble(lo), toDouble(hi)};
}

TAxisRange displayRange(const TChart& chart, TAxisKind axis, double margin) {
  if (const auto& zoom = chart.zoom()) return axis == TAxisKind::Bottom ? zoom->bottom : zoom->left;
  return automaticRange(chart, axis, margin);
}

}  // namespace statorium

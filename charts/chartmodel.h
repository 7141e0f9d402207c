#pragma once
// The chart model: charts, their series and the items the analysis windows put into them, free
// of any toolkit. TChartView (charts/chartview.h) draws a TChart; the windows only touch the
// model. Coordinates are kept as doubles: they are only drawn, never computed with, and a double
// resolves far more than a screen can show.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace statorium {

/// A 24-bit RGB colour, 0xRRGGBB.
using TColor = std::uint32_t;

/// The colour with the given red, green and blue parts (0 to 255 each).
constexpr TColor rgb(int red, int green, int blue) {
  return (static_cast<TColor>(red & 0xFF) << 16) | (static_cast<TColor>(green & 0xFF) << 8) |
         static_cast<TColor>(blue & 0xFF);
}

/// How a series draws its items.
enum class TSeriesKind {
  AreaStairs,  // steps from each point to the next one's x, filled down to the bottom axis
  Arrow,       // separate arrows, each with its own colour
  Line,        // straight segments between consecutive points
  FastLine,    // like Line, with a plain one-pixel pen
  Point,       // an unconnected marker at each point
};

/// The marker of a point series.
enum class TPointStyle { Circle, Square };

/// A point of an area, line or point series.
struct TChartPoint {
  double x = 0;
  double y = 0;
};

/// An arrow from (x0, y0) to (x1, y1); its label is kept by the series (see arrowLabel).
struct TChartArrow {
  double x0 = 0;
  double y0 = 0;
  double x1 = 0;
  double y1 = 0;
  TColor color = 0;
  std::uint32_t label = 0;  // index into the series' label table, 0 for the empty label
};

class TChart;

/// One series of a chart: a name, a kind, a colour, an active flag and items ordered by
/// ascending x (the start x of an arrow). An added item takes its place by x, after the items
/// with an equal x. Appending in ascending x costs O(1); items added out of order are sorted
/// once, when the items are next read.
class TChartSeries {
 public:
  /// A series of the given kind; `owner` (may be null) is told about every change.
  TChartSeries(std::string name, TSeriesKind kind, TColor color, bool active = true,
               TChart* owner = nullptr);

  const std::string& name() const { return m_name; }
  TSeriesKind kind() const { return m_kind; }

  TColor seriesColor() const { return m_color; }
  /// Changes the series colour; arrows keep the colour they were added with.
  void SetSeriesColor(TColor color);

  bool active() const { return m_active; }
  /// Shows or hides the series; its items stay.
  void SetActive(bool active);

  TPointStyle pointStyle() const { return m_pointStyle; }
  /// The marker of a point series (circles at creation).
  void setPointStyle(TPointStyle style);

  /// Size in pixels of the point markers and of the arrow heads and start markers; an arrow
  /// series with size 1 draws bare segments (the grid of a correlation table).
  int markerSize() const { return m_markerSize; }
  void setMarkerSize(int pixels);

  /// Removes all items.
  void Clear();
  /// Makes room for `count` items in all, so that adding many items does not regrow the list.
  void reserve(std::size_t count);
  /// Adds the point (x, y) to an area, line or point series. A point with x not a number is
  /// dropped (it has no place on the axis); values beyond the double range, infinities
  /// included, are clamped to it.
  /// Throws std::logic_error on an arrow series.
  void AddXY(long double x, long double y);
  /// Adds an arrow from (x0, y0) to (x1, y1) with its label and colour to an arrow series; the
  /// same dropping and clamping rules as AddXY, applied to x0. Throws std::logic_error on a
  /// series of another kind.
  void AddArrow(long double x0, long double y0, long double x1, long double y1,
                std::string_view label, TColor color);

  /// Number of items.
  int count() const;
  /// The points in ascending x (empty for an arrow series).
  const std::vector<TChartPoint>& points() const;
  /// The arrows in ascending x0 (empty for other kinds).
  const std::vector<TChartArrow>& arrows() const;
  /// The label an arrow was added with.
  const std::string& arrowLabel(const TChartArrow& arrow) const { return m_labels[arrow.label]; }

  /// Grows with every change of the items, so a view redraws only the series that changed.
  std::uint64_t itemsRevision() const { return m_itemsRevision; }

 private:
  void itemsChanged();
  void styleChanged();
  void sortPending() const;

  std::string m_name;
  TSeriesKind m_kind;
  TColor m_color;
  bool m_active;
  TPointStyle m_pointStyle = TPointStyle::Circle;
  int m_markerSize = 5;
  TChart* m_owner;

  // The items; only the first m_sortedCount are known to be in order (mutable: sorted on read).
  mutable std::vector<TChartPoint> m_points;
  mutable std::vector<TChartArrow> m_arrows;
  mutable std::size_t m_sortedCount = 0;
  std::vector<std::string> m_labels{std::string()};
  std::uint64_t m_itemsRevision = 0;
};

/// A closed range of an axis, lower <= upper.
struct TAxisRange {
  double lower = 0;
  double upper = 1;
  bool operator==(const TAxisRange&) const = default;
};

/// The part of the plane the user zoomed into.
struct TChartZoom {
  TAxisRange bottom;
  TAxisRange left;
  bool operator==(const TChartZoom&) const = default;
};

enum class TAxisKind { Bottom, Left };

/// A chart: title lines, a left axis (automatic, or fixed with a minimum and a maximum), an
/// automatic bottom axis with a number pattern, an ordered list of series, a visible flag and
/// the user's zoom. Series live as long as the chart; references to them stay valid.
class TChart {
 public:
  explicit TChart(std::string title = {});
  TChart(const TChart&) = delete;
  TChart& operator=(const TChart&) = delete;

  /// Appends a series and returns it.
  TChartSeries& addSeries(std::string name, TSeriesKind kind, TColor color, bool active = true);

  /// Number of series.
  int seriesCount() const { return static_cast<int>(m_series.size()); }
  /// The series at `index` in list order; "List index out of bounds (index)" outside the list.
  TChartSeries& series(int index);
  const TChartSeries& series(int index) const;
  /// The first series with this name, or null.
  TChartSeries* seriesByName(std::string_view name);

  const std::vector<std::string>& titleLines() const { return m_title; }
  /// Replaces the title's lines by one line.
  void setTitle(std::string line);
  void setTitleLines(std::vector<std::string> lines);

  bool leftAxisAutomatic() const { return m_leftAutomatic; }
  /// The range a fixed left axis keeps (meaningless while the axis is automatic).
  TAxisRange leftAxisRange() const { return m_leftRange; }
  /// Fixes the left axis to min ... max (swapped when given in reverse).
  void setLeftAxisMinMax(double min, double max);
  /// Lets the left axis follow the active series again.
  void setLeftAxisAutomatic();

  /// The number pattern of the bottom axis labels ("" for the general number form).
  const std::string& bottomAxisPattern() const { return m_bottomPattern; }
  void setBottomAxisPattern(std::string pattern);

  bool visible() const { return m_visible; }
  /// Shows or hides the whole chart.
  void setVisible(bool visible);

  /// The user's zoom, if any.
  const std::optional<TChartZoom>& zoom() const { return m_zoom; }
  /// Records the ranges the user zoomed to. Called by the view, which has already shown them,
  /// so no redraw is asked for.
  void setZoom(const TChartZoom& zoom) { m_zoom = zoom; }
  /// Forgets the user's zoom, so the axes show their automatic or fixed ranges again. Nothing
  /// changes when the chart is not zoomed.
  void UndoZoom();

  /// Grows with every change that alters the drawing (but not with setZoom).
  std::uint64_t revision() const { return m_revision; }

  /// Sets the function called when the chart changes after it was last drawn (see
  /// markDrawn); a view uses it to schedule a redraw. Visibility changes always call it.
  void setChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }
  /// Called by the view once it has drawn the current state.
  void markDrawn() { m_changePending = false; }

 private:
  friend class TChartSeries;
  void changed();

  std::vector<std::string> m_title;
  std::vector<std::unique_ptr<TChartSeries>> m_series;
  bool m_leftAutomatic = true;
  TAxisRange m_leftRange;
  std::string m_bottomPattern;
  bool m_visible = true;
  std::optional<TChartZoom> m_zoom;
  std::uint64_t m_revision = 0;
  bool m_changePending = false;
  std::function<void()> m_onChange;
};

/// The smallest and largest coordinate along `axis` of the items of the active series (both
/// ends of every arrow); non-finite coordinates are skipped. Empty when no active series has
/// an item.
std::optional<TAxisRange> dataRange(const TChart& chart, TAxisKind axis);

/// The range an axis shows when the user has not zoomed: the fixed range of a fixed left axis;
/// otherwise the data range widened by `margin` (a fraction of its width) on both sides, a
/// single value widened by 5% of its size on both sides (by 0.5 around zero), and 0 ... 1
/// without data. The result never leaves the double range.
TAxisRange automaticRange(const TChart& chart, TAxisKind axis, double margin = 0);

/// The range an axis shows: the zoomed range while zoomed, else automaticRange.
TAxisRange displayRange(const TChart& chart, TAxisKind axis, double margin = 0);

}  // namespace statorium

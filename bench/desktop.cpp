// The desktop program's benchmarks (statorium_desktop_bench, built with the GUI): the main window
// opening a sample file until its results are painted, and the frames of a chart of up to 10^6
// items: a redraw, one step of the wheel zoom, a resize while the window is dragged larger and
// smaller, and the first resize to a larger window. Everything runs on the program's one thread,
// offscreen, and each frame is timed from the event to the pixels in the widget; the times are
// wall times, as the user waits them.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <QApplication>
#include <QString>
#include <QWheelEvent>

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "app/mainwindow.h"
#include "app/prompter.h"
#include "app/windows.h"
#include "bench/benchdata.h"
#include "charts/chartview.h"

namespace statorium::bench {
namespace {

// The size of the main window and of a chart window before they are resized.
constexpr int kWidth = 1000, kHeight = 640;

void settle() {
  QCoreApplication::processEvents();
}

// ---- Opening a file ----

// File > Open of a sample file of n values: reading, sorting, the whole analysis, and the window
// painted with the grids, labels and chart of the results. The program is started once; each
// iteration opens the file anew, as the user opening it again would.
void DesktopOpen(benchmark::State& state) {
  const int64_t n = state.range(0);
  const QString path = QString::fromStdString(sampleFile(n));
  TQtPrompter prompter;
  TApplicationWindows windows(prompter);
  TfrmMain& main = *windows.frmMain;
  main.resize(kWidth, kHeight);
  main.show();
  settle();
  for (auto _ : state) {
    main.Load(path);
    main.repaint();  // the window and every visible child paint now, the chart drawn with them
  }
  setSize(state, n);
}
BENCHMARK(DesktopOpen)->Apply(valueDecades)->UseRealTime();

// ---- Chart frames ----

// The charts of many items that the windows draw: the correlation field of the two-dimensional
// analysis (points), the empirical function of the main window (one arrow per distinct value), a
// histogram of many classes (area stairs) and a curve through many points (line).
struct ChartCase {
  const char* name;
  TSeriesKind kind;
};
constexpr ChartCase kCharts[] = {
    {"Points", TSeriesKind::Point},
    {"Steps", TSeriesKind::Arrow},
    {"Stairs", TSeriesKind::AreaStairs},
    {"Line", TSeriesKind::Line},
};

// Fills `chart` with one series of n items of the case's kind, from seeded normal values.
void fillChart(TChart& chart, TSeriesKind kind, int64_t n) {
  std::mt19937_64 gen(11);
  std::normal_distribution<double> d(0.0, 1.0);
  TChartSeries& series = chart.addSeries("Series1", kind, rgb(0, 0, 255));
  series.reserve(static_cast<std::size_t>(n));
  switch (kind) {
    case TSeriesKind::Point:
      for (int64_t i = 0; i < n; ++i) {
        const double x = d(gen);
        series.AddXY(x, 0.6 * x + 0.8 * d(gen));
      }
      break;
    case TSeriesKind::Arrow: {
      // The steps of the empirical distribution function of n sorted values.
      const TValues sorted = [&] {
        TValues v = normalValues(n, 11, 0.0, 1.0);
        v.QuickSort();
        return v;
      }();
      const std::vector<long double>& v = sorted.data();
      for (int64_t i = 0; i + 1 < n; ++i) {
        const double y = static_cast<double>(i + 1) / static_cast<double>(n);
        series.AddArrow(static_cast<double>(v[i]), y, static_cast<double>(v[i + 1]), y, "",
                        rgb(0, 0, 255));
      }
      break;
    }
    default: {
      // A curve over [-4, 4] with noise: every pixel column holds many items.
      const double step = 8.0 / static_cast<double>(n);
      for (int64_t i = 0; i < n; ++i) {
        const double x = -4.0 + step * static_cast<double>(i);
        series.AddXY(x, 0.4 * std::exp(-x * x / 2) + 0.01 * d(gen));
      }
      break;
    }
  }
}

// The chart window of the benchmark running, and the case and size it was made for.
std::unique_ptr<TChartView> openChart;
std::string openChartKey;

// The chart window for a case and size: made when first asked for, and kept while the next
// benchmarks ask for the same (they are registered case by case).
TChartView& chartWindow(const ChartCase& c, int64_t n) {
  const std::string wanted = std::string(c.name) + "/" + std::to_string(n);
  if (!openChart || openChartKey != wanted) {
    openChart.reset();
    openChart = std::make_unique<TChartView>();
    openChart->chart().setTitle("Benchmark");
    fillChart(openChart->chart(), c.kind, n);
    openChartKey = wanted;
    openChart->show();
  }
  // Every benchmark starts from the same window: its first size, the zoom undone, drawn.
  TChartView& view = *openChart;
  view.resize(kWidth, kHeight);
  settle();
  view.undoZoom();
  view.repaint();
  return view;
}

// The whole chart drawn again and shown, as after a change of its data or colours.
void ChartRedraw(benchmark::State& state, const ChartCase* c) {
  const int64_t n = state.range(0);
  TChartView& view = chartWindow(*c, n);
  for (auto _ : state) view.replot(QCustomPlot::rpImmediateRefresh);
  setSize(state, n);
}

// One notch of the mouse wheel at the middle of the plot, in and out by turns.
void ChartWheelZoom(benchmark::State& state, const ChartCase* c) {
  const int64_t n = state.range(0);
  TChartView& view = chartWindow(*c, n);
  const QPointF at = view.axisRect()->rect().center();
  int notch = 120;
  for (auto _ : state) {
    QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, notch), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &wheel);
    view.repaint();
    notch = -notch;
  }
  setSize(state, n);
}

// The window dragged larger and smaller: every frame a new size.
void ChartResize(benchmark::State& state, const ChartCase* c) {
  const int64_t n = state.range(0);
  TChartView& view = chartWindow(*c, n);
  bool larger = true;
  for (auto _ : state) {
    view.resize(larger ? QSize(kWidth + 200, kHeight + 120) : QSize(kWidth, kHeight));
    settle();
    view.repaint();
    larger = !larger;
  }
  setSize(state, n);
}

// The first resize to a larger window (1600 x 1000), when the paint buffers of the new size
// come from memory the program has not touched before.
void ChartFirstResize(benchmark::State& state, const ChartCase* c) {
  const int64_t n = state.range(0);
  TChartView& view = chartWindow(*c, n);
  for (auto _ : state) {
    state.PauseTiming();
    view.resize(kWidth, kHeight);
    settle();
    view.repaint();
    malloc_trim(0);  // the memory freed so far goes back to the system
    state.ResumeTiming();
    view.resize(1600, 1000);
    settle();
    view.repaint();
  }
  setSize(state, n);
}

void chartSizes(benchmark::internal::Benchmark* b) {
  b->ArgName("items")->RangeMultiplier(10)->Range(10000, 1000000);
  b->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity();
}

// Case by case, so that the benchmarks of one chart window follow each other.
[[maybe_unused]] const bool kRegistered = [] {
  for (const ChartCase& c : kCharts) {
    const std::string name = c.name;
    benchmark::RegisterBenchmark(("ChartRedraw/" + name).c_str(), ChartRedraw, &c)
        ->Apply(chartSizes);
    benchmark::RegisterBenchmark(("ChartWheelZoom/" + name).c_str(), ChartWheelZoom, &c)
        ->Apply(chartSizes);
    benchmark::RegisterBenchmark(("ChartResize/" + name).c_str(), ChartResize, &c)
        ->Apply(chartSizes);
    benchmark::RegisterBenchmark(("ChartFirstResize/" + name).c_str(), ChartFirstResize, &c)
        ->Apply(chartSizes);
  }
  return true;
}();

}  // namespace

void closeChartWindow() {
  openChart.reset();
}

}  // namespace statorium::bench

int main(int argc, char** argv) {
  // Offscreen unless told otherwise: the benchmarks need no screen, and a window manager would
  // add its own work to every frame.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  statorium::bench::closeChartWindow();  // a window must go before the application
  benchmark::Shutdown();
  return 0;
}

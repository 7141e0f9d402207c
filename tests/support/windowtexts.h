#pragma once
// What a window shows, searched for a not-a-number or an infinity: the texts of its labels,
// edits, memos, grids (cells and captions) and caption, and the coordinates, axis ranges and
// tick labels of its charts (drawn first, as the next paint would draw them).

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>
#include <cmath>

#include "charts/chartview.h"
#include "tests/support/hostilefiles.h"

namespace statorium::test {

/// Where `window` (with the windows inside it) shows a not-a-number or an infinity: one entry
/// per place, naming the widget and the text. Large grids are searched in their first and last
/// rows, which hold every kind of cell they show.
inline QStringList nonFiniteShown(const QWidget* window) {
  QStringList found;
  const auto look = [&](const QObject* where, const QString& text) {
    if (showsNonFinite(text.toStdString())) found << where->objectName() + ": " + text.left(200);
  };
  look(window, window->windowTitle());
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    if (auto* l = qobject_cast<const QLabel*>(w)) look(l, l->text());
    if (auto* e = qobject_cast<const QLineEdit*>(w)) look(e, e->text());
    if (auto* m = qobject_cast<const QPlainTextEdit*>(w)) look(m, m->toPlainText());
    if (auto* m = qobject_cast<const QTextEdit*>(w)) look(m, m->toPlainText());
    if (auto* v = qobject_cast<const QAbstractItemView*>(w); v && v->model()) {
      const QAbstractItemModel* model = v->model();
      const int rows = model->rowCount(), columns = std::min(model->columnCount(), 200);
      for (int c = 0; c < columns; ++c) look(v, model->headerData(c, Qt::Horizontal).toString());
      for (int r = 0; r < rows; r = r == 300 && rows > 350 ? rows - 50 : r + 1) {
        look(v, model->headerData(r, Qt::Vertical).toString());
        for (int c = 0; c < columns; ++c) look(v, model->index(r, c).data().toString());
      }
    }
    if (auto* chart = qobject_cast<TChartView*>(const_cast<QWidget*>(w))) {
      const TChart& model = chart->chart();
      for (int s = 0; s < model.seriesCount(); ++s) {
        const TChartSeries& series = model.series(s);
        bool finite = true;
        for (const TChartPoint& p : series.points())
          finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
        for (const TChartArrow& a : series.arrows())
          finite = finite && std::isfinite(a.x0) && std::isfinite(a.y0) && std::isfinite(a.x1) &&
                   std::isfinite(a.y1);
        if (!finite) found << chart->objectName() + ": " + QString::fromStdString(series.name());
      }
      for (const std::string& line : model.titleLines()) look(chart, QString::fromStdString(line));
      // The axes as the next paint shows them: their ranges and tick labels.
      chart->refresh();
      for (const QCPAxis* axis : {chart->xAxis, chart->yAxis}) {
        if (!std::isfinite(axis->range().lower) || !std::isfinite(axis->range().upper))
          found << chart->objectName() + ": axis range";
        for (const QString& label : axis->tickVectorLabels()) look(chart, label);
      }
    }
  }
  return found;
}

}  // namespace statorium::test

// Renders the program's windows offscreen into PNG files, with real-looking data loaded, for
// the README and for looking at the windows without a display.
// Usage: statorium-screenshots OUTPUT_FOLDER

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <random>

#include "app/mainwindow.h"
#include "app/radiogroup.h"
#include "analysis2d/twod.h"
#include "analysisnd/nd.h"
#include "app/windows.h"
#include "checks/paramscheck.h"
#include "core/numtext.h"
#include "core/statsobject.h"
#include "dialogs/selectdialog.h"
#include "dialogs/seriescreation.h"
#include "dialogs/statobjcreation.h"
#include "tests/support/fakeprompter.h"

namespace {

bool save(QWidget* w, const QString& folder, const QString& name) {
  const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
  const bool ok = w->grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

// Measurements of a machined part: normal around 25 mm, two decimals.
statorium::TValues sampleData(int n, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> d(25.0, 0.8);
  statorium::TValues v;
  for (int i = 0; i < n; ++i) v.Add(std::round(d(gen) * 100) / 100);
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: statorium-screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  QTemporaryDir tmp;
  bool ok = true;

  const std::string samplePath = QDir(tmp.path()).filePath("diameters.txt").toStdString();
  sampleData(400, 7).SaveToFile(samplePath);
  statorium::TStatsObject obj;
  obj.name = "part";
  obj.addValues(sampleData(60, 1));
  obj.addValues(sampleData(60, 2));
  obj.addValues(sampleData(60, 3));
  const std::string objPath = QDir(tmp.path()).filePath("parts.sta").toStdString();
  obj.writeObject(objPath);

  TFakePrompter prompter;
  TApplicationWindows windows(prompter);
  TfrmMain* main = windows.frmMain.get();
  main->show();
  main->Load(QString::fromStdString(samplePath));
  QApplication::processEvents();
  ok &= save(main, out, QStringLiteral("main-analysis"));
  // The same analysis on the function and the characteristics tabs.
  auto* views = main->findChild<QTabWidget*>(QStringLiteral("pcDataDisplay"));
  views->setCurrentIndex(1);
  QApplication::processEvents();
  ok &= save(main, out, QStringLiteral("main-function"));
  views->setCurrentIndex(2);
  QApplication::processEvents();
  ok &= save(main, out, QStringLiteral("main-characteristics"));
  views->setCurrentIndex(0);
  main->findChild<QTabWidget*>(QStringLiteral("pages"))->setCurrentIndex(1);
  main->Load(QString::fromStdString(samplePath));  // lays the grid out at its shown width
  QApplication::processEvents();
  ok &= save(main, out, QStringLiteral("main-sample"));
  main->findChild<QTabWidget*>(QStringLiteral("pages"))->setCurrentIndex(0);

  // The windows opened from the menus and the chart's pop-up menu, grabbed while shown.
  const std::pair<const char*, const char*> windowsShown[] = {
      {"Settings1", "settings"}, {"About1", "about"}, {"ShowClassesTable", "class-data"}};
  for (const auto& [item, name] : windowsShown) {
    prompter.dialogScripts.push_back([&, name = QString::fromLatin1(name)](QDialog* d) {
      QApplication::processEvents();
      ok &= save(d, out, name);
      return int(QDialog::Rejected);
    });
    main->findChild<QAction*>(QString::fromLatin1(item))->trigger();
  }

  // The composition window with three candidate series, two of them chosen.
  QStringList series;
  for (unsigned k = 1; k <= 3; ++k) {
    const QString path = QDir(tmp.path()).filePath(QStringLiteral("shaft-%1.txt").arg(k));
    sampleData(120, 10 + k).SaveToFile(path.toStdString());
    series << path;
  }
  prompter.dialogScripts.push_back([&](QDialog* d) {
    auto* w = qobject_cast<TfrmCreateStatObj*>(d);
    for (const QString& path : series) w->Load(path);
    auto* props = w->findChild<QTableView*>(QStringLiteral("props"));
    for (int row : {0, 2}) {
      props->selectRow(row);
      w->findChild<QAction*>(QStringLiteral("Addtoobject"))->trigger();
    }
    props->selectRow(1);
    QApplication::processEvents();
    ok &= save(d, out, QStringLiteral("statobject-creation"));
    return int(QDialog::Rejected);
  });
  main->findChild<QAction*>(QStringLiteral("Createobject1"))->trigger();

  // The two-series check of two of the composition's series.
  prompter.dialogScripts.push_back([&](QDialog* d) {
    prompter.openFilesAnswers.push_back({series[0], series[1]});
    d->findChild<QPushButton*>(QStringLiteral("Select"))->click();
    auto* list = d->findChild<QListWidget*>(QStringLiteral("data"));
    for (int row : {0, 1}) list->item(row)->setCheckState(Qt::Checked);
    QApplication::processEvents();
    ok &= save(d, out, QStringLiteral("two-series-check"));
    return int(QDialog::Rejected);
  });
  main->findChild<QAction*>(QStringLiteral("Similarity1"))->trigger();

  // The many-series check of the three series.
  prompter.dialogScripts.push_back([&](QDialog* d) {
    prompter.openFilesAnswers.push_back(series);
    d->findChild<QPushButton*>(QStringLiteral("Select"))->click();
    auto* list = d->findChild<QListWidget*>(QStringLiteral("data"));
    for (int row : {0, 1, 2}) list->item(row)->setCheckState(Qt::Checked);
    QApplication::processEvents();
    ok &= save(d, out, QStringLiteral("many-series-check"));
    return int(QDialog::Rejected);
  });
  main->findChild<QAction*>(QStringLiteral("Many1"))->trigger();

  // The experiment with the normal law and ten checks, then its pair table.
  windows.frmParamsCheck->setRandomSeed(5);
  prompter.dialogScripts.push_back([&](QDialog* d) {
    d->findChild<TRadioGroup*>(QStringLiteral("rgType"))->clickItem(1);
    d->findChild<QLineEdit*>(QStringLiteral("eCheckCount"))->setText(QStringLiteral("10"));
    prompter.dialogScripts.push_back([&](QDialog* pairs) {
      QApplication::processEvents();
      ok &= save(pairs, out, QStringLiteral("pair-match"));
      return int(QDialog::Accepted);
    });
    d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    QApplication::processEvents();
    ok &= save(d, out, QStringLiteral("parameters-check"));
    return int(QDialog::Rejected);
  });
  main->findChild<QAction*>(QStringLiteral("Avgparameterscheck1"))->trigger();

  // The two-dimensional analysis of height and weight of 300 people, both pages.
  {
    std::mt19937 gen(3);
    std::normal_distribution<double> z(0, 1);
    statorium::TStatsObject people;
    people.name = "people";
    statorium::TValues height, weight;
    for (int i = 0; i < 300; ++i) {
      const double h = 172 + 9 * z(gen);
      height.Add(std::round(h * 10) / 10);
      weight.Add(std::round((-85 + 0.9 * h + 8 * z(gen)) * 10) / 10);
    }
    people.addValues(height);
    people.addValues(weight);
    const std::string peoplePath = QDir(tmp.path()).filePath("people.sta").toStdString();
    people.writeObject(peoplePath);
    prompter.dialogScripts.push_back([&](QDialog* d) {
      auto* w = qobject_cast<Tfrm2D*>(d);
      prompter.openFileAnswers.push_back(QString::fromStdString(peoplePath));
      prompter.dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
      w->findChild<QAction*>(QStringLiteral("Open1"))->trigger();
      QApplication::processEvents();
      ok &= save(d, out, QStringLiteral("two-dimensional-analysis"));
      auto* pages = w->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
      pages->setCurrentIndex(1);
      QApplication::processEvents();
      ok &= save(d, out, QStringLiteral("two-dimensional-histogram"));
      pages->setCurrentIndex(0);
      return int(QDialog::Rejected);
    });
    main->findChild<QAction*>(QStringLiteral("wodimensional1"))->trigger();
  }

  // The multi-dimensional analysis of four measurements of 200 parts: its pages, the regression
  // window of the last property and the multi-dimensional similarity check.
  {
    std::mt19937 gen(8);
    std::normal_distribution<double> z(0, 1);
    statorium::TStatsObject parts;
    parts.name = "parts";
    statorium::TValues length, width, height, mass;
    for (int i = 0; i < 200; ++i) {
      // One size factor runs through the three dimensions, so that every pair correlates.
      const double size = z(gen);
      const double l = 120 + 3 * size + 2 * z(gen), w = 40 + size + 0.8 * z(gen),
                   h = 25 + 0.7 * size + 0.6 * z(gen);
      length.Add(std::round(l * 100) / 100);
      width.Add(std::round(w * 100) / 100);
      height.Add(std::round(h * 100) / 100);
      mass.Add(std::round((0.0078 * l * w * h + 2 * z(gen)) * 100) / 100);
    }
    for (const statorium::TValues* v : {&length, &width, &height, &mass}) parts.addValues(*v);
    const QString partsPath = QDir(tmp.path()).filePath(QStringLiteral("parts4.sta"));
    parts.writeObject(partsPath.toStdString());
    prompter.dialogScripts.push_back([&](QDialog* d) {
      prompter.openFileAnswers.push_back(partsPath);
      prompter.dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
      d->findChild<QAction*>(QStringLiteral("Open1"))->trigger();
      auto* pages = d->findChild<QTabWidget*>(QStringLiteral("MMC"));
      const char* names[] = {"nd-prime-analysis", "nd-dependence", "nd-main-components"};
      d->findChild<QPushButton*>(QStringLiteral("bEval"))->click();
      for (int page = 0; page < 3; ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        ok &= save(d, out, QString::fromLatin1(names[page]));
      }
      prompter.dialogScripts.push_back([&](QDialog* r) {
        QApplication::processEvents();
        ok &= save(r, out, QStringLiteral("regression"));
        return int(QDialog::Accepted);
      });
      qobject_cast<TfrmND*>(d)->gMRClick(3, 1);
      prompter.dialogScripts.push_back([&](QDialog* c) {
        prompter.openFilesAnswers.push_back({partsPath, partsPath});
        c->findChild<QPushButton*>(QStringLiteral("Select"))->click();
        auto* list = c->findChild<QListWidget*>(QStringLiteral("data"));
        for (int row : {0, 1}) list->item(row)->setCheckState(Qt::Checked);
        QApplication::processEvents();
        ok &= save(c, out, QStringLiteral("nd-similarity-check"));
        return int(QDialog::Rejected);
      });
      d->findChild<QAction*>(QStringLiteral("Similaritycheck1"))->trigger();
      pages->setCurrentIndex(0);
      return int(QDialog::Rejected);
    });
    main->findChild<QAction*>(QStringLiteral("Multidimensionalanalysis1"))->trigger();
  }

  // The series creation window after creating a normal series (into a temporary folder).
  prompter.dialogScripts.push_back([&](QDialog* d) {
    auto* w = qobject_cast<TfrmSeriesCreation*>(d);
    w->setDataFolder(QDir(tmp.path()).filePath(QStringLiteral("data")));
    w->findChild<TRadioGroup*>(QStringLiteral("rgType"))->clickItem(1);
    w->Button1Click();
    QApplication::processEvents();
    ok &= save(d, out, QStringLiteral("series-creation"));
    return int(QDialog::Rejected);
  });
  main->findChild<QAction*>(QStringLiteral("Createseries1"))->trigger();

  prompter.dialogScripts.push_back([&](QDialog* d) {
    QApplication::processEvents();
    ok &= save(d, out, QStringLiteral("select-characteristics"));
    return int(QDialog::Accepted);
  });
  main->Load(QString::fromStdString(objPath));
  return ok ? 0 : 1;
}

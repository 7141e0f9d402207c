// Every handler that can fail leaves the program usable: a fault is injected into each menu
// action (an unreadable file, a target that cannot be written, a full disk, data the analysis
// cannot take), the action shows exactly one error box, and then an ordinary action of the same
// window works and shows no error.

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QtTest>
#include <filesystem>

#include "analysis2d/twod.h"
#include "analysisnd/nd.h"
#include "app/mainwindow.h"
#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "checks/checkmanyvariants.h"
#include "checks/checkvariants.h"
#include "checks/ncheck.h"
#include "checks/paramscheck.h"
#include "dialogs/seriescreation.h"
#include "dialogs/statobjcreation.h"
#include "tests/core/filelimits.h"
#include "tests/support/appfixture.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/windowtexts.h"

using statorium::test::HostileFiles;
using statorium::test::TempDir;

class TestFaults;

namespace {

// One menu action: `fault` runs it so that it fails with `error`; `normal` then runs an
// ordinary action of the same window and checks its result. `prepare` loads what the action
// needs first.
struct FaultCase {
  const char* name;
  const char* error;
  std::function<void(TestFaults&)> prepare;
  std::function<void(TestFaults&)> fault;
  std::function<void(TestFaults&)> normal;
};

}  // namespace

class TestFaults : public QObject, public TAppFixture<> {
  Q_OBJECT

 public:
  std::unique_ptr<HostileFiles> files;

  QString hostile(const char* name) { return QString::fromStdString(files->path(name)); }
  QString target(const char* name) { return QString::fromStdString(dir->file(name)); }
  // A path whose folder is a regular file: creating it fails even for the superuser.
  QString underAFile() { return QString::fromStdString(files->path("ok1.txt") + "/out.txt"); }

  void trigger(QObject* window, const char* action) {
    QAction* a = window->findChild<QAction*>(action);
    QVERIFY2(a, action);
    a->trigger();
  }
  void open(const QString& path) {
    prompter->openFileAnswers.push_back(path);
    trigger(main(), "Open1");
  }
  void insert(const QString& text) {
    prompter->inputAnswers.push_back(text);
    trigger(main(), "Insertvalue1");
  }
  void saveSampleTo(const QString& path) {
    prompter->saveFileAnswers.push_back(path);
    trigger(main(), "Save1");
  }
  void exportSampleGridTo(const QString& path) {
    prompter->saveFileAnswers.push_back(path);
    trigger(main()->samplePopupMenu(), "Export1");
  }
  void exportChartTo(const QString& path) {
    prompter->saveFileAnswers.push_back(path);
    prompter->inputAnswers.push_back("300x200");
    trigger(main()->findChild<QMenu*>("PopupMenu1"), "Export1");
  }
  void click(QWidget* window, const char* button) {
    window->findChild<QPushButton*>(button)->click();
  }
  std::vector<long double> sample() { return main()->sample().data(); }

  // Runs a menu action of the main window whose window is shown modally, doing `inside` while
  // it is shown.
  void inModal(const char* action, std::function<void(QDialog*)> inside) {
    prompter->dialogScripts.push_back([inside](QDialog* d) {
      inside(d);
      return int(QDialog::Rejected);
    });
    trigger(main(), action);
  }
  // A check window's list emptied, then `paths` chosen and checked.
  void checkOnly(QDialog* window, const QStringList& paths) {
    auto* list = window->findChild<QListWidget*>("data");
    click(window, "ClearList");
    prompter->openFilesAnswers.push_back(paths);
    click(window, "Select");
    for (int i = list->count() - paths.size(); i < list->count(); ++i)
      list->item(i)->setCheckState(Qt::Checked);
  }
  QString memo(QWidget* window, const char* name) {
    return window->findChild<QPlainTextEdit*>(name)->toPlainText();
  }
  // Opens `path` in the two- or multi-dimensional window, accepting the dialogs on the way.
  void openObject(QDialog* window, const QString& path) {
    prompter->openFileAnswers.push_back(path);
    for (int i = 0; i < 2; ++i)
      prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
    trigger(window, "Open1");
    prompter->dialogScripts.clear();
  }
  // "Ready" in the composition window with the given files as the object's properties.
  void composeFrom(QDialog* d, const QStringList& paths) {
    trigger(d, "Clearall1");  // the window keeps its lists between showings
    trigger(d, "Clearall2");
    prompter->openFilesAnswers.push_back(paths);
    click(d, "btChoose");
    auto* props = d->findChild<TStringGrid*>("props");
    for (int r = 0; r < props->model()->rowCount() - 1; ++r) {
      props->selectRow(r);
      trigger(d, "Addtoobject");
    }
    click(d, "btSave");
  }
  // Composes from the menu of `menuOwner` ("main" or a window's name); the `thenAccept`
  // dialogs shown after the composition are accepted.
  void composeInto(const char* menuOwner, const QStringList& paths, int thenAccept = 0) {
    prompter->dialogScripts.push_back([this, paths](QDialog* d) {
      composeFrom(d, paths);
      return d->result();
    });
    for (int i = 0; i < thenAccept; ++i)
      prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
    if (QString(menuOwner) == "main")
      trigger(main(), "Createobject1");
    else
      trigger(main()->findChild<QDialog*>(menuOwner), "Composeobject1");
  }

  static const std::vector<FaultCase>& cases();

 private slots:
  void initTestCase() { files = std::make_unique<HostileFiles>(); }

  void init() { startApplication(); }

  void cleanup() { endApplication(); }

  void cleanupTestCase() { files.reset(); }

  void aFailedActionLeavesTheProgramUsable_data() {
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < cases().size(); ++i)
      QTest::newRow(cases()[i].name) << static_cast<int>(i);
  }

  void aFailedActionLeavesTheProgramUsable() {
    QFETCH(int, index);
    const FaultCase& c = cases()[static_cast<size_t>(index)];
    if (c.prepare) c.prepare(*this);
    if (QTest::currentTestFailed()) return;
    prompter->errors.clear();
    prompter->messages.clear();
    c.fault(*this);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(prompter->errors.size(), 1);
    QVERIFY2(prompter->errors[0].contains(c.error), qPrintable(prompter->errors[0]));
    const QStringList shown = statorium::test::nonFiniteShown(main());
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join("; ")));

    prompter->errors.clear();
    c.normal(*this);
    if (QTest::currentTestFailed()) return;
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
  }
};

const std::vector<FaultCase>& TestFaults::cases() {
  using T = TestFaults;
  static const auto loadOrdinary = [](T& t) { t.open(t.hostile("ok1.txt")); };
  static const std::vector<FaultCase> table = {
      // ---- The "Statobject" menu of the main window.
      {"Open: an unreadable file", "I/O error 103", nullptr,
       [](T& t) { t.open(t.hostile("missing.txt")); },
       [](T& t) {
         t.open(t.hostile("ok1.txt"));
         QCOMPARE(t.main()->sample().count(), 20);
       }},
      {"Open: a damaged statobject", "truncated or damaged", nullptr,
       [](T& t) { t.open(t.hostile("damaged.sta")); },
       [](T& t) {
         t.open(t.hostile("ok2.txt"));
         QCOMPARE(t.main()->sample().count(), 20);
       }},
      {"Open: data the analysis cannot take", "Class count error", nullptr,
       [](T& t) { t.open(t.hostile("const.txt")); },
       [](T& t) {
         t.open(t.hostile("ok1.txt"));
         QVERIFY(!t.main()->analysis().lawParamsText.empty());
       }},
      {"Save as: a target that cannot be created", "Cannot create file", loadOrdinary,
       [](T& t) { t.saveSampleTo(t.underAFile()); },
       [](T& t) {
         t.saveSampleTo(t.target("sample.txt"));
         statorium::TValues back;
         back.LoadFromTxtFile(t.dir->file("sample.txt"));
         QCOMPARE(back.count(), 20);
       }},
      {"Save as: a full disk", "I/O error 27", loadOrdinary,
       [](T& t) {
         statorium::test::FileSizeLimit full(100);
         t.saveSampleTo(t.target("sample.txt"));
       },
       [](T& t) {
         t.saveSampleTo(t.target("sample.txt"));
         QCOMPARE(TempDir::read(t.dir->file("sample.txt")).size(), 20u * 26);
       }},
      {"Create series: a data folder that cannot be created", "I/O error", nullptr,
       [](T& t) {
         t.prompter->dialogScripts.push_back([&t](QDialog* d) {
           auto* w = qobject_cast<TfrmSeriesCreation*>(d);
           w->setDataFolder(t.underAFile());
           t.click(w, "Button1");
           return d->result();
         });
         t.trigger(t.main(), "Createseries1");
       },
       [](T& t) {
         t.prompter->dialogScripts.push_back([&t](QDialog* d) {
           auto* w = qobject_cast<TfrmSeriesCreation*>(d);
           w->setDataFolder(t.target("data"));
           t.click(w, "Button1");
           return d->result();
         });
         t.trigger(t.main(), "Createseries1");
         QCOMPARE(t.main()->windowTitle(), "Statorium: " + t.target("data") + "/100/EXP1");
         QCOMPARE(t.main()->sample().count(), 100);
       }},
      {"Compose object: a target that cannot be created", "Cannot create file", nullptr,
       [](T& t) {
         t.prompter->saveFileAnswers.push_back(t.underAFile());
         t.composeInto("main", {t.hostile("ok1.txt")});
       },
       [](T& t) {
         t.prompter->saveFileAnswers.push_back(t.target("object.sta"));
         t.composeInto("main", {t.hostile("ok1.txt"), t.hostile("ok2.txt")});
         statorium::TStatsObject back;
         back.readStaObject(t.dir->file("object.sta"));
         QCOMPARE(back.propCount(), 2);
       }},
      {"Two-dimensional analysis: a damaged statobject", "truncated or damaged", nullptr,
       [](T& t) {
         t.inModal("wodimensional1",
                   [&t](QDialog* d) { t.openObject(d, t.hostile("truncated.sta")); });
       },
       [](T& t) {
         QString report;
         t.inModal("wodimensional1", [&](QDialog* d) {
           t.openObject(d, t.hostile("good.sta"));
           report = d->findChild<QTextEdit*>("myout")->toPlainText();
         });
         QVERIFY(report.startsWith("BASIC:"));
       }},
      {"Two-dimensional analysis: a composed object it cannot analyse",
       "Invalid floating point operation", nullptr,
       [](T& t) {
         t.inModal("wodimensional1", [&t](QDialog*) {
           t.composeInto("frm2D", {t.hostile("ok1.txt"), t.hostile("const.txt")}, 1);
         });
       },
       [](T& t) {
         QString report;
         t.inModal("wodimensional1", [&](QDialog* d) {
           t.composeInto("frm2D", {t.hostile("ok1.txt"), t.hostile("ok2.txt")}, 1);
           report = d->findChild<QTextEdit*>("myout")->toPlainText();
         });
         QVERIFY(report.startsWith("BASIC:"));
       }},
      {"Multi-dimensional analysis: a damaged statobject", "truncated or damaged", nullptr,
       [](T& t) {
         t.inModal("Multidimensionalanalysis1",
                   [&t](QDialog* d) { t.openObject(d, t.hostile("junk.sta")); });
       },
       [](T& t) {
         const std::string copy = t.dir->file("object.sta");
         std::filesystem::copy_file(t.files->path("good.sta"), copy);
         t.inModal("Multidimensionalanalysis1",
                   [&](QDialog* d) { t.openObject(d, QString::fromStdString(copy)); });
         QCOMPARE(t.prompter->messages.size(), 1);
         QVERIFY(t.prompter->messages[0].startsWith("There are "));
         QVERIFY(std::filesystem::exists(t.dir->file("objecti.sta")));
       }},
      {"Multi-dimensional analysis: Evaluate fails", "all equal", nullptr,
       [](T& t) {
         t.inModal("Multidimensionalanalysis1", [&t](QDialog* d) {
           t.openObject(d, t.hostile("constprop.sta"));
           t.prompter->errors.clear();
           t.click(d, "bEval");
         });
       },
       [](T& t) {
         QString cell;
         t.inModal("Multidimensionalanalysis1", [&](QDialog* d) {
           const std::string copy = t.dir->file("object.sta");
           std::filesystem::copy_file(t.files->path("good2.sta"), copy);
           t.openObject(d, QString::fromStdString(copy));
           t.click(d, "bEval");
           cell = d->findChild<TStringGrid*>("gPR")->cellText(1, 2);
         });
         QVERIFY(!cell.isEmpty());
       }},
      {"Multi-dimensional analysis: the similarity check fails", "different numbers of values",
       nullptr,
       [](T& t) {
         t.inModal("Multidimensionalanalysis1", [&t](QDialog* d) {
           t.prompter->dialogScripts.push_back([&t](QDialog* check) {
             t.checkOnly(check, {t.hostile("good.sta"), t.hostile("ragged.sta")});
             return int(QDialog::Rejected);
           });
           t.trigger(d, "Similaritycheck1");
         });
       },
       [](T& t) {
         QString results;
         t.inModal("Multidimensionalanalysis1", [&](QDialog* d) {
           t.prompter->dialogScripts.push_back([&](QDialog* check) {
             t.checkOnly(check, {t.hostile("good.sta"), t.hostile("good2.sta")});
             results = t.memo(check, "textResults");
             return int(QDialog::Rejected);
           });
           t.trigger(d, "Similaritycheck1");
         });
         QVERIFY(results.startsWith("V = "));
       }},
      {"Settings: the refresh fails", "Floating point overflow",
       [](T& t) { t.open(t.hostile("huge.txt")); },
       [](T& t) {
         t.prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
         t.trigger(t.main(), "Settings1");
       },
       [](T& t) {
         t.open(t.hostile("ok1.txt"));
         t.prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
         t.trigger(t.main(), "Settings1");
         QVERIFY(!t.main()->analysis().criteria1Text.empty());
       }},
      // ---- "Similarity check" and "Experiments".
      {"Two series: a series of equal values", "Floating point division by zero", nullptr,
       [](T& t) {
         t.inModal("Similarity1", [&t](QDialog* d) {
           t.checkOnly(d, {t.hostile("ok1.txt"), t.hostile("const.txt")});
         });
       },
       [](T& t) {
         QString results;
         t.inModal("Similarity1", [&](QDialog* d) {
           t.checkOnly(d, {t.hostile("ok1.txt"), t.hostile("ok2.txt")});
           results = t.memo(d, "normalResults");
         });
         QVERIFY(results.contains("t = "));
       }},
      {"Many series: an unreadable file", "I/O error 103", nullptr,
       [](T& t) {
         t.inModal("Many1", [&t](QDialog* d) {
           t.checkOnly(d, {t.hostile("ok1.txt"), t.hostile("missing.txt")});
         });
       },
       [](T& t) {
         QString results;
         t.inModal("Many1", [&](QDialog* d) {
           t.checkOnly(d, {t.hostile("ok1.txt"), t.hostile("ok2.txt"), t.hostile("short.txt")});
           results = t.memo(d, "textResults");
         });
         QVERIFY(!results.isEmpty());
       }},
      {"Avg. parameter check: a series of no values", "List index out of bounds", nullptr,
       [](T& t) {
         t.inModal("Avgparameterscheck1", [&t](QDialog* d) {
           d->findChild<QLineEdit*>("eCount")->setText("0");
           t.click(d, "Button1");
         });
       },
       [](T& t) {
         t.inModal("Avgparameterscheck1", [&t](QDialog* d) {
           qobject_cast<TfrmParamsCheck*>(d)->setRandomSeed(3);
           d->findChild<QLineEdit*>("eCount")->setText("60");
           d->findChild<QLineEdit*>("eCheckCount")->setText("4");
           t.prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
           t.click(d, "Button1");
         });
         QCOMPARE(t.prompter->dialogsShown.last(), QString("frmPairMatch"));
       }},
      // ---- The pop-up menus of the sample grid and the chart.
      {"Insert value: a value the analysis cannot take", "Floating point overflow", loadOrdinary,
       [](T& t) { t.insert("1e4000"); },
       [](T& t) {
         t.trigger(t.main(), "Undo1");
         QCOMPARE(t.main()->sample().count(), 20);
         t.insert("12.5");
         QCOMPARE(t.main()->sample().count(), 21);
       }},
      {"Delete value: the last but one", "Invalid floating point operation",
       [](T& t) { t.open(QString::fromStdString(t.dir->write("two.txt", "5\n6\n"))); },
       [](T& t) {
         auto* grid = t.main()->findChild<TStringGrid*>("sgSample");
         grid->setCurrentIndex(grid->model()->index(0, 1));
         t.trigger(t.main(), "Deletevalue1");
       },
       [](T& t) {
         t.open(t.hostile("ok2.txt"));
         QCOMPARE(t.main()->sample().count(), 20);
       }},
      {"Undo: back to data the analysis cannot take", "Class count error",
       [](T& t) {
         t.open(t.hostile("const.txt"));
         t.insert("100");
       },
       [](T& t) { t.trigger(t.main(), "Undo1"); },
       [](T& t) {
         t.trigger(t.main(), "Redo1");
         QCOMPARE(t.main()->sample().count(), 21);
       }},
      {"Redo: again to data the analysis cannot take", "Floating point overflow",
       [](T& t) {
         t.open(t.hostile("ok1.txt"));
         t.insert("1e4000");
         t.trigger(t.main(), "Undo1");
       },
       [](T& t) { t.trigger(t.main(), "Redo1"); },
       [](T& t) {
         t.trigger(t.main(), "Undo1");
         QCOMPARE(t.main()->sample().count(), 20);
       }},
      {"Export of the sample grid: a target that cannot be created", "Cannot create file",
       loadOrdinary, [](T& t) { t.exportSampleGridTo(t.underAFile()); },
       [](T& t) {
         t.exportSampleGridTo(t.target("grid.csv"));
         QVERIFY(TempDir::read(t.dir->file("grid.csv")).size() > 20);
       }},
      {"Export of the chart: a target that cannot be created", "Cannot create file", loadOrdinary,
       [](T& t) { t.exportChartTo(t.underAFile()); },
       [](T& t) {
         t.exportChartTo(t.target("chart.png"));
         QCOMPARE(QImage(t.target("chart.png")).size(), QSize(300, 200));
       }},
      {"Show classes table after a failed analysis", "Class count error",
       [](T& t) { t.open(t.hostile("ok1.txt")); },
       [](T& t) {
         t.open(t.hostile("const.txt"));
         QStringList shown;
         t.prompter->dialogScripts.push_back([&](QDialog* d) {
           shown = statorium::test::nonFiniteShown(d);
           return int(QDialog::Rejected);
         });
         t.trigger(t.main(), "ShowClassesTable");
         t.prompter->dialogScripts.clear();
         QVERIFY2(shown.isEmpty(), qPrintable(shown.join("; ")));
       },
       [](T& t) {
         t.open(t.hostile("ok2.txt"));
         t.prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
         t.trigger(t.main(), "ShowVariantsTable");
         QCOMPARE(t.prompter->dialogsShown.last(), QString("frmClassTable"));
       }},
      // ---- The transformation buttons.
      {"Ln of a sample from 0", "Invalid floating point operation",
       [](T& t) { t.open(QString::fromStdString(t.dir->write("zero.txt", "0\n1\n2\n4\n7\n9\n"))); },
       [](T& t) { t.click(t.main(), "btnGetLn"); },
       [](T& t) {
         t.open(t.hostile("ok2.txt"));
         t.click(t.main(), "btnGetLn");
         QCOMPARE(t.sample().back(), std::log(t.main()->fileData().data().back()));
       }},
      {"Exp of large values", "Floating point overflow",
       [](T& t) {
         t.open(QString::fromStdString(t.dir->write("big.txt", "1e5\n2e5\n3e5\n4e5\n5e5\n")));
       },
       [](T& t) { t.click(t.main(), "btnGetExp"); },
       [](T& t) {
         t.click(t.main(), "btnGetFirstValues");
         QCOMPARE(t.sample().front(), 1e5L);
       }},
      {"Standard of equal values", "Invalid floating point operation",
       [](T& t) { t.open(t.hostile("const.txt")); },
       [](T& t) { t.click(t.main(), "btnGetStandart"); },
       [](T& t) {
         t.open(t.hostile("ok1.txt"));
         t.click(t.main(), "btnGetStandart");
         QVERIFY(std::fabs(t.main()->sample().Average(nullptr)) < 1e-12L);
       }},
  };
  return table;
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"

// Hostile inputs in every window: files that are empty, of one value or of equal values, beyond
// the range of the arithmetic, binary junk, truncated or damaged statobject files, properties of
// different lengths, files that vanish once chosen, ten million lines; sizes and parameters the
// generators cannot use. Each gives the window's stated outcome or one error box, nothing on
// screen shows a not-a-number or an infinity, and the window's next ordinary action works.

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QtTest>
#include <filesystem>

#include "analysis2d/ntransform.h"
#include "analysis2d/twod.h"
#include "analysisnd/nd.h"
#include "app/mainwindow.h"
#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "checks/checkmanyvariants.h"
#include "checks/checkvariants.h"
#include "checks/ncheck.h"
#include "checks/paramscheck.h"
#include "dialogs/selectdialog.h"
#include "dialogs/seriescreation.h"
#include "dialogs/statobjcreation.h"
#include "tests/support/appfixture.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/windowtexts.h"

using statorium::test::HostileFiles;
using statorium::test::nonFiniteShown;
using statorium::test::TempDir;

namespace {

// The scripted prompter, and a file chooser whose files are gone by the time the window reads
// them, as when another program deletes a file just chosen.
class TVanishingPrompter : public TFakePrompter {
 public:
  QStringList vanishing;  // files deleted once chosen

  QString getOpenFileName(QWidget* parent, const TFileDialogOptions& options) override {
    const QString file = TFakePrompter::getOpenFileName(parent, options);
    vanish({file});
    return file;
  }
  QStringList getOpenFileNames(QWidget* parent, const TFileDialogOptions& options) override {
    const QStringList files = TFakePrompter::getOpenFileNames(parent, options);
    vanish(files);
    return files;
  }

 private:
  void vanish(const QStringList& chosen) {
    for (const QString& f : chosen)
      if (vanishing.removeAll(f) > 0) QFile::remove(f);
  }
};

const QString kNeedTwo = QStringLiteral("You need to have two series selected.");
const QString kNeedTwoAtLeast = QStringLiteral("You need to have two series selected at least.");

}  // namespace

class TestHostile : public QObject, public TAppFixture<TVanishingPrompter> {
  Q_OBJECT

 private:
  std::unique_ptr<HostileFiles> files;

  // The path of a hostile file; "vanishing" names a copy of an ordinary sample that the file
  // chooser deletes once chosen.
  QString input(const QString& name) {
    if (name == "vanishing") {
      const std::string copy = dir->file("vanishing.txt");
      std::filesystem::copy_file(files->path("ok1.txt"), copy);
      prompter->vanishing << QString::fromStdString(copy);
      return QString::fromStdString(copy);
    }
    return QString::fromStdString(files->path(name.toStdString()));
  }
  QString ordinary(const char* name) { return QString::fromStdString(files->path(name)); }

  // Exactly one error box containing `error`, or none when it is empty.
  void expectErrors(const QString& error) {
    if (error.isEmpty()) {
      QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    } else {
      QCOMPARE(prompter->errors.size(), 1);
      QVERIFY2(prompter->errors[0].contains(error), qPrintable(prompter->errors[0]));
    }
  }
  void expectNothingNonFinite(const QWidget* window) {
    const QStringList shown = nonFiniteShown(window);
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join("; ")));
    for (const QStringList* said : {&prompter->errors, &prompter->messages})
      for (const QString& text : *said)
        QVERIFY2(!statorium::test::showsNonFinite(text.toStdString()), qPrintable(text));
  }

  // Dialogs the windows show on the way (property selection, data transformation) are
  // accepted as they stand; those left over are dropped.
  void acceptDialogs(int count) {
    for (int i = 0; i < count; ++i)
      prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
  }

  void openInMain(const QString& path) {
    prompter->openFileAnswers.push_back(path);
    main()->findChild<QAction*>("Open1")->trigger();
  }

  QString memo(QWidget* window, const char* name) {
    return window->findChild<QPlainTextEdit*>(name)->toPlainText();
  }

  // Chooses `paths` in a check window and checks them in order.
  void chooseAndCheck(QWidget* window, const QStringList& paths) {
    auto* list = window->findChild<QListWidget*>("data");
    const int first = list->count();
    prompter->openFilesAnswers.push_back(paths);
    window->findChild<QPushButton*>("Select")->click();
    for (int i = first; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Checked);
  }

  // The values of the one file under `folder`: -1 without a file, -2 with several.
  static int valuesInOnlyFile(const QString& folder) {
    QStringList found;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
      found << it.next();
    if (found.size() != 1) return found.isEmpty() ? -1 : -2;
    statorium::TValues values;
    values.LoadFromTxtFile(found[0].toStdString());
    return values.count();
  }

 private slots:
  void initTestCase() { files = std::make_unique<HostileFiles>(); }

  void init() { startApplication(); }

  void cleanup() { endApplication(); }

  void cleanupTestCase() { files.reset(); }

  // ---- Main window ------------------------------------------------------------------------

  void mainWindowOpens_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");  // part of the one error box; empty: none
    QTest::addColumn<bool>("loads");     // the file's values become the working sample
    const auto row = [](const char* name, const char* file, const char* error, bool loads) {
      QTest::newRow(name) << QString(file) << QString(error) << loads;
    };
    // A file without values changes nothing.
    row("empty", "empty.txt", "", false);
    row("blank lines", "blank.txt", "", false);
    row("binary junk", "junk.bin", "", false);
    // The values are loaded and the analysis stops with its error.
    row("one value", "one.txt", "Invalid floating point operation", true);
    row("equal values", "const.txt", "Class count error", true);
    row("near 1e4000", "huge.txt", "Floating point overflow", true);
    row("near 1e-4000", "tiny.txt", "Class count error", true);
    row("beyond the chart's range", "beyond-double.txt", "", true);
    // The file cannot be read.
    row("missing", "missing.txt", "I/O error 103", false);
    row("vanished once chosen", "vanishing", "I/O error 103", false);
    row("a folder", "folder.sta", "Cannot open file", false);
    row("truncated statobject", "truncated.sta", "truncated or damaged", false);
    row("damaged statobject", "damaged.sta", "truncated or damaged", false);
    row("statobject with a NaN", "badvalue.sta", "truncated or damaged", false);
    row("empty statobject", "empty.sta", "truncated or damaged", false);
    // The selection dialog offers the properties; the first is taken.
    row("ragged statobject", "ragged.sta", "", true);
    row("ragged CSV", "ragged.csv", "", true);
  }

  void mainWindowOpens() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(bool, loads);
    openInMain(ordinary("ok2.txt"));
    const std::vector<long double> before = main()->sample().data();
    const QString caption = main()->windowTitle();
    const QString path = input(file);
    acceptDialogs(1);
    openInMain(path);
    prompter->dialogScripts.clear();
    expectErrors(error);
    if (loads) {
      QCOMPARE(main()->windowTitle(), "Statorium: " + path);
    } else {
      QCOMPARE(main()->windowTitle(), caption);
      QCOMPARE(main()->sample().data(), before);
    }
    expectNothingNonFinite(main());

    prompter->errors.clear();
    openInMain(ordinary("ok1.txt"));
    QCOMPARE(main()->sample().count(), 20);
    expectErrors("");
    QVERIFY(!main()
                 ->findChild<QTableWidget*>("sgQuantityCharacteristics")
                 ->item(0, 1)
                 ->text()
                 .isEmpty());
  }

  void mainWindowOpensTenMillionValues() {
    if (statorium::test::underSanitizer())
      QSKIP("ten million lines take minutes under the sanitizers");
    openInMain(QString::fromStdString(files->bigSample()));
    expectErrors("");
    QCOMPARE(main()->sample().count(), HostileFiles::kBigLines);
    expectNothingNonFinite(main());
    openInMain(ordinary("ok1.txt"));
    QCOMPARE(main()->sample().count(), 20);
  }

  // ---- Statobject composition -----------------------------------------------------------------

  void compositionTakesOnlyFilesWithValues_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");  // candidate rows the file adds
    for (const char* none : {"empty.txt", "blank.txt", "junk.bin", "missing.txt", "vanishing",
                             "folder.sta", "truncated.sta", "damaged.sta", "badvalue.sta"})
      QTest::newRow(none) << none << 0;
    for (const char* some : {"one.txt", "const.txt", "huge.txt", "tiny.txt", "beyond-double.txt",
                             "ragged.sta", "ragged.csv"})
      QTest::newRow(some) << some << 1;
  }

  void compositionTakesOnlyFilesWithValues() {
    QFETCH(QString, file);
    QFETCH(int, rows);
    int added = -1;
    QStringList shown;
    const QString path = input(file);
    prompter->dialogScripts.push_back([&](QDialog* d) {
      auto* props = d->findChild<TStringGrid*>("props");
      prompter->openFilesAnswers.push_back({path});
      acceptDialogs(1);  // the property of a statobject of several
      d->findChild<QPushButton*>("btChoose")->click();
      prompter->dialogScripts.clear();
      added = props->model()->rowCount() - 1;
      shown = nonFiniteShown(d);
      // The next file is taken and composed as ever.
      prompter->openFilesAnswers.push_back({ordinary("ok1.txt")});
      d->findChild<QPushButton*>("btChoose")->click();
      props->selectRow(props->model()->rowCount() - 2);
      d->findChild<QAction*>("Addtoobject")->trigger();
      d->findChild<QPushButton*>("btSave")->click();
      return d->result();
    });
    const std::string saved = dir->file("composed.sta");
    prompter->saveFileAnswers.push_back(QString::fromStdString(saved));
    main()->findChild<QAction*>("Createobject1")->trigger();
    QCOMPARE(added, rows);
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join("; ")));
    expectErrors("");
    statorium::TStatsObject obj;
    obj.readStaObject(saved);
    QCOMPARE(obj.propCount(), 1);
    QCOMPARE(obj.Prop(0).count(), 20);
  }

  // A chosen file deleted before "Ready" adds no property; with none left there is nothing to
  // save.
  void compositionSkipsAFileThatVanishedBeforeReady() {
    const std::string copy = dir->file("gone.txt");
    std::filesystem::copy_file(files->path("ok1.txt"), copy);
    prompter->dialogScripts.push_back([&](QDialog* d) {
      prompter->openFilesAnswers.push_back({QString::fromStdString(copy)});
      d->findChild<QPushButton*>("btChoose")->click();
      d->findChild<TStringGrid*>("props")->selectRow(0);
      d->findChild<QAction*>("Addtoobject")->trigger();
      std::filesystem::remove(copy);
      d->findChild<QPushButton*>("btSave")->click();
      return d->result();
    });
    main()->findChild<QAction*>("Createobject1")->trigger();
    QCOMPARE(prompter->messages, QStringList{"There is nothing to save!"});
    QVERIFY(prompter->fileDialogs.size() == 1);  // the choice of the file, no save dialog
    expectErrors("");
  }

  // ---- Series creation ------------------------------------------------------------------------

  void seriesCreation_data() {
    QTest::addColumn<int>("law");  // 0 exponential, 1 normal, 2 Weibull
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("first");  // the law's first parameter, empty: as it stands
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("values");  // values in the series file written; -1: none written
    const auto row = [](const char* name, int law, const char* size, const char* first,
                        const char* second, const char* error, int values) {
      QTest::newRow(name) << law << QString(size) << QString(first) << QString(second)
                          << QString(error) << values;
    };
    const char* divide = "Floating point division by zero";
    const char* invalid = "Invalid floating point operation";
    const char* overflow = "Floating point overflow";
    row("size 0", 0, "0", "", "", "", 0);
    row("negative size", 0, "-5", "", "", "", 0);
    row("size not a number", 0, "many", "", "", "", 1);
    row("one normal value", 1, "1", "", "", divide, 1);
    row("three Weibull values", 2, "3", "", "", divide, 3);
    row("lambda 0", 0, "50", "0", "", divide, -1);
    row("lambda near 1e4000", 0, "50", "1e4000", "", overflow, -1);
    row("sigma beyond the 64-bit reals", 1, "50", "1e400", "", overflow, -1);
    // Equal values are written as the series; their evaluation fails.
    row("sigma 0", 1, "50", "0", "", invalid, 50);
    row("sigma near 1e-4000", 1, "50", "1e-4000", "", invalid, 50);
    row("Weibull 0, 0", 2, "50", "0", "0", divide, -1);
    row("Weibull overflow", 2, "50", "1e308", "1e-308", overflow, -1);
    row("parameter not a number", 2, "50", "abc", "", divide, -1);
  }

  void seriesCreation() {
    QFETCH(int, law);
    QFETCH(QString, size);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, error);
    QFETCH(int, values);
    TfrmSeriesCreation* w = windows->frmSeriesCreation;
    const QString data = QString::fromStdString(dir->file("data"));
    w->setDataFolder(data);
    w->findChild<TRadioGroup*>("rgType")->clickItem(law);
    w->findChild<QLineEdit*>("eCount")->setText(size);
    const char* edits[3][2] = {{"eL", nullptr}, {"eS", "eM"}, {"eA", "eB"}};
    if (!first.isEmpty()) w->findChild<QLineEdit*>(edits[law][0])->setText(first);
    if (!second.isEmpty()) w->findChild<QLineEdit*>(edits[law][1])->setText(second);
    w->findChild<QPushButton*>("Button1")->click();
    expectErrors(error);
    QCOMPARE(valuesInOnlyFile(data), values);
    expectNothingNonFinite(w);

    prompter->errors.clear();
    w->findChild<TRadioGroup*>("rgType")->clickItem(0);
    w->findChild<QLineEdit*>("eCount")->setText("40");
    w->findChild<QLineEdit*>("eL")->setText("0.3");
    w->findChild<QPushButton*>("Button1")->click();
    expectErrors("");
    QCOMPARE(w->fileName(), data + "/40/EXP1");
    QCOMPARE(memo(w, "textResult").split('\n').size(), 2);
  }

  // ---- Similarity checks ----------------------------------------------------------------------

  void twoSeriesCheck_data() {
    QTest::addColumn<QString>("file");  // checked after an ordinary series
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("needTwo");  // the file is left out: two series are needed
    const auto row = [](const char* name, const char* file, const char* error, bool needTwo) {
      QTest::newRow(name) << QString(file) << QString(error) << needTwo;
    };
    row("empty", "empty.txt", "Invalid floating point operation", false);
    row("one value", "one.txt", "Invalid floating point operation", false);
    row("equal values", "const.txt", "Floating point division by zero", false);
    row("near 1e4000", "huge.txt", "Floating point overflow", false);
    row("near 1e-4000", "tiny.txt", "Floating point division by zero", false);
    row("beyond the chart's range", "beyond-double.txt", "", false);
    row("binary junk", "junk.bin", "Invalid floating point operation", false);
    row("missing", "missing.txt", "", true);
    row("vanished once chosen", "vanishing", "", true);
    row("truncated statobject", "truncated.sta", "", true);
    row("empty statobject", "empty.sta", "", true);
    row("a folder", "folder.sta", "", true);
  }

  void twoSeriesCheck() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(bool, needTwo);
    TfrmCheckVariants* w = windows->frmCheckVariants;
    chooseAndCheck(w, {ordinary("ok1.txt"), input(file)});
    expectErrors(error);
    if (needTwo) QCOMPARE(memo(w, "textResults"), kNeedTwo);
    expectNothingNonFinite(w);

    prompter->errors.clear();
    w->findChild<QListWidget*>("data")->item(1)->setCheckState(Qt::Unchecked);
    chooseAndCheck(w, {ordinary("ok2.txt")});
    expectErrors("");
    QVERIFY2(memo(w, "normalResults").contains("t = "), qPrintable(memo(w, "normalResults")));
  }

  void manySeriesCheck_data() {
    QTest::addColumn<QString>("file");  // checked after two ordinary series
    QTest::addColumn<QString>("error");
    const auto row = [](const char* name, const char* file, const char* error) {
      QTest::newRow(name) << QString(file) << QString(error);
    };
    row("empty", "empty.txt", "Invalid floating point operation");
    row("one value", "one.txt", "Invalid floating point operation");
    row("equal values", "const.txt", "Floating point division by zero");
    row("near 1e4000", "huge.txt", "Floating point overflow");
    row("near 1e-4000", "tiny.txt", "Floating point division by zero");
    row("beyond the chart's range", "beyond-double.txt", "");
    row("binary junk", "junk.bin", "Invalid floating point operation");
    row("missing", "missing.txt", "I/O error 103");
    row("vanished once chosen", "vanishing", "I/O error 103");
    row("truncated statobject", "truncated.sta", "truncated or damaged");
    row("statobject with a NaN", "badvalue.sta", "truncated or damaged");
    row("a folder", "folder.sta", "Cannot open file");
  }

  void manySeriesCheck() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    TfrmCheckManyVariants* w = windows->frmCheckManyVariants;
    chooseAndCheck(w, {ordinary("ok1.txt"), ordinary("ok2.txt")});
    QVERIFY(prompter->errors.isEmpty());
    chooseAndCheck(w, {input(file)});
    expectErrors(error);
    expectNothingNonFinite(w);

    prompter->errors.clear();
    w->findChild<QListWidget*>("data")->item(2)->setCheckState(Qt::Unchecked);
    expectErrors("");
    QVERIFY(!memo(w, "normalResults").isEmpty());
    QVERIFY(!memo(w, "textResults").isEmpty());
  }

  void multiDimensionalCheck_data() {
    QTest::addColumn<QString>("file");  // checked after an ordinary statobject
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("needTwo");  // the file is left out: two statobjects are needed
    const auto row = [](const char* name, const char* file, const char* error, bool needTwo) {
      QTest::newRow(name) << QString(file) << QString(error) << needTwo;
    };
    for (const char* left : {"truncated.sta", "damaged.sta", "badvalue.sta", "empty.sta",
                             "junk.sta", "missing.sta", "folder.sta", "ok1.txt"})
      row(left, left, "", true);
    row("vanished once chosen", "vanishing", "", true);
    row("ragged", "ragged.sta", "different numbers of values", false);
    row("a property of equal values", "constprop.sta", "all equal", false);
    row("near 1e-4000", "tiny.sta", "all equal", false);
    row("one property", "oneprop.sta", "different numbers of properties", false);
    row("beyond the 64-bit reals", "beyond-double.sta", "Floating point division by zero", false);
    row("two equal properties", "dup.sta", "Floating point", false);
    row("two observations", "twoobs.sta", "covariance matrix is singular", false);
  }

  void multiDimensionalCheck() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(bool, needTwo);
    TfrmNCheck* w = windows->frmNCheck;
    chooseAndCheck(w, {ordinary("good.sta"), input(file)});
    expectErrors(error);
    if (needTwo) QCOMPARE(memo(w, "textResults"), kNeedTwoAtLeast);
    expectNothingNonFinite(w);

    prompter->errors.clear();
    w->findChild<QListWidget*>("data")->item(1)->setCheckState(Qt::Unchecked);
    chooseAndCheck(w, {ordinary("good2.sta")});
    expectErrors("");
    QVERIFY2(memo(w, "normalResults").contains("Accepted") ||
                 memo(w, "normalResults").contains("Rejected"),
             qPrintable(memo(w, "normalResults")));
  }

  // ---- Average-parameters experiment and pair match --------------------------------------------

  void experiment_data() {
    QTest::addColumn<int>("law");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("checks");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("error");
    const auto row = [](const char* name, int law, const char* size, const char* checks,
                        const char* first, const char* second, const char* error) {
      QTest::newRow(name) << law << QString(size) << QString(checks) << QString(first)
                          << QString(second) << QString(error);
    };
    const char* invalid = "Invalid floating point operation";
    row("size 0", 0, "0", "3", "", "", "List index out of bounds");
    row("size 1", 0, "1", "3", "", "", "");
    row("three Weibull values", 2, "3", "2", "", "", invalid);
    row("no checks", 2, "100", "0", "", "", invalid);
    // One check has no spread for the averages.
    row("checks not a number", 1, "20", "many", "", "", invalid);
    row("sigma 0", 1, "100", "1", "0", "", invalid);
    row("lambda near 1e4000", 0, "20", "2", "1e4000", "", "Floating point overflow");
    row("Weibull overflow", 2, "50", "2", "1e308", "1e-308", "Floating point overflow");
  }

  void experiment() {
    QFETCH(int, law);
    QFETCH(QString, size);
    QFETCH(QString, checks);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, error);
    TfrmParamsCheck* w = windows->frmParamsCheck;
    w->setRandomSeed(7);
    QStringList pairShown;
    const auto pairMatch = [&](QDialog* d) {
      pairShown << nonFiniteShown(d);
      return int(QDialog::Accepted);
    };
    prompter->dialogScripts.push_back(pairMatch);
    w->findChild<TRadioGroup*>("rgType")->clickItem(law);
    w->findChild<QLineEdit*>("eCount")->setText(size);
    w->findChild<QLineEdit*>("eCheckCount")->setText(checks);
    const char* edits[3][2] = {{"eL", nullptr}, {"eS", "eM"}, {"eA", "eB"}};
    if (!first.isEmpty()) w->findChild<QLineEdit*>(edits[law][0])->setText(first);
    if (!second.isEmpty()) w->findChild<QLineEdit*>(edits[law][1])->setText(second);
    w->findChild<QPushButton*>("Button1")->click();
    prompter->dialogScripts.clear();
    expectErrors(error);
    QVERIFY2(pairShown.isEmpty(), qPrintable(pairShown.join("; ")));
    expectNothingNonFinite(w);

    prompter->errors.clear();
    prompter->dialogScripts.push_back(pairMatch);
    w->findChild<TRadioGroup*>("rgType")->clickItem(1);
    w->findChild<QLineEdit*>("eCount")->setText("50");
    w->findChild<QLineEdit*>("eCheckCount")->setText("4");
    w->findChild<QLineEdit*>("eS")->setText("2");
    w->findChild<QLineEdit*>("eM")->setText("10");
    w->findChild<QPushButton*>("Button1")->click();
    expectErrors("");
    QCOMPARE(prompter->dialogsShown.last(), QString("frmPairMatch"));
    QVERIFY(!w->findChild<QLabel*>("result2")->text().isEmpty());
  }

  // ---- Two-dimensional window -----------------------------------------------------------------

  void twoDimensional_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("analysed");  // a report is shown
    const auto row = [](const char* name, const char* file, const char* error, bool analysed) {
      QTest::newRow(name) << QString(file) << QString(error) << analysed;
    };
    for (const char* unreadable :
         {"truncated.sta", "damaged.sta", "badvalue.sta", "empty.sta", "junk.sta"})
      row(unreadable, unreadable, "truncated or damaged", false);
    row("missing", "missing.sta", "Cannot open file", false);
    row("vanished once chosen", "vanishing", "I/O error 103", false);
    row("a folder", "folder.sta", "Cannot open file", false);
    // One property: nothing to pair, the window stays as it was.
    row("one property", "oneprop.sta", "", false);
    row("text sample", "ok1.txt", "", false);
    // Properties of different lengths: the pairs there are.
    row("ragged", "ragged.sta", "", true);
    row("ragged CSV", "ragged.csv", "", true);
    row("a property of equal values", "constprop.sta", "Invalid floating point operation", false);
    row("near 1e4000", "huge.sta", "Floating point overflow", false);
    row("near 1e-4000", "tiny.sta", "Invalid floating point operation", false);
    // The chart draws in 64-bit reals: coordinates beyond them are an overflow.
    row("beyond the chart's range", "beyond-double.sta", "Floating point overflow", false);
    row("two observations", "twoobs.sta", "at least 4 pairs", false);
    row("two equal properties", "dup.sta", "", true);
    row("binary junk as CSV", "junk.bin", "Invalid floating point operation", false);
  }

  void twoDimensional() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(bool, analysed);
    Tfrm2D* w = windows->frm2D;
    auto* report = w->findChild<QTextEdit*>("myout");
    const QString path = input(file);
    prompter->openFileAnswers.push_back(path);
    acceptDialogs(2);  // property selection, data transformation
    w->findChild<QAction*>("Open1")->trigger();
    prompter->dialogScripts.clear();
    expectErrors(error);
    QCOMPARE(!report->toPlainText().isEmpty(), analysed);
    expectNothingNonFinite(w);

    prompter->errors.clear();
    prompter->openFileAnswers.push_back(ordinary("good2.sta"));
    acceptDialogs(2);
    w->findChild<QAction*>("Open1")->trigger();
    prompter->dialogScripts.clear();
    expectErrors("");
    QVERIFY(report->toPlainText().contains("BASIC:"));
    QCOMPARE(w->windowTitle(), "Two-dimensional analysis: " + ordinary("good2.sta"));
  }

  // ---- Multi-dimensional window and regression ------------------------------------------------

  void multiDimensional_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");     // of "Open"
    QTest::addColumn<QString>("evaluate");  // of "Evaluate" afterwards
    const auto row = [](const char* name, const char* file, const char* error,
                        const char* evaluate) {
      QTest::newRow(name) << QString(file) << QString(error) << QString(evaluate);
    };
    for (const char* unreadable :
         {"truncated.sta", "damaged.sta", "badvalue.sta", "empty.sta", "junk.sta"})
      row(unreadable, unreadable, "truncated or damaged", "");
    row("missing", "missing.sta", "Cannot open file", "");
    row("vanished once chosen", "vanishing", "I/O error 103", "");
    const char* ragged = "different numbers of values";
    row("ragged", "ragged.sta", ragged, ragged);
    row("a property of equal values", "constprop.sta", "all equal", "all equal");
    row("near 1e4000", "huge.sta", "Floating point overflow", "Floating point overflow");
    row("beyond the chart's range", "beyond-double.sta", "", "");
    row("near 1e-4000", "tiny.sta", "all equal", "all equal");
    row("one property", "oneprop.sta", "", "fewer than two properties");
    row("two observations", "twoobs.sta", "at least 3 observations", "Too few observations");
    row("two equal properties", "dup.sta", "", "positive definite");
    row("ragged CSV", "ragged.csv", "", "Too few observations");
  }

  void multiDimensional() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    QFETCH(QString, evaluate);
    TfrmND* w = windows->frmND;
    // A copy of its own, since the main components file is written beside it.
    QString path = input(file);
    if (file != "vanishing" && QFileInfo(path).isFile()) {
      const std::string copy = dir->file(file.toStdString());
      std::filesystem::copy_file(path.toStdString(), copy);
      path = QString::fromStdString(copy);
    }
    prompter->openFileAnswers.push_back(path);
    acceptDialogs(1);  // data transformation
    w->findChild<QAction*>("Open1")->trigger();
    prompter->dialogScripts.clear();
    expectErrors(error);
    expectNothingNonFinite(w);
    prompter->errors.clear();
    prompter->messages.clear();
    w->findChild<QPushButton*>("bEval")->click();
    if (w->object())
      expectErrors(evaluate);
    else
      QCOMPARE(prompter->captions, QStringList{"There is no object"});
    expectNothingNonFinite(w);

    // The next statobject is analysed and its regression shown.
    prompter->errors.clear();
    const std::string good = dir->file("usable.sta");
    std::filesystem::copy_file(files->path("good.sta"), good);
    prompter->openFileAnswers.push_back(QString::fromStdString(good));
    acceptDialogs(1);
    w->findChild<QAction*>("Open1")->trigger();
    expectErrors("");
    QVERIFY(QFileInfo::exists(QString::fromStdString(dir->file("usablei.sta"))));
    w->findChild<QPushButton*>("bEval")->click();
    QStringList regressionShown;
    prompter->dialogScripts.push_back([&](QDialog* d) {
      regressionShown << nonFiniteShown(d);
      return int(QDialog::Accepted);
    });
    auto* multiple = w->findChild<TStringGrid*>("gMR");
    emit multiple->clicked(multiple->model()->index(1, 1));
    expectErrors("");
    QCOMPARE(prompter->dialogsShown.last(), QString("frmRegression"));
    QVERIFY2(regressionShown.isEmpty(), qPrintable(regressionShown.join("; ")));
    // A multiple correlation that is not important has no regression to show.
    emit multiple->clicked(multiple->model()->index(1, 2));
    QCOMPARE(prompter->messages.last(), QString("This correlation is not important."));
    expectErrors("");
  }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"

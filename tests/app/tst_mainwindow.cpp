// The main window driven offscreen through the scripted prompter: opening each kind of file,
// the sample grid, editing, saving, errors escaping a handler, and the progress of a long
// opening with its cancel.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "app/mainwindow.h"
#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "core/numtext.h"
#include "core/statsobject.h"
#include "core/values.h"
#include "dialogs/selectdialog.h"
#include "tests/support/appfixture.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::test::TempDir;

class TestMainWindow : public QObject, public TAppFixture<> {
  Q_OBJECT

 private:
  TStringGrid* grid() { return main()->findChild<TStringGrid*>("sgSample"); }
  QAction* action(const char* name) { return main()->findChild<QAction*>(name); }

  // Opens a file through the menu as a user does.
  void open(const std::string& path) {
    prompter->openFileAnswers.push_back(QString::fromStdString(path));
    action("Open1")->trigger();
  }

  QStringList gridRow(int row) {
    QStringList cells;
    for (int c = 0; c < grid()->model()->columnCount(); ++c) cells << grid()->cellText(row, c);
    return cells;
  }

  std::vector<long double> sampleValues() { return main()->sample().data(); }

  std::string twoPropertyObject() {
    statorium::TStatsObject obj;
    obj.name = "pair";
    obj.addValues(statorium::TValues({3, 1, 2}));
    obj.addValues(statorium::TValues({30, 10, 20, 40}));
    const std::string path = dir->file("pair.sta");
    obj.writeObject(path);
    return path;
  }

  // Selects cell (row, column) of the sample grid.
  void selectCell(int row, int column) {
    grid()->setCurrentIndex(grid()->model()->index(row, column));
  }

 private slots:
  void init() { startApplication(); }

  void cleanup() { endApplication(); }

  void startsWithEveryWindowInOrder() {
    const QStringList names = {"frmClassTable",
                               "frmSelect",
                               "frmCreateStatObj",
                               "frmCheckVariants",
                               "frmCheckManyVariants",
                               "frmSeriesCreation",
                               "frmParamsCheck",
                               "frmPairMatch",
                               "frmND",
                               "frm2D",
                               "frmNTransform",
                               "frmNCheck",
                               "frmRegression",
                               "frmAboutBox",
                               "frmSettings"};
    const QStringList captions = {"Class data",
                                  "Select characteristics",
                                  "Statobject creation...",
                                  "Similarity check",
                                  "Similarity check",
                                  "Series creation...",
                                  "Parameters check...",
                                  "Pair match",
                                  "Multi-dimensional analysis",
                                  "Two-dimensional analysis",
                                  "Data transformation",
                                  "Similarity check",
                                  "Regression...",
                                  "About",
                                  "Settings"};
    // The windows after the main one, in the order they were created.
    QStringList createdNames, createdCaptions;
    for (QObject* o : main()->children()) {
      if (auto* w = qobject_cast<QDialog*>(o)) {
        createdNames << w->objectName();
        createdCaptions << w->windowTitle();
      }
    }
    QCOMPARE(createdNames, names);
    QCOMPARE(createdCaptions, captions);

    QCOMPARE(main()->windowTitle(), QString("Statorium"));
    QCOMPARE(main()->findChild<QTabWidget*>("pages")->currentIndex(), 0);
    QCOMPARE(main()->findChild<QTabWidget*>("pcDataDisplay")->currentIndex(), 0);
    QCOMPARE(main()->findChild<TRadioGroup*>("rgLaw")->itemIndex(), 4);
    QCOMPARE(main()->findChild<QLineEdit*>("gamma1")->text(), QString("0.05"));
    QVERIFY(!main()->findChild<QLineEdit*>("gamma1")->isEnabled());
    QVERIFY(main()->findChild<QRadioButton*>("rbDontDrop")->isChecked());
    QCOMPARE(grid()->model()->rowCount(), 1);
    QCOMPARE(grid()->model()->columnCount(), 1);
    QCOMPARE(main()->samplePopupMenu(), nullptr);
  }

  void edgesUseTheLocaleSeparator() {
    statorium::DecimalSeparatorScope comma(',');
    TApplicationWindows other(*prompter);
    QCOMPARE(other.frmMain->findChild<QLineEdit*>("gamma2")->text(), QString("0,05"));
  }

  void opensATextFile() {
    open(dir->write("s.txt", "3\n1.5\n2\n"));
    QCOMPARE(main()->windowTitle(), QString::fromStdString("Statorium: " + dir->file("s.txt")));
    QCOMPARE(main()->fileData().data(), (std::vector<long double>{1.5, 2, 3}));
    QCOMPARE(sampleValues(), (std::vector<long double>{1.5, 2, 3}));
    QCOMPARE(grid()->cellText(0, 0), QString("1.5"));
    QCOMPARE(grid()->cellText(0, 2), QString("3"));
    QCOMPARE(main()->variants().count(), 3);
    QVERIFY(main()->samplePopupMenu() != nullptr);
    const TFileDialogOptions& o = prompter->fileDialogs.last();
    QCOMPARE(o.directory, QString("."));
    QVERIFY(o.filter.startsWith("Data files (*.txt);;CSV files (*.csv);;STA files (*.sta)"));
  }

  void opensACsvFileSkippingItsHeader() {
    open(dir->write("s.csv", "length\n5\n4\n"));
    QCOMPARE(sampleValues(), (std::vector<long double>{4, 5}));
  }

  void opensAStatobjectAsksForTheProperty_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<std::vector<long double>>("expected");
    QTest::newRow("second chosen") << 1 << true << std::vector<long double>{10, 20, 30, 40};
    QTest::newRow("first chosen") << 0 << true << std::vector<long double>{1, 2, 3};
    QTest::newRow("cancel after choosing the second")
        << 1 << false << std::vector<long double>{1, 2, 3};
  }

  void opensAStatobjectAsksForTheProperty() {
    QFETCH(int, choice);
    QFETCH(bool, accept);
    QFETCH(std::vector<long double>, expected);
    bool secondEnabled = true;
    prompter->dialogScripts.push_back([&](QDialog* d) {
      auto* select = qobject_cast<TfrmSelect*>(d);
      secondEnabled = select->findChild<QWidget*>("rgSecond")->isEnabled();
      select->setFirstIndex(choice);
      return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    open(twoPropertyObject());
    QCOMPARE(prompter->dialogsShown, QStringList{"frmSelect"});
    QVERIFY(!secondEnabled);
    QCOMPARE(sampleValues(), expected);
  }

  void aFileWithoutValuesChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blank lines only") << QByteArray("  \n\t\n\r\n   ");
    QTest::newRow("a word first") << QByteArray("abc\n1\n");
    QTest::newRow("decimal comma") << QByteArray("1,5\n2,5\n");
    QTest::newRow("binary junk") << QByteArray(
        "\x7f"
        "ELF\x02\x01\x01\x00\x00\xff\xfe\x13",
        12);
  }

  void aFileWithoutValuesChangesNothing() {
    QFETCH(QByteArray, content);
    open(dir->write("s.txt", "1\n2\n4\n7\n11\n16\n22\n"));
    const QString caption = main()->windowTitle();
    open(dir->write("bad.dat", content.toStdString()));
    QCOMPARE(main()->windowTitle(), caption);
    QCOMPARE(sampleValues(), (std::vector<long double>{1, 2, 4, 7, 11, 16, 22}));
    QVERIFY(prompter->errors.isEmpty());
  }

  void unreadableFileShowsOneErrorAndTheWindowStaysUsable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing text file") << "missing.txt"
                                       << "I/O error 103";
    QTest::newRow("folder") << "folder"
                            << "I/O error 103";
    QTest::newRow("truncated statobject") << "cut.sta"
                                          << "truncated or damaged";
  }

  void unreadableFileShowsOneErrorAndTheWindowStaysUsable() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    std::filesystem::create_directory(dir->file("folder"));
    dir->write("cut.sta", std::string("\x00\x00\x00\x00\x01\x00\x00\x00\x05\x00\x00\x00", 12));
    open(dir->write("s.txt", "7\n8\n10\n13\n17\n22\n28\n"));
    open(dir->file(name.toStdString()));
    QCOMPARE(prompter->errors.size(), 1);
    QVERIFY2(prompter->errors[0].contains(message), qPrintable(prompter->errors[0]));
    QCOMPARE(sampleValues(), (std::vector<long double>{7, 8, 10, 13, 17, 22, 28}));
    open(dir->write("t.txt", "9\n10\n12\n15\n19\n24\n30\n"));
    QCOMPARE(sampleValues(), (std::vector<long double>{9, 10, 12, 15, 19, 24, 30}));
    QCOMPARE(prompter->errors.size(), 1);
  }

  void cancelledOpenDoesNothing() {
    prompter->openFileAnswers.push_back(QString());
    action("Open1")->trigger();
    QCOMPARE(main()->windowTitle(), QString("Statorium"));
  }

  void gridFillsRowsAtItsWidth() {
    open(dir->write("one.txt", "1\n"));
    const int cols = grid()->model()->columnCount();
    QVERIFY(cols > 1);
    std::string full, more;
    for (int i = 0; i < cols; ++i) full += std::to_string(i) + "\n";
    more = full + std::to_string(cols) + "\n";
    open(dir->write("full.txt", full));
    QCOMPARE(grid()->model()->rowCount(), 1);
    open(dir->write("more.txt", more));
    QCOMPARE(grid()->model()->rowCount(), 2);
    QCOMPARE(grid()->cellText(1, 0), QString::number(cols));
    for (int c = 1; c < cols; ++c) QCOMPARE(grid()->cellText(1, c), QString());
  }

  void insertsValues_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::vector<long double>>("expected");
    QTest::newRow("smaller than all") << "-1.5" << std::vector<long double>{-1.5, 1, 2};
    QTest::newRow("not a number") << "abc" << std::vector<long double>{1, 2};
    QTest::newRow("decimal comma under a point locale") << "1,5" << std::vector<long double>{1, 2};
    QTest::newRow("the initial text") << "0.0" << std::vector<long double>{0, 1, 2};
  }

  void insertsValues() {
    QFETCH(QString, text);
    QFETCH(std::vector<long double>, expected);
    open(dir->write("s.txt", "2\n1\n"));
    prompter->inputAnswers.push_back(text);
    action("Insertvalue1")->trigger();
    QCOMPARE(prompter->inputPrompts.last(), QString("Add a value|Please, enter new value|0.0"));
    QCOMPARE(sampleValues(), expected);
    QCOMPARE(grid()->cellText(0, 0), QString::fromStdString(statorium::formatGeneral(expected[0])));
    QCOMPARE(main()->fileData().data(), (std::vector<long double>{1, 2}));
  }

  void insertUnderACommaLocale() {
    statorium::DecimalSeparatorScope comma(',');
    open(dir->write("s.txt", "2\n1\n"));
    prompter->inputAnswers.push_back(QString("0,25"));
    action("Insertvalue1")->trigger();
    QCOMPARE(prompter->inputPrompts.last(), QString("Add a value|Please, enter new value|0,0"));
    QCOMPARE(sampleValues(), (std::vector<long double>{0.25, 1, 2}));
    QCOMPARE(grid()->cellText(0, 0), QString("0,25"));
  }

  void cancelledInsertDoesNothing() {
    open(dir->write("s.txt", "1\n"));
    prompter->inputAnswers.push_back(std::nullopt);
    action("Insertvalue1")->trigger();
    QCOMPARE(sampleValues(), (std::vector<long double>{1}));
  }

  void deletesTheSelectedValue() {
    open(dir->write("s.txt", "1\n2\n3\n"));
    selectCell(0, 1);
    action("Deletevalue1")->trigger();
    QCOMPARE(sampleValues(), (std::vector<long double>{1, 3}));
    QCOMPARE(gridRow(0).mid(0, 3), (QStringList{"1", "3", ""}));
    selectCell(0, 2);  // past the last value: nothing to delete
    action("Deletevalue1")->trigger();
    QCOMPARE(sampleValues(), (std::vector<long double>{1, 3}));
    QCOMPARE(main()->fileData().data(), (std::vector<long double>{1, 2, 3}));
  }

  void deletingTheOnlyValueLeavesAnEmptyRow() {
    open(dir->write("s.txt", "5\n"));
    selectCell(0, 0);
    action("Deletevalue1")->trigger();
    QVERIFY(main()->sample().empty());
    QCOMPARE(grid()->model()->rowCount(), 1);
    QCOMPARE(grid()->cellText(0, 0), QString());
  }

  void rightClickSelectsTheCellUnderThePointerInAScrolledGrid() {
    std::string many;
    for (int i = 0; i < 2000; ++i) many += std::to_string(i) + "\n";
    open(dir->write("many.txt", many));
    main()->findChild<QTabWidget*>("pages")->setCurrentIndex(1);
    QApplication::processEvents();
    grid()->verticalScrollBar()->setValue(30);
    QApplication::processEvents();
    const int cols = grid()->model()->columnCount();
    const QRect cell = grid()->visualRect(grid()->model()->index(35, 2));
    QVERIFY(cell.isValid());
    QTest::mousePress(grid()->viewport(), Qt::RightButton, {}, cell.center());
    QCOMPARE(grid()->currentIndex().row(), 35);
    QCOMPARE(grid()->currentIndex().column(), 2);
    QCOMPARE(grid()->toolTip(), QString::number(35 * cols + 2));
    action("Deletevalue1")->trigger();
    QCOMPARE(main()->sample().count(), 1999);
    QCOMPARE(main()->sample().getAt(35 * cols + 2), (long double)(35 * cols + 3));
  }

  void savesTheWorkingSample() {
    open(dir->write("s.txt", "2\n1.5\n"));
    prompter->saveFileAnswers.push_back(QString::fromStdString(dir->file("out.txt")));
    action("Save1")->trigger();
    const TFileDialogOptions& o = prompter->fileDialogs.last();
    QCOMPARE(o.defaultSuffix, QString("txt"));
    QCOMPARE(o.fileName, QString("Sample"));
    QCOMPARE(o.filter, QString("Text file (*.txt)"));
    QCOMPARE(TempDir::read(dir->file("out.txt")),
             std::string("  1.50000000000000E+0000\r\n  2.00000000000000E+0000\r\n"));
    QCOMPARE(main()->windowTitle(), QString::fromStdString("Statorium: " + dir->file("s.txt")));
  }

  void saveWithAnEmptySampleAsksNothing() {
    action("Save1")->trigger();
    QVERIFY(prompter->fileDialogs.isEmpty());
  }

  void failedSaveShowsAnErrorAndKeepsTheOldFile() {
    open(dir->write("s.txt", "1\n2\n4\n7\n11\n16\n22\n"));
    const std::string existing = dir->write("keep.txt", "old content");
    // A file of that name stands where the folder should be: creating fails even for root.
    prompter->saveFileAnswers.push_back(QString::fromStdString(existing + "/new.txt"));
    action("Save1")->trigger();
    QCOMPARE(prompter->errors.size(), 1);
    QVERIFY2(prompter->errors[0].startsWith("Cannot create file"), qPrintable(prompter->errors[0]));
    QCOMPARE(TempDir::read(existing), std::string("old content"));
    // The window is still usable: the next save works.
    prompter->saveFileAnswers.push_back(QString::fromStdString(existing));
    action("Save1")->trigger();
    QVERIFY(TempDir::read(existing).starts_with("  1.00000000000000E+0000\r\n  2.0"));
  }

  void aCancelledSaveKeepsTheOldFile() {
    std::string values;
    for (int i = 0; i < 200000; ++i) values += std::to_string(i % 977) + "\n";
    open(dir->write("big.txt", values));
    const std::string existing = dir->write("keep.txt", "old content");
    prompter->progressShown.clear();
    prompter->cancelProgressAt = 50;  // part way through the writing
    prompter->saveFileAnswers.push_back(QString::fromStdString(existing));
    action("Save1")->trigger();
    QCOMPARE(prompter->progressShown, QStringList{"Saving keep.txt...|100"});
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QCOMPARE(TempDir::read(existing), std::string("old content"));
    QCOMPARE(
        QDir(QString::fromStdString(dir->file(""))).entryList(QDir::Files | QDir::Hidden).size(),
        2);
    prompter->cancelProgressAt.reset();
    prompter->saveFileAnswers.push_back(QString::fromStdString(existing));
    action("Save1")->trigger();
    QVERIFY(TempDir::read(existing).starts_with("  0.00000000000000E+0000\r\n"));
  }

  void loadingAgainResetsEditsAndTheAbnormalMode() {
    open(dir->write("a.txt", "1\n2\n"));
    prompter->inputAnswers.push_back(QString("5"));
    action("Insertvalue1")->trigger();
    main()->findChild<QRadioButton*>("rbGammaDrop")->setChecked(true);
    open(dir->write("b.txt", "4\n3\n"));
    QCOMPARE(sampleValues(), (std::vector<long double>{3, 4}));
    QVERIFY(main()->findChild<QRadioButton*>("rbDontDrop")->isChecked());
    QVERIFY(!main()->findChild<QLineEdit*>("LeftValue")->isEnabled());
  }

  void menuItemsShowTheirWindows_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("two series") << "Similarity1"
                                << "frmCheckVariants";
    QTest::newRow("many series") << "Many1"
                                 << "frmCheckManyVariants";
    QTest::newRow("experiment") << "Avgparameterscheck1"
                                << "frmParamsCheck";
    QTest::newRow("two-dimensional") << "wodimensional1"
                                     << "frm2D";
    QTest::newRow("multi-dimensional") << "Multidimensionalanalysis1"
                                       << "frmND";
    QTest::newRow("about") << "About1"
                           << "frmAboutBox";
  }

  void menuItemsShowTheirWindows() {
    QFETCH(QString, item);
    QFETCH(QString, window);
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
    main()->findChild<QAction*>(item)->trigger();
    QCOMPARE(prompter->dialogsShown, QStringList{window});
  }

  void closeEndsTheMainWindow() {
    action("close1")->trigger();
    QVERIFY(!main()->isVisible());
  }

  // ---- Progress of a long opening ----

  // What the window shows of its sample and analysis.
  QStringList shownState(TfrmMain* window = nullptr) {
    if (!window) window = main();
    auto* sampleGrid = window->findChild<TStringGrid*>("sgSample");
    QStringList state{window->windowTitle()};
    for (int r = 0; r < sampleGrid->model()->rowCount(); ++r)
      for (int c = 0; c < sampleGrid->model()->columnCount(); ++c)
        state << sampleGrid->cellText(r, c);
    for (const char* name : {"DistributionLawParams", "lCriterias1", "lCriterias2"})
      state << window->findChild<QLabel*>(name)->text();
    auto* characteristics = window->findChild<QTableWidget*>("sgQuantityCharacteristics");
    for (int r = 0; r < characteristics->rowCount(); ++r)
      for (int c = 0; c < characteristics->columnCount(); ++c)
        state << (characteristics->item(r, c) ? characteristics->item(r, c)->text() : QString());
    state << QString::number(window->history().canUndo())
          << QString::number(window->classes().count());
    // Every change of a chart series counts in its revision.
    const statorium::TChart& chart = window->findChild<TChartView*>("chSampleChat")->chart();
    for (int i = 0; i < chart.seriesCount(); ++i)
      state << QStringLiteral("%1 items, revision %2")
                   .arg(chart.series(i).count())
                   .arg(chart.series(i).itemsRevision());
    return state;
  }

  // A sample file whose reading reports several times (60000 lines of 26 bytes), unsorted.
  std::string largeSample(const char* name) {
    std::vector<long double> values;
    for (int i = 0; i < 60000; ++i) values.push_back((i * 7919) % 10007 + 0.25L);
    const std::string path = dir->file(name);
    statorium::TValues(values).SaveToFile(path);
    return path;
  }

  void aCancelWhileOpeningKeepsTheWindowAsItWas_data() {
    QTest::addColumn<int>("cancelAt");
    QTest::addColumn<int>("reports");
    // The reading takes the display to 40 steps of 100, the sort to 50; the analysis follows.
    QTest::newRow("while reading") << 0 << 1;
    QTest::newRow("while analysing") << 60 << 9;
  }

  void aCancelWhileOpeningKeepsTheWindowAsItWas() {
    QFETCH(int, cancelAt);
    QFETCH(int, reports);
    open(dir->write("s.txt", "3\n1\n2\n4\n6\n5\n8\n7\n10\n9\n"));
    prompter->inputAnswers.push_back(QString("5.5"));
    action("Insertvalue1")->trigger();  // a step to undo, which a new file would clear
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    const QStringList before = shownState();
    const std::vector<long double> sample = sampleValues(), data = main()->fileData().data();
    prompter->progressValues.clear();
    prompter->cancelProgressAt = cancelAt;
    open(largeSample("large.txt"));
    QCOMPARE(prompter->progressShown.last(), QString("Opening large.txt...|100"));
    QCOMPARE(prompter->progressValues.size(), reports);
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QCOMPARE(shownState(), before);
    QCOMPARE(sampleValues(), sample);
    QCOMPARE(main()->fileData().data(), data);
    QVERIFY(action("Undo1")->isEnabled());
  }

  void anOpeningWatchedToTheEndLoadsWhatTheCoreReads() {
    const std::string path = largeSample("large.txt");
    open(path);
    QVERIFY(prompter->errors.isEmpty());
    QVERIFY(prompter->progressValues.size() >= 5);
    QVERIFY(std::is_sorted(prompter->progressValues.begin(), prompter->progressValues.end()));
    QCOMPARE(prompter->progressValues.last(), 100);
    statorium::TValues expected;
    expected.LoadFromTxtFile(path);
    expected.QuickSort();
    QCOMPARE(main()->fileData().data(), expected.data());
    QCOMPARE(sampleValues(), expected.data());
    QCOMPARE(main()->windowTitle(), QString::fromStdString("Statorium: " + path));
  }

  // ---- Progress of the actions that rerun the analysis ----

 private:
  // An action of the window, as the user starts it, and what must be done before it.
  struct Action {
    std::function<void(TfrmMain*, TFakePrompter&)> prepare;
    std::function<void(TfrmMain*, TFakePrompter&)> run;
  };

  static void click(TfrmMain* window, const char* button) {
    window->findChild<QAbstractButton*>(button)->click();
  }
  static void trigger(TfrmMain* window, const char* name) {
    window->findChild<QAction*>(name)->trigger();
  }

  static const std::map<QString, Action>& actions() {
    auto power = [](TfrmMain* window, TFakePrompter& p) {
      p.inputAnswers.push_back(QString("3"));  // keeps the order, so the refresh can work
      click(window, "btnGetPower");
    };
    auto insert = [](TfrmMain* window, TFakePrompter& p) {
      p.inputAnswers.push_back(QString("7.25"));
      trigger(window, "Insertvalue1");
    };
    auto deleteSecond = [](TfrmMain* window, TFakePrompter&) {
      auto* sampleGrid = window->findChild<TStringGrid*>("sgSample");
      sampleGrid->setCurrentIndex(sampleGrid->model()->index(0, 1));
      trigger(window, "Deletevalue1");
    };
    auto button = [](const char* name) {
      return [name](TfrmMain* window, TFakePrompter&) { click(window, name); };
    };
    auto typeClassCount = [](TfrmMain* window, TFakePrompter&) {
      auto* edit = window->findChild<QLineEdit*>("classCount");
      edit->setText("5");
      emit edit->editingFinished();
    };
    auto typeGamma = [](TfrmMain* window, TFakePrompter&) {
      auto* edit = window->findChild<QLineEdit*>("gamma1");
      edit->setText("0.2");
      emit edit->editingFinished();
    };
    auto chooseUniform = [](TfrmMain* window, TFakePrompter&) {
      window->findChild<TRadioGroup*>("rgLaw")->clickItem(2);
    };
    static const std::map<QString, Action> table = {
        {"Power", {nullptr, power}},
        {"Ln", {nullptr, button("btnGetLn")}},
        {"Exp", {nullptr, button("btnGetExp")}},
        {"Standard", {nullptr, button("btnGetStandart")}},
        {"Move", {nullptr, button("btnGetPositive")}},
        {"probability mode", {nullptr, button("rbGammaDrop")}},
        {"probability edit", {button("rbGammaDrop"), typeGamma}},
        {"interval mode", {nullptr, button("rbIntervalDrop")}},
        {"Initial", {nullptr, button("btnGetFirstValues")}},
        {"insert", {nullptr, insert}},
        {"delete", {nullptr, deleteSecond}},
        {"undo", {nullptr, [](TfrmMain* w, TFakePrompter&) { trigger(w, "Undo1"); }}},
        {"redo",
         {[](TfrmMain* w, TFakePrompter&) { trigger(w, "Undo1"); },
          [](TfrmMain* w, TFakePrompter&) { trigger(w, "Redo1"); }}},
        {"set class count", {nullptr, button("cbSetClassCount")}},
        {"class count edit", {button("cbSetClassCount"), typeClassCount}},
        {"function by classes", {nullptr, button("cbFn")}},
        {"law", {nullptr, chooseUniform}},
    };
    return table;
  }

  // The sample, what the window shows of it, and the controls an action changes.
  QStringList windowState(TfrmMain* window) {
    QStringList state = shownState(window);
    for (long double v : window->sample().data())
      state << QString::fromStdString(statorium::formatGeneral(v));
    for (const char* name :
         {"rbDontDrop", "rbGammaDrop", "rbIntervalDrop", "cbSetClassCount", "cbFn"})
      state << QStringLiteral("%1 %2").arg(name).arg(
          window->findChild<QAbstractButton*>(name)->isChecked());
    for (const char* name : {"gamma1", "gamma2", "LeftValue", "RightValue", "classCount"}) {
      const QLineEdit* edit = window->findChild<QLineEdit*>(name);
      state << QStringLiteral("%1 %2 %3").arg(name, edit->text()).arg(edit->isEnabled());
    }
    state << QString::number(window->findChild<TRadioGroup*>("rgLaw")->itemIndex());
    for (const char* name : {"Undo1", "Redo1"})
      state << QString::number(window->findChild<QAction*>(name)->isEnabled());
    state << QString::number(window->history().undoCount())
          << QString::number(window->history().redoCount())
          << QString::number(window->variants().count())
          << QString::number(window->variants().m_Total)
          << QString::number(window->fileData().count());
    return state;
  }

  // 300 values roughly normal about 0, unsorted, with negative ones for "Move".
  std::string mixedSample() {
    std::mt19937 gen(3);
    std::vector<long double> values;
    for (int i = 0; i < 300; ++i) {
      double sum = 0;
      for (int k = 0; k < 12; ++k) sum += gen() / 4294967296.0;
      values.push_back(std::round((sum - 6) * 500) / 100);
    }
    const std::string path = dir->file("mixed.txt");
    statorium::TValues(values).SaveToFile(path);
    return path;
  }

  // Opens the mixed sample in `window` and inserts a value, so that a step can be undone.
  void startWith(TfrmMain* window, const std::string& path, const Action& a) {
    prompter->openFileAnswers.push_back(QString::fromStdString(path));
    trigger(window, "Open1");
    prompter->inputAnswers.push_back(QString("0.5"));
    trigger(window, "Insertvalue1");
    if (a.prepare) a.prepare(window, *prompter);
  }

 private slots:
  void aCancelledActionLeavesTheWindowAsItWas_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("cancelAt");
    QTest::addColumn<QString>("display");
    const QString analysing = "Analysing the sample...|100";
    const QString transforming = "Transforming the sample...|100";
    const QString updating = "Updating the analysis...|100";
    const QString dropping = "Dropping abnormal values...|100";
    // Cancelled at the first report, and at the last, when the successor is all computed.
    for (int cancelAt : {0, 100}) {
      const char* when = cancelAt == 0 ? "at once" : "at the end";
      auto row = [&](const char* action, const QString& display) {
        QTest::addRow("%s, %s", action, when) << QString(action) << cancelAt << display;
      };
      for (const char* t : {"Power", "Ln", "Exp", "Standard", "Move"}) row(t, transforming);
      row("probability mode", dropping);
      row("probability edit", dropping);
      row("interval mode", dropping);
      row("Initial", "Restoring the loaded values...|100");
      for (const char* a : {"insert", "delete", "undo", "redo"}) row(a, analysing);
      for (const char* v : {"set class count", "class count edit", "function by classes", "law"})
        row(v, updating);
    }
  }

  void aCancelledActionLeavesTheWindowAsItWas() {
    QFETCH(QString, action);
    QFETCH(int, cancelAt);
    QFETCH(QString, display);
    const Action& a = actions().at(action);
    const std::string path = mixedSample();
    startWith(main(), path, a);
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    const QStringList before = windowState(main());

    prompter->progressValues.clear();
    prompter->cancelProgressAt = cancelAt;
    a.run(main(), *prompter);
    QCOMPARE(prompter->progressShown.last(), display);
    QVERIFY(!prompter->progressValues.isEmpty());
    QCOMPARE(prompter->progressValues.last(),
             cancelAt == 0 ? prompter->progressValues.first() : 100);
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QCOMPARE(windowState(main()), before);

    // The action watched to the end then ends where it ends without the cancel before it.
    prompter->cancelProgressAt.reset();
    a.run(main(), *prompter);
    const QStringList after = windowState(main());
    QVERIFY(after != before);
    TApplicationWindows alone(*prompter);
    alone.frmMain->show();
    QVERIFY(QTest::qWaitForWindowExposed(alone.frmMain.get()));
    startWith(alone.frmMain.get(), path, a);
    a.run(alone.frmMain.get(), *prompter);
    QCOMPARE(after, windowState(alone.frmMain.get()));
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
  }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

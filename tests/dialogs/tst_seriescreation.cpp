// The series creation window, alone and from the main window's "Create series".

#include <QAction>
#include <QDirIterator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "app/mainwindow.h"
#include "app/radiogroup.h"
#include "app/windows.h"
#include "core/numtext.h"
#include "dialogs/seriescreation.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::test::TempDir;

class TestSeriesCreation : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TApplicationWindows> windows;
  std::unique_ptr<TempDir> dir;

  TfrmSeriesCreation* window() { return windows->frmSeriesCreation; }
  QString data() { return QString::fromStdString(dir->file("data")); }

  // "Create series" from the main menu, with the window's controls set by `prepare`.
  QStringList createFromMenu(const std::function<void(TfrmSeriesCreation*)>& prepare) {
    QStringList memo;
    prompter->dialogScripts.push_back([&](QDialog* d) {
      auto* w = qobject_cast<TfrmSeriesCreation*>(d);
      w->setDataFolder(data());
      prepare(w);
      w->findChild<QPushButton*>("Button1")->click();
      memo = w->findChild<QPlainTextEdit*>("textResult")->toPlainText().split('\n');
      return d->result();
    });
    windows->frmMain->findChild<QAction*>("Createseries1")->trigger();
    return memo;
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    windows = std::make_unique<TApplicationWindows>(*prompter);
    dir = std::make_unique<TempDir>();
    windows->frmMain->show();
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    windows.reset();
  }

  void startTextsAndPanels() {
    QCOMPARE(window()->windowTitle(), QString("Series creation..."));
    QCOMPARE(window()->findChild<QLineEdit*>("eCount")->text(), QString("100"));
    QCOMPARE(window()->findChild<QLineEdit*>("eS")->text(), QString("100.3"));
    QCOMPARE(window()->findChild<QLineEdit*>("eB")->text(), QString("4.2"));
    window()->show();
    auto* type = window()->findChild<TRadioGroup*>("rgType");
    QCOMPARE(type->itemIndex(), 0);
    for (int i : {1, 2, 0}) {
      type->clickItem(i);
      QCOMPARE(window()->findChild<QWidget*>("pE")->isVisible(), i == 0);
      QCOMPARE(window()->findChild<QWidget*>("pN")->isVisible(), i == 1);
      QCOMPARE(window()->findChild<QWidget*>("pW")->isVisible(), i == 2);
    }
    window()->hide();
  }

  void startTextsFollowTheLocale() {
    statorium::DecimalSeparatorScope comma(',');
    TApplicationWindows other(*prompter);
    QCOMPARE(other.frmSeriesCreation->findChild<QLineEdit*>("eL")->text(), QString("0,3"));
  }

  void createsEvaluatesAndLoadsEachNewSeries() {
    const QStringList memo = createFromMenu([](TfrmSeriesCreation*) {});
    const QString first = data() + "/100/EXP1";
    QCOMPARE(window()->fileName(), first);
    QCOMPARE(memo.size(), 2);
    QVERIFY(memo[0].startsWith("L = "));
    QVERIFY(memo[1].startsWith("L = L0: "));
    QCOMPARE(windows->frmMain->windowTitle(), "Statorium: " + first);
    QCOMPARE(windows->frmMain->fileData().count(), 100);
    const std::vector<long double> firstValues = windows->frmMain->fileData().data();

    createFromMenu([](TfrmSeriesCreation*) {});
    QCOMPARE(window()->fileName(), data() + "/100/EXP2");
    QVERIFY(std::filesystem::exists(first.toStdString()));
    QVERIFY(windows->frmMain->fileData().data() != firstValues);
  }

  void normalAndWeibullLines_data() {
    QTest::addColumn<int>("law");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("prefixes");
    QTest::newRow("normal") << 1 << "/250/NORM1"
                            << QStringList{"S = ", "m = ", "S = S0: ", "m = m0: "};
    QTest::newRow("Weibull") << 2 << "/250/WEIB1"
                             << QStringList{"a = ", "b = ", "a = a0: ", "b = b0: "};
  }

  void normalAndWeibullLines() {
    QFETCH(int, law);
    QFETCH(QString, file);
    QFETCH(QStringList, prefixes);
    const QStringList memo = createFromMenu([&](TfrmSeriesCreation* w) {
      w->findChild<TRadioGroup*>("rgType")->clickItem(law);
      w->findChild<QLineEdit*>("eCount")->setText("250");
    });
    QCOMPARE(window()->fileName(), data() + file);
    QCOMPARE(memo.size(), prefixes.size());
    for (int i = 0; i < memo.size(); ++i)
      QVERIFY2(memo[i].startsWith(prefixes[i]), qPrintable(memo[i]));
    QCOMPARE(windows->frmMain->fileData().count(), 250);
  }

  void aFailedCreationLoadsThePreviousSeries() {
    createFromMenu([](TfrmSeriesCreation*) {});
    const QString first = window()->fileName();
    createFromMenu([](TfrmSeriesCreation* w) { w->findChild<QLineEdit*>("eL")->setText("abc"); });
    QCOMPARE(prompter->errors, QStringList{"Floating point division by zero"});
    QCOMPARE(window()->fileName(), first);
    QCOMPARE(windows->frmMain->windowTitle(), "Statorium: " + first);
  }

  void aCancelledCreationLeavesNoFile_data() {
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("at the start") << 0;
    QTest::newRow("while the file is written") << 50;
  }
  void aCancelledCreationLeavesNoFile() {
    QFETCH(int, cancelAt);
    const QStringList before = createFromMenu([](TfrmSeriesCreation*) {});
    const QString first = window()->fileName();
    prompter->progressShown.clear();
    prompter->progressValues.clear();
    prompter->cancelProgressAt = cancelAt;
    const QStringList memo = createFromMenu(
        [](TfrmSeriesCreation* w) { w->findChild<QLineEdit*>("eCount")->setText("200000"); });
    // Then the main window opens the series it had, as after a failed creation.
    QCOMPARE(prompter->progressShown.first(), QString("Creating the series...|100"));
    QVERIFY(!prompter->progressValues.isEmpty());
    QVERIFY(prompter->progressValues.last() >= cancelAt);
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QCOMPARE(memo, before);
    QCOMPARE(window()->fileName(), first);
    QCOMPARE(windows->frmMain->windowTitle(), "Statorium: " + first);
    // Neither the series nor a part of it was written.
    QDirIterator files(data() + "/200000", QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    QVERIFY2(!files.hasNext(), qPrintable(files.hasNext() ? files.next() : QString()));
    // Without the cancel the same series is made.
    prompter->cancelProgressAt.reset();
    createFromMenu(
        [](TfrmSeriesCreation* w) { w->findChild<QLineEdit*>("eCount")->setText("200000"); });
    QCOMPARE(windows->frmMain->fileData().count(), 200000);
  }

  void theSizeTextNamesTheFolder() {
    createFromMenu(
        [](TfrmSeriesCreation* w) { w->findChild<QLineEdit*>("eCount")->setText(" 20 "); });
    QCOMPARE(window()->fileName(), data() + "/ 20 /EXP1");
    QCOMPARE(windows->frmMain->fileData().count(), 20);
  }
};

QTEST_MAIN(TestSeriesCreation)
#include "tst_seriescreation.moc"

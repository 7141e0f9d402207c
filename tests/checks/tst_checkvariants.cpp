// The two-series check window: the list, the check marks, the option and both memos.

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "checks/checkvariants.h"
#include "core/statsobject.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::test::TempDir;

class TestCheckVariants : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TfrmCheckVariants> window;
  std::unique_ptr<TempDir> dir;

  QString memo(const char* name) { return window->findChild<QPlainTextEdit*>(name)->toPlainText(); }
  QListWidget* list() { return window->findChild<QListWidget*>("data"); }

  void select(const QStringList& files) {
    prompter->openFilesAnswers.push_back(files);
    window->findChild<QPushButton*>("Select")->click();
  }
  void check(int row) { list()->item(row)->setCheckState(Qt::Checked); }
  QString file(const char* name, const char* content) {
    return QString::fromStdString(dir->write(name, content));
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    dir = std::make_unique<TempDir>();
    window = std::make_unique<TfrmCheckVariants>(*prompter, nullptr);
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    window.reset();
  }

  void startsAndClearsWithTheNeedForTwoSeries() {
    const QString need = "You need to have two series selected.";
    QCOMPARE(memo("textResults"), need);
    QCOMPARE(memo("normalResults"), need);
    select({file("a.txt", "1\n2\n3\n4\n5\n"), file("b.txt", "2\n4\n6\n8\n10\n")});
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->item(0)->checkState(), Qt::Unchecked);
    check(0);
    check(1);
    QVERIFY(memo("textResults").startsWith("u = -1.567"));
    window->findChild<QPushButton*>("ClearList")->click();
    QCOMPARE(list()->count(), 0);
    QCOMPARE(memo("textResults"), need);
  }

  void onlyTheFirstTwoCheckedEntriesCountAndTheOptionReruns() {
    select({file("a.txt", "1\n2\n3\n4\n5\n"), file("skip.txt", "9\n9\n"),
            file("b.txt", "2\n4\n6\n8\n10\n"), file("c.txt", "100\n")});
    for (int row : {0, 2, 3}) check(row);
    QVERIFY(memo("normalResults").contains("t = -1.897"));
    window->findChild<QCheckBox*>("isLock")->click();
    QVERIFY(memo("normalResults").contains("t = -4.243"));
    QVERIFY(prompter->errors.isEmpty());
  }

  void aCancelledRerunOfTheOptionPutsItBack_data() {
    QTest::addColumn<bool>("dependent");  // the option before the click
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("set") << false << "t = -1.897"
                         << "t = -4.243";
    QTest::newRow("taken off") << true << "t = -4.243"
                               << "t = -1.897";
  }
  void aCancelledRerunOfTheOptionPutsItBack() {
    QFETCH(bool, dependent);
    QFETCH(QString, before);
    QFETCH(QString, after);
    auto* isLock = window->findChild<QCheckBox*>("isLock");
    if (dependent) isLock->click();
    select({file("a.txt", "1\n2\n3\n4\n5\n"), file("b.txt", "2\n4\n6\n8\n10\n")});
    check(0);
    check(1);
    const QString normal = memo("normalResults"), u = memo("textResults");
    QVERIFY(normal.contains(before));
    prompter->cancelProgressAt = 0;
    isLock->click();
    QCOMPARE(prompter->progressShown.size(), 3);  // the two ticks and the cancelled click
    QCOMPARE(isLock->isChecked(), dependent);
    QCOMPARE(memo("normalResults"), normal);
    QCOMPARE(memo("textResults"), u);
    prompter->cancelProgressAt.reset();
    isLock->click();
    QCOMPARE(isLock->isChecked(), !dependent);
    QVERIFY(memo("normalResults").contains(after));
    QVERIFY(prompter->errors.isEmpty());
  }

  void aStatobjectGivesItsFirstPropertyWhateverTheCase() {
    statorium::TStatsObject obj;
    obj.addValues(statorium::TValues({1, 2, 3, 4, 5}));
    obj.addValues(statorium::TValues({7}));
    obj.writeObject(dir->file("o.STA"));
    select({QString::fromStdString(dir->file("o.STA")), file("a.txt", "1\n2\n3\n4\n5\n")});
    check(0);
    check(1);
    QVERIFY(memo("textResults").startsWith("u = 0.000"));
  }

  void aDegenerateSeriesShowsOneErrorAfterTheUCriterionLines() {
    select({file("a.txt", "1\n2\n3\n"), file("e.txt", "4\n4\n4\n")});
    check(0);
    check(1);
    QCOMPARE(prompter->errors, QStringList{"Floating point division by zero"});
    QCOMPARE(memo("textResults").split('\n').size(), 4);
    QCOMPARE(memo("normalResults"), QString());
    // The window stays usable.
    list()->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(memo("textResults"), QString("You need to have two series selected."));
  }
};

QTEST_MAIN(TestCheckVariants)
#include "tst_checkvariants.moc"

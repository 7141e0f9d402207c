// What the three similarity check windows share when a change reruns their check: one progress
// display that moves through every checked file, and a cancel that leaves the memos and the check
// marks as they were before the change.

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "checks/checkmanyvariants.h"
#include "checks/checkvariants.h"
#include "checks/ncheck.h"
#include "core/statsobject.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::TStatsObject;
using statorium::TValues;
using statorium::test::TempDir;

namespace {

enum class Kind { TwoSeries, ManySeries, Statobjects };

const QString kDisplay = QStringLiteral("Checking the series...|100");

// The display's step at the start of reading file i of n.
int fileMark(int i, int n) {
  return static_cast<int>(std::lround(TCheckProgress::kReadShare * i / n * 100));
}

}  // namespace

Q_DECLARE_METATYPE(Kind)

class TestCheckProgress : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TSeriesCheckWindow> window;
  std::unique_ptr<TempDir> dir;

  QListWidget* list() { return window->findChild<QListWidget*>("data"); }

  void open(Kind kind) {
    switch (kind) {
      case Kind::TwoSeries:
        window = std::make_unique<TfrmCheckVariants>(*prompter, nullptr);
        break;
      case Kind::ManySeries:
        window = std::make_unique<TfrmCheckManyVariants>(*prompter, nullptr);
        break;
      case Kind::Statobjects:
        window = std::make_unique<TfrmNCheck>(*prompter, nullptr);
        break;
    }
  }

  // Series `i` of `count` values (a statobject of two properties for the multi-dimensional
  // check); the series differ from each other, none is constant and no property is a multiple
  // of the other.
  QString series(Kind kind, int i, int count) {
    std::vector<long double> first, second;
    for (int j = 0; j < count; ++j) {
      first.push_back((j * 7919L + 31 * i) % 1009 + 0.5L * i);
      second.push_back((j * 104729L + 17 * i) % 997);
    }
    if (kind != Kind::Statobjects) {
      const std::string path = dir->file(QStringLiteral("s%1.txt").arg(i).toStdString());
      TValues(first).SaveToFile(path);
      return QString::fromStdString(path);
    }
    TStatsObject obj;
    obj.name = "o";
    obj.addValues(TValues(first));
    obj.addValues(TValues(second));
    const std::string path = dir->file(QStringLiteral("o%1.sta").arg(i).toStdString());
    obj.writeObject(path);
    return QString::fromStdString(path);
  }

  // Chooses three series, the first of `firstCount` values, and sets the check marks without
  // running the check; then runs it once.
  void choose(Kind kind, int firstCount, const std::vector<bool>& checked) {
    prompter->openFilesAnswers.push_back(
        {series(kind, 0, firstCount), series(kind, 1, 12), series(kind, 2, 15)});
    window->findChild<QPushButton*>("Select")->click();
    {
      const QSignalBlocker block(list());
      for (int row = 0; row < list()->count(); ++row)
        list()->item(row)->setCheckState(checked[row] ? Qt::Checked : Qt::Unchecked);
    }
    window->goCheckClick();
  }

  QStringList memos() {
    QStringList texts;
    for (const QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>())
      texts << memo->objectName() + ": " + memo->toPlainText();
    return texts;
  }
  QList<Qt::CheckState> marks() {
    QList<Qt::CheckState> states;
    for (int row = 0; row < list()->count(); ++row) states << list()->item(row)->checkState();
    return states;
  }
  void toggle(int row) {
    QListWidgetItem* item = list()->item(row);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
  void forgetProgress() {
    prompter->progressShown.clear();
    prompter->progressValues.clear();
  }
  void expectNoError() {
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
  }

  static void addKinds() {
    QTest::addColumn<Kind>("kind");
    QTest::newRow("two series") << Kind::TwoSeries;
    QTest::newRow("many series") << Kind::ManySeries;
    QTest::newRow("statobjects") << Kind::Statobjects;
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    dir = std::make_unique<TempDir>();
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    window.reset();
  }

  void aCheckShowsOneDisplayMovingThroughEveryFile_data() { addKinds(); }
  void aCheckShowsOneDisplayMovingThroughEveryFile() {
    QFETCH(Kind, kind);
    open(kind);
    // The first file is large enough for its reader to report part way.
    choose(kind, 60000, {true, true, false});
    forgetProgress();
    toggle(2);
    expectNoError();
    QCOMPARE(prompter->progressShown, QStringList{kDisplay});
    const QList<int>& values = prompter->progressValues;
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    QCOMPARE(values.first(), 0);
    QCOMPARE(values.last(), 100);
    // The two-series check stops reading once it has two series: the third file is not read.
    const int read = kind == Kind::TwoSeries ? 2 : 3;
    for (int i = 0; i < read; ++i)
      QVERIFY2(values.contains(fileMark(i, 3)), qPrintable(QString::number(i)));
    QVERIFY(values.contains(fileMark(3, 3)));  // the files read, the check computed next
    if (kind == Kind::TwoSeries) QVERIFY(!values.contains(fileMark(2, 3)));
    // The reader of the first file reports within its part.
    QVERIFY(std::any_of(values.begin(), values.end(),
                        [](int v) { return v > 0 && v < fileMark(1, 3); }));
  }

  void noFileCheckedShowsNoDisplay_data() { addKinds(); }
  void noFileCheckedShowsNoDisplay() {
    QFETCH(Kind, kind);
    open(kind);
    QVERIFY(prompter->progressShown.isEmpty());
    choose(kind, 12, {true, false, true});
    QCOMPARE(prompter->progressShown, QStringList{kDisplay});
    forgetProgress();
    window->findChild<QPushButton*>("ClearList")->click();
    QVERIFY(prompter->progressShown.isEmpty());
    QVERIFY(memos().join('\n').contains("You need to have two series selected"));
  }

  void aCancelLeavesMemosAndMarksAsTheyWere_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("row");  // the entry whose check mark changes
    QTest::addColumn<int>("cancelAt");
    const std::pair<const char*, Kind> kinds[] = {{"two series", Kind::TwoSeries},
                                                  {"many series", Kind::ManySeries},
                                                  {"statobjects", Kind::Statobjects}};
    for (const auto& [name, kind] : kinds) {
      // Before the change the second and third entries are checked.
      QTest::addRow("%s, a tick, at the first file", name) << kind << 0 << 0;
      QTest::addRow("%s, a tick, part way", name) << kind << 0 << 50;
      QTest::addRow("%s, a tick, once the check is computed", name) << kind << 0 << 100;
      QTest::addRow("%s, a mark taken off, at the first file", name) << kind << 1 << 0;
    }
  }
  void aCancelLeavesMemosAndMarksAsTheyWere() {
    QFETCH(Kind, kind);
    QFETCH(int, row);
    QFETCH(int, cancelAt);
    open(kind);
    choose(kind, 12, {false, true, true});
    const QStringList before = memos();
    const QList<Qt::CheckState> marksBefore = marks();
    // What the change shows when it runs to the end, then the window back as before.
    toggle(row);
    const QStringList after = memos();
    QVERIFY(after != before);
    toggle(row);
    QCOMPARE(memos(), before);
    expectNoError();

    forgetProgress();
    prompter->cancelProgressAt = cancelAt;
    toggle(row);
    expectNoError();
    QCOMPARE(prompter->progressShown, QStringList{kDisplay});  // putting the mark back runs none
    // The run stopped at its first report that reached the cancel.
    const QList<int>& values = prompter->progressValues;
    QCOMPARE(std::count_if(values.begin(), values.end(), [&](int v) { return v >= cancelAt; }), 1);
    QVERIFY(values.last() >= cancelAt);
    QCOMPARE(memos(), before);
    QCOMPARE(marks(), marksBefore);

    // The same change made again runs to the end.
    prompter->cancelProgressAt.reset();
    toggle(row);
    expectNoError();
    QCOMPARE(memos(), after);
    QCOMPARE(list()->item(row)->checkState(),
             marksBefore[row] == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }

  void aCancelAfterAnErrorKeepsTheLinesTheErrorLeft() {
    // A failing run shows what it reached; a cancelled one after it changes nothing of that.
    open(Kind::TwoSeries);
    prompter->openFilesAnswers.push_back(
        {QString::fromStdString(dir->write("a.txt", "1\n2\n3\n")),
         QString::fromStdString(dir->write("e.txt", "4\n4\n4\n"))});
    window->findChild<QPushButton*>("Select")->click();
    toggle(0);
    toggle(1);
    QCOMPARE(prompter->errors, QStringList{"Floating point division by zero"});
    const QStringList failed = memos();
    QVERIFY(failed.join('\n').contains("u = "));
    prompter->cancelProgressAt = 0;
    toggle(1);
    QCOMPARE(prompter->errors.size(), 1);
    QCOMPARE(memos(), failed);
    QCOMPARE(list()->item(1)->checkState(), Qt::Checked);
  }
};

QTEST_MAIN(TestCheckProgress)
#include "tst_checkprogress.moc"

// The many-series check window: the list, check marks, the three memos and failing files.

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "checks/checkmanyvariants.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::test::TempDir;

class TestCheckManyVariants : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TfrmCheckManyVariants> window;
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
  void expectAllMemos(const QString& text) {
    QCOMPARE(memo("normalResults"), text);
    QCOMPARE(memo("univariateAnalysisResults"), text);
    QCOMPARE(memo("textResults"), text);
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    dir = std::make_unique<TempDir>();
    window = std::make_unique<TfrmCheckManyVariants>(*prompter, nullptr);
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    window.reset();
  }

  void everyCheckedEntryCountsInListOrder() {
    const QString need = "You need to have two series selected at least.";
    expectAllMemos(need);
    select({file("a.txt", "1\n2\n3\n"), file("skip.txt", "100\n200\n"), file("b.txt", "2\n4\n6\n"),
            file("c.txt", "5\n6\n7\n")});
    QCOMPARE(list()->count(), 4);
    QCOMPARE(list()->item(0)->checkState(), Qt::Unchecked);
    check(0);
    expectAllMemos(need);
    check(2);
    QVERIFY(memo("normalResults").endsWith("D2"));
    check(3);
    QVERIFY(memo("normalResults").startsWith("X^2 = 1.134\n"));
    QVERIFY(memo("univariateAnalysisResults").startsWith("F = 6.000\n"));
    QVERIFY(memo("textResults").startsWith("H = 5.000\n"));
    QVERIFY(memo("textResults").endsWith("Accepted. Series are similar."));
    window->findChild<QPushButton*>("ClearList")->click();
    QCOMPARE(list()->count(), 0);
    expectAllMemos(need);
    QVERIFY(prompter->errors.isEmpty());
  }

  void aFailingFileOrSeriesShowsOneErrorAndEmptyMemos() {
    select({file("a.txt", "1\n2\n3\n"), file("const.txt", "4\n4\n4\n"),
            QString::fromStdString(dir->file("missing.txt"))});
    check(0);
    check(1);
    QCOMPARE(prompter->errors, QStringList{"Floating point division by zero"});
    expectAllMemos(QString());
    check(2);
    QCOMPARE(prompter->errors.size(), 2);
    QCOMPARE(prompter->errors.last(), QStringLiteral("I/O error 103"));
    expectAllMemos(QString());
    // Still usable: unchecking the bad entries runs the check again.
    list()->item(1)->setCheckState(Qt::Unchecked);
    list()->item(2)->setCheckState(Qt::Unchecked);
    expectAllMemos("You need to have two series selected at least.");
  }
};

QTEST_MAIN(TestCheckManyVariants)
#include "tst_checkmanyvariants.moc"

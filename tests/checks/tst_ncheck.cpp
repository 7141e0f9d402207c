// The multi-dimensional similarity check window: statobjects only, the two memos, failures.

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "checks/ncheck.h"
#include "core/statsobject.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::TStatsObject;
using statorium::TValues;
using statorium::test::TempDir;

class TestNCheck : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TfrmNCheck> window;
  std::unique_ptr<TempDir> dir;

  QString memo(const char* name) { return window->findChild<QPlainTextEdit*>(name)->toPlainText(); }
  QListWidget* list() { return window->findChild<QListWidget*>("data"); }
  void selectAndCheck(const QStringList& files) {
    prompter->openFilesAnswers.push_back(files);
    window->findChild<QPushButton*>("Select")->click();
    for (int row = 0; row < list()->count(); ++row) list()->item(row)->setCheckState(Qt::Checked);
  }
  QString object(const char* name, const std::vector<std::vector<long double>>& props) {
    TStatsObject obj;
    obj.name = "o";
    for (const auto& p : props) obj.addValues(TValues(p));
    const std::string path = dir->file(name);
    obj.writeObject(path);
    return QString::fromStdString(path);
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    dir = std::make_unique<TempDir>();
    window = std::make_unique<TfrmNCheck>(*prompter, nullptr);
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    window.reset();
  }

  void theSameStatobjectTwiceIsSimilar() {
    const QString path = object("a.sta", {{1, 2, 3, 4, 6, 5}, {2, 1, 4, 3, 5, 7}});
    selectAndCheck({path, path});
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QVERIFY(memo("textResults").contains("Accepted. DC1 = DC2 = ... = DC2"));
    QVERIFY(memo("textResults").contains("Accepted. E1 = E2 = ... = E2"));
    QVERIFY(memo("normalResults").endsWith("Accepted. E1 = E2"));
  }

  void otherFilesAreSkipped() {
    const QString need = "You need to have two series selected at least.";
    QCOMPARE(memo("textResults"), need);
    selectAndCheck({object("a.sta", {{1, 2, 3, 4}, {2, 1, 4, 3}}),
                    QString::fromStdString(dir->write("b.txt", "1\n2\n3\n"))});
    QCOMPARE(memo("textResults"), need);
    QCOMPARE(memo("normalResults"), need);
  }

  void aSingularObjectShowsOneErrorAndDifferentDimensionsAreRefused() {
    selectAndCheck({object("a.sta", {{1, 2, 3, 4}, {5, 5, 5, 5}}),
                    object("b.sta", {{1, 2, 3, 5}, {2, 1, 4, 3}})});
    QCOMPARE(prompter->errors.size(), 1);
    window->findChild<QPushButton*>("ClearList")->click();
    selectAndCheck(
        {object("c.sta", {{1, 2, 3, 4, 5}}), object("d.sta", {{1, 2, 3, 4}, {2, 1, 4, 3}})});
    QCOMPARE(prompter->errors.size(), 2);
    QCOMPARE(memo("textResults"), QString());
  }
};

QTEST_MAIN(TestNCheck)
#include "tst_ncheck.moc"

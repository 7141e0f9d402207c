// The experiment window: panels, the details grid, result labels, the pair window, failures
// and cancelling.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "checks/pairmatch.h"
#include "checks/paramscheck.h"
#include "core/numtext.h"
#include "tests/support/fakeprompter.h"

class TestParamsCheck : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<QWidget> owner;
  TfrmParamsCheck* window = nullptr;
  TfrmPairMatch* pairs = nullptr;

  TStringGrid* details() { return window->findChild<TStringGrid*>("details"); }
  TStringGrid* pairGrid() { return pairs->findChild<TStringGrid*>("StringGrid1"); }
  QString label(const char* name) { return window->findChild<QLabel*>(name)->text(); }
  QLineEdit* edit(const char* name) { return window->findChild<QLineEdit*>(name); }
  void run(bool expectPairWindow = true) {
    if (expectPairWindow)
      prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
    window->findChild<QPushButton*>("Button1")->click();
  }
  void chooseLaw(int index) { window->findChild<TRadioGroup*>("rgType")->clickItem(index); }
  int filledRows() {
    int rows = 0;
    while (!details()->cellText(rows, 0).isEmpty()) ++rows;
    return rows;
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    owner = std::make_unique<QWidget>();
    window = new TfrmParamsCheck(*prompter, owner.get());
    pairs = new TfrmPairMatch(*prompter, owner.get());
    window->setPairMatch(pairs);
    window->setRandomSeed(17);
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    owner.reset();
  }

  void startsWithTheDefaults() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Parameters check..."));
    QCOMPARE(edit("eCount")->text(), QStringLiteral("100"));
    QCOMPARE(edit("eCheckCount")->text(), QStringLiteral("25"));
    QCOMPARE(edit("eL")->text(), QStringLiteral("0.3"));
    QCOMPARE(details()->model()->headerData(3, Qt::Horizontal).toString(),
             QStringLiteral("t-Test result"));
    QCOMPARE(details()->model()->rowCount(), 1);
    window->show();
    QVERIFY(window->findChild<QWidget*>("pE")->isVisible());
    QVERIFY(!window->findChild<QWidget*>("pN")->isVisible());
    chooseLaw(2);
    QVERIFY(window->findChild<QWidget*>("pW")->isVisible());
    QVERIFY(!window->findChild<QWidget*>("pE")->isVisible());
  }

  void theDefaultRunFillsGridLabelsAndPairTable() {
    run();
    QCOMPARE(prompter->dialogsShown, QStringList{"frmPairMatch"});
    QCOMPARE(details()->model()->rowCount(), 26);  // 25 checks and the empty row
    QCOMPARE(filledRows(), 25);
    const QRegularExpression verdict(R"(^(accepted|rejected) -?\d+\.\d{3}$)");
    for (int r = 0; r < 25; ++r) {
      QVERIFY(verdict.match(details()->cellText(r, 1)).hasMatch());
      QCOMPARE(details()->cellText(r, 2), QString());
    }
    QVERIFY(QRegularExpression(R"(^\d+\.\d{3}; (accepted|rejected) -?\d+\.\d{3}$)")
                .match(label("result1"))
                .hasMatch());
    QCOMPARE(pairGrid()->model()->rowCount(), 25);
    QCOMPARE(pairGrid()->model()->columnCount(), 25);
    int filled = 0;
    for (int i = 0; i < 25; ++i)
      for (int j = 0; j < 25; ++j) filled += !pairGrid()->cellText(i, j).isEmpty();
    QCOMPARE(filled, 300);
    QVERIFY(pairGrid()->cellText(1, 0).isEmpty());
    QVERIFY(QRegularExpression(R"(^[+-]\(\d+\.\d{3}\)$)")
                .match(pairGrid()->cellText(0, 24))
                .hasMatch());
  }

  void anExponentialRunKeepsTheNormalRunsSecondLine() {
    chooseLaw(1);
    edit("eCheckCount")->setText("5");
    run();
    QCOMPARE(filledRows(), 5);
    QVERIFY(!details()->cellText(0, 3).isEmpty());
    const QString second = label("result2");
    QVERIFY(!second.isEmpty());
    chooseLaw(0);
    run();
    QVERIFY(details()->cellText(0, 3).isEmpty());
    QCOMPARE(label("result2"), second);
  }

  void aBlankAfterTheChecksCountRunsOneCheckAndStops() {
    edit("eCheckCount")->setText("25 ");
    edit("eCount")->setText(" 50 ");
    run(false);
    QCOMPARE(filledRows(), 1);
    QCOMPARE(prompter->errors, QStringList{"Invalid floating point operation"});
    QCOMPARE(label("result1"), QString());
    QVERIFY(prompter->dialogsShown.isEmpty());
  }

  void aBadParameterStopsAtTheFirstCheck() {
    edit("eL")->setText("abc");
    run(false);
    QCOMPARE(prompter->errors, QStringList{"Floating point division by zero"});
    QCOMPARE(filledRows(), 0);
    // The window stays usable.
    edit("eL")->setText(QString::fromStdString(statorium::formatGeneral(0.5L)));
    edit("eCheckCount")->setText("3");
    run();
    QCOMPARE(filledRows(), 3);
  }

  void cancellingKeepsTheRowsAndChangesNothingElse() {
    edit("eCheckCount")->setText("10");
    prompter->cancelProgressAt = 4;
    run(false);
    QCOMPARE(prompter->progressShown, QStringList{"Running checks...|20"});
    QCOMPARE(filledRows(), 4);
    QCOMPARE(label("result1"), QString());
    QVERIFY(prompter->dialogsShown.isEmpty());
    QVERIFY(prompter->errors.isEmpty());
  }
};

QTEST_MAIN(TestParamsCheck)
#include "tst_paramscheck.moc"

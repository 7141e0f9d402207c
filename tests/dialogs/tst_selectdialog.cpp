// The characteristic selection dialog: what it shows, which choices it asks for, and what the
// caller gets back after OK and after cancel.

#include <QHeaderView>
#include <QPushButton>
#include <QtTest>

#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "dialogs/selectdialog.h"
#include "tests/support/fakeprompter.h"

using statorium::TStatsObject;
using statorium::TValues;

namespace {

TStatsObject objectWithLengths(std::initializer_list<int> lengths) {
  TStatsObject obj;
  int p = 0;
  for (int n : lengths) {
    TValues v;
    for (int i = 0; i < n; ++i) v.Add(p * 100 + i + 0.5L);
    obj.addValues(v);
    ++p;
  }
  return obj;
}

}  // namespace

class TestSelectDialog : public QObject {
  Q_OBJECT

 private:
  TFakePrompter prompter;

 private slots:
  void init() { prompter = TFakePrompter(); }

  void showsTheShortestLengthUnderNumberedHeaders() {
    TfrmSelect select(prompter, nullptr);
    const TStatsObject obj = objectWithLengths({5, 8, 3});
    QStringList headers, firstItems, column0;
    int rows = -1;
    prompter.dialogScripts.push_back([&](QDialog* d) {
      auto* grid = d->findChild<TStringGrid*>("datas");
      rows = grid->model()->rowCount();
      for (int c = 0; c < grid->model()->columnCount(); ++c)
        headers << grid->model()->headerData(c, Qt::Horizontal).toString();
      for (int r = 0; r < rows; ++r) column0 << grid->cellText(r, 0);
      auto* first = d->findChild<TRadioGroup*>("rgFirst");
      for (int i = 0; i < first->itemCount(); ++i) firstItems << first->itemText(i);
      return int(QDialog::Rejected);
    });
    const TValues* first = &obj.Prop(0);
    select.ShowModal(obj, &first, nullptr);
    QCOMPARE(rows, 3);
    QCOMPARE(headers, (QStringList{"  #1", "  #2", "  #3"}));
    QCOMPARE(firstItems, headers);
    QCOMPARE(column0, (QStringList{"0.5000", "1.5000", "2.5000"}));
  }

  void answersTheAskedChoices_data() {
    QTest::addColumn<bool>("askSecond");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("firstPick");
    QTest::addColumn<int>("secondPick");
    QTest::addColumn<int>("expectedFirst");
    QTest::addColumn<int>("expectedSecond");  // -1: stays none
    QTest::newRow("first only, OK") << false << true << 2 << 0 << 2 << -1;
    QTest::newRow("first only, cancel keeps the entry value")
        << false << false << 2 << 0 << 0 << -1;
    QTest::newRow("both, OK") << true << true << 2 << 0 << 2 << 0;
    QTest::newRow("both, OK, same property twice") << true << true << 1 << 1 << 1 << 1;
    QTest::newRow("both, cancel") << true << false << 2 << 0 << 0 << 1;
  }

  void answersTheAskedChoices() {
    QFETCH(bool, askSecond);
    QFETCH(bool, accept);
    QFETCH(int, firstPick);
    QFETCH(int, secondPick);
    QFETCH(int, expectedFirst);
    QFETCH(int, expectedSecond);
    TfrmSelect select(prompter, nullptr);
    const TStatsObject obj = objectWithLengths({4, 4, 4});
    bool firstEnabled = false, secondEnabled = false;
    int presetFirst = -1, presetSecond = -1;
    prompter.dialogScripts.push_back([&](QDialog* d) {
      auto* s = qobject_cast<TfrmSelect*>(d);
      firstEnabled = d->findChild<TRadioGroup*>("rgFirst")->isEnabled();
      secondEnabled = d->findChild<TRadioGroup*>("rgSecond")->isEnabled();
      presetFirst = s->firstIndex();
      presetSecond = s->secondIndex();
      d->findChild<TRadioGroup*>("rgFirst")->clickItem(firstPick);
      d->findChild<TRadioGroup*>("rgSecond")->clickItem(secondPick);
      d->findChild<QPushButton*>(accept ? "ok" : "BitBtn1")->click();
      return d->result();
    });
    const TValues* first = &obj.Prop(0);
    const TValues* second = askSecond ? &obj.Prop(1) : nullptr;
    const int result = select.ShowModal(obj, &first, &second);
    QCOMPARE(result, accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(presetFirst, 0);
    QCOMPARE(presetSecond, 1);
    QVERIFY(firstEnabled);
    QCOMPARE(secondEnabled, askSecond);
    QCOMPARE(first, &obj.Prop(expectedFirst));
    QCOMPARE(second, expectedSecond < 0 ? nullptr : &obj.Prop(expectedSecond));
  }

  void aSinglePropertyIsChosenInBothGroups() {
    TfrmSelect select(prompter, nullptr);
    const TStatsObject obj = objectWithLengths({2});
    int firstIndex = -1, secondIndex = -1;
    prompter.dialogScripts.push_back([&](QDialog* d) {
      auto* s = qobject_cast<TfrmSelect*>(d);
      firstIndex = s->firstIndex();
      secondIndex = s->secondIndex();
      return int(QDialog::Accepted);
    });
    const TValues* first = &obj.Prop(0);
    const TValues* second = &obj.Prop(0);
    select.ShowModal(obj, &first, &second);
    QCOMPARE(firstIndex, 0);
    QCOMPARE(secondIndex, 0);
  }

  void okIsRefusedWithoutAChoice() {
    TfrmSelect select(prompter, nullptr);
    const TStatsObject obj = objectWithLengths({2, 2});
    bool closedWithoutChoice = true;
    prompter.dialogScripts.push_back([&](QDialog* d) {
      d->findChild<TRadioGroup*>("rgSecond")->setItemIndex(-1);
      d->findChild<QPushButton*>("ok")->click();
      closedWithoutChoice = !d->isVisible();
      d->findChild<TRadioGroup*>("rgSecond")->setItemIndex(0);
      d->findChild<QPushButton*>("ok")->click();
      return d->result();
    });
    const TValues* first = &obj.Prop(0);
    const TValues* second = &obj.Prop(1);
    QCOMPARE(select.ShowModal(obj, &first, &second), int(QDialog::Accepted));
    QVERIFY(!closedWithoutChoice);
    QCOMPARE(second, &obj.Prop(0));
  }

  void aNewObjectReplacesWhatWasShownBefore() {
    TfrmSelect select(prompter, nullptr);
    const TStatsObject big = objectWithLengths({3, 3, 3, 3});
    const TStatsObject small = objectWithLengths({2});
    int items = -1, columns = -1;
    prompter.dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
    prompter.dialogScripts.push_back([&](QDialog* d) {
      items = d->findChild<TRadioGroup*>("rgFirst")->itemCount();
      columns = d->findChild<TStringGrid*>("datas")->model()->columnCount();
      return int(QDialog::Rejected);
    });
    const TValues* first = &big.Prop(0);
    select.ShowModal(big, &first, nullptr);
    first = &small.Prop(0);
    select.ShowModal(small, &first, nullptr);
    QCOMPARE(items, 1);
    QCOMPARE(columns, 1);
  }
};

QTEST_MAIN(TestSelectDialog)
#include "tst_selectdialog.moc"

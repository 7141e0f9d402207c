// The two-dimensional window: opening and composing, the transformation dialog, the report,
// the chart series with their check boxes, the correlation table page, and a cancelled reading.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>
#include <random>

#include "analysis2d/ntransform.h"
#include "analysis2d/twod.h"
#include "app/radiogroup.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "core/statsobject.h"
#include "dialogs/statobjcreation.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::TStatsObject;
using statorium::TValues;
using statorium::test::TempDir;

class TestTwoD : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TApplicationWindows> windows;
  std::unique_ptr<TempDir> dir;

  Tfrm2D* win() { return windows->frm2D; }
  QString report() { return win()->findChild<QTextEdit*>("myout")->toPlainText(); }
  statorium::TChartSeries& series(const char* name) {
    return *win()->findChild<TChartView*>("Chart1")->chart().seriesByName(name);
  }
  QCheckBox* box(int k) {
    return win()->findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(k));
  }

  // A statobject of correlated properties (and more when asked), written to `name`.
  QString writeObject(const char* name, int properties, int n = 60) {
    std::mt19937 gen(11);
    std::normal_distribution<double> z(0, 1);
    TStatsObject obj;
    obj.name = "pairs";
    std::vector<TValues> props(static_cast<size_t>(properties));
    for (int i = 0; i < n; ++i) {
      const double x = 10 + 2 * z(gen);
      for (int p = 0; p < properties; ++p) props[static_cast<size_t>(p)].Add(x * (p + 1) + z(gen));
    }
    for (const TValues& p : props) obj.addValues(p);
    const std::string path = dir->file(name);
    obj.writeObject(path);
    return QString::fromStdString(path);
  }

  // Opens `path`; the transformation dialog is answered with `independent`.
  void open(const QString& path, bool independent = false) {
    prompter->openFileAnswers.push_back(path);
    prompter->dialogScripts.push_back([independent](QDialog* d) {
      auto* t = qobject_cast<TfrmNTransform*>(d);
      t->independentBox()->setChecked(independent);
      return int(QDialog::Accepted);
    });
    win()->findChild<QAction*>("Open1")->trigger();
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    dir = std::make_unique<TempDir>();
    windows = std::make_unique<TApplicationWindows>(*prompter);
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    windows.reset();
  }

  void openingTwoPropertiesRunsWithoutAskingWhich() {
    const QString path = writeObject("two.sta", 2);
    open(path);
    QCOMPARE(prompter->dialogsShown, QStringList{"frmNTransform"});
    QVERIFY(!windows->frmNTransform->standardBox()->isEnabled());
    QVERIFY(windows->frmNTransform->independentBox()->isEnabled());
    QVERIFY(report().startsWith("BASIC:\nE{x}="));
    QVERIFY(report().contains("There is linear regressive dependence."));
    QVERIFY(report().contains("PARABOLIC MODEL:"));
    QCOMPARE(series("Series7").count(), 60);
    QCOMPARE(series("Series11").count(), 1);
    QCOMPARE(series("Series8").count(), 200);
    QCOMPARE(series("Series17").count(), 200);
    QCOMPARE(win()->windowTitle(), "Two-dimensional analysis: " + path);
    QVERIFY(prompter->errors.isEmpty());
  }

  void aCancelWhileReadingLeavesTheWindowAsItWas() {
    const QString path = writeObject("two.sta", 2);
    open(path);
    const QString before = report(), caption = win()->windowTitle();
    const std::uint64_t points = series("Series7").itemsRevision();
    // 2 x 20000 values take 400 000 bytes: the reading reports once before its end.
    const QString large = writeObject("large.sta", 2, 20000);
    prompter->progressShown.clear();
    prompter->cancelProgressAt = 0;
    prompter->openFileAnswers.push_back(large);
    win()->findChild<QAction*>("Open1")->trigger();
    QCOMPARE(prompter->progressShown, QStringList{"Reading large.sta...|100"});
    QCOMPARE(prompter->dialogsShown, QStringList{"frmNTransform"});  // of the first opening only
    QVERIFY(prompter->errors.isEmpty());
    QCOMPARE(report(), before);
    QCOMPARE(win()->windowTitle(), caption);
    QCOMPARE(series("Series7").itemsRevision(), points);
  }

  void threePropertiesAskAndACancelKeepsTheFirstTwo() {
    const QString path = writeObject("three.sta", 3);
    prompter->openFileAnswers.push_back(path);
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
    win()->findChild<QAction*>("Open1")->trigger();
    QCOMPARE(prompter->dialogsShown, (QStringList{"frmSelect", "frmNTransform"}));
    // X and Y are properties 1 and 2: Y is about twice X.
    const double ratio = win()->analysis().estimates.AY / win()->analysis().estimates.AX;
    QVERIFY2(ratio > 1.8 && ratio < 2.2, qPrintable(QString::number(ratio)));
  }

  void oneProperty_or_cancelledDialogs_changeNothing() {
    open(writeObject("two.sta", 2));
    const QString before = report();
    prompter->openFileAnswers.push_back(writeObject("one.sta", 1));
    win()->findChild<QAction*>("Open1")->trigger();
    prompter->openFileAnswers.push_back(QString());
    win()->findChild<QAction*>("Open1")->trigger();
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
    win()->findChild<QAction*>("Composeobject1")->trigger();
    QCOMPARE(report(), before);
    QVERIFY(prompter->errors.isEmpty());
  }

  void composingRunsOnTheComposedObject() {
    const QString a = QString::fromStdString(dir->write("a.txt", "1\n2\n3\n4\n5\n6\n7\n8\n"));
    const QString b = QString::fromStdString(dir->write("b.txt", "2\n1\n4\n3\n6\n5\n8\n9\n"));
    prompter->dialogScripts.push_back([&](QDialog* d) {
      auto* w = qobject_cast<TfrmCreateStatObj*>(d);
      w->Load(a);
      w->Load(b);
      auto* props = w->findChild<QTableView*>("props");
      for (int row : {0, 1}) {
        props->selectRow(row);
        w->findChild<QAction*>("Addtoobject")->trigger();
      }
      w->findChild<QPushButton*>("btSave")->click();
      return d->result();
    });
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
    win()->findChild<QAction*>("Composeobject1")->trigger();
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QVERIFY(report().startsWith("BASIC:\nE{x}=4.5000 in ["));
    QCOMPARE(series("Series7").count(), 8);
  }

  void independentPropertiesAreTurnedApart() {
    open(writeObject("two.sta", 2), true);
    QVERIFY2(report().contains(QRegularExpression(R"(\nR=0 \(t=-?0\.\d{4}\) - not important\n)")),
             qPrintable(report()));
    QVERIFY(series("Series8").count() == 0);  // no linear regression without dependence
    windows->frmNTransform->independentBox()->setChecked(false);
  }

  void checkBoxesShowAndHideTheirSeries() {
    open(writeObject("two.sta", 2));
    box(2)->setChecked(false);
    QVERIFY(!series("Series2").active());
    QVERIFY(!series("Series3").active());
    QCOMPARE(series("Series2").count(), 200);
    box(2)->setChecked(true);
    QVERIFY(series("Series2").active() && series("Series3").active());
    box(9)->setChecked(false);
    QVERIFY(!series("Series1").active());
    // A new run keeps the states.
    box(7)->setChecked(false);
    open(writeObject("two.sta", 2));
    QVERIFY(!series("Series14").active() && !series("Series15").active());
  }

  void theTablePageDrawsCellsAndTheGrid() {
    auto* image = win()->findChild<QLabel*>("Image1");
    win()->show();
    win()->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
    QVERIFY(image->pixmap().isNull());  // blank before the first analysis
    open(writeObject("two.sta", 2));
    const int n = win()->analysis().table->n;
    QCOMPARE(series("Series1").count(), 2 * (n + 1));
    QCOMPARE(image->pixmap().size(), win()->findChild<QWidget*>("Panel1")->size());
    win()->resize(win()->width() + 80, win()->height() + 40);
    QApplication::processEvents();
    QCOMPARE(image->pixmap().size(), win()->findChild<QWidget*>("Panel1")->size());
  }

  void aFailingRunShowsOneErrorAndStaysUsable() {
    TStatsObject obj;
    obj.addValues(TValues({1, 2, 3, 4, 5}));
    obj.addValues(TValues({7, 7, 7, 7, 7}));
    const std::string path = dir->file("constant.sta");
    obj.writeObject(path);
    open(QString::fromStdString(path));
    QCOMPARE(prompter->errors, QStringList{"Invalid floating point operation"});
    open(writeObject("two.sta", 2));
    QVERIFY(report().startsWith("BASIC:"));
    QCOMPARE(prompter->errors.size(), 1);
  }
};

QTEST_MAIN(TestTwoD)
#include "tst_twod.moc"

// The main window's analysis views driven offscreen through the scripted prompter: the
// characteristics grid, law fitting at the level of the settings window, the class count, the
// abnormal-value modes, the transformations, the chart on each tab, the settings and About
// windows and the class data window.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "app/about.h"
#include "app/classtable.h"
#include "app/mainwindow.h"
#include "app/radiogroup.h"
#include "app/settings.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "core/numtext.h"
#include "tests/support/appfixture.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/near.h"
#include "tests/support/tempdir.h"

using statorium::rgb;
using statorium::TColor;
using statorium::test::TempDir;
using Values = std::vector<long double>;

Q_DECLARE_METATYPE(std::optional<QColor>)

namespace {

Values range(int from, int to) {
  Values v;
  for (int i = from; i <= to; ++i) v.push_back(i);
  return v;
}

// The standard normal quantile, by bisection on the distribution function.
double normalQuantile(double p) {
  double lo = -10, hi = 10;
  for (int i = 0; i < 200; ++i) {
    const double mid = (lo + hi) / 2;
    (0.5 * std::erfc(-mid / std::sqrt(2.0)) < p ? lo : hi) = mid;
  }
  return lo;
}

// 40 values at the normal quantiles of mean 50 and deviation 10, two decimals: as normal as a
// sample of 40 can be.
Values normalSample() {
  Values v;
  for (int i = 1; i <= 40; ++i)
    v.push_back(std::round((50 + 10 * normalQuantile((i - 0.5) / 40)) * 100) / 100);
  return v;
}

// A sample with negative values, sorted.
const Values kMixedSigns = {-5, -1, 2, 3, 4, 6, 7, 9, 10, 12};

}  // namespace

class TestAnalysisViews : public QObject, public TAppFixture<> {
  Q_OBJECT

 private:
  int fileNumber = 0;

  template <class W>
  W* w(const char* name) {
    W* widget = main()->findChild<W*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QAction* action(const char* name) { return w<QAction>(name); }
  statorium::TChart& chart() { return w<TChartView>("chSampleChat")->chart(); }
  statorium::TChartSeries& series(const char* name) { return *chart().seriesByName(name); }
  TRadioGroup* rgLaw() { return w<TRadioGroup>("rgLaw"); }
  QString label(const char* name) { return w<QLabel>(name)->text(); }

  // Opens a file of `values` through the menu as a user does.
  void open(const Values& values) {
    std::ostringstream text;
    text << std::setprecision(21);
    for (long double v : values) text << v << "\n";
    prompter->openFileAnswers.push_back(QString::fromStdString(
        dir->write("sample" + std::to_string(++fileNumber) + ".txt", text.str())));
    action("Open1")->trigger();
  }

  void click(const char* button) { w<QAbstractButton>(button)->click(); }

  // Types `text` into an edit and presses Enter in it.
  void type(const char* edit, const QString& text) {
    QLineEdit* e = w<QLineEdit>(edit);
    e->setText(text);
    QTest::keyClick(e, Qt::Key_Return);
  }

  // Cell (row, column) of the characteristics grid, counting its header row and caption
  // column as row 0 and column 0.
  QString characteristic(int row, int column) {
    auto* grid = w<QTableWidget>("sgQuantityCharacteristics");
    const QTableWidgetItem* item = row == 0      ? grid->horizontalHeaderItem(column - 1)
                                   : column == 0 ? grid->verticalHeaderItem(row - 1)
                                                 : grid->item(row - 1, column - 1);
    return item ? item->text() : QString();
  }
  QStringList characteristicsRow(int row) {
    QStringList cells;
    for (int c = 0; c < 5; ++c) cells << characteristic(row, c);
    return cells;
  }

  // Shows the settings window from the menu; `script` acts on it while it is shown and
  // returns how it was closed.
  void showSettings(const std::function<int(TfrmSettings*)>& script) {
    prompter->dialogScripts.push_back(
        [script](QDialog* d) { return script(qobject_cast<TfrmSettings*>(d)); });
    action("Settings1")->trigger();
  }
  // Moves the level's track bar to `position` and closes with "Apply".
  void applyLevel(int position) {
    showSettings([position](TfrmSettings* s) {
      s->findChild<QSlider*>("Significance")->setValue(position);
      QTest::mouseClick(s->findChild<QPushButton*>("Button1"), Qt::LeftButton);
      return s->result();
    });
  }

  void compareValues(const Values& actual, const Values& expected) {
    QCOMPARE(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
      QVERIFY2(statorium::test::near(actual[i], expected[i], 1e-15L),
               qPrintable(
                   QString("value %1: ").arg(i) +
                   QString::fromStdString(statorium::test::describeNear(actual[i], expected[i]))));
  }

 private slots:
  void init() { startApplication(); }

  void cleanup() { endApplication(); }

  // ---- Characteristics ----

  void characteristicsGridAfterALoad() {
    open({7, 3, 10, 1, 5, 2, 9, 4, 8, 6});
    QCOMPARE(characteristicsRow(0).mid(1),
             (QStringList{"Left edge (0.05)", "Value", "Right edge (0.05)",
                          "Quadratic Average of values"}));
    const statorium::CharacteristicsGrid& grid = main()->analysis().characteristicsGrid;
    for (int r = 1; r < 8; ++r)
      for (int c = 0; c < 5; ++c)
        QCOMPARE(characteristic(r, c), QString::fromStdString(grid[r][c]));
    // 1..10: mean 5.5 with error s / sqrt(10), s = sqrt(82.5 / 9), no skew, s / mean.
    QCOMPARE(characteristicsRow(1),
             (QStringList{"Average", "3.6234", "5.5000", "7.3766", "0.9574"}));
    QCOMPARE(characteristicsRow(2).mid(0, 3),
             (QStringList{"Standard Deviation", "1.7007", "3.0277"}));
    QCOMPARE(characteristicsRow(3).mid(0, 3), (QStringList{"Skewness", "-1.2841", "0.0000"}));
    QCOMPARE(characteristicsRow(4).mid(0, 3),
             (QStringList{"Coefficient of variation", "0.2692", "0.5505"}));
    QCOMPARE(characteristic(5, 0), QString("Kurtosis"));
    QCOMPARE(characteristic(6, 0), QString("Antikurtosis"));
    QCOMPARE(characteristic(7, 0), QString("Absolute digression"));
  }

  void zeroMeanLeavesTheCoefficientOfVariationRowBlank() {
    open(range(1, 10));
    click("btnGetStandart");
    QVERIFY(prompter->errors.isEmpty());
    QCOMPARE(characteristicsRow(4), (QStringList{"", "", "", "", ""}));
    QCOMPARE(characteristicsRow(2).mid(0, 3),
             (QStringList{"Standard Deviation", "0.5617", "1.0000"}));
    for (int r : {1, 3, 5, 6, 7})
      for (int c = 0; c < 5; ++c) QVERIFY(!characteristic(r, c).isEmpty());
  }

  void selectingACharacteristicShowsItInTheHint() {
    open(range(1, 10));
    auto* grid = w<QTableWidget>("sgQuantityCharacteristics");
    QCOMPARE(grid->toolTip(), QString("-"));
    grid->setCurrentCell(1, 1);
    QCOMPARE(grid->toolTip(), QString("3.0277"));
    grid->setCurrentCell(0, 0);
    QCOMPARE(grid->toolTip(), QString("3.6234"));
  }

  // ---- Law fitting at the level of the settings window ----

  void lawLabelsAtTheChosenLevel_data() {
    QTest::addColumn<Values>("values");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<int>("chosenLaw");  // clicked after the settings, -1 for none
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("kolmogorov");
    QTest::addColumn<QString>("pearson");
    const QString normal = "Normal law parameters: m=50.0000, sigma=10.0938";
    const QString normalOnUniform = "Normal law parameters: m=20.5000, sigma=11.8394";
    const QString k = "Kolmogorov's criteria: H0: Fn(x)=F(x) is ";
    const QString p = "Pearson's criteria: H0: Fn(x)=F(x) is ";
    QTest::newRow("normal data at 0.05") << normalSample() << 95 << true << -1 << normal
                                         << k + "accepted (0.05)." << p + "accepted (0.05).";
    QTest::newRow("normal data at 0.1") << normalSample() << 90 << true << -1 << normal
                                        << k + "accepted (0.1)." << p + "accepted (0.1).";
    QTest::newRow("normal data at 0.99")
        << normalSample() << 1 << true << -1 << normal << k + "accepted (0.99)."
        << p + "rejected, significance level is equal to 0.99.";
    QTest::newRow("normal law on even data at 0.99")
        << range(1, 40) << 1 << true << 0 << normalOnUniform
        << k + "rejected, significance level is equal to 0.99."
        << p + "rejected, significance level is equal to 0.99.";
    // The level is read from the track bar, so it counts at the next fit even without "Apply".
    QTest::newRow("level moved, window closed, law chosen")
        << range(1, 40) << 50 << false << 0 << normalOnUniform << k + "accepted (0.5)."
        << p + "rejected, significance level is equal to 0.5.";
  }

  void lawLabelsAtTheChosenLevel() {
    QFETCH(Values, values);
    QFETCH(int, position);
    QFETCH(bool, apply);
    QFETCH(int, chosenLaw);
    QFETCH(QString, params);
    QFETCH(QString, kolmogorov);
    QFETCH(QString, pearson);
    open(values);
    showSettings([&](TfrmSettings* s) {
      s->findChild<QSlider*>("Significance")->setValue(position);
      if (apply)
        QTest::mouseClick(s->findChild<QPushButton*>("Button1"), Qt::LeftButton);
      else
        s->reject();
      return s->result();
    });
    if (chosenLaw >= 0) rgLaw()->clickItem(chosenLaw);
    QCOMPARE(label("DistributionLawParams"), params);
    QCOMPARE(label("lCriterias1"), kolmogorov);
    QCOMPARE(label("lCriterias2"), pearson);
    QVERIFY(prompter->errors.isEmpty());
  }

  void notDefinedClearsTheLawAndKeepsTheVerdicts() {
    open(normalSample());
    QCOMPARE(rgLaw()->itemIndex(), 0);
    QCOMPARE(series("Series3").count(), 201);
    const QString k = label("lCriterias1"), p = label("lCriterias2");
    rgLaw()->clickItem(4);
    QCOMPARE(label("DistributionLawParams"), QString("Law was not selected"));
    QCOMPARE(label("lCriterias1"), k);
    QCOMPARE(label("lCriterias2"), p);
    for (const char* name : {"Series3", "Series4", "Series5", "Series6"})
      QCOMPARE(series(name).count(), 0);
  }

  void aLawThatCannotBeFittedIsReportedWithoutAnErrorBox_data() {
    QTest::addColumn<Values>("values");
    QTest::addColumn<int>("law");
    QTest::addColumn<QString>("text");
    // A zero mean: the exponential law's 1 / mean has no value.
    QTest::newRow("exponential, zero mean")
        << Values{-5, -4, -3, -2, -1, 1, 2, 3, 4, 5} << 1
        << "It is imposible to apply Exponential law to this data";
    QTest::newRow("Weibull, negative values")
        << kMixedSigns << 3 << "It is imposible to apply Weibull law to this data";
  }

  void aLawThatCannotBeFittedIsReportedWithoutAnErrorBox() {
    QFETCH(Values, values);
    QFETCH(int, law);
    QFETCH(QString, text);
    open(values);
    const QString params = label("DistributionLawParams");
    rgLaw()->clickItem(law);
    QCOMPARE(label("lCriterias1"), text);
    QCOMPARE(label("lCriterias2"), QString());
    QCOMPARE(label("DistributionLawParams"), params);
    QCOMPARE(rgLaw()->itemIndex(), law);
    QVERIFY(!main()->analysis().law);
    QCOMPARE(series("Series3").count(), 0);
    QVERIFY(prompter->errors.isEmpty());
  }

  void aLawChosenBeforeALoadIsNotFitted() {
    rgLaw()->clickItem(0);
    QCOMPARE(label("DistributionLawParams"), QString("Law was not selected"));
    QCOMPARE(label("lCriterias1"), QString("Criterias: "));
    QVERIFY(prompter->errors.isEmpty());
  }

  void aChosenLawSurvivesTheClassCountButNotATransformation() {
    open(range(1, 10));
    rgLaw()->clickItem(3);
    QVERIFY(label("DistributionLawParams").startsWith("Weibull law parameters: "));
    click("cbSetClassCount");
    type("classCount", "4");
    QCOMPARE(main()->classes().count(), 4);
    QCOMPARE(rgLaw()->itemIndex(), 3);
    QVERIFY(label("DistributionLawParams").startsWith("Weibull law parameters: "));
    click("btnGetPositive");  // nothing to move: no refresh, the choice stays
    QCOMPARE(rgLaw()->itemIndex(), 3);
    click("btnGetLn");
    QVERIFY(rgLaw()->itemIndex() != 3);
    QVERIFY(prompter->errors.isEmpty());
  }

  // ---- Class count ----

  void classCountEdit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    // 10 values: the automatic count is 3.
    QTest::newRow("not a number") << "abc"
                                  << "3";
    QTest::newRow("zero") << "0"
                          << "3";
    QTest::newRow("negative") << "-3"
                              << "3";
    QTest::newRow("explicit") << "4"
                              << "4";
  }

  void classCountEdit() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    open(range(1, 10));
    QCOMPARE(w<QLineEdit>("classCount")->text(), QString("3"));
    QVERIFY(!w<QLineEdit>("classCount")->isEnabled());
    click("cbSetClassCount");
    QVERIFY(w<QLineEdit>("classCount")->isEnabled());
    type("classCount", text);
    QCOMPARE(w<QLineEdit>("classCount")->text(), shown);
    QCOMPARE(main()->classes().count(), shown.toInt());
    QCOMPARE(series("Series1").count(), shown.toInt() + 1);
    QVERIFY(prompter->errors.isEmpty());
  }

  void uncheckingTheClassCountRestoresTheAutomaticCount() {
    open(range(1, 10));
    click("cbSetClassCount");
    type("classCount", "5");
    QCOMPARE(main()->classes().count(), 5);
    click("cbSetClassCount");
    QVERIFY(!w<QLineEdit>("classCount")->isEnabled());
    QCOMPARE(w<QLineEdit>("classCount")->text(), QString("3"));
    QCOMPARE(main()->classes().count(), 3);
  }

  // ---- Abnormal values ----

  void abnormalModes_data() {
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("leftEdit");  // "" types nothing
    QTest::addColumn<QString>("leftText");
    QTest::addColumn<QString>("rightEdit");
    QTest::addColumn<QString>("rightText");
    QTest::addColumn<Values>("expected");
    // The sample is -3, 1..19, 2000: 21 values.
    Values all = range(1, 19);
    all.insert(all.begin(), -3);
    all.push_back(2000);
    Values inner = range(1, 19);
    Values withTop = inner;
    withTop.push_back(2000);
    QTest::newRow("keep all") << "rbDontDrop"
                              << ""
                              << ""
                              << ""
                              << "" << all;
    // -3 is 1/21 < 0.05 of the values; 2000 is 1/20, not below 0.05.
    QTest::newRow("probabilities at start") << "rbGammaDrop"
                                            << ""
                                            << ""
                                            << ""
                                            << "" << withTop;
    // Left: -3 and 1 (2/21 < 0.12), right: 2000 (1/19 < 0.1, 2/19 is not).
    QTest::newRow("probabilities typed") << "rbGammaDrop"
                                         << "gamma1"
                                         << "0.12"
                                         << "gamma2"
                                         << "0.1" << range(2, 19);
    QTest::newRow("unparsable probabilities are 0") << "rbGammaDrop"
                                                    << "gamma1"
                                                    << "abc"
                                                    << "gamma2"
                                                    << "" << all;
    QTest::newRow("probabilities above 1 drop everything") << "rbGammaDrop"
                                                           << "gamma1"
                                                           << "2"
                                                           << "gamma2"
                                                           << "0" << Values();
    QTest::newRow("interval at start") << "rbIntervalDrop"
                                       << ""
                                       << ""
                                       << ""
                                       << "" << inner;
    QTest::newRow("interval typed") << "rbIntervalDrop"
                                    << "LeftValue"
                                    << "5"
                                    << "RightValue"
                                    << "15" << range(5, 15);
    QTest::newRow("right bound emptied is 1000") << "rbIntervalDrop"
                                                 << "LeftValue"
                                                 << "5"
                                                 << "RightValue"
                                                 << "" << range(5, 19);
    QTest::newRow("unparsable left bound is 0") << "rbIntervalDrop"
                                                << "LeftValue"
                                                << "x"
                                                << "RightValue"
                                                << "12" << range(1, 12);
  }

  void abnormalModes() {
    QFETCH(QString, radio);
    QFETCH(QString, leftEdit);
    QFETCH(QString, leftText);
    QFETCH(QString, rightEdit);
    QFETCH(QString, rightText);
    QFETCH(Values, expected);
    Values all = range(1, 19);
    all.insert(all.begin(), -3);
    all.push_back(2000);
    open(all);
    if (radio == "rbDontDrop") click("rbIntervalDrop");
    click(qPrintable(radio));
    QVERIFY(w<QRadioButton>(qPrintable(radio))->isChecked());
    if (!leftEdit.isEmpty()) {
      w<QLineEdit>(qPrintable(leftEdit))->setText(leftText);
      type(qPrintable(rightEdit), rightText);
      QCOMPARE(w<QLineEdit>(qPrintable(leftEdit))->text(), leftText);
      QCOMPARE(w<QLineEdit>(qPrintable(rightEdit))->text(), rightText);
    }
    QCOMPARE(main()->sample().data(), expected);
    QCOMPARE(main()->fileData().data(), all);
    const bool gamma = radio == "rbGammaDrop", interval = radio == "rbIntervalDrop";
    for (const char* name : {"gamma1", "gamma2", "lGamma1", "lGamma2"})
      QCOMPARE(w<QWidget>(name)->isEnabled(), gamma);
    for (const char* name : {"LeftValue", "RightValue", "lLeftValue", "lRightValue"})
      QCOMPARE(w<QWidget>(name)->isEnabled(), interval);
    QVERIFY(prompter->errors.isEmpty());
  }

  // ---- Transformations ----

  void transformations_data() {
    QTest::addColumn<Values>("values");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("power");  // the answer to the power query
    QTest::addColumn<Values>("expected");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("errors");
    auto map = [](const Values& v, long double (*f)(long double)) {
      Values out;
      for (long double x : v) out.push_back(f(x));
      return out;
    };
    Values moved;
    for (long double x : kMixedSigns) moved.push_back(x + 5.001L);
    const QStringList none;
    const QStringList wrongPower{"Wrong power!"};

    QTest::newRow("Move") << kMixedSigns << "btnGetPositive"
                          << "" << moved << none << none;
    QTest::newRow("Move, nothing negative") << range(0, 9) << "btnGetPositive"
                                            << "" << range(0, 9) << none << none;
    QTest::newRow("Ln moves first")
        << kMixedSigns << "btnGetLn"
        << "" << map(moved, [](long double x) { return std::log(x); }) << none << none;
    QTest::newRow("Ln of 0") << range(0, 9) << "btnGetLn"
                             << "" << range(0, 9) << none
                             << QStringList{"Invalid floating point operation"};
    QTest::newRow("Exp") << kMixedSigns << "btnGetExp"
                         << "" << map(kMixedSigns, [](long double x) { return std::exp(x); })
                         << none << none;
    Values huge = range(1, 9);
    huge.push_back(20000);
    QTest::newRow("Exp overflow") << huge << "btnGetExp"
                                  << "" << huge << none << QStringList{"Floating point overflow"};
    QTest::newRow("Standard")
        << range(1, 10) << "btnGetStandart"
        << "" << map(range(1, 10), [](long double x) { return (x - 5.5L) / std::sqrt(82.5L / 9); })
        << none << none;
    QTest::newRow("Power 2 keeps the order of positions")
        << kMixedSigns << "btnGetPower"
        << "2" << Values{25, 1, 4, 9, 16, 36, 49, 81, 100, 144} << none << none;
    QTest::newRow("Power of a word") << kMixedSigns << "btnGetPower"
                                     << "abc" << kMixedSigns << wrongPower << none;
    QTest::newRow("Power 0.5 of negative values") << kMixedSigns << "btnGetPower"
                                                  << "0.5" << kMixedSigns << wrongPower << none;
    // All values become 1, and the refresh cannot form 3 classes of them: the powers stay.
    QTest::newRow("Power 0, refresh fails")
        << kMixedSigns << "btnGetPower"
        << "0" << Values(kMixedSigns.size(), 1) << wrongPower << none;
  }

  void transformations() {
    QFETCH(Values, values);
    QFETCH(QString, button);
    QFETCH(QString, power);
    QFETCH(Values, expected);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, errors);
    open(values);
    if (!power.isEmpty()) prompter->inputAnswers.push_back(power);
    click(qPrintable(button));
    if (!power.isEmpty())
      QCOMPARE(prompter->inputPrompts, QStringList{"Enter power|Please enter power|1"});
    compareValues(main()->sample().data(), expected);
    QCOMPARE(prompter->messages, messages);
    QCOMPARE(prompter->errors, errors);
    QCOMPARE(main()->fileData().data(), values);
    auto* sampleGrid = w<TStringGrid>("sgSample");
    if (messages.isEmpty() && errors.isEmpty())
      QCOMPARE(sampleGrid->cellText(0, 0),
               QString::fromStdString(statorium::formatGeneral(expected[0])));
    // The window stays usable: the next action works and adds no message.
    click("btnGetFirstValues");
    QCOMPARE(main()->sample().data(), values);
    QCOMPARE(prompter->errors, errors);
  }

  void cancelledPowerChangesNothing() {
    open(kMixedSigns);
    prompter->inputAnswers.push_back(std::nullopt);
    click("btnGetPower");
    QCOMPARE(main()->sample().data(), kMixedSigns);
    QVERIFY(prompter->messages.isEmpty());
  }

  void initialRestoresTheLoadedValuesAndTheMode() {
    open(kMixedSigns);
    click("rbIntervalDrop");  // 0 .. 1000 drops the negative values
    QCOMPARE(main()->sample().count(), 8);
    click("btnGetLn");
    prompter->inputAnswers.push_back(QString("2"));
    click("btnGetPower");
    click("btnGetFirstValues");
    QCOMPARE(main()->sample().data(), kMixedSigns);
    QVERIFY(w<QRadioButton>("rbDontDrop")->isChecked());
    QVERIFY(!w<QLineEdit>("LeftValue")->isEnabled());
    QCOMPARE(w<TStringGrid>("sgSample")->cellText(0, 0), QString("-5"));
    QVERIFY(prompter->errors.isEmpty() && prompter->messages.isEmpty());
  }

  // ---- The chart ----

  void histogramAndEmpiricalFunction() {
    open(range(1, 10));
    // 3 classes of width 3 from 1: 1..4, 5..7, 8..10, and the closing point.
    const std::vector<statorium::TChartPoint> histogram = series("Series1").points();
    QCOMPARE(histogram.size(), size_t(4));
    const double expected[4][2] = {{1, 0.4}, {4, 0.3}, {7, 0.3}, {10, 0.3}};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(histogram[i].x, expected[i][0]);
      QCOMPARE(histogram[i].y, expected[i][1]);
    }
    const std::vector<statorium::TChartArrow> fn = series("Series2").arrows();
    QCOMPARE(fn.size(), size_t(10));
    QCOMPARE(fn[0].y0, 0.1);
    QCOMPARE(fn[0].x1, 2.0);
    QCOMPARE(fn[9].x0, 10.0);
    QCOMPARE(fn[9].x1, 10.01);
    QCOMPARE(fn[9].y1, 1.0);
    QCOMPARE(fn[9].color, rgb(0, 0, 255));
  }

  void empiricalFunctionByClasses() {
    open(range(1, 10));
    click("cbFn");
    // Classes at 1, 4, 7 of width 3 holding 4, 3, 3 values.
    const std::vector<statorium::TChartArrow> fn = series("Series2").arrows();
    QCOMPARE(fn.size(), size_t(3));
    QCOMPARE(fn[0].x0, 1.0);
    QCOMPARE(fn[0].x1, 4.0);
    QCOMPARE(fn[0].y0, 0.4);
    QCOMPARE(fn[1].y0, 0.7);
    QCOMPARE(fn[2].x0, 7.0);
    QCOMPARE(fn[2].x1, 10.0);
    QCOMPARE(fn[2].y1, 1.0);
    click("cbFn");
    QCOMPARE(series("Series2").count(), 10);
  }

  void eachTabShowsItsSeries_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("active");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("axisMax");
    // 1..10 in 3 classes: the largest relative class frequency is 0.4.
    QTest::newRow("histogram") << 0 << QStringList{"Series1", "Series6"} << "Frequency histogram"
                               << 0.41;
    QTest::newRow("function") << 1 << QStringList{"Series2", "Series4", "Series3", "Series5"}
                              << "Empirical and law function" << 1.01;
  }

  void eachTabShowsItsSeries() {
    QFETCH(int, tab);
    QFETCH(QStringList, active);
    QFETCH(QString, title);
    QFETCH(double, axisMax);
    open(range(1, 10));
    auto* tabs = w<QTabWidget>("pcDataDisplay");
    tabs->setCurrentIndex(2);
    QVERIFY(!chart().visible());
    tabs->setCurrentIndex(tab);
    QVERIFY(chart().visible());
    QVERIFY(w<TChartView>("chSampleChat")->isVisible());
    QStringList shown;
    for (int i = 0; i < chart().seriesCount(); ++i)
      if (chart().series(i).active()) shown << QString::fromStdString(chart().series(i).name());
    QCOMPARE(shown, active);
    for (const QString& name : active) QVERIFY(series(qPrintable(name)).count() > 0);
    QCOMPARE(chart().titleLines(), std::vector<std::string>{title.toStdString()});
    QCOMPARE(chart().leftAxisRange().lower, 0.0);
    QVERIFY(qFuzzyCompare(chart().leftAxisRange().upper, axisMax));
    // A refresh on the tab keeps its scale.
    prompter->inputAnswers.push_back(QString("1"));
    click("btnGetPower");
    QVERIFY(qFuzzyCompare(chart().leftAxisRange().upper, axisMax));
  }

  void characteristicsTabHidesTheChart() {
    open(range(1, 10));
    w<QTabWidget>("pcDataDisplay")->setCurrentIndex(2);
    QVERIFY(!chart().visible());
    QVERIFY(!w<TChartView>("chSampleChat")->isVisible());
    QVERIFY(w<QTableWidget>("sgQuantityCharacteristics")->isVisible());
  }

  // ---- Settings window ----

  void applyRecoloursTheChart_data() {
    QTest::addColumn<QString>("clicked");  // "" clicks nothing
    QTest::addColumn<std::optional<QColor>>("answer");
    QTest::addColumn<TColor>("histogram");
    QTest::addColumn<TColor>("density");
    const TColor maroon = rgb(128, 0, 0), blue = rgb(0, 0, 255);
    QTest::newRow("unchanged swatches") << "" << std::optional<QColor>() << maroon << blue;
    QTest::newRow("histogram panel beside its swatch")
        << "Panel1" << std::optional<QColor>(QColor(0, 128, 0)) << rgb(0, 128, 0) << blue;
    QTest::newRow("function swatch")
        << "frequencyFunction" << std::optional<QColor>(QColor(10, 20, 30)) << maroon
        << rgb(10, 20, 30);
    QTest::newRow("function panel, colour cancelled")
        << "Panel2" << std::optional<QColor>() << maroon << blue;
  }

  void applyRecoloursTheChart() {
    QFETCH(QString, clicked);
    QFETCH(std::optional<QColor>, answer);
    QFETCH(TColor, histogram);
    QFETCH(TColor, density);
    open(normalSample());
    QCOMPARE(series("Series1").seriesColor(), rgb(255, 128, 128));
    QCOMPARE(series("Series6").seriesColor(), rgb(0, 0, 255));
    showSettings([&](TfrmSettings* s) {
      if (!clicked.isEmpty()) {
        prompter->colorAnswers.push_back(answer);
        auto* target = s->findChild<QWidget*>(clicked);
        // A click on a panel lands left of its swatch.
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
      }
      QTest::mouseClick(s->findChild<QPushButton*>("Button1"), Qt::LeftButton);
      return s->result();
    });
    QVERIFY(prompter->colorAnswers.empty());  // the click asked for the colour
    QCOMPARE(series("Series1").seriesColor(), histogram);
    QCOMPARE(series("Series6").seriesColor(), density);
    QCOMPARE(prompter->dialogsShown, QStringList{"frmSettings"});
  }

  void closingTheSettingsAppliesNoColour() {
    open(normalSample());
    showSettings([](TfrmSettings* s) {
      s->reject();
      return s->result();
    });
    QCOMPARE(series("Series1").seriesColor(), rgb(255, 128, 128));
  }

  void levelLabelFollowsTheTrackBar_data() {
    QTest::addColumn<char>("separator");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::newRow("start") << '.' << 95 << "0.05"
                           << "95% accurate ";
    QTest::newRow("lowest position") << '.' << 1 << "0.99"
                                     << "1% accurate recognition of null hypothesis (H0)";
    QTest::newRow("highest position") << '.' << 99 << "0.01"
                                      << "99% accurate recognition of null hypothesis (H0)";
    QTest::newRow("decimal comma") << ',' << 90 << "0,1"
                                   << "90% accurate recognition of null hypothesis (H0)";
  }

  void levelLabelFollowsTheTrackBar() {
    QFETCH(char, separator);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    statorium::DecimalSeparatorScope scope(separator);
    TfrmSettings* s = windows->frmSettings;
    s->findChild<QSlider*>("Significance")->setValue(position);
    auto* level = s->findChild<QLabel*>("lSignificance");
    QCOMPARE(level->text(), text);
    QCOMPARE(level->toolTip(), hint);
    QCOMPARE(s->SignificanceLevel(), (100 - position) / 100.0L);
  }

  // ---- About window ----

  void aboutLinksOpenInTheBrowser() {
    QList<QUrl> expected;
    prompter->dialogScripts.push_back([&](QDialog* d) {
      auto* edit1 = d->findChild<QLineEdit*>("Edit1");
      auto* edit2 = d->findChild<QLineEdit*>("Edit2");
      expected << QUrl("https://" + edit2->text()) << QUrl("https://" + edit1->text());
      QTest::mouseClick(edit2, Qt::LeftButton);
      QTest::mouseClick(edit1, Qt::LeftButton);
      QTest::mouseClick(d->findChild<QLabel*>("LinkLabel1"), Qt::LeftButton);
      QTest::mouseClick(d->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
      return d->result();
    });
    action("About1")->trigger();
    QCOMPARE(prompter->dialogsShown, QStringList{"frmAboutBox"});
    QCOMPARE(expected.size(), 2);
    QVERIFY(!expected[0].host().isEmpty() && !expected[1].host().isEmpty());
    QCOMPARE(prompter->urlsOpened, expected);
    QVERIFY(!windows->frmAboutBox->isVisible());
    QCOMPARE(windows->frmAboutBox->result(), int(QDialog::Accepted));
  }

  // ---- Class data window ----

  void classDataWindowFromTheChartMenu_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QList<QStringList>>("columns");  // Xi, Ni, Fi of each element
    // 1, 1, 2, 5, 5, 5, 7, 8, 8, 10.
    QTest::newRow("variants") << "ShowVariantsTable"
                              << "Variational series data, values count equals 10"
                              << QList<QStringList>{
                                     {"1.0000", "2", "0.2000"}, {"2.0000", "1", "0.1000"},
                                     {"5.0000", "3", "0.3000"}, {"7.0000", "1", "0.1000"},
                                     {"8.0000", "2", "0.2000"}, {"10.0000", "1", "0.1000"}};
    // 3 classes of width 3; 7 lies on the boundary 1 + 2 * 3 and belongs to the lower class.
    QTest::newRow("classes") << "ShowClassesTable"
                             << "Classified variational series data, values count equals 10"
                             << QList<QStringList>{{"1.0000", "3", "0.3000"},
                                                   {"4.0000", "4", "0.4000"},
                                                   {"7.0000", "3", "0.3000"}};
  }

  void classDataWindowFromTheChartMenu() {
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QList<QStringList>, columns);
    open({5, 1, 8, 5, 2, 10, 7, 1, 8, 5});
    QString shownCaption;
    QList<QStringList> shownColumns;
    int rows = 0;
    prompter->dialogScripts.push_back([&](QDialog* d) {
      shownCaption = d->findChild<QLabel*>("Label1")->text();
      auto* grid = d->findChild<TStringGrid*>("sgClassTable");
      rows = grid->model()->rowCount();
      for (int c = 0; c < grid->model()->columnCount(); ++c)
        shownColumns << QStringList{grid->cellText(0, c), grid->cellText(1, c),
                                    grid->cellText(2, c)};
      return int(QDialog::Rejected);
    });
    action(qPrintable(item))->trigger();
    QCOMPARE(prompter->dialogsShown, QStringList{"frmClassTable"});
    QCOMPARE(shownCaption, caption);
    QCOMPARE(rows, 3);
    QVERIFY(!shownColumns.isEmpty());
    QCOMPARE(shownColumns.takeFirst(), (QStringList{"Xi", "Ni", "Fi"}));
    QCOMPARE(shownColumns, columns);
  }

  void classDataWindowShowsNothingBeforeALoad() {
    action("ShowVariantsTable")->trigger();
    action("ShowClassesTable")->trigger();
    QVERIFY(prompter->dialogsShown.isEmpty());
    QVERIFY(prompter->errors.isEmpty());
  }

  // ---- Errors escaping a handler ----

  void classCountErrorShowsOneErrorBoxAndTheWindowStaysUsable() {
    open(normalSample());
    const QString params = label("DistributionLawParams");
    open(Values(10, 3));
    QCOMPARE(prompter->errors, QStringList{"Class count error"});
    QCOMPARE(label("DistributionLawParams"), params);
    open(range(1, 10));
    QCOMPARE(prompter->errors.size(), 1);
    QCOMPARE(main()->sample().data(), range(1, 10));
    QCOMPARE(characteristic(1, 2), QString("5.5000"));
    QVERIFY(label("DistributionLawParams").startsWith("Uniform law parameters: "));
  }
};

QTEST_MAIN(TestAnalysisViews)
#include "tst_analysisviews.moc"

// The multi-dimensional window: open and compose, the grids of both analysis pages, the main
// components file, Evaluate with its hint and the regression window, failing objects, and the
// progress of long readings and analyses with their cancel.

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <random>

#include "analysis2d/ntransform.h"
#include "analysisnd/nd.h"
#include "analysisnd/regression.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "core/statsobject.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::TStatsObject;
using statorium::TValues;
using statorium::test::TempDir;

class TestND : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TApplicationWindows> windows;
  std::unique_ptr<TempDir> dir;

  TfrmND* win() { return windows->frmND; }
  TStringGrid* grid(const char* name) { return win()->findChild<TStringGrid*>(name); }
  // Cell (column, row) as the grids address them.
  QString cell(const char* name, int column, int row) { return grid(name)->cellText(row, column); }
  void trigger(const char* action) { win()->findChild<QAction*>(action)->trigger(); }

  QString write(const char* name, const std::vector<std::vector<long double>>& props) {
    TStatsObject obj;
    obj.name = "nd";
    for (const auto& p : props) obj.addValues(TValues(p));
    const std::string path = dir->file(name);
    obj.writeObject(path);
    return QString::fromStdString(path);
  }
  // Three properties with pairwise correlation exactly 0 (orthogonal contrasts).
  QString uncorrelated(const char* name) {
    return write(
        name,
        {{1, -1, 1, -1, 1, -1, 1, -1}, {1, 1, -1, -1, 1, 1, -1, -1}, {1, -1, -1, 1, 1, -1, -1, 1}});
  }
  // The third property is the sum of the first two plus small noise.
  QString sumOfTwo(const char* name) {
    std::mt19937 gen(4);
    std::normal_distribution<double> z(0, 1);
    std::vector<long double> a, b, c;
    for (int i = 0; i < 40; ++i) {
      a.push_back(10 + 3 * z(gen));
      b.push_back(5 + 2 * z(gen));
    }
    // b is made exactly uncorrelated with a: an insignificant sample correlation between them
    // would count as 0 and understate the multiple correlation of the sum.
    long double ma = 0, mb = 0, sab = 0, saa = 0;
    for (int i = 0; i < 40; ++i) ma += a[i] / 40, mb += b[i] / 40;
    for (int i = 0; i < 40; ++i) sab += (a[i] - ma) * (b[i] - mb), saa += (a[i] - ma) * (a[i] - ma);
    for (int i = 0; i < 40; ++i) b[i] -= sab / saa * (a[i] - ma);
    for (int i = 0; i < 40; ++i) c.push_back(a[i] + b[i] + 0.05L * z(gen));
    return write(name, {a, b, c});
  }
  // Opens `path`, answering the transformation dialog with `standard`; the message of the main
  // components is expected.
  void open(const QString& path, bool standard = false) {
    prompter->openFileAnswers.push_back(path);
    prompter->dialogScripts.push_back([standard](QDialog* d) {
      qobject_cast<TfrmNTransform*>(d)->standardBox()->setChecked(standard);
      return int(QDialog::Accepted);
    });
    trigger("Open1");
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

  void uncorrelatedPropertiesAreAllMainComponents() {
    const QString path = uncorrelated("sample.sta");
    open(path);
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QVERIFY(windows->frmNTransform->standardBox()->isEnabled());
    QVERIFY(!windows->frmNTransform->independentBox()->isEnabled());
    QCOMPARE(prompter->messages, QStringList{"There are 3 main components"});
    for (int i = 1; i <= 3; ++i) {
      QVERIFY(cell("ownVV", i, 0).endsWith("*"));
      QCOMPARE(cell("gR", i, i), QStringLiteral("1"));
      QCOMPARE(cell("DD", 1, i), QStringLiteral("1.0000"));
    }
    QCOMPARE(cell("gAvg", 0, 0), QStringLiteral("  #1"));
    QCOMPARE(cell("gR", 2, 1), QStringLiteral("0.0000"));
    QCOMPARE(grid("transData")->model()->rowCount(), 9);
    QVERIFY(QFileInfo::exists(dir->file("samplei.sta").c_str()));
    QCOMPARE(win()->windowTitle(), "Multi-dimensional analysis: " + path);
  }

  void standardizedDataHaveZeroMeansAndUnitVariances() {
    open(sumOfTwo("sum.sta"), true);
    for (int i = 1; i <= 3; ++i) {
      QVERIFY(QRegularExpression(R"(^-?0\.0000$)").match(cell("gAvg", i - 1, 1)).hasMatch());
      QCOMPARE(cell("gD", i, i), QStringLiteral("1.0000"));
    }
    windows->frmNTransform->standardBox()->setChecked(false);
  }

  void anExistingComponentsFileIsReplacedOnlyWithConsent() {
    const QString path = uncorrelated("data.sta");
    const std::string target = dir->write("datai.sta", "keep me");
    prompter->yesNoAnswers.push_back(false);
    prompter->saveFileAnswers.push_back(QString());  // then the save dialog is cancelled
    open(path);
    QCOMPARE(prompter->questions.size(), 1);
    QVERIFY(prompter->questions[0].contains("datai.sta"));
    QFile kept(QString::fromStdString(target));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("keep me"));
    kept.close();
    prompter->yesNoAnswers.push_back(true);
    open(path);
    TStatsObject components;
    components.readObject(target);
    QCOMPARE(components.propCount(), 3);
  }

  void evaluateWithoutAnObjectTellsWhatToDo() {
    win()->findChild<QPushButton*>("bEval")->click();
    QCOMPARE(prompter->captions, QStringList{"There is no object"});
    QCOMPARE(prompter->messages,
             QStringList{"Select object first: Statobject->Open or Statobject->Compose"});
  }

  void evaluateHintsAndTheRegressionWindow() {
    prompter->yesNoAnswers.push_back(true);
    open(sumOfTwo("sum.sta"));
    win()->findChild<QPushButton*>("bEval")->click();
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QCOMPARE(cell("gMR", 2, 0), QStringLiteral("  #3"));
    QVERIFY2(cell("gMR", 2, 1).startsWith("0.99") || cell("gMR", 2, 1).startsWith("1.0000"),
             qPrintable(cell("gMR", 2, 1) + "|" + cell("gMR", 0, 1)));
    // The diagonal of the partial correlations is empty: no comment.
    win()->gPRClick(1, 1);
    QCOMPARE(grid("gPR")->toolTip(), QStringLiteral("*No comments*"));
    win()->gPRClick(3, 1);
    QVERIFY2(grid("gPR")->toolTip().startsWith("95% in ["), qPrintable(grid("gPR")->toolTip()));
    // A header cell is not a correlation.
    win()->gMRClick(2, 0);
    QCOMPARE(prompter->messages.last(), QStringLiteral("This correlation is not important."));
    prompter->dialogScripts.push_back([](QDialog* d) {
      const QString results = d->findChild<QPlainTextEdit*>("textResults")->toPlainText();
      return results.startsWith("Regression is important (f > F):") ? int(QDialog::Accepted)
                                                                    : int(QDialog::Rejected);
    });
    win()->gMRClick(2, 1);
    QCOMPARE(prompter->dialogsShown.last(), QStringLiteral("frmRegression"));
    auto* regression = windows->frmRegression;
    QCOMPARE(regression->findChild<TStringGrid*>("gA")->cellText(1, 0), QStringLiteral(" Ak"));
    QCOMPARE(regression->findChild<TChartView*>("Chart1")->chart().seriesByName("Series1")->count(),
             40);
  }

  void aPropertyOrNoneIsKeptButNotAnalysed() {
    open(uncorrelated("sample.sta"));
    const QString before = cell("gR", 1, 2);
    prompter->openFileAnswers.push_back(write("one.sta", {{1, 2, 3}}));
    trigger("Open1");
    QVERIFY(win()->object() != nullptr);
    QCOMPARE(cell("gR", 1, 2), before);
    prompter->openFileAnswers.push_back(QString());
    trigger("Open1");
    QVERIFY(win()->object() == nullptr);
  }

  void aConstantPropertyShowsOneErrorAndTheWindowStaysUsable() {
    open(write("constant.sta", {{1, 2, 3, 4}, {5, 5, 5, 5}}));
    QCOMPARE(prompter->errors.size(), 1);
    open(uncorrelated("sample.sta"));
    QCOMPARE(prompter->errors.size(), 1);
    QCOMPARE(prompter->messages.last(), QStringLiteral("There are 3 main components"));
  }

  // The size of a grid and the cells of its first rows.
  QStringList gridCells(const char* name) {
    const QAbstractItemModel* model = grid(name)->model();
    QStringList cells{QStringLiteral("%1x%2").arg(model->columnCount()).arg(model->rowCount())};
    for (int r = 0; r < std::min(model->rowCount(), 12); ++r)
      for (int c = 0; c < model->columnCount(); ++c) cells << grid(name)->cellText(r, c);
    return cells;
  }
  // Everything the window shows of its statobject and analyses.
  QStringList shownState() {
    QStringList state{win()->windowTitle()};
    for (const char* name : {"gAvg", "gD", "gR", "gPR", "gMR", "DD", "ownVV", "transData"})
      state << gridCells(name);
    return state;
  }
  // `properties` correlated properties of `observations` observations.
  QString large(const char* name, int properties, int observations) {
    std::mt19937 gen(7);
    std::normal_distribution<double> z(0, 1);
    std::vector<std::vector<long double>> props(properties);
    for (int l = 0; l < observations; ++l) {
      const double common = z(gen);
      for (int k = 0; k < properties; ++k) props[k].push_back(k + common + (k + 1) * z(gen));
    }
    return write(name, props);
  }

  void aCancelLeavesTheWindowAsItWas_data() {
    QTest::addColumn<int>("observations");
    QTest::addColumn<QStringList>("displays");
    // 8 x 6000 values take 480 000 bytes, read with a report; 8 x 3000 are read without one.
    QTest::newRow("while reading") << 6000 << QStringList{"Reading big.sta...|100"};
    QTest::newRow("while analysing")
        << 3000 << QStringList{"Reading big.sta...|100", "Analysing...|100"};
  }

  void aCancelLeavesTheWindowAsItWas() {
    QFETCH(int, observations);
    QFETCH(QStringList, displays);
    open(uncorrelated("sample.sta"));
    win()->findChild<QPushButton*>("bEval")->click();
    const QStringList before = shownState();
    const TStatsObject* kept = win()->object();
    const std::vector<long double> first = kept->Prop(0).data();
    const int messages = prompter->messages.size();
    const QString big = large("big.sta", 8, observations);
    prompter->progressShown.clear();
    prompter->cancelProgressAt = 0;
    if (displays.size() > 1) {
      prompter->dialogScripts.push_back([](QDialog* d) {
        qobject_cast<TfrmNTransform*>(d)->standardBox()->setChecked(true);
        return int(QDialog::Accepted);
      });
    }
    prompter->openFileAnswers.push_back(big);
    trigger("Open1");
    QCOMPARE(prompter->progressShown, displays);
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QCOMPARE(prompter->messages.size(), messages);
    QCOMPARE(shownState(), before);
    QCOMPARE(win()->object(), kept);
    QCOMPARE(win()->object()->Prop(0).data(), first);
    QVERIFY(!QFileInfo::exists(dir->file("bigi.sta").c_str()));
    windows->frmNTransform->standardBox()->setChecked(false);
  }

  void aWatchedAnalysisShowsWhatTheCoreComputes() {
    const QString big = large("big.sta", 8, 6000);
    open(big);
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QCOMPARE(prompter->progressShown, (QStringList{"Reading big.sta...|100", "Analysing...|100"}));
    QVERIFY(prompter->progressValues.size() >= 10);
    TStatsObject obj;
    obj.readObject(big.toStdString());
    statorium::NDAnalysis expected;
    statorium::ProcessObject(obj, false, expected);
    for (int i = 0; i <= 8; ++i)
      for (int j = 0; j <= 8; ++j)
        QCOMPARE(cell("gR", i, j), QString::fromStdString(expected.gR.cell(i, j)));
    QCOMPARE(cell("transData", 3, 5000), QString::fromStdString(expected.transData.cell(3, 5000)));
    QCOMPARE(prompter->messages, QStringList{QString::fromStdString(expected.message())});
  }

  void aCancelledEvaluateKeepsItsGrids() {
    open(large("big.sta", 8, 3000));
    win()->findChild<QPushButton*>("bEval")->click();
    const QStringList partial = gridCells("gPR"), multiple = gridCells("gMR");
    QCOMPARE(multiple.size(), 1 + 2 * 8);
    open(sumOfTwo("sum.sta"));
    prompter->cancelProgressAt = 0;
    prompter->progressShown.clear();
    win()->findChild<QPushButton*>("bEval")->click();
    QCOMPARE(prompter->progressShown, QStringList{"Evaluating...|100"});
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    // The correlations are still those of the first statobject.
    QCOMPARE(gridCells("gPR"), partial);
    QCOMPARE(gridCells("gMR"), multiple);
  }

  void aCancelledRegressionLeavesItsWindowUnopened() {
    prompter->yesNoAnswers.push_back(true);
    open(large("big.sta", 8, 3000));
    win()->findChild<QPushButton*>("bEval")->click();
    prompter->cancelProgressAt = 0;
    prompter->progressShown.clear();
    // Clicked as the user clicks, through the window's handler.
    TStringGrid* correlations = grid("gMR");
    emit correlations->clicked(correlations->model()->index(1, 2));
    QCOMPARE(prompter->progressShown, QStringList{"Computing the regression...|100"});
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QVERIFY(!prompter->dialogsShown.contains("frmRegression"));
    QCOMPARE(windows->frmRegression->findChild<TChartView*>("Chart1")
                 ->chart()
                 .seriesByName("Series1")
                 ->count(),
             0);
    // Without the cancel the same click shows the regression of the 3000 observations.
    prompter->cancelProgressAt.reset();
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
    win()->gMRClick(2, 1);
    QCOMPARE(prompter->dialogsShown.last(), QStringLiteral("frmRegression"));
    QCOMPARE(windows->frmRegression->findChild<TChartView*>("Chart1")
                 ->chart()
                 .seriesByName("Series1")
                 ->count(),
             3000);
  }

  void theSimilarityCheckOpensFromTheMenu() {
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
    trigger("Similaritycheck1");
    QCOMPARE(prompter->dialogsShown, QStringList{"frmNCheck"});
  }
};

QTEST_MAIN(TestND)
#include "tst_nd.moc"

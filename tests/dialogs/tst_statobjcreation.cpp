// The statobject composition window: the candidate rows, adding, removing and clearing, the
// composed object, the main window's "Compose object" that saves it, and a cancel of the
// reading of a large file.

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "app/mainwindow.h"
#include "app/radiogroup.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "core/statsobject.h"
#include "dialogs/selectdialog.h"
#include "dialogs/seriescreation.h"
#include "dialogs/statobjcreation.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::TStatsObject;
using statorium::TValues;
using statorium::test::TempDir;
using Values = std::vector<long double>;

class TestStatObjCreation : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TFakePrompter> prompter;
  std::unique_ptr<TApplicationWindows> windows;
  std::unique_ptr<TempDir> dir;

  TfrmCreateStatObj* win() { return windows->frmCreateStatObj; }
  TStringGrid* grid(const char* name) { return win()->findChild<TStringGrid*>(name); }
  void trigger(const char* action) { win()->findChild<QAction*>(action)->trigger(); }

  QString file(const char* name, const char* text) {
    return QString::fromStdString(dir->write(name, text));
  }

  // The cells of every row, the empty last row included.
  QList<QStringList> rows(const char* gridName) {
    TStringGrid* g = grid(gridName);
    QList<QStringList> all;
    for (int r = 0; r < g->model()->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < g->model()->columnCount(); ++c) cells << g->cellText(r, c);
      all << cells;
    }
    return all;
  }

  // The full paths of the property rows; the empty last row must be there and empty.
  QStringList paths(const char* gridName) {
    QList<QStringList> all = rows(gridName);
    if (all.isEmpty() || all.last() != QStringList(6, QString())) return {"<no empty last row>"};
    all.removeLast();
    QStringList result;
    for (const QStringList& r : all) result << r[0];
    return result;
  }

  // Adds candidate `row` to the object through the pop-up menu.
  void add(int row) {
    grid("props")->selectRow(row);
    trigger("Addtoobject");
  }

  // Shows the window and presses "Ready".
  std::unique_ptr<TStatsObject> ready() {
    prompter->dialogScripts.push_back([](QDialog* d) {
      d->findChild<QPushButton*>("btSave")->click();
      return d->result();
    });
    return win()->ShowModal();
  }

  // Answers the selection dialog with property `index` (from 0).
  void answerSelection(int index) {
    prompter->dialogScripts.push_back([index](QDialog* d) {
      d->findChild<TRadioGroup*>("rgFirst")->clickItem(index);
      d->findChild<QPushButton*>("ok")->click();
      return d->result();
    });
  }

  QString threeProperties() {
    TStatsObject obj;
    obj.name = "three";
    obj.addValues(TValues({1, 2}));
    obj.addValues(TValues({3, 4}));
    obj.addValues(TValues({5, 6, 7}));
    const std::string path = dir->file("three.sta");
    obj.writeObject(path);
    return QString::fromStdString(path);
  }

 private slots:
  void init() {
    prompter = std::make_unique<TFakePrompter>();
    windows = std::make_unique<TApplicationWindows>(*prompter);
    dir = std::make_unique<TempDir>();
  }

  void cleanup() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    windows.reset();
    prompter.reset();
    dir.reset();
  }

  void startsEmptyWithItsCaptionSizeAndHeaders() {
    QCOMPARE(win()->windowTitle(), QStringLiteral("Statobject creation..."));
    QCOMPARE(win()->size(), QSize(773, 439));
    QCOMPARE(win()->findChild<QLineEdit*>("objname")->text(), QStringLiteral("Statobject1"));
    for (const char* name : {"props", "selprops"}) {
      TStringGrid* g = grid(name);
      QVERIFY(g->isColumnHidden(0));
      QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
      QStringList headers;
      for (int c = 1; c < 6; ++c) headers << g->model()->headerData(c, Qt::Horizontal).toString();
      QCOMPARE(headers, (QStringList{"Count", "Min", "Avg", "Max", "File name"}));
      QCOMPARE(paths(name), QStringList());
    }
  }

  void chooseAddsARowPerReadableFileInOrder() {
    const QString sample = file("s.txt", "1\n1\n2\n5\n");
    const QString other = file("o.txt", "-2.5\n");
    const QString empty = file("empty.txt", "");
    const QString missing = QString::fromStdString(dir->file("missing.sta"));
    prompter->openFilesAnswers.push_back({sample, empty, missing, other});
    win()->findChild<QPushButton*>("btChoose")->click();

    const TFileDialogOptions& o = prompter->fileDialogs.last();
    QCOMPARE(
        o.filter,
        QStringLiteral("Data files (*.txt);;CSV files (*.csv);;STA files (*.sta);;Any files (*)"));
    QCOMPARE(o.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(o.directory, QStringLiteral("."));
    // 1, 1, 2, 5: three distinct values; the unreadable and the empty file add nothing, quietly.
    QCOMPARE(rows("props"),
             (QList<QStringList>{{sample, "3", "1.0000", "2.2500", "5.0000", "s.txt"},
                                 {other, "1", "-2.5000", "-2.5000", "-2.5000", "o.txt"},
                                 QStringList(6, QString())}));
    QVERIFY(prompter->messages.isEmpty());
  }

  void addIgnoresTheEmptyRowAndNoSelection() {
    win()->Load(file("a.txt", "1\n"));
    grid("props")->selectRow(1);  // the empty last row
    trigger("Addtoobject");
    grid("props")->clearSelection();
    trigger("Addtoobject");
    QCOMPARE(paths("selprops"), QStringList());
    add(0);
    QCOMPARE(rows("selprops"), rows("props"));
  }

  void theSameCandidateTwiceGivesTwoEqualProperties() {
    win()->Load(file("a.txt", "3\n1\n2\n"));
    add(0);
    add(0);
    const auto obj = ready();
    QVERIFY(obj);
    QCOMPARE(obj->name, std::string("Statobject1"));
    QCOMPARE(obj->propCount(), 2);
    QCOMPARE(obj->Prop(0).data(), (Values{3, 1, 2}));  // file order
    QCOMPARE(obj->Prop(1).data(), obj->Prop(0).data());
  }

  void readyWithoutChosenPropertiesGivesNone() {
    win()->Load(file("a.txt", "1\n"));  // a candidate only
    QVERIFY(!ready());
    QCOMPARE(win()->result(), int(QDialog::Accepted));
  }

  void removeAndClearAllEditTheLists() {
    const QString a = file("a.txt", "1\n"), b = file("b.txt", "2\n"), c = file("c.txt", "3\n");
    for (const QString& f : {a, b, c}) win()->Load(f);
    for (int r : {2, 0, 1}) add(r);
    QCOMPARE(paths("selprops"), (QStringList{c, a, b}));

    grid("selprops")->selectRow(3);  // the empty last row
    trigger("RemoveFromObject");
    grid("selprops")->selectRow(1);
    trigger("RemoveFromObject");
    QCOMPARE(paths("selprops"), (QStringList{c, b}));

    win()->findChild<QLineEdit*>("objname")->setText("Gears");
    const auto obj = ready();
    QVERIFY(obj);
    QCOMPARE(obj->name, std::string("Gears"));
    QCOMPARE(obj->propCount(), 2);
    QCOMPARE(obj->Prop(0).data(), (Values{3}));
    QCOMPARE(obj->Prop(1).data(), (Values{2}));

    // The lists stay between showings until cleared.
    QCOMPARE(paths("props"), (QStringList{a, b, c}));
    trigger("Clearall2");
    QCOMPARE(paths("selprops"), QStringList());
    QCOMPARE(paths("props"), (QStringList{a, b, c}));
    trigger("Clearall1");
    QCOMPARE(paths("props"), QStringList());
  }

  void aStatobjectOfSeveralPropertiesAsksWhenAddedAndAtReady() {
    const QString sta = threeProperties();
    answerSelection(2);
    win()->Load(sta);
    QCOMPARE(rows("props").first(),
             (QStringList{sta, "3", "5.0000", "6.0000", "7.0000", "three.sta"}));
    add(0);
    prompter->dialogScripts.push_back([this](QDialog* d) {
      answerSelection(1);  // asked again while composing
      d->findChild<QPushButton*>("btSave")->click();
      return d->result();
    });
    const auto obj = win()->ShowModal();
    QCOMPARE(prompter->dialogsShown, (QStringList{"frmSelect", "frmCreateStatObj", "frmSelect"}));
    QVERIFY(obj);
    QCOMPARE(obj->propCount(), 1);
    QCOMPARE(obj->Prop(0).data(), (Values{3, 4}));
  }

  void filesThatGiveNoValuesAtReadyAreSkipped() {
    const QString a = file("a.txt", "1\n"), b = file("b.txt", "2\n"), c = file("c.txt", "3\n");
    for (const QString& f : {a, b, c}) win()->Load(f);
    for (int r : {0, 1, 2}) add(r);
    std::filesystem::remove(a.toStdString());
    dir->write("b.txt", "");
    const auto obj = ready();
    QVERIFY(obj);
    QCOMPARE(obj->propCount(), 1);
    QCOMPARE(obj->Prop(0).data(), (Values{3}));
  }

  void nothingIsHandedOverWhenEveryChosenFileGaveNoValues() {
    const QString a = file("a.txt", "1\n");
    win()->Load(a);
    add(0);
    std::filesystem::remove(a.toStdString());
    QVERIFY(!ready());
  }

  void createSeriesAddsTheNewSeriesAsACandidate() {
    QStringList candidates;
    prompter->dialogScripts.push_back([&](QDialog* d) {
      d->findChild<QPushButton*>("Button1")->click();  // "Create series"
      for (int r = 0; r + 1 < grid("props")->model()->rowCount(); ++r)
        candidates << grid("props")->cellText(r, 5);
      return int(QDialog::Rejected);
    });
    prompter->dialogScripts.push_back([&](QDialog* d) {
      auto* series = qobject_cast<TfrmSeriesCreation*>(d);
      series->setDataFolder(QString::fromStdString(dir->file("data")));
      d->findChild<QPushButton*>("Button1")->click();
      return d->result();
    });
    QVERIFY(!win()->ShowModal());
    QCOMPARE(candidates, QStringList{"EXP1"});
  }

  void clickingARowHintsItsFullPath() {
    const QString a = file("a.txt", "1\n"), b = file("b.txt", "2\n");
    win()->Load(a);
    win()->Load(b);
    add(1);
    win()->show();
    QVERIFY(QTest::qWaitForWindowExposed(win()));
    for (const char* name : {"props", "selprops"}) {
      TStringGrid* g = grid(name);
      const QRect cell = g->visualRect(g->model()->index(0, 1));
      QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
      QCOMPARE(g->toolTip(), QStringLiteral("File name: ") + (QString(name) == "props" ? a : b));
    }
  }

  void composeObjectWithNothingToSave_data() {
    QTest::addColumn<bool>("pressReady");
    QTest::newRow("closed") << false;
    QTest::newRow("ready without properties") << true;
  }

  void composeObjectWithNothingToSave() {
    QFETCH(bool, pressReady);
    prompter->dialogScripts.push_back([pressReady](QDialog* d) {
      if (!pressReady) return int(QDialog::Rejected);
      d->findChild<QPushButton*>("btSave")->click();
      return d->result();
    });
    windows->frmMain->findChild<QAction*>("Createobject1")->trigger();
    QCOMPARE(prompter->messages, QStringList{"There is nothing to save!"});
    QVERIFY(prompter->fileDialogs.isEmpty());
  }

  void composeObjectSavesTheObject() {
    win()->Load(file("a.txt", "2\n1\n"));
    win()->Load(file("b.txt", "4\n3\n"));
    add(1);
    add(0);
    const std::string target = dir->file("saved.sta");
    prompter->saveFileAnswers.push_back(QString::fromStdString(target));
    prompter->dialogScripts.push_back([](QDialog* d) {
      d->findChild<QPushButton*>("btSave")->click();
      return d->result();
    });
    windows->frmMain->findChild<QAction*>("Createobject1")->trigger();

    QCOMPARE(prompter->fileDialogs.size(), 1);
    QCOMPARE(prompter->fileDialogs[0].fileName, QStringLiteral("Statobject1"));
    QCOMPARE(prompter->fileDialogs[0].defaultSuffix, QStringLiteral("sta"));
    QVERIFY(prompter->messages.isEmpty());
    TStatsObject saved;
    saved.readStaObject(target);
    // The file keeps 11 bytes of the 11-character UTF-16 name: five characters and half a sixth.
    QCOMPARE(QString::fromStdString(saved.name), QStringLiteral("Stato"));
    QCOMPARE(saved.propCount(), 2);
    QCOMPARE(saved.Prop(0).data(), (Values{4, 3}));
    QCOMPARE(saved.Prop(1).data(), (Values{2, 1}));
  }

  void aCancelWhileReadingAddsNothingAndComposesNothing() {
    win()->Load(file("a.txt", "2\n1\n"));
    add(0);
    // 60000 lines of 26 bytes: the reading reports several times.
    std::vector<long double> values(60000);
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<long double>(i % 97);
    const std::string big = dir->file("big.txt");
    TValues(values).SaveToFile(big);
    const QList<QStringList> candidates = rows("props");

    prompter->progressShown.clear();
    prompter->cancelProgressAt = 0;
    prompter->openFilesAnswers.push_back({QString::fromStdString(big), file("b.txt", "3\n")});
    win()->findChild<QPushButton*>("btChoose")->click();
    QCOMPARE(prompter->progressShown, QStringList{"Reading big.txt...|100"});
    QVERIFY(prompter->errors.isEmpty());
    QCOMPARE(rows("props"), candidates);  // the cancel ends the whole choice

    prompter->cancelProgressAt.reset();
    prompter->openFilesAnswers.push_back({QString::fromStdString(big)});
    win()->findChild<QPushButton*>("btChoose")->click();
    add(1);
    prompter->cancelProgressAt = 0;
    prompter->progressShown.clear();
    QVERIFY(!ready());  // "Ready" read the files again and was cancelled: the window stays open
    QCOMPARE(prompter->progressShown, QStringList{"Composing the statobject...|100"});
    QVERIFY(prompter->errors.isEmpty());
    prompter->cancelProgressAt.reset();
    const auto obj = ready();
    QVERIFY(obj);
    QCOMPARE(obj->propCount(), 2);
    QCOMPARE(obj->Prop(1).data(), values);
  }
};

QTEST_MAIN(TestStatObjCreation)
#include "tst_statobjcreation.moc"

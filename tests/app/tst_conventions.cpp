// The desktop conventions of the windows: shortcuts and access keys, the tab order, files
// dropped from the desktop, Copy and Export of grids, memos and charts, and undoing changes of
// the main window's working sample.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QtTest>
#include <filesystem>

#include "analysis2d/twod.h"
#include "app/mainwindow.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "checks/checkmanyvariants.h"
#include "checks/checkvariants.h"
#include "core/numtext.h"
#include "dialogs/selectdialog.h"
#include "dialogs/statobjcreation.h"
#include "tests/support/appfixture.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

using statorium::test::TempDir;
using Values = std::vector<long double>;

class TestConventions : public QObject, public TAppFixture<> {
  Q_OBJECT

 private:
  template <class W = QWidget>
  W* w(const char* name) {
    return main()->findChild<W*>(name);
  }
  QAction* action(QObject* parent, const char* name) { return parent->findChild<QAction*>(name); }
  TStringGrid* sampleGrid() { return w<TStringGrid>("sgSample"); }
  Values sampleValues() { return main()->sample().data(); }

  QString file(const char* name, const std::string& content) {
    return QString::fromStdString(dir->write(name, content));
  }
  void open(const QString& path) {
    prompter->openFileAnswers.push_back(path);
    action(main(), "Open1")->trigger();
  }
  void activateMain() {
    QApplication::setActiveWindow(main());
    QVERIFY(QTest::qWaitForWindowActive(main()));
  }
  void keys(QWidget* target, const QKeySequence& sequence) { QTest::keySequence(target, sequence); }

  // A drag of `urls` over `under` and, when it is taken, dropped there; true when taken. As
  // the windowing system does, the drag goes to the first widget from `under` up that takes
  // drops, so a control in between that took them would keep the window from seeing the files.
  static bool drop(QWidget* under, const QList<QUrl>& urls) {
    QWidget* target = under;
    while (!target->acceptDrops() && !target->isWindow()) target = target->parentWidget();
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropEvent(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropEvent);
    return dropEvent.isAccepted();
  }
  QUrl url(const QString& path) { return QUrl::fromLocalFile(path); }

  // Widgets that take the focus with Tab, in the window's focus chain, among `among`.
  static QList<QWidget*> tabChain(QWidget* window, const QList<QWidget*>& among) {
    QList<QWidget*> chain;
    for (QWidget* it = window->nextInFocusChain(); it != window; it = it->nextInFocusChain())
      if ((it->focusPolicy() & Qt::TabFocus) && among.contains(it)) chain << it;
    return chain;
  }

  static QString clipboard() { return QGuiApplication::clipboard()->text(); }

 private slots:
  void init() { startApplication(); }

  void cleanup() { endApplication(); }

  // ---- Keyboard ---------------------------------------------------------------------------

  void shortcutsRunTheirMenuItems_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("asked");  // the file dialog or window that must come up
    QTest::newRow("open") << QKeySequence(Qt::CTRL | Qt::Key_O) << "file: Open";
    QTest::newRow("save as") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) << "file: Save as";
    QTest::newRow("about on F1") << QKeySequence(Qt::Key_F1) << "window: frmAboutBox";
  }

  void shortcutsRunTheirMenuItems() {
    QFETCH(QKeySequence, keys);
    QFETCH(QString, asked);
    open(file("s.txt", "1\n2\n3\n"));
    prompter->fileDialogs.clear();
    activateMain();
    prompter->openFileAnswers.push_back(QString());  // each question is cancelled
    prompter->saveFileAnswers.push_back(QString());
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
    this->keys(main(), keys);
    QStringList seen;
    for (const TFileDialogOptions& o : prompter->fileDialogs) seen << "file: " + o.title;
    for (const QString& name : prompter->dialogsShown) seen << "window: " + name;
    QCOMPARE(seen, QStringList{asked});
    prompter->openFileAnswers.clear();
    prompter->saveFileAnswers.clear();
    prompter->dialogScripts.clear();
  }

  void theTwoDimensionalWindowOpensAndClosesWithItsKeys() {
    QStringList asked;
    bool stillShown = true;
    prompter->dialogScripts.push_back([&](QDialog* d) {
      QApplication::setActiveWindow(d);
      if (!QTest::qWaitForWindowActive(d)) return int(QDialog::Rejected);
      prompter->openFileAnswers.push_back(QString());
      QTest::keySequence(d, QKeySequence(Qt::CTRL | Qt::Key_O));
      for (const TFileDialogOptions& o : prompter->fileDialogs) asked << o.title;
      QTest::keySequence(d, QKeySequence::Close);
      stillShown = d->isVisible();
      return int(QDialog::Rejected);
    });
    action(main(), "wodimensional1")->trigger();
    QCOMPARE(asked, QStringList{"Open"});
    QVERIFY(!stillShown);
  }

  void closeShortcutEndsTheMainWindow() {
    activateMain();
    keys(main(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(!main()->isVisible());
  }

  void accessKeysPressTheMainWindowsButtons_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Values>("expected");
    QTest::newRow("Alt+D standardizes") << int(Qt::Key_D) << Values{-1, 0, 1};
    QTest::newRow("Alt+X takes the exponent") << int(Qt::Key_X) << Values{1, 1, 1};
  }

  void accessKeysPressTheMainWindowsButtons() {
    QFETCH(int, key);
    QFETCH(Values, expected);
    open(file("s.txt", key == Qt::Key_X ? "0\n0\n0\n" : "1\n2\n3\n"));
    activateMain();
    QTest::keyClick(main(), Qt::Key(key), Qt::AltModifier);
    // An access key clicks its button the way a mouse does, a moment later.
    QTRY_COMPARE(sampleValues(), expected);
  }

  // Every window of this program: within each menu, and among a window's buttons, labels and
  // menu bar, every access key is used once; and every menu item has one.
  void accessKeysAreUniqueInEveryMenuAndWindow() {
    QList<QWidget*> all = {main()};
    for (QObject* o : main()->children())
      if (auto* d = qobject_cast<QDialog*>(o)) all << d;
    for (QWidget* window : all) {
      QStringList windowKeys;
      for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->window() == window) windowKeys << QKeySequence::mnemonic(b->text()).toString();
      for (QLabel* l : window->findChildren<QLabel*>())
        if (l->buddy() && l->window() == window)
          windowKeys << QKeySequence::mnemonic(l->text()).toString();
      for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        if (bar->window() == window)
          for (QAction* a : bar->actions())
            windowKeys << QKeySequence::mnemonic(a->text()).toString();
      windowKeys.removeAll(QString());
      QCOMPARE(QSet<QString>(windowKeys.begin(), windowKeys.end()).size(), windowKeys.size());

      for (QMenu* menu : window->findChildren<QMenu*>()) {
        if (!menu->parentWidget() || menu->parentWidget()->window() != window) continue;
        QStringList menuKeys;
        for (QAction* a : menu->actions()) {
          if (a->isSeparator()) continue;
          const QString key = QKeySequence::mnemonic(a->text()).toString();
          QVERIFY2(!key.isEmpty(), qPrintable(window->objectName() + ": " + a->text()));
          menuKeys << key;
        }
        QVERIFY2(QSet<QString>(menuKeys.begin(), menuKeys.end()).size() == menuKeys.size(),
                 qPrintable(window->objectName() + ": " + menuKeys.join(' ')));
      }
    }
  }

  void tabOrderFollowsTheLayout_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("main window") << "frmMain"
                                 << QStringList{"sgQuantityCharacteristics",
                                                "cbSetClassCount",
                                                "classCount",
                                                "cbFn",
                                                "rbDontDrop",
                                                "rbGammaDrop",
                                                "gamma1",
                                                "gamma2",
                                                "rbIntervalDrop",
                                                "LeftValue",
                                                "RightValue",
                                                "btnGetPower",
                                                "btnGetLn",
                                                "btnGetStandart",
                                                "btnGetExp",
                                                "btnGetPositive",
                                                "btnGetFirstValues",
                                                "rgLaw/0",
                                                "rgLaw/4",
                                                "sgSample"};
    QTest::newRow("series creation")
        << "frmSeriesCreation"
        << QStringList{"rgType/0", "eCount", "eL", "eS", "eB", "Button1", "textResult"};
    QTest::newRow("experiment") << "frmParamsCheck"
                                << QStringList{"rgType/2",    "eCount",  "eL",     "eA",
                                               "eCheckCount", "Button1", "details"};
    QTest::newRow("composition") << "frmCreateStatObj"
                                 << QStringList{"btChoose", "Button1", "props",
                                                "objname",  "btSave",  "selprops"};
    QTest::newRow("two series") << "frmCheckVariants"
                                << QStringList{"data",   "Select",        "ClearList",
                                               "isLock", "normalResults", "textResults"};
    QTest::newRow("two-dimensional")
        << "frm2D"
        << QStringList{"CheckBox9", "CheckBox1", "CheckBox4", "CheckBox5", "CheckBox8", "myout"};
  }

  void tabOrderFollowsTheLayout() {
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    QWidget* top =
        window == "frmMain" ? static_cast<QWidget*>(main()) : main()->findChild<QDialog*>(window);
    QVERIFY(top);
    // "group/i" names item i of a radio group.
    QList<QWidget*> expected;
    for (const QString& name : order) {
      QWidget* found = nullptr;
      if (name.contains('/')) {
        auto* group = top->findChild<QWidget*>(name.section('/', 0, 0));
        found = group->findChildren<QRadioButton*>().value(name.section('/', 1).toInt());
      } else {
        found = top->findChild<QWidget*>(name);
      }
      QVERIFY2(found, qPrintable(name));
      expected << found;
    }
    QCOMPARE(tabChain(top, expected), expected);
  }

  // The selection dialog's radio items are made when it is shown: they still come between the
  // grid and the buttons.
  void radioItemsMadeLaterKeepTheirPlaceInTheTabOrder() {
    statorium::TStatsObject obj;
    obj.addValues(statorium::TValues({1, 2}));
    obj.addValues(statorium::TValues({3, 4}));
    TfrmSelect* select = windows->frmSelect;
    prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
    const statorium::TValues* first = &obj.Prop(0);
    const statorium::TValues* second = &obj.Prop(1);
    select->ShowModal(obj, &first, &second);
    QList<QWidget*> expected = {select->findChild<QWidget*>("datas")};
    for (const char* group : {"rgFirst", "rgSecond"})
      for (QRadioButton* rb : select->findChild<QWidget*>(group)->findChildren<QRadioButton*>())
        expected << rb;
    expected << select->findChild<QWidget*>("ok") << select->findChild<QWidget*>("BitBtn1");
    QCOMPARE(expected.size(), 7);
    QCOMPARE(tabChain(select, expected), expected);
  }

  // ---- Files dropped from the desktop -------------------------------------------------------

  void aFileDroppedOnTheMainWindowOpensLikeOpen_data() {
    QTest::addColumn<QString>("target");  // the window itself or a control under the pointer
    QTest::newRow("on the window") << "frmMain";
    QTest::newRow("on the chart") << "chSampleChat";
    QTest::newRow("on the characteristics grid") << "sgQuantityCharacteristics";
  }

  void aFileDroppedOnTheMainWindowOpensLikeOpen() {
    QFETCH(QString, target);
    const QString first = file("first.txt", "3\n1\n2\n");
    const QString second = file("second.txt", "9\n");
    QWidget* on = target == "frmMain" ? main() : w(qPrintable(target));
    if (auto* area = qobject_cast<QAbstractScrollArea*>(on)) on = area->viewport();
    QVERIFY(drop(on, {url(first), url(second)}));
    QCOMPARE(main()->windowTitle(), "Statorium: " + first);
    QCOMPARE(sampleValues(), (Values{1, 2, 3}));
    QVERIFY(main()->samplePopupMenu());
  }

  void dragsWithoutFilesAreRefused_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::newRow("a web address") << QList<QUrl>{QUrl("https://example.org/data.txt")};
    QTest::newRow("a folder") << QList<QUrl>{QUrl::fromLocalFile(QDir::tempPath())};
    QTest::newRow("nothing") << QList<QUrl>{};
  }

  void dragsWithoutFilesAreRefused() {
    QFETCH(QList<QUrl>, urls);
    QVERIFY(!drop(main(), urls));
    QCOMPARE(main()->windowTitle(), QString("Statorium"));
    QVERIFY(!drop(windows->frmCheckVariants, urls));
    QCOMPARE(windows->frmCheckVariants->findChild<QListWidget*>("data")->count(), 0);
  }

  void anUnreadableDroppedFileShowsOneError() {
    open(file("s.txt", "5\n6\n8\n11\n15\n20\n26\n"));
    QVERIFY(drop(main(), {url(QString::fromStdString(dir->file("missing.txt")))}));
    QCOMPARE(prompter->errors, QStringList{"I/O error 103"});
    QCOMPARE(sampleValues(), (Values{5, 6, 8, 11, 15, 20, 26}));
  }

  void filesDroppedOnACheckWindowJoinItsListUnchecked_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("target");
    QTest::newRow("two series, on the list") << "frmCheckVariants"
                                             << "data";
    QTest::newRow("two series, on a memo") << "frmCheckVariants"
                                           << "textResults";
    QTest::newRow("many series, on the window") << "frmCheckManyVariants"
                                                << "frmCheckManyVariants";
  }

  void filesDroppedOnACheckWindowJoinItsListUnchecked() {
    QFETCH(QString, window);
    QFETCH(QString, target);
    auto* check = main()->findChild<QDialog*>(window);
    auto* list = check->findChild<QListWidget*>("data");
    auto* memo = check->findChild<QPlainTextEdit*>("textResults");
    const QString before = memo->toPlainText();
    QWidget* on = target == window ? check : check->findChild<QWidget*>(target);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(on)) on = area->viewport();
    const QString a = file("a.txt", "1\n2\n3\n"), b = file("b.txt", "2\n4\n6\n");
    QVERIFY(drop(on, {url(a), url(b)}));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), a);
    QCOMPARE(list->item(1)->text(), b);
    QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
    QCOMPARE(memo->toPlainText(), before);  // adding does not rerun the check
  }

  void filesDroppedOnTheCompositionBecomeCandidates() {
    TfrmCreateStatObj* compose = windows->frmCreateStatObj;
    const QString a = file("a.txt", "1\n2\n"), empty = file("empty.txt", "");
    const QString b = file("b.txt", "5\n");
    QVERIFY(drop(compose->findChild<TStringGrid*>("selprops")->viewport(),
                 {url(a), url(empty), url(b)}));
    auto* props = compose->findChild<TStringGrid*>("props");
    QCOMPARE(props->model()->rowCount(), 3);  // two candidates and the empty last row
    QCOMPARE(props->cellText(0, 0), a);
    QCOMPARE(props->cellText(1, 0), b);
  }

  // ---- Copy -----------------------------------------------------------------------------------

  // Loads 1, 2.5, 3, 4, ... so that the first row is full and the second holds one value, and
  // shows the grid; returns the grid's column count.
  int showTwoRowSample() {
    w<QTabWidget>("pages")->setCurrentIndex(1);
    open(file("one.txt", "1\n"));
    const int cols = sampleGrid()->model()->columnCount();
    std::string values = "1\n2.5\n";
    for (int v = 3; v <= cols + 1; ++v) values += std::to_string(v) + "\n";
    open(file("s.txt", values));
    return cols;
  }

  void ctrlCCopiesTheSelectedCells_data() {
    QTest::addColumn<char>("separator");
    QTest::addColumn<QRect>("selection");  // columns x, rows y
    QTest::addColumn<QString>("expected");
    QTest::newRow("a rectangle") << '.' << QRect(1, 0, 2, 2) << "2.5\t3\n\t";
    QTest::newRow("one cell under a comma locale") << ',' << QRect(1, 0, 1, 1) << "2,5";
    QTest::newRow("nothing selected: all") << '.' << QRect() << QString();
  }

  void ctrlCCopiesTheSelectedCells() {
    QFETCH(char, separator);
    QFETCH(QRect, selection);
    QFETCH(QString, expected);
    statorium::DecimalSeparatorScope scope(separator);
    const int cols = showTwoRowSample();
    QVERIFY(cols > 3);
    if (selection.isEmpty()) {
      QStringList first = {"1", "2.5"};
      for (int v = 3; v <= cols; ++v) first << QString::number(v);
      expected = first.join('\t') + '\n' + QString::number(cols + 1) + QString(cols - 1, '\t');
    }
    sampleGrid()->clearSelection();
    if (!selection.isEmpty()) {
      const QAbstractItemModel* m = sampleGrid()->model();
      sampleGrid()->selectionModel()->select(
          QItemSelection(m->index(selection.top(), selection.left()),
                         m->index(selection.bottom(), selection.right())),
          QItemSelectionModel::ClearAndSelect);
    }
    QGuiApplication::clipboard()->clear();
    activateMain();
    sampleGrid()->setFocus();
    QTest::keyClick(sampleGrid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard(), expected);
  }

  void copyingAllOfAGridTakesItsCaptions() {
    open(file("s.txt", "1\n2\n3\n4\n5\n6\n7\n8\n"));
    auto* grid = w<QTableWidget>("sgQuantityCharacteristics");
    grid->clearSelection();
    QMenu* menu = grid->findChild<QMenu*>();
    QVERIFY(menu);
    action(menu, "Copy1")->trigger();
    const QStringList lines = clipboard().split('\n');
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], QString("\tLeft edge (0.05)\tValue\tRight edge (0.05)\t"
                               "Quadratic Average of values"));
    QVERIFY2(lines[1].startsWith(grid->verticalHeaderItem(0)->text() + '\t'), qPrintable(lines[1]));
    QCOMPARE(lines[1].split('\t').size(), 5);
  }

  void memosCopyTheirSelectionOrAllOfThem() {
    TfrmCheckVariants* check = windows->frmCheckVariants;
    prompter->dialogScripts.push_back([&](QDialog*) {
      auto* memo = check->findChild<QPlainTextEdit*>("textResults");
      memo->setPlainText("first line\nsecond line");
      QApplication::setActiveWindow(check);
      if (!QTest::qWaitForWindowActive(check)) return int(QDialog::Rejected);
      memo->setFocus();
      QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
      const QString all = clipboard();
      QTextCursor cursor = memo->textCursor();
      cursor.setPosition(6);
      cursor.setPosition(17, QTextCursor::KeepAnchor);
      memo->setTextCursor(cursor);
      QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
      return all == "first line\nsecond line" && clipboard() == "line\nsecond"
                 ? int(QDialog::Accepted)
                 : int(QDialog::Rejected);
    });
    QCOMPARE(prompter->execDialog(check), int(QDialog::Accepted));
  }

  // ---- Export ---------------------------------------------------------------------------------

  void gridsExportInTheFormatOfTheExtension_data() {
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    // The first row as shown: the three values, then the row's empty cells.
    QTest::newRow("text") << '.' << "grid.txt"
                          << "1.5\t2\t4\t\t";
    QTest::newRow("CSV") << '.' << "grid.csv"
                         << "1.5,2,4,,";
    QTest::newRow("CSV under a comma locale") << ',' << "grid.CSV"
                                              << "1,5;2;4;;";
    QTest::newRow("HTML") << '.' << "grid.html"
                          << "<tr><td>1.5</td><td>2</td><td>4</td><td></td>";
  }

  void gridsExportInTheFormatOfTheExtension() {
    QFETCH(char, separator);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    statorium::DecimalSeparatorScope scope(separator);
    open(file("s.txt", "4\n1.5\n2\n"));
    const QString path = QString::fromStdString(dir->file(name.toStdString()));
    prompter->saveFileAnswers.push_back(path);
    action(main()->samplePopupMenu(), "Export1")->trigger();
    const TFileDialogOptions& o = prompter->fileDialogs.last();
    QCOMPARE(o.filter, QString("Text file (*.txt);;CSV file (*.csv);;HTML file (*.html)"));
    const QString written = QString::fromStdString(TempDir::read(path.toStdString()));
    QVERIFY2(written.startsWith(expected) || written.contains("\n" + expected),
             qPrintable(written.left(200)));
    if (name.endsWith(".html")) QVERIFY(written.contains("<title>Statorium: "));
  }

  void reportsExportAsTheirLines() {
    auto* memo = windows->frm2D->findChild<QTextEdit*>("myout");
    memo->setPlainText("r = 0.5 <significant>\nn = 10");
    const std::string path = dir->file("report.html");
    prompter->saveFileAnswers.push_back(QString::fromStdString(path));
    action(memo->findChild<QMenu*>(), "Export1")->trigger();
    QVERIFY(TempDir::read(path).find("<pre>\nr = 0.5 &lt;significant&gt;\nn = 10\n</pre>") !=
            std::string::npos);
    QCOMPARE(prompter->fileDialogs.last().fileName, QString("Report"));
  }

  void chartsExportAsPicturesOfTheSizeAsked_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QSize>("expected");  // invalid: no file is written
    QTest::newRow("PNG") << "chart.png"
                         << "640x480" << QSize(640, 480);
    QTest::newRow("PNG, blanks and a capital X") << "c.png"
                                                 << " 300 X 200 " << QSize(300, 200);
    QTest::newRow("PDF") << "chart.pdf"
                         << "800x600" << QSize(800, 600);
    QTest::newRow("a size that is no size") << "bad.png"
                                            << "big" << QSize();
    QTest::newRow("too large") << "huge.png"
                               << "20000x100" << QSize();
  }

  void chartsExportAsPicturesOfTheSizeAsked() {
    QFETCH(QString, name);
    QFETCH(QString, size);
    QFETCH(QSize, expected);
    open(file("s.txt", "1\n2\n2\n3\n3\n3\n4\n4\n5\n"));
    const std::string path = dir->file(name.toStdString());
    prompter->saveFileAnswers.push_back(QString::fromStdString(path));
    prompter->inputAnswers.push_back(size);
    action(w("PopupMenu1"), "Export1")->trigger();
    QCOMPARE(prompter->inputPrompts.last(),
             QString("Export|Picture size in pixels (width x height)|800x600"));
    QCOMPARE(prompter->fileDialogs.last().filter,
             QString("PNG image (*.png);;PDF document (*.pdf)"));
    if (!expected.isValid()) {
      QCOMPARE(prompter->messages, QStringList{"Wrong picture size!"});
      QVERIFY(!std::filesystem::exists(path));
    } else if (name.endsWith(".pdf")) {
      QVERIFY(TempDir::read(path).starts_with("%PDF"));
    } else {
      QCOMPARE(QImage(QString::fromStdString(path)).size(), expected);
    }
    QVERIFY(prompter->errors.isEmpty());
  }

  void theTwoDimensionalChartHasAnExportMenu() {
    auto* chart = windows->frm2D->findChild<TChartView*>("Chart1");
    const std::string path = dir->file("field.png");
    prompter->saveFileAnswers.push_back(QString::fromStdString(path));
    prompter->inputAnswers.push_back(QString("200x100"));
    action(chart->findChild<QMenu*>(), "Export1")->trigger();
    QCOMPARE(QImage(QString::fromStdString(path)).size(), QSize(200, 100));
  }

  void aCancelledExportWritesNothing() {
    open(file("s.txt", "1\n2\n4\n7\n11\n16\n22\n"));
    prompter->saveFileAnswers.push_back(QString());
    action(main()->samplePopupMenu(), "Export1")->trigger();
    prompter->saveFileAnswers.push_back(QString::fromStdString(dir->file("c.png")));
    prompter->inputAnswers.push_back(std::nullopt);
    action(w("PopupMenu1"), "Export1")->trigger();
    QVERIFY(!std::filesystem::exists(dir->file("c.png")));
    QVERIFY(prompter->errors.isEmpty());
  }

  // ---- CSV in the comma-decimal form ---------------------------------------------------------

  void opensASemicolonCsvUnderACommaLocale() {
    statorium::DecimalSeparatorScope comma(',');
    prompter->dialogScripts.push_back([](QDialog* d) {
      qobject_cast<TfrmSelect*>(d)->setFirstIndex(1);
      return int(QDialog::Accepted);
    });
    open(file("table.csv", "x;y\n1,5;2,5\n3;-4,25\n"));
    QCOMPARE(sampleValues(), (Values{-4.25L, 2.5L}));
    QCOMPARE(sampleGrid()->cellText(0, 0), QString("-4,25"));
  }

  // ---- Undo and redo of the working sample ---------------------------------------------------

  void everyChangeOfTheSampleUndoesAndRedoes_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<Values>("changed");
    QTest::addColumn<QString>("modeAfter");  // the radio button checked after the change
    QTest::newRow("insert") << "insert 2.5" << Values{1, 2, 2.5L, 4, 8} << "rbDontDrop";
    QTest::newRow("delete") << "delete 1" << Values{1, 4, 8} << "rbDontDrop";
    QTest::newRow("ln") << "Ln" << Values{} << "rbDontDrop";  // whatever the logarithms give
    QTest::newRow("power") << "Power 2" << Values{1, 4, 16, 64} << "rbDontDrop";
    QTest::newRow("interval mode") << "interval" << Values{1, 2, 4} << "rbIntervalDrop";
  }

  void everyChangeOfTheSampleUndoesAndRedoes() {
    QFETCH(QString, change);
    QFETCH(Values, changed);
    QFETCH(QString, modeAfter);
    open(file("s.txt", "4\n1\n8\n2\n"));
    const Values loaded = {1, 2, 4, 8};
    QVERIFY(!action(main(), "Undo1")->isEnabled());
    if (change.startsWith("insert")) {
      prompter->inputAnswers.push_back(change.section(' ', 1));
      action(main(), "Insertvalue1")->trigger();
    } else if (change.startsWith("delete")) {
      sampleGrid()->setCurrentIndex(
          sampleGrid()->model()->index(0, change.section(' ', 1).toInt()));
      action(main(), "Deletevalue1")->trigger();
    } else if (change == "Ln") {
      w<QPushButton>("btnGetLn")->click();
    } else if (change.startsWith("Power")) {
      prompter->inputAnswers.push_back(change.section(' ', 1));
      w<QPushButton>("btnGetPower")->click();
    } else {
      w<QLineEdit>("RightValue")->setText("5");
      w<QRadioButton>("rbIntervalDrop")->click();
    }
    if (changed.empty()) changed = sampleValues();
    QCOMPARE(sampleValues(), changed);
    QVERIFY(changed != loaded);
    activateMain();
    keys(main(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(sampleValues(), loaded);
    QVERIFY(w<QRadioButton>("rbDontDrop")->isChecked());
    QVERIFY(!w<QLineEdit>("RightValue")->isEnabled());
    QCOMPARE(sampleGrid()->cellText(0, 3), QString("8"));  // the refresh chain ran
    QVERIFY(!action(main(), "Undo1")->isEnabled());
    keys(main(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(sampleValues(), changed);
    QVERIFY(w<QRadioButton>(qPrintable(modeAfter))->isChecked());
    QCOMPARE(main()->variants().m_Total, int32_t(changed.size()));
    QVERIFY(!action(main(), "Redo1")->isEnabled());
  }

  void undoGoesBackOneStepAtATimePastInitial() {
    open(file("s.txt", "1\n2\n3\n"));
    prompter->inputAnswers.push_back(QString("10"));
    action(main(), "Insertvalue1")->trigger();
    w<QPushButton>("btnGetStandart")->click();
    const Values standard = sampleValues();
    w<QPushButton>("btnGetFirstValues")->click();
    QCOMPARE(sampleValues(), (Values{1, 2, 3}));
    action(main(), "Undo1")->trigger();
    QCOMPARE(sampleValues(), standard);
    action(main(), "Undo1")->trigger();
    QCOMPARE(sampleValues(), (Values{1, 2, 3, 10}));
    // A new change forgets what could be redone.
    w<QPushButton>("btnGetExp")->click();
    QVERIFY(!action(main(), "Redo1")->isEnabled());
    QCOMPARE(main()->history().undoCount(), 2);
  }

  void aChangeThatChangesNothingIsNoStep() {
    open(file("s.txt", "1\n2\n3\n"));
    w<QPushButton>("btnGetFirstValues")->click();
    w<QPushButton>("btnGetPositive")->click();  // nothing negative to move
    QVERIFY(!main()->history().canUndo());
  }

  void loadingForgetsTheSteps() {
    open(file("a.txt", "1\n2\n"));
    w<QPushButton>("btnGetExp")->click();
    QVERIFY(action(main(), "Undo1")->isEnabled());
    QVERIFY(drop(main(), {url(file("b.txt", "5\n6\n"))}));
    QVERIFY(!action(main(), "Undo1")->isEnabled());
    QVERIFY(!main()->history().canUndo());
  }
};

QTEST_MAIN(TestConventions)
#include "tst_conventions.moc"

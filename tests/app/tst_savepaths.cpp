// Saving never loses data, on every path a window writes a file by: the sample ("Save as"),
// generated series files, statobject files, the main components file, and the exports of grids,
// reports and charts. When the disk fills part way (a file size limit stands in for it), the
// file that was there keeps its content, no temporary file is left and one error box says why;
// the next save writes the complete new file.

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>
#include <filesystem>

#include "analysis2d/twod.h"
#include "analysisnd/nd.h"
#include "app/mainwindow.h"
#include "app/stringgrid.h"
#include "app/windows.h"
#include "charts/chartview.h"
#include "core/errors.h"
#include "dialogs/seriescreation.h"
#include "tests/core/filelimits.h"
#include "tests/support/appfixture.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/hostilefiles.h"

using statorium::test::folderEntries;
using statorium::test::HostileFiles;
using statorium::test::TempDir;

class TestSavePaths;

namespace {

constexpr const char* kOld = "old content";
// Smaller than every file saved here: the write fails part way.
constexpr rlim_t kFullAt = 16;

// One way of saving: `prepare` gives the window something to save, `save` writes it to the
// path, `complete` tells whether the path holds the whole of it.
struct SavePath {
  const char* name;
  const char* file;  // the target's name
  std::function<void(TestSavePaths&)> prepare;
  std::function<void(TestSavePaths&, const QString&)> save;
  std::function<bool(const std::string&)> complete;
};

bool sampleOfTwenty(const std::string& path) {
  statorium::TValues back;
  back.LoadFromTxtFile(path);
  return back.count() == 20 && TempDir::read(path).size() == 20u * 26;
}

bool statobjectOf(const std::string& path, int properties) {
  statorium::TStatsObject back;
  try {
    back.readStaObject(path);
  } catch (const statorium::Error&) {
    return false;
  }
  return back.propCount() == properties && back.Prop(0).count() > 0;
}

}  // namespace

class TestSavePaths : public QObject, public TAppFixture<> {
  Q_OBJECT

 public:
  std::unique_ptr<HostileFiles> files;

  QString ordinary(const char* name) { return QString::fromStdString(files->path(name)); }
  void trigger(QObject* owner, const char* action) {
    QAction* a = owner->findChild<QAction*>(action);
    QVERIFY2(a, action);
    a->trigger();
  }
  void open(const QString& path) {
    prompter->openFileAnswers.push_back(path);
    trigger(main(), "Open1");
  }
  // The 2D window's report of the ordinary statobject.
  void analyseInTwoD() {
    prompter->openFileAnswers.push_back(ordinary("good2.sta"));
    for (int i = 0; i < 2; ++i)
      prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
    trigger(windows->frm2D, "Open1");
    prompter->dialogScripts.clear();
  }
  void exportChart(const QString& path) {
    prompter->saveFileAnswers.push_back(path);
    prompter->inputAnswers.push_back("400x300");
    trigger(main()->findChild<QMenu*>("PopupMenu1"), "Export1");
  }

  static const std::vector<SavePath>& paths();

 private slots:
  void initTestCase() { files = std::make_unique<HostileFiles>(); }

  void init() { startApplication(); }

  void cleanup() { endApplication(); }

  void cleanupTestCase() { files.reset(); }

  void aFullDiskKeepsTheOldFile_data() {
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < paths().size(); ++i)
      QTest::newRow(paths()[i].name) << static_cast<int>(i);
  }

  void aFullDiskKeepsTheOldFile() {
    QFETCH(int, index);
    const SavePath& p = paths()[static_cast<size_t>(index)];
    if (p.prepare) p.prepare(*this);
    if (QTest::currentTestFailed()) return;
    prompter->errors.clear();
    const std::string target = dir->write(p.file, kOld);
    const std::vector<std::string> before = folderEntries(dir->path());
    {
      statorium::test::FileSizeLimit full(kFullAt);
      p.save(*this, QString::fromStdString(target));
    }
    QCOMPARE(prompter->errors.size(), 1);
    QVERIFY2(!prompter->errors[0].isEmpty(), "an empty error message");
    QCOMPARE(TempDir::read(target), std::string(kOld));
    QCOMPARE(folderEntries(dir->path()), before);

    prompter->errors.clear();
    p.save(*this, QString::fromStdString(target));
    QVERIFY2(prompter->errors.isEmpty(), qPrintable(prompter->errors.join("; ")));
    QVERIFY2(p.complete(target), p.file);
    QCOMPARE(folderEntries(dir->path()), before);
  }

  // Series files take a new name each time, so no series is ever replaced: a failed creation
  // leaves no file at all, the next one a complete file.
  void aFullDiskLeavesNoSeriesFile() {
    TfrmSeriesCreation* w = windows->frmSeriesCreation;
    const QString data = QString::fromStdString(dir->file("data"));
    w->setDataFolder(data);
    {
      statorium::test::FileSizeLimit full(kFullAt);
      w->findChild<QPushButton*>("Button1")->click();
    }
    QCOMPARE(prompter->errors, QStringList{"I/O error 27"});
    QCOMPARE(folderEntries(dir->path() / "data" / "100"), std::vector<std::string>{});
    QVERIFY(w->fileName().isEmpty());
    prompter->errors.clear();
    w->findChild<QPushButton*>("Button1")->click();
    QVERIFY(prompter->errors.isEmpty());
    QCOMPARE(w->fileName(), data + "/100/EXP1");
    statorium::TValues back;
    back.LoadFromTxtFile(w->fileName().toStdString());
    QCOMPARE(back.count(), 100);
    QCOMPARE(folderEntries(dir->path() / "data" / "100"), std::vector<std::string>{"EXP1"});
  }
};

const std::vector<SavePath>& TestSavePaths::paths() {
  using T = TestSavePaths;
  static const auto loadSample = [](T& t) { t.open(t.ordinary("ok1.txt")); };
  static const std::vector<SavePath> table = {
      {"sample: Save as", "sample.txt", loadSample,
       [](T& t, const QString& path) {
         t.prompter->saveFileAnswers.push_back(path);
         t.trigger(t.main(), "Save1");
       },
       sampleOfTwenty},
      {"statobject: Compose object", "object.sta", nullptr,
       [](T& t, const QString& path) {
         t.prompter->dialogScripts.push_back([&t](QDialog* d) {
           t.trigger(d, "Clearall1");  // the window keeps its lists between showings
           t.trigger(d, "Clearall2");
           t.prompter->openFilesAnswers.push_back({t.ordinary("ok1.txt"), t.ordinary("ok2.txt")});
           d->findChild<QPushButton*>("btChoose")->click();
           auto* props = d->findChild<TStringGrid*>("props");
           for (int r = 0; r < 2; ++r) {
             props->selectRow(r);
             t.trigger(d, "Addtoobject");
           }
           d->findChild<QPushButton*>("btSave")->click();
           return d->result();
         });
         t.prompter->saveFileAnswers.push_back(path);
         t.trigger(t.main(), "Createobject1");
       },
       [](const std::string& path) { return statobjectOf(path, 2); }},
      // "objecti.sta" beside "object.sta": replaced with the user's consent.
      {"main components file", "objecti.sta",
       [](T& t) {
         std::filesystem::copy_file(t.files->path("good.sta"), t.dir->file("object.sta"));
       },
       [](T& t, const QString&) {
         t.prompter->openFileAnswers.push_back(QString::fromStdString(t.dir->file("object.sta")));
         t.prompter->dialogScripts.push_back([](QDialog*) { return int(QDialog::Accepted); });
         t.prompter->yesNoAnswers.push_back(true);
         t.trigger(t.windows->frmND, "Open1");
       },
       [](const std::string& path) { return statobjectOf(path, 2) || statobjectOf(path, 3); }},
      {"sample grid: Export as text", "grid.txt", loadSample,
       [](T& t, const QString& path) {
         t.prompter->saveFileAnswers.push_back(path);
         t.trigger(t.main()->samplePopupMenu(), "Export1");
       },
       [](const std::string& path) {
         const std::string text = TempDir::read(path);
         return std::count(text.begin(), text.end(), '\t') >= 19 && text.ends_with("\n");
       }},
      {"characteristics grid: Export as CSV", "grid.csv", loadSample,
       [](T& t, const QString& path) {
         t.prompter->saveFileAnswers.push_back(path);
         auto* grid = t.main()->findChild<QWidget*>("sgQuantityCharacteristics");
         t.trigger(grid->findChild<QMenu*>(), "Export1");
       },
       [](const std::string& path) {
         const std::string text = TempDir::read(path);
         return text.find("Average") != std::string::npos && text.ends_with("\r\n");
       }},
      {"report: Export as HTML", "report.html", [](T& t) { t.analyseInTwoD(); },
       [](T& t, const QString& path) {
         t.prompter->saveFileAnswers.push_back(path);
         auto* memo = t.windows->frm2D->findChild<QTextEdit*>("myout");
         t.trigger(memo->findChild<QMenu*>(), "Export1");
       },
       [](const std::string& path) {
         const std::string text = TempDir::read(path);
         return text.find("BASIC:") != std::string::npos &&
                text.find("</html>") != std::string::npos;
       }},
      {"chart: Export as PNG", "chart.png", loadSample,
       [](T& t, const QString& path) { t.exportChart(path); },
       [](const std::string& path) {
         return QImage(QString::fromStdString(path)).size() == QSize(400, 300);
       }},
      {"chart: Export as PDF", "chart.pdf", loadSample,
       [](T& t, const QString& path) { t.exportChart(path); },
       [](const std::string& path) {
         const std::string text = TempDir::read(path);
         return text.starts_with("%PDF") && text.find("%%EOF") != std::string::npos;
       }},
  };
  return table;
}

QTEST_MAIN(TestSavePaths)
#include "tst_savepaths.moc"

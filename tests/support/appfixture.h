#pragma once
// The application a window test starts from: the scripted prompter, every window of the program
// with the main window shown, and a scratch folder for the files the test writes.

#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "app/windows.h"
#include "tests/support/fakeprompter.h"
#include "tests/support/tempdir.h"

template <class Prompter = TFakePrompter>
struct TAppFixture {
  std::unique_ptr<Prompter> prompter;
  std::unique_ptr<TApplicationWindows> windows;
  std::unique_ptr<statorium::test::TempDir> dir;

  TfrmMain* main() { return windows->frmMain.get(); }

  /// A fresh application with its main window shown (a test's init()).
  void startApplication() {
    prompter = std::make_unique<Prompter>();
    windows = std::make_unique<TApplicationWindows>(*prompter);
    dir = std::make_unique<statorium::test::TempDir>();
    main()->show();
    QVERIFY(QTest::qWaitForWindowExposed(main()));
  }

  /// Fails when the prompter was asked what the test did not script, then ends the application
  /// (a test's cleanup()).
  void endApplication() {
    QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join("; ")));
    windows.reset();
    prompter.reset();
    dir.reset();
  }
};

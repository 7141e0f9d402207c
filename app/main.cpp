// Statorium: start-up of the desktop program.

#include <QApplication>

#include "app/mainwindow.h"
#include "app/prompter.h"
#include "app/windows.h"
#include "core/numtext.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Statorium"));
  QApplication::setApplicationDisplayName(QStringLiteral("Statorium"));
  // The desktop finds the installed entry, and with it the icon, under this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("statorium"));
  // Number texts follow the user's locale; the C library's own locale is left alone.
  statorium::setDecimalSeparator(statorium::environmentDecimalSeparator());

  TQtPrompter prompter;
  TApplicationWindows windows(prompter);
  windows.frmMain->show();
  return QApplication::exec();
}

#pragma once
// TPrompter: every question a window asks the user goes through this one interface, so that
// the tests can answer with a scripted fake and every window runs offscreen without a person.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

#include "core/progress.h"

class QDialog;
class QWidget;

/// What a file dialog shows. The filter uses the toolkit's form:
/// "Data files (*.txt);;Any files (*.*)".
struct TFileDialogOptions {
  QString title;
  QString filter;
  QString directory = QStringLiteral(".");
  QString defaultSuffix;  // without the dot, e.g. "txt"
  QString fileName;       // preset name
};

/// The progress of a long computation, shown once it has run for about a second.
class TProgress {
 public:
  virtual ~TProgress() = default;
  /// Reports `value` steps of the maximum done; false once the user has asked to cancel.
  virtual bool setValue(int value) = 0;
};

class TPrompter {
 public:
  virtual ~TPrompter() = default;

  /// An existing file to open; empty when cancelled.
  virtual QString getOpenFileName(QWidget* parent, const TFileDialogOptions& options) = 0;
  /// Several existing files to open; empty when cancelled.
  virtual QStringList getOpenFileNames(QWidget* parent, const TFileDialogOptions& options) = 0;
  /// A file to save to; empty when cancelled.
  virtual QString getSaveFileName(QWidget* parent, const TFileDialogOptions& options) = 0;
  /// A line of text; `text` holds the initial text and receives the answer. False on cancel.
  virtual bool inputQuery(QWidget* parent, const QString& title, const QString& prompt,
                          QString& text) = 0;
  /// A plain message box with an OK button.
  virtual void showMessage(QWidget* parent, const QString& text) = 0;
  /// An error box with an OK button.
  virtual void showError(QWidget* parent, const QString& text) = 0;
  /// A message box with an information icon, its own caption and an OK button.
  virtual void showInformation(QWidget* parent, const QString& caption, const QString& text) = 0;
  /// A question answered with Yes or No; true for Yes.
  virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
  /// Shows a window modally and returns its result (QDialog::Accepted or Rejected).
  virtual int execDialog(QDialog* dialog) = 0;
  /// A colour; nothing when cancelled.
  virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
  /// Asks the desktop to open a web address in the user's browser.
  virtual void openUrl(const QUrl& url) = 0;
  /// Starts showing the progress of a computation of `maximum` steps with a Cancel button;
  /// the display ends when the returned object is destroyed.
  virtual std::unique_ptr<TProgress> startProgress(QWidget* parent, const QString& text,
                                                   int maximum) = 0;
};

/// The real dialogs of the toolkit.
class TQtPrompter : public TPrompter {
 public:
  QString getOpenFileName(QWidget* parent, const TFileDialogOptions& options) override;
  QStringList getOpenFileNames(QWidget* parent, const TFileDialogOptions& options) override;
  QString getSaveFileName(QWidget* parent, const TFileDialogOptions& options) override;
  bool inputQuery(QWidget* parent, const QString& title, const QString& prompt,
                  QString& text) override;
  void showMessage(QWidget* parent, const QString& text) override;
  void showError(QWidget* parent, const QString& text) override;
  void showInformation(QWidget* parent, const QString& caption, const QString& text) override;
  bool askYesNo(QWidget* parent, const QString& text) override;
  int execDialog(QDialog* dialog) override;
  std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
  void openUrl(const QUrl& url) override;
  std::unique_ptr<TProgress> startProgress(QWidget* parent, const QString& text,
                                           int maximum) override;
};

/// The text of a progress display while a file is read: "Reading <file name>...".
QString readingText(const QString& fileName);

/// A progress display for the core's computations, which report the share of their work done
/// (core/progress.h): the display counts kSteps steps, shown as the prompter shows progress.
class TShareProgress {
 public:
  static constexpr int kSteps = 100;

  TShareProgress(TPrompter& prompter, QWidget* parent, const QString& text);
  TShareProgress(const TShareProgress&) = delete;
  TShareProgress& operator=(const TShareProgress&) = delete;

  /// What the core reports to: a share d sets the display to d * kSteps, and the answer is false
  /// once the user has asked to cancel. After close() it shows nothing and never cancels.
  const statorium::Progress& progress() const { return m_progress; }
  /// Ends the display, before the window asks the user something in the middle of the work.
  void close() { m_display.reset(); }

 private:
  std::unique_ptr<TProgress> m_display;
  statorium::Progress m_progress;
};

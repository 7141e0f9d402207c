#pragma once
// A scripted TPrompter for offscreen GUI tests: answers come from queues the test fills, and
// every question asked is recorded. A question with no scripted answer is recorded in
// `unexpected` and answered as if cancelled.

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "app/prompter.h"

class TFakePrompter : public TPrompter {
 public:
  /// Runs while a window is shown modally; returns its result (Accepted or Rejected).
  using DialogScript = std::function<int(QDialog*)>;

  std::deque<QString> openFileAnswers;  // "" answers as a cancel
  std::deque<QStringList> openFilesAnswers;
  std::deque<QString> saveFileAnswers;
  std::deque<std::optional<QString>> inputAnswers;  // nullopt answers as a cancel
  std::deque<DialogScript> dialogScripts;
  std::deque<std::optional<QColor>> colorAnswers;
  std::deque<bool> yesNoAnswers;  // an unscripted question is answered No

  QStringList messages;   // plain and information messages
  QStringList captions;   // the caption of each information message
  QStringList questions;  // every yes/no question asked
  QStringList errors;
  QStringList unexpected;
  QList<TFileDialogOptions> fileDialogs;  // options of every file dialog asked
  QStringList inputPrompts;               // "title|prompt|initial text" of every input query
  QStringList dialogsShown;               // objectName of every window shown modally
  QList<QUrl> urlsOpened;
  /// Progress displays: "text|maximum" of each started, and every value reported.
  QStringList progressShown;
  QList<int> progressValues;
  /// The progress answers "cancel" once a value reaches this.
  std::optional<int> cancelProgressAt;

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

#include "app/prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRegularExpression>
#include <memory>

namespace {

QFileDialog* makeFileDialog(QWidget* parent, const TFileDialogOptions& o) {
  auto* d = new QFileDialog(parent, o.title, o.directory, o.filter);
  d->setAttribute(Qt::WA_DeleteOnClose, false);
  if (!o.defaultSuffix.isEmpty()) d->setDefaultSuffix(o.defaultSuffix);
  if (!o.fileName.isEmpty()) d->selectFile(o.fileName);
  return d;
}

}  // namespace

QString TQtPrompter::getOpenFileName(QWidget* parent, const TFileDialogOptions& options) {
  std::unique_ptr<QFileDialog> d(makeFileDialog(parent, options));
  d->setFileMode(QFileDialog::ExistingFile);
  d->setAcceptMode(QFileDialog::AcceptOpen);
  if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty()) return {};
  return d->selectedFiles().first();
}

QStringList TQtPrompter::getOpenFileNames(QWidget* parent, const TFileDialogOptions& options) {
  std::unique_ptr<QFileDialog> d(makeFileDialog(parent, options));
  d->setFileMode(QFileDialog::ExistingFiles);
  d->setAcceptMode(QFileDialog::AcceptOpen);
  if (d->exec() != QDialog::Accepted) return {};
  return d->selectedFiles();
}

QString TQtPrompter::getSaveFileName(QWidget* parent, const TFileDialogOptions& options) {
  std::unique_ptr<QFileDialog> d(makeFileDialog(parent, options));
  d->setFileMode(QFileDialog::AnyFile);
  d->setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without an extension takes the one of the filter chosen, so that choosing
  // "CSV file (*.csv)" writes CSV.
  QFileDialog* dialog = d.get();
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
    static const QRegularExpression extension(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch m = extension.match(filter);
    if (m.hasMatch()) dialog->setDefaultSuffix(m.captured(1));
  });
  if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty()) return {};
  return d->selectedFiles().first();
}

bool TQtPrompter::inputQuery(QWidget* parent, const QString& title, const QString& prompt,
                             QString& text) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, text, &ok);
  if (ok) text = answer;
  return ok;
}

void TQtPrompter::showMessage(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
}

void TQtPrompter::showError(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

void TQtPrompter::showInformation(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox::information(parent, caption, text);
}

bool TQtPrompter::askYesNo(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int TQtPrompter::execDialog(QDialog* dialog) {
  return dialog->exec();
}

std::optional<QColor> TQtPrompter::chooseColor(QWidget* parent, const QColor& initial) {
  const QColor c = QColorDialog::getColor(initial, parent);
  if (!c.isValid()) return std::nullopt;
  return c;
}

void TQtPrompter::openUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

namespace {

class TQtProgress : public TProgress {
 public:
  TQtProgress(QWidget* parent, const QString& text, int maximum)
      : m_dialog(text, QStringLiteral("Cancel"), 0, maximum, parent) {
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(1000);  // short runs show nothing
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
  }
  bool setValue(int value) override {
    m_dialog.setValue(value);
    // A window-modal dialog processes events in setValue only while shown: keep the window
    // painted and the Cancel button answering in between as well. Until the dialog shows, the
    // window is not blocked, so the user's clicks and keys wait for the end of the work instead
    // of starting another action in the middle of this one.
    QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents
                                                         : QEventLoop::ExcludeUserInputEvents);
    return !m_dialog.wasCanceled();
  }

 private:
  QProgressDialog m_dialog;
};

}  // namespace

std::unique_ptr<TProgress> TQtPrompter::startProgress(QWidget* parent, const QString& text,
                                                      int maximum) {
  return std::make_unique<TQtProgress>(parent, text, maximum);
}

QString readingText(const QString& fileName) {
  return QStringLiteral("Reading %1...").arg(QFileInfo(fileName).fileName());
}

TShareProgress::TShareProgress(TPrompter& prompter, QWidget* parent, const QString& text)
    : m_display(prompter.startProgress(parent, text, kSteps)) {
  m_progress = [this](double done) {
    if (!m_display) return true;
    const double steps = done * kSteps + 0.5;
    return m_display->setValue(steps < 0 ? 0 : steps > kSteps ? kSteps : static_cast<int>(steps));
  };
}

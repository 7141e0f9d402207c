#include "tests/support/fakeprompter.h"

QString TFakePrompter::getOpenFileName(QWidget*, const TFileDialogOptions& options) {
  fileDialogs << options;
  if (openFileAnswers.empty()) {
    unexpected << QStringLiteral("open file: ") + options.title;
    return {};
  }
  QString a = openFileAnswers.front();
  openFileAnswers.pop_front();
  return a;
}

QStringList TFakePrompter::getOpenFileNames(QWidget*, const TFileDialogOptions& options) {
  fileDialogs << options;
  if (openFilesAnswers.empty()) {
    unexpected << QStringLiteral("open files: ") + options.title;
    return {};
  }
  QStringList a = openFilesAnswers.front();
  openFilesAnswers.pop_front();
  return a;
}

QString TFakePrompter::getSaveFileName(QWidget*, const TFileDialogOptions& options) {
  fileDialogs << options;
  if (saveFileAnswers.empty()) {
    unexpected << QStringLiteral("save file: ") + options.title;
    return {};
  }
  QString a = saveFileAnswers.front();
  saveFileAnswers.pop_front();
  return a;
}

bool TFakePrompter::inputQuery(QWidget*, const QString& title, const QString& prompt,
                               QString& text) {
  inputPrompts << title + QLatin1Char('|') + prompt + QLatin1Char('|') + text;
  if (inputAnswers.empty()) {
    unexpected << QStringLiteral("input: ") + title;
    return false;
  }
  const std::optional<QString> a = inputAnswers.front();
  inputAnswers.pop_front();
  if (!a) return false;
  text = *a;
  return true;
}

void TFakePrompter::showMessage(QWidget*, const QString& text) {
  messages << text;
}

void TFakePrompter::showError(QWidget*, const QString& text) {
  errors << text;
}

void TFakePrompter::showInformation(QWidget*, const QString& caption, const QString& text) {
  captions << caption;
  messages << text;
}

bool TFakePrompter::askYesNo(QWidget*, const QString& text) {
  questions << text;
  if (yesNoAnswers.empty()) {
    unexpected << QStringLiteral("question: ") + text;
    return false;
  }
  const bool a = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return a;
}

int TFakePrompter::execDialog(QDialog* dialog) {
  dialogsShown << dialog->objectName();
  if (dialogScripts.empty()) {
    unexpected << QStringLiteral("dialog: ") + dialog->objectName();
    return QDialog::Rejected;
  }
  DialogScript script = std::move(dialogScripts.front());
  dialogScripts.pop_front();
  // Show it as the real modal loop would, so that its layout and sizes are those a user sees.
  dialog->show();
  const int result = script(dialog);
  dialog->hide();
  return result;
}

std::optional<QColor> TFakePrompter::chooseColor(QWidget*, const QColor&) {
  if (colorAnswers.empty()) {
    unexpected << QStringLiteral("colour");
    return std::nullopt;
  }
  std::optional<QColor> a = colorAnswers.front();
  colorAnswers.pop_front();
  return a;
}

void TFakePrompter::openUrl(const QUrl& url) {
  urlsOpened << url;
}

namespace {

class TFakeProgress : public TProgress {
 public:
  explicit TFakeProgress(TFakePrompter& owner) : m_owner(owner) {}
  bool setValue(int value) override {
    m_owner.progressValues << value;
    return !(m_owner.cancelProgressAt && value >= *m_owner.cancelProgressAt);
  }

 private:
  TFakePrompter& m_owner;
};

}  // namespace

std::unique_ptr<TProgress> TFakePrompter::startProgress(QWidget*, const QString& text,
                                                        int maximum) {
  progressShown << text + QLatin1Char('|') + QString::number(maximum);
  return std::make_unique<TFakeProgress>(*this);
}

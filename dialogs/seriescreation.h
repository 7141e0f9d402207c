#pragma once
// TfrmSeriesCreation: generates a random series of a chosen law, writes it as a series file
// under the program's folder and checks the parameters estimated back from it.

#include <QDialog>
#include <QString>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class TPrompter;
struct TLawPanels;
class TRadioGroup;

class TfrmSeriesCreation : public QDialog {
  Q_OBJECT
 public:
  TfrmSeriesCreation(TPrompter& prompter, QWidget* parent);
  ~TfrmSeriesCreation() override;

  /// The full path of the last series file created; empty before the first.
  const QString& fileName() const { return m_fileName; }

  /// The folder under which series files go (the program's folder + "/data" unless set).
  QString dataFolder() const;
  void setDataFolder(const QString& folder) { m_dataFolder = folder; }

  /// Shows the panel of the chosen law.
  void rgTypeClick();
  /// Creates, saves and evaluates a series; fails as its steps do.
  void Button1Click();

 private:
  TPrompter& m_prompter;
  QString m_fileName;
  QString m_dataFolder;
  TRadioGroup* rgType;
  QPushButton* Button1;
  QLineEdit* eCount;
  std::unique_ptr<TLawPanels> m_laws;
  QPlainTextEdit* textResult;
};

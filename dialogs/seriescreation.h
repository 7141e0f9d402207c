#pragma once
// TfrmSeriesCreation: the series creation window.

#include <QDialog>
#include <QString>

class TPrompter;

class TfrmSeriesCreation : public QDialog {
  Q_OBJECT
 public:
  TfrmSeriesCreation(TPrompter& prompter, QWidget* parent);

  /// The full path of the last series file created; empty before the first.
  const QString& fileName() const { return m_fileName; }

 private:
  TPrompter& m_prompter;
  QString m_fileName;
};

#pragma once
// TfrmSettings: the significance level of the main window's criteria and the colours of the
// histogram and the density line. The settings live in the controls for one run.

#include <QColor>
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QSlider;
class TPrompter;

class TfrmSettings : public QDialog {
  Q_OBJECT
 public:
  TfrmSettings(TPrompter& prompter, QWidget* parent);

  /// (100 - track bar position) / 100: from 0.01 to 0.99, 0.05 at start.
  long double SignificanceLevel() const;
  QColor histogramColor() const;
  QColor functionColor() const;

  /// Updates the level label and its hint from the track bar.
  void SignificanceChange();
  /// Asks for a new colour of the swatch `swatch` (a panel stands for its swatch).
  void OnColorPanelClick(QObject* sender);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void setSwatch(QLabel* swatch, const QColor& color);

  TPrompter& m_prompter;
  QFrame* Panel4;
  QFrame* Panel1;
  QFrame* Panel2;
  QLabel* frequencyHistogram;
  QLabel* frequencyFunction;
  QFrame* Panel3;
  QSlider* Significance;
  QLabel* lSignificance;
  QPushButton* Button1;
  QColor m_lastDialogColor = Qt::black;  // the colour dialog opens with the last colour chosen
};

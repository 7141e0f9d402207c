#pragma once
// TfrmParamsCheck: the average-parameters experiment. Each check generates a series of the
// chosen law, estimates its parameters and tests them; the averages are tested after the last
// check and the pair table of the series is shown in TfrmPairMatch.

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class TfrmPairMatch;
class TPrompter;
class TRadioGroup;
class TStringGrid;
class TTextGridModel;
struct TLawPanels;

class TfrmParamsCheck : public QDialog {
  Q_OBJECT
 public:
  TfrmParamsCheck(TPrompter& prompter, QWidget* parent);
  ~TfrmParamsCheck() override;

  /// The window that shows the pair table after a run.
  void setPairMatch(TfrmPairMatch* pairMatch) { m_pairMatch = pairMatch; }
  /// Seeds every run with `seed` (repeatable runs); without it each run is seeded from the clock.
  void setRandomSeed(std::optional<uint64_t> seed) { m_seed = seed; }

  /// Shows the parameter panel of the chosen law.
  void rgTypeClick();
  /// Runs the experiment. A floating-point failure ends it with the rows written so far kept;
  /// a cancelled run keeps its rows and changes nothing else.
  void Button1Click();

 private:
  TPrompter& m_prompter;
  TfrmPairMatch* m_pairMatch = nullptr;
  std::optional<uint64_t> m_seed;
  std::unique_ptr<TLawPanels> m_laws;
  TRadioGroup* rgType;
  QPushButton* Button1;
  QLineEdit* eCount;
  QLineEdit* eCheckCount;
  QLabel* result1;
  QLabel* result2;
  TStringGrid* details;
  TTextGridModel* m_details;
};

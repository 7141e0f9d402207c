#pragma once
// The parameter panels of the laws a series can be generated from, shared by the series
// creation and the experiment: one panel per law in the same place, only the chosen one shown.

#include <QString>
#include <utility>

class QFormLayout;
class QLineEdit;
class QWidget;

struct TLawPanels {
  /// Creates the panels pE (lambda), pN (sigma, m) and pW (alpha, beta) as children of `parent`
  /// with the start texts 0.3, 100.3, 35.2, 10.5 and 4.2 in the user's number format.
  explicit TLawPanels(QWidget* parent);

  /// Shows the panel of law `index` (0 exponential, 1 normal, 2 Weibull) and hides the others.
  void show(int index);
  /// The parameter texts of law `index`: (lambda, ""), (sigma, m) or (alpha, beta).
  std::pair<QString, QString> texts(int index) const;

  QWidget* pE;
  QWidget* pN;
  QWidget* pW;
  QLineEdit* eL;
  QLineEdit* eS;
  QLineEdit* eM;
  QLineEdit* eA;
  QLineEdit* eB;
};

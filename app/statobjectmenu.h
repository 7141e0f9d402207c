#pragma once
// The menu bar of the analysis windows that work on a statobject: "Statobject" with Compose,
// Open, a separator and Close.

class QAction;
class QMenuBar;
class QWidget;

struct TStatobjectMenu {
  QMenuBar* bar;
  QAction* compose;  // Composeobject1
  QAction* open;     // Open1
  QAction* close;    // Close1
};

/// Makes the menu bar "MainMenu1" of `window` with its "Statobject" menu ("Object1").
TStatobjectMenu makeStatobjectMenu(QWidget* window);

#pragma once
// The grids of the multi-dimensional windows: a bold caption over a string grid whose model
// makes each cell's text when it is drawn.

#include <QString>

#include "core/ndanalysis.h"

class QLabel;
class QWidget;
class TFunctionGridModel;
class TStringGrid;

/// A bold Verdana caption named `name`.
QLabel* gridCaption(const QString& text, const char* name, QWidget* parent);
/// A string grid named `name` without the toolkit's own headers (the grid's fixed cells are
/// its headers); `model` receives its model.
TStringGrid* makeGrid(const char* name, TFunctionGridModel*& model, QWidget* parent);
/// Shows a grid of texts; `grid` must stay alive while shown.
void showTextGrid(TFunctionGridModel* model, const statorium::TextGrid& grid);

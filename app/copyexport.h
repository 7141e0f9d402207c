#pragma once
// Copy and Export for the windows' grids, memos and charts. Ctrl+C and "Copy" put the selection
// (everything when nothing is selected) on the clipboard as tab-separated text, the cells as
// they are shown; "Export..." saves a whole grid or report as text, CSV or HTML, the format
// following the extension of the file chosen, and a chart as a PNG or PDF picture.

#include <QString>
#include <string>
#include <vector>

#include "core/tableexport.h"

class QMenu;
class QTableView;
class QWidget;
class TChartView;
class TPrompter;

/// The grid's cells as a table. With something selected and `everything` false: the cells
/// within the selection's bounds, those not selected left empty. Otherwise every cell, with the
/// visible header row first and the visible row captions as the first column. Hidden rows and
/// columns are left out either way.
statorium::TableSource gridTable(const QTableView* view, bool everything);
/// The memo's (a QPlainTextEdit or QTextEdit) selected lines, or all its lines when nothing is
/// selected or `everything` is true.
std::vector<std::string> memoLines(const QWidget* memo, bool everything);

/// Puts the grid's selection, or all of it, on the clipboard as tab-separated text.
void copyGrid(const QTableView* view);
/// Puts the memo's selection, or all of it, on the clipboard.
void copyMemo(const QWidget* memo);
/// Asks for a text, CSV or HTML file and writes the whole grid to it; a cancel does nothing.
void exportGrid(TPrompter& prompter, const QTableView* view);
/// Asks for a text, CSV or HTML file and writes the whole report to it.
void exportMemo(TPrompter& prompter, const QWidget* memo);
/// Asks for a PNG or PDF file and the picture's size ("800x600") and draws the chart into it.
void exportChart(TPrompter& prompter, TChartView* chart);

/// Gives the grid Ctrl+C, and "Copy" and "Export..." items at the end of `menu`; without a
/// menu the grid gets a pop-up menu of its own with the two items.
void addGridCommands(QTableView* view, TPrompter& prompter, QMenu* menu = nullptr);
/// Gives a read-only memo Ctrl+C and a pop-up menu with "Copy", "Select all" and "Export...".
void addMemoCommands(QWidget* memo, TPrompter& prompter);
/// Adds "Export..." to the end of `menu`; without a menu the chart gets a pop-up menu of its
/// own with the item.
void addChartCommands(TChartView* chart, TPrompter& prompter, QMenu* menu = nullptr);

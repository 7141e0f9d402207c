#pragma once
// The pieces the similarity check windows share: bold captioned groups, read-only result
// memos and the list of chosen files with its check marks.

#include <QStringList>
#include <string>
#include <vector>

class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QString;
class QWidget;
class TPrompter;

/// A group box with a bold caption (its children keep the plain font).
QGroupBox* boldGroup(const QString& caption, QWidget* parent);
/// A read-only memo named `name`.
QPlainTextEdit* resultMemo(const char* name, QWidget* parent);
/// Appends the lines to the memo.
void appendLines(QPlainTextEdit* memo, const std::vector<std::string>& lines);
/// The list of chosen series, named "data".
QListWidget* seriesList(QWidget* parent);
/// Asks for series files ("Any file" or "Statobject", several at once) and appends each chosen
/// path to the list, unchecked, without signalling a change.
void selectSeriesFiles(TPrompter& prompter, QWidget* parent, QListWidget* list);
/// Appends the paths to the list, unchecked, without signalling a change.
void appendSeriesFiles(QListWidget* list, const QStringList& files);
/// The paths of the checked entries, top to bottom.
std::vector<std::string> checkedPaths(const QListWidget* list);

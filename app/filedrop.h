#pragma once
// Files dragged from the desktop onto a window: the windows that read data files take them as
// if chosen in their file dialog.

#include <QStringList>
#include <functional>

class QAbstractScrollArea;
class QMimeData;
class QWidget;
class TPrompter;

/// The local files (folders left out) among dragged data, in their order.
QStringList droppedFiles(const QMimeData* data);

/// Makes `window` take drags that carry local files anywhere over it; the files dropped go to
/// `onDrop`, run as an event handler (an error becomes one error box). The read-only text boxes
/// already in the window leave their drops to it.
void acceptFileDrops(QWidget* window, TPrompter& prompter,
                     std::function<void(const QStringList&)> onDrop);

/// Lets a drop over a read-only text box reach the window behind it, for boxes added after
/// acceptFileDrops.
void passDropsToWindow(QAbstractScrollArea* box);

#include "app/filedrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QUrl>

#include "app/guard.h"

namespace {

class TFileDropFilter : public QObject {
 public:
  TFileDropFilter(QWidget* window, TPrompter& prompter,
                  std::function<void(const QStringList&)> onDrop)
      : QObject(window), m_window(window), m_prompter(prompter), m_onDrop(std::move(onDrop)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFiles(drag->mimeData()).isEmpty()) return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = droppedFiles(drop->mimeData());
        if (files.isEmpty()) return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        runGuarded(m_prompter, m_window, [&] { m_onDrop(files); });
        return true;
      }
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  QWidget* m_window;
  TPrompter& m_prompter;
  std::function<void(const QStringList&)> m_onDrop;
};

}  // namespace

QStringList droppedFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (!QFileInfo(path).isDir()) files << path;
  }
  return files;
}

void acceptFileDrops(QWidget* window, TPrompter& prompter,
                     std::function<void(const QStringList&)> onDrop) {
  window->setAcceptDrops(true);
  window->installEventFilter(new TFileDropFilter(window, prompter, std::move(onDrop)));
  for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>())
    if (box->isReadOnly()) passDropsToWindow(box);
  for (QTextEdit* box : window->findChildren<QTextEdit*>())
    if (box->isReadOnly()) passDropsToWindow(box);
}

void passDropsToWindow(QAbstractScrollArea* box) {
  // A read-only box would take the drag and then refuse the drop.
  box->setAcceptDrops(false);
  box->viewport()->setAcceptDrops(false);
}

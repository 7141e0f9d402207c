#include "app/statobjectmenu.h"

#include <QMenuBar>

TStatobjectMenu makeStatobjectMenu(QWidget* window) {
  auto* bar = new QMenuBar(window);
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* object = bar->addMenu(QStringLiteral("&Statobject"));
  object->setObjectName(QStringLiteral("Object1"));
  QAction* compose = object->addAction(QStringLiteral("&Compose"));
  compose->setObjectName(QStringLiteral("Composeobject1"));
  QAction* open = object->addAction(QStringLiteral("&Open"));
  open->setObjectName(QStringLiteral("Open1"));
  open->setShortcut(QKeySequence::Open);
  object->addSeparator()->setObjectName(QStringLiteral("N1"));
  QAction* close = object->addAction(QStringLiteral("C&lose"));
  close->setObjectName(QStringLiteral("Close1"));
  close->setShortcut(QKeySequence::Close);
  return {bar, compose, open, close};
}

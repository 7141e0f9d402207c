#include "app/about.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "app/prompter.h"

namespace {

// Two public references a user of the program may want at hand.
const char* const kHandbook =
    "www.itl.nist.gov/div898/handbook";              // e-Handbook of Statistical Methods
const char* const kTextbook = "onlinestatbook.com";  // an open statistics textbook

QLineEdit* linkEdit(const char* name, const QString& text, QWidget* parent) {
  auto* e = new QLineEdit(text, parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setReadOnly(true);
  e->setFrame(false);
  e->setAlignment(Qt::AlignCenter);
  e->setCursor(Qt::PointingHandCursor);
  QFont f = e->font();
  f.setBold(true);
  f.setUnderline(true);
  e->setFont(f);
  e->setStyleSheet(QStringLiteral("QLineEdit { color: blue; background: transparent; }"));
  return e;
}

}  // namespace

TfrmAboutBox::TfrmAboutBox(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_prompter(prompter) {
  setObjectName(QStringLiteral("frmAboutBox"));
  setWindowTitle(QStringLiteral("About"));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  ProgramIcon = new QLabel(panel);
  ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
  // The icon is stretched to 33 x 33 pixels whatever sizes the icon itself offers.
  ProgramIcon->setFixedSize(33, 33);
  ProgramIcon->setScaledContents(true);
  ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
  ProductName = new QLabel(QStringLiteral("Statorium"), panel);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  ProductName->setAlignment(Qt::AlignCenter);
  QFont big = ProductName->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 2);
  ProductName->setFont(big);
  auto* notice = new QLabel(
      QStringLiteral("Statistical analysis of numeric data.\nProvided as is, without warranty."),
      panel);
  notice->setAlignment(Qt::AlignCenter);
  Edit2 = linkEdit("Edit2", QString::fromLatin1(kHandbook), panel);
  Edit1 = linkEdit("Edit1", QString::fromLatin1(kTextbook), panel);
  LinkLabel1 = new QLabel(panel);
  LinkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
  LinkLabel1->setFixedSize(4, 4);
  for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                     static_cast<QWidget*>(LinkLabel1)})
    w->installEventFilter(this);

  auto* inner = new QVBoxLayout(panel);
  inner->addWidget(ProgramIcon, 0, Qt::AlignHCenter);
  inner->addWidget(ProductName);
  inner->addWidget(notice);
  inner->addWidget(Edit2);
  inner->addWidget(Edit1);
  inner->addWidget(LinkLabel1, 0, Qt::AlignHCenter);

  OKButton = new QPushButton(QStringLiteral("&All right"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(OKButton, 0, Qt::AlignHCenter);
  resize(298, 220);
}

void TfrmAboutBox::LinkLabel2Click(QObject* sender) {
  QString text;
  if (auto* e = qobject_cast<QLineEdit*>(sender)) text = e->text();
  if (auto* l = qobject_cast<QLabel*>(sender)) text = l->text();
  if (text.isEmpty()) return;  // the tiny link label holds no address
  m_prompter.openUrl(QUrl(QStringLiteral("https://") + text));
}

bool TfrmAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    LinkLabel2Click(watched);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

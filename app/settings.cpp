#include "app/settings.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/prompter.h"
#include "core/numtext.h"

namespace {

QLabel* boldCaption(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

QFrame* frame(const char* name, QWidget* parent) {
  auto* f = new QFrame(parent);
  f->setObjectName(QString::fromLatin1(name));
  f->setFrameShape(QFrame::StyledPanel);
  return f;
}

}  // namespace

TfrmSettings::TfrmSettings(TPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      m_prompter(prompter) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("Settings"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));

  Panel4 = frame("Panel4", this);
  auto* colors = new QVBoxLayout(Panel4);
  colors->addWidget(boldCaption(QStringLiteral("Colors"), Panel4));
  auto makePanel = [&](const char* name, const QString& caption, const char* swatchName,
                       QLabel*& swatch, const QColor& color) {
    QFrame* panel = frame(name, Panel4);
    panel->setCursor(Qt::PointingHandCursor);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 2, 4, 2);
    row->addWidget(new QLabel(caption, panel), 1);
    swatch = new QLabel(panel);
    swatch->setObjectName(QString::fromLatin1(swatchName));
    swatch->setFixedSize(16, 16);
    swatch->setCursor(Qt::PointingHandCursor);
    setSwatch(swatch, color);
    row->addWidget(swatch);
    panel->installEventFilter(this);
    swatch->installEventFilter(this);
    colors->addWidget(panel);
    return panel;
  };
  Panel1 = makePanel("Panel1", QStringLiteral("  Frequency histogram"), "frequencyHistogram",
                     frequencyHistogram, QColor(128, 0, 0));
  Panel2 = makePanel("Panel2", QStringLiteral("  Frequency function"), "frequencyFunction",
                     frequencyFunction, QColor(0, 0, 255));

  Panel3 = frame("Panel3", this);
  auto* level = new QVBoxLayout(Panel3);
  level->addWidget(boldCaption(QStringLiteral("Significance level"), Panel3));
  auto* levelRow = new QHBoxLayout;
  Significance = new QSlider(Qt::Horizontal, Panel3);
  Significance->setObjectName(QStringLiteral("Significance"));
  Significance->setRange(1, 99);
  Significance->setValue(95);
  Significance->setTickPosition(QSlider::TicksBothSides);
  Significance->setTickInterval(10);
  lSignificance = new QLabel(QStringLiteral("0.05"), Panel3);
  lSignificance->setObjectName(QStringLiteral("lSignificance"));
  lSignificance->setToolTip(QStringLiteral("95% accurate "));
  lSignificance->setMinimumWidth(32);
  levelRow->addWidget(Significance, 1);
  levelRow->addWidget(lSignificance);
  level->addLayout(levelRow);
  connect(Significance, &QSlider::valueChanged, this, [this] { SignificanceChange(); });

  Button1 = new QPushButton(QStringLiteral("&Apply"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Panel4);
  layout->addWidget(Panel3);
  layout->addStretch(1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  setFixedSize(201, 248);
  // The level label follows the locale from the start.
  lSignificance->setText(QString::fromStdString(statorium::formatGeneral(SignificanceLevel())));
}

long double TfrmSettings::SignificanceLevel() const {
  return (100 - Significance->value()) / 100.0L;
}

QColor TfrmSettings::histogramColor() const {
  return frequencyHistogram->palette().color(QPalette::Window);
}

QColor TfrmSettings::functionColor() const {
  return frequencyFunction->palette().color(QPalette::Window);
}

void TfrmSettings::setSwatch(QLabel* swatch, const QColor& color) {
  QPalette p = swatch->palette();
  p.setColor(QPalette::Window, color);
  swatch->setPalette(p);
  swatch->setAutoFillBackground(true);
}

void TfrmSettings::SignificanceChange() {
  lSignificance->setText(QString::fromStdString(statorium::formatGeneral(SignificanceLevel())));
  lSignificance->setToolTip(QString::number(Significance->value()) +
                            QStringLiteral("% accurate recognition of null hypothesis (H0)"));
}

void TfrmSettings::OnColorPanelClick(QObject* sender) {
  QLabel* swatch = sender == Panel1   ? frequencyHistogram
                   : sender == Panel2 ? frequencyFunction
                                      : qobject_cast<QLabel*>(sender);
  if (swatch != frequencyHistogram && swatch != frequencyFunction) return;
  const std::optional<QColor> chosen = m_prompter.chooseColor(this, m_lastDialogColor);
  if (!chosen) return;
  m_lastDialogColor = *chosen;
  setSwatch(swatch, *chosen);
}

bool TfrmSettings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    OnColorPanelClick(watched);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

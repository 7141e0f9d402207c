#include "analysis2d/ntransform.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmNTransform::TfrmNTransform(TPrompter&, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmNTransform"));
  setWindowTitle(QStringLiteral("Data transformation"));
  auto* box = new QGroupBox(QStringLiteral("Select transform"), this);
  box->setObjectName(QStringLiteral("gbChartControl"));
  standard = new QCheckBox(QStringLiteral("&Standartization"), box);
  standard->setObjectName(QStringLiteral("standard"));
  independent = new QCheckBox(QStringLiteral("&Independent properties"), box);
  independent->setObjectName(QStringLiteral("independent"));
  independent->setEnabled(false);
  auto* boxLayout = new QVBoxLayout(box);
  boxLayout->addWidget(standard);
  boxLayout->addWidget(independent);
  BitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  setFixedSize(sizeHint());
}

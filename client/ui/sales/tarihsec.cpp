#include "ui/sales/tarihsec.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

std::function<int(Ttarihsec &)> Ttarihsec::ExecHook;

Ttarihsec::Ttarihsec(QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
  setWindowTitle(QStringLiteral("Tarih Seç"));
  Label1 = new QLabel(QStringLiteral("Tarih 1:"));
  Label2 = new QLabel(QStringLiteral("Tarih 1:"));
  const QDateTime now = QDateTime::currentDateTime();
  DateTimePicker1 = new QDateTimeEdit(now);
  DateTimePicker2 = new QDateTimeEdit(now);
  for (QDateTimeEdit *picker : {DateTimePicker1, DateTimePicker2}) {
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setMinimumWidth(160);
  }
  Button1 = new QPushButton(QStringLiteral("Seç"));
  auto *layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(DateTimePicker1, 0, 1);
  layout->addWidget(Label2, 1, 0);
  layout->addWidget(DateTimePicker2, 1, 1);
  layout->addWidget(Button1, 2, 1, Qt::AlignRight);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void Ttarihsec::TekTarih()
{
  Label2->hide();
  DateTimePicker2->hide();
}

int Ttarihsec::calistir()
{
  return ExecHook ? ExecHook(*this) : exec();
}

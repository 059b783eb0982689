#include "ui/account/bakiyedegistir.h"

#include "ui/account/bakiyeler.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

std::function<int(Tbakiyedegistir &)> Tbakiyedegistir::ExecHook;

Tbakiyedegistir::Tbakiyedegistir(QWidget *owner) : QDialog(owner, Qt::Tool)
{
  setObjectName(QStringLiteral("Tbakiyedegistir"));
  setWindowTitle(QStringLiteral("Bakiye Değiştir"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  setFont(font);

  auto *form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setHorizontalSpacing(10);
  form->setVerticalSpacing(6);
  const std::pair<const char *, QLabel **> rows[] = {
      {"Barkod:", &barkod},
      {"Açıklama:", &adi},
      {"Finish Kod:", &finishkod},
      {"Marka:", &marka},
      {"Model:", &model},
      {"Alınan sipariş:", &alinansiparis},
      {"Teslim Edilen:", &teslimedilen},
      {"Elimizde:", &elimizde},
      {"Eski bakiye:", &eskibakiye},
  };
  static const char *const names[] = {"barkod",        "adi",          "finishkod", "marka",     "model",
                                      "alinansiparis", "teslimedilen", "elimizde",  "eskibakiye"};
  int i = 0;
  for (const auto &[text, value] : rows) {
    *value = new QLabel;
    (*value)->setObjectName(QString::fromLatin1(names[i++]));
    (*value)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (*value)->setWordWrap(true);
    QFont bold = font;
    bold.setBold(true);
    (*value)->setFont(bold);
    form->addRow(QString::fromUtf8(text), *value);
  }
  adet = new QSpinBox;
  adet->setObjectName(QStringLiteral("adet"));
  adet->setRange(1, 1000);
  adet->setValue(1);
  adet->setFixedWidth(120);
  adet->installEventFilter(this);
  form->addRow(QStringLiteral("Yeni bakiye:"), adet);

  Button1 = new QPushButton(QIcon(QStringLiteral(":/icons/evet.svg")), QStringLiteral("Değiştir"));
  Button2 = new QPushButton(QIcon(QStringLiteral(":/icons/hayir.svg")), QStringLiteral("Vazgeç"));
  for (QPushButton *b : {Button1, Button2}) {
    b->setMinimumSize(120, 36);
    b->setAutoDefault(false);
  }
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  layout->addLayout(form);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setMinimumWidth(420);
  adet->setFocus();
}

int Tbakiyedegistir::calistir()
{
  if (ExecHook)
    return ExecHook(*this);
  adjustSize();
  if (const QWidget *owner = parentWidget()) // centred on its owner
    move(owner->mapToGlobal(owner->rect().center()) - rect().center());
  return exec();
}

void Tbakiyedegistir::SatiriYaz(const BakiyeSatiri &satir, bool eldekiGoster)
{
  barkod->setText(satir.barkod);
  adi->setText(satir.aciklama);
  finishkod->setText(satir.finishKod);
  marka->setText(satir.marka);
  model->setText(satir.model);
  alinansiparis->setText(BakiyeSayisi(satir.miktar));
  teslimedilen->setText(BakiyeSayisi(satir.teslimEdilen));
  eskibakiye->setText(BakiyeSayisi(satir.kalan));
  elimizde->setText(satir.eldeki);
  elimizde->setVisible(eldekiGoster);
  if (QWidget *caption = findChild<QFormLayout *>()->labelForField(elimizde))
    caption->setVisible(eldekiGoster);
}

bool Tbakiyedegistir::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == adet && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      adet->interpretText();
      if (adet->value() > 0)
        accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

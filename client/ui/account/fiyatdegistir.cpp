#include "ui/account/fiyatdegistir.h"

#include "ui/account/bakiyeler.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "widgets/paraedit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

std::function<int(Tfiyatdegistir &)> Tfiyatdegistir::ExecHook;

namespace {

// A number box with its unit after it.
QWidget *birimliKutu(ParaEdit *edit, const QString &unit)
{
  auto *box = new QWidget;
  auto *layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit, 1);
  auto *label = new QLabel(unit);
  label->setFixedWidth(24);
  layout->addWidget(label);
  return box;
}

} // namespace

Tfiyatdegistir::Tfiyatdegistir(QWidget *owner) : QDialog(owner, Qt::Tool)
{
  setObjectName(QStringLiteral("Tfiyatdegistir"));
  setWindowTitle(QStringLiteral("Fiyat Değiştir"));
  setSizeGripEnabled(true);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  setFont(font);

  _fiyat = new ParaEdit;
  _fiyat->setObjectName(QStringLiteral("_fiyat"));
  _iskonto = new ParaEdit;
  _iskonto->setObjectName(QStringLiteral("_iskonto"));
  for (ParaEdit *e : {_fiyat, _iskonto}) {
    e->setDisplayFormat(QStringLiteral(",0.00"));
    e->setEditable(true);
    e->setMinimumWidth(160);
    connect(e, &QLineEdit::textEdited, this, &Tfiyatdegistir::Hesapla);
  }
  QFont bold = font;
  bold.setBold(true);
  LBLNET = new QLabel;
  LBLNET->setObjectName(QStringLiteral("LBLNET"));
  LABELKDV = new QLabel;
  LABELKDV->setObjectName(QStringLiteral("LABELKDV"));
  for (QLabel *l : {LBLNET, LABELKDV}) {
    l->setFont(bold);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }

  auto *form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setHorizontalSpacing(10);
  form->setVerticalSpacing(8);
  form->addRow(QStringLiteral("Fiyat:"), birimliKutu(_fiyat, QStringLiteral("TL")));
  form->addRow(QStringLiteral("İndirim Oranı %:"), birimliKutu(_iskonto, QStringLiteral("%")));
  form->addRow(QStringLiteral("Net Fiyat:"), LBLNET);
  form->addRow(QStringLiteral("KDV Dahil Fiyat:"), LABELKDV);

  Button1 = new QPushButton(QIcon(QStringLiteral(":/icons/evet.svg")), QStringLiteral("Değiştir"));
  Button2 = new QPushButton(QIcon(QStringLiteral(":/icons/hayir.svg")), QStringLiteral("Vazgeç"));
  for (QPushButton *b : {Button1, Button2}) {
    b->setMinimumSize(120, 36);
    b->setAutoDefault(false);
  }
  connect(Button1, &QPushButton::clicked, this, &Tfiyatdegistir::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  layout->addLayout(form);
  layout->addStretch();
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setMinimumWidth(380);
}

int Tfiyatdegistir::calistir()
{
  if (ExecHook)
    return ExecHook(*this);
  adjustSize();
  if (const QWidget *owner = parentWidget()) // centred on its owner
    move(owner->mapToGlobal(owner->rect().center()) - rect().center());
  _fiyat->setFocus();
  _fiyat->selectAll();
  return exec();
}

void Tfiyatdegistir::Ac(double fiyat, double indirimOrani, double kdv)
{
  kdvOrani = kdv;
  _fiyat->setValue(fiyat);
  _iskonto->setValue(indirimOrani);
  Hesapla();
}

void Tfiyatdegistir::Hesapla()
{
  double p = 0, d = 0;
  if (!ParaEdit::parse(_fiyat->text(), &p))
    p = 0;
  if (!ParaEdit::parse(_iskonto->text(), &d))
    d = 0;
  const FiyatOnizlemesi o = FiyatOnizle(p, d, kdvOrani);
  LBLNET->setText(FormatFloat(kParaBicimi2, o.net));
  LABELKDV->setText(FormatFloat(kParaBicimi2, o.kdvDahil));
}

void Tfiyatdegistir::Button1Click()
{
  const QString uyari = FiyatKontrolEt(_fiyat->text(), _iskonto->text(), &yeniFiyat, &yeniIndirimOrani);
  if (!uyari.isEmpty()) {
    MesajGoster(uyari, mtWarning, msgButtons({mbOK}), 0, mbOK);
    return;
  }
  accept();
}

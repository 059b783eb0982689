#include "ui/basket/onaysip.h"

#include "server/async.h"
#include "server/baglantikur.h"
#include "server/callpatterns.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/common/mesajgoster.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

std::function<int(TONAYSIP &)> TONAYSIP::ExecHook;

namespace {

const char *const kKimlik = "kimlik"; // the server's id of a radio item

QGroupBox *secimKutusu(const QString &title, int width, const char *name)
{
  auto *box = new QGroupBox(title);
  box->setObjectName(QString::fromLatin1(name));
  // At least the given width; wider only when a kind's name needs it.
  if (width > 0) {
    box->setMinimumWidth(width);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  }
  return box;
}

// One radio button per row of a kinds list: id in column 0, name in column 1.
void secenekleriEkle(QGroupBox *box, QButtonGroup *group, const DBXReader &kaynak)
{
  DBXReader reader(kaynak.table());
  auto *layout = static_cast<QVBoxLayout *>(box->layout());
  while (reader.Next()) {
    auto *radio = new QRadioButton(reader.Value(1).toString());
    radio->setProperty(kKimlik, reader.Value(0).toInt());
    group->addButton(radio);
    layout->insertWidget(layout->count() - 1, radio);
  }
}

void uyar(const QString &text)
{
  MesajGoster(text, mtWarning, msgButtons({mbOK}), 0, mbOK);
}

// The row of `kargo` whose ADI equals `adi`; -1 when none does.
int firmaSatiri(const ClientDataSet &kargo, const QString &adi)
{
  const Field *ad = kargo.Active() ? kargo.FindField(QStringLiteral("ADI")) : nullptr;
  if (!ad)
    return -1;
  for (int row = 0; row < kargo.RecordCount(); ++row)
    if (kargo.CellValue(row, ad->Index()).toString() == adi)
      return row;
  return -1;
}

} // namespace

TONAYSIP::TONAYSIP(QWidget *AOwner, ServerConnection &_c, const QString &mesaj, const TSonucBilgisi &_sbilgi,
                   const QString &_toplam)
    : QDialog(AOwner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), bagc(_c)
{
  setWindowTitle(QStringLiteral("Sipariş Onay"));
  setObjectName(QStringLiteral("TONAYSIP"));
  setModal(true);
  resize(894, 526);
  setFont(QFont(QStringLiteral("Tahoma"), 11));

  // The choices.
  auto *secimler = new QWidget;
  secimler->setFixedHeight(171);
  auto *secimLayout = new QHBoxLayout(secimler);
  secimLayout->setContentsMargins(0, 0, 0, 0);
  secimLayout->setSpacing(4);

  teslimbox = secimKutusu(QStringLiteral("Teslim Durumu"), 135, "teslimbox");
  teslimSecim = new QButtonGroup(this);
  boxkargo = secimKutusu(QStringLiteral("Kargo Türleri"), 208, "boxkargo");
  kargoSecim = new QButtonGroup(this);
  for (QGroupBox *box : {teslimbox, boxkargo}) {
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 4, 4);
    layout->setSpacing(2);
    layout->addStretch();
  }

  GroupBox1 = secimKutusu(QStringLiteral("Kargo"), 224, "GroupBox1");
  kargocombo = new QComboBox;
  kargocombo->setObjectName(QStringLiteral("kargocombo"));
  kargocombo->setEditable(false);
  uyarikargo = new QLabel;
  uyarikargo->setObjectName(QStringLiteral("uyarikargo"));
  uyarikargo->setFixedSize(210, 59);
  uyarikargo->setWordWrap(true);
  uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto *kargoLayout = new QVBoxLayout(GroupBox1);
  kargoLayout->setContentsMargins(6, 4, 6, 4);
  kargoLayout->addWidget(kargocombo);
  kargoLayout->addWidget(uyarikargo);
  kargoLayout->addStretch();

  GroupBox2 = secimKutusu(QStringLiteral("Mesaj"), 0, "GroupBox2");
  aciklamagir = new QPlainTextEdit;
  aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
  aciklamagir->setFont(QFont(QStringLiteral("Tahoma"), 11, QFont::Bold));
  aciklamagir->setStyleSheet(
      QStringLiteral("QPlainTextEdit { background-color: rgb(246, 249, 251); color: black; }"));
  auto *mesajLayout = new QVBoxLayout(GroupBox2);
  mesajLayout->setContentsMargins(6, 4, 6, 6);
  mesajLayout->addWidget(aciklamagir);

  secimLayout->addWidget(teslimbox);
  secimLayout->addWidget(boxkargo);
  secimLayout->addWidget(GroupBox1);
  secimLayout->addWidget(GroupBox2, 1);

  // Who orders, for whom, how much; the warning; the question.
  QFont sabit(QStringLiteral("Courier New"), 16, QFont::Bold);
  sabit.setStyleHint(QFont::Monospace);
  sabit.setFixedPitch(true);
  Label2 = new QLabel(QStringLiteral("Kullanıcı: ") + _sbilgi.ADI() + QStringLiteral("\r\n") +
                      QStringLiteral("Cari     : ") + _sbilgi.CariAdi() + QStringLiteral("\r\n") +
                      QStringLiteral("Tutar    : ") + _toplam);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setFont(sabit);
  Label3 = new QLabel(mesaj);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setFont(sabit);
  Label3->setWordWrap(true);
  QPalette kirmizi = Label3->palette();
  kirmizi.setColor(QPalette::WindowText, Qt::red);
  Label3->setPalette(kirmizi);
  Label1 = new QLabel(QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"));
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(QFont(QStringLiteral("Tahoma"), 20, QFont::Bold));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);

  Button1 = new QPushButton(QStringLiteral("Evet"));
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(QStringLiteral("Hayır"));
  Button2->setObjectName(QStringLiteral("Button2"));
  for (QPushButton *b : {Button1, Button2}) {
    b->setFixedSize(128, 75);
    b->setFont(QFont(QStringLiteral("Tahoma"), 16, QFont::Bold));
    b->setAutoDefault(false);
  }
  auto *tuslar = new QHBoxLayout;
  tuslar->addWidget(Button1);
  tuslar->addStretch();
  tuslar->addWidget(Button2);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  layout->addWidget(secimler);
  layout->addWidget(Label2);
  layout->addWidget(Label3);
  layout->addStretch();
  layout->addWidget(Label1);
  layout->addLayout(tuslar);

  connect(Button1, &QPushButton::clicked, this, &TONAYSIP::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(kargoSecim, &QButtonGroup::buttonClicked, this,
          [this] { RunGuarded([this] { boxkargoClick(); }); });
  connect(kargocombo, &QComboBox::currentIndexChanged, this, [this] { kargocomboChange(); });

  SecenekleriDoldur();
}

TONAYSIP::~TONAYSIP() = default;

void TONAYSIP::SecenekleriDoldur()
{
  std::unique_ptr<ServerConnection> clone = bagc.clone();
  if (!BaglantiKur(*clone, 1))
    return;
  {
    TServerMethods1Client client(*clone);
    ClientRef<DBXReader> teslim = client.TeslimVer();
    if (teslim)
      secenekleriEkle(teslimbox, teslimSecim, *teslim);
  }
  {
    TServerMethods1Client client(*clone);
    ClientRef<DBXReader> kargolar = client.KargoVer();
    if (kargolar)
      secenekleriEkle(boxkargo, kargoSecim, *kargolar);
  }
  clone->close();
  // The default delivery kind is the second one.
  const QList<QAbstractButton *> teslimler = teslimSecim->buttons();
  if (teslimler.size() >= 2)
    teslimler.at(1)->setChecked(true);
  else if (teslimler.size() == 1)
    teslimler.at(0)->setChecked(true);
}

std::optional<int> TONAYSIP::SeciliKimlik(const QButtonGroup *group)
{
  const QAbstractButton *button = group->checkedButton();
  if (!button)
    return std::nullopt;
  return button->property(kKimlik).toInt();
}

void TONAYSIP::showEvent(QShowEvent *event)
{
  QDialog::showEvent(event);
  if (QWidget *owner = parentWidget())
    move(owner->window()->frameGeometry().center() - rect().center());
}

void TONAYSIP::boxkargoClick()
{
  uyarikargo->clear();
  // The firms of the previous kind go first: a firm must never be sent with
  // another kind, also when the new list cannot be fetched.
  kargocombo->clear();
  if (kargo.Active())
    kargo.Close();
  const std::optional<int> kind = SeciliKimlik(kargoSecim);
  if (!kind)
    return;
  if (!CallOnMainConnection(bagc, [&](TServerMethods1Client &client) {
        ClientRef<DBXReader> firmalar = client.KargolarVer(*kind);
        if (firmalar)
          kargo.CopyFromTable(firmalar->table());
      }))
    return;
  kargocombo->addItem(QStringLiteral(" "));
  const Field *ad = kargo.Active() ? kargo.FindField(QStringLiteral("ADI")) : nullptr;
  if (!ad)
    return;
  for (int row = 0; row < kargo.RecordCount(); ++row)
    kargocombo->addItem(kargo.CellValue(row, ad->Index()).toString());
  if (kargo.RecordCount() == 1) {
    kargocombo->setCurrentIndex(1);
    kargocomboChange();
  }
}

void TONAYSIP::kargocomboChange()
{
  const int row = firmaSatiri(kargo, kargocombo->currentText());
  const Field *uyari = kargo.Active() ? kargo.FindField(QStringLiteral("UYARI")) : nullptr;
  if (row < 0 || !uyari)
    return;
  uyarikargo->setText(kargo.CellValue(row, uyari->Index()).toString());
}

void TONAYSIP::Button1Click()
{
  const std::optional<int> teslim = SeciliKimlik(teslimSecim);
  if (!teslim) {
    uyar(QStringLiteral("Lütfen Teslim Durumu Seçiniz !"));
    return;
  }
  const std::optional<int> kargoTuru = SeciliKimlik(kargoSecim);
  if (!kargoTuru) {
    uyar(QStringLiteral("Lütfen Kargo Türünü Seçiniz !"));
    return;
  }
  const int row = kargocombo->currentIndex() > 0 ? firmaSatiri(kargo, kargocombo->currentText()) : -1;
  const Field *sirano = kargo.Active() ? kargo.FindField(QStringLiteral("SIRANO")) : nullptr;
  if (row < 0 || !sirano) {
    uyar(QStringLiteral("Lütfen Kargo  Seçiniz !"));
    kargocombo->setFocus();
    return;
  }
  KN = kargo.CellValue(row, sirano->Index()).toInt();
  td = *teslim;
  kt = *kargoTuru;
  accept();
}

bool SiparisGonder(const SepetIslemi &islem, ClientDataSet &sepet, const QString &uyari,
                   const QString &toplam)
{
  // A basket without a marked line has nothing to send: the server would
  // refuse it after all the questions.
  if (!SeciliSatiraGit(sepet) || sepet.Eof()) {
    uyar(QStringLiteral("Gönderilecek Parça Yok "));
    return false;
  }
  int td = 0;
  int kt = 0;
  int KN = 0;
  QString mesaj;
  {
    TONAYSIP onay(islem.sahip, islem.bagc, uyari, islem.sbilgi, toplam);
    onay.Label3->setText(uyari);
    const int sonuc = TONAYSIP::ExecHook ? TONAYSIP::ExecHook(onay) : onay.exec();
    if (sonuc != QDialog::Accepted)
      return false;
    td = onay.td;
    kt = onay.kt;
    KN = onay.KN;
    mesaj = onay.aciklamagir->toPlainText();
  }
  auto copy = std::make_unique<TSonucBilgisi>();
  copy->Kopyala(islem.sbilgi);
  bool kaydedildi = false;
  CallOnMainConnection(islem.bagc, [&](TServerMethods1Client &client) {
    kaydedildi = client.SiparisKaydet(std::move(copy), islem.sbilgi.CARINO(), td, kt, mesaj,
                                      islem.sbilgi.Sirano(), KN);
  });
  if (!kaydedildi) {
    MesajGoster(QStringLiteral("Sipariş Göndermede Hata"), mtError, msgButtons({mbOK}), 0, mbOK);
    return false;
  }
  MesajGoster(QStringLiteral("Siparişiniz Gönderildi !"), mtInformation, msgButtons({mbOK}), 0, mbOK);
  if (islem.sepetiYenile)
    islem.sepetiYenile();
  return true;
}

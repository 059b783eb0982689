#include "ui/basket/stokayarinti.h"

#include "app/config.h"
#include "data/clientdataset.h"
#include "server/baglantikur.h"
#include "server/callpatterns.h"
#include "server/remoteerror.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "widgets/paraedit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#if defined(__GNUG__)
#include <cxxabi.h>
#endif

SatirTutari SatirHesapla(const QString &adetMetni, double fiyat, const std::array<double, 4> &oranlar,
                         double kdvoran)
{
  bool ok = false;
  int q = adetMetni.trimmed().toInt(&ok);
  if (!ok)
    q = 1;
  SatirTutari t;
  t.brut = q * fiyat;
  double n = t.brut;
  for (double r : oranlar)
    if (r > 0)
      n -= n * r / 100;
  t.indirim = t.brut - n;
  t.net = IkiHaneYuvarla(n);
  t.birim = q == 0 ? 0 : IkiHaneYuvarla(t.net / q);
  t.kdvDahil = IkiHaneYuvarla(t.birim * (kdvoran / 100 + 1));
  t.genel = IkiHaneYuvarla(t.kdvDahil * q);
  return t;
}

std::optional<int> GonderilecekAdet(const QString &adetMetni)
{
  bool ok = false;
  const int q = adetMetni.trimmed().toInt(&ok);
  if (!ok || q < 1 || q > 10000)
    return std::nullopt;
  return q;
}

std::function<int(Tstokayarinti &)> Tstokayarinti::ExecHook;

namespace {

// Pictures of the picture service shorter than this are its "no picture" answer.
constexpr qsizetype kEnKucukResim = 1200;
const QColor kYaziRengi(67, 76, 88);

// A caption that keeps to its cell: a text wider than the cell is drawn
// with a smaller font instead of widening the dialog or being cut.
class SiganYazi : public QLabel {
public:
  using QLabel::QLabel;
  QSize minimumSizeHint() const override { return {40, QLabel::minimumSizeHint().height()}; }

protected:
  void paintEvent(QPaintEvent *) override
  {
    QPainter p(this);
    QFont f = font();
    const QRect area = contentsRect();
    while (f.pointSizeF() > 8 && QFontMetrics(f).horizontalAdvance(text()) > area.width())
      f.setPointSizeF(f.pointSizeF() - 1);
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(area, int(alignment()), QFontMetrics(f).elidedText(text(), Qt::ElideRight, area.width()));
  }
};

QLabel *yazi(const QString &text, const QFont &font, const char *name = nullptr, bool sigdir = false)
{
  QLabel *label = sigdir ? new SiganYazi(text) : new QLabel(text);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kYaziRengi);
  label->setPalette(palette);
  if (name)
    label->setObjectName(QString::fromLatin1(name));
  return label;
}

ParaEdit *tutarKutusu(const QFont &font, const char *name)
{
  auto *edit = new ParaEdit;
  edit->setFont(font);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

bool enterTusu(QEvent *event)
{
  if (event->type() != QEvent::KeyPress)
    return false;
  const int key = static_cast<QKeyEvent *>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Tstokayarinti::Tstokayarinti(QWidget *owner) : QDialog(owner)
{
  setWindowTitle(QStringLiteral("Sepete Ekle"));
  setObjectName(QStringLiteral("Tstokayarinti"));
  setModal(true);
  resize(550, 631);

  const QFont kucuk(QStringLiteral("Tahoma"), 11);
  const QFont buyuk(QStringLiteral("Tahoma"), 20);

  // Top: the item's texts.
  auto *ust = new QWidget;
  ust->setObjectName(QStringLiteral("ustpanel"));
  auto *ustGrid = new QGridLayout(ust);
  ustGrid->setContentsMargins(12, 8, 12, 4);
  ustGrid->setHorizontalSpacing(10);
  ustGrid->setVerticalSpacing(2);
  barkod = yazi(QString(), kucuk, "barkod");
  adi = yazi(QString(), kucuk, "adi");
  finishkod = yazi(QString(), kucuk, "finishkod");
  marka = yazi(QString(), kucuk, "marka");
  model = yazi(QString(), kucuk, "model");
  adi->setWordWrap(true);
  const std::pair<const char *, QLabel *> satirlar[] = {{"Barkod:", barkod},
                                                        {"Açıklama:", adi},
                                                        {"Finish Kod:", finishkod},
                                                        {"Marka:", marka},
                                                        {"Model:", model}};
  int row = 0;
  for (const auto &[baslik, deger] : satirlar) {
    ustGrid->addWidget(yazi(QString::fromUtf8(baslik), kucuk), row, 0, Qt::AlignLeft | Qt::AlignTop);
    deger->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ustGrid->addWidget(deger, row, 1);
    ++row;
  }
  ustGrid->setColumnStretch(1, 1);

  // Middle: the picture.
  Image1 = new QLabel;
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  Image1->setMinimumSize(64, 64);

  // Bottom: quantity and amounts, the buttons on the right.
  auto *alt = new QWidget;
  alt->setObjectName(QStringLiteral("altpanel"));
  alt->setFixedHeight(190);
  auto *tutarlar = new QGridLayout;
  tutarlar->setContentsMargins(0, 0, 0, 0);
  tutarlar->setHorizontalSpacing(8);
  tutarlar->setVerticalSpacing(2);
  adet = new QSpinBox;
  adet->setObjectName(QStringLiteral("adet"));
  adet->setFont(buyuk);
  adet->setRange(1, 10000);
  adet->setValue(1);
  adet->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2 = yazi(QStringLiteral("Fiyat:"), buyuk, "Label2", true);
  indirimoran = yazi(QStringLiteral("İndirim:"), buyuk, "indirimoran", true);
  Label3 = yazi(QStringLiteral("KDV Dahil:"), buyuk, "Label3", true);
  sLabel6 = yazi(QStringLiteral("Tutar:"), buyuk, "sLabel6", true);
  birimfiyat = tutarKutusu(buyuk, "birimfiyat");
  indtutar = tutarKutusu(buyuk, "indtutar");
  kdvdahiltutar = tutarKutusu(buyuk, "kdvdahiltutar");
  geneltutar = tutarKutusu(buyuk, "geneltutar");
  tutarlar->addWidget(yazi(QStringLiteral("Adet:"), buyuk, nullptr, true), 0, 0);
  tutarlar->addWidget(adet, 0, 1);
  tutarlar->addWidget(Label2, 1, 0);
  tutarlar->addWidget(birimfiyat, 1, 1);
  tutarlar->addWidget(indirimoran, 2, 0);
  tutarlar->addWidget(indtutar, 2, 1);
  tutarlar->addWidget(Label3, 3, 0);
  tutarlar->addWidget(kdvdahiltutar, 3, 1);
  tutarlar->addWidget(sLabel6, 4, 0);
  tutarlar->addWidget(geneltutar, 4, 1);
  tutarlar->setColumnStretch(0, 1);
  for (QWidget *box :
       {static_cast<QWidget *>(adet), static_cast<QWidget *>(birimfiyat), static_cast<QWidget *>(indtutar),
        static_cast<QWidget *>(kdvdahiltutar), static_cast<QWidget *>(geneltutar)})
    box->setFixedWidth(150);

  ParcaliTus1 = new QPushButton(QStringLiteral("Sipariş ekle"));
  ParcaliTus1->setObjectName(QStringLiteral("ParcaliTus1"));
  ParcaliTus2 = new QPushButton(QStringLiteral("Vazgeç"));
  ParcaliTus2->setObjectName(QStringLiteral("ParcaliTus2"));
  QFont tusFont(QStringLiteral("Tahoma"), 11, QFont::Bold);
  for (QPushButton *b : {ParcaliTus1, ParcaliTus2}) {
    b->setFont(tusFont);
    b->setAutoDefault(false);
    b->setFixedSize(132, 60);
  }
  auto *tuslar = new QVBoxLayout;
  tuslar->addStretch();
  tuslar->addWidget(ParcaliTus1);
  tuslar->addWidget(ParcaliTus2);
  tuslar->addStretch();

  auto *altLayout = new QHBoxLayout(alt);
  altLayout->setContentsMargins(12, 4, 12, 8);
  altLayout->setSpacing(12);
  altLayout->addLayout(tutarlar, 1);
  altLayout->addLayout(tuslar);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ust);
  layout->addWidget(Image1, 1);
  layout->addWidget(alt);

  connect(ParcaliTus1, &QPushButton::clicked, this, &QDialog::accept);
  connect(ParcaliTus2, &QPushButton::clicked, this, &QDialog::reject);
  connect(adet, &QSpinBox::textChanged, this, [this] { Hesapla(); });
  adet->installEventFilter(this);
  for (ParaEdit *box : {birimfiyat, indtutar, kdvdahiltutar, geneltutar})
    box->installEventFilter(this);
  ResmiGoster();
}

Tstokayarinti::~Tstokayarinti() = default;

void Tstokayarinti::Hesapla()
{
  const SatirTutari t = SatirHesapla(adet->text(), birimfiyat->value(), {ind1, ind2, ind3, ind4}, kdvoran);
  indtutar->setValue(t.indirim);
  kdvdahiltutar->setValue(t.kdvDahil);
  geneltutar->setValue(t.genel);
}

bool Tstokayarinti::event(QEvent *e)
{
  const bool result = QDialog::event(e);
  if (e->type() == QEvent::WindowActivate)
    FormActivate();
  return result;
}

void Tstokayarinti::FormActivate()
{
  adet->setFocus();
  adet->selectAll();
  Hesapla();
  ResimIste();
}

void Tstokayarinti::showEvent(QShowEvent *e)
{
  QDialog::showEvent(e);
  Hesapla();
}

bool Tstokayarinti::eventFilter(QObject *watched, QEvent *e)
{
  if (watched == adet && enterTusu(e)) {
    accept();
    return true;
  }
  if (watched == birimfiyat && enterTusu(e))
    return true;
  if (e->type() == QEvent::KeyRelease &&
      (watched == birimfiyat || watched == indtutar || watched == kdvdahiltutar || watched == geneltutar))
    Hesapla();
  return QDialog::eventFilter(watched, e);
}

void Tstokayarinti::resizeEvent(QResizeEvent *e)
{
  QDialog::resizeEvent(e);
  ResmiGoster();
}

bool Tstokayarinti::ResimYukle(const QByteArray &bytes)
{
  QPixmap pixmap;
  if (!pixmap.loadFromData(bytes))
    return false;
  resim_ = pixmap;
  resimVar_ = true;
  ResmiGoster();
  return true;
}

void Tstokayarinti::ResmiGoster()
{
  if (!resimVar_) {
    const int side = qBound(48, qMin(Image1->width(), Image1->height()) / 2, 160);
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/resim.svg")).pixmap(QSize(side, side)));
    return;
  }
  const QSize area = Image1->size().boundedTo(Image1->maximumSize());
  if (area.isEmpty())
    return;
  Image1->setPixmap(
      resim_.scaled(area * Image1->devicePixelRatioF(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// The item's picture from the picture service, in the background: an answer
// shorter than a real picture, an error or a picture arriving after the
// dialog closed changes nothing.
void Tstokayarinti::ResimIste()
{
  if (webResmiGeldi_ || webResmiBekleniyor_)
    return;
  if (!ag_)
    ag_ = new QNetworkAccessManager(this);
  QNetworkRequest request(QUrl(ResimAdresTabani() + QString::number(stokno)));
  request.setTransferTimeout(30000);
  QNetworkReply *reply = ag_->get(request);
  webResmiBekleniyor_ = true;
  connect(reply, &QNetworkReply::finished, this, [this, reply] {
    reply->deleteLater();
    webResmiBekleniyor_ = false;
    if (reply->error() != QNetworkReply::NoError)
      return;
    const QByteArray body = reply->readAll();
    if (body.size() < kEnKucukResim || !isVisible())
      return;
    webResmiGeldi_ = true;
    ResimYukle(body);
  });
}

namespace {

// "<class>: <message>" of an error, as the plain message shows it.
QString hataMetni(const std::exception &e)
{
  if (const auto *remote = dynamic_cast<const RemoteError *>(&e))
    return QStringLiteral("RemoteError: ") + remote->message();
  QString cls = QString::fromLatin1(typeid(e).name());
#if defined(__GNUG__)
  int status = 0;
  char *name = abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status);
  if (status == 0 && name)
    cls = QString::fromLatin1(name);
  std::free(name);
#endif
  return cls + QStringLiteral(": ") + QString::fromUtf8(e.what());
}

// The item's picture through the server, before the dialog shows. A missing
// connection opens the dialog without it; an error is shown and the dialog
// still opens.
void sunucudanResimYukle(Tstokayarinti &dialog, ServerConnection &bagc, int stokno)
{
  if (!BaglantiKur(bagc, 1))
    return;
  try {
    TServerMethods1Client client(bagc);
    qint64 boy = 0;
    ClientRef<MemoryStream> stream = client.ResimVer5(stokno, boy);
    if (boy > 0 && stream) {
      QByteArray bytes;
      char block[1024];
      qint64 n = 0;
      do {
        n = stream->Read(block, sizeof block);
        bytes.append(block, n);
      } while (n == qint64(sizeof block));
      if (bytes.size() == boy)
        dialog.ResimYukle(bytes);
    }
  } catch (const std::exception &e) {
    MesajGoster(hataMetni(e), mtCustom, msgButtons({mbOK}), 0, mbOK);
  }
  bagc.close();
}

int goster(Tstokayarinti &dialog)
{
  return Tstokayarinti::ExecHook ? Tstokayarinti::ExecHook(dialog) : dialog.exec();
}

QString metin(const ClientDataSet &ds, const char *name)
{
  const Field *field = ds.FindField(QString::fromLatin1(name));
  return field ? field->DisplayText() : QString();
}
double sayi(const ClientDataSet &ds, const char *name)
{
  return ds.FieldByName(QString::fromLatin1(name))->AsFloat();
}
int tamsayi(const ClientDataSet &ds, const char *name)
{
  return ds.FieldByName(QString::fromLatin1(name))->AsInteger();
}

bool satici(const TSonucBilgisi &sbilgi)
{
  return sbilgi.MusteriTipi() == 1 || sbilgi.MusteriTipi() == 2;
}

enum class Kaynak { StokListesi, Yeniler, Kampanya };

// The add modes: the row's values are taken before the dialog shows, so
// whatever happens to the list meanwhile, the row that was opened is added.
void ekle(const SepetIslemi &islem, ClientDataSet &liste, Kaynak kaynak)
{
  const int stokno = tamsayi(liste, "STOK_STOKNO");
  const QString barkod = liste.FieldByName(QStringLiteral("BARKOD"))->AsString();
  const QString adi = liste.FieldByName(QStringLiteral("ADI"))->AsString();
  const double kdv = sayi(liste, "KDV");
  const int kdvTam = tamsayi(liste, "KDV");
  const double fiyat = sayi(liste, "FIYAT");
  const std::array<double, 4> ind{sayi(liste, "IND1"), sayi(liste, "IND2"), sayi(liste, "IND3"),
                                  sayi(liste, "IND4")};
  const int k = tamsayi(liste, "K");
  const QString indirimYazi = metin(liste, "INDIRIMYAZI");

  QString adetMetni;
  {
    Tstokayarinti dialog(islem.sahip);
    dialog.barkod->setText(metin(liste, "BARKOD"));
    dialog.adi->setText(metin(liste, "ADI"));
    dialog.marka->setText(metin(liste, "MARKA"));
    dialog.finishkod->setText(metin(liste, "FINISHKOD"));
    dialog.model->setText(metin(liste, "MODEL"));
    dialog.stokno = stokno;
    dialog.kdvoran = kdv;
    dialog.ind1 = ind[0];
    dialog.ind2 = ind[1];
    dialog.ind3 = ind[2];
    dialog.ind4 = ind[3];
    dialog.birimfiyat->setValue(fiyat);
    dialog.adet->setValue(1);
    if (kaynak == Kaynak::Kampanya || k > 0) {
      dialog.Label2->setText(QStringLiteral("Kampanyalı Fiyat:"));
      dialog.indirimoran->setText(QStringLiteral("Kampanyalı ") + indirimYazi);
    } else {
      dialog.Label2->setText(QStringLiteral("Fiyat:"));
      dialog.indirimoran->setText(kaynak == Kaynak::Yeniler ? QStringLiteral("İndirim:  % ") + indirimYazi
                                                            : QStringLiteral("İndirim: %") + indirimYazi);
    }
    dialog.birimfiyat->setEditable(kaynak != Kaynak::Kampanya && satici(islem.sbilgi));
    if (kaynak != Kaynak::StokListesi)
      sunucudanResimYukle(dialog, islem.bagc, stokno);
    dialog.Hesapla();
    if (goster(dialog) != QDialog::Accepted)
      return;
    adetMetni = dialog.adet->text();
  }
  const std::optional<int> miktar = GonderilecekAdet(adetMetni);
  if (!miktar)
    return;
  auto copy = std::make_unique<TSonucBilgisi>();
  copy->Kopyala(islem.sbilgi);
  int sonuc = 0;
  // The unit price sent is the row's: a price typed by staff only shows.
  if (!CallOnMainConnection(islem.bagc, [&](TServerMethods1Client &client) {
        sonuc = client.SepetEkle2(std::move(copy), islem.sbilgi.CARINO(), stokno, barkod, adi, *miktar,
                                  kdvTam, fiyat, ind[0], islem.sbilgi.Sirano(), k, ind[1], ind[2], ind[3]);
      }))
    return;
  if (sonuc == 1 && islem.sepetiYenile)
    islem.sepetiYenile();
}

} // namespace

void SatirDegistir(const SepetIslemi &islem, ClientDataSet &sepet)
{
  // The line is read whole before the dialog shows: a basket reloaded
  // meanwhile cannot change which line is written.
  const QString barkod = metin(sepet, "BARKOD");
  const QString stokadi = metin(sepet, "STOKADI");
  const int kdvTam = tamsayi(sepet, "KDV");
  const std::array<double, 4> ind{sayi(sepet, "INDIRIMORANI1"), sayi(sepet, "INDIRIMORANI2"),
                                  sayi(sepet, "INDIRIMORANI3"), sayi(sepet, "INDIRIMORANI4")};
  const int sirano = tamsayi(sepet, "SIRANO");

  QString adetMetni;
  double fiyat = 0;
  {
    Tstokayarinti dialog(islem.sahip);
    dialog.barkod->setText(barkod);
    dialog.adi->setText(stokadi);
    dialog.marka->setText(metin(sepet, "MARKA"));
    dialog.finishkod->setText(metin(sepet, "FINISHKOD"));
    dialog.model->setText(metin(sepet, "MODEL"));
    dialog.stokno = tamsayi(sepet, "STOKNO");
    dialog.kdvoran = sayi(sepet, "KDV");
    dialog.ind1 = ind[0];
    dialog.ind2 = ind[1];
    dialog.ind3 = ind[2];
    dialog.ind4 = ind[3];
    dialog.birimfiyat->setValue(sayi(sepet, "BIRIMFIYAT"));
    dialog.adet->setValue(qBound(1, qRound(sayi(sepet, "MIKTAR")), 10000));
    dialog.Label2->setText(QStringLiteral("Fiyat:"));
    dialog.indirimoran->setText(QStringLiteral("İndirim: %") + metin(sepet, "INDIRIMYAZI"));
    dialog.birimfiyat->setEditable(satici(islem.sbilgi));
    dialog.Hesapla();
    if (goster(dialog) != QDialog::Accepted)
      return;
    adetMetni = dialog.adet->text();
    fiyat = dialog.birimfiyat->value();
  }
  const std::optional<int> miktar = GonderilecekAdet(adetMetni);
  if (!miktar)
    return;
  auto copy = std::make_unique<TSonucBilgisi>();
  copy->Kopyala(islem.sbilgi);
  int sonuc = 0;
  if (!CallOnMainConnection(islem.bagc, [&](TServerMethods1Client &client) {
        sonuc =
            client.SepetGuncelle2(std::move(copy), islem.sbilgi.CARINO(), 0, barkod, stokadi, *miktar, kdvTam,
                                  fiyat, ind[0], islem.sbilgi.Sirano(), sirano, ind[1], ind[2], ind[3]);
      }))
    return;
  if (!islem.sepetiYenile)
    return;
  if (sonuc == 1)
    islem.sepetiYenile();
  islem.sepetiYenile();
}

void StokListesindenEkle(const SepetIslemi &islem, ClientDataSet &stok)
{
  ekle(islem, stok, Kaynak::StokListesi);
}

void YenilerdenEkle(const SepetIslemi &islem, ClientDataSet &yeniler)
{
  ekle(islem, yeniler, Kaynak::Yeniler);
}

void KampanyadanEkle(const SepetIslemi &islem, ClientDataSet &kampstok)
{
  ekle(islem, kampstok, Kaynak::Kampanya);
}

#include "ui/sales/seccari.h"

#include "app/identity.h"
#include "app/kabuk.h"
#include "app/sonlandir.h"
#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/account/bakiyesiparisler.h"
#include "ui/common/formats.h"
#include "ui/sales/tarihsec.h"
#include "widgets/datagrid.h"

#include <wire/baglantiu.h>
#include <wire/value.h>

#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

std::function<int(Tseccari &)> Tseccari::ExecHook;

QString CariAramaMetni(const QString &typed)
{
  QString text = typed;
  text.replace(QChar(u'ı'), QLatin1Char('i'));
  return text.trimmed();
}

QString SepetTusuYazisi(int count)
{
  return count < 1 ? QString() : QString::number(count);
}

QString RaporDosyasi(int raporno, int carino)
{
  return BelgelerKlasoruAl() + QStringLiteral("/rapor") + QString::number(raporno + carino) +
         QStringLiteral(".pdf");
}

namespace {

QList<GridColumn> cariKolonlari()
{
  QList<GridColumn> columns;
  for (const char *field : {"CARIKOD", "CARIADI", "SATICISI", "TLBAKIYE", "DURUM", "SEPET", "ALINDI",
                            "ONAYLANDI", "GORULDU", "HAZIRLANDI", "PARCALIHAZIRLANDI"})
    columns.append({.field = QString::fromLatin1(field)});
  columns.first().footer = FooterKind::Count;
  for (const char *field :
       {"CARINO",  "OZELKOD",        "KOD1",          "KOD2",         "KOD3",    "KOD4",    "KOD5",
        "TEL1",    "TEL2",           "ILCE",          "IL",           "GSM",     "YETKILI", "INDIRIM",
        "VADE",    "VADEKONTROLGUN", "VADEKONTROLAY", "VERGIDAIRESI", "VERGINO", "ADRES1",  "ADRES2",
        "ANAGRUP", "ALTGRUP",        "FAX1",          "FAX2",         "EMAIL"})
    columns.append({.field = QString::fromLatin1(field), .shown = false});
  return columns;
}

QToolButton *durumTusu(const QString &hint)
{
  auto *button = new QToolButton;
  button->setToolTip(hint);
  button->setMinimumSize(56, 32);
  button->setObjectName(QStringLiteral("durumtusu"));
  return button;
}

} // namespace

Tseccari::Tseccari(QWidget *owner, ServerConnection &bag_, TSonucBilgisi &bilgim_)
    : QDialog(owner), bag(bag_), bilgim(bilgim_)
{
  setObjectName(QStringLiteral("Tseccari"));
  setWindowTitle(QStringLiteral("Cari Seçimi"));

  sBitBtn2 = new QToolButton;
  sBitBtn2->setToolTip(QStringLiteral("Tüm Carileri Listeler"));
  sBitBtn2->setIcon(QIcon(QStringLiteral(":/icons/ara.svg")));
  sBitBtn2->setText(QStringLiteral("Tümü"));
  sBitBtn2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  sBitBtn2->setMinimumHeight(32);
  sepettus = durumTusu(QStringLiteral("Sipariş sepetinde \r\nstok olan carileri listeler."));
  alinditus = durumTusu(QStringLiteral("Yeni Alınan \r\nSiparişleri Listeler"));
  onaylanditus = durumTusu(QStringLiteral("Onaylanan Siparişler"));
  goruldutus = durumTusu(QStringLiteral("Görülen Siparişler"));
  goruldutus->setText(QStringLiteral("0"));
  parcalihazirlandi = durumTusu(QStringLiteral("Eksik Hazırlanan siparişler"));
  hazirlanditus = durumTusu(QStringLiteral("Hazırlanan Siparişler"));
  sevktus = durumTusu(QStringLiteral("Sevk Edilen Siparişler"));
  NEdit1 = new QLineEdit;
  NEdit1->setObjectName(QStringLiteral("NEdit1"));
  NEdit1->setMinimumWidth(300);
  NEdit1->installEventFilter(this);
  connect(NEdit1, &QLineEdit::textEdited, NEdit1, [this](const QString &text) {
    const QString upper = text.toUpper();
    if (upper != text) {
      const int cursor = NEdit1->cursorPosition();
      NEdit1->setText(upper);
      NEdit1->setCursorPosition(cursor);
    }
  });
  auto *top = new QHBoxLayout;
  top->addWidget(sBitBtn2);
  const std::pair<QToolButton *, int> lists[] = {{sepettus, 1},   {alinditus, 2},         {onaylanditus, 3},
                                                 {goruldutus, 4}, {parcalihazirlandi, 5}, {hazirlanditus, 6},
                                                 {sevktus, 7}};
  for (const auto &[button, code] : lists) {
    top->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, code] { RunGuarded([&] { DurumListesi(code); }); });
  }
  top->addSpacing(12);
  top->addWidget(NEdit1, 1);
  connect(sBitBtn2, &QToolButton::clicked, this, [this] { RunGuarded([this] { sBitBtn2Click(); }); });

  cxGrid1 = new DataGrid;
  cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
  cxGrid1->setColumns(cariKolonlari());
  cxGrid1->setDataSet(&CARILER);
  cxGrid1->setRowHeight(30);
  connect(cxGrid1, &DataGrid::rowDoubleClicked, this, [this] { Button1Click(); });
  connect(cxGrid1, &DataGrid::focusedRowChanged, this, &Tseccari::KartiYaz);

  PopupMenu1 = new QMenu(this);
  C1 = PopupMenu1->addAction(QStringLiteral("Cari Özeti Göster"));
  PopupMenu1->addSeparator();
  B1 = PopupMenu1->addAction(QStringLiteral("Bakiyelerini Göster"));
  PopupMenu1->addSeparator();
  CariAlSatTablosuSatcl1 = PopupMenu1->addAction(QStringLiteral("Cari Alış Satış Tablosu (Satıcılı)"));
  CariTopluAlacakVadeleri1 = PopupMenu1->addAction(QStringLiteral("Cari Toplu Alacak Vadeleri"));
  connect(C1, &QAction::triggered, this, [this] { RunGuarded([this] { C1Click(); }); });
  connect(B1, &QAction::triggered, this, [this] { RunGuarded([this] { B1Click(); }); });
  connect(CariAlSatTablosuSatcl1, &QAction::triggered, this,
          [this] { RunGuarded([this] { CariAlSatTablosuSatcl1Click(); }); });
  connect(CariTopluAlacakVadeleri1, &QAction::triggered, this,
          [this] { RunGuarded([this] { CariTopluAlacakVadeleri1Click(); }); });
  connect(cxGrid1, &DataGrid::contextMenuRequested, this, [this](const QPoint &at) { PopupMenu1->exec(at); });

  kart = new QGroupBox(QStringLiteral("Cari Bilgileri"));
  kart->setObjectName(QStringLiteral("kart"));
  kart->setFixedWidth(340);
  auto *card = new QGridLayout(kart);
  int row = 0;
  const auto satir = [&](const char *caption, std::initializer_list<QLabel **> values) {
    auto *c = new QLabel(QString::fromUtf8(caption));
    c->setAlignment(Qt::AlignRight | Qt::AlignTop);
    card->addWidget(c, row, 0);
    for (QLabel **value : values) {
      *value = new QLabel;
      (*value)->setWordWrap(true);
      (*value)->setTextInteractionFlags(Qt::TextSelectableByMouse);
      card->addWidget(*value, row++, 1);
    }
  };
  satir("CariKod:", {&carikod});
  satir("Cari Adı:", {&cariadi});
  satir("Yetkili:", {&yetkili});
  satir("Özel Kod:", {&ozelkod});
  satir("Ana Grup:", {&anagrup});
  satir("Alt Grup:", {&altgrup});
  satir("Adres:", {&adres1, &adres2, &ilce});
  satir("Telefon:", {&telefon1, &telefon2});
  satir("Fax:", {&fax1, &fax2});
  satir("Gsm:", {&gsm});
  satir("Vergi D.:", {&vergi});
  satir("E-mail:", {&email});
  satir("Bakiye:", {&bakiye});
  satir("İndirim %:", {&indirim});
  satir("Vade (Gün):", {&vade});
  bakiye->setAlignment(Qt::AlignRight | Qt::AlignTop);
  card->setRowStretch(row, 1);
  card->setColumnStretch(1, 1);
  kart->hide();

  Button1 = new QPushButton(QStringLiteral("Seç"));
  Button2 = new QPushButton(QStringLiteral("Vazgeç"));
  for (QPushButton *b : {Button1, Button2}) {
    b->setAutoDefault(false);
    b->setMinimumSize(120, 40);
  }
  connect(Button1, &QPushButton::clicked, this, &Tseccari::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &Tseccari::Button2Click);

  auto *middle = new QHBoxLayout;
  middle->addWidget(cxGrid1, 1);
  middle->addWidget(kart);
  auto *bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(Button1);
  bottom->addWidget(Button2);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addLayout(bottom);
}

Tseccari::~Tseccari()
{
  cxGrid1->setDataSet(nullptr); // the grid lets go before the dataset goes
}

int Tseccari::calistir()
{
  return ExecHook ? ExecHook(*this) : exec();
}

void Tseccari::showEvent(QShowEvent *event)
{
  QDialog::showEvent(event);
  if (const QScreen *s = screen()) {
    const QRect area = s->availableGeometry();
    setGeometry(area.left() + 50, area.top() + 50, area.width() - 100, area.height() - 100);
  }
  NEdit1->setFocus();
}

bool Tseccari::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == NEdit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      RunGuarded([this] { Ara(); });
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Tseccari::SepetSayisiYaz()
{
  auto bil = std::make_unique<TSonucBilgisi>();
  bil->Kopyala(bilgim);
  int count = 0;
  CallOnMainConnectionNoRetry(
      bag, [&](TServerMethods1Client &client) { count = client.SepetSayisi(std::move(bil)); });
  sepettus->setText(SepetTusuYazisi(count));
}

void Tseccari::TusSonuclari()
{
  auto bil = std::make_unique<TSonucBilgisi>();
  bil->Kopyala(bilgim);
  TTusSonuclari sonuc;
  CallOnMainConnectionNoRetry(bag, [&](TServerMethods1Client &client) {
    if (ClientRef<TTusSonuclari> r = client.TusSonuclariVer(std::move(bil)))
      sonuc.Kopyala(*r);
  });
  alinditus->setText(QString::number(sonuc.Alindi()));
  onaylanditus->setText(QString::number(sonuc.Onaylandi()));
  goruldutus->setText(QString::number(sonuc.Goruldu()));
  parcalihazirlandi->setText(QString::number(sonuc.ParcaliHazirlandi()));
  hazirlanditus->setText(QString::number(sonuc.Hazirlandi()));
  sevktus->setText(QString::number(sonuc.SevkEdildi()));
}

void Tseccari::listeyiKur(wire::TableMap &&table)
{
  CARILER.DisableControls();
  CARILER.SetData(std::move(table));
  ParaBicimiUygula(CARILER);
  CARILER.EnableControls();
  cxGrid1->bestFit();
  if (CARILER.RecordCount() > 0)
    cxGrid1->focusRow(0);
  KartiYaz();
}

void Tseccari::Ara()
{
  auto bil = std::make_unique<TSonucBilgisi>();
  bil->Kopyala(bilgim);
  const QString aranan = CariAramaMetni(NEdit1->text());
  CallOnMainConnectionNoRetry(bag, [&](TServerMethods1Client &client) {
    ClientRef<DBXReader> reader = client.CariAra(std::move(bil), aranan);
    listeyiKur(reader ? wire::TableMap(reader->table()) : wire::TableMap{});
  });
  NEdit1->selectAll();
  NEdit1->setFocus();
}

void Tseccari::sBitBtn2Click()
{
  NEdit1->clear();
  Ara();
}

void Tseccari::DurumListesi(int n)
{
  auto bil = std::make_unique<TSonucBilgisi>();
  bil->Kopyala(bilgim);
  CallOnMainConnectionNoRetry(bag, [&](TServerMethods1Client &client) {
    ClientRef<DBXReader> reader = client.CariSepetVer(std::move(bil), n);
    listeyiKur(reader ? wire::TableMap(reader->table()) : wire::TableMap{});
  });
  if (n == 1) {
    NEdit1->selectAll();
    NEdit1->setFocus();
  }
}

QString Tseccari::odakliDeger(const char *field) const
{
  const int row = cxGrid1->focusedRow();
  const Field *f = CARILER.FindField(QString::fromLatin1(field));
  return row < 0 || !f ? QString() : CARILER.CellText(row, f->Index());
}

int Tseccari::odakliCarino() const
{
  const int row = cxGrid1->focusedRow();
  const Field *f = CARILER.FindField(QStringLiteral("CARINO"));
  return row < 0 || !f ? 0 : CARILER.CellValue(row, f->Index()).toInt();
}

void Tseccari::KartiYaz()
{
  if (cxGrid1->focusedRow() < 0) {
    kart->hide();
    return;
  }
  const auto d = [this](const char *field) { return odakliDeger(field); };
  carikod->setText(d("CARIKOD"));
  cariadi->setText(d("CARIADI"));
  yetkili->setText(d("YETKILI"));
  ozelkod->setText(d("OZELKOD"));
  anagrup->setText(d("ANAGRUP"));
  altgrup->setText(d("ALTGRUP"));
  adres1->setText(d("ADRES1"));
  adres2->setText(d("ADRES2"));
  ilce->setText(d("ILCE") + QStringLiteral("/") + d("IL"));
  vergi->setText(d("VERGIDAIRESI") + QStringLiteral("/") + d("VERGINO"));
  telefon1->setText(d("TEL1"));
  telefon2->setText(d("TEL2"));
  fax1->setText(d("FAX1"));
  fax2->setText(d("FAX2"));
  gsm->setText(d("GSM"));
  email->setText(d("EMAIL"));
  const Field *tl = CARILER.FindField(QStringLiteral("TLBAKIYE"));
  const double balance = tl ? CARILER.CellValue(cxGrid1->focusedRow(), tl->Index()).toDouble() : 0.0;
  bakiye->setText(FormatFloat(kParaBicimi, balance) + QStringLiteral(" ") + d("DURUM"));
  vade->setText(d("VADE"));
  indirim->setText(d("INDIRIM"));
  kart->show();
}

void Tseccari::Button1Click()
{
  if (cxGrid1->focusedRow() < 0)
    return;
  const int carino = odakliCarino();
  if (carino <= 0)
    return;
  bilgim.SetCARINO(carino);
  bilgim.Setcarikod(odakliDeger("CARIKOD"));
  bilgim.SetCariAdi(odakliDeger("CARIADI"));
  accept();
}

void Tseccari::B1Click()
{
  if (cxGrid1->focusedRow() < 0)
    return;
  const int carino = odakliCarino();
  if (carino <= 0)
    return;
  // The focused dealer's balances; the login record itself stays as it is.
  TSonucBilgisi bilgi;
  bilgi.Kopyala(bilgim);
  bilgi.SetCARINO(carino);
  BakiyeSiparisleriAc(this, bag, bilgi, BakiyeAcilisi::CariSecimi, bilgim.MusteriTipi(), true);
}

void Tseccari::Button2Click()
{
  ProgramiSonlandir(0);
  reject(); // reached only under the termination test hook
}

void Tseccari::C1Click()
{
  const int carino = odakliCarino();
  if (carino <= 0)
    return;
  Ttarihsec tarih(this);
  tarih.TekTarih();
  if (tarih.calistir() != QDialog::Accepted)
    return;
  const QDate gun = tarih.DateTimePicker1->date();
  RaporAl(6, carino, odakliDeger("SATICISI"), gun, gun);
}

void Tseccari::CariAlSatTablosuSatcl1Click()
{
  const int carino = odakliCarino();
  if (carino <= 0)
    return;
  Ttarihsec tarih(this);
  if (tarih.calistir() != QDialog::Accepted)
    return;
  // The focused dealer's table: the report is asked for the row the user
  // chose, not for the dealer served before.
  RaporAl(7, carino, odakliDeger("SATICISI"), tarih.DateTimePicker1->date(), tarih.DateTimePicker2->date());
}

void Tseccari::CariTopluAlacakVadeleri1Click()
{
  Ttarihsec tarih(this);
  tarih.TekTarih();
  if (tarih.calistir() != QDialog::Accepted)
    return;
  const QDate gun = tarih.DateTimePicker1->date();
  RaporAl(6, 0, bilgim.MusteriTipi() == 1 ? bilgim.ADI() : QStringLiteral("."), gun, gun);
}

void Tseccari::RaporAl(int raporno, int carino, const QString &saticiadi, const QDate &tarih1,
                       const QDate &tarih2)
{
  const QString path = RaporDosyasi(raporno, carino);
  QFile::remove(path);
  QDir().mkpath(QFileInfo(path).absolutePath()); // a fresh account may have no documents folder yet
  CallOnMainConnectionNoRetry(bag, [&](TServerMethods1Client &client) {
    try {
      qint64 size = 0;
      ClientRef<MemoryStream> stream =
          client.RaporGetir(raporno, raporno, bilgim.Sirano(), carino, saticiadi,
                            wire::toOleDate(tarih1.startOfDay()), wire::toOleDate(tarih2.startOfDay()), size);
      if (!stream || size <= 0)
        return;
      stream->Seek(0);
      QByteArray bytes;
      char block[1024];
      for (;;) {
        const qint64 n = stream->Read(block, sizeof block);
        bytes.append(block, n);
        if (n < qint64(sizeof block))
          break;
      }
      if (bytes.size() != size)
        return; // an incomplete report is not saved
      QFile file(path);
      if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        file.close();
        QFile::remove(path);
      }
    } catch (const std::exception &) {
      // A report that cannot be fetched simply is not opened.
    }
  });
  if (QFile::exists(path))
    KabuktaAc(path);
}

#include "ui/account/ayrinti_siparis.h"

#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/account/siparisdip.h"
#include "ui/account/siparisler.h"
#include "ui/common/excelkaydet.h"
#include "ui/common/formats.h"
#include "widgets/datagrid.h"

#include <wire/baglantiu.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

std::function<int(Tayrinti_siparis &)> Tayrinti_siparis::ExecHook;

Tayrinti_siparis::Tayrinti_siparis(QWidget *owner)
    : QDialog(owner), asagi(std::make_unique<TSiparisDipAyrinti>())
{
  setObjectName(QStringLiteral("Tayrinti_siparis"));
  setWindowTitle(QStringLiteral("Sipariş Ayrıntısı"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  setFont(font);

  cxGrid2 = new DataGrid;
  cxGrid2->setObjectName(QStringLiteral("cxGrid2"));
  cxGrid2->setColumns(SiparisAyrintiKolonlari());
  cxGrid2->setDataSet(&sepet);
  cxGrid2->setHeaderHeight(40);
  cxGrid2->setRowHeight(40);
  connect(cxGrid2, &DataGrid::resized, this, &Tayrinti_siparis::cxGrid2Resize);

  QGroupBox *bilgiler =
      SiparisBilgileriGrubu({&_sipdurun, &_teslimcinsi, &_kargocinsi, &_kargo, &_veren}, 300);

  _sizin = NotKutusu("_sizin");
  _bizim = NotKutusu("_bizim");

  QGroupBox *tutar = ToplamGrubu(font, 300, {&aratoplaml, &indiriml, &nettutarl, &vergil, &geneltoplaml});

  excelKaydet = new QPushButton(QIcon(QStringLiteral(":/icons/excel.svg")), QStringLiteral("Excel Kaydet"));
  kapat = new QPushButton(QIcon(QStringLiteral(":/icons/hayir.svg")), QStringLiteral("Kapat"));
  for (QPushButton *b : {excelKaydet, kapat}) {
    b->setFixedSize(150, 52);
    b->setIconSize(QSize(24, 24));
    b->setAutoDefault(false);
  }
  connect(excelKaydet, &QPushButton::clicked, this, [this] { RunGuarded([this] { ExcelKaydetClick(); }); });
  connect(kapat, &QPushButton::clicked, this, &QDialog::reject);
  auto *buttons = new QVBoxLayout;
  buttons->addWidget(excelKaydet);
  buttons->addWidget(kapat);
  buttons->addStretch();

  auto *alt = new QWidget;
  alt->setObjectName(QStringLiteral("alt"));
  alt->setFixedHeight(160);
  auto *bottom = new QHBoxLayout(alt);
  bottom->setContentsMargins(4, 4, 4, 4);
  bottom->addWidget(bilgiler, 3);
  bottom->addWidget(NotGrubu(QStringLiteral("Mesajınız:"), _sizin), 2);
  bottom->addWidget(NotGrubu(QStringLiteral("Siparişi Alanın Notu:"), _bizim), 2);
  bottom->addWidget(tutar);
  bottom->addLayout(buttons);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(cxGrid2, 1);
  layout->addWidget(alt);
  resize(1000, 600);
}

// The lines go before the grid does: the grid lets go of them first.
Tayrinti_siparis::~Tayrinti_siparis()
{
  cxGrid2->setDataSet(nullptr);
}

void Tayrinti_siparis::SepetHesapla()
{
  const SiparisToplami t = SiparisToplamHesapla(sepet);
  aratoplaml->setText(FormatFloat(kParaBicimi, t.toplam));
  indiriml->setText(FormatFloat(kParaBicimi, t.indirim));
  nettutarl->setText(FormatFloat(kParaBicimi, t.net));
  vergil->setText(FormatFloat(kParaBicimi, t.vergi));
  geneltoplaml->setText(FormatFloat(kParaBicimi2, t.genel));

  _sipdurun->setText(asagi->Durumu());
  _teslimcinsi->setText(asagi->TeslimCinsi());
  _kargocinsi->setText(asagi->KargoCinsi());
  _kargo->setText(asagi->Kargo());
  _veren->setText(asagi->Veren());
  _sizin->setPlainText(asagi->SizinMesaj());
  _bizim->setPlainText(AlanNotuYazisi(asagi->BizimMesaj(), asagi->SaticiNotu()));

  // Nearly the whole screen, 50 pixels in from the left, centred vertically.
  const QScreen *s = parentWidget() ? parentWidget()->screen() : screen();
  const QRect area = s ? s->geometry() : QRect(0, 0, 1280, 800);
  const QSize size(qMax(640, area.width() - 100), qMax(420, area.height() - 150));
  setGeometry(area.left() + 50, area.top() + qMax(0, (area.height() - size.height()) / 2), size.width(),
              size.height());
  cxGrid2Resize();
}

void Tayrinti_siparis::cxGrid2Resize()
{
  // On a narrow screen the weighted widths would cut amounts short: the
  // columns fit their content there and the grid scrolls. Weights that add up
  // to 0 (only weight-0 columns shown) leave the widths as they are.
  SatirGenislikleriUygula(*cxGrid2, screen() ? screen()->geometry().width() : width());
}

void Tayrinti_siparis::ExcelKaydetClick()
{
  ExcelKaydet(this, *cxGrid2);
}

void SiparisAyrintisiAc(QWidget *owner, ServerConnection &bagc, const TSonucBilgisi &bilgi, qint32 idno)
{
  Tayrinti_siparis window(owner);
  // One connection message is enough: without the lines there is no window.
  if (!CallOnMainConnection(bagc, [&](TServerMethods1Client &client) {
        ClientRef<DBXReader> reader = client.SiparisAyrintisi2(bilgi.CARINO(), idno);
        window.sepet.DisableControls();
        struct ControlsOn {
          ClientDataSet &ds;
          ~ControlsOn() { ds.EnableControls(); }
        } controlsOn{window.sepet};
        if (reader)
          window.sepet.CopyFromTable(reader->table());
        ParaBicimiUygula(window.sepet);
      }))
    return;
  if (!CallOnMainConnection(bagc, [&](TServerMethods1Client &client) {
        // No footer (the server knows no such order): the footer stays empty.
        if (ClientRef<TSiparisDipAyrinti> dip = client.SiparisAytintisiDip(0, idno))
          window.asagi->Kopyala(*dip);
      }))
    return;
  window.SepetHesapla();
  if (Tayrinti_siparis::ExecHook)
    Tayrinti_siparis::ExecHook(window);
  else
    window.exec();
}

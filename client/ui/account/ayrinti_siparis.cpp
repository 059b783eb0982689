#include "ui/account/ayrinti_siparis.h"

#include "server/async.h"
#include "server/callpatterns.h"
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

namespace {

QLabel *degerEtiketi(const char *name)
{
  auto *label = new QLabel;
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // long names give way
  return label;
}

QPlainTextEdit *notKutusu(const char *name)
{
  auto *memo = new QPlainTextEdit;
  memo->setObjectName(QString::fromLatin1(name));
  memo->setReadOnly(true); // shown only; nothing typed here goes anywhere
  return memo;
}

QGroupBox *notGrubu(const QString &title, QPlainTextEdit *memo)
{
  auto *group = new QGroupBox(title);
  auto *layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->addWidget(memo);
  return group;
}

} // namespace

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

  auto *bilgiler = new QGroupBox(QStringLiteral("Sipariş Bilgileri"));
  auto *form = new QGridLayout(bilgiler);
  form->setContentsMargins(8, 4, 8, 6);
  form->setHorizontalSpacing(8);
  form->setVerticalSpacing(2);
  const std::pair<const char *, QLabel **> rows[] = {
      {"Sipariş Durumu:", &_sipdurun},
      {"Teslim Cinsi:", &_teslimcinsi},
      {"Kargo Cinsi:", &_kargocinsi},
      {"Kargo:", &_kargo},
      {"Veren:", &_veren},
  };
  static const char *const names[] = {"_sipdurun", "_teslimcinsi", "_kargocinsi", "_kargo", "_veren"};
  int r = 0;
  for (const auto &[text, value] : rows) {
    *value = degerEtiketi(names[r]);
    auto *caption = new QLabel(QString::fromUtf8(text));
    caption->setStyleSheet(QStringLiteral("font-weight: bold"));
    form->addWidget(caption, r, 0);
    form->addWidget(*value, r, 1);
    ++r;
  }
  form->setColumnStretch(1, 1);
  bilgiler->setMinimumWidth(300);

  _sizin = notKutusu("_sizin");
  _bizim = notKutusu("_bizim");

  auto *tutar = new QGroupBox(QStringLiteral("Tutar"));
  tutar->setObjectName(QStringLiteral("tutar"));
  tutar->setFixedWidth(300);
  auto *totals = new QGridLayout(tutar);
  totals->setContentsMargins(10, 4, 10, 6);
  totals->setVerticalSpacing(1);
  const std::pair<const char *, QLabel **> sums[] = {
      {"Toplam:", &aratoplaml}, {"İndirim Toplam:", &indiriml},   {"Ara Toplam:", &nettutarl},
      {"Vergi:", &vergil},      {"Genel Toplam:", &geneltoplaml},
  };
  static const char *const sumNames[] = {"aratoplaml", "indiriml", "nettutarl", "vergil", "geneltoplaml"};
  r = 0;
  for (const auto &[text, value] : sums) {
    auto *caption = new QLabel(QString::fromUtf8(text));
    *value = new QLabel;
    (*value)->setObjectName(QString::fromLatin1(sumNames[r]));
    (*value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (*value)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    totals->addWidget(caption, r, 0);
    totals->addWidget(*value, r, 1);
    if (value == &geneltoplaml) {
      QFont bold = font;
      bold.setBold(true);
      caption->setFont(bold);
      geneltoplaml->setFont(bold);
    }
    ++r;
  }

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
  bottom->addWidget(notGrubu(QStringLiteral("Mesajınız:"), _sizin), 2);
  bottom->addWidget(notGrubu(QStringLiteral("Siparişi Alanın Notu:"), _bizim), 2);
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

#include "ui/account/tumsiparisler.h"

#include "server/async.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/account/siparisler.h"
#include "ui/common/excelkaydet.h"
#include "widgets/datagrid.h"

#include <wire/baglantiu.h>

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

std::function<int(Ttumsiparisler &)> Ttumsiparisler::ExecHook;

Ttumsiparisler::Ttumsiparisler(QWidget *owner) : QDialog(owner)
{
  setObjectName(QStringLiteral("Ttumsiparisler"));
  setWindowTitle(QStringLiteral("Sipariş Hareketleri"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  setFont(font);

  cxGrid1 = new DataGrid;
  cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
  cxGrid1->setColumns(SiparisHareketKolonlari());
  cxGrid1->setDataSet(&bakiyesepet);
  cxGrid1->setHeaderHeight(40);
  cxGrid1->setRowHeight(40);
  // The columns share the grid's width on a wide screen and fit their
  // content on a narrow one.
  connect(cxGrid1, &DataGrid::resized, this,
          [this] { SatirGenislikleriUygula(*cxGrid1, screen() ? screen()->geometry().width() : width()); });

  excelKaydet = new QPushButton(QIcon(QStringLiteral(":/icons/excel.svg")), QStringLiteral("Excel Kaydet"));
  kapat = new QPushButton(QIcon(QStringLiteral(":/icons/hayir.svg")), QStringLiteral("Kapat"));
  for (QPushButton *b : {excelKaydet, kapat}) {
    b->setFixedSize(150, 42);
    b->setIconSize(QSize(24, 24));
    b->setAutoDefault(false);
  }
  connect(excelKaydet, &QPushButton::clicked, this, [this] { RunGuarded([this] { ExcelKaydetClick(); }); });
  connect(kapat, &QPushButton::clicked, this, &QDialog::reject);
  auto *buttons = new QHBoxLayout;
  buttons->setContentsMargins(4, 4, 4, 4);
  buttons->addStretch();
  buttons->addWidget(excelKaydet);
  buttons->addWidget(kapat);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(cxGrid1, 1);
  layout->addLayout(buttons);
  resize(1000, 600);
}

// The lines go before the grid does: the grid lets go of them first.
Ttumsiparisler::~Ttumsiparisler()
{
  cxGrid1->setDataSet(nullptr);
}

void Ttumsiparisler::Getir()
{
  bagim->openOrThrow();
  struct CloseOnExit {
    ServerConnection &c;
    ~CloseOnExit() { c.close(); }
  } closer{*bagim};
  TServerMethods1Client client(*bagim);
  ClientRef<DBXReader> reader = client.TumSiparislerVer(bilgi->CARINO(), stokno);
  bakiyesepet.DisableControls();
  struct ControlsOn {
    ClientDataSet &ds;
    ~ControlsOn() { ds.EnableControls(); }
  } controlsOn{bakiyesepet};
  if (reader)
    bakiyesepet.CopyFromTable(reader->table());
  ParaBicimiUygula(bakiyesepet);
}

void Ttumsiparisler::Goster()
{
  const QScreen *s = parentWidget() ? parentWidget()->screen() : screen();
  const QRect area = s ? s->geometry() : QRect(0, 0, 1280, 800);
  setGeometry(area.left() + 50, area.top() + 50, qMax(640, area.width() - 100),
              qMax(420, area.height() - 150));
}

void Ttumsiparisler::ExcelKaydetClick()
{
  ExcelKaydet(this, *cxGrid1);
}

void SiparisHareketleriAc(QWidget *owner, const ServerConnection &bagc, const TSonucBilgisi &bilgi,
                          int stokno)
{
  Ttumsiparisler window(owner);
  window.bilgi = &bilgi;
  window.stokno = stokno;
  window.bagim = bagc.clone();
  HareketKolonlariUygula(*window.cxGrid1, bilgi.MusteriTipi());
  window.Getir();
  window.Goster();
  if (Ttumsiparisler::ExecHook)
    Ttumsiparisler::ExecHook(window);
  else
    window.exec();
}

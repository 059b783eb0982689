#include "ui/sales/raporform.h"

#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/common/formats.h"
#include "widgets/datagrid.h"

#include <wire/baglantiu.h>
#include <wire/value.h>

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const char *const kSiparisKolonlari[] = {"TARIH", "VERGI",   "NETTUTAR", "TUTAR", "KARGO",   "TESLIM",
                                         "VEREN", "CARIKOD", "CARIADI",  "DURUM", "KARGOADI"};
} // namespace

Traporform::Traporform(QWidget *owner, const ServerConnection &bagc, const TSonucBilgisi &sbilgi_)
    : QDialog(owner), bag(bagc.clone()), sbilgi(sbilgi_)
{
  setObjectName(QStringLiteral("Traporform"));
  setWindowTitle(QStringLiteral("Raporlar"));
  const QDateTime now = QDateTime::currentDateTime();
  tarih1 = new QDateTimeEdit(now);
  tarih2 = new QDateTimeEdit(now);
  for (QDateTimeEdit *t : {tarih1, tarih2}) {
    t->setCalendarPopup(true);
    t->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  }
  Button1 = new QPushButton(QStringLiteral("Göster"));
  connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(); }); });
  auto *top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Tarihler")));
  top->addWidget(tarih1);
  top->addWidget(tarih2);
  top->addWidget(Button1);
  top->addStretch();

  cxGrid1 = new QTreeWidget;
  cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
  QStringList headers;
  for (const char *field : kSiparisKolonlari)
    headers << QString::fromLatin1(field);
  cxGrid1->setHeaderLabels(headers);
  cxGrid1->setAlternatingRowColors(true);
  cxGrid1->setUniformRowHeights(true);
  siparisToplam = new QLabel;
  siparisToplam->setObjectName(QStringLiteral("siparisToplam"));
  tabsiparis = new QWidget;
  auto *siparisLayout = new QVBoxLayout(tabsiparis);
  siparisLayout->addWidget(cxGrid1, 1);
  siparisLayout->addWidget(siparisToplam);

  cxGrid2 = new DataGrid;
  QList<GridColumn> columns;
  for (const char *field : {"BARKOD", "KOD", "ADI", "DEPARTMAN"})
    columns.append({.field = QString::fromLatin1(field)});
  for (const char *field : {"MIKTAR", "NETTUTAR", "TLVERGI", "TUTAR"})
    columns.append({.field = QString::fromLatin1(field), .kind = CellKind::Money, .footer = FooterKind::Sum});
  cxGrid2->setColumns(columns);
  cxGrid2->setDataSet(&stok);
  tabstok = new QWidget;
  auto *stokLayout = new QVBoxLayout(tabstok);
  stokLayout->addWidget(cxGrid2);

  sayfalar = new QTabWidget;
  sayfalar->addTab(tabsiparis, QStringLiteral("Alınan Siparişler"));
  sayfalar->addTab(tabstok, QStringLiteral("Satılan Stoklar"));
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(sayfalar, 1);
  resize(1000, 700);
}

Traporform::~Traporform()
{
  cxGrid2->setDataSet(nullptr);
}

void Traporform::Button1Click()
{
  const bool siparisler = sayfalar->currentWidget() == tabsiparis;
  if (!BaglantiKur(*bag, 0))
    return;
  struct CloseOnExit {
    ServerConnection &c;
    ~CloseOnExit() { c.close(); }
  } closer{*bag};
  auto bilgi = std::make_unique<TSonucBilgisi>();
  bilgi->Kopyala(sbilgi);
  // Whole day numbers: only the date of each picker counts.
  const double gun1 = wire::toOleDate(tarih1->date().startOfDay());
  const double gun2 = wire::toOleDate(tarih2->date().startOfDay());
  TServerMethods1Client client(*bag);
  ClientDataSet &ds = siparisler ? siparis : stok;
  ClientRef<DBXReader> reader = siparisler ? client.RaporAlinanSiparisler(std::move(bilgi), gun1, gun2)
                                           : client.RaporEnCokSatilanStoklar(std::move(bilgi), gun1, gun2);
  ds.DisableControls();
  ds.SetData(reader ? wire::TableMap(reader->table()) : wire::TableMap{});
  ParaBicimiUygula(ds);
  if (!siparisler)
    ds.First();
  ds.EnableControls();
  if (siparisler)
    siparisleriGoster();
  else
    cxGrid2->bestFit();
}

void Traporform::siparisleriGoster()
{
  // One collapsed group per salesperson, in name order, its row carrying the
  // group's sum of TUTAR and its count of orders.
  cxGrid1->clear();
  const Field *satici = siparis.FindField(QStringLiteral("SATICIADI"));
  const Field *tutar = siparis.FindField(QStringLiteral("TUTAR"));
  QList<int> fields;
  for (const char *name : kSiparisKolonlari) {
    const Field *f = siparis.FindField(QString::fromLatin1(name));
    fields.append(f ? f->Index() : -1);
  }
  QMap<QString, QTreeWidgetItem *> groups;
  QMap<QString, std::pair<double, int>> sums;
  double total = 0;
  for (int row = 0; row < siparis.RecordCount(); ++row) {
    const QString name = satici ? siparis.CellText(row, satici->Index()) : QString();
    QTreeWidgetItem *&group = groups[name];
    if (!group)
      group = new QTreeWidgetItem;
    QStringList cells;
    for (int field : fields)
      cells << (field < 0 ? QString() : siparis.CellText(row, field));
    auto *item = new QTreeWidgetItem(cells);
    for (int c = 1; c <= 3; ++c)
      item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    group->addChild(item);
    const double amount = tutar ? siparis.CellValue(row, tutar->Index()).toDouble() : 0;
    sums[name].first = IkiHaneYuvarla(sums[name].first + amount);
    sums[name].second += 1;
    total = IkiHaneYuvarla(total + amount);
  }
  for (auto it = groups.begin(); it != groups.end(); ++it) {
    const auto [sum, count] = sums.value(it.key());
    it.value()->setText(0, QStringLiteral("%1  (%2)").arg(it.key()).arg(count));
    it.value()->setText(3, FormatFloat(kParaBicimi, sum));
    it.value()->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = it.value()->font(0);
    bold.setBold(true);
    it.value()->setFont(0, bold);
    it.value()->setFont(3, bold);
    cxGrid1->addTopLevelItem(it.value());
  }
  cxGrid1->collapseAll();
  for (int c = 0; c < cxGrid1->columnCount(); ++c)
    cxGrid1->resizeColumnToContents(c);
  siparisToplam->setText(QStringLiteral("Toplam: %1    Sipariş: %2")
                             .arg(FormatFloat(kParaBicimi, total))
                             .arg(siparis.RecordCount()));
}

// The parts catalogue: search, new items, campaign items, pictures.

#include "common.h"
#include "pictures.h"
#include "pricing.h"
#include "textfold.h"

#include <QImage>
#include <QRegularExpression>
#include <QSqlQuery>

namespace backend {

namespace {

using wire::ColumnType;

constexpr int kMaxSearchRows = 10000;

const QList<wire::Column> &stockColumns()
{
  static const QList<wire::Column> columns{
      {"STOK_STOKNO", ColumnType::Int32},
      {"BARKOD", ColumnType::Text, 30},
      {"ADI", ColumnType::Text, 150},
      {"MARKA", ColumnType::Text, 50},
      {"MODEL", ColumnType::Text, 50},
      {"FINISHKOD", ColumnType::Text, 30},
      {"KDV", ColumnType::Double},
      {"FIYAT", ColumnType::Double},
      {"LISTEFIYAT1", ColumnType::Double},
      {"KAMPFIYAT", ColumnType::Double},
      {"NETFIYAT", ColumnType::Double},
      {"KDVDAHIL", ColumnType::Double},
      {"IND1", ColumnType::Double},
      {"IND2", ColumnType::Double},
      {"IND3", ColumnType::Double},
      {"IND4", ColumnType::Double},
      {"INDIRIMYAZI", ColumnType::Text, 30},
      {"K", ColumnType::Int32},
      {"Y", ColumnType::Int32},
      {"DURUM", ColumnType::Int32},
      {"DEPO2", ColumnType::Text, 3},
      {"RESIM", ColumnType::Int32},
      {"OEM1", ColumnType::Text, 30},
      {"OEM2", ColumnType::Text, 30},
      {"OEM3", ColumnType::Text, 30},
      {"OEM4", ColumnType::Text, 30},
      {"OEMNO", ColumnType::Text, 30},
      {"URETICIKODU", ColumnType::Text, 30},
      {"DIGERADI", ColumnType::Text, 150},
      {"BIRIM", ColumnType::Text, 10},
      {"ANAGRUP", ColumnType::Text, 30},
      {"OZELKOD", ColumnType::Text, 30},
      {"KALAN", ColumnType::Double},
      {"ALINANSIPARIS", ColumnType::Double},
      {"VERILENSIPARIS", ColumnType::Double},
      {"BARKOD_BARKODNO", ColumnType::Int32},
      {"DPKOD", ColumnType::Text, 30},
      {"PKOD", ColumnType::Text, 30},
      {"ESKIFIYAT", ColumnType::Double}, // the list price before a campaign
      {"INDIRIM", ColumnType::Double},   // the first discount rate
  };
  return columns;
}

// The catalogue columns the rows are built from, in this order.
const char *const kStockSelect =
    "SELECT s.stokno, s.barcode, s.name, s.brand, s.model, s.finish_code, s.vat_rate, s.list_price, "
    "s.campaign_price, s.disc1, s.disc2, s.disc3, s.disc4, s.is_new, s.status1, s.status2, s.has_picture, "
    "s.oem1, s.oem2, s.oem3, s.oem4, s.oem_no, s.manufacturer_code, s.other_name, s.unit, s.main_group, "
    "s.special_code, s.on_hand, s.on_order, s.barcode_no, s.sub_group, s.code, "
    "(SELECT COALESCE(SUM(l.quantity - l.delivered - l.cancelled), 0) FROM order_lines l "
    "  JOIN orders o ON o.sirano = l.order_id WHERE l.stokno = s.stokno AND o.status < 6) "
    "FROM stock_items s ";

wire::TableMap stockRows(QSqlQuery &q, bool campaignsAllowed)
{
  wire::TableMap table;
  table.columns = stockColumns();
  while (q.next()) {
    CatalogPrice catalog;
    catalog.vatRate = q.value(6).toDouble();
    catalog.listPrice = q.value(7).toDouble();
    catalog.campaignPrice = q.value(8).toDouble();
    for (int i = 0; i < 4; ++i)
      catalog.discounts[size_t(i)] = q.value(9 + i).toDouble();
    const Quote price = quote(catalog, campaignsAllowed);
    table.rows.append(wire::Row{q.value(0).toInt(),
                                q.value(1).toString(),
                                q.value(2).toString(),
                                q.value(3).toString(),
                                q.value(4).toString(),
                                q.value(5).toString(),
                                catalog.vatRate,
                                price.price,
                                price.listPrice,
                                price.campaignPrice,
                                price.netPrice,
                                price.grossPrice,
                                price.discounts[0],
                                price.discounts[1],
                                price.discounts[2],
                                price.discounts[3],
                                price.discountText,
                                price.campaign ? 1 : 0,
                                q.value(13).toInt(),
                                q.value(14).toInt(),
                                q.value(15).toInt() == 1 ? QStringLiteral("VAR") : QStringLiteral("YOK"),
                                q.value(16).toInt(),
                                q.value(17).toString(),
                                q.value(18).toString(),
                                q.value(19).toString(),
                                q.value(20).toString(),
                                q.value(21).toString(),
                                q.value(22).toString(),
                                q.value(23).toString(),
                                q.value(24).toString(),
                                q.value(25).toString(),
                                q.value(26).toString(),
                                q.value(27).toDouble(),
                                q.value(32).toDouble(),
                                q.value(28).toDouble(),
                                q.value(29).toInt(),
                                q.value(30).toString(),
                                q.value(31).toString(),
                                price.listPrice,
                                price.discounts[0]});
  }
  return table;
}

} // namespace

bool dealerGetsCampaigns(ServerContext &context, int carino)
{
  return scalar(context.storage.db(),
                QStringLiteral("SELECT COUNT(*) FROM accounts WHERE carino = ? AND user_type = 4"), {carino})
             .toInt() == 0;
}

// Escapes LIKE wildcards in user text (with "\" as the escape character).
QString likeEscaped(const QString &text)
{
  QString out = text;
  out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  out.replace(QLatin1Char('%'), QLatin1String("\\%"));
  out.replace(QLatin1Char('_'), QLatin1String("\\_"));
  return out;
}

wire::TableMap searchStock(ServerContext &context, const QString &text, bool campaignsAllowed)
{
  const QStringList words = foldForSearch(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.isEmpty()) {
    wire::TableMap empty;
    empty.columns = stockColumns();
    return empty;
  }
  QString where = QStringLiteral("WHERE ");
  QVariantList binds;
  for (int i = 0; i < words.size(); ++i) {
    if (i > 0)
      where += QStringLiteral(" AND ");
    // On SQLite, words of three letters or more go through the trigram index,
    // which serves LIKE only without an ESCAPE clause: words holding a
    // wildcard character take the scan.
    const bool wildcard = words[i].contains(QRegularExpression(QStringLiteral("[%_\\\\]")));
    if (!context.storage.isPostgres() && words[i].size() >= 3 && !wildcard) {
      where += QStringLiteral("s.stokno IN (SELECT rowid FROM stock_search WHERE search_text LIKE ?)");
      binds.append(QLatin1Char('%') + words[i] + QLatin1Char('%'));
    } else {
      where += QStringLiteral("s.search_text LIKE ? ESCAPE '\\'");
      binds.append(QLatin1Char('%') + likeEscaped(words[i]) + QLatin1Char('%'));
    }
  }
  // Exact code, barcode or OEM number first, then codes that start with the
  // text, then everything else by name.
  const QString whole = foldForSearch(text.trimmed());
  const QString compact = compactForSearch(text);
  const QString order =
      QStringLiteral(" ORDER BY CASE WHEN s.code = ? OR s.barcode = ? OR s.oem_no = ? OR s.oem1 = ? THEN 0 "
                     "WHEN s.code LIKE ? ESCAPE '\\' OR s.oem1 LIKE ? ESCAPE '\\' THEN 1 ELSE 2 END, s.name, "
                     "s.stokno LIMIT %1")
          .arg(kMaxSearchRows);
  binds << whole << compact << whole << compact << likeEscaped(whole) + QLatin1Char('%')
        << likeEscaped(compact) + QLatin1Char('%');
  QSqlQuery q = exec(context.storage.db(), QString::fromLatin1(kStockSelect) + where + order, binds);
  return stockRows(q, campaignsAllowed);
}

// A JPEG of the item for the picture service: drawn from the item's data, so
// every item with a picture has one without storing it.
QByteArray stockPicture(ServerContext &context, int stokno)
{
  QSqlQuery q = exec(
      context.storage.db(),
      QStringLiteral("SELECT name, brand, code, has_picture FROM stock_items WHERE stokno = ?"), {stokno});
  if (!q.next() || q.value(3).toInt() != 1)
    return {};
  return renderStockPicture(stokno, q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
}

void addStockMethods(MethodRegistry &registry, ServerContext &context)
{
  registry.add(QStringLiteral("StokAraGetirTarvesa"), [&context](Session &session, const QCborArray &params) {
    const auto record = loginRecordParam(params.at(1));
    const Account account = requireAccount(context, session);
    const int carino = account.isStaff() ? record->CARINO() : account.carino;
    const bool campaigns = carino == 0 || dealerGetsCampaigns(context, carino);
    return QCborArray{searchStock(context, params.at(0).toString(), campaigns).toCbor()};
  });

  registry.add(QStringLiteral("YenilerVer2"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    QSqlQuery q = exec(context.storage.db(), QString::fromLatin1(kStockSelect) +
                                                 QStringLiteral("WHERE s.is_new = 1 ORDER BY s.stokno DESC"));
    return QCborArray{stockRows(q, dealerGetsCampaigns(context, carino)).toCbor()};
  });

  registry.add(QStringLiteral("KampanyaliVer2"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    const int userType = int(params.at(1).toInteger());
    // Dealers without campaigns get an empty list.
    const bool campaigns = userType != 4 && dealerGetsCampaigns(context, carino);
    QSqlQuery q = exec(context.storage.db(),
                       QString::fromLatin1(kStockSelect) +
                           QStringLiteral("WHERE s.campaign_price > 0 AND %1 ORDER BY s.name")
                               .arg(campaigns ? QStringLiteral("1 = 1") : QStringLiteral("1 = 0")));
    return QCborArray{stockRows(q, campaigns).toCbor()};
  });

  registry.add(QStringLiteral("ResimVer5"), [&context](Session &, const QCborArray &params) {
    const QByteArray jpeg = stockPicture(context, int(params.at(0).toInteger()));
    return QCborArray{qint64(jpeg.size()), jpeg};
  });
}

} // namespace backend

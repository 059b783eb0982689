// Previous orders, their lines and footer, order movements, and the open
// balances of order lines with their three changes.

#include "common.h"
#include "pricing.h"

#include <QSqlQuery>

namespace backend {

namespace {

using wire::ColumnType;

// Every order line column, in the order lineRows() fills them.
const QList<wire::Column> &lineColumns()
{
  static const QList<wire::Column> columns = [] {
    QList<wire::Column> c{
        {"STOKHAR_NO", ColumnType::Int32},
        {"SIRANO", ColumnType::Int32},
        {"SIPARISNO", ColumnType::Int32},
        {"IDNO", ColumnType::Int32},
        {"STOKNO", ColumnType::Int32},
        {"STOK_STOKNO", ColumnType::Int32},
        {"BARKOD", ColumnType::Text, 30},
        {"STOKADI", ColumnType::Text, 150},
        {"ACIKLAMA", ColumnType::Text, 150},
        {"MARKA", ColumnType::Text, 50},
        {"MODEL", ColumnType::Text, 50},
        {"FINISHKOD", ColumnType::Text, 30},
        {"OEMNO", ColumnType::Text, 30},
        {"MIKTAR", ColumnType::Double},
        {"TESLIMEDILEN", ColumnType::Double},
        {"KALAN", ColumnType::Double},
        {"ILKFIYAT", ColumnType::Double},
        {"BIRIMFIYAT", ColumnType::Double},
        {"KDV", ColumnType::Double},
        {"INDIRIMORANI1", ColumnType::Double},
        {"INDIRIMORANI2", ColumnType::Double},
        {"INDIRIMORANI3", ColumnType::Double},
        {"INDIRIMORANI4", ColumnType::Double},
        {"INDIRIMYAZI", ColumnType::Text, 30},
        {"NETBIRIMFIYAT", ColumnType::Double},
        {"TUTAR", ColumnType::Double},
        {"INDIRIMTUTAR", ColumnType::Double},
        {"VERGITUTARI", ColumnType::Double},
        {"NETTUTAR", ColumnType::Double},
        {"VERILISTARIHI", ColumnType::DateTime},
        {"TARIH", ColumnType::Date},
        {"SAAT", ColumnType::Text, 8},
        {"VEREN", ColumnType::Text, 50},
        {"VERENIDNO", ColumnType::Int32},
        {"VERENSIRANO", ColumnType::Int32},
        {"DURUM", ColumnType::Int32},
        {"ELDEKI", ColumnType::Double},
        {"ALINANSIPARIS", ColumnType::Double},
        {"VERILENSIPARIS", ColumnType::Double},
        {"TESLIM", ColumnType::Text, 50},
        {"KARGO", ColumnType::Text, 50},
        {"TESLIMID", ColumnType::Int32},
        {"KARGOID", ColumnType::Int32},
        {"KUR", ColumnType::Text, 5},
        {"KURTL", ColumnType::Double},
        {"AKTAR", ColumnType::Int32},
        {"CARINO", ColumnType::Int32},
        {"CARIKOD", ColumnType::Text, 30},
        {"CARIADI", ColumnType::Text, 100},
        {"OEM1", ColumnType::Text, 30},
        {"OEM2", ColumnType::Text, 30},
        {"OEM3", ColumnType::Text, 30},
        {"OEM4", ColumnType::Text, 30},
        {"DIGERADI", ColumnType::Text, 150},
        {"DPKOD", ColumnType::Text, 30},
        {"PKOD", ColumnType::Text, 30},
        {"ANAGRUP", ColumnType::Text, 30},
        {"OZELKOD", ColumnType::Text, 30},
        {"URETICIKODU", ColumnType::Text, 30},
    };
    return c;
  }();
  return columns;
}

const char *const kLineSelect =
    "SELECT l.sirano, l.basket_line, o.sirano, l.stokno, l.barcode, l.stock_name, s.brand, s.model, "
    "s.finish_code, s.oem_no, l.quantity, l.delivered, l.cancelled, l.first_price, l.unit_price, l.vat_rate, "
    "l.disc1, l.disc2, l.disc3, l.disc4, l.created_at, COALESCE(a.username, ''), COALESCE(l.giver_id, 0), "
    "s.status1, s.on_hand, s.on_order, COALESCE(dk.name, ''), COALESCE(cf.name, ''), COALESCE(o.delivery_id, "
    "0), "
    "COALESCE(o.cargo_firm_id, 0), d.carino, d.code, d.name, s.oem1, s.oem2, s.oem3, s.oem4, s.other_name, "
    "s.main_group, s.special_code, s.manufacturer_code, "
    "(SELECT COALESCE(SUM(x.quantity - x.delivered - x.cancelled), 0) FROM order_lines x JOIN orders y "
    "  ON y.sirano = x.order_id WHERE x.stokno = l.stokno AND y.status < 6) "
    "FROM order_lines l JOIN orders o ON o.sirano = l.order_id JOIN stock_items s ON s.stokno = l.stokno "
    "JOIN dealers d ON d.carino = o.carino LEFT JOIN accounts a ON a.sirano = l.giver_id "
    "LEFT JOIN delivery_kinds dk ON dk.id = o.delivery_id LEFT JOIN cargo_firms cf ON cf.sirano = "
    "o.cargo_firm_id ";

wire::TableMap lineRows(QSqlQuery &q)
{
  wire::TableMap table;
  table.columns = lineColumns();
  while (q.next()) {
    const std::array<double, 4> discounts{q.value(16).toDouble(), q.value(17).toDouble(),
                                          q.value(18).toDouble(), q.value(19).toDouble()};
    const double quantity = q.value(10).toDouble();
    const double delivered = q.value(11).toDouble();
    const double remaining = qMax(0.0, quantity - delivered - q.value(12).toDouble());
    const double unitPrice = q.value(14).toDouble();
    const double vatRate = q.value(15).toDouble();
    const LineAmounts amounts = lineAmounts(quantity, unitPrice, discounts, vatRate);
    const QDateTime placed =
        QDateTime::fromString(q.value(20).toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    const int giver = q.value(22).toInt();
    table.rows.append(wire::Row{q.value(0).toInt(),
                                q.value(1).toInt(),
                                q.value(2).toInt(),
                                q.value(2).toInt(),
                                q.value(3).toInt(),
                                q.value(3).toInt(),
                                q.value(4).toString(),
                                q.value(5).toString(),
                                q.value(5).toString(),
                                q.value(6).toString(),
                                q.value(7).toString(),
                                q.value(8).toString(),
                                q.value(9).toString(),
                                quantity,
                                delivered,
                                remaining,
                                q.value(13).toDouble(),
                                unitPrice,
                                vatRate,
                                discounts[0],
                                discounts[1],
                                discounts[2],
                                discounts[3],
                                discountText(discounts),
                                amounts.netUnit,
                                amounts.gross,
                                amounts.discount,
                                amounts.vat,
                                amounts.net,
                                placed,
                                placed.date(),
                                placed.time().toString(QStringLiteral("HH:mm")),
                                q.value(21).toString(),
                                giver,
                                giver,
                                q.value(23).toInt(),
                                q.value(24).toDouble(),
                                q.value(41).toDouble(),
                                q.value(25).toDouble(),
                                q.value(26).toString(),
                                q.value(27).toString(),
                                q.value(28).toInt(),
                                q.value(29).toInt(),
                                QStringLiteral("TL"),
                                1.0,
                                0,
                                q.value(30).toInt(),
                                q.value(31).toString(),
                                q.value(32).toString(),
                                q.value(33).toString(),
                                q.value(34).toString(),
                                q.value(35).toString(),
                                q.value(36).toString(),
                                q.value(37).toString(),
                                QString(),
                                QString(),
                                q.value(38).toString(),
                                q.value(39).toString(),
                                q.value(40).toString()});
  }
  return table;
}

// The dealer of an order line, checked against the session; 0 when none.
int lineDealer(ServerContext &context, Session &session, int line)
{
  const QVariant carino = scalar(context.storage.db(),
                                 QStringLiteral("SELECT o.carino FROM order_lines l JOIN orders o ON "
                                                "o.sirano = l.order_id WHERE l.sirano = ?"),
                                 {line});
  return carino.isNull() ? 0 : authorizeDealer(context, session, carino.toInt());
}

void requireStaff(ServerContext &context, Session &session, bool priceRights)
{
  const Account account = requireAccount(context, session);
  if (!account.isStaff() || (priceRights && account.userType != 2))
    failAuth(QStringLiteral("Bakiye değişikliği yalnızca satış temsilcilerine açıktır."));
}

} // namespace

QHash<int, OrderSums> orderSums(ServerContext &context, const QString &where, const QVariantList &binds)
{
  QSqlQuery q =
      exec(context.storage.db(),
           QStringLiteral("SELECT l.order_id, l.quantity, l.unit_price, l.disc1, l.disc2, l.disc3, l.disc4, "
                          "l.vat_rate FROM order_lines l JOIN orders o ON o.sirano = l.order_id WHERE ") +
               where,
           binds);
  QHash<int, OrderSums> sums;
  while (q.next()) {
    const LineAmounts a = lineAmounts(
        q.value(1).toDouble(), q.value(2).toDouble(),
        {q.value(3).toDouble(), q.value(4).toDouble(), q.value(5).toDouble(), q.value(6).toDouble()},
        q.value(7).toDouble());
    OrderSums &sum = sums[q.value(0).toInt()];
    sum.gross = round2(sum.gross + a.gross);
    sum.net = round2(sum.net + a.net);
    sum.vat = round2(sum.vat + a.vat);
  }
  return sums;
}

QString orderStatusText(int status)
{
  switch (status) {
  case 1:
    return QStringLiteral("Alındı");
  case 2:
    return QStringLiteral("Onaylandı");
  case 3:
    return QStringLiteral("Görüldü");
  case 4:
    return QStringLiteral("Parçalı Hazırlandı");
  case 5:
    return QStringLiteral("Hazırlandı");
  case 6:
    return QStringLiteral("Sevk Edildi");
  case 7:
    return QStringLiteral("İptal Edildi");
  }
  return QStringLiteral("Bilinmiyor");
}

void addOrderMethods(MethodRegistry &registry, ServerContext &context)
{
  registry.add(QStringLiteral("OncekiSiparisler"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    const QHash<int, OrderSums> sums = orderSums(context, QStringLiteral("o.carino = ?"), {carino});
    QSqlQuery q =
        exec(context.storage.db(),
             QStringLiteral("SELECT o.sirano, o.created_at, COALESCE(ck.name, ''), COALESCE(dk.name, ''), "
                            "COALESCE(a.username, ''), COALESCE(o.giver_id, 0), d.code, d.name, o.status, "
                            "COALESCE(cf.name, ''), o.message, o.our_message "
                            "FROM orders o JOIN dealers d ON d.carino = o.carino "
                            "LEFT JOIN cargo_kinds ck ON ck.id = o.cargo_kind_id "
                            "LEFT JOIN delivery_kinds dk ON dk.id = o.delivery_id "
                            "LEFT JOIN cargo_firms cf ON cf.sirano = o.cargo_firm_id "
                            "LEFT JOIN accounts a ON a.sirano = o.giver_id "
                            "WHERE o.carino = ? ORDER BY o.created_at DESC, o.sirano DESC"),
             {carino});
    wire::TableMap table;
    table.columns = {{"CARINO", ColumnType::Int32},          {"IDNO", ColumnType::Int32},
                     {"TARIH", ColumnType::DateTime},        {"KUR", ColumnType::Text, 5},
                     {"KURTL", ColumnType::Double},          {"VERENIDNO", ColumnType::Int32},
                     {"KARGO", ColumnType::Text, 50},        {"TESLIM", ColumnType::Text, 50},
                     {"VEREN", ColumnType::Text, 50},        {"CARIKOD", ColumnType::Text, 30},
                     {"CARIADI", ColumnType::Text, 100},     {"VERGI", ColumnType::Double},
                     {"NETTUTAR", ColumnType::Double},       {"TUTAR", ColumnType::Double},
                     {"DURUM", ColumnType::Text, 30},        {"KARGOADI", ColumnType::Text, 50},
                     {"VERENINNOTU", ColumnType::Text, 500}, {"ALANNOTU", ColumnType::Text, 500}};
    while (q.next()) {
      const int order = q.value(0).toInt();
      const OrderSums sum = sums.value(order);
      table.rows.append(wire::Row{
          carino, order, QDateTime::fromString(q.value(1).toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss")),
          QStringLiteral("TL"), 1.0, q.value(5).toInt(), q.value(2).toString(), q.value(3).toString(),
          q.value(4).toString(), q.value(6).toString(), q.value(7).toString(), sum.vat, sum.net, sum.gross,
          orderStatusText(q.value(8).toInt()), q.value(9).toString(), q.value(10).toString(),
          q.value(11).toString()});
    }
    return QCborArray{table.toCbor()};
  });

  registry.add(QStringLiteral("SiparisAyrintisi2"), [&context](Session &session, const QCborArray &params) {
    const int order = int(params.at(1).toInteger());
    const QVariant owner =
        scalar(context.storage.db(), QStringLiteral("SELECT carino FROM orders WHERE sirano = ?"), {order});
    if (!owner.isNull())
      authorizeDealer(context, session, owner.toInt());
    QSqlQuery q =
        exec(context.storage.db(),
             QString::fromLatin1(kLineSelect) + QStringLiteral("WHERE o.sirano = ? ORDER BY l.sirano"),
             {owner.isNull() ? -1 : order});
    return QCborArray{lineRows(q).toCbor()};
  });

  // The footer is found by the order number alone; the dealer parameter is 0.
  registry.add(QStringLiteral("SiparisAytintisiDip"), [&context](Session &session, const QCborArray &params) {
    QSqlQuery q =
        exec(context.storage.db(),
             QStringLiteral("SELECT o.carino, o.message, o.status, COALESCE(a.username, ''), "
                            "COALESCE(cf.name, ''), o.our_message, COALESCE(dk.name, ''), "
                            "COALESCE(ck.name, ''), o.salesperson_note FROM orders o "
                            "LEFT JOIN accounts a ON a.sirano = o.giver_id "
                            "LEFT JOIN cargo_firms cf ON cf.sirano = o.cargo_firm_id "
                            "LEFT JOIN delivery_kinds dk ON dk.id = o.delivery_id "
                            "LEFT JOIN cargo_kinds ck ON ck.id = o.cargo_kind_id WHERE o.sirano = ?"),
             {params.at(1).toInteger()});
    if (!q.next())
      return QCborArray{QCborValue(QCborValue::Null)};
    authorizeDealer(context, session, q.value(0).toInt());
    TSiparisDipAyrinti footer;
    footer.SetSizinMesaj(q.value(1).toString());
    footer.SetDurumu(orderStatusText(q.value(2).toInt()));
    footer.SetVeren(q.value(3).toString());
    footer.SetKargo(q.value(4).toString());
    footer.SetBizimMesaj(q.value(5).toString());
    footer.SetTeslimCinsi(q.value(6).toString());
    footer.SetKargoCinsi(q.value(7).toString());
    footer.SetSaticiNotu(q.value(8).toString());
    return QCborArray{objectResult(&footer)};
  });

  registry.add(QStringLiteral("TumSiparislerVer"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    const int stokno = int(params.at(1).toInteger());
    QSqlQuery q = exec(context.storage.db(),
                       QString::fromLatin1(kLineSelect) +
                           QStringLiteral("WHERE o.carino = ? AND (? = 0 OR l.stokno = ?) "
                                          "ORDER BY l.created_at DESC, l.sirano DESC"),
                       {carino, stokno, stokno});
    return QCborArray{lineRows(q).toCbor()};
  });

  registry.add(QStringLiteral("BakiyelerVer2"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    QSqlQuery q =
        exec(context.storage.db(),
             QString::fromLatin1(kLineSelect) +
                 QStringLiteral("WHERE o.carino = ? AND o.status < 6 AND "
                                "l.quantity - l.delivered - l.cancelled > 0 ORDER BY l.created_at, l.sirano"),
             {carino});
    return QCborArray{lineRows(q).toCbor()};
  });

  // New balance quantity of a line (sales staff).
  registry.add(QStringLiteral("BakiyeDegistir"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session, false);
    const int line = int(params.at(3).toInteger());
    const double balance = params.at(5).toDouble();
    if (lineDealer(context, session, line) == 0)
      return QCborArray{0};
    if (balance < 0)
      throw MethodError(QStringLiteral("params"), QStringLiteral("Bakiye eksi olamaz."));
    QSqlDatabase db = context.storage.db();
    inTransaction(db, [&] {
      QSqlQuery q =
          exec(db, QStringLiteral("SELECT quantity, delivered FROM order_lines WHERE sirano = ?"), {line});
      q.next();
      const double quantity = q.value(0).toDouble();
      const double delivered = q.value(1).toDouble();
      // A balance above what is open raises the ordered quantity.
      if (delivered + balance > quantity)
        exec(db, QStringLiteral("UPDATE order_lines SET quantity = ?, cancelled = 0 WHERE sirano = ?"),
             {delivered + balance, line});
      else
        exec(db, QStringLiteral("UPDATE order_lines SET cancelled = ? WHERE sirano = ?"),
             {quantity - delivered - balance, line});
    });
    return QCborArray{1};
  });

  // Deletes the open balance of a line (sales staff).
  registry.add(QStringLiteral("BakiyeDuzenle"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session, false);
    const int line = int(params.at(3).toInteger());
    if (lineDealer(context, session, line) == 0)
      return QCborArray{0};
    exec(context.storage.db(),
         QStringLiteral("UPDATE order_lines SET cancelled = quantity - delivered WHERE sirano = ?"), {line});
    return QCborArray{1};
  });

  // New unit price and discount of a line (sales staff with price rights).
  registry.add(QStringLiteral("BakiyeFiyatDegistir"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session, true);
    const int line = int(params.at(3).toInteger());
    const double price = params.at(7).toDouble();
    const double discount = params.at(8).toDouble();
    if (lineDealer(context, session, line) == 0)
      return QCborArray{0};
    if (price < 0 || discount < 0 || discount > 100)
      throw MethodError(QStringLiteral("params"), QStringLiteral("Fiyat ve indirim oranı geçersiz."));
    exec(context.storage.db(),
         QStringLiteral("UPDATE order_lines SET unit_price = ?, disc1 = ?, disc2 = 0, disc3 = 0, disc4 = 0 "
                        "WHERE sirano = ?"),
         {round2(price), discount, line});
    return QCborArray{1};
  });
}

} // namespace backend

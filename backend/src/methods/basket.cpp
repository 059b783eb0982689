// The basket on the server, the delivery and cargo choices, and the order
// save that turns the marked lines into an order.

#include "common.h"
#include "pricing.h"

#include <QSqlQuery>

namespace backend {

namespace {

using wire::ColumnType;

// Columns of a basket line, shared with order lines (orders.cpp).
const QList<wire::Column> &basketColumns()
{
  static const QList<wire::Column> columns{
      {"SIRANO", ColumnType::Int32},
      {"SEC", ColumnType::Int32},
      {"STOKNO", ColumnType::Int32},
      {"STOK_STOKNO", ColumnType::Int32},
      {"BARKOD", ColumnType::Text, 30},
      {"STOKADI", ColumnType::Text, 150},
      {"MARKA", ColumnType::Text, 50},
      {"MODEL", ColumnType::Text, 50},
      {"FINISHKOD", ColumnType::Text, 30},
      {"OEMNO", ColumnType::Text, 30},
      {"MIKTAR", ColumnType::Double},
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
      {"KDVLITUTAR", ColumnType::Double},
      {"VERILISTARIHI", ColumnType::DateTime},
      {"TARIH", ColumnType::Date},
      {"SAAT", ColumnType::Text, 8},
      {"VEREN", ColumnType::Text, 50},
      {"VERENIDNO", ColumnType::Int32},
      {"VERENSIRANO", ColumnType::Int32},
      {"DURUM", ColumnType::Int32},
      {"SIPARISNO", ColumnType::Int32},
      {"IDNO", ColumnType::Double},
      {"KUR", ColumnType::Text, 5},
      {"KURTL", ColumnType::Double},
      {"AKTAR", ColumnType::Int32},
      {"ACIKLAMA", ColumnType::Int32},
      {"TESLIMID", ColumnType::Int32},
      {"KARGOID", ColumnType::Int32},
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
      {"KALAN", ColumnType::Double},
  };
  return columns;
}

wire::TableMap basketOf(ServerContext &context, int carino)
{
  QSqlQuery q =
      exec(context.storage.db(),
           QStringLiteral(
               "SELECT b.sirano, b.sec, b.stokno, b.barcode, b.stock_name, s.brand, s.model, s.finish_code, "
               "s.oem_no, b.quantity, b.unit_price, b.vat_rate, b.disc1, b.disc2, b.disc3, b.disc4, "
               "b.created_at, COALESCE(a.username, ''), COALESCE(b.giver_id, 0), s.status1, d.code, d.name, "
               "s.oem1, s.oem2, s.oem3, s.oem4, s.other_name, s.main_group, s.special_code, "
               "s.manufacturer_code, s.on_hand, b.campaign "
               "FROM basket_lines b JOIN stock_items s ON s.stokno = b.stokno "
               "JOIN dealers d ON d.carino = b.carino LEFT JOIN accounts a ON a.sirano = b.giver_id "
               "WHERE b.carino = ? ORDER BY b.sirano"),
           {carino});
  wire::TableMap table;
  table.columns = basketColumns();
  while (q.next()) {
    const std::array<double, 4> discounts{q.value(12).toDouble(), q.value(13).toDouble(),
                                          q.value(14).toDouble(), q.value(15).toDouble()};
    const double quantity = q.value(9).toDouble();
    const double unitPrice = q.value(10).toDouble();
    const double vatRate = q.value(11).toDouble();
    const LineAmounts amounts = lineAmounts(quantity, unitPrice, discounts, vatRate);
    const QDateTime placed =
        QDateTime::fromString(q.value(16).toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    const int giver = q.value(18).toInt();
    table.rows.append(wire::Row{q.value(0).toInt(),
                                q.value(1).toInt(),
                                q.value(2).toInt(),
                                q.value(2).toInt(),
                                q.value(3).toString(),
                                q.value(4).toString(),
                                q.value(5).toString(),
                                q.value(6).toString(),
                                q.value(7).toString(),
                                q.value(8).toString(),
                                quantity,
                                unitPrice,
                                vatRate,
                                discounts[0],
                                discounts[1],
                                discounts[2],
                                discounts[3],
                                q.value(31).toInt() == 1 && discountText(discounts) == QLatin1String("0")
                                    ? QStringLiteral("Kampanya")
                                    : discountText(discounts),
                                amounts.netUnit,
                                amounts.gross,
                                amounts.discount,
                                amounts.vat,
                                amounts.net,
                                round2(amounts.net + amounts.vat),
                                placed,
                                placed.date(),
                                placed.time().toString(QStringLiteral("HH:mm")),
                                q.value(17).toString(),
                                giver,
                                giver,
                                q.value(19).toInt(),
                                0,
                                0.0,
                                QStringLiteral("TL"),
                                1.0,
                                0,
                                0,
                                0,
                                0,
                                carino,
                                q.value(20).toString(),
                                q.value(21).toString(),
                                q.value(22).toString(),
                                q.value(23).toString(),
                                q.value(24).toString(),
                                q.value(25).toString(),
                                q.value(26).toString(),
                                QString(),
                                QString(),
                                q.value(27).toString(),
                                q.value(28).toString(),
                                q.value(29).toString(),
                                q.value(30).toDouble()});
  }
  return table;
}

void checkQuantity(double quantity)
{
  if (!(quantity > 0) || quantity > 10000)
    throw MethodError(QStringLiteral("params"), QStringLiteral("Miktar 1 ile 10000 arasında olmalı."));
}

// The dealer that owns basket line `sirano`, checked against the session.
int basketLineDealer(ServerContext &context, Session &session, int sirano)
{
  const QVariant carino = scalar(
      context.storage.db(), QStringLiteral("SELECT carino FROM basket_lines WHERE sirano = ?"), {sirano});
  if (carino.isNull())
    return 0;
  return authorizeDealer(context, session, carino.toInt());
}
} // namespace

void addBasketMethods(MethodRegistry &registry, ServerContext &context)
{
  registry.add(QStringLiteral("SepetVer2"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    return QCborArray{basketOf(context, carino).toCbor()};
  });

  // Adds an item. Dealers always get the catalogue's price and discounts;
  // sales staff may give their own price. The same item already in the
  // basket gets the quantity added to its line.
  registry.add(QStringLiteral("SepetEkle2"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    const Account account = requireAccount(context, session);
    const int carino = authorizeDealer(context, session, int(params.at(1).toInteger()));
    const int stokno = int(params.at(2).toInteger());
    const double quantity = params.at(5).toDouble();
    checkQuantity(quantity);
    QSqlDatabase db = context.storage.db();
    QSqlQuery item =
        exec(db,
             QStringLiteral("SELECT barcode, name, list_price, campaign_price, disc1, disc2, disc3, "
                            "disc4, vat_rate FROM stock_items WHERE stokno = ?"),
             {stokno});
    if (!item.next())
      throw MethodError(QStringLiteral("server"), QStringLiteral("Stok bulunamadı: %1").arg(stokno));
    CatalogPrice catalog;
    catalog.listPrice = item.value(2).toDouble();
    catalog.campaignPrice = item.value(3).toDouble();
    for (int i = 0; i < 4; ++i)
      catalog.discounts[size_t(i)] = item.value(4 + i).toDouble();
    catalog.vatRate = item.value(8).toDouble();
    const QString barcode = item.value(0).toString();
    const QString name = item.value(1).toString();
    // Release the read before the write transaction starts: an open read on
    // SQLite would keep an old snapshot and make the write lock fail at once.
    item.finish();
    const Quote price = quote(catalog, dealerGetsCampaigns(context, carino));
    double unitPrice = price.price;
    std::array<double, 4> discounts = price.discounts;
    if (account.isStaff()) {
      const double given = params.at(7).toDouble();
      if (given > 0)
        unitPrice = round2(given);
      discounts = {params.at(8).toDouble(), params.at(11).toDouble(), params.at(12).toDouble(),
                   params.at(13).toDouble()};
      for (double d : discounts)
        if (d < 0 || d > 100)
          throw MethodError(QStringLiteral("params"),
                            QStringLiteral("İndirim oranı 0 ile 100 arasında olmalı."));
    }
    inTransaction(db, [&] {
      const QVariant existing = scalar(db,
                                       QStringLiteral("SELECT sirano FROM basket_lines WHERE carino = ? AND "
                                                      "stokno = ? ORDER BY sirano LIMIT 1"),
                                       {carino, stokno});
      if (!existing.isNull()) {
        const double current =
            scalar(db, QStringLiteral("SELECT quantity FROM basket_lines WHERE sirano = ?"), {existing})
                .toDouble();
        checkQuantity(current + quantity);
        exec(db, QStringLiteral("UPDATE basket_lines SET quantity = ? WHERE sirano = ?"),
             {current + quantity, existing});
        return;
      }
      exec(
          db,
          QStringLiteral("INSERT INTO basket_lines (carino, stokno, barcode, stock_name, quantity, vat_rate, "
                         "unit_price, disc1, disc2, disc3, disc4, campaign, giver_id, sec, created_at) "
                         "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,1,?)"),
          {carino, stokno, barcode, name, quantity, catalog.vatRate, unitPrice, discounts[0], discounts[1],
           discounts[2], discounts[3], price.campaign ? 1 : 0, account.sirano, nowText()});
    });
    return QCborArray{1};
  });

  // Changes the quantity of a line (and, for sales staff, its price).
  registry.add(QStringLiteral("SepetGuncelle2"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    const Account account = requireAccount(context, session);
    const int sirano = int(params.at(10).toInteger());
    const int carino = basketLineDealer(context, session, sirano);
    if (carino == 0 || carino != int(params.at(1).toInteger()))
      return QCborArray{0};
    const double quantity = params.at(5).toDouble();
    checkQuantity(quantity);
    QSqlDatabase db = context.storage.db();
    if (account.isStaff() && params.at(7).toDouble() > 0)
      exec(db, QStringLiteral("UPDATE basket_lines SET quantity = ?, unit_price = ? WHERE sirano = ?"),
           {quantity, round2(params.at(7).toDouble()), sirano});
    else
      exec(db, QStringLiteral("UPDATE basket_lines SET quantity = ? WHERE sirano = ?"), {quantity, sirano});
    return QCborArray{1};
  });

  registry.add(QStringLiteral("SepetSecimGuncelle"), [&context](Session &session, const QCborArray &params) {
    const int sirano = int(params.at(0).toInteger());
    if (basketLineDealer(context, session, sirano) != 0)
      exec(context.storage.db(), QStringLiteral("UPDATE basket_lines SET sec = ? WHERE sirano = ?"),
           {params.at(1).toInteger() == 1 ? 1 : 0, sirano});
    return QCborArray{};
  });

  registry.add(QStringLiteral("SepetSatirSil"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    const int sirano = int(params.at(1).toInteger());
    if (basketLineDealer(context, session, sirano) == 0)
      return QCborArray{0};
    exec(context.storage.db(), QStringLiteral("DELETE FROM basket_lines WHERE sirano = ?"), {sirano});
    return QCborArray{1};
  });

  registry.add(QStringLiteral("SepetHepsiniSil"), [&context](Session &session, const QCborArray &params) {
    const auto record = loginRecordParam(params.at(0));
    const int carino = authorizeDealer(context, session, record->CARINO());
    exec(context.storage.db(), QStringLiteral("DELETE FROM basket_lines WHERE carino = ?"), {carino});
    return QCborArray{1};
  });

  registry.add(QStringLiteral("TeslimVer"), [&context](Session &, const QCborArray &) {
    QSqlQuery q =
        exec(context.storage.db(), QStringLiteral("SELECT id, name FROM delivery_kinds ORDER BY id"));
    return QCborArray{tableFromQuery(q, {{"ID", ColumnType::Int32}, {"ADI", ColumnType::Text, 50}}).toCbor()};
  });
  registry.add(QStringLiteral("KargoVer"), [&context](Session &, const QCborArray &) {
    QSqlQuery q = exec(context.storage.db(), QStringLiteral("SELECT id, name FROM cargo_kinds ORDER BY id"));
    return QCborArray{tableFromQuery(q, {{"ID", ColumnType::Int32}, {"ADI", ColumnType::Text, 50}}).toCbor()};
  });
  registry.add(QStringLiteral("KargolarVer"), [&context](Session &, const QCborArray &params) {
    QSqlQuery q =
        exec(context.storage.db(),
             QStringLiteral("SELECT sirano, name, note FROM cargo_firms WHERE kind_id = ? ORDER BY sirano"),
             {params.at(0).toInteger()});
    return QCborArray{tableFromQuery(q, {{"SIRANO", ColumnType::Int32},
                                         {"ADI", ColumnType::Text, 50},
                                         {"UYARI", ColumnType::Text, 250}})
                          .toCbor()};
  });

  // Moves the marked lines of the dealer's basket into a new order, in one
  // transaction. False when no line is marked; unmarked lines stay.
  registry.add(QStringLiteral("SiparisKaydet"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    const Account account = requireAccount(context, session);
    const int carino = authorizeDealer(context, session, int(params.at(1).toInteger()));
    const int delivery = int(params.at(2).toInteger());
    const int cargoKind = int(params.at(3).toInteger());
    const QString message = params.at(4).toString();
    const int cargoFirm = int(params.at(6).toInteger());
    QSqlDatabase db = context.storage.db();
    if (scalar(db, QStringLiteral("SELECT COUNT(*) FROM delivery_kinds WHERE id = ?"), {delivery}).toInt() ==
        0)
      throw MethodError(QStringLiteral("params"), QStringLiteral("Geçersiz teslim durumu."));
    if (scalar(db, QStringLiteral("SELECT COUNT(*) FROM cargo_firms WHERE sirano = ? AND kind_id = ?"),
               {cargoFirm, cargoKind})
            .toInt() == 0)
      throw MethodError(QStringLiteral("params"), QStringLiteral("Geçersiz kargo seçimi."));
    const bool saved = inTransaction(db, [&] {
      if (scalar(db, QStringLiteral("SELECT COUNT(*) FROM basket_lines WHERE carino = ? AND sec = 1"),
                 {carino})
              .toInt() == 0)
        return false;
      const QString now = nowText();
      const int order = scalar(db,
                               QStringLiteral("INSERT INTO orders (carino, created_at, status, delivery_id, "
                                              "cargo_kind_id, cargo_firm_id, message, giver_id) "
                                              "VALUES (?,?,1,?,?,?,?,?) RETURNING sirano"),
                               {carino, now, delivery, cargoKind, cargoFirm, message, account.sirano})
                            .toInt();
      exec(db,
           QStringLiteral(
               "INSERT INTO order_lines (order_id, stokno, barcode, stock_name, quantity, first_price, "
               "unit_price, disc1, disc2, disc3, disc4, vat_rate, campaign, giver_id, basket_line, "
               "created_at) SELECT ?, stokno, barcode, stock_name, quantity, unit_price, unit_price, "
               "disc1, disc2, disc3, disc4, vat_rate, campaign, giver_id, sirano, created_at "
               "FROM basket_lines WHERE carino = ? AND sec = 1 ORDER BY sirano"),
           {order, carino});
      exec(db, QStringLiteral("DELETE FROM basket_lines WHERE carino = ? AND sec = 1"), {carino});
      return true;
    });
    return QCborArray{saved};
  });
}

} // namespace backend

// The dealer's account: statement, invoices, collections, online payment
// receipts, the account warning and the status text of the payment page.

#include "common.h"
#include "documents.h"
#include "pricing.h"

#include <QDate>
#include <QSqlQuery>

namespace backend {

namespace {

using wire::ColumnType;

// The dealer owning account movement `id`, checked against the session; 0
// when there is no such movement.
int movementDealer(ServerContext &context, Session &session, int id)
{
  const QVariant carino =
      scalar(context.storage.db(), QStringLiteral("SELECT carino FROM account_movements WHERE id = ?"), {id});
  return carino.isNull() ? 0 : authorizeDealer(context, session, carino.toInt());
}

struct InvoiceLine {
  double quantity, unitPrice, discountRate, vatRate;
  LineAmounts amounts() const { return lineAmounts(quantity, unitPrice, {discountRate, 0, 0, 0}, vatRate); }
};

} // namespace

QString movementKindName(int kind)
{
  switch (kind) {
  case 1:
    return QStringLiteral("Satış Faturası");
  case 2:
    return QStringLiteral("Tahsilat");
  case 3:
    return QStringLiteral("Tediye");
  case 4:
    return QStringLiteral("İade Faturası");
  }
  return QStringLiteral("Virman");
}

double dealerBalance(ServerContext &context, int carino)
{
  return round2(scalar(context.storage.db(),
                       QStringLiteral(
                           "SELECT COALESCE(SUM(debit - credit), 0) FROM account_movements WHERE carino = ?"),
                       {carino})
                    .toDouble());
}

QString overdueWarning(ServerContext &context, int carino)
{
  // Debits whose due date has passed, not yet covered by the credits.
  QSqlDatabase db = context.storage.db();
  const double overdue =
      scalar(db,
             QStringLiteral("SELECT COALESCE(SUM(debit), 0) FROM account_movements WHERE carino = ? "
                            "AND due_date < ?"),
             {carino, todayText()})
          .toDouble();
  const double credits =
      scalar(db, QStringLiteral("SELECT COALESCE(SUM(credit), 0) FROM account_movements WHERE carino = ?"),
             {carino})
          .toDouble();
  const double open = round2(overdue - credits);
  if (open <= 0)
    return {};
  const QString since =
      scalar(db,
             QStringLiteral("SELECT MIN(due_date) FROM account_movements WHERE carino = ? AND "
                            "debit > 0 AND due_date < ?"),
             {carino, todayText()})
          .toString();
  const int days = int(QDate::fromString(since, Qt::ISODate).daysTo(QDate::currentDate()));
  return QStringLiteral("Vadesi geçmiş %1 TL borcunuz bulunmaktadır (en eski %2 gün). Lütfen ödeme yapınız.")
      .arg(turkishMoney(open))
      .arg(days);
}

void addAccountMethods(MethodRegistry &registry, ServerContext &context)
{
  registry.add(QStringLiteral("CariEkstreVer"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    QSqlQuery q = exec(context.storage.db(),
                       QStringLiteral("SELECT carino, doc_date, kind, doc_no, debit, credit, id, description "
                                      "FROM account_movements WHERE carino = ? ORDER BY doc_date, id"),
                       {carino});
    wire::TableMap table;
    table.columns = {
        {"CARINO", ColumnType::Int32},   {"TARIH", ColumnType::Date},        {"TURADI", ColumnType::Text, 30},
        {"EVRAK", ColumnType::Text, 30}, {"BORC", ColumnType::Double},       {"ALACAK", ColumnType::Double},
        {"KUR", ColumnType::Double},     {"BAKIYE", ColumnType::Double},     {"D", ColumnType::Text, 1},
        {"IDNO", ColumnType::Int32},     {"ACIKLAMA", ColumnType::Text, 200}};
    while (q.next())
      table.rows.append(wire::Row{q.value(0).toInt(), QDate::fromString(q.value(1).toString(), Qt::ISODate),
                                  movementKindName(q.value(2).toInt()), q.value(3).toString(),
                                  q.value(4).toDouble(), q.value(5).toDouble(), 1.0, 0.0, QStringLiteral(" "),
                                  q.value(6).toInt(), q.value(7).toString()});
    return QCborArray{table.toCbor()};
  });

  registry.add(QStringLiteral("FaturaGetir"), [&context](Session &session, const QCborArray &params) {
    const int id = int(params.at(1).toInteger());
    const int carino = movementDealer(context, session, id);
    QSqlQuery q =
        exec(context.storage.db(),
             QStringLiteral(
                 "SELECT s.oem_no, l.stock_name, s.finish_code, s.brand, s.model, s.main_group, s.unit, "
                 "l.quantity, l.unit_price, l.discount_rate, l.vat_rate, s.special_code, l.barcode, "
                 "m.doc_date, m.kind, m.doc_no, m.due_date, COALESCE(p.name, ''), s.manufacturer_code, "
                 "m.id, l.id FROM invoice_lines l JOIN account_movements m ON m.id = l.movement_id "
                 "LEFT JOIN stock_items s ON s.stokno = l.stokno JOIN dealers d ON d.carino = m.carino "
                 "LEFT JOIN salespeople p ON p.id = d.salesperson_id "
                 "WHERE m.id = ? AND m.carino = ? ORDER BY l.id"),
             {id, carino});
    wire::TableMap table;
    table.columns = {
        {"OEMNO", ColumnType::Text, 30},
        {"STOKADI", ColumnType::Text, 150},
        {"FINISHKOD", ColumnType::Text, 30},
        {"MARKA", ColumnType::Text, 50},
        {"MODEL", ColumnType::Text, 50},
        {"ANAGRUP", ColumnType::Text, 30},
        {"BIRIM", ColumnType::Text, 10},
        {"STOKHAR_MIKTAR", ColumnType::Double},
        {"STOKHAR_TLBIRIMFIYATI", ColumnType::Double},
        {"STOKHAR_TLTUTAR", ColumnType::Double},
        {"STOKHAR_INDIRIM1", ColumnType::Double},
        {"STOKHAR_INDIRIM2", ColumnType::Double},
        {"KDV", ColumnType::Double},
        {"STOKHAR_TOPLAMINDIRIM", ColumnType::Double},
        {"STOKHAR_TOPLAMMASRAF", ColumnType::Double},
        {"STOKHAR_NETTLBIRIMFIYATI", ColumnType::Double},
        {"STOKHAR_NETTLTUTAR", ColumnType::Double},
        {"OZELKOD", ColumnType::Text, 30},
        {"BARKOD", ColumnType::Text, 30},
        {"STOKHAR_HAREKETTARIHI", ColumnType::Date},
        {"STOKHAR_HAREKETTIPI2", ColumnType::Text, 30},
        {"EVRAKNO", ColumnType::Text, 30},
        {"STOKHAR_TLVERGI", ColumnType::Double},
        {"IRSALIYEEVRAKNO", ColumnType::Text, 30},
        {"STOKHAR_IRSTARIHI", ColumnType::Date},
        {"SATIRACIKLMASI", ColumnType::Text, 100},
        {"STOKHAR_SAAT", ColumnType::Text, 8},
        {"STOKHAR_VADE", ColumnType::Int32},
        {"SIPARISEVRAKNO", ColumnType::Text, 30},
        {"SIPARISTARIHI", ColumnType::Date},
        {"IRSALIYETIP2", ColumnType::Text, 30},
        {"STOKHAR_KURTL", ColumnType::Double},
        {"SATICIADI", ColumnType::Text, 50},
        {"URETICIKODU", ColumnType::Text, 30},
        {"STOKHAR_CARINO", ColumnType::Int32},
        {"KUR_KURSIMGE", ColumnType::Text, 5},
        {"BELGENO", ColumnType::Text, 30},
        {"IDNO", ColumnType::Int32},
    };
    while (q.next()) {
      const InvoiceLine line{q.value(7).toDouble(), q.value(8).toDouble(), q.value(9).toDouble(),
                             q.value(10).toDouble()};
      const LineAmounts a = line.amounts();
      const QDate date = QDate::fromString(q.value(13).toString(), Qt::ISODate);
      const QDate due = QDate::fromString(q.value(16).toString(), Qt::ISODate);
      table.rows.append(wire::Row{q.value(0).toString(),
                                  q.value(1).toString(),
                                  q.value(2).toString(),
                                  q.value(3).toString(),
                                  q.value(4).toString(),
                                  q.value(5).toString(),
                                  q.value(6).toString(),
                                  line.quantity,
                                  line.unitPrice,
                                  a.gross,
                                  line.discountRate,
                                  0.0,
                                  line.vatRate,
                                  a.discount,
                                  0.0,
                                  a.netUnit,
                                  a.net,
                                  q.value(11).toString(),
                                  q.value(12).toString(),
                                  date,
                                  movementKindName(q.value(14).toInt()),
                                  q.value(15).toString(),
                                  a.vat,
                                  QStringLiteral("IRS-") + q.value(15).toString(),
                                  date,
                                  QString(),
                                  QStringLiteral("10:00"),
                                  int(date.daysTo(due)),
                                  QString(),
                                  QVariant(),
                                  QStringLiteral("Satış İrsaliyesi"),
                                  1.0,
                                  q.value(17).toString(),
                                  q.value(18).toString(),
                                  carino,
                                  QStringLiteral("TL"),
                                  q.value(15).toString(),
                                  q.value(19).toInt()});
    }
    return QCborArray{table.toCbor()};
  });

  registry.add(QStringLiteral("FaturaAltGetir"), [&context](Session &session, const QCborArray &params) {
    const int id = int(params.at(0).toInteger());
    const int carino = movementDealer(context, session, id);
    QSqlQuery q =
        exec(context.storage.db(),
             QStringLiteral("SELECT quantity, unit_price, discount_rate, vat_rate FROM invoice_lines "
                            "WHERE movement_id = ? ORDER BY id"),
             {carino ? id : -1});
    double gross = 0, discount = 0, net = 0, vat = 0;
    bool any = false;
    while (q.next()) {
      any = true;
      const LineAmounts a = InvoiceLine{q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(),
                                        q.value(3).toDouble()}
                                .amounts();
      gross = round2(gross + a.gross);
      discount = round2(discount + a.discount);
      net = round2(net + a.net);
      vat = round2(vat + a.vat);
    }
    wire::TableMap table;
    table.columns = {{"TOPLAM", ColumnType::Double},
                     {"TOPLAMINDIRIM", ColumnType::Double},
                     {"MATRAH", ColumnType::Double},
                     {"KDVTUTAR", ColumnType::Double},
                     {"KDVDAHIL", ColumnType::Double}};
    if (any)
      table.rows.append(wire::Row{gross, discount, net, vat, round2(net + vat)});
    return QCborArray{table.toCbor()};
  });

  registry.add(QStringLiteral("Tahsilat"), [&context](Session &session, const QCborArray &params) {
    const int id = int(params.at(0).toInteger());
    const int carino = movementDealer(context, session, id);
    QSqlQuery q = exec(
        context.storage.db(),
        QStringLiteral("SELECT m.doc_date, m.kind, COALESCE(c.method, ''), m.due_date, "
                       "m.debit + m.credit, m.description, m.doc_no, COALESCE(c.reference, ''), "
                       "COALESCE(c.bank, '') FROM account_movements m "
                       "LEFT JOIN collections c ON c.movement_id = m.id WHERE m.id = ? AND m.carino = ?"),
        {id, carino});
    wire::TableMap table;
    table.columns = {{"Tarih", ColumnType::Date},       {"Türü", ColumnType::Text, 30},
                     {"Cins", ColumnType::Text, 30},    {"Vade", ColumnType::Date},
                     {"Tutar", ColumnType::Double},     {"Açıklama", ColumnType::Text, 200},
                     {"EvrakNo", ColumnType::Text, 30}, {"Ref", ColumnType::Text, 30},
                     {"Saat", ColumnType::Text, 8},     {"Kur", ColumnType::Double},
                     {"KurTL", ColumnType::Double},     {"Döviz Tutar", ColumnType::Double}};
    while (q.next()) {
      QString description = q.value(5).toString();
      if (!q.value(8).toString().isEmpty())
        description += QStringLiteral(" (%1)").arg(q.value(8).toString());
      table.rows.append(wire::Row{
          QDate::fromString(q.value(0).toString(), Qt::ISODate), movementKindName(q.value(1).toInt()),
          q.value(2).toString(), QDate::fromString(q.value(3).toString(), Qt::ISODate), q.value(4).toDouble(),
          description, q.value(6).toString(), q.value(7).toString(), QStringLiteral("12:00"), 1.0, 1.0, 0.0});
    }
    return QCborArray{table.toCbor()};
  });

  registry.add(QStringLiteral("SanalposSiranoVer"), [&context](Session &session, const QCborArray &params) {
    const int id = int(params.at(0).toInteger());
    if (movementDealer(context, session, id) == 0)
      return QCborArray{0};
    const QVariant sirano =
        scalar(context.storage.db(),
               QStringLiteral("SELECT sirano FROM online_payments WHERE movement_id = ?"), {id});
    return QCborArray{sirano.isNull() ? 0 : sirano.toInt()};
  });

  registry.add(QStringLiteral("SAnalPosPdfVer"), [&context](Session &session, const QCborArray &params) {
    const QByteArray pdf = paymentReceipt(context, session, int(params.at(0).toInteger()));
    return QCborArray{qint64(pdf.size()), pdf};
  });

  registry.add(QStringLiteral("CariVadeGunGecmismiBul"),
               [&context](Session &session, const QCborArray &params) {
                 const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
                 return QCborArray{overdueWarning(context, carino)};
               });

  registry.add(QStringLiteral("CariDurumVer"), [&context](Session &session, const QCborArray &params) {
    const int carino = authorizeDealer(context, session, int(params.at(0).toInteger()));
    const double balance = dealerBalance(context, carino);
    QString text = QStringLiteral("Bakiye: %1 TL").arg(turkishMoney(qAbs(balance)));
    if (balance > 0)
      text += QStringLiteral(" (Borç)");
    else if (balance < 0)
      text += QStringLiteral(" (Alacak)");
    return QCborArray{text};
  });
}

QByteArray paymentReceipt(ServerContext &context, Session &session, int sirano)
{
  QSqlQuery q =
      exec(context.storage.db(),
           QStringLiteral("SELECT p.carino, p.amount, p.card_holder, p.card_masked, p.installments, "
                          "p.created_at, m.doc_no, d.code, d.name FROM online_payments p "
                          "JOIN account_movements m ON m.id = p.movement_id "
                          "JOIN dealers d ON d.carino = p.carino WHERE p.sirano = ?"),
           {sirano});
  if (!q.next())
    return {};
  authorizeDealer(context, session, q.value(0).toInt());
  const QDateTime when = QDateTime::fromString(q.value(5).toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
  PdfTable table;
  table.headers = {QStringLiteral("Açıklama"), QStringLiteral("Değer")};
  table.rows = {{QStringLiteral("Ödeme No"), QString::number(sirano)},
                {QStringLiteral("Evrak No"), q.value(6).toString()},
                {QStringLiteral("Tarih"), when.toString(QStringLiteral("dd.MM.yyyy HH:mm"))},
                {QStringLiteral("Kart Sahibi"), q.value(2).toString()},
                {QStringLiteral("Kart No"), q.value(3).toString()},
                {QStringLiteral("Taksit"), QString::number(q.value(4).toInt())},
                {QStringLiteral("Tutar"), turkishMoney(q.value(1).toDouble()) + QStringLiteral(" TL")}};
  table.rightAligned = {1};
  return renderPdf(QStringLiteral("Sanal Pos Ödeme Dekontu"),
                   {QStringLiteral("Cari: %1 %2").arg(q.value(7).toString(), q.value(8).toString())}, table,
                   {QStringLiteral("Ödemeniz için teşekkür ederiz.")});
}

} // namespace backend

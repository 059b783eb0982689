// Tools of the sales staff: dealer search and status lists, counts, the PDF
// reports of the customer selection and the two date-range reports.

#include "common.h"
#include "documents.h"
#include "pricing.h"
#include "textfold.h"

#include <wire/value.h>

#include <QSqlQuery>

namespace backend {

namespace {

using wire::ColumnType;

// Order statuses 1..6 are the dealer list codes 2..7; code 1 is the basket.
constexpr int kShipped = 6;

const QList<wire::Column> &dealerColumns()
{
  static const QList<wire::Column> columns{
      {"CARINO", ColumnType::Int32},          {"CARIKOD", ColumnType::Text, 25},
      {"CARIADI", ColumnType::Text, 100},     {"SATICISI", ColumnType::Text, 50},
      {"TLBAKIYE", ColumnType::Double},       {"DURUM", ColumnType::Text, 30},
      {"SEPET", ColumnType::Int32},           {"ALINDI", ColumnType::Int32},
      {"ONAYLANDI", ColumnType::Int32},       {"GORULDU", ColumnType::Int32},
      {"HAZIRLANDI", ColumnType::Int32},      {"PARCALIHAZIRLANDI", ColumnType::Int32},
      {"OZELKOD", ColumnType::Text, 30},      {"KOD1", ColumnType::Text, 30},
      {"KOD2", ColumnType::Text, 30},         {"KOD3", ColumnType::Text, 30},
      {"KOD4", ColumnType::Text, 30},         {"KOD5", ColumnType::Text, 30},
      {"TEL1", ColumnType::Text, 30},         {"TEL2", ColumnType::Text, 30},
      {"ILCE", ColumnType::Text, 30},         {"IL", ColumnType::Text, 30},
      {"GSM", ColumnType::Text, 30},          {"YETKILI", ColumnType::Text, 50},
      {"INDIRIM", ColumnType::Double},        {"VADE", ColumnType::Int32},
      {"VADEKONTROLGUN", ColumnType::Int32},  {"VADEKONTROLAY", ColumnType::Int32},
      {"VERGIDAIRESI", ColumnType::Text, 50}, {"VERGINO", ColumnType::Text, 20},
      {"ADRES1", ColumnType::Text, 100},      {"ADRES2", ColumnType::Text, 100},
      {"ANAGRUP", ColumnType::Text, 30},      {"ALTGRUP", ColumnType::Text, 30},
      {"FAX1", ColumnType::Text, 30},         {"FAX2", ColumnType::Text, 30},
      {"EMAIL", ColumnType::Text, 60},
  };
  return columns;
}

QString statusCount(int status)
{
  return QStringLiteral("(SELECT COUNT(*) FROM orders o WHERE o.carino = d.carino AND o.status = %1)")
      .arg(status);
}

wire::TableMap dealerRows(ServerContext &context, const QString &where, const QVariantList &binds)
{
  QSqlQuery q = exec(
      context.storage.db(),
      QStringLiteral(
          "SELECT d.carino, d.code, d.name, COALESCE(s.name, ''), "
          "(SELECT COALESCE(SUM(m.debit - m.credit), 0) FROM account_movements m WHERE m.carino = d.carino), "
          "(SELECT COUNT(*) FROM basket_lines b WHERE b.carino = d.carino), ") +
          QStringList{statusCount(1), statusCount(2), statusCount(3), statusCount(5), statusCount(4)}.join(
              QLatin1String(", ")) +
          QStringLiteral(", d.special_code, d.phone1, d.phone2, d.district, d.city, d.gsm, d.contact, "
                         "d.payment_days, d.tax_office, d.tax_number, d.address1, d.address2, d.main_group, "
                         "d.sub_group, d.fax1, d.fax2, d.email FROM dealers d "
                         "LEFT JOIN salespeople s ON s.id = d.salesperson_id ") +
          where + QStringLiteral(" ORDER BY d.name, d.carino"),
      binds);
  wire::TableMap table;
  table.columns = dealerColumns();
  while (q.next()) {
    const double balance = round2(q.value(4).toDouble());
    const QString state = balance > 0   ? QStringLiteral("Borçlu")
                          : balance < 0 ? QStringLiteral("Alacaklı")
                                        : QString();
    table.rows.append(wire::Row{q.value(0).toInt(),
                                q.value(1).toString(),
                                q.value(2).toString(),
                                q.value(3).toString(),
                                balance,
                                state,
                                q.value(5).toInt(),
                                q.value(6).toInt(),
                                q.value(7).toInt(),
                                q.value(8).toInt(),
                                q.value(9).toInt(),
                                q.value(10).toInt(),
                                q.value(11).toString(),
                                QString(),
                                QString(),
                                QString(),
                                QString(),
                                QString(),
                                q.value(12).toString(),
                                q.value(13).toString(),
                                q.value(14).toString(),
                                q.value(15).toString(),
                                q.value(16).toString(),
                                q.value(17).toString(),
                                0.0,
                                q.value(18).toInt(),
                                q.value(18).toInt(),
                                0,
                                q.value(19).toString(),
                                q.value(20).toString(),
                                q.value(21).toString(),
                                q.value(22).toString(),
                                q.value(23).toString(),
                                q.value(24).toString(),
                                q.value(25).toString(),
                                q.value(26).toString(),
                                q.value(27).toString()});
  }
  return table;
}

Account requireStaff(ServerContext &context, Session &session)
{
  const Account account = requireAccount(context, session);
  if (!account.isStaff())
    failAuth(QStringLiteral("Bu işlem satış temsilcilerine açıktır."));
  return account;
}

QString dayText(double oleDate)
{
  return wire::fromOleDate(oleDate).date().toString(Qt::ISODate);
}

// Report 6 for one dealer: its statement up to the date with the balance.
QByteArray dealerSummary(ServerContext &context, int carino, const QString &date)
{
  QSqlQuery head = exec(context.storage.db(),
                        QStringLiteral("SELECT code, name, city FROM dealers WHERE carino = ?"), {carino});
  if (!head.next())
    return {};
  QSqlQuery q = exec(context.storage.db(),
                     QStringLiteral("SELECT doc_date, kind, doc_no, debit, credit FROM account_movements "
                                    "WHERE carino = ? AND doc_date <= ? ORDER BY doc_date, id"),
                     {carino, date});
  PdfTable table;
  table.headers = {"Tarih", "Tür", "Evrak No", "Borç", "Alacak", "Bakiye"};
  table.rightAligned = {3, 4, 5};
  double balance = 0;
  while (q.next()) {
    balance = round2(balance + q.value(3).toDouble() - q.value(4).toDouble());
    table.rows.append(
        {QDate::fromString(q.value(0).toString(), Qt::ISODate).toString(QStringLiteral("dd.MM.yyyy")),
         movementKindName(q.value(1).toInt()), q.value(2).toString(), turkishMoney(q.value(3).toDouble()),
         turkishMoney(q.value(4).toDouble()), turkishMoney(balance)});
  }
  return renderPdf(
      QStringLiteral("Cari Özeti"),
      {QStringLiteral("Cari: %1 %2 (%3)")
           .arg(head.value(0).toString(), head.value(1).toString(), head.value(2).toString()),
       QStringLiteral("Tarih: %1").arg(QDate::fromString(date, Qt::ISODate).toString("dd.MM.yyyy"))},
      table, {QStringLiteral("Bakiye: %1 TL").arg(turkishMoney(balance))});
}

// Report 6 for all dealers (of one salesperson, or "." for all): balances and
// the part of each that is overdue on the date.
QByteArray receivablesByDue(ServerContext &context, const QString &salesperson, const QString &date)
{
  QSqlQuery q =
      exec(context.storage.db(),
           QStringLiteral(
               "SELECT d.code, d.name, COALESCE(s.name, ''), "
               "(SELECT COALESCE(SUM(m.debit - m.credit), 0) FROM account_movements m WHERE m.carino = "
               "d.carino AND m.doc_date <= ?), "
               "(SELECT COALESCE(SUM(m.debit), 0) FROM account_movements m WHERE m.carino = d.carino AND "
               "m.due_date < ?), "
               "(SELECT COALESCE(SUM(m.credit), 0) FROM account_movements m WHERE m.carino = d.carino AND "
               "m.doc_date <= ?) "
               "FROM dealers d LEFT JOIN salespeople s ON s.id = d.salesperson_id "
               "WHERE ? = '.' OR s.name = ? OR EXISTS (SELECT 1 FROM accounts a WHERE "
               "a.salesperson_id = s.id AND a.username = ?) ORDER BY d.name"),
           {date, date, date, salesperson, salesperson, salesperson});
  PdfTable table;
  table.headers = {"Cari Kod", "Cari Adı", "Temsilci", "Bakiye", "Vadesi Geçen"};
  table.rightAligned = {3, 4};
  double total = 0, overdueTotal = 0;
  while (q.next()) {
    const double balance = round2(q.value(3).toDouble());
    const double overdue = qMax(0.0, round2(q.value(4).toDouble() - q.value(5).toDouble()));
    total += balance;
    overdueTotal += overdue;
    table.rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                       turkishMoney(balance), turkishMoney(overdue)});
  }
  return renderPdf(
      QStringLiteral("Cari Toplu Alacak Vadeleri"),
      {QStringLiteral("Temsilci: %1")
           .arg(salesperson == QLatin1String(".") ? QStringLiteral("Tümü") : salesperson),
       QStringLiteral("Tarih: %1").arg(QDate::fromString(date, Qt::ISODate).toString("dd.MM.yyyy"))},
      table,
      {QStringLiteral("Toplam bakiye: %1 TL").arg(turkishMoney(round2(total))),
       QStringLiteral("Vadesi geçen: %1 TL").arg(turkishMoney(round2(overdueTotal)))});
}

// Report 7: the dealer's purchases (invoices) and payments month by month.
QByteArray purchasesAndSales(ServerContext &context, int carino, const QString &salesperson,
                             const QString &from, const QString &to)
{
  QSqlQuery head =
      exec(context.storage.db(), QStringLiteral("SELECT code, name FROM dealers WHERE carino = ?"), {carino});
  const QString dealer = head.next() ? head.value(0).toString() + QLatin1Char(' ') + head.value(1).toString()
                                     : QStringLiteral("Tüm cariler");
  QSqlQuery q = exec(
      context.storage.db(),
      QStringLiteral("SELECT SUBSTR(doc_date, 1, 7), SUM(CASE WHEN kind IN (1, 3) THEN debit ELSE 0 END), "
                     "SUM(CASE WHEN kind IN (2, 4) THEN credit ELSE 0 END), COUNT(*) "
                     "FROM account_movements WHERE (? = 0 OR carino = ?) AND doc_date BETWEEN ? AND ? "
                     "GROUP BY SUBSTR(doc_date, 1, 7) ORDER BY 1"),
      {carino, carino, from, to});
  PdfTable table;
  table.headers = {"Ay", "Satış (Fatura)", "Tahsilat / İade", "Fark", "Hareket"};
  table.rightAligned = {1, 2, 3, 4};
  double sales = 0, payments = 0;
  while (q.next()) {
    const double s = round2(q.value(1).toDouble());
    const double p = round2(q.value(2).toDouble());
    sales += s;
    payments += p;
    table.rows.append({q.value(0).toString(), turkishMoney(s), turkishMoney(p), turkishMoney(round2(s - p)),
                       QString::number(q.value(3).toInt())});
  }
  return renderPdf(QStringLiteral("Cari Alış Satış Tablosu"),
                   {QStringLiteral("Cari: %1").arg(dealer), QStringLiteral("Temsilci: %1").arg(salesperson),
                    QStringLiteral("Tarih aralığı: %1 - %2")
                        .arg(QDate::fromString(from, Qt::ISODate).toString("dd.MM.yyyy"),
                             QDate::fromString(to, Qt::ISODate).toString("dd.MM.yyyy"))},
                   table,
                   {QStringLiteral("Toplam satış: %1 TL").arg(turkishMoney(round2(sales))),
                    QStringLiteral("Toplam tahsilat: %1 TL").arg(turkishMoney(round2(payments)))});
}

} // namespace

void addSalesMethods(MethodRegistry &registry, ServerContext &context)
{
  registry.add(QStringLiteral("CariAra"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session);
    const QStringList words =
        foldForSearch(params.at(1).toString()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString where;
    QVariantList binds;
    for (const QString &word : words) {
      where += where.isEmpty() ? QStringLiteral("WHERE ") : QStringLiteral(" AND ");
      where += QStringLiteral("d.search_text LIKE ? ESCAPE '\\'");
      binds.append(QLatin1Char('%') + likeEscaped(word) + QLatin1Char('%'));
    }
    return QCborArray{dealerRows(context, where, binds).toCbor()};
  });

  registry.add(QStringLiteral("CariSepetVer"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session);
    const int n = int(params.at(1).toInteger());
    if (n < 1 || n > 7)
      throw MethodError(QStringLiteral("params"), QStringLiteral("Liste kodu 1 ile 7 arasında olmalı."));
    const QString where =
        n == 1 ? QStringLiteral("WHERE EXISTS (SELECT 1 FROM basket_lines b WHERE b.carino = d.carino)")
               : QStringLiteral(
                     "WHERE EXISTS (SELECT 1 FROM orders o WHERE o.carino = d.carino AND o.status = %1)")
                     .arg(n - 1);
    return QCborArray{dealerRows(context, where, {}).toCbor()};
  });

  registry.add(QStringLiteral("SepetSayisi"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session);
    return QCborArray{
        scalar(context.storage.db(), QStringLiteral("SELECT COUNT(DISTINCT carino) FROM basket_lines"))
            .toInt()};
  });

  registry.add(QStringLiteral("TusSonuclariVer"), [&context](Session &session, const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session);
    QSqlQuery q =
        exec(context.storage.db(), QStringLiteral("SELECT status, COUNT(*) FROM orders GROUP BY status"));
    TTusSonuclari counts;
    while (q.next()) {
      const int n = q.value(1).toInt();
      switch (q.value(0).toInt()) {
      case 1:
        counts.SetAlindi(n);
        break;
      case 2:
        counts.SetOnaylandi(n);
        break;
      case 3:
        counts.SetGoruldu(n);
        break;
      case 4:
        counts.SetParcaliHazirlandi(n);
        break;
      case 5:
        counts.SetHazirlandi(n);
        break;
      case kShipped:
        counts.SetSevkEdildi(n);
        break;
      }
    }
    return QCborArray{objectResult(&counts)};
  });

  registry.add(QStringLiteral("RaporGetir"), [&context](Session &session, const QCborArray &params) {
    requireStaff(context, session);
    const int report = int(params.at(0).toInteger());
    const int carino = int(params.at(3).toInteger());
    const QString salesperson = params.at(4).toString();
    const QString from = dayText(params.at(5).toDouble());
    const QString to = dayText(params.at(6).toDouble());
    QByteArray pdf;
    if (report == 6)
      pdf = carino > 0 ? dealerSummary(context, carino, from) : receivablesByDue(context, salesperson, from);
    else if (report == 7)
      pdf = purchasesAndSales(context, carino, salesperson, from, to);
    else
      throw MethodError(QStringLiteral("params"), QStringLiteral("Bilinmeyen rapor: %1").arg(report));
    return QCborArray{qint64(pdf.size()), pdf};
  });

  registry.add(
      QStringLiteral("RaporAlinanSiparisler"), [&context](Session &session, const QCborArray &params) {
        loginRecordParam(params.at(0));
        requireStaff(context, session);
        const QString where = QStringLiteral("SUBSTR(o.created_at, 1, 10) BETWEEN ? AND ?");
        const QVariantList range{dayText(params.at(1).toDouble()), dayText(params.at(2).toDouble())};
        const QHash<int, OrderSums> sums = orderSums(context, where, range);
        QSqlQuery q =
            exec(context.storage.db(),
                 QStringLiteral("SELECT COALESCE(s.name, ''), o.sirano, o.carino, o.created_at, "
                                "COALESCE(o.giver_id, 0), COALESCE(ck.name, ''), COALESCE(dk.name, ''), "
                                "COALESCE(a.username, ''), d.code, d.name, o.status, COALESCE(cf.name, '') "
                                "FROM orders o JOIN dealers d ON d.carino = o.carino "
                                "LEFT JOIN salespeople s ON s.id = d.salesperson_id "
                                "LEFT JOIN cargo_kinds ck ON ck.id = o.cargo_kind_id "
                                "LEFT JOIN delivery_kinds dk ON dk.id = o.delivery_id "
                                "LEFT JOIN cargo_firms cf ON cf.sirano = o.cargo_firm_id "
                                "LEFT JOIN accounts a ON a.sirano = o.giver_id WHERE ") +
                     where + QStringLiteral(" ORDER BY o.sirano"),
                 range);
        wire::TableMap table;
        table.columns = {{"SATICIADI", ColumnType::Text, 50}, {"IDNO", ColumnType::Double},
                         {"CARINO", ColumnType::Int32},       {"TARIH", ColumnType::Date},
                         {"KUR", ColumnType::Text, 5},        {"KURTL", ColumnType::Double},
                         {"VERENIDNO", ColumnType::Int32},    {"KARGO", ColumnType::Text, 50},
                         {"TESLIM", ColumnType::Text, 50},    {"VEREN", ColumnType::Text, 50},
                         {"CARIKOD", ColumnType::Text, 25},   {"CARIADI", ColumnType::Text, 100},
                         {"DURUM", ColumnType::Text, 100},    {"KARGOADI", ColumnType::Text, 50},
                         {"VERGI", ColumnType::Double},       {"NETTUTAR", ColumnType::Double},
                         {"TUTAR", ColumnType::Double}};
        while (q.next()) {
          const int order = q.value(1).toInt();
          const OrderSums sum = sums.value(order);
          table.rows.append(wire::Row{q.value(0).toString(), double(order), q.value(2).toInt(),
                                      QDate::fromString(q.value(3).toString().left(10), Qt::ISODate),
                                      QStringLiteral("TL"), 1.0, q.value(4).toInt(), q.value(5).toString(),
                                      q.value(6).toString(), q.value(7).toString(), q.value(8).toString(),
                                      q.value(9).toString(), orderStatusText(q.value(10).toInt()),
                                      q.value(11).toString(), sum.vat, sum.net, sum.gross});
        }
        return QCborArray{table.toCbor()};
      });

  registry.add(QStringLiteral("RaporEnCokSatilanStoklar"), [&context](Session &session,
                                                                      const QCborArray &params) {
    loginRecordParam(params.at(0));
    requireStaff(context, session);
    QSqlQuery q =
        exec(context.storage.db(),
             QStringLiteral("SELECT s.barcode, s.code, s.name, s.main_group, l.quantity, l.unit_price, "
                            "l.discount_rate, l.vat_rate, s.stokno FROM invoice_lines l "
                            "JOIN account_movements m ON m.id = l.movement_id "
                            "JOIN stock_items s ON s.stokno = l.stokno "
                            "WHERE m.kind = 1 AND m.doc_date BETWEEN ? AND ? ORDER BY s.stokno"),
             {dayText(params.at(1).toDouble()), dayText(params.at(2).toDouble())});
    struct Sold {
      wire::Row head;
      double quantity = 0, net = 0, vat = 0;
    };
    QMap<int, Sold> sold;
    while (q.next()) {
      Sold &s = sold[q.value(8).toInt()];
      if (s.head.isEmpty())
        s.head = {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()};
      const LineAmounts a = lineAmounts(q.value(4).toDouble(), q.value(5).toDouble(),
                                        {q.value(6).toDouble(), 0, 0, 0}, q.value(7).toDouble());
      s.quantity += q.value(4).toDouble();
      s.net += a.net;
      s.vat += a.vat;
    }
    QList<Sold> ranked = sold.values();
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Sold &a, const Sold &b) { return a.quantity > b.quantity; });
    wire::TableMap table;
    table.columns = {{"BARKOD", ColumnType::Text, 50}, {"KOD", ColumnType::Text, 50},
                     {"ADI", ColumnType::Text, 100},   {"DEPARTMAN", ColumnType::Text, 50},
                     {"MIKTAR", ColumnType::Double},   {"NETTUTAR", ColumnType::Double},
                     {"TLVERGI", ColumnType::Double},  {"TUTAR", ColumnType::Double}};
    for (const Sold &s : ranked)
      table.rows.append(s.head + wire::Row{s.quantity, round2(s.net), round2(s.vat), round2(s.net + s.vat)});
    return QCborArray{table.toCbor()};
  });
}

} // namespace backend

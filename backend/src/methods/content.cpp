// Content of the main window: tab counters, news line, banners, opening
// screens and advertisements.

#include "common.h"

#include <wire/mobilstokunit.h>

#include <QSqlQuery>

namespace backend {

namespace {

using wire::ColumnType;

std::shared_ptr<TAcilisEkran> screenFrom(QSqlQuery &q)
{
  auto screen = std::make_shared<TAcilisEkran>();
  screen->SetSiraNo(q.value(0).toInt());
  screen->SetBaslik(q.value(1).toString());
  screen->SetArama(q.value(2).toString());
  // Pictures travel as hexadecimal text, two digits per byte.
  screen->SetResim(QString::fromLatin1(q.value(3).toByteArray().toHex().toUpper()));
  return screen;
}

const char *const kScreenSelect = "SELECT position, title, search, picture FROM opening_screens ";

QCborArray banner(ServerContext &context, int slot)
{
  const QByteArray picture =
      scalar(context.storage.db(), QStringLiteral("SELECT picture FROM banners WHERE slot = ?"), {slot})
          .toByteArray();
  return QCborArray{qint64(picture.size()), picture};
}

} // namespace

void addContentMethods(MethodRegistry &registry, ServerContext &context)
{
  // The tab counters of the dealer in the record: basket lines, new items,
  // campaign items, announcements, open balance lines.
  registry.add(QStringLiteral("BalonGetir"), [&context](Session &session, const QCborArray &params) {
    const auto record = loginRecordParam(params.at(0));
    const Account account = requireAccount(context, session);
    const int carino = account.isStaff() ? record->CARINO() : account.carino;
    if (carino != 0)
      authorizeDealer(context, session, carino);
    QSqlDatabase db = context.storage.db();
    const int basket =
        scalar(db, QStringLiteral("SELECT COUNT(*) FROM basket_lines WHERE carino = ?"), {carino}).toInt();
    const int fresh = scalar(db, QStringLiteral("SELECT COUNT(*) FROM stock_items WHERE is_new = 1")).toInt();
    const bool campaigns = carino == 0 || dealerGetsCampaigns(context, carino);
    const int campaign =
        campaigns
            ? scalar(db, QStringLiteral("SELECT COUNT(*) FROM stock_items WHERE campaign_price > 0")).toInt()
            : 0;
    const int screens = scalar(db, QStringLiteral("SELECT COUNT(*) FROM opening_screens")).toInt();
    const double balances =
        scalar(db,
               QStringLiteral("SELECT COUNT(*) FROM order_lines l JOIN orders o ON o.sirano = "
                              "l.order_id WHERE o.carino = ? AND o.status < 6 AND "
                              "l.quantity - l.delivered - l.cancelled > 0"),
               {carino})
            .toDouble();
    wire::TableMap table;
    table.columns = {{"SEPET", ColumnType::Int32},
                     {"YENI", ColumnType::Int32},
                     {"KAMPANYA", ColumnType::Int32},
                     {"DUYURU", ColumnType::Int32},
                     {"BAKIYE", ColumnType::Double}};
    table.rows.append(wire::Row{basket, fresh, campaign, screens, balances});
    return QCborArray{table.toCbor()};
  });

  registry.add(QStringLiteral("KayanYaziGetir"), [&context](Session &, const QCborArray &) {
    return QCborArray{
        scalar(context.storage.db(), QStringLiteral("SELECT value FROM settings WHERE name = 'news_line'"))
            .toString()};
  });

  registry.add(QStringLiteral("BannerResimVer"),
               [&context](Session &, const QCborArray &) { return banner(context, 1); });
  registry.add(QStringLiteral("BannerResimVer2"),
               [&context](Session &, const QCborArray &) { return banner(context, 2); });
  registry.add(QStringLiteral("BannerResimVer3"),
               [&context](Session &, const QCborArray &) { return banner(context, 3); });

  registry.add(QStringLiteral("AcilisReklamAdet"), [&context](Session &, const QCborArray &) {
    return QCborArray{
        scalar(context.storage.db(), QStringLiteral("SELECT COUNT(*) FROM opening_screens")).toInt()};
  });

  // One advertisement by its position (1 = the first).
  registry.add(QStringLiteral("AcilisREklamVer"), [&context](Session &, const QCborArray &params) {
    // `sira` counts from 0 over the screens in their order, whatever
    // numbers their positions carry.
    const qint64 sira = params.at(0).toInteger();
    if (sira < 0)
      return QCborArray{QCborValue(QCborValue::Null)};
    QSqlQuery q = exec(
        context.storage.db(),
        QString::fromLatin1(kScreenSelect) + QStringLiteral("ORDER BY position LIMIT 1 OFFSET ?"), {sira});
    if (!q.next())
      return QCborArray{QCborValue(QCborValue::Null)};
    const auto screen = screenFrom(q);
    return QCborArray{objectResult(screen.get())};
  });

  registry.add(QStringLiteral("AcilisEkranlarVer2"), [&context](Session &, const QCborArray &) {
    QSqlQuery q =
        exec(context.storage.db(), QString::fromLatin1(kScreenSelect) + QStringLiteral("ORDER BY position"));
    TAcilisEkranlariki all;
    wire::ObjectArray<TAcilisEkran> screens;
    while (q.next())
      screens.items.push_back(screenFrom(q));
    all.SetEkranlar(screens);
    return QCborArray{objectResult(&all)};
  });
}

} // namespace backend

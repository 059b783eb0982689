// The login's account-by-computer answer, the dealer card and the request
// mails of the web forms: the methods an unknown computer may call.

#include "common.h"

#include <wire/mobilstokunit.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

#include <cmath>

namespace backend {

namespace {

int expectedVersion(ServerContext &context, const QVariant &accountOverride)
{
  if (!accountOverride.isNull())
    return accountOverride.toInt();
  const QVariant v = scalar(context.storage.db(),
                            QStringLiteral("SELECT value FROM settings WHERE name = 'client_version'"));
  return v.isNull() ? 5 : v.toInt();
}

TSonucBilgisi accountRecord(ServerContext &context, const QString &computer)
{
  TSonucBilgisi record;
  record.SetBILGISAYARID(computer);
  QSqlQuery q =
      exec(context.storage.db(),
           QStringLiteral("SELECT a.sirano, a.username, a.password, a.user_type, a.active, a.email, "
                          "a.expected_version, d.carino, d.code, d.name, s.id, s.name, s.email, s.phone "
                          "FROM accounts a "
                          "LEFT JOIN dealers d ON d.carino = a.carino "
                          "LEFT JOIN salespeople s ON s.id = COALESCE(a.salesperson_id, d.salesperson_id) "
                          "WHERE a.computer_id = ?"),
           {computer});
  if (!q.next()) {
    record.SetVarmi(false);
    record.SetVersion(expectedVersion(context, QVariant()));
    return record;
  }
  record.SetVarmi(true);
  record.SetSirano(q.value(0).toInt());
  record.SetADI(q.value(1).toString());
  record.SetSIFRE(q.value(2).toString());
  record.SetMusteriTipi(q.value(3).toInt());
  record.SetAKTIF(q.value(4).toInt());
  record.SetKullanicimail(q.value(5).toString());
  record.SetVersion(expectedVersion(context, q.value(6)));
  record.SetCARINO(q.value(7).toInt());
  record.Setcarikod(q.value(8).toString());
  record.SetCariAdi(q.value(9).toString());
  record.SetSaticiNo(q.value(10).toInt());
  record.SetSaticiAdi(q.value(11).toString());
  record.SetSaticiMail(q.value(12).toString());
  record.SetSaticiTelefon(q.value(13).toString());
  return record;
}

QString requestBody(const QCborArray &params, const QStringList &names)
{
  QJsonObject body;
  for (int i = 0; i < names.size() && i < params.size(); ++i)
    body.insert(names[i], params.at(i).toString());
  return QString::fromUtf8(QJsonDocument(body).toJson(QJsonDocument::Compact));
}

const QStringList kMailFields{"idsi",         "baslik",  "firmaadi", "adres1",     "adres2", "ilce",
                              "sehir",        "telefon", "fax",      "vd",         "vn",     "yetkili",
                              "kullaniciadi", "sifre",   "mail",     "kargoambar", "konu"};

} // namespace

void addLoginMethods(MethodRegistry &registry, ServerContext &context)
{
  // The account of a computer. A session may only ask for its own computer:
  // the answer carries the account's password for the client's check.
  registry.add(QStringLiteral("BuyukGetir"), [&context](Session &session, const QCborArray &params) {
    const QString idsi = params.at(0).toString();
    if (idsi != session.computer)
      failAuth(QStringLiteral("Yalnızca bu bilgisayarın hesabı sorgulanabilir."));
    const TSonucBilgisi record = accountRecord(context, idsi);
    return QCborArray{objectResult(&record)};
  });

  // The dealer card of an account: by the computer identity when `sirano`
  // is 0 (the forms ask so), else by the account's number. The card carries
  // the account's password, so only the session's own computer, its own
  // account, or sales staff may ask.
  registry.add(QStringLiteral("MobilCariBilgisiGetir"), [&context](Session &session,
                                                                   const QCborArray &params) {
    const int sirano = int(params.at(0).toInteger());
    const QString computer = params.at(1).toString();
    TMobilCariBilgisi card;
    card.SetBILGISAYARID(computer);
    const Account *own = sessionAccount(context, session);
    QString where;
    QVariant key;
    if (sirano == 0) {
      if (computer != session.computer)
        failAuth(QStringLiteral("Yalnızca bu bilgisayarın kartı sorgulanabilir."));
      where = QStringLiteral("a.computer_id = ?");
      key = computer;
    } else {
      if (!own || (!own->isStaff() && own->sirano != sirano))
        failAuth();
      where = QStringLiteral("a.sirano = ?");
      key = sirano;
    }
    QSqlQuery q =
        exec(context.storage.db(),
             QStringLiteral(
                 "SELECT COALESCE(d.carino, 0), COALESCE(d.code, ''), COALESCE(d.name, ''), "
                 "COALESCE(d.address1, ''), "
                 "COALESCE(d.address2, ''), COALESCE(d.district, ''), COALESCE(d.city, ''), "
                 "COALESCE(d.country, ''), "
                 "COALESCE(d.phone1, ''), COALESCE(d.phone2, ''), COALESCE(d.gsm, ''), COALESCE(d.fax1, ''), "
                 "COALESCE(d.fax2, ''), COALESCE(d.email, ''), COALESCE(d.tax_office, ''), "
                 "COALESCE(d.tax_number, ''), "
                 "COALESCE(d.contact, ''), COALESCE(d.main_group, ''), COALESCE(d.sub_group, ''), "
                 "COALESCE(d.special_code, ''), COALESCE(s.name, ''), COALESCE(s.email, ''), "
                 "COALESCE(s.phone, ''), "
                 "(SELECT COALESCE(SUM(debit), 0) FROM account_movements m WHERE m.carino = d.carino), "
                 "(SELECT COALESCE(SUM(credit), 0) FROM account_movements m WHERE m.carino = d.carino), "
                 "a.username, a.password, a.email FROM accounts a LEFT JOIN dealers d ON d.carino = a.carino "
                 "LEFT JOIN salespeople s ON s.id = COALESCE(a.salesperson_id, d.salesperson_id) WHERE ") +
                 where,
             {key});
    if (!q.next())
      return QCborArray{sirano == 0 ? objectResult(&card) : QCborValue(QCborValue::Null)};
    card.SetCARINO(q.value(0).toInt());
    card.SetCARIKOD(q.value(1).toString());
    card.SetCARIADI(q.value(2).toString());
    card.SetADRES1(q.value(3).toString());
    card.SetADRES2(q.value(4).toString());
    card.SetILCE(q.value(5).toString());
    card.SetSEHIR(q.value(6).toString());
    card.SetULKE(q.value(7).toString());
    card.SetTEL1(q.value(8).toString());
    card.SetTEL2(q.value(9).toString());
    card.SetGSM(q.value(10).toString());
    card.SetFAX1(q.value(11).toString());
    card.SetFAX2(q.value(12).toString());
    card.SetMAIL(q.value(13).toString());
    card.SetVERGIDAIRESI(q.value(14).toString());
    card.SetVERGINO(q.value(15).toString());
    card.SetYETKILI(q.value(16).toString());
    card.SetAnaGrup(q.value(17).toString());
    card.SetAltGrup(q.value(18).toString());
    card.SetOzelKod(q.value(19).toString());
    card.SetSATICIADI(q.value(20).toString());
    card.SetSATICIMAIL(q.value(21).toString());
    card.SetSATICITELEFON(q.value(22).toString());
    const double debit = q.value(23).toDouble();
    const double credit = q.value(24).toDouble();
    card.SetTLBORC(round2(debit));
    card.SetTLALACAK(round2(credit));
    card.SetTLBAKIYE(round2(debit - credit));
    card.SetKULLANICIADI(q.value(25).toString());
    card.SetSIFRE(q.value(26).toString());
    card.SetEMAIL(q.value(27).toString());
    return QCborArray{objectResult(&card)};
  });

  // Request mails (new user, password change) and mails with a subject go to
  // the outbox; a mail system outside this server delivers them.
  auto mail = [&context](const QString &kind, int fieldCount) {
    return [&context, kind, fieldCount](Session &session, const QCborArray &params) {
      const QString subject = params.at(1).toString();
      if (subject.trimmed().isEmpty())
        throw MethodError(QStringLiteral("params"), QStringLiteral("Konu boş olamaz."));
      exec(context.storage.db(),
           QStringLiteral(
               "INSERT INTO outbox (created_at, kind, computer_id, subject, body) VALUES (?,?,?,?,?)"),
           {nowText(), kind, session.computer, subject, requestBody(params, kMailFields.mid(0, fieldCount))});
      return QCborArray{1};
    };
  };
  registry.add(QStringLiteral("MailGonserCari"), mail(QStringLiteral("request"), 16));
  registry.add(QStringLiteral("MailGonserCariNormal"), mail(QStringLiteral("mail"), 17));
}

} // namespace backend

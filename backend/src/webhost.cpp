#include "webhost.h"

#include "documents.h"
#include "methods/common.h"
#include "pricing.h"

#include <QDate>
#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QUrlQuery>

namespace backend {

namespace {

QHttpServerResponse html(const QString &title, const QString &body,
                         QHttpServerResponse::StatusCode status = QHttpServerResponse::StatusCode::Ok)
{
  const QString page =
      QStringLiteral("<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\"><title>%1</title>"
                     "<style>body{font-family:Tahoma,sans-serif;background:#f6f7f9;color:#434c58;margin:0}"
                     "header{background:#f6d338;padding:16px 24px;font-weight:bold;font-size:20px}"
                     "main{padding:24px;max-width:720px}label{display:block;margin-top:10px}"
                     "input,textarea{width:100%;padding:6px;font-size:15px;box-sizing:border-box}"
                     "button{margin-top:16px;padding:10px 24px;font-size:16px;font-weight:bold}"
                     ".error{color:#b00020;font-weight:bold}.ok{color:#1b6e20;font-weight:bold}"
                     "</style></head><body><header>Tarvesa Otomotiv &mdash; %1</header><main>%2</main>"
                     "</body></html>")
          .arg(title.toHtmlEscaped(), body);
  QHttpServerResponse response("text/html; charset=utf-8", page.toUtf8(), status);
  return response;
}

QString field(const QString &name, const QString &label, const QString &value = {},
              const QString &type = "text")
{
  return QStringLiteral("<label>%1<input type=\"%4\" name=\"%2\" value=\"%3\"></label>")
      .arg(label.toHtmlEscaped(), name, value.toHtmlEscaped(), type);
}

// Query values as sent: the payment page's dealer name may hold "&" unencoded,
// so "firmasi" runs up to "&bakiye=".
QString rawQueryValue(const QString &query, const QString &key, const QString &until = {})
{
  const QString start = key + QLatin1Char('=');
  int from = query.startsWith(start) ? 0 : query.indexOf(QLatin1Char('&') + start);
  if (from < 0)
    return {};
  from += query.startsWith(start) && from == 0 ? start.size() : start.size() + 1;
  int end = until.isEmpty() ? query.indexOf(QLatin1Char('&'), from) : query.indexOf(until, from);
  if (end < 0)
    end = query.size();
  return QUrl::fromPercentEncoding(query.mid(from, end - from).toUtf8())
      .replace(QLatin1Char('+'), QLatin1Char(' '));
}

bool luhn(const QString &digits)
{
  int sum = 0;
  bool twice = false;
  for (int i = int(digits.size()) - 1; i >= 0; --i) {
    int d = digits[i].digitValue();
    if (twice) {
      d *= 2;
      if (d > 9)
        d -= 9;
    }
    sum += d;
    twice = !twice;
  }
  return sum % 10 == 0;
}

struct Dealer {
  int carino = 0;
  QString code, name;
};

Dealer findDealer(ServerContext &context, int carino)
{
  Dealer d;
  QSqlQuery q = exec(context.storage.db(),
                     QStringLiteral("SELECT carino, code, name FROM dealers WHERE carino = ?"), {carino});
  if (q.next())
    d = {q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()};
  return d;
}

QString paymentForm(const Dealer &dealer, double balance, const QString &message = {})
{
  return message +
         QStringLiteral("<p><b>Cari:</b> %1 %2<br><b>Bakiye:</b> %3 TL%4</p>"
                        "<form method=\"post\" action=\"sanalpos.aspx\">"
                        "<input type=\"hidden\" name=\"carino\" value=\"%5\">")
             .arg(dealer.code.toHtmlEscaped(), dealer.name.toHtmlEscaped(), turkishMoney(qAbs(balance)),
                  balance > 0   ? QStringLiteral(" (Borç)")
                  : balance < 0 ? QStringLiteral(" (Alacak)")
                                : QString())
             .arg(dealer.carino) +
         field("tutar", "Ödenecek tutar (TL)", balance > 0 ? QString::number(balance, 'f', 2) : QString()) +
         field("kartsahibi", "Kart üzerindeki isim") + field("kartno", "Kart numarası") +
         field("skt", "Son kullanma (AA/YY)") + field("cvc", "Güvenlik kodu", {}, "password") +
         field("taksit", "Taksit", "1") + QStringLiteral("<button type=\"submit\">Ödeme Yap</button></form>");
}

} // namespace

int recordCardPayment(ServerContext &context, int carino, double amount, const QString &holder,
                      const QString &cardNumber, const QString &expiry, const QString &cvc, int installments,
                      QString *error)
{
  auto fail = [error](const QString &text) {
    if (error)
      *error = text;
    return 0;
  };
  QString digits = cardNumber;
  digits.remove(QLatin1Char(' ')).remove(QLatin1Char('-'));
  if (findDealer(context, carino).carino == 0)
    return fail(QStringLiteral("Cari bulunamadı."));
  if (!(amount >= 1) || amount > 1000000)
    return fail(QStringLiteral("Tutar 1 ile 1.000.000 TL arasında olmalı."));
  if (holder.trimmed().isEmpty())
    return fail(QStringLiteral("Kart üzerindeki ismi giriniz."));
  static const QRegularExpression allDigits(QStringLiteral("^[0-9]{15,19}$"));
  if (!allDigits.match(digits).hasMatch() || !luhn(digits))
    return fail(QStringLiteral("Kart numarası geçersiz."));
  static const QRegularExpression expiryForm(QStringLiteral("^(0[1-9]|1[0-2])/([0-9]{2})$"));
  const auto match = expiryForm.match(expiry.trimmed());
  if (!match.hasMatch())
    return fail(QStringLiteral("Son kullanma tarihi AA/YY biçiminde olmalı."));
  const QDate lastDay =
      QDate(2000 + match.captured(2).toInt(), match.captured(1).toInt(), 1).addMonths(1).addDays(-1);
  if (lastDay < QDate::currentDate())
    return fail(QStringLiteral("Kartın son kullanma tarihi geçmiş."));
  static const QRegularExpression cvcForm(QStringLiteral("^[0-9]{3,4}$"));
  if (!cvcForm.match(cvc).hasMatch())
    return fail(QStringLiteral("Güvenlik kodu geçersiz."));
  if (installments < 1 || installments > 12)
    return fail(QStringLiteral("Taksit 1 ile 12 arasında olmalı."));

  QSqlDatabase db = context.storage.db();
  const double paid = round2(amount);
  return inTransaction(db, [&] {
    const QString today = todayText();
    const int movement =
        scalar(db,
               QStringLiteral(
                   "INSERT INTO account_movements (carino, doc_date, due_date, kind, doc_no, description, "
                   "debit, credit) VALUES (?,?,?,2,?,?,0,?) RETURNING id"),
               {carino, today, today,
                QStringLiteral("SP%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000000),
                QStringLiteral("Sanal pos ödemesi"), paid})
            .toInt();
    exec(db,
         QStringLiteral("INSERT INTO collections (movement_id, method, bank, reference) VALUES (?,?,?,?)"),
         {movement, QStringLiteral("Kredi Kartı"), QStringLiteral("Sanal Pos"), digits.right(4)});
    return scalar(db,
                  QStringLiteral(
                      "INSERT INTO online_payments (movement_id, carino, amount, card_holder, card_masked, "
                      "installments, created_at) VALUES (?,?,?,?,?,?,?) RETURNING sirano"),
                  {movement, carino, paid, holder.trimmed().toUpper(),
                   digits.left(4) + QStringLiteral(" **** **** ") + digits.right(4), installments, nowText()})
        .toInt();
  });
}

QByteArray demoSetupProgram()
{
  return QByteArrayLiteral("#!/bin/sh\n"
                           "# Tarvesa Otomotiv B2B demo setup: records that it ran, installs nothing.\n"
                           "log=\"${XDG_DATA_HOME:-$HOME/.local/share}/Tarvesa/setup-ran.log\"\n"
                           "mkdir -p \"$(dirname \"$log\")\"\n"
                           "echo \"$(date '+%Y-%m-%d %H:%M:%S') TarvesaSetup $*\" >> \"$log\"\n");
}

WebHost::WebHost(ServerContext &context, WebHostOptions options)
    : context_(context), options_(std::move(options)), http_(std::make_unique<QHttpServer>())
{
  addRoutes();
}

WebHost::~WebHost() = default;

bool WebHost::listen(const QHostAddress &address, quint16 port, QString *error)
{
  port_ = http_->listen(address, port);
  if (port_ == 0 && error)
    *error = QStringLiteral("cannot listen on port %1").arg(port);
  return port_ != 0;
}

void WebHost::addRoutes()
{
  http_->route(QStringLiteral("/resimgoster.ashx"), [this](const QHttpServerRequest &request) {
    bool ok = false;
    const int id = request.query().queryItemValue(QStringLiteral("id")).toInt(&ok);
    QByteArray jpeg;
    try {
      if (ok)
        jpeg = stockPicture(context_, id);
    } catch (const std::exception &) {
    }
    if (jpeg.isEmpty())
      return QHttpServerResponse("text/plain; charset=utf-8", QByteArrayLiteral("Resim yok"));
    return QHttpServerResponse("image/jpeg", jpeg);
  });

  http_->route(QStringLiteral("/formmailgonder.aspx"), QHttpServerRequest::Method::Get,
               [](const QHttpServerRequest &request) {
                 const QUrlQuery query = request.query();
                 const QString id = query.queryItemValue(QStringLiteral("id"), QUrl::FullyDecoded);
                 return html(
                     QStringLiteral("Kullanıcı İstek Formu"),
                     QStringLiteral("<p>Bu bilgisayar sistemimizde kayıtlı değil. Bayi hesabı açmak için "
                                    "formu doldurun; temsilcimiz sizinle iletişime geçecek.</p>"
                                    "<form method=\"post\" action=\"formmailgonder.aspx\">"
                                    "<input type=\"hidden\" name=\"id\" value=\"%1\">")
                             .arg(id.toHtmlEscaped()) +
                         field("firmaadi", "Firma adı") + field("adres1", "Adres") + field("ilce", "İlçe") +
                         field("sehir", "Şehir") + field("telefon", "Telefon") + field("fax", "Faks") +
                         field("vd", "Vergi dairesi") + field("vn", "Vergi no") +
                         field("yetkili", "Yetkili") + field("kullaniciadi", "İstenen kullanıcı adı") +
                         field("mail", "E-posta") + field("kargoambar", "Kargo / ambar") +
                         QStringLiteral("<button type=\"submit\">Gönder</button></form>"));
               });

  http_->route(
      QStringLiteral("/formmailgonder.aspx"), QHttpServerRequest::Method::Post,
      [this](const QHttpServerRequest &request) {
        const QUrlQuery form(QString::fromUtf8(request.body()).replace(QLatin1Char('+'), QLatin1Char(' ')));
        auto value = [&](const char *key) {
          return form.queryItemValue(QLatin1String(key), QUrl::FullyDecoded).trimmed().left(500);
        };
        if (value("firmaadi").isEmpty() || (value("telefon").isEmpty() && value("mail").isEmpty()))
          return html(QStringLiteral("Kullanıcı İstek Formu"),
                      QStringLiteral("<p class=\"error\">Firma adı ile telefon ya da e-posta gerekli.</p>"
                                     "<p><a href=\"javascript:history.back()\">Geri</a></p>"),
                      QHttpServerResponse::StatusCode::BadRequest);
        QJsonObject body;
        for (const char *key : {"id", "firmaadi", "adres1", "ilce", "sehir", "telefon", "fax", "vd", "vn",
                                "yetkili", "kullaniciadi", "mail", "kargoambar"})
          body.insert(QLatin1String(key), value(key));
        try {
          exec(context_.storage.db(),
               QStringLiteral("INSERT INTO outbox (created_at, kind, computer_id, subject, body) "
                              "VALUES (?,?,?,?,?)"),
               {nowText(), QStringLiteral("request"), value("id"), QStringLiteral("Yeni kullanıcı isteği"),
                QString::fromUtf8(QJsonDocument(body).toJson(QJsonDocument::Compact))});
        } catch (const std::exception &) {
          return html(QStringLiteral("Kullanıcı İstek Formu"),
                      QStringLiteral("<p class=\"error\">İsteğiniz kaydedilemedi, lütfen tekrar "
                                     "deneyiniz.</p>"),
                      QHttpServerResponse::StatusCode::InternalServerError);
        }
        return html(QStringLiteral("Kullanıcı İstek Formu"),
                    QStringLiteral("<p class=\"ok\">İsteğiniz alındı. Teşekkür ederiz.</p>"));
      });

  http_->route(QStringLiteral("/sanalpos.aspx"), QHttpServerRequest::Method::Get,
               [this](const QHttpServerRequest &request) {
                 const QString query = request.url().query(QUrl::FullyEncoded);
                 const int carino = rawQueryValue(query, QStringLiteral("carino")).toInt();
                 try {
                   const Dealer dealer = findDealer(context_, carino);
                   if (dealer.carino == 0)
                     return html(QStringLiteral("Sanal Pos"),
                                 QStringLiteral("<p class=\"error\">Cari bulunamadı.</p>"),
                                 QHttpServerResponse::StatusCode::NotFound);
                   return html(QStringLiteral("Sanal Pos"),
                               paymentForm(dealer, dealerBalance(context_, carino)));
                 } catch (const std::exception &) {
                   return html(QStringLiteral("Sanal Pos"),
                               QStringLiteral("<p class=\"error\">Şu anda ödeme alınamıyor.</p>"),
                               QHttpServerResponse::StatusCode::ServiceUnavailable);
                 }
               });

  http_->route(
      QStringLiteral("/sanalpos.aspx"), QHttpServerRequest::Method::Post,
      [this](const QHttpServerRequest &request) {
        const QUrlQuery form(QString::fromUtf8(request.body()).replace(QLatin1Char('+'), QLatin1Char(' ')));
        auto value = [&](const char *key) {
          return form.queryItemValue(QLatin1String(key), QUrl::FullyDecoded).trimmed();
        };
        const int carino = value("carino").toInt();
        QString error;
        int payment = 0;
        try {
          payment = recordCardPayment(context_, carino,
                                      value("tutar").replace(QLatin1Char(','), QLatin1Char('.')).toDouble(),
                                      value("kartsahibi"), value("kartno"), value("skt"), value("cvc"),
                                      value("taksit").isEmpty() ? 1 : value("taksit").toInt(), &error);
        } catch (const std::exception &) {
          error = QStringLiteral("Ödeme kaydedilemedi, lütfen tekrar deneyiniz.");
        }
        const Dealer dealer = findDealer(context_, carino);
        if (payment == 0)
          return html(
              QStringLiteral("Sanal Pos"),
              dealer.carino
                  ? paymentForm(dealer, dealerBalance(context_, carino),
                                QStringLiteral("<p class=\"error\">%1</p>").arg(error.toHtmlEscaped()))
                  : QStringLiteral("<p class=\"error\">%1</p>").arg(error.toHtmlEscaped()),
              QHttpServerResponse::StatusCode::BadRequest);
        return html(
            QStringLiteral("Sanal Pos"),
            QStringLiteral("<p class=\"ok\">Ödemeniz alındı. Ödeme no: %1</p><p>Yeni bakiye: %2 TL</p>"
                           "<p>Dekontunuzu Cari Ekstre sekmesinde tahsilat hareketinden alabilirsiniz.</p>")
                .arg(payment)
                .arg(turkishMoney(dealerBalance(context_, carino))));
      });

  http_->route(QStringLiteral("/exe/TarvesaSetup.exe"), [this](const QHttpServerRequest &) {
    QByteArray program;
    if (options_.setupProgram.isEmpty()) {
      program = demoSetupProgram();
    } else {
      QFile file(options_.setupProgram);
      if (!file.open(QIODevice::ReadOnly))
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
      program = file.readAll();
    }
    return QHttpServerResponse("application/octet-stream", program);
  });
}

} // namespace backend

#include "demodata.h"

#include "pictures.h"
#include "pricing.h"
#include "storage/storage.h"
#include "textfold.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QStringList>

#include <array>
#include <cmath>

namespace backend {

const DemoAccount kDemoAccounts[5] = {
    {"SATICI", "SATIS1", 1, "DEMO-SATIS-1"}, {"YONETICI", "SATIS2", 2, "DEMO-SATIS-2"},
    {"BAYI", "BAYI3", 3, "DEMO-BAYI-3"},     {"BAYIDORT", "BAYI4", 4, "DEMO-BAYI-4"},
    {"PASIF", "PASIF", 3, "DEMO-PASIF"},
};

namespace {

// splitmix64: the same sequence on every platform and compiler.
class Random {
public:
  explicit Random(quint64 seed) : state_(seed) {}
  quint64 next()
  {
    quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int below(int n) { return int(next() % quint64(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  bool chance(int percent) { return below(100) < percent; }
  template <class T, size_t N> const T &pick(const std::array<T, N> &items)
  {
    return items[size_t(below(int(N)))];
  }
  QString digits(int count)
  {
    QString s;
    for (int i = 0; i < count; ++i)
      s += QChar(u'0' + below(10));
    return s;
  }

private:
  quint64 state_;
};

const std::array<const char *, 44> kPartKinds = {
    "FREN BALATASI",
    "FREN DİSKİ",
    "FREN KAMPANASI",
    "YAĞ FİLTRESİ",
    "HAVA FİLTRESİ",
    "POLEN FİLTRESİ",
    "YAKIT FİLTRESİ",
    "AMORTİSÖR",
    "AMORTİSÖR TAKOZU",
    "ROTİL",
    "ROT BAŞI",
    "ROT MİLİ",
    "SALINCAK",
    "SALINCAK BURCU",
    "TRİGER SETİ",
    "TRİGER KAYIŞI",
    "DEVİRDAİM POMPASI",
    "V KAYIŞI",
    "ALTERNATÖR KAYIŞI",
    "BUJİ",
    "ATEŞLEME BOBİNİ",
    "DEBRİYAJ SETİ",
    "DEBRİYAJ BASKISI",
    "RADYATÖR",
    "TERMOSTAT",
    "MOTOR TAKOZU",
    "AKS KÖRÜĞÜ",
    "AKS KAFASI",
    "TEKER RULMANI",
    "SİLECEK SÜPÜRGESİ",
    "FAR AMPULÜ",
    "STOP LAMBASI",
    "EGZOZ SUSTURUCU",
    "KRANK KEÇESİ",
    "SİLİNDİR KAPAK CONTASI",
    "YAĞ POMPASI",
    "MARŞ MOTORU",
    "ŞARJ DİNAMOSU",
    "KLİMA KOMPRESÖRÜ",
    "YAKIT POMPASI",
    "ENJEKTÖR",
    "TURBO HORTUMU",
    "STABİLİZATÖR ÇUBUĞU",
    "KALORİFER RADYATÖRÜ",
};
const std::array<const char *, 10> kPositions = {"",       "ÖN",     "ARKA",     "SAĞ",      "SOL",
                                                 "ÖN SAĞ", "ÖN SOL", "ARKA SAĞ", "ARKA SOL", "ÜST"};
struct Vehicle {
  const char *make;
  const char *model;
};
const std::array<Vehicle, 26> kVehicles = {{
    {"FIAT", "DOBLO 1.3 MJET"},
    {"FIAT", "EGEA 1.4 FIRE"},
    {"FIAT", "LINEA 1.3 MJET"},
    {"TOFAŞ", "ŞAHİN 1.6"},
    {"RENAULT", "CLIO IV 1.5 DCI"},
    {"RENAULT", "MEGANE III 1.5 DCI"},
    {"RENAULT", "FLUENCE 1.6"},
    {"DACIA", "DUSTER 1.5 DCI"},
    {"FORD", "FOCUS III 1.6 TDCI"},
    {"FORD", "TRANSIT CUSTOM 2.2"},
    {"FORD", "FIESTA 1.4"},
    {"VOLKSWAGEN", "PASSAT B6 2.0 TDI"},
    {"VOLKSWAGEN", "GOLF VII 1.6 TDI"},
    {"VOLKSWAGEN", "CADDY 1.6 TDI"},
    {"TOYOTA", "COROLLA 1.6"},
    {"TOYOTA", "AURIS 1.4 D-4D"},
    {"HYUNDAI", "ACCENT ERA 1.5 CRDI"},
    {"HYUNDAI", "I20 1.4"},
    {"OPEL", "ASTRA J 1.4"},
    {"OPEL", "CORSA D 1.3 CDTI"},
    {"PEUGEOT", "301 1.6 HDI"},
    {"CITROEN", "C-ELYSEE 1.6 HDI"},
    {"MERCEDES", "SPRINTER 313 CDI"},
    {"BMW", "3 F30 320D"},
    {"HONDA", "CIVIC FD6 1.6"},
    {"SKODA", "OCTAVIA III 1.6 TDI"},
}};
const std::array<const char *, 22> kBrands = {
    "BOSCH",         "MANN-FILTER", "VALEO",        "SACHS",           "LEMFÖRDER", "TRW",
    "FEBI BILSTEIN", "MAHLE",       "NGK",          "GATES",           "CONTITECH", "SKF",
    "MONROE",        "BREMBO",      "ATE",          "HELLA",           "DELPHI",    "MOOG",
    "KYB",           "ORJİNAL",     "YERLİ ÜRETİM", "MAGNETI MARELLI",
};
const std::array<const char *, 9> kGroups = {"FREN",     "FİLTRE",  "SÜSPANSİYON", "MOTOR", "ŞANZIMAN",
                                             "ELEKTRİK", "SOĞUTMA", "AYDINLATMA",  "EGZOZ"};
const std::array<const char *, 20> kCities = {"İSTANBUL", "ANKARA",    "İZMİR",      "BURSA",     "KONYA",
                                              "ANTALYA",  "ADANA",     "KAYSERİ",    "ESKİŞEHİR", "SAMSUN",
                                              "TRABZON",  "GAZİANTEP", "DİYARBAKIR", "MERSİN",    "KOCAELİ",
                                              "SAKARYA",  "DENİZLİ",   "MALATYA",    "ERZURUM",   "ÇORUM"};
const std::array<const char *, 16> kFirmWords = {
    "ÖZGÜR",   "YILDIZ", "ANADOLU", "KARDEŞLER", "GÜVEN",   "ÇELİK", "DOĞAN",   "ŞAHİN",
    "ERDOĞAN", "AKIN",   "TUNA",    "KARADENİZ", "MARMARA", "EGE",   "BAŞKENT", "ATLAS",
};
const std::array<const char *, 6> kFirmKinds = {"OTO YEDEK PARÇA", "OTOMOTİV",        "OTO SANAYİ",
                                                "YEDEK PARÇA",     "MOTORLU ARAÇLAR", "OTO PARÇA"};

QString barcodeFor(int stokno)
{
  // EAN-13 with the Turkish prefix 869 and a proper check digit.
  const QString code = QStringLiteral("869%1").arg(stokno % 1000000000, 9, 10, QLatin1Char('0'));
  int sum = 0;
  for (int i = 0; i < 12; ++i)
    sum += (code[i].unicode() - u'0') * (i % 2 ? 3 : 1);
  return code + QChar(u'0' + (10 - sum % 10) % 10);
}

double money(double value)
{
  return std::round(value * 100.0) / 100.0;
}

QString nowText()
{
  return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

void insertStock(QSqlDatabase &db, const DemoOptions &options)
{
  Random random(20261210);
  QSqlQuery q(db);
  if (!q.prepare(QStringLiteral("INSERT INTO stock_items (stokno, code, name, other_name, barcode, "
                                "barcode_no, oem_no, oem1, oem2, oem3, "
                                "oem4, manufacturer_code, finish_code, brand, model, main_group, sub_group, "
                                "special_code, unit, list_price, "
                                "campaign_price, disc1, disc2, disc3, disc4, vat_rate, status1, status2, "
                                "on_hand, on_order, has_picture, is_new, "
                                "is_campaign, search_text) VALUES "
                                "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")))
    throw StorageError(q.lastError().text().toStdString());
  static const std::array<int, 9> disc1Steps = {0, 5, 10, 15, 20, 25, 30, 35, 40};
  static const std::array<int, 6> statusWeights = {8, 60, 10, 10, 6, 6}; // DURUM 0..5
  for (int stokno = 1; stokno <= options.items; ++stokno) {
    const int kind = random.below(int(kPartKinds.size()));
    const Vehicle &vehicle = random.pick(kVehicles);
    const QString brand = QString::fromUtf8(random.pick(kBrands));
    const QString position = QString::fromUtf8(random.pick(kPositions));
    QString name = QString::fromUtf8(kPartKinds[size_t(kind)]);
    if (!position.isEmpty())
      name += QLatin1Char(' ') + position;
    name += QStringLiteral(" %1 %2").arg(QString::fromUtf8(vehicle.make), QString::fromUtf8(vehicle.model));
    const QString prefix = brand.left(3).toUpper().remove(QLatin1Char(' '));
    const QString code = QStringLiteral("%1-%2").arg(foldForSearch(prefix)).arg(100000 + stokno);
    const QString oem = QStringLiteral("%1 %2 %3 %4")
                            .arg(random.digits(1) + QChar(u'A' + random.below(26)) + random.digits(1),
                                 random.digits(3), random.digits(3))
                            .arg(QString(QChar(u'A' + random.below(26))) + QChar(u'A' + random.below(26)));
    const QString oem1 = random.digits(10);
    const QString oem2 = random.chance(50) ? random.digits(8) : QString();
    const QString oem3 = random.chance(25) ? random.digits(7) : QString();
    const QString manufacturer = QStringLiteral("%1%2").arg(foldForSearch(prefix)).arg(random.digits(6));
    const QString finish = random.chance(40) ? QStringLiteral("F%1").arg(random.digits(5)) : QString();
    const double listPrice = money(25.0 + std::pow(double(random.below(1000)) / 1000.0, 2.5) * 6000.0);
    const bool campaign = random.chance(6);
    const double campaignPrice = campaign ? money(listPrice * (0.70 + random.below(20) / 100.0)) : 0.0;
    int weight = random.below(100);
    int status = 0;
    for (; status < 5 && weight >= statusWeights[size_t(status)]; ++status)
      weight -= statusWeights[size_t(status)];
    const QString barcode = barcodeFor(stokno);
    const QString group = QString::fromUtf8(random.pick(kGroups));
    const QString searchText =
        foldForSearch(
            QStringList{code, name, oem, oem1, oem2, oem3, barcode, brand, manufacturer, finish}.join(
                QLatin1Char(' '))) +
        QLatin1Char(' ') + compactForSearch(oem) + QLatin1Char(' ') + compactForSearch(code);
    const QVariantList values{stokno,
                              code,
                              name,
                              random.chance(20)
                                  ? QString::fromUtf8(kPartKinds[size_t(kind)]) + QStringLiteral(" (MUADİL)")
                                  : QString(),
                              barcode,
                              stokno,
                              oem,
                              oem1,
                              oem2,
                              oem3,
                              QString(),
                              manufacturer,
                              finish,
                              brand,
                              QString::fromUtf8(vehicle.model),
                              group,
                              QString::fromUtf8(vehicle.make),
                              random.chance(10) ? QStringLiteral("HIZLI") : QString(),
                              kind % 7 == 0 ? QStringLiteral("TAKIM") : QStringLiteral("ADET"),
                              listPrice,
                              campaignPrice,
                              double(disc1Steps[size_t(random.below(int(disc1Steps.size())))]),
                              random.chance(40) ? double(5 * random.between(1, 2)) : 0.0,
                              random.chance(15) ? double(random.between(2, 3)) : 0.0,
                              random.chance(3) ? 2.0 : 0.0,
                              random.chance(8) ? 10.0 : 20.0,
                              status,
                              random.chance(55) ? 1 : 0,
                              double(status == 1 ? random.between(1, 400) : 0),
                              double(status == 3 ? 10 * random.between(1, 20) : 0),
                              random.chance(70) ? 1 : 0,
                              random.chance(5) ? 1 : 0,
                              campaign ? 1 : 0,
                              searchText};
    bindAll(q, values);
    if (!q.exec())
      throw StorageError(q.lastError().text().toStdString());
  }
}

void insertPeopleAndDealers(QSqlDatabase &db, const DemoOptions &options)
{
  Random random(4242);
  const QStringList salespeople{QStringLiteral("Mehmet Yılmaz"), QStringLiteral("Ayşe Demir"),
                                QStringLiteral("Hakan Öztürk"), QStringLiteral("Zeynep Kaya")};
  for (int i = 0; i < salespeople.size(); ++i) {
    const QString mail = foldForSearch(salespeople[i].section(QLatin1Char(' '), 0, 0)).toLower() +
                         QStringLiteral("@tarvesa.com.tr");
    exec(db, QStringLiteral("INSERT INTO salespeople (id, name, email, phone) VALUES (?,?,?,?)"),
         {i + 1, salespeople[i], mail,
          QStringLiteral("0532 4%1 %2 %3").arg(random.digits(2), random.digits(2), random.digits(2))});
  }
  for (int carino = 1; carino <= options.dealers; ++carino) {
    const QString city = QString::fromUtf8(random.pick(kCities));
    QString name = QStringLiteral("%1 %2").arg(QString::fromUtf8(random.pick(kFirmWords)),
                                               QString::fromUtf8(random.pick(kFirmKinds)));
    if (random.chance(40))
      name += QStringLiteral(" LTD. ŞTİ.");
    else if (random.chance(30))
      name += QStringLiteral(" A.Ş.");
    const QString code = QStringLiteral("120.01.%1").arg(carino, 3, 10, QLatin1Char('0'));
    const QString phone = QStringLiteral("0%1 %2 %3 %4")
                              .arg(random.between(212, 488))
                              .arg(random.digits(3), random.digits(2), random.digits(2));
    exec(db,
         QStringLiteral(
             "INSERT INTO dealers (carino, code, name, address1, address2, district, city, phone1, phone2, "
             "gsm, fax1, email, tax_office, tax_number, contact, main_group, sub_group, special_code, "
             "salesperson_id, payment_days, search_text) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
         {carino,
          code,
          name,
          QStringLiteral("Sanayi Sitesi %1. Blok No: %2")
              .arg(random.between(1, 12))
              .arg(random.between(1, 80)),
          QString(),
          QStringLiteral("Merkez"),
          city,
          phone,
          QString(),
          QStringLiteral("05%1 %2 %3 %4")
              .arg(random.between(30, 55))
              .arg(random.digits(3), random.digits(2), random.digits(2)),
          phone,
          QStringLiteral("info@bayi%1.com.tr").arg(carino),
          city + QStringLiteral(" VD"),
          random.digits(10),
          QStringLiteral("Yetkili %1").arg(carino),
          QStringLiteral("BAYİ"),
          city,
          QString(),
          1 + (carino - 1) % int(salespeople.size()),
          random.chance(30) ? 60 : 30,
          foldForSearch(code + QLatin1Char(' ') + name + QLatin1Char(' ') + city)});
  }

  // The demo accounts: sales staff work for every dealer; the two demo dealers
  // are dealers 1 and 2; the inactive one belongs to dealer 3.
  for (const DemoAccount &a : kDemoAccounts) {
    const bool staff = a.userType <= 2;
    const int carino = staff ? 0 : (a.userType == 3 ? (QByteArray(a.username) == "PASIF" ? 3 : 1) : 2);
    exec(db,
         QStringLiteral(
             "INSERT INTO accounts (username, password, user_type, active, carino, salesperson_id, email, "
             "computer_id) VALUES (?,?,?,?,?,?,?,?)"),
         {QString::fromLatin1(a.username), QString::fromLatin1(a.password), a.userType,
          QByteArray(a.username) == "PASIF" ? 0 : 1,
          carino ? QVariant(carino) : QVariant(QMetaType::fromType<int>()),
          staff ? QVariant(a.userType) : QVariant(QMetaType::fromType<int>()),
          QStringLiteral("%1@example.com").arg(QString::fromLatin1(a.username).toLower()),
          QString::fromLatin1(a.computerId)});
  }
  // One account for every other dealer, on a computer of its own.
  for (int carino = 4; carino <= options.dealers; ++carino)
    exec(db,
         QStringLiteral(
             "INSERT INTO accounts (username, password, user_type, active, carino, email, computer_id) "
             "VALUES (?,?,?,?,?,?,?)"),
         {QStringLiteral("CARI%1").arg(carino, 3, 10, QLatin1Char('0')),
          QStringLiteral("S%1").arg(1000 + carino * 7), carino % 9 == 0 ? 4 : 3, 1, carino,
          QStringLiteral("bayi%1@example.com").arg(carino), QStringLiteral("PC-BAYI-%1").arg(carino)});

  exec(db, QStringLiteral("INSERT INTO settings (name, value) VALUES ('client_version', '5')"));
  exec(db, QStringLiteral("INSERT INTO settings (name, value) VALUES ('news_line', ?)"),
       {QStringLiteral(
           "Tarvesa Otomotiv B2B'ye hoş geldiniz. Aralık kampanyasında seçili fren ve filtre ürünlerinde "
           "%15'e varan indirim! Siparişleriniz 16:00'ya kadar aynı gün kargoda.")});
}

void insertKinds(QSqlDatabase &db)
{
  const QStringList deliveries{QStringLiteral("Gel Al"), QStringLiteral("Kargo ile Gönder"),
                               QStringLiteral("Servis Aracı ile"), QStringLiteral("Ambar ile Gönder")};
  for (int i = 0; i < deliveries.size(); ++i)
    exec(db, QStringLiteral("INSERT INTO delivery_kinds (id, name) VALUES (?,?)"), {i + 1, deliveries[i]});
  const QStringList cargoKinds{QStringLiteral("Alıcı Ödemeli"), QStringLiteral("Gönderici Ödemeli"),
                               QStringLiteral("Anlaşmalı Kargo")};
  for (int i = 0; i < cargoKinds.size(); ++i)
    exec(db, QStringLiteral("INSERT INTO cargo_kinds (id, name) VALUES (?,?)"), {i + 1, cargoKinds[i]});
  struct Firm {
    int kind;
    const char *name;
    const char *note;
  };
  const Firm firms[] = {
      {1, "Yurtiçi Kargo", "Alıcı ödemeli gönderilerde teslimatta ödeme yapılır."},
      {1, "Aras Kargo", "Saat 16:00'dan sonraki siparişler ertesi gün çıkar."},
      {1, "MNG Kargo", ""},
      {2, "Sürat Kargo", "Gönderici ödemeli: kargo ücreti faturaya eklenir."},
      {2, "PTT Kargo", ""},
      {3, "Tarvesa Anlaşmalı Kargo", "Anlaşmalı kargo ile 2.000 TL üzeri siparişlerde kargo ücretsizdir."},
  };
  int sirano = 1;
  for (const Firm &f : firms)
    exec(db, QStringLiteral("INSERT INTO cargo_firms (sirano, kind_id, name, note) VALUES (?,?,?,?)"),
         {sirano++, f.kind, QString::fromUtf8(f.name), QString::fromUtf8(f.note)});
}

void insertContent(QSqlDatabase &db)
{
  struct Screen {
    const char *title;
    const char *search;
  };
  const Screen screens[] = {
      {"Aralık Kampanyası: seçili ürünlerde %15 indirim", "#KAMPANYA#"},
      {"Yeni gelen ürünler", "#YENİ#"},
      {"Fren balatalarında yeni stok", "FREN BALATASI"},
      {"Filtre setleri", "FILTRESI"},
  };
  int position = 1;
  for (const Screen &s : screens) {
    const QString title = QString::fromUtf8(s.title);
    exec(db,
         QStringLiteral(
             "INSERT INTO opening_screens (position, title, search, picture, created_at) VALUES (?,?,?,?,?)"),
         {position, title, QString::fromUtf8(s.search), demoScreenPicture(position, title), nowText()});
    ++position;
  }
  for (int slot = 1; slot <= 3; ++slot)
    exec(db, QStringLiteral("INSERT INTO banners (slot, picture) VALUES (?,?)"), {slot, demoBanner(slot)});
}

// A year of business for every dealer: orders in every status with their
// lines, invoices for the delivered goods, collections and online payments.
void insertHistory(QSqlDatabase &db, const DemoOptions &options)
{
  Random random(77);
  const QDate today = QDate::currentDate();
  const int items = options.items;
  int orderNo = 0;
  int invoiceNo = 0;
  for (int carino = 1; carino <= options.dealers; ++carino) {
    const int giver =
        scalar(db, QStringLiteral("SELECT sirano FROM accounts WHERE carino = ? ORDER BY sirano LIMIT 1"),
               {carino})
            .toInt();
    const int paymentDays =
        scalar(db, QStringLiteral("SELECT payment_days FROM dealers WHERE carino = ?"), {carino}).toInt();
    const int orders = random.between(6, 14);
    double invoiced = 0;
    for (int n = 0; n < orders; ++n) {
      // Older orders are finished; the last few are still on their way.
      const int age = (orders - n) * 365 / orders - random.below(10);
      const QDate date = today.addDays(-qMax(0, age));
      const QString created = QDateTime(date, QTime(8 + random.below(10), random.below(60), random.below(60)))
                                  .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
      int status = 6;
      if (age < 45)
        status = 1 + random.below(6);
      if (n == orders - 1 && carino <= 6)
        status = 1 + (carino - 1) % 6; // every status appears among the first dealers
      const int delivery = 1 + random.below(4);
      const int cargoFirm = 1 + random.below(6);
      const int cargoKind =
          scalar(db, QStringLiteral("SELECT kind_id FROM cargo_firms WHERE sirano = ?"), {cargoFirm}).toInt();
      const int order = ++orderNo;
      exec(db,
           QStringLiteral(
               "INSERT INTO orders (sirano, carino, created_at, status, delivery_id, cargo_kind_id, "
               "cargo_firm_id, message, giver_id, our_message, salesperson_note) VALUES "
               "(?,?,?,?,?,?,?,?,?,?,?)"),
           {order, carino, created, status, delivery, cargoKind, cargoFirm,
            random.chance(40) ? QStringLiteral("Acil gönderim rica ederiz.") : QString(), giver,
            status >= 2 ? QStringLiteral("Siparişiniz işleme alındı.") : QString(),
            random.chance(20) ? QStringLiteral("Müşteri ile görüşüldü.") : QString()});
      const int lines = random.between(1, 6);
      QList<std::array<double, 5>> invoiceLines; // stokno, quantity, price, discount, vat
      for (int l = 0; l < lines; ++l) {
        const int stokno = 1 + random.below(items);
        QSqlQuery item =
            exec(db,
                 QStringLiteral("SELECT barcode, name, list_price, disc1, vat_rate FROM stock_items "
                                "WHERE stokno = ?"),
                 {stokno});
        item.next();
        const double quantity = random.between(1, 12);
        const double delivered = status == 6   ? quantity
                                 : status == 4 ? std::floor(quantity / 2)
                                 : status == 5 ? quantity
                                               : 0;
        exec(db,
             QStringLiteral(
                 "INSERT INTO order_lines (order_id, stokno, barcode, stock_name, quantity, delivered, "
                 "first_price, unit_price, disc1, vat_rate, giver_id, basket_line, created_at) "
                 "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"),
             {order, stokno, item.value(0).toString(), item.value(1).toString(), quantity, delivered,
              item.value(2).toDouble(), item.value(2).toDouble(), item.value(3).toDouble(),
              item.value(4).toDouble(), giver, order * 10 + l, created});
        if (status == 6 && delivered > 0)
          invoiceLines.append({double(stokno), delivered, item.value(2).toDouble(), item.value(3).toDouble(),
                               item.value(4).toDouble()});
      }
      if (invoiceLines.isEmpty())
        continue;
      // The shipped goods are invoiced a day later.
      const QDate invoiceDate = date.addDays(1);
      double total = 0;
      for (const auto &l : invoiceLines) {
        const LineAmounts a = lineAmounts(l[1], l[2], {l[3], 0, 0, 0}, l[4]);
        total = round2(total + a.net + a.vat);
      }
      const QString docNo = QStringLiteral("TRV%1").arg(2026000000 + ++invoiceNo);
      const int movement =
          scalar(db,
                 QStringLiteral("INSERT INTO account_movements (carino, doc_date, due_date, kind, "
                                "doc_no, description, debit, credit) VALUES (?,?,?,1,?,?,?,0) RETURNING id"),
                 {carino, invoiceDate.toString(Qt::ISODate),
                  invoiceDate.addDays(paymentDays).toString(Qt::ISODate), docNo,
                  QStringLiteral("Sipariş %1 faturası").arg(order), total})
              .toInt();
      for (const auto &l : invoiceLines) {
        QSqlQuery item =
            exec(db, QStringLiteral("SELECT barcode, name FROM stock_items WHERE stokno = ?"), {int(l[0])});
        item.next();
        exec(db,
             QStringLiteral("INSERT INTO invoice_lines (movement_id, stokno, barcode, stock_name, quantity, "
                            "unit_price, discount_rate, vat_rate) VALUES (?,?,?,?,?,?,?,?)"),
             {movement, int(l[0]), item.value(0).toString(), item.value(1).toString(), l[1], l[2], l[3],
              l[4]});
      }
      invoiced += total;
    }
    // Collections: most of what was invoiced is paid, some of it by card on
    // the payment page; a few dealers fall behind.
    const double share = carino % 7 == 0 ? 0.4 : 0.85;
    double toCollect = round2(invoiced * share);
    int collection = 0;
    while (toCollect > 1) {
      const double amount = round2(qMin(toCollect, invoiced / 3 + 100));
      toCollect = round2(toCollect - amount);
      const QDate date = today.addDays(-random.between(5, 330));
      const bool online = random.chance(35);
      const int movement =
          scalar(db,
                 QStringLiteral("INSERT INTO account_movements (carino, doc_date, due_date, kind, "
                                "doc_no, description, debit, credit) VALUES (?,?,?,2,?,?,0,?) RETURNING id"),
                 {carino, date.toString(Qt::ISODate), date.toString(Qt::ISODate),
                  QStringLiteral("TAH%1-%2").arg(carino).arg(++collection),
                  online ? QStringLiteral("Sanal pos ödemesi") : QStringLiteral("Tahsilat"), amount})
              .toInt();
      const QString method = online
                                 ? QStringLiteral("Kredi Kartı")
                                 : (random.chance(50) ? QStringLiteral("Havale") : QStringLiteral("Nakit"));
      exec(db,
           QStringLiteral("INSERT INTO collections (movement_id, method, bank, reference) VALUES (?,?,?,?)"),
           {movement, method,
            online || method == QLatin1String("Havale") ? QStringLiteral("Ziraat Bankası") : QString(),
            QStringLiteral("REF%1").arg(random.digits(8))});
      if (online)
        exec(db,
             QStringLiteral(
                 "INSERT INTO online_payments (movement_id, carino, amount, card_holder, card_masked, "
                 "installments, created_at) VALUES (?,?,?,?,?,?,?)"),
             {movement, carino, amount, QStringLiteral("YETKILI %1").arg(carino),
              QStringLiteral("5400 01** **** %1").arg(random.digits(4)), random.chance(30) ? 3 : 1,
              QDateTime(date, QTime(14, 30)).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))});
    }
  }
  // A basket with a few lines for the demo dealers.
  for (int carino : {1, 2}) {
    for (int i = 0; i < 3; ++i) {
      const int stokno = 1 + random.below(items);
      QSqlQuery item =
          exec(db,
               QStringLiteral("SELECT barcode, name, list_price, disc1, disc2, vat_rate FROM stock_items "
                              "WHERE stokno = ?"),
               {stokno});
      item.next();
      exec(db,
           QStringLiteral(
               "INSERT INTO basket_lines (carino, stokno, barcode, stock_name, quantity, vat_rate, "
               "unit_price, disc1, disc2, giver_id, sec, created_at) VALUES (?,?,?,?,?,?,?,?,?,?,1,?)"),
           {carino, stokno, item.value(0).toString(), item.value(1).toString(), double(random.between(1, 5)),
            item.value(5).toDouble(), item.value(2).toDouble(), item.value(3).toDouble(),
            item.value(4).toDouble(),
            scalar(db, QStringLiteral("SELECT sirano FROM accounts WHERE carino = ? ORDER BY sirano LIMIT 1"),
                   {carino}),
            nowText()});
    }
  }
}

} // namespace

bool fillDemoDataIfEmpty(Storage &storage, const DemoOptions &options, QString *error)
{
  try {
    QSqlDatabase db = storage.db();
    if (scalar(db, QStringLiteral("SELECT COUNT(*) FROM dealers")).toInt() > 0)
      return true;
    inTransaction(db, [&] {
      insertPeopleAndDealers(db, options);
      insertKinds(db);
      insertStock(db, options);
      insertContent(db);
      insertHistory(db, options);
    });
    if (storage.isPostgres()) {
      // Explicit ids were inserted: move the identity sequences past them.
      for (const char *table :
           {"salespeople:id", "dealers:carino", "accounts:sirano", "stock_items:stokno", "delivery_kinds:id",
            "cargo_kinds:id", "cargo_firms:sirano", "orders:sirano"}) {
        const QString t = QString::fromLatin1(table);
        const QString name = t.section(QLatin1Char(':'), 0, 0);
        const QString column = t.section(QLatin1Char(':'), 1, 1);
        exec(db, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), (SELECT MAX(%2) FROM %1))")
                     .arg(name, column));
      }
    }
    // Fold the large first write into the database file.
    if (!storage.isPostgres())
      exec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
  } catch (const std::exception &e) {
    if (error)
      *error = QString::fromUtf8(e.what());
    return false;
  }
  return true;
}

} // namespace backend

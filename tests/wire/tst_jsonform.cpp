#include <wire/baglantiu.h>
#include <wire/jsonform.h>
#include <wire/mobilstokunit.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QJsonObject parse(const QByteArray &json)
{
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError)
    qFatal("not JSON: %s", json.constData());
  return document.object();
}

std::shared_ptr<TAcilisEkran> screen(int position, const QString &title)
{
  auto s = std::make_shared<TAcilisEkran>();
  s->SetSiraNo(position);
  s->SetBaslik(title);
  s->SetArama(QStringLiteral("#KAMPANYA#"));
  s->SetResim(QStringLiteral("FFD8FFE0"));
  return s;
}

TSonucBilgisi filledRecord()
{
  TSonucBilgisi r;
  r.SetBILGISAYARID(QStringLiteral("WD-123"));
  r.SetSaticiMail(QStringLiteral("satis@tarvesa.com.tr"));
  r.SetSirano(42);
  r.SetCariAdi(QStringLiteral("ÖZGÜR OTO \"YEDEK\" PARÇA\nŞUBE 2"));
  r.SetSIFRE(QStringLiteral("ŞİFRE\\1"));
  r.SetSaticiNo(7);
  r.SetCARINO(1203);
  r.SetAKTIF(1);
  r.SetKullanicimail(QStringLiteral("bayi@example.com"));
  r.SetADI(QStringLiteral("AHMET"));
  r.SetSaticiTelefon(QStringLiteral("0212 555 00 00"));
  r.Setcarikod(QStringLiteral("120.01.203"));
  r.SetVarmi(true);
  r.SetSaticiAdi(QStringLiteral("Mehmet Yılmaz"));
  r.SetBilgiSayarAdi(QStringLiteral("MAGAZA-PC"));
  r.SetDisip(QStringLiteral("1212"));
  r.SetIcip(QStringLiteral("192.168.1.20"));
  r.SetBilgisayarKullanici(QStringLiteral("kasa"));
  r.SetMusteriTipi(3);
  r.SetVersion(5);
  return r;
}

// Every field, compared through the JSON form so a new field cannot be missed.
bool sameFields(const wire::TransferObject &a, const wire::TransferObject &b)
{
  return wire::toJson(&a) == wire::toJson(&b);
}

} // namespace

class TestJsonForm : public QObject {
  Q_OBJECT

private slots:
  void defaultLoginRecord()
  {
    const TSonucBilgisi record;
    const QByteArray json = wire::toJson(&record);
    QVERIFY(json.startsWith(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FBILGISAYARID":"",)"));
    QVERIFY(json.endsWith(R"("FMusteriTipi":1,"FVersion":1}})"));
    const QJsonObject fields = parse(json).value("fields").toObject();
    QCOMPARE(fields.size(), 20);
    QCOMPARE(fields.value("FVarmi"), QJsonValue(false));
    QCOMPARE(fields.value("FCARINO"), QJsonValue(0));
  }

  void fieldsKeepDeclaredOrder()
  {
    const QByteArray json = wire::toJson(std::make_unique<TTusSonuclari>().get());
    QCOMPARE(json, QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{"FAlindi":0,)"
                              R"("FOnaylandi":0,"FParcaliHazirlandi":0,"FSevkEdildi":0,"FHazirlandi":0,)"
                              R"("FGoruldu":0}})"));
  }

  void nestedObjectsCountIdsUp()
  {
    TAcilisEkranlariki all;
    wire::ObjectArray<TAcilisEkran> screens;
    screens.items = {screen(1, "A"), screen(2, "B"), screen(3, "C")};
    all.SetEkranlar(screens);
    const QJsonObject root = parse(wire::toJson(&all));
    QCOMPARE(root.value("type").toString(), QStringLiteral("mobilstokunit.TAcilisEkranlariki"));
    QCOMPARE(root.value("id").toInt(), 1);
    const QJsonObject fields = root.value("fields").toObject();
    QCOMPARE(fields.keys(), QStringList{"FEkranlar"});
    const QJsonArray items = fields.value("FEkranlar").toArray();
    QCOMPARE(items.size(), 3);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(items[i].toObject().value("type").toString(), QStringLiteral("mobilstokunit.TAcilisEkran"));
      QCOMPARE(items[i].toObject().value("id").toInt(), i + 2);
    }
  }

  void objectMetAgainIsWrittenAsRefAndReadAsTheSameObject()
  {
    TAcilisEkranlariki all;
    wire::ObjectArray<TAcilisEkran> screens;
    const auto shared = screen(1, "Kampanya");
    screens.items = {shared, screen(2, "Yeni"), shared};
    all.SetEkranlar(screens);
    const QByteArray json = wire::toJson(&all);
    const QJsonArray items = parse(json).value("fields").toObject().value("FEkranlar").toArray();
    QCOMPARE(items[2].toObject(), (QJsonObject{{"type", "mobilstokunit.TAcilisEkran"}, {"ref", 2}}));

    QString error;
    auto read = wire::fromJson<TAcilisEkranlariki>(json, &error);
    QVERIFY2(read, qPrintable(error));
    const auto &got = read->Ekranlar().items;
    QCOMPARE(got.size(), size_t(3));
    QCOMPARE(got[0].get(), got[2].get());
    QCOMPARE(got[1]->Baslik(), QStringLiteral("Yeni"));
    QCOMPARE(wire::toJson(read.get()), json);
  }

  void missingObjectIsNull()
  {
    QCOMPARE(wire::toJson(nullptr), QByteArray("null"));
    const wire::JsonReadResult result = wire::readJson("null", QStringLiteral("baglantiu.TSonucBilgisi"));
    QVERIFY(result.ok());
    QVERIFY(!result.object);
    TAcilisEkranlariki all;
    wire::ObjectArray<TAcilisEkran> screens;
    screens.items = {nullptr};
    all.SetEkranlar(screens);
    QVERIFY(wire::toJson(&all).contains(R"("FEkranlar":[null])"));
  }

  void loginRecordRoundTrips()
  {
    const TSonucBilgisi record = filledRecord();
    QString error;
    auto read = wire::fromJson<TSonucBilgisi>(wire::toJson(&record), &error);
    QVERIFY2(read, qPrintable(error));
    QVERIFY(sameFields(*read, record));
    QCOMPARE(read->CariAdi(), record.CariAdi());
  }

  void readingIgnoresUnknownAndKeepsDefaultsForMissingFields()
  {
    QString error;
    auto read = wire::fromJson<TMobilStok>(
        R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FKod":"BRK-1","FYeniAlan":5}})", &error);
    QVERIFY2(read, qPrintable(error));
    QCOMPARE(read->Kod(), QStringLiteral("BRK-1"));
    QCOMPARE(read->Birim(), QStringLiteral("ADET"));
    QCOMPARE(read->KDV(), 18.0);
  }

  void readingRefusesMalformedForms_data()
  {
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("not JSON") << QByteArray("{\"type\":");
    QTest::newRow("array") << QByteArray("[1,2]");
    QTest::newRow("no type") << QByteArray(R"({"id":1,"fields":{}})");
    QTest::newRow("other class") << QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{}})");
    QTest::newRow("no id") << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","fields":{}})");
    QTest::newRow("no fields") << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1})");
    QTest::newRow("text for integer")
        << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"12"}})");
    QTest::newRow("fraction for integer")
        << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":1.5}})");
    QTest::newRow("integer out of range")
        << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":4294967296}})");
    QTest::newRow("number for boolean")
        << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":1}})");
    QTest::newRow("outer ref") << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","ref":1})");
  }
  void readingRefusesMalformedForms()
  {
    QFETCH(QByteArray, json);
    QString error;
    QVERIFY(!wire::fromJson<TSonucBilgisi>(json, &error));
    QVERIFY(!error.isEmpty());
  }

  void readingRefusesBadNestedObjects_data()
  {
    QTest::addColumn<QByteArray>("items");
    QTest::newRow("wrong class") << QByteArray(R"([{"type":"mobilstokunit.TMobilStok","id":2,"fields":{}}])");
    QTest::newRow("unknown id") << QByteArray(R"([{"type":"mobilstokunit.TAcilisEkran","ref":9}])");
    QTest::newRow("enclosing ref") << QByteArray(R"([{"type":"mobilstokunit.TAcilisEkranlariki","ref":1}])");
    QTest::newRow("duplicate id") << QByteArray(
        R"([{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{}},)"
        R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{}}])");
    QTest::newRow("not an object") << QByteArray("[5]");
    QTest::newRow("not an array") << QByteArray("{}");
  }
  void readingRefusesBadNestedObjects()
  {
    QFETCH(QByteArray, items);
    const QByteArray json =
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":)" + items + "}}";
    QString error;
    QVERIFY(!wire::fromJson<TAcilisEkranlariki>(json, &error));
    QVERIFY(!error.isEmpty());
  }

  void kopyalaFromANewRecordResetsEveryField()
  {
    TSonucBilgisi record = filledRecord();
    record.Kopyala(TSonucBilgisi());
    QVERIFY(sameFields(record, TSonucBilgisi()));
    QCOMPARE(record.MusteriTipi(), 1);
    QCOMPARE(record.Version(), 1);
    QCOMPARE(record.Varmi(), false);
  }

  void kopyalaCopiesEveryField()
  {
    TMobilSepet source;
    source.SetSTOKADI(QStringLiteral("FREN BALATASI"));
    source.SetIDNO(12.0);
    source.SetACIKLAMA(3);
    source.SetResim(QStringLiteral("FF"));
    TMobilSepet copy;
    copy.Kopyala(source);
    QVERIFY(sameFields(copy, source));

    TMobilCariBilgisi card;
    card.SetTLBAKIYE(-1250.5);
    card.SetILCE(QStringLiteral("Kadıköy"));
    TMobilCariBilgisi cardCopy;
    cardCopy.Kopyala(card);
    QVERIFY(sameFields(cardCopy, card));
  }

  void newStockItemDefaults()
  {
    const TMobilStok stock;
    QCOMPARE(stock.Birim(), QStringLiteral("ADET"));
    QCOMPARE(stock.KDV(), 18.0);
    QCOMPARE(stock.ListeFiyati(), 0.0);
  }

  void everyClassRoundTripsThroughTheRegistry_data()
  {
    QTest::addColumn<QString>("type");
    for (const char *name :
         {"baglantiu.TSonucBilgisi", "baglantiu.TSiparisDipAyrinti", "baglantiu.TTusSonuclari",
          "mobilstokunit.TAcilisEkran", "mobilstokunit.TAcilisEkranlariki", "mobilstokunit.TMobilCariBilgisi",
          "mobilstokunit.TMobilStok", "mobilstokunit.TMobilSepet", "mobilstokunit.TMobilStoklar",
          "mobilstokunit.TMobilSepetler", "mobilstokunit.TAcilisEkranlar"})
      QTest::newRow(name) << QString::fromLatin1(name);
  }
  void everyClassRoundTripsThroughTheRegistry()
  {
    QFETCH(QString, type);
    auto object = wire::createTransferObject(type);
    QVERIFY(object);
    QCOMPARE(object->typeName(), type);
    const QByteArray json = wire::toJson(object.get());
    const wire::JsonReadResult read = wire::readJson(json, type);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(wire::toJson(read.object.get()), json);
  }

  void ownedListsHoldTheirItems()
  {
    TMobilStoklar list;
    wire::ObjectArray<TMobilStok> items;
    auto item = std::make_shared<TMobilStok>();
    std::weak_ptr<TMobilStok> watch = item;
    items.items.push_back(std::move(item));
    list.SetItems(items);
    items.items.clear();
    QVERIFY(!watch.expired());
    list.SetItems({});
    QVERIFY(watch.expired());
  }
};

QTEST_APPLESS_MAIN(TestJsonForm)
#include "tst_jsonform.moc"

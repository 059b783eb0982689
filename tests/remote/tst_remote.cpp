// The client's call layer against a real listener over TCP: connecting with
// retries, the method frame, ownership of parameters and results.

#include "server/baglantikur.h"
#include "server/callpatterns.h"
#include "server/remoteerror.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/common/mesajgoster.h"

#include <appserver.h>
#include <methodregistry.h>

#include <wire/catalogue.h>
#include <wire/jsonform.h>
#include <wire/value.h>

#include <QCborMap>
#include <QMutex>
#include <QTcpServer>
#include <QtTest>

namespace {

quint16 freePort()
{
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

// A default answer of the right shape for every catalogued method.
QCborValue defaultValue(wire::ValueKind kind, const QString &className)
{
  switch (kind) {
  case wire::ValueKind::Text:
    return QStringLiteral("metin");
  case wire::ValueKind::Int32:
  case wire::ValueKind::Int64:
    return 3;
  case wire::ValueKind::Double:
    return 1.5;
  case wire::ValueKind::Bool:
    return true;
  case wire::ValueKind::Bytes:
    return QByteArray("PDF!");
  case wire::ValueKind::Object: {
    auto object = wire::createTransferObject(
        (className.startsWith("TS") || className.startsWith("TT") ? "baglantiu." : "mobilstokunit.") +
        className);
    return wire::embedJson(wire::toJson(object.get()));
  }
  case wire::ValueKind::JsonArray:
    return wire::embedJson("[]");
  case wire::ValueKind::Table: {
    wire::TableMap table;
    table.columns = {{"SIRANO", wire::ColumnType::Int32}, {"ADI", wire::ColumnType::Text, 50}};
    table.rows = {{1, QStringLiteral("Bir")}, {2, QStringLiteral("İki")}};
    return table.toCbor();
  }
  }
  return {};
}

struct FakeServer {
  backend::MethodRegistry registry;
  QMutex mutex;
  QHash<QString, QCborArray> received; // last parameters per method

  FakeServer()
  {
    backend::addBasicMethods(registry);
    for (const wire::MethodSignature &m : wire::methodCatalogue()) {
      if (registry.contains(m.name))
        continue;
      registry.add(m.name, [this, m](backend::Session &, const QCborArray &params) {
        {
          QMutexLocker lock(&mutex);
          received.insert(m.name, params);
        }
        if (m.name == "BuyukGetir" && params.at(0).toString().isEmpty())
          return QCborArray{QCborValue(QCborValue::Null)};
        if (m.name == "CariDurumVer" && params.at(0).toInteger() < 0)
          throw backend::MethodError("server", "Cari bulunamadı");
        QCborArray out;
        for (const wire::MethodParam &p : m.outputs())
          out.append(4);
        if (m.result)
          out.append(defaultValue(*m.result, m.resultClass));
        return out;
      });
    }
  }
  QCborArray paramsOf(const QString &name)
  {
    QMutexLocker lock(&mutex);
    return received.value(name);
  }
};

} // namespace

class TestRemote : public QObject {
  Q_OBJECT

  FakeServer fake;
  std::unique_ptr<backend::ServerThread> server;
  ServerConnection bagc;
  int messages = 0;
  MessageRequest lastMessage;

private slots:
  void initTestCase()
  {
    server = std::make_unique<backend::ServerThread>(fake.registry,
                                                     backend::ServerOptions{QHostAddress::LocalHost, 0});
    QVERIFY(server->start());
    bagc.setParam("HostName", "127.0.0.1");
    bagc.setParam("Port", QString::number(server->port()));
    bagc.setParam("ComputerId", "TEST-PC");
    SetMesajGosterHook([this](const MessageRequest &request) {
      ++messages;
      lastMessage = request;
      return int(mrOk);
    });
  }
  void init()
  {
    messages = 0;
    SetBaglantiKurPause(nullptr);
  }
  void cleanupTestCase()
  {
    SetMesajGosterHook(nullptr);
    SetBaglantiKurPause(nullptr);
    server->stop();
  }

  void baglantiKurGivesUpAfterElevenAttempts_data()
  {
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("expectedMessages");
    QTest::newRow("reporting") << 1 << 1;
    QTest::newRow("silent") << 0 << 0;
  }
  void baglantiKurGivesUpAfterElevenAttempts()
  {
    QFETCH(int, report);
    QFETCH(int, expectedMessages);
    QList<int> pauses;
    SetBaglantiKurPause([&](int ms) { pauses.append(ms); });
    ServerConnection closed;
    closed.setParam("Port", QString::number(freePort()));
    QVERIFY(!BaglantiKur(closed, report));
    QCOMPARE(closed.openAttempts(), 11);
    QCOMPARE(pauses, QList<int>(11, 500));
    QCOMPARE(messages, expectedMessages);
    if (expectedMessages) {
      QCOMPARE(lastMessage.text, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
      QCOMPARE(lastMessage.kind, mtError);
      QCOMPARE(lastMessage.buttons, msgButtons({mbOK}));
    }
    QVERIFY(!closed.isOpen());
  }

  void baglantiKurUsesAServerThatAcceptsOnTheSecondAttempt()
  {
    const quint16 port = freePort();
    std::unique_ptr<backend::ServerThread> late;
    SetBaglantiKurPause([&](int) {
      if (!late) {
        late = std::make_unique<backend::ServerThread>(fake.registry,
                                                       backend::ServerOptions{QHostAddress::LocalHost, port});
        QVERIFY(late->start());
      }
    });
    ServerConnection connection;
    connection.setParam("Port", QString::number(port));
    QVERIFY(BaglantiKur(connection, 1));
    QCOMPARE(connection.openAttempts(), 2);
    QCOMPARE(messages, 0);
    TServerMethods1Client client(connection);
    QCOMPARE(client.EchoString("ikinci"), QStringLiteral("ikinci"));
    connection.close();
    late->stop();
  }

  void textTravelsBothWays()
  {
    QVERIFY(BaglantiKur(bagc, 1));
    TServerMethods1Client client(bagc);
    const QString text = QStringLiteral("Çağrı İĞÜŞÖ ığüşö 🚗 \"x\"\n");
    QCOMPARE(client.EchoString(text), text);
    QCOMPARE(client.ReverseString(QStringLiteral("abç🚗")), QStringLiteral("🚗çba"));
    bagc.close();
  }

  void aCommandIsPreparedOncePerClient()
  {
    QVERIFY(BaglantiKur(bagc, 1));
    {
      TServerMethods1Client client(bagc);
      client.EchoString("1");
      client.EchoString("2");
      QCOMPARE(client.PreparedCommandCount(), 1);
      client.ReverseString("3");
      QCOMPARE(client.PreparedCommandCount(), 2);
    }
    TServerMethods1Client fresh(bagc);
    fresh.EchoString("4");
    QCOMPARE(fresh.PreparedCommandCount(), 1);
    bagc.close();
  }

  void aMissingObjectIsSentAsNull()
  {
    QVERIFY(CallOnMainConnection(bagc, [](TServerMethods1Client &c) { c.BalonGetir(nullptr); }));
    const QCborArray params = fake.paramsOf("BalonGetir");
    QCOMPARE(params.size(), 1);
    QVERIFY(params.at(0).isNull());
    QVERIFY(!bagc.isOpen());
  }

  void aConsumedCopyLeavesTheLiveRecordUnchanged()
  {
    TSonucBilgisi live;
    live.SetCARINO(1203);
    live.SetADI("AHMET");
    live.SetMusteriTipi(3);
    const QByteArray before = wire::toJson(&live);

    auto copy = std::make_unique<TSonucBilgisi>();
    copy->Kopyala(live);
    QVERIFY(
        CallOnMainConnection(bagc, [&](TServerMethods1Client &c) { c.SepetHepsiniSil(std::move(copy)); }));
    QVERIFY(!copy); // the call took it
    QCOMPARE(wire::toJson(&live), before);
    QByteArray sent;
    QVERIFY(wire::extractJson(fake.paramsOf("SepetHepsiniSil").at(0), &sent));
    QCOMPARE(sent, before);
  }

  void resultsLiveAsLongAsTheirClient()
  {
    QVERIFY(BaglantiKur(bagc, 1));
    ClientRef<DBXReader> reader;
    ClientRef<TSiparisDipAyrinti> footer;
    {
      TServerMethods1Client client(bagc);
      reader = client.OncekiSiparisler(5);
      footer = client.SiparisAytintisiDip(0, 9);
      client.OncekiSiparisler(6); // a second call through the same command
      QVERIFY(reader);
      QVERIFY(reader->Next());
      QCOMPARE(reader->Value("ADI").toString(), QStringLiteral("Bir"));
      QVERIFY(reader->Next());
      QVERIFY(!reader->Next());
      QVERIFY(footer);
    }
    QVERIFY(!reader);
    QVERIFY(!footer);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, reader->Next());
    bagc.close();
  }

  void aNullObjectResultGivesNoObject()
  {
    QVERIFY(CallOnMainConnection(bagc, [](TServerMethods1Client &c) {
      QVERIFY(!c.BuyukGetir(""));
      auto account = c.BuyukGetir("BILINEN");
      QVERIFY(account);
      QCOMPARE(account->MusteriTipi(), 1);
    }));
  }

  void callErrorsReachTheCallerAndTheSessionGoesOn()
  {
    QVERIFY(BaglantiKur(bagc, 1));
    TServerMethods1Client client(bagc);
    try {
      client.CariDurumVer(-1);
      QFAIL("no error raised");
    } catch (const RemoteError &e) {
      QCOMPARE(e.code(), QStringLiteral("server"));
      QCOMPARE(e.message(), QStringLiteral("Cari bulunamadı"));
    }
    QCOMPARE(client.CariDurumVer(1), QStringLiteral("metin"));

    auto codeOf = [&](const QString &command, const QCborArray &params) {
      try {
        bagc.call(command, params);
      } catch (const RemoteError &e) {
        return e.code();
      }
      return QString();
    };
    QCOMPARE(codeOf("TServerMethods1.Yok", {}), QStringLiteral("method"));
    QCOMPARE(codeOf("Baska.EchoString", {"x"}), QStringLiteral("method"));
    QCOMPARE(codeOf("TServerMethods1.EchoString", {}), QStringLiteral("params"));
    QCOMPARE(codeOf("TServerMethods1.EchoString", {1}), QStringLiteral("params"));
    QCOMPARE(codeOf("TServerMethods1.CariDurumVer", {1.5}), QStringLiteral("params"));
    QCOMPARE(codeOf("TServerMethods1.SepetSayisi", {"{}"}), QStringLiteral("params"));
    QVERIFY(bagc.isOpen());
    QCOMPARE(client.EchoString("hala açık"), QStringLiteral("hala açık"));
    bagc.close();
  }

  void patternBTurnsEveryFailureIntoFalse()
  {
    QVERIFY(CallOnClone(bagc, [](TServerMethods1Client &c) { QCOMPARE(c.KayanYaziGetir(), "metin"); }));
    QVERIFY(!CallOnClone(bagc, [](TServerMethods1Client &c) { c.CariDurumVer(-1); }));
    SetBaglantiKurPause([](int) {});
    ServerConnection down;
    down.setParam("Port", QString::number(freePort()));
    bool ran = false;
    QVERIFY(!CallOnClone(down, [&](TServerMethods1Client &) { ran = true; }));
    QVERIFY(!ran);
    QCOMPARE(messages, 0);
  }

  // Every method of the client class, with parameters the server checks
  // against the catalogue: count, order and kind.
  void everyMethodMatchesTheCatalogue()
  {
    QVERIFY(BaglantiKur(bagc, 1));
    TServerMethods1Client c(bagc);
    auto rec = [] { return std::make_unique<TSonucBilgisi>(); };
    qint64 size = 0;
    QVERIFY(c.AcilisEkranlarVer2());
    QCOMPARE(c.AcilisReklamAdet(), 3);
    QVERIFY(c.AcilisREklamVer(1));
    QCOMPARE(c.BakiyeDegistir(rec(), 1, 2, 3, 1.0, 2.0, "B"), 3);
    QCOMPARE(c.BakiyeDuzenle(rec(), 1, 2, 3, 1.0, 2.0, "B"), 3);
    QCOMPARE(c.BakiyeFiyatDegistir(rec(), 1, 2, 3, 1.0, 2.0, "B", 9.5, 10.0), 3);
    QVERIFY(c.BakiyelerVer2(1));
    QVERIFY(c.BalonGetir(rec()));
    for (auto banner : {&TServerMethods1Client::BannerResimVer, &TServerMethods1Client::BannerResimVer2,
                        &TServerMethods1Client::BannerResimVer3}) {
      size = 0;
      auto stream = (c.*banner)(size);
      QCOMPARE(size, 4);
      QCOMPARE(stream->Size(), 4);
    }
    QVERIFY(c.BuyukGetir("X"));
    QVERIFY(c.CariAra(rec(), "oto"));
    QCOMPARE(c.CariDurumVer(1), QStringLiteral("metin"));
    QVERIFY(c.CariEkstreVer(1));
    QVERIFY(c.CariSepetVer(rec(), 7));
    QCOMPARE(c.CariVadeGunGecmismiBul(1), QStringLiteral("metin"));
    QVERIFY(c.FaturaAltGetir(1));
    QVERIFY(c.FaturaGetir(1, 2));
    QCOMPARE(c.KampanyaliVer2(1, 4).rows.size(), 2);
    QVERIFY(c.KargolarVer(0));
    QVERIFY(c.KargoVer());
    QCOMPARE(c.KayanYaziGetir(), QStringLiteral("metin"));
    QCOMPARE(c.MailGonserCari("id", "b", "f", "a1", "a2", "i", "s", "t", "fx", "vd", "vn", "y", "k", "s", "m",
                              "ka"),
             3);
    QCOMPARE(c.MailGonserCariNormal("id", "b", "f", "a1", "a2", "i", "s", "t", "fx", "vd", "vn", "y", "k",
                                    "s", "m", "ka", "konu"),
             3);
    QVERIFY(c.MobilCariBilgisiGetir(1, "id"));
    QVERIFY(c.OncekiSiparisler(1));
    QVERIFY(c.RaporAlinanSiparisler(rec(), 46000.0, 46100.0));
    QVERIFY(c.RaporEnCokSatilanStoklar(rec(), 46000.0, 46100.0));
    size = 0;
    QVERIFY(c.RaporGetir(6, 1, 2, 3, "SATICI", 46000.0, 46100.0, size));
    QCOMPARE(size, 4);
    QVERIFY(c.ResimVer5(1, size));
    QVERIFY(c.SAnalPosPdfVer(1, size));
    QCOMPARE(c.SanalposSiranoVer(1), 3);
    QCOMPARE(c.SepetEkle2(rec(), 1, 2, "B", "ADI", 1.0, 18.0, 10.0, 5.0, 7, 0, 0.0, 0.0, 0.0), 3);
    QCOMPARE(c.SepetGuncelle2(rec(), 1, 2, "B", "ADI", 1.0, 18.0, 10.0, 5.0, 7, 11, 0.0, 0.0, 0.0), 3);
    QCOMPARE(c.SepetHepsiniSil(rec()), 3);
    QCOMPARE(c.SepetSatirSil(rec(), 4, "not"), 3);
    QCOMPARE(c.SepetSayisi(rec()), 3);
    c.SepetSecimGuncelle(4, 1);
    QCOMPARE(c.SepetVer2(1).columns.size(), 2);
    QVERIFY(c.SiparisAyrintisi2(1, 2));
    QVERIFY(c.SiparisAytintisiDip(0, 2));
    QVERIFY(c.SiparisKaydet(rec(), 1, 2, 3, "mesaj", 7, 4));
    QCOMPARE(c.StokAraGetirTarvesa("BALATA", rec()).rows.size(), 2);
    QVERIFY(c.Tahsilat(1));
    QVERIFY(c.TeslimVer());
    QVERIFY(c.TumSiparislerVer(1, 2));
    QVERIFY(c.TusSonuclariVer(rec()));
    QCOMPARE(c.YenilerVer2(1).rows.size(), 2);
    QCOMPARE(c.PreparedCommandCount(), 49);
    bagc.close();

    for (const wire::MethodSignature &m : wire::methodCatalogue())
      if (m.name != "EchoString" && m.name != "ReverseString")
        QVERIFY2(!fake.paramsOf(m.name).isEmpty() || m.inputs().isEmpty(), qPrintable(m.name));
    // Positional order: SepetGuncelle2's line number is its eleventh input.
    QCOMPARE(fake.paramsOf("SepetGuncelle2").at(10).toInteger(), 11);
    QCOMPARE(fake.paramsOf("SiparisKaydet").at(4).toString(), QStringLiteral("mesaj"));
  }
};

QTEST_GUILESS_MAIN(TestRemote)
#include "tst_remote.moc"

// The self-update against a local HTTP server: the download is saved and
// started with "/silent"; an error status, an empty answer or no server is
// reported and nothing is started; the program ends in every case.

#include "app/kabuk.h"
#include "app/sonlandir.h"
#include "ui/common/mesajgoster.h"
#include "ui/update/dosyaindir.h"

#include <QHttpServer>
#include <QHttpServerResponse>
#include <QLabel>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

class TestDosyaIndir : public QObject {
  Q_OBJECT

  QTemporaryDir home;
  QHttpServer http;
  quint16 port = 0;
  QByteArray setup;
  int status = 200;

  struct Outcome {
    int terminated = -1;
    QStringList errors;
    QString started;
    QStringList arguments;
  };

  Outcome run()
  {
    Outcome o;
    SetSonlandirHook([&](int code) { o.terminated = code; });
    SetMesajGosterHook([&](const MessageRequest &r) {
      o.errors.append(r.text);
      return int(mrOk);
    });
    SetProgramBaslatHook([&](const QString &program, const QStringList &args) {
      o.started = program;
      o.arguments = args;
      return true;
    });
    Tdosyaindir dialog(nullptr, 6);
    dialog.show();
    QTest::qWaitFor([&] { return o.terminated >= 0; }, 15000);
    SetSonlandirHook(nullptr);
    SetMesajGosterHook(nullptr);
    SetProgramBaslatHook(nullptr);
    return o;
  }

private slots:
  void initTestCase()
  {
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    setup = QByteArray(300 * 1024, 'x');
    setup.prepend("#!/bin/sh\n");
    http.route("/exe/TarvesaSetup.exe", [this] {
      if (status != 200)
        return QHttpServerResponse(QByteArray("yok"), QHttpServerResponse::StatusCode(status));
      return QHttpServerResponse("application/octet-stream", setup);
    });
    port = http.listen(QHostAddress::LocalHost, 0);
    QVERIFY(port);
    qputenv("TARVESA_UPDATE", QByteArray("http://127.0.0.1:") + QByteArray::number(port));
  }

  void theNoticeNamesBothVersions()
  {
    Tdosyaindir dialog(nullptr, 6);
    QVERIFY(dialog.sLabel1->text().endsWith("Version: 6-5"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dosya İndir"));
    QCOMPARE(dialog.bilgi->text(), QStringLiteral("bilgi"));
  }

  void progressText()
  {
    const qint64 total = qint64(27.3 * 1024 * 1024);
    QCOMPARE(IlerlemeYazisi(total / 2, total, QLocale(QLocale::Turkish, QLocale::Turkey)),
             QStringLiteral("Bilgi: %50,00  İndirilen: 13,65/27,30 Mb"));
    QCOMPARE(IlerlemeYazisi(1024 * 1024, 4 * 1024 * 1024, QLocale::c()),
             QStringLiteral("Bilgi: %25.00  İndirilen: 1.00/4.00 Mb"));
  }

  void aDownloadIsSavedStartedSilentlyAndTheProgramEnds()
  {
    status = 200;
    QFile old(KurulumYolu());
    QDir().mkpath(QFileInfo(old).path());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const Outcome o = run();
    QCOMPARE(o.terminated, 0);
    QVERIFY(o.errors.isEmpty());
    QCOMPARE(o.started, KurulumYolu());
    QCOMPARE(o.arguments, QStringList{"/silent"});
    QFile saved(KurulumYolu());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), setup);
  }

  void failuresAreReportedAndNothingStarts_data()
  {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("serverUp");
    QTest::newRow("error status") << 404 << true;
    QTest::newRow("server error") << 500 << true;
    QTest::newRow("no server") << 200 << false;
  }
  void failuresAreReportedAndNothingStarts()
  {
    QFETCH(int, answer);
    QFETCH(bool, serverUp);
    status = answer;
    if (!serverUp) {
      QTcpServer probe;
      probe.listen(QHostAddress::LocalHost, 0);
      const quint16 closed = probe.serverPort();
      probe.close();
      qputenv("TARVESA_UPDATE", QByteArray("http://127.0.0.1:") + QByteArray::number(closed));
    }
    const Outcome o = run();
    qputenv("TARVESA_UPDATE", QByteArray("http://127.0.0.1:") + QByteArray::number(port));
    QCOMPARE(o.terminated, 0);
    QVERIFY(o.started.isEmpty());
    QCOMPARE(o.errors.size(), 1);
    QVERIFY(o.errors.first().startsWith("Hata Oluştu !\r\nHata: "));
  }
};

QTEST_MAIN(TestDosyaIndir)
#include "tst_dosyaindir.moc"

// The listener against bad peers: every malformed stream gets a protocol
// error (when an answer is possible) and the next connection is served.

#include <appserver.h>
#include <methodregistry.h>
#include <notifier.h>

#include <wire/frame.h>

#include <QCborArray>
#include <QCborValue>
#include <QProcess>
#include <QTcpSocket>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray header(quint32 length)
{
  QByteArray h(4, Qt::Uninitialized);
  qToBigEndian(length, h.data());
  return h;
}

QCborMap hello(int version = 1, const QString &role = QStringLiteral("methods"))
{
  QCborMap m;
  m.insert(QStringLiteral("hello"), QStringLiteral("tarvesa-b2b"));
  m.insert(QStringLiteral("version"), version);
  m.insert(QStringLiteral("role"), role);
  m.insert(QStringLiteral("computer"), QStringLiteral("TEST"));
  return m;
}

QCborMap echoCall(qint64 id, const QString &text)
{
  QCborMap m;
  m.insert(QStringLiteral("id"), id);
  m.insert(QStringLiteral("type"), QStringLiteral("DataSnap.ServerMethod"));
  m.insert(QStringLiteral("call"), QStringLiteral("TServerMethods1.EchoString"));
  m.insert(QStringLiteral("params"), QCborArray{text});
  return m;
}

// A raw peer speaking frames by hand.
struct Peer {
  QTcpSocket socket;
  wire::FramedChannel channel{&socket};

  bool connect(quint16 port)
  {
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(3000);
  }
  std::optional<QCborMap> ask(const QCborMap &message)
  {
    channel.send(message, 3000);
    return channel.receive(3000);
  }
  bool closedByServer()
  {
    if (socket.state() == QAbstractSocket::UnconnectedState)
      return true;
    return socket.waitForDisconnected(3000) || socket.state() == QAbstractSocket::UnconnectedState;
  }
};

} // namespace

class TestServer : public QObject {
  Q_OBJECT

  backend::MethodRegistry registry;
  std::unique_ptr<backend::ServerThread> server;
  QStringList logLines;
  QMutex logMutex;

  bool echoWorks()
  {
    Peer peer;
    if (!peer.connect(server->port()))
      return false;
    const auto welcome = peer.ask(hello());
    if (!welcome || welcome->value(QStringLiteral("hello")).toString() != QLatin1String("tarvesa-b2b"))
      return false;
    const auto answer = peer.ask(echoCall(1, QStringLiteral("tamam")));
    return answer && answer->value(QStringLiteral("out")).toArray() == QCborArray{QStringLiteral("tamam")};
  }

private slots:
  void initTestCase()
  {
    backend::addBasicMethods(registry);
    backend::ServerOptions options{QHostAddress::LocalHost, 0};
    options.helloTimeoutMs = 1500;
    options.log = [this](const QString &line) {
      QMutexLocker lock(&logMutex);
      logLines.append(line);
    };
    server = std::make_unique<backend::ServerThread>(registry, options);
    QVERIFY(server->start());
  }
  void cleanupTestCase() { server->stop(); }

  void malformedFramesGetAProtocolError_data()
  {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("afterHello");
    const QByteArray garbage("\x13\x37garbage!");
    QTest::newRow("garbage payload") << header(garbage.size()) + garbage << false;
    QTest::newRow("zero length") << header(0) << false;
    QTest::newRow("oversized") << header(wire::kMaxFrameSize + 1) << false;
    QTest::newRow("array, not a map") << header(3) + QByteArray("\x82\x01\x02", 3) << false;
    QTest::newRow("call before hello") << wire::encodeFrame(echoCall(1, "x")) << false;
    QCborMap noParams = echoCall(2, "x");
    noParams.remove(QStringLiteral("params"));
    QTest::newRow("call without params") << wire::encodeFrame(noParams) << true;
    QTest::newRow("garbage after hello") << header(garbage.size()) + garbage << true;
  }
  void malformedFramesGetAProtocolError()
  {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, afterHello);
    Peer peer;
    QVERIFY(peer.connect(server->port()));
    if (afterHello)
      QVERIFY(peer.ask(hello()));
    peer.socket.write(bytes);
    const auto answer = peer.channel.receive(3000);
    QVERIFY2(answer, qPrintable(peer.channel.error()));
    QCOMPARE(answer->value(QStringLiteral("code")).toString(), QStringLiteral("protocol"));
    QVERIFY(!answer->value(QStringLiteral("error")).toString().isEmpty());
    QVERIFY(peer.closedByServer());
    QVERIFY(echoWorks());
  }

  void aTruncatedFrameIsDroppedWithoutHarm()
  {
    {
      Peer peer;
      QVERIFY(peer.connect(server->port()));
      QVERIFY(peer.ask(hello()));
      // Announce 1000 bytes, send 10, hang up.
      peer.socket.write(header(1000) + QByteArray(10, 'x'));
      peer.socket.waitForBytesWritten(1000);
    }
    QVERIFY(echoWorks());
  }

  void aSilentPeerIsClosedAfterTheHelloTimeOut()
  {
    Peer peer;
    QVERIFY(peer.connect(server->port()));
    QVERIFY(peer.closedByServer());
    QVERIFY(echoWorks());
  }

  void anotherVersionIsRefused()
  {
    Peer peer;
    QVERIFY(peer.connect(server->port()));
    const auto answer = peer.ask(hello(2));
    QVERIFY(answer);
    QCOMPARE(answer->value(QStringLiteral("code")).toString(), QStringLiteral("version"));
    QVERIFY(peer.closedByServer());
  }

  void callsOnOneSessionAreAnsweredInOrder()
  {
    Peer peer;
    QVERIFY(peer.connect(server->port()));
    QVERIFY(peer.ask(hello()));
    // Three calls written at once; answers come back one by one, in order.
    for (int i = 1; i <= 3; ++i)
      peer.socket.write(wire::encodeFrame(echoCall(i, QString::number(i))));
    for (int i = 1; i <= 3; ++i) {
      const auto answer = peer.channel.receive(3000);
      QVERIFY(answer);
      QCOMPARE(answer->value(QStringLiteral("id")).toInteger(), i);
      QCOMPARE(answer->value(QStringLiteral("out")).toArray(), QCborArray{QString::number(i)});
    }
  }

  void aChannelGetsNotificationsAndIsDroppedWhenItStopsAnswering()
  {
    backend::Notifier notifier;
    backend::ServerOptions options{QHostAddress::LocalHost, 0};
    options.notifier = &notifier;
    options.channelPingMs = 400;
    options.channelDropMs = 400;
    options.log = [](const QString &) {};
    backend::ServerThread channelServer(registry, options);
    QVERIFY(channelServer.start());

    Peer peer;
    QVERIFY(peer.connect(channelServer.port()));
    QVERIFY(peer.ask(hello(1, QStringLiteral("channel"))));
    QCborMap registration;
    registration.insert(QStringLiteral("register"), QStringLiteral("Kelmora"));
    registration.insert(QStringLiteral("channel"), QStringLiteral("Kelmora"));
    registration.insert(QStringLiteral("manager"), QStringLiteral("KelmoraId"));
    const auto registered = peer.ask(registration);
    QVERIFY(registered);
    QCOMPARE(registered->value(QStringLiteral("registered")).toString(), QStringLiteral("Kelmora"));
    QTRY_COMPARE(notifier.channelCount(), 1);

    notifier.notifyAll(QCborValue(QStringLiteral("refresh")));
    notifier.notifyAll(QCborValue(QStringLiteral("refresh")));
    for (int seq = 1; seq <= 2; ++seq) {
      const auto notify = peer.channel.receive(3000);
      QVERIFY(notify);
      QCOMPARE(notify->value(QStringLiteral("seq")).toInteger(), seq);
      QVERIFY(notify->value(QStringLiteral("notify")).isTag());
      QCborMap ack;
      ack.insert(QStringLiteral("ack"), seq);
      ack.insert(QStringLiteral("result"), QCborValue(QCborTag(262), QStringLiteral("true")));
      peer.channel.send(ack, 1000);
    }
    QCborMap ping;
    ping.insert(QStringLiteral("ping"), 7);
    const auto pong = peer.ask(ping);
    QVERIFY(pong);
    QCOMPARE(pong->value(QStringLiteral("pong")).toInteger(), 7);

    // Quiet now: the server pings, gets no pong, and drops the channel.
    const auto serverPing = peer.channel.receive(3000);
    QVERIFY(serverPing);
    QVERIFY(serverPing->contains(QStringLiteral("ping")));
    QVERIFY(peer.closedByServer());
    QTRY_COMPARE(notifier.channelCount(), 0);
    channelServer.stop();
  }

  void theProgramServesAndStopsOnSigterm()
  {
    const QString program = qEnvironmentVariable("TARVESA_SERVER_BIN");
    if (program.isEmpty())
      QSKIP("TARVESA_SERVER_BIN is not set");
    QTemporaryDir data;
    QProcess process;
    process.start(program, {"--data-dir", data.path(), "--port", "0", "--http-port", "0"});
    QVERIFY(process.waitForStarted());
    QByteArray output;
    QRegularExpression portLine("serving methods on port (\\d+)");
    QRegularExpressionMatch match;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += process.readAllStandardError(), match = portLine.match(output), match.hasMatch()), 10000);
    Peer peer;
    QVERIFY(peer.connect(quint16(match.captured(1).toUInt())));
    QVERIFY(peer.ask(hello()));
    QCOMPARE(peer.ask(echoCall(1, "süreç"))->value(QStringLiteral("out")).toArray(), QCborArray{"süreç"});
    process.terminate(); // SIGTERM
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
  }
};

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"

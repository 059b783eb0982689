#include <wire/frame.h>

#include <QCborArray>
#include <QCborValue>
#include <QtEndian>
#include <QtTest>

using wire::FrameReader;

class TestFrames : public QObject {
  Q_OBJECT

private:
  static QByteArray header(quint32 length)
  {
    QByteArray h(4, Qt::Uninitialized);
    qToBigEndian(length, h.data());
    return h;
  }

private slots:
  void splitsAStreamFedByteByByte()
  {
    QCborMap a;
    a.insert(QStringLiteral("id"), 1);
    a.insert(QStringLiteral("call"), QStringLiteral("TServerMethods1.EchoString"));
    QCborMap b;
    b.insert(QStringLiteral("text"), QStringLiteral("çğıöşü İ"));
    const QByteArray stream = wire::encodeFrame(a) + wire::encodeFrame(b);

    FrameReader reader;
    QList<QCborMap> got;
    for (char byte : stream) {
      reader.feed(&byte, 1);
      QByteArray payload;
      while (reader.next(&payload) == FrameReader::Result::Frame) {
        QString error;
        auto message = wire::decodeMessage(payload, &error);
        QVERIFY2(message, qPrintable(error));
        got.append(*message);
      }
    }
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0], a);
    QCOMPARE(got[1], b);
    QCOMPARE(reader.buffered(), 0);
  }

  void refusesBadLengths_data()
  {
    QTest::addColumn<quint32>("length");
    QTest::newRow("zero") << 0u;
    QTest::newRow("one over the limit") << wire::kMaxFrameSize + 1;
    QTest::newRow("4 GiB") << 0xFFFFFFFFu;
  }
  void refusesBadLengths()
  {
    QFETCH(quint32, length);
    FrameReader reader;
    reader.feed(header(length) + QByteArray(16, 'x'));
    QByteArray payload;
    QCOMPARE(reader.next(&payload), FrameReader::Result::Error);
    QVERIFY(!reader.error().isEmpty());
  }

  void waitsForALargeFrameWithoutReservingIt()
  {
    // A header announcing the largest allowed frame, followed by a few bytes:
    // the reader holds only what arrived and asks for the rest.
    FrameReader reader;
    reader.feed(header(wire::kMaxFrameSize) + QByteArray(100, 'x'));
    QByteArray payload;
    QCOMPARE(reader.next(&payload), FrameReader::Result::NeedMore);
    QCOMPARE(reader.buffered(), 104);
    QCOMPARE(reader.pendingBytes(), qsizetype(wire::kMaxFrameSize) - 100);
  }

  void decodeRefusesWhatIsNotOneMap_data()
  {
    QTest::addColumn<QByteArray>("payload");
    QCborMap ok;
    ok.insert(QStringLiteral("a"), 1);
    const QByteArray okBytes = ok.toCborValue().toCbor();
    QCborMap intKey;
    intKey.insert(7, 1);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\xff\xfe\x00garbage", 10);
    QTest::newRow("array") << QCborValue(QCborArray{1, 2}).toCbor();
    QTest::newRow("text") << QCborValue(QStringLiteral("hello")).toCbor();
    QTest::newRow("truncated map") << okBytes.left(okBytes.size() - 1);
    QTest::newRow("trailing bytes") << okBytes + okBytes;
    QTest::newRow("integer key") << intKey.toCborValue().toCbor();
    // A map announcing a text of 2^32 bytes with none of them present.
    QTest::newRow("huge string length") << QByteArray("\xa1\x61"
                                                      "a"
                                                      "\x7a\xff\xff\xff\xff",
                                                      8);
  }
  void decodeRefusesWhatIsNotOneMap()
  {
    QFETCH(QByteArray, payload);
    QString error;
    QVERIFY(!wire::decodeMessage(payload, &error));
    QVERIFY(!error.isEmpty());
  }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "tst_frames.moc"

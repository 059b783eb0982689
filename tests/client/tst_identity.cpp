#include "app/identity.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Puts an environment variable back as it was.
struct EnvironmentGuard {
  explicit EnvironmentGuard(const char *name)
      : name(name), wasSet(qEnvironmentVariableIsSet(name)), value(qgetenv(name))
  {
  }
  ~EnvironmentGuard() { wasSet ? qputenv(name, value) : qunsetenv(name); }
  const char *name;
  bool wasSet;
  QByteArray value;
};
} // namespace

class TestIdentity : public QObject {
  Q_OBJECT

  const QHash<QString, QString> aliases{{"WD-WCC4N0XJ1A2B", "100000000001"},
                                        {"S3Z9NB0K123456X", "100000000001"}};

  static void write(const QString &path, const QByteArray &text)
  {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
  }

private slots:
  void computerId_data()
  {
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("id");
    QTest::newRow("blanks at the ends and inside") << "  WD-WCC 4N0 XJ9  "
                                                   << ""
                                                   << "WD-WCC4N0XJ9";
    QTest::newRow("no disk serial: adapter address") << ""
                                                     << "00-1A-2B-3C-4D-5E"
                                                     << "00-1A-2B-3C-4D-5E";
    QTest::newRow("only blanks: adapter address") << "   "
                                                  << " 00-1A-2B-3C-4D-5E "
                                                  << "00-1A-2B-3C-4D-5E";
    QTest::newRow("first alias") << "WD-WCC4N0XJ1A2B"
                                 << ""
                                 << "100000000001";
    QTest::newRow("second alias, with blanks") << " S3Z9NB0K 123456X"
                                               << ""
                                               << "100000000001";
    QTest::newRow("not an alias") << "WD-WCC4N0XJ1A2C"
                                  << ""
                                  << "WD-WCC4N0XJ1A2C";
    QTest::newRow("nothing answers") << ""
                                     << ""
                                     << "";
  }
  void computerId()
  {
    QFETCH(QString, disk);
    QFETCH(QString, mac);
    QFETCH(QString, id);
    QCOMPARE(identity::computerId(disk, mac, aliases), id);
  }

  void aliasFile()
  {
    const auto parsed = identity::parseAliases("# site data\n\nWD-1 = 100000000001\r\nbroken line\n"
                                               "S3 Z9=100000000001\nNO-IDENTITY=\n=100000000002\n");
    QCOMPARE(parsed.size(), 2);
    QCOMPARE(parsed.value("WD-1"), QStringLiteral("100000000001"));
    QCOMPARE(parsed.value("S3Z9"), QStringLiteral("100000000001")); // compared as the identity is: no blanks

    QTemporaryDir dir;
    QCOMPARE(identity::loadAliases(dir.filePath("identity-aliases.txt")).size(), 0); // missing: no aliases
    write(dir.filePath("identity-aliases.txt"), "WD-1=100000000001\n");
    QCOMPARE(identity::loadAliases(dir.filePath("identity-aliases.txt")).value("WD-1"), "100000000001");
  }

  void namesOf16CharactersDoNotFit()
  {
    QCOMPARE(identity::fitName("MAGAZA-PC"), QStringLiteral("MAGAZA-PC"));
    QCOMPARE(identity::fitName("ABCDEFGHIJKLMNO"), QStringLiteral("ABCDEFGHIJKLMNO")); // 15
    QCOMPARE(identity::fitName("ABCDEFGHIJKLMNOP"), QString());                        // 16
  }

  void diskSerialFromSysfs()
  {
    QTemporaryDir root;
    const QString sys = root.path() + "/sys/block";
    const QString udev = root.path() + "/udev";
    // Devices that are not physical disks come first by name and are passed over.
    for (const char *device : {"dm-0", "loop0", "md0", "nbd0", "ram0", "sr0", "zram0"})
      write(sys + "/" + device + "/serial", "NOT-A-DISK\n");
    write(sys + "/sda/dev", "8:0\n");
    write(udev + "/b8:0",
          "S:disk/by-id/ata-X\nE:ID_SERIAL=WDC_X_wd-wcc4n0xj1a2b\nE:ID_SERIAL_SHORT=wd-wcc4n0xj1a2b\n");
    write(sys + "/sdb/device/serial", "SECOND\n");
    QCOMPARE(identity::diskSerial(sys, udev), "WD-WCC4N0XJ1A2B"); // udev, upper case

    write(sys + "/sda/serial", "  s3z9nb0k123456x  \n"); // sysfs before udev
    QCOMPARE(identity::diskSerial(sys, udev), "S3Z9NB0K123456X");

    write(sys + "/nvme0n1/device/serial", "NVME-1\n"); // sorts before sda
    QCOMPARE(identity::diskSerial(sys, udev), "NVME-1");

    QTemporaryDir bare;
    write(bare.path() + "/sda/size", "0\n"); // the first disk reports no serial
    write(bare.path() + "/sdb/serial", "SECOND\n");
    QCOMPARE(identity::diskSerial(bare.path(), udev), QString());
    QCOMPARE(identity::diskSerial(root.path() + "/none", udev), QString());
  }

  void anOverrideReplacesTheIdentity()
  {
    const EnvironmentGuard guard("TARVESA_COMPUTER_ID");
    qputenv("TARVESA_COMPUTER_ID", " DEMO-SATIS-2 ");
    QCOMPARE(BilgisayarIdAl(), QStringLiteral("DEMO-SATIS-2"));
    qunsetenv("TARVESA_COMPUTER_ID");
    QVERIFY(BilgisayarIdAl() != QLatin1String("DEMO-SATIS-2"));
  }

  void theSettingsFolderIsCreated()
  {
    QTemporaryDir home;
    const EnvironmentGuard homeGuard("HOME"), configGuard("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8() + "/config");
    const QString folder = AyarKlasoruAl();
    const QString again = AyarKlasoruAl(); // an existing folder is fine
    QCOMPARE(folder, home.path() + "/config/Tarvesa");
    QCOMPARE(again, folder);
    QVERIFY(QFileInfo(folder).isDir());
  }

  void localAddressIsDottedIPv4()
  {
    QVERIFY(QHostAddress(IcIpAl()).protocol() == QAbstractSocket::IPv4Protocol);
    const QString mac = MacAdresiAl();
    QVERIFY(mac.isEmpty() || QRegularExpression("^([0-9A-F]{2}-){5}[0-9A-F]{2}$").match(mac).hasMatch());
  }
};

QTEST_GUILESS_MAIN(TestIdentity)
#include "tst_identity.moc"

#include "app/identity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QStandardPaths>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

QString withoutBlanks(const QString &text)
{
  QString compact;
  compact.reserve(text.size());
  for (const QChar c : text)
    if (!c.isSpace())
      compact += c;
  return compact;
}

QString readLine(const QString &path)
{
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QString::fromUtf8(file.readLine(256)).trimmed();
}

} // namespace

namespace identity {

QString fitName(const QString &name)
{
  return name.size() >= 16 ? QString() : name;
}

QString computerId(const QString &diskSerial, const QString &macAddress,
                   const QHash<QString, QString> &aliases)
{
  QString id = diskSerial.trimmed();
  if (id.isEmpty())
    id = macAddress.trimmed();
  id = withoutBlanks(id);
  return aliases.value(id, id);
}

QHash<QString, QString> parseAliases(const QByteArray &text)
{
  QHash<QString, QString> aliases;
  for (const QByteArray &rawLine : text.split('\n')) {
    const QString line = QString::fromUtf8(rawLine).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
      continue;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
      continue;
    const QString serial = withoutBlanks(line.left(eq));
    const QString shared = line.mid(eq + 1).trimmed();
    if (!serial.isEmpty() && !shared.isEmpty())
      aliases.insert(serial, shared);
  }
  return aliases;
}

QHash<QString, QString> loadAliases(const QString &path)
{
  constexpr qint64 kMaxSize = 1 << 20; // a table of a few lines; more is not an alias file
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return parseAliases(file.read(kMaxSize));
}

QString diskSerial(const QString &sysBlock, const QString &udevData)
{
  static const QStringList skipped{"loop", "ram", "zram", "sr", "dm-", "md", "nbd", "fd"};
  QStringList devices =
      QDir(sysBlock).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
  for (const QString &device : devices) {
    if (std::any_of(skipped.begin(), skipped.end(), [&](const QString &p) { return device.startsWith(p); }))
      continue;
    const QString base = sysBlock + QLatin1Char('/') + device;
    QString serial = readLine(base + QStringLiteral("/device/serial"));
    if (serial.isEmpty())
      serial = readLine(base + QStringLiteral("/serial"));
    if (serial.isEmpty()) {
      // udev keeps what it read from the disk: E:ID_SERIAL_SHORT=...
      const QString dev = readLine(base + QStringLiteral("/dev")); // "major:minor"
      QFile data(udevData + QStringLiteral("/b") + dev);
      if (!dev.isEmpty() && data.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : data.readAll().split('\n'))
          if (line.startsWith("E:ID_SERIAL_SHORT="))
            serial = QString::fromUtf8(line.mid(18)).trimmed();
      }
    }
    return serial.toUpper(); // the first physical disk decides, even without a serial
  }
  return {};
}

} // namespace identity

QString BilgisayarAdiAl()
{
  return identity::fitName(QHostInfo::localHostName());
}

QString KullaniciAdiAl()
{
  QString name;
#ifdef Q_OS_UNIX
  if (const passwd *pw = getpwuid(geteuid()))
    name = QString::fromLocal8Bit(pw->pw_name);
#endif
  if (name.isEmpty())
    name = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
  return identity::fitName(name);
}

QString IcIpAl()
{
  const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
  for (const QHostAddress &address : info.addresses())
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
      return address.toString();
  return QStringLiteral("127.0.0.1");
}

QString MacAdresiAl()
{
  QString found;
  for (const QNetworkInterface &adapter : QNetworkInterface::allInterfaces()) {
    if (adapter.flags().testFlag(QNetworkInterface::IsLoopBack))
      continue;
    const QString address = adapter.hardwareAddress().toUpper().replace(QLatin1Char(':'), QLatin1Char('-'));
    if (address.size() != 17)
      continue;
    found = address;
    if (found != QLatin1String("00-00-00-00-00-00"))
      break;
  }
  return found;
}

QString DiskSeriAl()
{
  return identity::diskSerial(QStringLiteral("/sys/block"), QStringLiteral("/run/udev/data"));
}

QString BilgisayarIdAl()
{
  const QString forced = qEnvironmentVariable("TARVESA_COMPUTER_ID").trimmed();
  if (!forced.isEmpty())
    return forced;
  const QHash<QString, QString> aliases =
      identity::loadAliases(QCoreApplication::applicationDirPath() + QStringLiteral("/identity-aliases.txt"));
  const QString serial = DiskSeriAl();
  return identity::computerId(serial, serial.trimmed().isEmpty() ? MacAdresiAl() : QString(), aliases);
}

QString AyarKlasoruAl()
{
#ifdef Q_OS_WIN
  QString base = qEnvironmentVariable("APPDATA");
  if (base.isEmpty())
    base = QDir::homePath() + QStringLiteral("/AppData/Roaming");
#else
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
  const QString folder = QDir::cleanPath(base + QStringLiteral("/Tarvesa"));
  QDir().mkpath(folder);
  return QDir::toNativeSeparators(folder);
}

QString BelgelerKlasoruAl()
{
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString YerelVeriKlasoruAl()
{
#ifdef Q_OS_WIN
  const QString base = qEnvironmentVariable("LOCALAPPDATA");
  return base.isEmpty() ? QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/AppData/Local"))
                        : base;
#else
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

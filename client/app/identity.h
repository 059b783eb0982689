#pragma once
// Who and where: the computer's and user's names, the local address, the
// computer identity accounts are bound to, and the per-user folders.

#include <QHash>
#include <QString>

QString BilgisayarAdiAl(); // host name; empty when it has 16 or more characters
QString KullaniciAdiAl();  // the process's user name; empty when 16 or more characters
QString IcIpAl();          // local IPv4 address, "127.0.0.1" when none resolves
QString MacAdresiAl();     // first adapter's hardware address, "AA-BB-CC-DD-EE-FF"
QString DiskSeriAl();      // first physical disk's serial, upper case; empty when unknown
// The computer identity: TARVESA_COMPUTER_ID when set; otherwise the disk
// serial (or the hardware address), blanks removed, through the alias table.
QString BilgisayarIdAl();

QString AyarKlasoruAl();      // the settings folder (created when missing), no trailing separator
QString BelgelerKlasoruAl();  // the user's documents folder
QString YerelVeriKlasoruAl(); // the user's local (non-roaming) application data folder

// The pieces above, with their sources passed in, for tests.
namespace identity {
// A name that does not fit the platform's 16-character buffer gives empty.
QString fitName(const QString &name);
// Disk serial first, else the hardware address; trimmed, every blank removed,
// then mapped through the aliases.
QString computerId(const QString &diskSerial, const QString &macAddress,
                   const QHash<QString, QString> &aliases);
// "SERIAL=IDENTITY" lines; "#" comments and blank lines are skipped.
QHash<QString, QString> parseAliases(const QByteArray &text);
// The first physical disk's serial under a sysfs root and a udev data folder.
QString diskSerial(const QString &sysBlock, const QString &udevData);
} // namespace identity

#pragma once
// Who and where: the computer's and user's names, the local address, the
// computer identity accounts are bound to, and the per-user folders. Failures
// never raise: they give an empty text (the local address: "127.0.0.1").

#include <QString>
#include <QtCore/qcontainerfwd.h>

QString BilgisayarAdiAl(); // host name; empty when it has 16 or more characters
QString KullaniciAdiAl();  // the process's user name; empty when 16 or more characters
QString IcIpAl();          // the host name's first IPv4 address, "127.0.0.1" when none resolves
// The first non-loopback adapter's hardware address as "AA-BB-CC-DD-EE-FF";
// later adapters are asked only while the address is all zeros. Adapters
// without a six-byte address are passed over. Empty when there is none.
QString MacAdresiAl();
QString DiskSeriAl(); // the first physical disk's serial, upper case; empty when unknown
// The computer identity: TARVESA_COMPUTER_ID when set; otherwise the disk
// serial (or the hardware address), every blank removed, through the site's
// alias table (identity-aliases.txt beside the program, when present).
QString BilgisayarIdAl();

QString AyarKlasoruAl();      // the settings folder (created when missing), no trailing separator
QString BelgelerKlasoruAl();  // the user's documents folder
QString YerelVeriKlasoruAl(); // the user's local (non-roaming) application data folder

// The pieces above with their sources passed in.
namespace identity {
// A name that does not fit the platform's 16-character buffer gives empty.
QString fitName(const QString &name);
// Disk serial, else the hardware address; trimmed, every blank removed, then
// replaced by its alias when it has one.
QString computerId(const QString &diskSerial, const QString &macAddress,
                   const QHash<QString, QString> &aliases);
// "SERIAL=IDENTITY" lines; blank lines and "#" comments are skipped, blanks in
// the serial removed, and lines without a serial or an identity ignored.
QHash<QString, QString> parseAliases(const QByteArray &text);
// The alias file at `path`; none when it is missing or unreadable.
QHash<QString, QString> loadAliases(const QString &path);
// The first physical disk's serial, with sysfs's block folder (/sys/block)
// and udev's data folder (/run/udev/data) passed in.
QString diskSerial(const QString &sysBlock, const QString &udevData);
} // namespace identity

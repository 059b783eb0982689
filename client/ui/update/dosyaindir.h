#pragma once
// The self-update: downloads the current setup program, starts it silently
// and ends this program. There is no way to go on with the old version.

#include <QDialog>

class QLabel;
class QLocale;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class ServerConnection;

inline const QString kKurulumDosyasi = QStringLiteral("TarvesaSetup.exe");

// "Bilgi: %50,00  İndirilen: 13,65/27,30 Mb"
QString IlerlemeYazisi(qint64 received, qint64 total, const QLocale &locale);
// The notice for a server that expects version `serverVersion`.
QString GuncellemeNotu(int serverVersion);
// The download address on the update server.
QString KurulumAdresi();
// Where the setup program is saved.
QString KurulumYolu();

class Tdosyaindir : public QDialog {
  Q_OBJECT
public:
  // Yeni: `_y` is the version the server expects.
  Tdosyaindir(QWidget *owner, int _y);

  ServerConnection *bag = nullptr; // handed in by the login; the update does not use it
  QLabel *sLabel1 = nullptr;
  QLabel *bilgi = nullptr;
  QProgressBar *ProgressBar1 = nullptr;
  bool basladi = false;

protected:
  void showEvent(QShowEvent *event) override;
  bool event(QEvent *event) override;

private:
  void FormActivate();
  void ReceiveData(qint64 received, qint64 total);
  void Finished(QNetworkReply *reply);
  void RequestError(const QString &error);

  QNetworkAccessManager *network_;
};

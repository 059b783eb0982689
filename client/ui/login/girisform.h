#pragma once
// The login dialog: user name and password, "Beni hatırla", the account of
// this computer fetched from the server, and the checks that decide whether
// the program may go on.

#include <QDialog>

#include <functional>

class BusyIndicator;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ServerConnection;
class TSonucBilgisi;

// What the checks after the account fetch decide.
enum class GirisSonucu {
  BaglantiYok, // no account could be fetched
  IstekFormu,  // the computer is unknown: request form, then the end
  Hatali,      // user name or password differ
  Pasif,       // the account is not active (the settings were written)
  CariSecimi,  // sales staff: the dealer selection comes next
  Tamam
};
struct GirisKarari {
  bool guncelleme = false; // the server expects another client version
  bool ayarYaz = false;    // the settings file is written
  GirisSonucu sonuc = GirisSonucu::BaglantiYok;
};
inline constexpr int kBuSurum = 5;
// The checks in their order, on the fetched account and the typed values.
GirisKarari GirisKontrolEt(bool hesapAlindi, const TSonucBilgisi &hesap, const QString &adi,
                           const QString &sifre);

class Tgirisform : public QDialog {
  Q_OBJECT
public:
  Tgirisform(QWidget *owner, ServerConnection &bagim, TSonucBilgisi &bilgim);

  // Steps of the login that open other windows; later windows replace the
  // defaults, tests replace them with their own.
  static std::function<void(QWidget *owner, int version, ServerConnection &bagim)> GuncellemeAcHook;
  static std::function<void(QWidget *owner, const QString &address)> IstekFormuAcHook;
  static std::function<bool(QWidget *owner, ServerConnection &bagim, TSonucBilgisi &bilgim)> CariSecHook;

  QLineEdit *adi = nullptr;
  QLineEdit *sifre = nullptr;
  QCheckBox *benihatirla = nullptr;
  QPushButton *Button1 = nullptr;
  QPushButton *Button2 = nullptr;
  BusyIndicator *busy = nullptr;

  void Button1Click();
  void Button2Click();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  void FormCreate();
  void AyarOku();
  void AyarYaz();
  void Devamet(const QString &address);
  void Bitir(bool hesapAlindi);
  bool HesapGetir();
  bool CariSec(); // false when the program ended
  void GuncellemeAc();
  void IstekFormuAc();
  void focusUserName();
  static QString DisAdresAl();

  ServerConnection &bagim;
  TSonucBilgisi &Bilgim;
  QString idsi;
};

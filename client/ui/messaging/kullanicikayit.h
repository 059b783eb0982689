#pragma once
// The request form to the wholesaler: a password change request with the
// dealer's company and user details prefilled from the server, or a
// new-user request with empty boxes.

#include <wire/baglantiu.h>

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class ServerConnection;

// One box of the form: its name, label, and the warning when a required box
// is left empty (empty for optional boxes).
struct IstekAlani {
  const char *ad;
  const char *etiket;
  const char *bosMesaji;
};
// The boxes in screen order, which is also the order they are checked in.
const QList<IstekAlani> &IstekAlanlari();

class Tkullanicikayit : public QDialog {
  Q_OBJECT
public:
  enum Durum { tyeni, teski };

  // Password change request: prefilled from the login record and the
  // dealer card of this computer.
  static std::unique_ptr<Tkullanicikayit> Ac(QWidget *AOwner, const ServerConnection &_c,
                                             const TSonucBilgisi &_b);
  // New-user request: every box empty.
  static std::unique_ptr<Tkullanicikayit> Yeni(QWidget *AOwner, const ServerConnection &_c,
                                               const TSonucBilgisi &_b);
  ~Tkullanicikayit() override;

  Durum durum = tyeni;
  QString _idsi;
  std::unique_ptr<ServerConnection> con;
  TSonucBilgisi Bilgim;
  QLabel *lblid = nullptr;
  QPushButton *Button2 = nullptr; // "Gönder"
  QPushButton *Button1 = nullptr; // "Kapat"
  // The box named as in IstekAlanlari() (firmaadi, adres1, ...).
  QLineEdit *kutu(const char *ad) const;

  void KartiYukle();
  void Button2Click();

private:
  Tkullanicikayit(QWidget *AOwner, const ServerConnection &_c, const TSonucBilgisi &_b);
  QList<QLineEdit *> kutular_;
};

#pragma once
// "Mail Gönder": a mail with a subject and a text to the wholesaler. The
// server sends it; the form adds the dealer's card so the reader knows who
// writes. Sends run in the background, one at a time; the form stays open
// with its text so the user may send again.

#include <wire/baglantiu.h>

#include <QDialog>

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class ServerConnection;

// Lines as one comma-separated text: a line holding a blank, a control
// character, a comma or a double quote is enclosed in double quotes, inner
// quotes doubled ("Merhaba dünya",Teşekkürler).
QString VirgulluMetin(const QStringList &satirlar);

class Tmailform : public QDialog {
  Q_OBJECT
public:
  // The form works on its own clone of `_c` and its own copy of `_b`.
  Tmailform(QWidget *AOwner, const ServerConnection &_c, const TSonucBilgisi &_b);
  ~Tmailform() override;

  std::unique_ptr<ServerConnection> con;
  TSonucBilgisi Bilgim;
  QLineEdit *baslik = nullptr;    // "Konu:"
  QPlainTextEdit *konu = nullptr; // "Mail:"
  QPushButton *Button2 = nullptr; // "Gönder"
  QPushButton *Button1 = nullptr; // "Kapat"

  void Button2Click();
  void Button1Click();
  bool Gonderiliyor() const; // a send is running

  void reject() override; // closing waits for a running send

private:
  QString idsi_;
};

#pragma once
// The opening advertisements: one at a time with previous and next, a
// counter "i / n"; a click on the picture of an advertisement with a search
// text closes the dialog with OK so the caller can follow that text.

#include <wire/baglantiu.h>

#include <QDialog>

#include <functional>
#include <memory>

class BusyIndicator;
class QLabel;
class QPushButton;
class ServerConnection;

class Tacilisreklam : public QDialog {
  Q_OBJECT
public:
  // Works on its own clone of `_c` and its own copy of `_b`.
  Tacilisreklam(QWidget *AOwner, const ServerConnection &_c, const TSonucBilgisi &_b);
  ~Tacilisreklam() override;

  // Test seam: when set, called instead of exec().
  static std::function<int(Tacilisreklam &)> ExecHook;
  int calistir();

  int adet = 0;
  int sirasi = 1;
  QString arama;
  std::shared_ptr<ServerConnection> con; // shared with a load still running
  TSonucBilgisi Bilgim;

  QLabel *Label1 = nullptr;       // title
  QLabel *cxImage1 = nullptr;     // picture
  QPushButton *Button1 = nullptr; // previous
  QPushButton *Button2 = nullptr; // next
  BusyIndicator *gifstokara = nullptr;
  QLabel *Label2 = nullptr;          // "i / n"
  QPushButton *Button1xxx = nullptr; // "Kapat"

  void REsimGoster(int i);
  void Button1Click();
  void Button2Click();
  bool Yukleniyor() const; // a load is running

protected:
  void showEvent(QShowEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void sayaciYaz();
  void resmiOlcekle();
  QPixmap resim_;
  bool ilkYukleme_ = true;
};

#pragma once
// "Bakiye Değiştir": shows a balance line and asks for its new open
// quantity (whole number, 1 to 1000).

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QSpinBox;
struct BakiyeSatiri;

class Tbakiyedegistir : public QDialog {
  Q_OBJECT
public:
  explicit Tbakiyedegistir(QWidget *owner);

  // Test seam: when set, calistir calls it instead of exec().
  static std::function<int(Tbakiyedegistir &)> ExecHook;
  int calistir();

  // Fills the labels from the line; the stock on hand only when
  // `eldekiGoster`.
  void SatiriYaz(const BakiyeSatiri &satir, bool eldekiGoster);

  QLabel *barkod = nullptr;
  QLabel *adi = nullptr;
  QLabel *finishkod = nullptr;
  QLabel *marka = nullptr;
  QLabel *model = nullptr;
  QLabel *alinansiparis = nullptr;
  QLabel *teslimedilen = nullptr;
  QLabel *elimizde = nullptr;
  QLabel *eskibakiye = nullptr;
  QSpinBox *adet = nullptr;       // "Yeni bakiye:"
  QPushButton *Button1 = nullptr; // "Değiştir"
  QPushButton *Button2 = nullptr; // "Vazgeç"

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
};

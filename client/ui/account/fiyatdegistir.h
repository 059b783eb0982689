#pragma once
// "Fiyat Değiştir": the new unit price and discount rate of a balance line,
// with the net and VAT-inclusive price they give.

#include <QDialog>

#include <functional>

class ParaEdit;
class QLabel;
class QPushButton;

class Tfiyatdegistir : public QDialog {
  Q_OBJECT
public:
  explicit Tfiyatdegistir(QWidget *owner);

  // Test seam: when set, calistir calls it instead of exec().
  static std::function<int(Tfiyatdegistir &)> ExecHook;
  int calistir();

  // The start values and the line's VAT rate (%); shows the preview.
  void Ac(double fiyat, double indirimOrani, double kdvOrani);
  // Recomputes "Net Fiyat:" and "KDV Dahil Fiyat:" from the two boxes
  // (an unreadable box counts as 0).
  void Hesapla();
  // "Değiştir": closes with OK when price and discount are valid, otherwise
  // warns and stays open.
  void Button1Click();

  double kdvOrani = 0;
  double yeniFiyat = 0;        // valid after OK
  double yeniIndirimOrani = 0; // valid after OK

  ParaEdit *_fiyat = nullptr;     // "Fiyat:"
  ParaEdit *_iskonto = nullptr;   // "İndirim Oranı %:"
  QLabel *LBLNET = nullptr;       // "Net Fiyat:"
  QLabel *LABELKDV = nullptr;     // "KDV Dahil Fiyat:"
  QPushButton *Button1 = nullptr; // "Değiştir"
  QPushButton *Button2 = nullptr; // "Vazgeç"
};

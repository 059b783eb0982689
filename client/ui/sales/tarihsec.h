#pragma once
// "Tarih Seç": one or two dates for a report.

#include <QDialog>

#include <functional>

class QDateTimeEdit;
class QLabel;
class QPushButton;

class Ttarihsec : public QDialog {
  Q_OBJECT
public:
  explicit Ttarihsec(QWidget *owner);
  QLabel *Label1 = nullptr;
  QLabel *Label2 = nullptr;
  QDateTimeEdit *DateTimePicker1 = nullptr;
  QDateTimeEdit *DateTimePicker2 = nullptr;
  QPushButton *Button1 = nullptr; // "Seç"

  // Shows only the first date.
  void TekTarih();

  // Test seam: when set, called instead of exec().
  static std::function<int(Ttarihsec &)> ExecHook;
  int calistir();
};

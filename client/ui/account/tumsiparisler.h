#pragma once
// The order movements window "Sipariş Hareketleri": every order line of the
// dealer, or of one stock item, with counts and quantity sums; export as a
// spreadsheet.

#include "data/clientdataset.h"

#include <QDialog>

#include <functional>
#include <memory>

class DataGrid;
class QPushButton;
class ServerConnection;
class TSonucBilgisi;

class Ttumsiparisler : public QDialog {
  Q_OBJECT
public:
  explicit Ttumsiparisler(QWidget *owner);
  ~Ttumsiparisler() override;

  // Test seam: when set, SiparisHareketleriAc calls it instead of exec().
  static std::function<int(Ttumsiparisler &)> ExecHook;

  const TSonucBilgisi *bilgi = nullptr;    // the login record; not owned
  int stokno = 0;                          // 0: every stock item
  std::unique_ptr<ServerConnection> bagim; // the window's own connection
  ClientDataSet bakiyesepet;               // the order lines

  DataGrid *cxGrid1 = nullptr;
  QPushButton *kapat = nullptr;       // "Kapat"
  QPushButton *excelKaydet = nullptr; // "Excel Kaydet"

  // Loads the lines over `bagim`; errors (no connection included) propagate.
  void Getir();
  // Places and sizes the window on its screen.
  void Goster();
  void ExcelKaydetClick();
};

// Opens the movements of the dealer in the login record, of stock item
// `stokno` (0 for all), modally. Errors of the connection or the call
// propagate to the caller and no window opens.
void SiparisHareketleriAc(QWidget *owner, const ServerConnection &bagc, const TSonucBilgisi &bilgi,
                          int stokno);

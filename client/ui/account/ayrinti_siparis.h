#pragma once
// The order detail window "Sipariş Ayrıntısı": the lines of one order with
// their footer sums, the order's totals, status, delivery, cargo, who placed
// it and the two messages; export as a spreadsheet.

#include "data/clientdataset.h"

#include <QDialog>

#include <functional>
#include <memory>

class DataGrid;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ServerConnection;
class TSiparisDipAyrinti;
class TSonucBilgisi;

class Tayrinti_siparis : public QDialog {
  Q_OBJECT
public:
  explicit Tayrinti_siparis(QWidget *owner);
  ~Tayrinti_siparis() override;

  // Test seam: when set, SiparisAyrintisiAc calls it instead of exec().
  static std::function<int(Tayrinti_siparis &)> ExecHook;

  ClientDataSet sepet;                       // the order's lines
  std::unique_ptr<TSiparisDipAyrinti> asagi; // the order's footer, a copy of the server's

  DataGrid *cxGrid2 = nullptr;
  QLabel *_sipdurun = nullptr;
  QLabel *_teslimcinsi = nullptr;
  QLabel *_kargocinsi = nullptr;
  QLabel *_kargo = nullptr;
  QLabel *_veren = nullptr;
  QPlainTextEdit *_sizin = nullptr;
  QPlainTextEdit *_bizim = nullptr;
  QLabel *aratoplaml = nullptr;
  QLabel *indiriml = nullptr;
  QLabel *nettutarl = nullptr;
  QLabel *vergil = nullptr;
  QLabel *geneltoplaml = nullptr;
  QPushButton *kapat = nullptr;       // "Kapat"
  QPushButton *excelKaydet = nullptr; // "Excel Kaydet"

  // Totals of the lines, then the footer, then the window's place and size.
  void SepetHesapla();
  // The column widths by weight over the grid's width.
  void cxGrid2Resize();
  // "Excel Kaydet".
  void ExcelKaydetClick();
};

// Opens one order of the dealer in the login record: loads its lines and
// footer over `bagc` and shows the window modally. When the server cannot be
// reached the connection message is shown (once) and no window opens; errors
// of the calls themselves propagate to the caller.
void SiparisAyrintisiAc(QWidget *owner, ServerConnection &bagc, const TSonucBilgisi &bilgi, qint32 idno);

#pragma once
// The balance orders window "Bakiye Siparişler": the open order lines of one
// dealer with their totals, the footer of the focused line's order and the
// stock status legend. Its menu deletes a balance, sets a new balance
// quantity or (sales staff with price rights) a new price and discount;
// every change goes to the server and the list is loaded again.

#include "data/clientdataset.h"
#include "ui/account/bakiyeler.h"

#include <QDialog>

#include <functional>
#include <memory>

class DataGrid;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class ServerConnection;
class TSiparisDipAyrinti;
class TSonucBilgisi;

class Tbakiyesiparisler : public QDialog {
  Q_OBJECT
public:
  explicit Tbakiyesiparisler(QWidget *owner);
  ~Tbakiyesiparisler() override;

  // Test seam: when set, BakiyeSiparisleriAc calls it instead of exec().
  static std::function<int(Tbakiyesiparisler &)> ExecHook;

  ServerConnection *bagim = nullptr;         // the connection of every call; not owned
  const TSonucBilgisi *bilgi = nullptr;      // whose CARINO names the dealer; not owned
  std::unique_ptr<TSiparisDipAyrinti> asagi; // footer of the focused line's order
  ClientDataSet bakiyesepet;                 // the open balance lines
  bool eldekiGoster = false;                 // stock on hand may be shown

  DataGrid *cxGrid2 = nullptr;
  QMenu *PopupMenu1 = nullptr;
  QAction *B1 = nullptr; // "Bakiyeyi Sil"
  QAction *B2 = nullptr; // "Bakiye Değiştir"
  QAction *F1 = nullptr; // "Fiyat Değiştir"
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
  QPushButton *Button1 = nullptr; // "Kapat"
  QPushButton *Button2 = nullptr; // "Excel Kaydet"

  // Makes it a borderless part of its parent (the balances tab): no
  // "Kapat", and Escape does not close it.
  void Gom();
  void reject() override;

  // Columns and menu for the opener and the user type.
  void KolonlariUygula(BakiyeAcilisi acilis, int musteriTipi);
  // Loads the dealer's balance lines over `bagim`, writes the totals and the
  // footer of the focused line. A failed load raises and leaves the list as
  // it was.
  void BakiyeAlalim();
  // Nearly the whole screen, 50 pixels in from the left.
  void Goster();
  // The column widths by weight on a wide screen, fitted below.
  void cxGrid2Resize();
  // The footer of the order of dataset row `row` (empty for none).
  void DipYukle(int row);
  void B1Click();      // "Bakiyeyi Sil"
  void B2Click();      // "Bakiye Değiştir"
  void F1Click();      // "Fiyat Değiştir"
  void Button2Click(); // "Excel Kaydet"

private:
  void dipYaz();
  void toplamlariYaz();
  std::optional<BakiyeSatiri> odakliSatir() const;
  std::unique_ptr<TSonucBilgisi> kopya() const;
  bool gomulu_ = false;
  bool yukleniyor_ = false; // a load runs: focus changes load no footer
};

// Opens the balance orders of the dealer `bilgi.CARINO()` modally over
// `bagc` (maximised when asked), with the columns of the opener for the
// logged-in user's type. A failed load raises and no window opens.
void BakiyeSiparisleriAc(QWidget *owner, ServerConnection &bagc, const TSonucBilgisi &bilgi,
                         BakiyeAcilisi acilis, int musteriTipi, bool tamEkran = false);

#pragma once
// "Cari Seçimi": sales staff search the dealers, list the dealers with
// something in an order state, see a dealer's card, fetch dealer reports as
// PDF and choose the dealer they work for. Choosing writes the dealer into
// the login record itself, so every later call works for that dealer.

#include "data/clientdataset.h"

#include <QDialog>

#include <functional>

class DataGrid;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QPushButton;
class ServerConnection;
class TSonucBilgisi;

// The search text as sent: every "ı" as "i", no blanks around it.
QString CariAramaMetni(const QString &typed);
// The caption of the basket button: the count, empty below 1.
QString SepetTusuYazisi(int count);
// Where a fetched report is saved: the documents folder, "rapor" and the
// report number plus the dealer number (report 6 of dealer 100: rapor106.pdf).
QString RaporDosyasi(int raporno, int carino);

class Tseccari : public QDialog {
  Q_OBJECT
public:
  Tseccari(QWidget *owner, ServerConnection &bag, TSonucBilgisi &bilgim);
  ~Tseccari() override;

  // Test seam: when set, called instead of exec().
  static std::function<int(Tseccari &)> ExecHook;
  int calistir();

  ServerConnection &bag;
  TSonucBilgisi &bilgim;
  ClientDataSet CARILER;

  DataGrid *cxGrid1 = nullptr;
  QMenu *PopupMenu1 = nullptr;
  QAction *C1 = nullptr;                       // "Cari Özeti Göster"
  QAction *B1 = nullptr;                       // "Bakiyelerini Göster"
  QAction *CariAlSatTablosuSatcl1 = nullptr;   // "Cari Alış Satış Tablosu (Satıcılı)"
  QAction *CariTopluAlacakVadeleri1 = nullptr; // "Cari Toplu Alacak Vadeleri"
  QToolButton *sBitBtn2 = nullptr;             // all dealers
  QToolButton *sepettus = nullptr;
  QToolButton *alinditus = nullptr;
  QToolButton *onaylanditus = nullptr;
  QToolButton *goruldutus = nullptr;
  QToolButton *parcalihazirlandi = nullptr;
  QToolButton *hazirlanditus = nullptr;
  QToolButton *sevktus = nullptr;
  QLineEdit *NEdit1 = nullptr;
  QGroupBox *kart = nullptr; // "Cari Bilgileri"
  QLabel *carikod = nullptr, *cariadi = nullptr, *yetkili = nullptr, *ozelkod = nullptr, *anagrup = nullptr,
         *altgrup = nullptr, *adres1 = nullptr, *adres2 = nullptr, *ilce = nullptr, *telefon1 = nullptr,
         *telefon2 = nullptr, *fax1 = nullptr, *fax2 = nullptr, *gsm = nullptr, *vergi = nullptr,
         *email = nullptr, *bakiye = nullptr, *indirim = nullptr, *vade = nullptr;
  QPushButton *Button1 = nullptr; // "Seç"
  QPushButton *Button2 = nullptr; // "Vazgeç"

  void SepetSayisiYaz();
  void TusSonuclari();
  void Ara();               // Enter in the search edit
  void sBitBtn2Click();     // all dealers
  void DurumListesi(int n); // a status button's list
  void KartiYaz();          // the card of the focused dealer
  void Button1Click();      // "Seç"
  void Button2Click();      // "Vazgeç": ends the program
  void C1Click();
  void B1Click(); // "Bakiyelerini Göster": the focused dealer's balance orders
  void CariAlSatTablosuSatcl1Click();
  void CariTopluAlacakVadeleri1Click();
  // Fetches a report as PDF into RaporDosyasi and opens it.
  void RaporAl(int raporno, int carino, const QString &saticiadi, const QDate &tarih1, const QDate &tarih2);

protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void listeyiKur(wire::TableMap &&table);
  int odakliCarino() const; // the focused row's dealer number, 0 without one
  QString odakliDeger(const char *field) const;
};

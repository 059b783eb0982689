#pragma once
// The main window: header with who is logged in, the search bar, the tab
// pages every feature lives on, the status legend and the news line.

#include "server/bildirimkanali.h"
#include "server/serverconnection.h"

#include <wire/baglantiu.h>

#include <QMainWindow>

class BusyIndicator;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class SayacliTabWidget;

// The number as the balances tab counter shows it: the shortest general
// form, no thousands separator (3 → "3", 2.5 → "2.5").
QString KisaSayi(double value);

class TForm1 : public QMainWindow {
  Q_OBJECT
public:
  explicit TForm1(QWidget *parent = nullptr);

  // The creation handler: login record, connection, login, user-type
  // adaptation, start-up load. False when the program has ended (reached
  // only under the termination test hook).
  bool FormCreate();

  void KullaniciTipiUygula(); // the user-type adaptation
  void AnaBilgiAl();          // header labels from the login record; user-interface thread
  void BalonYaz();            // tab counters; runs on a worker
  void KayanYaziAl();         // news line text; runs on a worker
  void BaslangicYuklemesi();  // the start-up load in the background
  void BildirimKaydet();      // registers the notification callback
  void GeriBildirimAlQue();   // the refresh a notification asks for; user-interface thread

  TSonucBilgisi sbilgi;
  ServerConnection bagc;
  BildirimKanali kanal;
  int _acilisadet = 0;
  bool _acilisgoruldu = false;

  QWidget *Panel1 = nullptr;
  QLabel *Image1 = nullptr;
  QLabel *kullanicilbl = nullptr;
  QLabel *cariadilbl = nullptr;
  QLabel *saticilbl = nullptr;
  QLabel *GifResim1 = nullptr;
  QToolButton *Button3 = nullptr;
  QMenu *Genelmenu = nullptr;
  QAction *M1 = nullptr;
  QAction *N4 = nullptr;
  QAction *webSitesi = nullptr;
  QAction *G1 = nullptr;
  QAction *R1 = nullptr;

  QWidget *Panel2 = nullptr;
  QLineEdit *araedit = nullptr;
  QToolButton *SpeedButton2 = nullptr; // "Ara"
  QToolButton *SpeedButton1 = nullptr; // "Temizle"
  QPushButton *musteritus = nullptr;
  BusyIndicator *gifstokara = nullptr;
  BusyIndicator *gifyeniler = nullptr;
  BusyIndicator *gifkampanyali = nullptr;
  BusyIndicator *gifduyuru = nullptr;
  BusyIndicator *gifoncekiler = nullptr;
  BusyIndicator *gifekstre = nullptr;
  BusyIndicator *gifsepet = nullptr;
  QLabel *RxGIFAnimator2 = nullptr;

  SayacliTabWidget *sPageControl1 = nullptr;
  QWidget *sstoklistesi = nullptr;
  QWidget *ssepet = nullptr;
  QWidget *sonceki = nullptr;
  QWidget *sccariekstre = nullptr;
  QWidget *syeniler = nullptr;
  QWidget *skampanyali = nullptr;
  QWidget *sTabSheetduyuru = nullptr;
  QWidget *sTabbakiyeler = nullptr;
  QWidget *ss = nullptr;

  QWidget *Panel3 = nullptr;
  QWidget *Panel5 = nullptr;
  QLabel *kayanyazi = nullptr;

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  bool yenileniyor_ = false;      // a refresh is running
  bool yenilemeBekliyor_ = false; // another notification came meanwhile
  void buildHeader();
  void buildSearchBar();
  void buildPages();
  void buildLegend();
};

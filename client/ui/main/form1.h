#pragma once
// The main window: header with who is logged in, the search bar, the tab
// pages every feature lives on, the status legend and the news line.

#include "data/clientdataset.h"
#include "server/bildirimkanali.h"
#include "server/serverconnection.h"

#include <wire/baglantiu.h>

#include <QMainWindow>

#include <functional>
#include <optional>

class BrowserView;
class BusyIndicator;
class DataGrid;
class KayanYazi;
class QAction;
class QLabel;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class TServerMethods1Client;
class QMenu;
class QPushButton;
class QToolButton;
class SayacliTabWidget;
class Tbakiyesiparisler;

// The number as the balances tab counter shows it: the shortest general
// form, no thousands separator (3 → "3", 2.5 → "2.5").
QString KisaSayi(double value);

class TForm1 : public QMainWindow {
  Q_OBJECT
public:
  explicit TForm1(QWidget *parent = nullptr);
  ~TForm1() override;

  // The creation handler: login record, connection, login, user-type
  // adaptation, start-up load. False when the program has ended (reached
  // only under the termination test hook).
  bool FormCreate();

  void KullaniciTipiUygula(); // the user-type adaptation
  void AnaBilgiAl();          // header labels from the login record; user-interface thread
  void BalonYaz();            // tab counters; runs on a worker
  void KayanYaziAl();         // news line text; runs on a worker
  void BannerREsimAl();       // header banner; runs on a worker
  void BannerREsimAlUst();    // upper banner strip; runs on a worker
  void BannerREsimAlAlt();    // lower scrolling banner; runs on a worker
  void AcilisReklamAdetAl();  // advertisement count and the announcements counter; runs on a worker
  void AcilisReklamGoster();  // offers the opening advertisements; user-interface thread
  void IcerikYukle();
  // Where a search text of an announcement or advertisement leads: the
  // campaign or new-item tab, or a stock search.
  void AramaMetniniIzle(const QString &arama);
  void syenilerShow();
  void skampanyaliShow();
  void sTabSheetduyuruShow();
  void ssShow(); // the online payment page // news line, banners, advertisement count, tab counters; runs on
                 // a worker
  void BaslangicYuklemesi(); // the start-up load in the background
  void BildirimKaydet();     // registers the notification callback
  void GeriBildirimAlQue();  // the refresh a notification asks for; user-interface thread

  // Stock list.
  bool araeditKeyPress(QKeyEvent *event); // letter folding, Enter searches; true when handled
  void SpeedButton2Click();               // "Ara"
  void SpeedButton1Click();               // "Temizle"
  void cxGrid1Resize();                   // the layout switch
  // Opens the focused row of a stock grid: the basket line when the item is
  // in the basket, otherwise the item to add.
  void StokSatiriAc(DataGrid *grid, ClientDataSet &dataSet);

  // Basket.
  void ssepetShow();
  bool SepetiYenile(); // false when the server could not be reached
  void ToplamlariYaz();
  void HepsiniSec(int secim); // "Hepsini Seç" (1), "Seçimleri Kaldır" (0)
  void SepetSatiriCiftTik(int row, const QString &column);
  void SatirDegistir();
  void SatirSil();
  void M1Click();         // "Mail Gönder"
  void N4Click();         // "Şifre Değiştirme İsteği"
  void musteritusClick(); // "Başka Cari Seç"
  void R1Click();         // "Raporlar"
  void HepsiniSil();
  void HesapUyarisiAl(); // the account warning, in the background
  void Button1Click();   // "Gönder"
  void Button2Click();   // "Excel Kaydet"

  // Previous orders.
  void soncekiShow(); // reloads the order list in the background
  void S1Click();     // "Siparişi İncele": opens the focused order
  void T1Click();     // "Tüm Siparişler": the movements of every item
  void S3Click();     // stock list "Siparişleri Göster": the focused item's movements
  // The order movements window for one stock item (0: every item).
  void SiparisHareketleriGoster(int stokno);
  void SipariBakiyeleriniz1Click(); // "Sipariş Bakiyeleriniz": the balance orders, modally

  // Balances.
  void sTabbakiyelerShow(); // the balance orders window inside the tab, loaded afresh
  void sTabbakiyelerHide(); // frees it

  TSonucBilgisi sbilgi;
  ServerConnection bagc;
  BildirimKanali kanal;
  ClientDataSet stok;
  ClientDataSet YENILER;
  ClientDataSet kampstok;
  ClientDataSet sepet;
  ClientDataSet ONCEKILER;
  Tbakiyesiparisler *benimbakiyesiparisler = nullptr; // while the balances tab shows
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

  DataGrid *cxGrid1 = nullptr; // stock list
  QMenu *popstok = nullptr;
  QAction *S2 = nullptr; // "Sepete Ekle"
  QAction *B1 = nullptr; // "Sipariş Bakiyeleriniz"
  QAction *S3 = nullptr; // "Siparişleri Göster"

  DataGrid *cxGrid6 = nullptr;         // new items
  DataGrid *cxkampanyali = nullptr;    // campaign items
  QListWidget *cxGridduyuru = nullptr; // announcements
  BrowserView *sitem = nullptr;        // the online payment page, made when first opened
  DataGrid *cxGrid2 = nullptr;         // basket
  QMenu *PopupMenu1 = nullptr;
  QAction *Deitir1 = nullptr;
  QAction *SatrSil1 = nullptr;
  QAction *HepsiniSil1 = nullptr;
  QPushButton *Button4 = nullptr; // "Hepsini Seç"
  QPushButton *Button5 = nullptr; // "Seçimleri Kaldır"
  QLabel *lbluyarbakiye = nullptr;
  QLabel *Label4 = nullptr; // "İndirim Toplam:"
  QLabel *Label6 = nullptr; // "Vergi:"
  QLabel *aratoplaml = nullptr;
  QLabel *indiriml = nullptr;
  QLabel *nettutarl = nullptr;
  QLabel *vergil = nullptr;
  QLabel *geneltoplaml = nullptr;
  QPushButton *Button1 = nullptr; // "Gönder"
  QPushButton *Button2 = nullptr; // "Excel Kaydet"

  DataGrid *cxGrid3 = nullptr; // previous orders
  QMenu *poponceki = nullptr;
  QAction *S1 = nullptr;                   // "Siparişi İncele"
  QAction *SipariBakiyeleriniz1 = nullptr; // "Sipariş Bakiyeleriniz"
  QAction *T1 = nullptr;                   // "Tüm Siparişler"

  QWidget *Panel3 = nullptr;
  QWidget *Panel5 = nullptr;
  KayanYazi *kayanyazi = nullptr;        // the news line
  KayanYazi *RealTimeMarquee1 = nullptr; // the lower banner

protected:
  void closeEvent(QCloseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  bool yenileniyor_ = false;      // a refresh is running
  bool yenilemeBekliyor_ = false; // another notification came meanwhile
  void buildHeader();
  void buildSearchBar();
  void buildPages();
  void buildLegend();
  void buildStockList();
  void buildBasket();
  void buildIcerik();
  void buildSanalPos();
  void listeYukle(DataGrid *grid, ClientDataSet &ds, BusyIndicator *busy, QWidget *page, const QString &title,
                  std::function<wire::TableMap(TServerMethods1Client &)> fetch);
  void buildOncekiler();
  void buildBakiyeler();
  void StokAra();
  void sepetUygula(wire::TableMap &&table); // a loaded basket into `sepet`, caption, totals
  int sepetYuklemeNo_ = 0;                  // the latest basket load
  int sepetYukleniyor_ = 0;                 // basket loads in the background
  bool kampanyaGizli_ = false;              // dealers without campaigns
  int hesapUyarisiNo_ = 0;                  // the latest account warning request
  int oncekiYuklemeNo_ = 0;                 // the latest order list load
  int oncekiYukleniyor_ = 0;                // order list loads in the background
  bool oncekiHata_ = false;                 // the latest order list load failed
  qint32 oncekiCarino_ = 0;                 // the dealer whose orders ONCEKILER holds
};

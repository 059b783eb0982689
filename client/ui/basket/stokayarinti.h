#pragma once
// The stock detail and basket-line editor "Sepete Ekle": the item's texts and
// picture, quantity and unit price, the discount, VAT and total of the line;
// and the four ways it opens (changing a basket line, adding from the stock
// list, the new items or the campaign items).

#include "ui/basket/sepetislemi.h"

#include <QDialog>
#include <QPixmap>

#include <array>
#include <functional>
#include <optional>

class ClientDataSet;
class ParaEdit;
class QLabel;
class QNetworkAccessManager;
class QPushButton;
class QSpinBox;

// One line's amounts from the quantity text, the unit price, the cascaded
// discount rates (a rate <= 0 is skipped) and the VAT rate.
struct SatirTutari {
  double brut = 0;     // quantity x unit price
  double indirim = 0;  // discount amount: gross - net before rounding
  double net = 0;      // net amount, two decimals
  double birim = 0;    // net unit price, two decimals; 0 for quantity 0
  double kdvDahil = 0; // VAT-inclusive unit price, two decimals
  double genel = 0;    // VAT-inclusive line total, two decimals
};
// A quantity text that is not a whole number counts as 1.
SatirTutari SatirHesapla(const QString &adetMetni, double fiyat, const std::array<double, 4> &oranlar,
                         double kdvoran);
// The quantity a confirmed dialog sends: the whole number typed, when it lies
// within the box's range 1 ... 10000; nothing otherwise.
std::optional<int> GonderilecekAdet(const QString &adetMetni);

class Tstokayarinti : public QDialog {
  Q_OBJECT
public:
  explicit Tstokayarinti(QWidget *owner);
  ~Tstokayarinti() override;

  // Test seam: when set, the opening functions call it instead of exec().
  static std::function<int(Tstokayarinti &)> ExecHook;

  // Set by the caller before the dialog shows.
  int stokno = 0;
  double kdvoran = 0;
  double ind1 = 0, ind2 = 0, ind3 = 0, ind4 = 0; // 0 = none

  QLabel *barkod = nullptr;
  QLabel *adi = nullptr;
  QLabel *finishkod = nullptr;
  QLabel *marka = nullptr;
  QLabel *model = nullptr;
  QLabel *Image1 = nullptr;
  QSpinBox *adet = nullptr;
  QLabel *Label2 = nullptr;      // "Fiyat:" / "Kampanyalı Fiyat:"
  QLabel *indirimoran = nullptr; // the discount caption
  QLabel *Label3 = nullptr;      // "KDV Dahil:"
  QLabel *sLabel6 = nullptr;     // "Tutar:"
  ParaEdit *birimfiyat = nullptr;
  ParaEdit *indtutar = nullptr;
  ParaEdit *kdvdahiltutar = nullptr;
  ParaEdit *geneltutar = nullptr;
  QPushButton *ParcaliTus1 = nullptr; // "Sipariş ekle"
  QPushButton *ParcaliTus2 = nullptr; // "Vazgeç"

  // Recomputes the discount, VAT-inclusive and total boxes.
  void Hesapla();
  // Shows `bytes` as the item's picture; false (placeholder kept) when they
  // are no picture.
  bool ResimYukle(const QByteArray &bytes);
  // Whether a picture of the item replaced the placeholder.
  bool ResimVar() const { return resimVar_; }

protected:
  bool event(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void FormActivate();
  void ResimIste();
  void ResmiGoster();

  QPixmap resim_;
  bool resimVar_ = false;
  bool webResmiGeldi_ = false;
  bool webResmiBekleniyor_ = false;
  QNetworkAccessManager *ag_ = nullptr;
};

// The opening modes: each fills the dialog from the current row of its list,
// shows it modally and, when it is confirmed, writes to the server and
// reloads the basket.
void SatirDegistir(const SepetIslemi &islem, ClientDataSet &sepet);      // change the current basket line
void StokListesindenEkle(const SepetIslemi &islem, ClientDataSet &stok); // add the current stock row
void YenilerdenEkle(const SepetIslemi &islem, ClientDataSet &yeniler);   // add the current new item
void KampanyadanEkle(const SepetIslemi &islem, ClientDataSet &kampstok); // add the current campaign item

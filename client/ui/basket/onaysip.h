#pragma once
// The order confirmation "Sipariş Onay": delivery kind, cargo kind and firm,
// a message for the wholesaler, who orders for whom and the total; and the
// sending of the basket that opens it.

#include "data/clientdataset.h"
#include "ui/basket/sepetislemi.h"

#include <QDialog>

#include <functional>
#include <optional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TONAYSIP : public QDialog {
  Q_OBJECT
public:
  // Fills the delivery and cargo kinds from the server (empty lists when it
  // cannot be reached). `mesaj` is the warning shown above the question.
  TONAYSIP(QWidget *AOwner, ServerConnection &_c, const QString &mesaj, const TSonucBilgisi &_sbilgi,
           const QString &_toplam);
  ~TONAYSIP() override;

  // Test seam: when set, SiparisGonder calls it instead of exec().
  static std::function<int(TONAYSIP &)> ExecHook;

  // The choices, valid after "Evet": delivery kind, cargo kind, cargo firm.
  int td = 0;
  int kt = 0;
  int KN = 0;
  ClientDataSet kargo; // the firms of the chosen cargo kind: ADI, SIRANO, UYARI

  QGroupBox *teslimbox = nullptr;      // "Teslim Durumu"
  QButtonGroup *teslimSecim = nullptr; // its radio buttons
  QGroupBox *boxkargo = nullptr;       // "Kargo Türleri"
  QButtonGroup *kargoSecim = nullptr;  // its radio buttons
  QGroupBox *GroupBox1 = nullptr;      // "Kargo"
  QComboBox *kargocombo = nullptr;
  QLabel *uyarikargo = nullptr;
  QGroupBox *GroupBox2 = nullptr; // "Mesaj"
  QPlainTextEdit *aciklamagir = nullptr;
  QLabel *Label2 = nullptr;       // user, dealer, total
  QLabel *Label3 = nullptr;       // the warning
  QLabel *Label1 = nullptr;       // the question
  QPushButton *Button1 = nullptr; // "Evet"
  QPushButton *Button2 = nullptr; // "Hayır"

  // The id of the checked radio button of a group; nothing when none is.
  static std::optional<int> SeciliKimlik(const QButtonGroup *group);

  void boxkargoClick();
  void kargocomboChange();
  void Button1Click();

protected:
  void showEvent(QShowEvent *event) override;

private:
  void SecenekleriDoldur();

  ServerConnection &bagc;
};

// "Gönder": checks the basket, asks for confirmation, saves the order. Returns
// true when an order was saved.
bool SiparisGonder(const SepetIslemi &islem, ClientDataSet &sepet, const QString &uyari,
                   const QString &toplam);

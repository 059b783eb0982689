#pragma once
// The login record and the two small result objects of the order screens.

#include "wire/transfer.h"

// Login record: who is logged in, which dealer is served, from which computer.
#define TSONUCBILGISI_FIELDS(X)                                                                              \
  X(QString, BILGISAYARID)                                                                                   \
  X(QString, SaticiMail)                                                                                     \
  X(qint32, Sirano)                                                                                          \
  X(QString, CariAdi)                                                                                        \
  X(QString, SIFRE)                                                                                          \
  X(qint32, SaticiNo)                                                                                        \
  X(qint32, CARINO)                                                                                          \
  X(qint32, AKTIF)                                                                                           \
  X(QString, Kullanicimail)                                                                                  \
  X(QString, ADI)                                                                                            \
  X(QString, SaticiTelefon)                                                                                  \
  X(QString, carikod)                                                                                        \
  X(bool, Varmi)                                                                                             \
  X(QString, SaticiAdi)                                                                                      \
  X(QString, BilgiSayarAdi)                                                                                  \
  X(QString, Disip)                                                                                          \
  X(QString, Icip)                                                                                           \
  X(QString, BilgisayarKullanici)                                                                            \
  X(qint32, MusteriTipi)                                                                                     \
  X(qint32, Version)

class TSonucBilgisi final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TSonucBilgisi, baglantiu, TSONUCBILGISI_FIELDS)
  WIRE_KOPYALA(TSonucBilgisi, TSONUCBILGISI_FIELDS)
};

// Footer of an order.
#define TSIPARISDIPAYRINTI_FIELDS(X)                                                                         \
  X(QString, SizinMesaj)                                                                                     \
  X(QString, Durumu)                                                                                         \
  X(QString, Veren)                                                                                          \
  X(QString, Kargo)                                                                                          \
  X(QString, BizimMesaj)                                                                                     \
  X(QString, TeslimCinsi)                                                                                    \
  X(QString, KargoCinsi)                                                                                     \
  X(QString, SaticiNotu)

class TSiparisDipAyrinti final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TSiparisDipAyrinti, baglantiu, TSIPARISDIPAYRINTI_FIELDS)
  WIRE_KOPYALA(TSiparisDipAyrinti, TSIPARISDIPAYRINTI_FIELDS)
};

// Order counts behind the status buttons of the dealer selection.
#define TTUSSONUCLARI_FIELDS(X)                                                                              \
  X(qint32, Alindi)                                                                                          \
  X(qint32, Onaylandi)                                                                                       \
  X(qint32, ParcaliHazirlandi)                                                                               \
  X(qint32, SevkEdildi)                                                                                      \
  X(qint32, Hazirlandi)                                                                                      \
  X(qint32, Goruldu)

class TTusSonuclari final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TTusSonuclari, baglantiu, TTUSSONUCLARI_FIELDS)
  WIRE_KOPYALA(TTusSonuclari, TTUSSONUCLARI_FIELDS)
};

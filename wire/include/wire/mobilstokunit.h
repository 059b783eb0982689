#pragma once
// Transfer classes of the stock, basket, dealer-card and opening-screen calls.

#include "wire/transfer.h"

// One opening screen or advertisement.
#define TACILISEKRAN_FIELDS(X)                                                                               \
  X(qint32, SiraNo)                                                                                          \
  X(QString, Resim)                                                                                          \
  X(QString, Baslik)                                                                                         \
  X(QString, Arama)

class TAcilisEkran final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TAcilisEkran, mobilstokunit, TACILISEKRAN_FIELDS)
  WIRE_KOPYALA(TAcilisEkran, TACILISEKRAN_FIELDS)
};

// All opening screens in one object; it holds its items.
#define TACILISEKRANLARIKI_FIELDS(X) X(wire::ObjectArray<TAcilisEkran>, Ekranlar)

class TAcilisEkranlariki final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TAcilisEkranlariki, mobilstokunit, TACILISEKRANLARIKI_FIELDS)
};

// Dealer card of an account.
#define TMOBILCARIBILGISI_FIELDS(X)                                                                          \
  X(QString, BILGISAYARID)                                                                                   \
  X(QString, SEHIR)                                                                                          \
  X(QString, FAX1)                                                                                           \
  X(QString, SATICIMAIL)                                                                                     \
  X(QString, SATICIADI)                                                                                      \
  X(QString, CARIADI)                                                                                        \
  X(QString, EMAIL)                                                                                          \
  X(QString, VERGIDAIRESI)                                                                                   \
  X(QString, YETKILI)                                                                                        \
  X(QString, AltGrup)                                                                                        \
  X(QString, TEL2)                                                                                           \
  X(QString, SIFRE)                                                                                          \
  X(QString, GSM)                                                                                            \
  X(QString, TEL1)                                                                                           \
  X(QString, ADRES2)                                                                                         \
  X(double, TLBORC)                                                                                          \
  X(double, TLALACAK)                                                                                        \
  X(QString, ADRES1)                                                                                         \
  X(QString, ULKE)                                                                                           \
  X(QString, AnaGrup)                                                                                        \
  X(qint32, CARINO)                                                                                          \
  X(double, TLBAKIYE)                                                                                        \
  X(QString, VERGINO)                                                                                        \
  X(QString, MAIL)                                                                                           \
  X(QString, OzelKod)                                                                                        \
  X(QString, KULLANICIADI)                                                                                   \
  X(QString, SATICITELEFON)                                                                                  \
  X(QString, CARIKOD)                                                                                        \
  X(QString, FAX2)                                                                                           \
  X(QString, ILCE)

class TMobilCariBilgisi final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TMobilCariBilgisi, mobilstokunit, TMOBILCARIBILGISI_FIELDS)
  WIRE_KOPYALA(TMobilCariBilgisi, TMOBILCARIBILGISI_FIELDS)
};

// One stock item.
#define TMOBILSTOK_FIELDS(X)                                                                                 \
  X(qint32, StokNo)                                                                                          \
  X(qint32, ResimVar)                                                                                        \
  X(QString, Resim)                                                                                          \
  X(qint32, Yeni)                                                                                            \
  X(QString, Departman)                                                                                      \
  X(double, VerilenSiparis)                                                                                  \
  X(QString, AltGrup)                                                                                        \
  X(qint32, Durum)                                                                                           \
  X(QString, Renk)                                                                                           \
  X(QString, Birim)                                                                                          \
  X(double, KDV)                                                                                             \
  X(double, AlinanSiparis)                                                                                   \
  X(double, Isk2)                                                                                            \
  X(QString, AnaGrup)                                                                                        \
  X(QString, Kod)                                                                                            \
  X(double, Isk3)                                                                                            \
  X(double, ListeFiyati)                                                                                     \
  X(QString, Beden)                                                                                          \
  X(double, NetFiyat)                                                                                        \
  X(double, Isk1)                                                                                            \
  X(double, KDVliFiyat)                                                                                      \
  X(double, Isk4)                                                                                            \
  X(QString, OzelKod)                                                                                        \
  X(qint32, Kampnayali)                                                                                      \
  X(QString, Barkod)                                                                                         \
  X(double, IndirimOran)                                                                                     \
  X(double, Kalan)                                                                                           \
  X(QString, UreticiKod)                                                                                     \
  X(double, KampanyaliFiyat)                                                                                 \
  X(QString, OemNo)                                                                                          \
  X(qint32, BarkodNo)                                                                                        \
  X(QString, PKod)                                                                                           \
  X(QString, DpKod)                                                                                          \
  X(QString, Adi)                                                                                            \
  X(double, Fiyat)

class TMobilStok final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TMobilStok, mobilstokunit, TMOBILSTOK_FIELDS)
  WIRE_KOPYALA(TMobilStok, TMOBILSTOK_FIELDS)
};

// One basket or order line. TARIH and VERILISTARIHI are day numbers (days
// since 1899-12-30, time of day as the fraction).
#define TMOBILSEPET_FIELDS(X)                                                                                \
  X(qint32, KARGOID)                                                                                         \
  X(qint32, StokNo)                                                                                          \
  X(double, TARIH)                                                                                           \
  X(qint32, SIRANO)                                                                                          \
  X(QString, CARIADI)                                                                                        \
  X(double, VERILISTARIHI)                                                                                   \
  X(qint32, Durum)                                                                                           \
  X(double, MIKTAR)                                                                                          \
  X(qint32, VERENIDNO)                                                                                       \
  X(double, NETTUTAR)                                                                                        \
  X(double, KDVLITUTAR)                                                                                      \
  X(double, KDV)                                                                                             \
  X(qint32, AKTAR)                                                                                           \
  X(QString, SAAT)                                                                                           \
  X(double, VERGITUTARI)                                                                                     \
  X(QString, PKod)                                                                                           \
  X(QString, MODEL)                                                                                          \
  X(double, INDIRIMTUTAR)                                                                                    \
  X(qint32, STOK_STOKNO)                                                                                     \
  X(double, BIRIMFIYAT)                                                                                      \
  X(qint32, SEC)                                                                                             \
  X(QString, OEM2)                                                                                           \
  X(QString, OEM3)                                                                                           \
  X(QString, AnaGrup)                                                                                        \
  X(QString, MARKA)                                                                                          \
  X(QString, VEREN)                                                                                          \
  X(QString, STOKADI)                                                                                        \
  X(QString, OEM1)                                                                                           \
  X(qint32, CARINO)                                                                                          \
  X(qint32, VERENSIRANO)                                                                                     \
  X(qint32, ACIKLAMA)                                                                                        \
  X(double, INDIRIMORANI2)                                                                                   \
  X(QString, OEM4)                                                                                           \
  X(QString, KUR)                                                                                            \
  X(double, INDIRIMORANI3)                                                                                   \
  X(qint32, SIPARISNO)                                                                                       \
  X(double, IDNO)                                                                                            \
  X(QString, OzelKod)                                                                                        \
  X(QString, DpKod)                                                                                          \
  X(double, KURTL)                                                                                           \
  X(double, INDIRIMORANI1)                                                                                   \
  X(QString, DIGERADI)                                                                                       \
  X(QString, Barkod)                                                                                         \
  X(double, TUTAR)                                                                                           \
  X(QString, URETICIKODU)                                                                                    \
  X(double, Kalan)                                                                                           \
  X(QString, FINISHKOD)                                                                                      \
  X(QString, CARIKOD)                                                                                        \
  X(double, NETBIRIMFIYAT)                                                                                   \
  X(QString, OemNo)                                                                                          \
  X(qint32, TESLIMID)                                                                                        \
  X(qint32, ResimVar)                                                                                        \
  X(QString, Resim)

class TMobilSepet final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TMobilSepet, mobilstokunit, TMOBILSEPET_FIELDS)
  WIRE_KOPYALA(TMobilSepet, TMOBILSEPET_FIELDS)
};

// Owning lists: releasing a list releases its items.
#define TMOBILSTOKLAR_FIELDS(X) X(wire::ObjectArray<TMobilStok>, Items)
class TMobilStoklar final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TMobilStoklar, mobilstokunit, TMOBILSTOKLAR_FIELDS)
};

#define TMOBILSEPETLER_FIELDS(X) X(wire::ObjectArray<TMobilSepet>, Items)
class TMobilSepetler final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TMobilSepetler, mobilstokunit, TMOBILSEPETLER_FIELDS)
};

#define TACILISEKRANLAR_FIELDS(X) X(wire::ObjectArray<TAcilisEkran>, Items)
class TAcilisEkranlar final : public wire::TransferObject {
  WIRE_TRANSFER_CLASS(TAcilisEkranlar, mobilstokunit, TACILISEKRANLAR_FIELDS)
};

#pragma once
// The client class of the server's method module: one method per server
// method, named and ordered as the server declares them.
//
// Ownership, as the types say:
// - an object parameter (std::unique_ptr) is consumed by the call: pass a
//   fresh copy of the login record (Kopyala), never the live one;
// - objects, readers and streams come back as ClientRef: they belong to this
//   client and live until it is freed;
// - data packets come back by value.
// Every method raises RemoteError when the call fails.

#include "server/clientref.h"
#include "server/dbxreader.h"
#include "server/memorystream.h"

#include <wire/baglantiu.h>
#include <wire/mobilstokunit.h>
#include <wire/tablemap.h>

#include <memory>

class ServerCommand;
class ServerConnection;

class TServerMethods1Client {
public:
  // A client on an open connection.
  explicit TServerMethods1Client(ServerConnection &connection);
  ~TServerMethods1Client();
  TServerMethods1Client(const TServerMethods1Client &) = delete;
  TServerMethods1Client &operator=(const TServerMethods1Client &) = delete;

  // How many commands this client has prepared so far.
  int PreparedCommandCount() const { return preparedCount_; }

  QString EchoString(const QString &Value);
  QString ReverseString(const QString &Value);

  ClientRef<TAcilisEkranlariki> AcilisEkranlarVer2();
  qint32 AcilisReklamAdet();
  ClientRef<TAcilisEkran> AcilisREklamVer(qint32 sira);
  qint32 BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                        qint32 siparissirano, double Adet, double Bakiye, const QString &barkod);
  qint32 BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                       qint32 siparissirano, double Adet, double Bakiye, const QString &barkod);
  qint32 BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                             qint32 siparissirano, double Adet, double Bakiye, const QString &barkod,
                             double fiyat, double ind);
  ClientRef<DBXReader> BakiyelerVer2(qint32 carino);
  ClientRef<DBXReader> BalonGetir(std::unique_ptr<TSonucBilgisi> bil);
  ClientRef<MemoryStream> BannerResimVer(qint64 &size);
  ClientRef<MemoryStream> BannerResimVer2(qint64 &size);
  ClientRef<MemoryStream> BannerResimVer3(qint64 &size);
  ClientRef<TSonucBilgisi> BuyukGetir(const QString &idsi);
  ClientRef<DBXReader> CariAra(std::unique_ptr<TSonucBilgisi> bil, const QString &aranan);
  QString CariDurumVer(qint32 carino);
  ClientRef<DBXReader> CariEkstreVer(qint32 carino);
  ClientRef<DBXReader> CariSepetVer(std::unique_ptr<TSonucBilgisi> bil, qint32 n);
  QString CariVadeGunGecmismiBul(qint32 carino);
  ClientRef<DBXReader> FaturaAltGetir(qint32 idnosu);
  ClientRef<DBXReader> FaturaGetir(qint32 carino, qint32 idnosu);
  wire::TableMap KampanyaliVer2(qint32 cario, qint32 satici);
  ClientRef<DBXReader> KargolarVer(qint32 gn);
  ClientRef<DBXReader> KargoVer();
  QString KayanYaziGetir();
  qint32 MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
                        const QString &adres1, const QString &adres2, const QString &ilce,
                        const QString &sehir, const QString &telefon, const QString &fax, const QString &vd,
                        const QString &vn, const QString &yetkili, const QString &kullaniciadi,
                        const QString &sifre, const QString &mail, const QString &kargoambar);
  qint32 MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                              const QString &adres1, const QString &adres2, const QString &ilce,
                              const QString &sehir, const QString &telefon, const QString &fax,
                              const QString &vd, const QString &vn, const QString &yetkili,
                              const QString &kullaniciadi, const QString &sifre, const QString &mail,
                              const QString &kargoambar, const QString &konu);
  ClientRef<TMobilCariBilgisi> MobilCariBilgisiGetir(qint32 sirano, const QString &_idsi);
  ClientRef<DBXReader> OncekiSiparisler(qint32 carino);
  ClientRef<DBXReader> RaporAlinanSiparisler(std::unique_ptr<TSonucBilgisi> bilgi, double tarih1,
                                             double tarih2);
  ClientRef<DBXReader> RaporEnCokSatilanStoklar(std::unique_ptr<TSonucBilgisi> bilgi, double tarih1,
                                                double tarih2);
  ClientRef<MemoryStream> RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                                     const QString &saticiadi, double tarih1, double tarih2, qint64 &size);
  ClientRef<MemoryStream> ResimVer5(qint32 stokno, qint64 &boy);
  ClientRef<MemoryStream> SAnalPosPdfVer(qint32 sirano, qint64 &boy);
  qint32 SanalposSiranoVer(qint32 idnosu);
  qint32 SepetEkle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino, qint32 stokno,
                    const QString &barkod, const QString &stokadi, double miktar, double kdv, double fiyat,
                    double ind1, qint32 verenid, qint32 k, double ind2, double ind3, double ind4);
  qint32 SepetGuncelle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino, qint32 stokno,
                        const QString &barkod, const QString &stokadi, double miktar, double kdv,
                        double fiyat, double ind1, qint32 verenid, qint32 _sepetsirano, double ind2,
                        double ind3, double ind4);
  qint32 SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi);
  qint32 SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, qint32 satirno, const QString &aciklamam);
  qint32 SepetSayisi(std::unique_ptr<TSonucBilgisi> bil);
  void SepetSecimGuncelle(qint32 sirano, qint32 secim);
  wire::TableMap SepetVer2(qint32 carino);
  ClientRef<DBXReader> SiparisAyrintisi2(qint32 carino, qint32 idnosu);
  ClientRef<TSiparisDipAyrinti> SiparisAytintisiDip(qint32 carino, qint32 siranosu);
  bool SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, qint32 _carino, qint32 _teslim, qint32 _kargo,
                     const QString &_aciklama, qint32 _verenid, qint32 _kargoyeni);
  wire::TableMap StokAraGetirTarvesa(const QString &kod, std::unique_ptr<TSonucBilgisi> bilgi);
  ClientRef<DBXReader> Tahsilat(qint32 idnosu);
  ClientRef<DBXReader> TeslimVer();
  ClientRef<DBXReader> TumSiparislerVer(qint32 carino, qint32 stokno);
  ClientRef<TTusSonuclari> TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil);
  wire::TableMap YenilerVer2(qint32 carino);

private:
  template <class... Args>
  QCborArray run(std::unique_ptr<ServerCommand> &command, const char *name, Args &&...args);
  template <class T> ClientRef<T> object(ServerCommand &command, const QCborValue &value);
  ClientRef<DBXReader> reader(ServerCommand &command, const QCborValue &value);
  ClientRef<MemoryStream> stream(ServerCommand &command, const QCborValue &value);

  ServerConnection &connection_;
  int preparedCount_ = 0;

  std::unique_ptr<ServerCommand> FEchoStringCommand;
  std::unique_ptr<ServerCommand> FReverseStringCommand;
  std::unique_ptr<ServerCommand> FAcilisEkranlarVer2Command;
  std::unique_ptr<ServerCommand> FAcilisReklamAdetCommand;
  std::unique_ptr<ServerCommand> FAcilisREklamVerCommand;
  std::unique_ptr<ServerCommand> FBakiyeDegistirCommand;
  std::unique_ptr<ServerCommand> FBakiyeDuzenleCommand;
  std::unique_ptr<ServerCommand> FBakiyeFiyatDegistirCommand;
  std::unique_ptr<ServerCommand> FBakiyelerVer2Command;
  std::unique_ptr<ServerCommand> FBalonGetirCommand;
  std::unique_ptr<ServerCommand> FBannerResimVerCommand;
  std::unique_ptr<ServerCommand> FBannerResimVer2Command;
  std::unique_ptr<ServerCommand> FBannerResimVer3Command;
  std::unique_ptr<ServerCommand> FBuyukGetirCommand;
  std::unique_ptr<ServerCommand> FCariAraCommand;
  std::unique_ptr<ServerCommand> FCariDurumVerCommand;
  std::unique_ptr<ServerCommand> FCariEkstreVerCommand;
  std::unique_ptr<ServerCommand> FCariSepetVerCommand;
  std::unique_ptr<ServerCommand> FCariVadeGunGecmismiBulCommand;
  std::unique_ptr<ServerCommand> FFaturaAltGetirCommand;
  std::unique_ptr<ServerCommand> FFaturaGetirCommand;
  std::unique_ptr<ServerCommand> FKampanyaliVer2Command;
  std::unique_ptr<ServerCommand> FKargolarVerCommand;
  std::unique_ptr<ServerCommand> FKargoVerCommand;
  std::unique_ptr<ServerCommand> FKayanYaziGetirCommand;
  std::unique_ptr<ServerCommand> FMailGonserCariCommand;
  std::unique_ptr<ServerCommand> FMailGonserCariNormalCommand;
  std::unique_ptr<ServerCommand> FMobilCariBilgisiGetirCommand;
  std::unique_ptr<ServerCommand> FOncekiSiparislerCommand;
  std::unique_ptr<ServerCommand> FRaporAlinanSiparislerCommand;
  std::unique_ptr<ServerCommand> FRaporEnCokSatilanStoklarCommand;
  std::unique_ptr<ServerCommand> FRaporGetirCommand;
  std::unique_ptr<ServerCommand> FResimVer5Command;
  std::unique_ptr<ServerCommand> FSAnalPosPdfVerCommand;
  std::unique_ptr<ServerCommand> FSanalposSiranoVerCommand;
  std::unique_ptr<ServerCommand> FSepetEkle2Command;
  std::unique_ptr<ServerCommand> FSepetGuncelle2Command;
  std::unique_ptr<ServerCommand> FSepetHepsiniSilCommand;
  std::unique_ptr<ServerCommand> FSepetSatirSilCommand;
  std::unique_ptr<ServerCommand> FSepetSayisiCommand;
  std::unique_ptr<ServerCommand> FSepetSecimGuncelleCommand;
  std::unique_ptr<ServerCommand> FSepetVer2Command;
  std::unique_ptr<ServerCommand> FSiparisAyrintisi2Command;
  std::unique_ptr<ServerCommand> FSiparisAytintisiDipCommand;
  std::unique_ptr<ServerCommand> FSiparisKaydetCommand;
  std::unique_ptr<ServerCommand> FStokAraGetirTarvesaCommand;
  std::unique_ptr<ServerCommand> FTahsilatCommand;
  std::unique_ptr<ServerCommand> FTeslimVerCommand;
  std::unique_ptr<ServerCommand> FTumSiparislerVerCommand;
  std::unique_ptr<ServerCommand> FTusSonuclariVerCommand;
  std::unique_ptr<ServerCommand> FYenilerVer2Command;
};

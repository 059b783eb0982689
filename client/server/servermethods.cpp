#include "server/servermethods.h"

#include "server/remoteerror.h"
#include "server/servercommand.h"
#include "server/serverconnection.h"

#include <wire/jsonform.h>
#include <wire/value.h>

#include <limits>

namespace {

[[noreturn]] void badAnswer(const QString &what)
{
  throw RemoteError(QStringLiteral("protocol"), QStringLiteral("Sunucunun cevabı hatalı: %1").arg(what));
}

QCborValue toParam(const QString &value)
{
  return QCborValue(value);
}
QCborValue toParam(qint32 value)
{
  return QCborValue(qint64(value));
}
QCborValue toParam(double value)
{
  return QCborValue(value);
}
QCborValue toParam(bool value)
{
  return QCborValue(value);
}
// The object is consumed: marshalled here and freed when `object` goes.
template <class T> QCborValue toParam(std::unique_ptr<T> object)
{
  if (!object)
    return QCborValue(QCborValue::Null);
  return wire::embedJson(wire::toJson(object.get()));
}

qint32 int32Value(const QCborValue &value)
{
  if (!wire::matchesKind(value, wire::ValueKind::Int32))
    badAnswer(QStringLiteral("32-bit integer expected"));
  return qint32(value.toInteger());
}

qint64 int64Value(const QCborValue &value, const char *name)
{
  if (!value.isInteger())
    badAnswer(QStringLiteral("64-bit integer expected in %1").arg(QLatin1String(name)));
  return value.toInteger();
}

QString textValue(const QCborValue &value)
{
  if (!value.isString())
    badAnswer(QStringLiteral("text expected"));
  return value.toString();
}

bool boolValue(const QCborValue &value)
{
  if (!value.isBool())
    badAnswer(QStringLiteral("boolean expected"));
  return value.toBool();
}

wire::TableMap packetValue(const QCborValue &value)
{
  QString error;
  auto table = wire::TableMap::fromCbor(value, &error);
  if (!table)
    badAnswer(error);
  return std::move(*table);
}

} // namespace

TServerMethods1Client::TServerMethods1Client(ServerConnection &connection) : connection_(connection) {}

TServerMethods1Client::~TServerMethods1Client() = default;

template <class... Args>
QCborArray TServerMethods1Client::run(std::unique_ptr<ServerCommand> &command, const char *name,
                                      Args &&...args)
{
  if (!command) {
    command = std::make_unique<ServerCommand>(connection_, QString::fromLatin1(name));
    command->Prepare();
    ++preparedCount_;
  }
  QCborArray params;
  (params.append(toParam(std::forward<Args>(args))), ...);
  return command->Execute(params);
}

template <class T> ClientRef<T> TServerMethods1Client::object(ServerCommand &command, const QCborValue &value)
{
  if (value.isNull())
    return {};
  QByteArray json;
  if (!wire::extractJson(value, &json))
    badAnswer(QStringLiteral("object expected"));
  QString error;
  std::unique_ptr<T> result = wire::fromJson<T>(json, &error);
  if (!error.isEmpty())
    badAnswer(error);
  if (!result)
    return {};
  return command.Keep(std::shared_ptr<T>(std::move(result)));
}

ClientRef<DBXReader> TServerMethods1Client::reader(ServerCommand &command, const QCborValue &value)
{
  return command.Keep(std::make_shared<DBXReader>(packetValue(value)));
}

ClientRef<MemoryStream> TServerMethods1Client::stream(ServerCommand &command, const QCborValue &value)
{
  if (!value.isByteArray())
    badAnswer(QStringLiteral("byte stream expected"));
  return command.Keep(std::make_shared<MemoryStream>(value.toByteArray()));
}

QString TServerMethods1Client::EchoString(const QString &Value)
{
  const QCborArray out = run(FEchoStringCommand, "EchoString", Value);
  return textValue(out.at(0));
}

QString TServerMethods1Client::ReverseString(const QString &Value)
{
  const QCborArray out = run(FReverseStringCommand, "ReverseString", Value);
  return textValue(out.at(0));
}

ClientRef<TAcilisEkranlariki> TServerMethods1Client::AcilisEkranlarVer2()
{
  const QCborArray out = run(FAcilisEkranlarVer2Command, "AcilisEkranlarVer2");
  return object<TAcilisEkranlariki>(*FAcilisEkranlarVer2Command, out.at(0));
}

qint32 TServerMethods1Client::AcilisReklamAdet()
{
  const QCborArray out = run(FAcilisReklamAdetCommand, "AcilisReklamAdet");
  return int32Value(out.at(0));
}

ClientRef<TAcilisEkran> TServerMethods1Client::AcilisREklamVer(qint32 sira)
{
  const QCborArray out = run(FAcilisREklamVerCommand, "AcilisREklamVer", sira);
  return object<TAcilisEkran>(*FAcilisREklamVerCommand, out.at(0));
}

qint32 TServerMethods1Client::BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                             qint32 sepetsirano, qint32 siparissirano, double Adet,
                                             double Bakiye, const QString &barkod)
{
  const QCborArray out = run(FBakiyeDegistirCommand, "BakiyeDegistir", std::move(k), stokno, sepetsirano,
                             siparissirano, Adet, Bakiye, barkod);
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                            qint32 sepetsirano, qint32 siparissirano, double Adet,
                                            double Bakiye, const QString &barkod)
{
  const QCborArray out = run(FBakiyeDuzenleCommand, "BakiyeDuzenle", std::move(k), stokno, sepetsirano,
                             siparissirano, Adet, Bakiye, barkod);
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                                  qint32 sepetsirano, qint32 siparissirano, double Adet,
                                                  double Bakiye, const QString &barkod, double fiyat,
                                                  double ind)
{
  const QCborArray out = run(FBakiyeFiyatDegistirCommand, "BakiyeFiyatDegistir", std::move(k), stokno,
                             sepetsirano, siparissirano, Adet, Bakiye, barkod, fiyat, ind);
  return int32Value(out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::BakiyelerVer2(qint32 carino)
{
  const QCborArray out = run(FBakiyelerVer2Command, "BakiyelerVer2", carino);
  return reader(*FBakiyelerVer2Command, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::BalonGetir(std::unique_ptr<TSonucBilgisi> bil)
{
  const QCborArray out = run(FBalonGetirCommand, "BalonGetir", std::move(bil));
  return reader(*FBalonGetirCommand, out.at(0));
}

ClientRef<MemoryStream> TServerMethods1Client::BannerResimVer(qint64 &size)
{
  const QCborArray out = run(FBannerResimVerCommand, "BannerResimVer");
  size = int64Value(out.at(0), "size");
  return stream(*FBannerResimVerCommand, out.at(1));
}

ClientRef<MemoryStream> TServerMethods1Client::BannerResimVer2(qint64 &size)
{
  const QCborArray out = run(FBannerResimVer2Command, "BannerResimVer2");
  size = int64Value(out.at(0), "size");
  return stream(*FBannerResimVer2Command, out.at(1));
}

ClientRef<MemoryStream> TServerMethods1Client::BannerResimVer3(qint64 &size)
{
  const QCborArray out = run(FBannerResimVer3Command, "BannerResimVer3");
  size = int64Value(out.at(0), "size");
  return stream(*FBannerResimVer3Command, out.at(1));
}

ClientRef<TSonucBilgisi> TServerMethods1Client::BuyukGetir(const QString &idsi)
{
  const QCborArray out = run(FBuyukGetirCommand, "BuyukGetir", idsi);
  return object<TSonucBilgisi>(*FBuyukGetirCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::CariAra(std::unique_ptr<TSonucBilgisi> bil, const QString &aranan)
{
  const QCborArray out = run(FCariAraCommand, "CariAra", std::move(bil), aranan);
  return reader(*FCariAraCommand, out.at(0));
}

QString TServerMethods1Client::CariDurumVer(qint32 carino)
{
  const QCborArray out = run(FCariDurumVerCommand, "CariDurumVer", carino);
  return textValue(out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::CariEkstreVer(qint32 carino)
{
  const QCborArray out = run(FCariEkstreVerCommand, "CariEkstreVer", carino);
  return reader(*FCariEkstreVerCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::CariSepetVer(std::unique_ptr<TSonucBilgisi> bil, qint32 n)
{
  const QCborArray out = run(FCariSepetVerCommand, "CariSepetVer", std::move(bil), n);
  return reader(*FCariSepetVerCommand, out.at(0));
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(qint32 carino)
{
  const QCborArray out = run(FCariVadeGunGecmismiBulCommand, "CariVadeGunGecmismiBul", carino);
  return textValue(out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::FaturaAltGetir(qint32 idnosu)
{
  const QCborArray out = run(FFaturaAltGetirCommand, "FaturaAltGetir", idnosu);
  return reader(*FFaturaAltGetirCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::FaturaGetir(qint32 carino, qint32 idnosu)
{
  const QCborArray out = run(FFaturaGetirCommand, "FaturaGetir", carino, idnosu);
  return reader(*FFaturaGetirCommand, out.at(0));
}

wire::TableMap TServerMethods1Client::KampanyaliVer2(qint32 cario, qint32 satici)
{
  const QCborArray out = run(FKampanyaliVer2Command, "KampanyaliVer2", cario, satici);
  return packetValue(out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::KargolarVer(qint32 gn)
{
  const QCborArray out = run(FKargolarVerCommand, "KargolarVer", gn);
  return reader(*FKargolarVerCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::KargoVer()
{
  const QCborArray out = run(FKargoVerCommand, "KargoVer");
  return reader(*FKargoVerCommand, out.at(0));
}

QString TServerMethods1Client::KayanYaziGetir()
{
  const QCborArray out = run(FKayanYaziGetirCommand, "KayanYaziGetir");
  return textValue(out.at(0));
}

qint32 TServerMethods1Client::MailGonserCari(const QString &idsi, const QString &baslik,
                                             const QString &firmaadi, const QString &adres1,
                                             const QString &adres2, const QString &ilce, const QString &sehir,
                                             const QString &telefon, const QString &fax, const QString &vd,
                                             const QString &vn, const QString &yetkili,
                                             const QString &kullaniciadi, const QString &sifre,
                                             const QString &mail, const QString &kargoambar)
{
  const QCborArray out =
      run(FMailGonserCariCommand, "MailGonserCari", idsi, baslik, firmaadi, adres1, adres2, ilce, sehir,
          telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar);
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::MailGonserCariNormal(const QString &idsi, const QString &baslik,
                                                   const QString &firmaadi, const QString &adres1,
                                                   const QString &adres2, const QString &ilce,
                                                   const QString &sehir, const QString &telefon,
                                                   const QString &fax, const QString &vd, const QString &vn,
                                                   const QString &yetkili, const QString &kullaniciadi,
                                                   const QString &sifre, const QString &mail,
                                                   const QString &kargoambar, const QString &konu)
{
  const QCborArray out =
      run(FMailGonserCariNormalCommand, "MailGonserCariNormal", idsi, baslik, firmaadi, adres1, adres2, ilce,
          sehir, telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu);
  return int32Value(out.at(0));
}

ClientRef<TMobilCariBilgisi> TServerMethods1Client::MobilCariBilgisiGetir(qint32 sirano, const QString &_idsi)
{
  const QCborArray out = run(FMobilCariBilgisiGetirCommand, "MobilCariBilgisiGetir", sirano, _idsi);
  return object<TMobilCariBilgisi>(*FMobilCariBilgisiGetirCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::OncekiSiparisler(qint32 carino)
{
  const QCborArray out = run(FOncekiSiparislerCommand, "OncekiSiparisler", carino);
  return reader(*FOncekiSiparislerCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::RaporAlinanSiparisler(std::unique_ptr<TSonucBilgisi> bilgi,
                                                                  double tarih1, double tarih2)
{
  const QCborArray out =
      run(FRaporAlinanSiparislerCommand, "RaporAlinanSiparisler", std::move(bilgi), tarih1, tarih2);
  return reader(*FRaporAlinanSiparislerCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::RaporEnCokSatilanStoklar(std::unique_ptr<TSonucBilgisi> bilgi,
                                                                     double tarih1, double tarih2)
{
  const QCborArray out =
      run(FRaporEnCokSatilanStoklarCommand, "RaporEnCokSatilanStoklar", std::move(bilgi), tarih1, tarih2);
  return reader(*FRaporEnCokSatilanStoklarCommand, out.at(0));
}

ClientRef<MemoryStream> TServerMethods1Client::RaporGetir(qint32 raporno, qint32 bolum, qint32 idno,
                                                          qint32 carino, const QString &saticiadi,
                                                          double tarih1, double tarih2, qint64 &size)
{
  const QCborArray out =
      run(FRaporGetirCommand, "RaporGetir", raporno, bolum, idno, carino, saticiadi, tarih1, tarih2);
  size = int64Value(out.at(0), "size");
  return stream(*FRaporGetirCommand, out.at(1));
}

ClientRef<MemoryStream> TServerMethods1Client::ResimVer5(qint32 stokno, qint64 &boy)
{
  const QCborArray out = run(FResimVer5Command, "ResimVer5", stokno);
  boy = int64Value(out.at(0), "boy");
  return stream(*FResimVer5Command, out.at(1));
}

ClientRef<MemoryStream> TServerMethods1Client::SAnalPosPdfVer(qint32 sirano, qint64 &boy)
{
  const QCborArray out = run(FSAnalPosPdfVerCommand, "SAnalPosPdfVer", sirano);
  boy = int64Value(out.at(0), "boy");
  return stream(*FSAnalPosPdfVerCommand, out.at(1));
}

qint32 TServerMethods1Client::SanalposSiranoVer(qint32 idnosu)
{
  const QCborArray out = run(FSanalposSiranoVerCommand, "SanalposSiranoVer", idnosu);
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::SepetEkle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino, qint32 stokno,
                                         const QString &barkod, const QString &stokadi, double miktar,
                                         double kdv, double fiyat, double ind1, qint32 verenid, qint32 k,
                                         double ind2, double ind3, double ind4)
{
  const QCborArray out = run(FSepetEkle2Command, "SepetEkle2", std::move(bilgim), carino, stokno, barkod,
                             stokadi, miktar, kdv, fiyat, ind1, verenid, k, ind2, ind3, ind4);
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::SepetGuncelle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino,
                                             qint32 stokno, const QString &barkod, const QString &stokadi,
                                             double miktar, double kdv, double fiyat, double ind1,
                                             qint32 verenid, qint32 _sepetsirano, double ind2, double ind3,
                                             double ind4)
{
  const QCborArray out =
      run(FSepetGuncelle2Command, "SepetGuncelle2", std::move(bilgim), carino, stokno, barkod, stokadi,
          miktar, kdv, fiyat, ind1, verenid, _sepetsirano, ind2, ind3, ind4);
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi)
{
  const QCborArray out = run(FSepetHepsiniSilCommand, "SepetHepsiniSil", std::move(bilgi));
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, qint32 satirno,
                                            const QString &aciklamam)
{
  const QCborArray out = run(FSepetSatirSilCommand, "SepetSatirSil", std::move(bilgi), satirno, aciklamam);
  return int32Value(out.at(0));
}

qint32 TServerMethods1Client::SepetSayisi(std::unique_ptr<TSonucBilgisi> bil)
{
  const QCborArray out = run(FSepetSayisiCommand, "SepetSayisi", std::move(bil));
  return int32Value(out.at(0));
}

void TServerMethods1Client::SepetSecimGuncelle(qint32 sirano, qint32 secim)
{
  run(FSepetSecimGuncelleCommand, "SepetSecimGuncelle", sirano, secim);
}

wire::TableMap TServerMethods1Client::SepetVer2(qint32 carino)
{
  const QCborArray out = run(FSepetVer2Command, "SepetVer2", carino);
  return packetValue(out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::SiparisAyrintisi2(qint32 carino, qint32 idnosu)
{
  const QCborArray out = run(FSiparisAyrintisi2Command, "SiparisAyrintisi2", carino, idnosu);
  return reader(*FSiparisAyrintisi2Command, out.at(0));
}

ClientRef<TSiparisDipAyrinti> TServerMethods1Client::SiparisAytintisiDip(qint32 carino, qint32 siranosu)
{
  const QCborArray out = run(FSiparisAytintisiDipCommand, "SiparisAytintisiDip", carino, siranosu);
  return object<TSiparisDipAyrinti>(*FSiparisAytintisiDipCommand, out.at(0));
}

bool TServerMethods1Client::SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, qint32 _carino, qint32 _teslim,
                                          qint32 _kargo, const QString &_aciklama, qint32 _verenid,
                                          qint32 _kargoyeni)
{
  const QCborArray out = run(FSiparisKaydetCommand, "SiparisKaydet", std::move(BB), _carino, _teslim, _kargo,
                             _aciklama, _verenid, _kargoyeni);
  return boolValue(out.at(0));
}

wire::TableMap TServerMethods1Client::StokAraGetirTarvesa(const QString &kod,
                                                          std::unique_ptr<TSonucBilgisi> bilgi)
{
  const QCborArray out = run(FStokAraGetirTarvesaCommand, "StokAraGetirTarvesa", kod, std::move(bilgi));
  return packetValue(out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::Tahsilat(qint32 idnosu)
{
  const QCborArray out = run(FTahsilatCommand, "Tahsilat", idnosu);
  return reader(*FTahsilatCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::TeslimVer()
{
  const QCborArray out = run(FTeslimVerCommand, "TeslimVer");
  return reader(*FTeslimVerCommand, out.at(0));
}

ClientRef<DBXReader> TServerMethods1Client::TumSiparislerVer(qint32 carino, qint32 stokno)
{
  const QCborArray out = run(FTumSiparislerVerCommand, "TumSiparislerVer", carino, stokno);
  return reader(*FTumSiparislerVerCommand, out.at(0));
}

ClientRef<TTusSonuclari> TServerMethods1Client::TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil)
{
  const QCborArray out = run(FTusSonuclariVerCommand, "TusSonuclariVer", std::move(bil));
  return object<TTusSonuclari>(*FTusSonuclariVerCommand, out.at(0));
}

wire::TableMap TServerMethods1Client::YenilerVer2(qint32 carino)
{
  const QCborArray out = run(FYenilerVer2Command, "YenilerVer2", carino);
  return packetValue(out.at(0));
}

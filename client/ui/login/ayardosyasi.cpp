#include "ui/login/ayardosyasi.h"

#include "app/identity.h"

#include <QFile>

#define SI_CONVERT_ICU
#include <SimpleIni.h>

namespace {
const char *const kSection = "kullanici";
const char *const kIsim = "isim";
const char *const kSifre = "sifre";
const char *const kHatirla = "hatırla"; // UTF-8, as the file holds it
} // namespace

QString AyarDosyasiYolu()
{
  return AyarKlasoruAl() + QStringLiteral("/ayar.ini");
}

std::optional<GirisAyarlari> AyarDosyasiOku(const QString &path)
{
  if (!QFile::exists(path))
    return std::nullopt;
  CSimpleIniA ini(true);
  if (ini.LoadFile(QFile::encodeName(path).constData()) < 0)
    return std::nullopt;
  GirisAyarlari ayarlar;
  ayarlar.hatirla = ini.GetBoolValue(kSection, kHatirla, true);
  ayarlar.isim = QString::fromUtf8(ini.GetValue(kSection, kIsim, ""));
  ayarlar.sifre = QString::fromUtf8(ini.GetValue(kSection, kSifre, ""));
  return ayarlar;
}

bool AyarDosyasiYaz(const QString &path, const GirisAyarlari &ayarlar)
{
  CSimpleIniA ini(true);
  ini.SetSpaces(false);
  if (QFile::exists(path))
    ini.LoadFile(QFile::encodeName(path).constData()); // keep whatever else the file holds
  ini.SetValue(kSection, kIsim, ayarlar.isim.toUtf8().constData());
  ini.SetValue(kSection, kSifre, ayarlar.hatirla ? ayarlar.sifre.toUtf8().constData() : "");
  ini.SetValue(kSection, kHatirla, ayarlar.hatirla ? "1" : "0");
  return ini.SaveFile(QFile::encodeName(path).constData(), false) >= 0;
}

#pragma once
// The login's settings file "ayar.ini": section "kullanici" with the keys
// "isim", "sifre" and "hatırla", written as a Windows INI file reads it
// (key=value, UTF-8 without a signature).

#include <QString>

#include <optional>

struct GirisAyarlari {
  QString isim;
  QString sifre;
  bool hatirla = true;
};

QString AyarDosyasiYolu(); // <settings folder>/ayar.ini

// Nothing when the file does not exist or cannot be read; missing keys keep
// their defaults ("hatırla" checked, texts empty).
std::optional<GirisAyarlari> AyarDosyasiOku(const QString &path);
// Writes the three keys. With "hatırla" off the password is not kept on
// disk: "sifre" is written empty. Returns false when the file cannot be
// written.
bool AyarDosyasiYaz(const QString &path, const GirisAyarlari &ayarlar);

#pragma once
// Pictures travel from the server as text: two hexadecimal digits per byte,
// most significant digit first ("474946" for the bytes "GIF"). And the
// search text of an announcement or opening screen decides where it leads.

#include <QByteArray>
#include <QString>

// The bytes of a picture text. Upper and lower case digits are accepted; a
// text of odd length ends with one digit, which gives one byte (0 … 15).
// A pair that is not hexadecimal raises std::runtime_error naming it.
QByteArray ResimMetniCoz(const QString &text);

enum class AramaYonu {
  Hicbiri,   // blank text: nothing happens
  Kampanya,  // "#KAMPANYA#": the campaign tab
  Yeni,      // "#YENİ#": the new-items tab
  StokArama, // anything else: a stock search for the text
};
// Compares the untrimmed text exactly; only a blank text leads nowhere.
AramaYonu AramaMetniYonu(const QString &text);

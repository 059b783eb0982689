#pragma once
// Pictures the server hands out: stock item photos (JPEG), banners (GIF and
// Windows bitmap), opening screens. The demo ones are drawn, deterministically.

#include <QByteArray>
#include <QList>
#include <QString>

class QImage;

namespace backend {

QByteArray renderStockPicture(int stokno, const QString &name, const QString &brand, const QString &code);

// A GIF89a file of one or more frames (looping when more than one), each
// frame shown for `delayCs` hundredths of a second. Colours are reduced to a
// fixed 256-colour palette.
QByteArray encodeGif(const QList<QImage> &frames, int delayCs);

// The three demo banners: first (animated GIF), upper (GIF), lower (BMP).
QByteArray demoBanner(int slot);
// A demo opening screen picture (JPEG).
QByteArray demoScreenPicture(int position, const QString &title);

} // namespace backend

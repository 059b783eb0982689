#include "pictures.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace backend {

namespace {

// Fixed palette: a 6x7x6 colour cube (252 colours) and four greys.
struct Palette {
  QList<QRgb> colors;
  Palette()
  {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 7; ++g)
        for (int b = 0; b < 6; ++b)
          colors.append(qRgb(r * 51, g * 255 / 6, b * 51));
    for (int grey : {64, 128, 192, 224})
      colors.append(qRgb(grey, grey, grey));
  }
  static int index(QRgb c)
  {
    const int r = (qRed(c) * 5 + 127) / 255;
    const int g = (qGreen(c) * 6 + 127) / 255;
    const int b = (qBlue(c) * 5 + 127) / 255;
    return r * 42 + g * 6 + b;
  }
};

const Palette &palette()
{
  static const Palette p;
  return p;
}

void put16(QByteArray &out, int value)
{
  out.append(char(value & 0xFF));
  out.append(char((value >> 8) & 0xFF));
}

// LZW-compresses 8-bit colour indices as GIF wants them, in data sub-blocks.
QByteArray lzw(const std::vector<quint8> &pixels)
{
  constexpr int kClear = 256;
  constexpr int kEnd = 257;
  QByteArray packed;
  quint32 bitBuffer = 0;
  int bitCount = 0;
  int codeSize = 9;
  auto putCode = [&](int code) {
    bitBuffer |= quint32(code) << bitCount;
    bitCount += codeSize;
    while (bitCount >= 8) {
      packed.append(char(bitBuffer & 0xFF));
      bitBuffer >>= 8;
      bitCount -= 8;
    }
  };
  std::vector<qint16> table(4096 * 256, -1);
  int nextCode = 258;
  putCode(kClear);
  if (!pixels.empty()) {
    int prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
      const int c = pixels[i];
      const size_t key = size_t(prefix) * 256 + size_t(c);
      if (table[key] >= 0) {
        prefix = table[key];
        continue;
      }
      putCode(prefix);
      if (nextCode < 4096) {
        table[key] = qint16(nextCode++);
        if (nextCode > (1 << codeSize) && codeSize < 12)
          ++codeSize;
      } else {
        putCode(kClear);
        std::fill(table.begin(), table.end(), qint16(-1));
        nextCode = 258;
        codeSize = 9;
      }
      prefix = c;
    }
    putCode(prefix);
  }
  putCode(kEnd);
  if (bitCount > 0)
    packed.append(char(bitBuffer & 0xFF));

  QByteArray blocks;
  for (qsizetype i = 0; i < packed.size(); i += 255) {
    const qsizetype n = qMin<qsizetype>(255, packed.size() - i);
    blocks.append(char(n));
    blocks.append(packed.constData() + i, n);
  }
  blocks.append(char(0));
  return blocks;
}

QByteArray toFormat(const QImage &image, const char *format, int quality = -1)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return bytes;
}

QColor hue(int seed, int saturation = 160, int value = 220)
{
  return QColor::fromHsv((seed * 47) % 360, saturation, value);
}

} // namespace

QByteArray encodeGif(const QList<QImage> &frames, int delayCs)
{
  if (frames.isEmpty())
    return {};
  const int width = frames.first().width();
  const int height = frames.first().height();
  QByteArray out("GIF89a");
  put16(out, width);
  put16(out, height);
  out.append(char(0xF7)); // global colour table of 256 entries
  out.append(char(0));
  out.append(char(0));
  for (QRgb c : palette().colors) {
    out.append(char(qRed(c)));
    out.append(char(qGreen(c)));
    out.append(char(qBlue(c)));
  }
  if (frames.size() > 1) {
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    put16(out, 0); // loop for ever
    out.append(char(0));
  }
  for (const QImage &frame : frames) {
    const QImage image = frame.convertToFormat(QImage::Format_RGB32).scaled(width, height);
    out.append("\x21\xF9\x04\x00", 4);
    put16(out, delayCs);
    out.append(char(0));
    out.append(char(0));
    out.append(char(0x2C));
    put16(out, 0);
    put16(out, 0);
    put16(out, width);
    put16(out, height);
    out.append(char(0));
    out.append(char(8));
    std::vector<quint8> pixels;
    pixels.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
      const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
      for (int x = 0; x < width; ++x)
        pixels.push_back(quint8(Palette::index(line[x])));
    }
    out.append(lzw(pixels));
  }
  out.append(char(0x3B));
  return out;
}

QByteArray renderStockPicture(int stokno, const QString &name, const QString &brand, const QString &code)
{
  QImage image(480, 360, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient background(0, 0, 0, 360);
  background.setColorAt(0, QColor(250, 250, 250));
  background.setColorAt(1, QColor(222, 226, 232));
  p.fillRect(image.rect(), background);
  // A part-like shape: a disc with holes, coloured by the item.
  const QColor metal = hue(stokno, 40, 170);
  p.setPen(QPen(metal.darker(160), 3));
  p.setBrush(metal);
  p.drawEllipse(QPointF(240, 160), 110, 110);
  p.setBrush(QColor(250, 250, 250));
  p.drawEllipse(QPointF(240, 160), 34, 34);
  for (int i = 0; i < 5 + stokno % 4; ++i) {
    const double angle = i * 6.283185307 / (5 + stokno % 4);
    p.drawEllipse(QPointF(240 + 70 * std::cos(angle), 160 + 70 * std::sin(angle)), 9, 9);
  }
  p.setPen(QColor(40, 44, 52));
  QFont font(QStringLiteral("DejaVu Sans"), 14, QFont::Bold);
  p.setFont(font);
  p.drawText(QRect(10, 285, 460, 30), Qt::AlignCenter, brand + QStringLiteral("  ") + code);
  font.setPointSize(10);
  font.setBold(false);
  p.setFont(font);
  p.drawText(QRect(10, 315, 460, 40), Qt::AlignCenter | Qt::TextWordWrap, name);
  p.end();
  return toFormat(image, "JPEG", 85);
}

QByteArray demoBanner(int slot)
{
  const QStringList texts{QStringLiteral("Aralık Kampanyası"), QStringLiteral("Fren ve filtrede %15 indirim"),
                          QStringLiteral("Aynı gün kargo")};
  auto frame = [&](int width, int height, int step, const QString &text) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(246, 211, 56));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(67, 76, 88));
    p.drawRect(0, 0, 12 + step * 6, height);
    p.setPen(QColor(67, 76, 88));
    QFont font(QStringLiteral("DejaVu Sans"), height / 5, QFont::Bold);
    p.setFont(font);
    p.drawText(image.rect().adjusted(30, 0, -10, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    return image;
  };
  if (slot == 1) {
    QList<QImage> frames;
    for (int i = 0; i < 3; ++i)
      frames.append(frame(300, 94, i, texts[i]));
    return encodeGif(frames, 150);
  }
  if (slot == 2)
    return encodeGif({frame(1200, 60, 1, texts[1])}, 0);
  return toFormat(frame(1200, 60, 2, texts[2]), "BMP");
}

QByteArray demoScreenPicture(int position, const QString &title)
{
  QImage image(800, 500, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 800, 500);
  g.setColorAt(0, hue(position * 3, 120, 240));
  g.setColorAt(1, hue(position * 3 + 5, 180, 150));
  p.fillRect(image.rect(), g);
  p.setPen(Qt::white);
  QFont font(QStringLiteral("DejaVu Sans"), 30, QFont::Bold);
  p.setFont(font);
  p.drawText(image.rect().adjusted(40, 40, -40, -40), Qt::AlignCenter | Qt::TextWordWrap, title);
  p.end();
  return toFormat(image, "JPEG", 85);
}

} // namespace backend

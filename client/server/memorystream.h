#pragma once
// A byte stream returned by a server method (pictures, PDF documents).

#include <QByteArray>

#include <algorithm>
#include <cstring>

class MemoryStream {
public:
  explicit MemoryStream(QByteArray bytes) : bytes_(std::move(bytes)) {}

  qint64 Size() const { return bytes_.size(); }
  qint64 Position() const { return position_; }
  void Seek(qint64 position) { position_ = std::clamp<qint64>(position, 0, bytes_.size()); }
  // Reads up to `count` bytes from the position; returns how many were read.
  qint64 Read(char *buffer, qint64 count)
  {
    const qint64 n = std::clamp<qint64>(bytes_.size() - position_, 0, std::max<qint64>(count, 0));
    if (n > 0)
      std::memcpy(buffer, bytes_.constData() + position_, size_t(n));
    position_ += n;
    return n;
  }
  const QByteArray &bytes() const { return bytes_; }

private:
  QByteArray bytes_;
  qint64 position_ = 0;
};

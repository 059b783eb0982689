#include "wire/frame.h"

#include <QCborStreamReader>
#include <QCborValue>
#include <QDeadlineTimer>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace wire {

QByteArray encodeFrame(const QCborMap &message)
{
  const QByteArray body = message.toCborValue().toCbor();
  QByteArray frame(4, Qt::Uninitialized);
  qToBigEndian<quint32>(quint32(body.size()), frame.data());
  frame.append(body);
  return frame;
}

std::optional<QCborMap> decodeMessage(const QByteArray &payload, QString *error)
{
  auto fail = [error](const QString &text) {
    if (error)
      *error = text;
    return std::nullopt;
  };
  if (payload.isEmpty())
    return fail(QStringLiteral("empty frame"));
  QCborStreamReader reader(payload);
  if (!reader.isMap())
    return fail(QStringLiteral("frame does not hold a CBOR map"));
  const QCborValue value = QCborValue::fromCbor(reader);
  if (reader.lastError() != QCborError::NoError)
    return fail(QStringLiteral("malformed CBOR: %1").arg(reader.lastError().toString()));
  if (reader.currentOffset() != payload.size())
    return fail(QStringLiteral("trailing bytes after the CBOR map"));
  if (!value.isMap())
    return fail(QStringLiteral("frame does not hold a CBOR map"));
  const QCborMap map = value.toMap();
  for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
    if (!it.key().isString())
      return fail(QStringLiteral("map key is not text"));
  }
  return map;
}

FrameReader::FrameReader(quint32 maxFrameSize) : maxFrameSize_(maxFrameSize) {}

void FrameReader::feed(const char *data, qsizetype size)
{
  if (offset_ > 0 && offset_ >= buffer_.size() / 2) {
    buffer_.remove(0, offset_);
    offset_ = 0;
  }
  buffer_.append(data, size);
}

qsizetype FrameReader::pendingBytes() const
{
  const qsizetype have = buffer_.size() - offset_;
  if (have < 4)
    return 4 - have;
  const quint32 length = qFromBigEndian<quint32>(buffer_.constData() + offset_);
  if (length == 0 || length > maxFrameSize_)
    return 0;
  return qMax<qsizetype>(0, qsizetype(length) + 4 - have);
}

FrameReader::Result FrameReader::next(QByteArray *payload)
{
  if (!error_.isEmpty())
    return Result::Error;
  const qsizetype have = buffer_.size() - offset_;
  if (have < 4)
    return Result::NeedMore;
  const quint32 length = qFromBigEndian<quint32>(buffer_.constData() + offset_);
  if (length == 0) {
    error_ = QStringLiteral("frame of length 0");
    return Result::Error;
  }
  if (length > maxFrameSize_) {
    error_ = QStringLiteral("frame of %1 bytes exceeds the limit of %2 bytes").arg(length).arg(maxFrameSize_);
    return Result::Error;
  }
  if (have < qsizetype(length) + 4)
    return Result::NeedMore;
  *payload = buffer_.mid(offset_ + 4, length);
  offset_ += 4 + length;
  if (offset_ == buffer_.size()) {
    buffer_.clear();
    offset_ = 0;
  }
  return Result::Frame;
}

FramedChannel::FramedChannel(QIODevice *device, quint32 maxFrameSize) : device_(device), reader_(maxFrameSize)
{
}

bool FramedChannel::send(const QCborMap &message, int timeoutMs)
{
  const QByteArray frame = encodeFrame(message);
  if (device_->write(frame) != frame.size()) {
    error_ = QStringLiteral("write failed: %1").arg(device_->errorString());
    return false;
  }
  QDeadlineTimer deadline(timeoutMs);
  while (device_->bytesToWrite() > 0) {
    if (!device_->waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())))) {
      error_ = deadline.hasExpired() ? QStringLiteral("write timed out")
                                     : QStringLiteral("write failed: %1").arg(device_->errorString());
      timedOut_ = deadline.hasExpired();
      return false;
    }
  }
  return true;
}

std::optional<QCborMap> FramedChannel::receive(int timeoutMs)
{
  protocolError_ = false;
  timedOut_ = false;
  QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    QByteArray payload;
    switch (reader_.next(&payload)) {
    case FrameReader::Result::Frame: {
      auto message = decodeMessage(payload, &error_);
      if (!message)
        protocolError_ = true;
      return message;
    }
    case FrameReader::Result::Error:
      error_ = reader_.error();
      protocolError_ = true;
      return std::nullopt;
    case FrameReader::Result::NeedMore:
      break;
    }
    // Read at most what the current frame still needs, in bounded chunks, so
    // the buffer only ever holds bytes that really arrived.
    if (device_->bytesAvailable() <= 0) {
      if (deadline.hasExpired()) {
        error_ = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
        timedOut_ = true;
        return std::nullopt;
      }
      if (!device_->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
        if (deadline.hasExpired()) {
          error_ = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
          timedOut_ = true;
        } else {
          error_ = QStringLiteral("connection closed: %1").arg(device_->errorString());
        }
        return std::nullopt;
      }
    }
    const qsizetype want = std::clamp<qsizetype>(reader_.pendingBytes(), 1, 1 << 20);
    const QByteArray chunk = device_->read(qMin<qint64>(want, device_->bytesAvailable()));
    if (chunk.isEmpty() && device_->bytesAvailable() <= 0 && !device_->isOpen()) {
      error_ = QStringLiteral("connection closed");
      return std::nullopt;
    }
    reader_.feed(chunk);
  }
}

} // namespace wire

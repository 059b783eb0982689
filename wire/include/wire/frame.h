#pragma once
// Length-prefixed CBOR frames: a 4-byte big-endian length, then exactly that
// many bytes holding one CBOR map with text keys.

#include <QByteArray>
#include <QCborMap>
#include <QString>

#include <optional>

class QIODevice;

namespace wire {

inline constexpr quint32 kMaxFrameSize = 64u * 1024u * 1024u;

// Wraps a map into one frame (header + CBOR bytes).
QByteArray encodeFrame(const QCborMap &message);

// Decodes one frame payload. The payload must be exactly one well-formed CBOR
// map whose keys are all text; anything else sets `error` and returns nullopt.
std::optional<QCborMap> decodeMessage(const QByteArray &payload, QString *error);

// Splits an incoming byte stream into frame payloads. It keeps only bytes that
// have arrived: a header announcing a large frame never makes it reserve the
// announced size up front.
class FrameReader {
public:
  explicit FrameReader(quint32 maxFrameSize = kMaxFrameSize);

  enum class Result { NeedMore, Frame, Error };

  void feed(const char *data, qsizetype size);
  void feed(const QByteArray &data) { feed(data.constData(), data.size()); }

  // Takes the next complete payload when one is buffered.
  Result next(QByteArray *payload);

  // How many payload bytes the reader still waits for before the current frame
  // is complete (0 when no header is pending). Callers use it to read no more
  // than needed from their device.
  qsizetype pendingBytes() const;

  QString error() const { return error_; }
  qsizetype buffered() const { return buffer_.size() - offset_; }

private:
  QByteArray buffer_;
  qsizetype offset_ = 0;
  quint32 maxFrameSize_;
  QString error_;
};

// A frame stream over an open device (a socket), read and written blocking.
// Used by both the client's sessions and the server's connection handlers.
class FramedChannel {
public:
  explicit FramedChannel(QIODevice *device, quint32 maxFrameSize = kMaxFrameSize);

  // Writes one frame and waits until it has left the process.
  bool send(const QCborMap &message, int timeoutMs);

  // Waits up to timeoutMs for the next message. On failure returns nullopt and
  // error() says why; isProtocolError() tells a malformed stream from a
  // timeout or a closed peer.
  std::optional<QCborMap> receive(int timeoutMs);

  QString error() const { return error_; }
  bool isProtocolError() const { return protocolError_; }
  bool timedOut() const { return timedOut_; }

private:
  QIODevice *device_;
  FrameReader reader_;
  QString error_;
  bool protocolError_ = false;
  bool timedOut_ = false;
};

} // namespace wire

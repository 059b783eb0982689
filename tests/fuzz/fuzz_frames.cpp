// Fuzz target over everything the server decodes from a peer: the frame
// stream, the CBOR maps, table maps and the JSON object form inside tag 262.
//
// Built with clang and TARVESA_FUZZ=ON it is a libFuzzer target:
//   build-fuzz/tests/fuzz_frames -max_total_time=60 tests/fuzz/corpus
// Otherwise it is a plain program that runs the files named on its command
// line once each (CTest runs the corpus that way).

#include <wire/catalogue.h>
#include <wire/frame.h>
#include <wire/jsonform.h>
#include <wire/tablemap.h>
#include <wire/value.h>

#include <QCborArray>
#include <QFile>

#include <cstdint>
#include <cstdio>

namespace {

void inspect(const QCborValue &value, int depth)
{
  if (depth > 8)
    return;
  QByteArray json;
  if (wire::extractJson(value, &json)) {
    (void)wire::readJson(json);
    return;
  }
  if (value.isMap()) {
    QString error;
    (void)wire::TableMap::fromCbor(value, &error);
    const QCborMap map = value.toMap();
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
      inspect(it.value(), depth + 1);
  } else if (value.isArray()) {
    for (const QCborValue &item : value.toArray())
      inspect(item, depth + 1);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  wire::FrameReader reader(1 << 20);
  // Feed in uneven chunks, as a socket would deliver them.
  size_t offset = 0;
  size_t chunk = 1;
  while (offset < size) {
    const size_t n = std::min(chunk, size - offset);
    reader.feed(reinterpret_cast<const char *>(data) + offset, qsizetype(n));
    offset += n;
    chunk = chunk * 3 + 1;
    QByteArray payload;
    for (;;) {
      const auto result = reader.next(&payload);
      if (result != wire::FrameReader::Result::Frame)
        break;
      QString error;
      const auto message = wire::decodeMessage(payload, &error);
      if (!message)
        continue;
      const QCborValue params = message->value(QStringLiteral("params"));
      if (const wire::MethodSignature *m =
              wire::findMethod(message->value(QStringLiteral("call")).toString())) {
        const auto inputs = m->inputs();
        for (qsizetype i = 0; i < inputs.size() && i < params.toArray().size(); ++i)
          (void)wire::matchesKind(params.toArray().at(i), inputs[i].kind);
      }
      inspect(message->toCborValue(), 0);
    }
  }
  return 0;
}

#ifndef TARVESA_LIBFUZZER
int main(int argc, char **argv)
{
  for (int i = 1; i < argc; ++i) {
    QFile file(QString::fromLocal8Bit(argv[i]));
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
  }
  return 0;
}
#endif

#include "ui/content/banner.h"

#include "server/callpatterns.h"
#include "server/memorystream.h"

std::optional<QByteArray> BannerIndir(const ServerConnection &bagc, BannerMetodu metod)
{
  std::optional<QByteArray> result;
  CallOnClone(
      bagc,
      [&](TServerMethods1Client &client) {
        qint64 size = 0;
        ClientRef<MemoryStream> stream = (client.*metod)(size);
        if (size == 0) {
          result = QByteArray();
          return;
        }
        if (!stream)
          return;
        stream->Seek(0);
        QByteArray bytes;
        char block[1024];
        for (;;) {
          const qint64 n = stream->Read(block, sizeof block);
          bytes.append(block, n);
          if (n < qint64(sizeof block))
            break;
        }
        if (bytes.size() == size)
          result = bytes; // an incomplete picture is dropped
      },
      1);
  return result;
}

#pragma once
// Banner pictures from the server: the header banner, the upper strip and
// the lower scrolling banner.

#include "server/clientref.h"

#include <QByteArray>

#include <optional>

class MemoryStream;
class ServerConnection;
class TServerMethods1Client;

using BannerMetodu = ClientRef<MemoryStream> (TServerMethods1Client::*)(qint64 &size);

// Downloads one banner on a clone of `bagc` (the connection message shows
// when it cannot connect). An empty array when the server has none (size 0);
// nothing when the connection failed, the call failed or the picture came
// incomplete (fewer bytes than announced). Never raises.
std::optional<QByteArray> BannerIndir(const ServerConnection &bagc, BannerMetodu metod);

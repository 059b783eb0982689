#pragma once

#include <QString>

namespace backend {

// What the server knows about one connection.
struct Session {
  QString peer;     // "address:port", for the log
  QString computer; // computer identity from the hello
  QString role;     // "methods" or "channel"
};

} // namespace backend

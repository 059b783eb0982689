#pragma once

#include <QString>

#include <optional>

namespace backend {

// The account a computer identity is bound to.
struct Account {
  int sirano = 0;
  QString username;
  QString password;
  int userType = 0; // 1, 2 sales staff; 3, 4 dealers
  bool active = false;
  int carino = 0; // the dealer of a dealer account; 0 for sales staff
  int salespersonId = 0;
  QString email;
  QString computerId;

  bool isStaff() const { return userType == 1 || userType == 2; }
};

// What the server knows about one connection.
struct Session {
  QString peer;     // "address:port", for the log
  QString computer; // computer identity from the hello
  QString role;     // "methods" or "channel"

  // The account bound to `computer`, looked up once per session on the first
  // call that needs it.
  bool accountLoaded = false;
  std::optional<Account> account;
};

} // namespace backend

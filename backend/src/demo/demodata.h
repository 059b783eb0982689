#pragma once
// The deterministic demo data set a new database is filled with.

#include <QString>

namespace backend {

class Storage;

struct DemoOptions {
  int items = 20000; // size of the parts catalogue
  int dealers = 50;
};

// The demo accounts the README names, one per user type.
struct DemoAccount {
  const char *username;
  const char *password;
  int userType;
  const char *computerId;
};
extern const DemoAccount kDemoAccounts[5];

// Fills an empty database (no dealers yet); does nothing otherwise. Returns
// false with `error` set when a statement fails (nothing is kept then).
bool fillDemoDataIfEmpty(Storage &storage, const DemoOptions &options, QString *error);

} // namespace backend

#pragma once
// Admin commands of tarvesa-server, run against its storage.

#include <QString>

namespace backend {

class Storage;

// Prints user name, password, type, dealer and bound computer of every account.
int printAccounts(Storage &storage);
// Binds `computer` to the account `user` (and frees it from any other account).
int bindComputer(Storage &storage, const QString &computer, const QString &user);
// Sets the client version the server expects.
int setClientVersion(Storage &storage, const QString &version);
// Sends a refresh to every registered client of every server on this storage.
int sendNotification(Storage &storage);

} // namespace backend

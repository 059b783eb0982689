#pragma once
// The two ways every feature calls the server.
//
// Pattern A, on the user-interface thread with the main connection:
//   if (!CallOnMainConnection(bagc, [&](TServerMethods1Client &c) { ... })) return;
// connects with retries and reports a failure itself; errors of the call
// itself propagate to the caller (and so to the top-level error handler).
//
// Pattern B, on a worker with a clone of the main connection:
//   bool ok = CallOnClone(bagc, [&](TServerMethods1Client &c) { ... });
// never raises: any failure (no connection, a call error) gives false. With
// report 1 the connection failure message is shown by the connect step.

#include "server/baglantikur.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"

#include <memory>

template <class Work> bool CallOnMainConnection(ServerConnection &bagc, Work &&work)
{
  if (!BaglantiKur(bagc, 1))
    return false;
  struct CloseOnExit {
    ServerConnection &c;
    ~CloseOnExit() { c.close(); }
  } closer{bagc};
  TServerMethods1Client client(bagc);
  work(client);
  return true;
}

// Plain open without retries or message, for the dialogs that want the open
// failure itself to reach the top-level error handler.
template <class Work> void CallOnMainConnectionNoRetry(ServerConnection &bagc, Work &&work)
{
  bagc.openOrThrow();
  struct CloseOnExit {
    ServerConnection &c;
    ~CloseOnExit() { c.close(); }
  } closer{bagc};
  TServerMethods1Client client(bagc);
  work(client);
}

// `bagc` is only read (to clone its settings), so a worker may call this while
// the user-interface thread keeps using its own connection.
template <class Work> bool CallOnClone(const ServerConnection &bagc, Work &&work, int report = 0)
{
  std::unique_ptr<ServerConnection> clone = bagc.clone();
  if (!BaglantiKur(*clone, report))
    return false;
  try {
    TServerMethods1Client client(*clone);
    work(client);
  } catch (...) {
    return false;
  }
  return true;
}

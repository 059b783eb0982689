#pragma once

#include <functional>

class ServerConnection;

inline constexpr int kBaglantiDenemeSayisi = 11;
inline constexpr int kBaglantiBeklemeMs = 500;

// Opens `connection` with up to 11 attempts, 500 ms apart. When every attempt
// fails and `report` is 1, shows "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin
// ...!" (on the user-interface thread). Returns whether the connection is open.
bool BaglantiKur(ServerConnection &connection, int report);

// Test seam: how the pause between attempts is spent (default: sleep).
void SetBaglantiKurPause(std::function<void(int ms)> pause);

#pragma once
// What the basket-line operations and the order sending need from the main
// window.

#include <functional>

class QWidget;
class ServerConnection;
class TSonucBilgisi;

struct SepetIslemi {
  QWidget *sahip;                     // owner window
  ServerConnection &bagc;             // the main connection
  const TSonucBilgisi &sbilgi;        // the login record
  std::function<void()> sepetiYenile; // the basket reload
};

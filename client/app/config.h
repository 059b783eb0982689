#pragma once
// Built-in addresses of the wholesaler's services and their environment
// overrides (TARVESA_SERVER, TARVESA_WEB, TARVESA_UPDATE).

#include <QString>

struct ServerAddress {
  QString host;
  quint16 port = 0;
};

// Application server: 127.0.0.1:9090, or TARVESA_SERVER as "host:port"
// (a bare host keeps port 9090; "[::1]:9090" for IPv6).
ServerAddress ApplicationServer();
// Web host base address ending in "/": http://127.0.0.1:8080/ or TARVESA_WEB.
QString WebHostBase();
// Update download server without a trailing "/": http://127.0.0.1:8080 or TARVESA_UPDATE.
QString UpdateServer();
// Name of the server notification channel.
QString CallbackChannelName();

// Process-wide addresses the login sets: the picture service base (the web
// host + "resimgoster.ashx?id=") and the web base address (ending in "/").
// Both start with the built-in web host until the login replaces them.
QString ResimAdresTabani();
QString WebAdresi();
void SetAdresler(const QString &resimAdresTabani, const QString &webAdresi);

// Parses "host", "host:port" or "[v6]:port"; false for a bad port.
bool ParseServerAddress(const QString &text, ServerAddress *address);

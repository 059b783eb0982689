#pragma once
// The wholesaler's web host: stock pictures, the registration request form,
// the online payment page and the setup program download.

#include <QHostAddress>
#include <QString>

#include <memory>

class QHttpServer;

namespace backend {

struct ServerContext;

struct WebHostOptions {
  QString setupProgram; // file served as /exe/TarvesaSetup.exe; empty: the demo one
};

class WebHost {
public:
  WebHost(ServerContext &context, WebHostOptions options);
  ~WebHost();
  // Listens on the calling thread's event loop; 0 picks a free port.
  bool listen(const QHostAddress &address, quint16 port, QString *error);
  quint16 port() const { return port_; }

private:
  void addRoutes();

  ServerContext &context_;
  WebHostOptions options_;
  std::unique_ptr<QHttpServer> http_;
  quint16 port_ = 0;
};

// Checks and records a card payment towards a dealer's balance: a collection
// in the statement with its online payment record. Returns the payment
// number, or 0 with `error` set.
int recordCardPayment(ServerContext &context, int carino, double amount, const QString &holder,
                      const QString &cardNumber, const QString &expiry, const QString &cvc, int installments,
                      QString *error);

// The demo setup program: a script that only records that it ran.
QByteArray demoSetupProgram();

} // namespace backend

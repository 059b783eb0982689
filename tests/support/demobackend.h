#pragma once
// A real tarvesa server for tests: a temporary SQLite database filled with
// demo data, every method registered, listening on a free loopback port.

#include <appserver.h>
#include <demo/demodata.h>
#include <methods/common.h>
#include <storage/storage.h>

#include <QTemporaryDir>

#include <memory>

struct DemoBackend {
  QTemporaryDir dir;
  std::unique_ptr<backend::Storage> storage;
  std::unique_ptr<backend::ServerContext> context;
  backend::MethodRegistry registry;
  std::unique_ptr<backend::ServerThread> server;

  // Opens the database, fills `items` parts and `dealers` dealers, starts
  // the server. False with `error` set when any step fails.
  bool start(int items, int dealers, QString *error)
  {
    storage = std::make_unique<backend::Storage>(backend::StorageOptions{dir.path(), {}});
    if (!storage->open(error))
      return false;
    backend::DemoOptions demo;
    demo.items = items;
    demo.dealers = dealers;
    if (!backend::fillDemoDataIfEmpty(*storage, demo, error))
      return false;
    context = std::make_unique<backend::ServerContext>(backend::ServerContext{*storage});
    backend::addAllMethods(registry, *context);
    server =
        std::make_unique<backend::ServerThread>(registry, backend::ServerOptions{QHostAddress::LocalHost, 0});
    return server->start(error);
  }
  quint16 port() const { return server->port(); }
  void stop()
  {
    if (server)
      server->stop();
  }
};

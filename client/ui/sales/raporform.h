#pragma once
// "Raporlar": received orders grouped by salesperson and sold stock items,
// for a date range, computed by the server.

#include "data/clientdataset.h"

#include <QDialog>

#include <memory>

class DataGrid;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class ServerConnection;
class TSonucBilgisi;

class Traporform : public QDialog {
  Q_OBJECT
public:
  Traporform(QWidget *owner, const ServerConnection &bagc, const TSonucBilgisi &sbilgi);
  ~Traporform() override;

  std::unique_ptr<ServerConnection> bag;
  const TSonucBilgisi &sbilgi;
  ClientDataSet siparis;
  ClientDataSet stok;

  QDateTimeEdit *tarih1 = nullptr;
  QDateTimeEdit *tarih2 = nullptr;
  QPushButton *Button1 = nullptr; // "Göster"
  QTabWidget *sayfalar = nullptr;
  QWidget *tabsiparis = nullptr;
  QWidget *tabstok = nullptr;
  QTreeWidget *cxGrid1 = nullptr; // received orders, a group per salesperson
  QLabel *siparisToplam = nullptr;
  DataGrid *cxGrid2 = nullptr; // sold stock items

  void Button1Click();

private:
  void siparisleriGoster();
};

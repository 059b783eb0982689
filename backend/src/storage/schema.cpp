#include "schema.h"

namespace backend {

namespace {

// Version 1: the whole first schema.
const char *const kVersion1 = R"SQL(
CREATE TABLE settings (
  name TEXT PRIMARY KEY,
  value TEXT NOT NULL
);
CREATE TABLE salespeople (
  id {ID},
  name TEXT NOT NULL,
  email TEXT NOT NULL DEFAULT '',
  phone TEXT NOT NULL DEFAULT ''
);
CREATE TABLE dealers (
  carino {ID},
  code TEXT NOT NULL UNIQUE,
  name TEXT NOT NULL,
  address1 TEXT NOT NULL DEFAULT '',
  address2 TEXT NOT NULL DEFAULT '',
  district TEXT NOT NULL DEFAULT '',
  city TEXT NOT NULL DEFAULT '',
  country TEXT NOT NULL DEFAULT 'TÜRKİYE',
  phone1 TEXT NOT NULL DEFAULT '',
  phone2 TEXT NOT NULL DEFAULT '',
  gsm TEXT NOT NULL DEFAULT '',
  fax1 TEXT NOT NULL DEFAULT '',
  fax2 TEXT NOT NULL DEFAULT '',
  email TEXT NOT NULL DEFAULT '',
  tax_office TEXT NOT NULL DEFAULT '',
  tax_number TEXT NOT NULL DEFAULT '',
  contact TEXT NOT NULL DEFAULT '',
  main_group TEXT NOT NULL DEFAULT '',
  sub_group TEXT NOT NULL DEFAULT '',
  special_code TEXT NOT NULL DEFAULT '',
  salesperson_id INTEGER REFERENCES salespeople(id),
  payment_days INTEGER NOT NULL DEFAULT 30,
  search_text TEXT NOT NULL DEFAULT ''
);
CREATE TABLE accounts (
  sirano {ID},
  username TEXT NOT NULL UNIQUE,
  password TEXT NOT NULL,
  user_type INTEGER NOT NULL CHECK (user_type BETWEEN 1 AND 4),
  active INTEGER NOT NULL DEFAULT 1,
  carino INTEGER REFERENCES dealers(carino),
  salesperson_id INTEGER REFERENCES salespeople(id),
  email TEXT NOT NULL DEFAULT '',
  computer_id TEXT UNIQUE,
  expected_version INTEGER
);
CREATE TABLE stock_items (
  stokno {ID},
  code TEXT NOT NULL,
  name TEXT NOT NULL,
  other_name TEXT NOT NULL DEFAULT '',
  barcode TEXT NOT NULL,
  barcode_no INTEGER NOT NULL DEFAULT 0,
  oem_no TEXT NOT NULL DEFAULT '',
  oem1 TEXT NOT NULL DEFAULT '',
  oem2 TEXT NOT NULL DEFAULT '',
  oem3 TEXT NOT NULL DEFAULT '',
  oem4 TEXT NOT NULL DEFAULT '',
  manufacturer_code TEXT NOT NULL DEFAULT '',
  finish_code TEXT NOT NULL DEFAULT '',
  brand TEXT NOT NULL DEFAULT '',
  model TEXT NOT NULL DEFAULT '',
  main_group TEXT NOT NULL DEFAULT '',
  sub_group TEXT NOT NULL DEFAULT '',
  special_code TEXT NOT NULL DEFAULT '',
  unit TEXT NOT NULL DEFAULT 'ADET',
  list_price {REAL} NOT NULL,
  campaign_price {REAL} NOT NULL DEFAULT 0,
  disc1 {REAL} NOT NULL DEFAULT 0,
  disc2 {REAL} NOT NULL DEFAULT 0,
  disc3 {REAL} NOT NULL DEFAULT 0,
  disc4 {REAL} NOT NULL DEFAULT 0,
  vat_rate {REAL} NOT NULL DEFAULT 20,
  status1 INTEGER NOT NULL DEFAULT 1,
  status2 INTEGER NOT NULL DEFAULT 0,
  on_hand {REAL} NOT NULL DEFAULT 0,
  on_order {REAL} NOT NULL DEFAULT 0,
  has_picture INTEGER NOT NULL DEFAULT 0,
  is_new INTEGER NOT NULL DEFAULT 0,
  is_campaign INTEGER NOT NULL DEFAULT 0,
  search_text TEXT NOT NULL
);
CREATE INDEX stock_items_code ON stock_items(code);
CREATE INDEX stock_items_barcode ON stock_items(barcode);
CREATE INDEX stock_items_oem ON stock_items(oem_no);
CREATE TABLE basket_lines (
  sirano {ID},
  carino INTEGER NOT NULL REFERENCES dealers(carino),
  stokno INTEGER NOT NULL REFERENCES stock_items(stokno),
  barcode TEXT NOT NULL DEFAULT '',
  stock_name TEXT NOT NULL DEFAULT '',
  quantity {REAL} NOT NULL,
  vat_rate {REAL} NOT NULL,
  unit_price {REAL} NOT NULL,
  disc1 {REAL} NOT NULL DEFAULT 0,
  disc2 {REAL} NOT NULL DEFAULT 0,
  disc3 {REAL} NOT NULL DEFAULT 0,
  disc4 {REAL} NOT NULL DEFAULT 0,
  campaign INTEGER NOT NULL DEFAULT 0,
  giver_id INTEGER REFERENCES accounts(sirano),
  sec INTEGER NOT NULL DEFAULT 1,
  created_at TEXT NOT NULL
);
CREATE INDEX basket_lines_dealer ON basket_lines(carino);
CREATE TABLE delivery_kinds (
  id {ID},
  name TEXT NOT NULL
);
CREATE TABLE cargo_kinds (
  id {ID},
  name TEXT NOT NULL
);
CREATE TABLE cargo_firms (
  sirano {ID},
  kind_id INTEGER NOT NULL REFERENCES cargo_kinds(id),
  name TEXT NOT NULL,
  note TEXT NOT NULL DEFAULT ''
);
CREATE TABLE orders (
  sirano {ID},
  carino INTEGER NOT NULL REFERENCES dealers(carino),
  created_at TEXT NOT NULL,
  status INTEGER NOT NULL DEFAULT 1,
  delivery_id INTEGER REFERENCES delivery_kinds(id),
  cargo_kind_id INTEGER REFERENCES cargo_kinds(id),
  cargo_firm_id INTEGER REFERENCES cargo_firms(sirano),
  message TEXT NOT NULL DEFAULT '',
  giver_id INTEGER REFERENCES accounts(sirano),
  our_message TEXT NOT NULL DEFAULT '',
  salesperson_note TEXT NOT NULL DEFAULT ''
);
CREATE INDEX orders_dealer ON orders(carino, created_at);
CREATE TABLE order_lines (
  sirano {ID},
  order_id INTEGER NOT NULL REFERENCES orders(sirano) ON DELETE CASCADE,
  stokno INTEGER NOT NULL REFERENCES stock_items(stokno),
  barcode TEXT NOT NULL DEFAULT '',
  stock_name TEXT NOT NULL DEFAULT '',
  quantity {REAL} NOT NULL,
  delivered {REAL} NOT NULL DEFAULT 0,
  cancelled {REAL} NOT NULL DEFAULT 0,
  first_price {REAL} NOT NULL,
  unit_price {REAL} NOT NULL,
  disc1 {REAL} NOT NULL DEFAULT 0,
  disc2 {REAL} NOT NULL DEFAULT 0,
  disc3 {REAL} NOT NULL DEFAULT 0,
  disc4 {REAL} NOT NULL DEFAULT 0,
  vat_rate {REAL} NOT NULL,
  campaign INTEGER NOT NULL DEFAULT 0,
  giver_id INTEGER REFERENCES accounts(sirano),
  basket_line INTEGER NOT NULL DEFAULT 0,
  created_at TEXT NOT NULL
);
CREATE INDEX order_lines_order ON order_lines(order_id);
CREATE INDEX order_lines_stock ON order_lines(stokno);
CREATE TABLE account_movements (
  id {ID},
  carino INTEGER NOT NULL REFERENCES dealers(carino),
  doc_date TEXT NOT NULL,
  due_date TEXT NOT NULL,
  kind INTEGER NOT NULL,
  doc_no TEXT NOT NULL DEFAULT '',
  description TEXT NOT NULL DEFAULT '',
  debit {REAL} NOT NULL DEFAULT 0,
  credit {REAL} NOT NULL DEFAULT 0
);
CREATE INDEX account_movements_dealer ON account_movements(carino, doc_date);
CREATE TABLE invoice_lines (
  id {ID},
  movement_id INTEGER NOT NULL REFERENCES account_movements(id) ON DELETE CASCADE,
  stokno INTEGER REFERENCES stock_items(stokno),
  barcode TEXT NOT NULL DEFAULT '',
  stock_name TEXT NOT NULL DEFAULT '',
  quantity {REAL} NOT NULL,
  unit_price {REAL} NOT NULL,
  discount_rate {REAL} NOT NULL DEFAULT 0,
  vat_rate {REAL} NOT NULL
);
CREATE INDEX invoice_lines_movement ON invoice_lines(movement_id);
CREATE TABLE collections (
  movement_id INTEGER PRIMARY KEY REFERENCES account_movements(id) ON DELETE CASCADE,
  method TEXT NOT NULL,
  bank TEXT NOT NULL DEFAULT '',
  reference TEXT NOT NULL DEFAULT '',
  note TEXT NOT NULL DEFAULT ''
);
CREATE TABLE online_payments (
  sirano {ID},
  movement_id INTEGER NOT NULL UNIQUE REFERENCES account_movements(id) ON DELETE CASCADE,
  carino INTEGER NOT NULL REFERENCES dealers(carino),
  amount {REAL} NOT NULL,
  card_holder TEXT NOT NULL DEFAULT '',
  card_masked TEXT NOT NULL DEFAULT '',
  installments INTEGER NOT NULL DEFAULT 1,
  created_at TEXT NOT NULL
);
CREATE TABLE opening_screens (
  id {ID},
  position INTEGER NOT NULL,
  title TEXT NOT NULL,
  search TEXT NOT NULL DEFAULT '',
  picture {BLOB},
  created_at TEXT NOT NULL
);
CREATE TABLE banners (
  slot INTEGER PRIMARY KEY,
  picture {BLOB} NOT NULL
);
CREATE TABLE outbox (
  id {ID},
  created_at TEXT NOT NULL,
  kind TEXT NOT NULL,
  computer_id TEXT NOT NULL DEFAULT '',
  subject TEXT NOT NULL DEFAULT '',
  body TEXT NOT NULL
)
)SQL";

// Version 2: notifications passed on to the clients' channels.
const char *const kVersion2 = R"SQL(
CREATE TABLE notifications (
  id {ID},
  created_at TEXT NOT NULL,
  message TEXT NOT NULL DEFAULT ''
)
)SQL";

// Version 3: on SQLite, a trigram index over the stock search text, so that
// "contains" searches need not scan the catalogue; triggers keep it current.
const char *const kVersion3 = R"SQL(
{SQLITE} CREATE VIRTUAL TABLE stock_search USING fts5(search_text, content='stock_items',
  content_rowid='stokno', tokenize='trigram');
{SQLITE} INSERT INTO stock_search(stock_search) VALUES ('rebuild');
{SQLITE} CREATE TRIGGER stock_search_insert AFTER INSERT ON stock_items BEGIN
  INSERT INTO stock_search(rowid, search_text) VALUES (new.stokno, new.search_text); END;
{SQLITE} CREATE TRIGGER stock_search_delete AFTER DELETE ON stock_items BEGIN
  INSERT INTO stock_search(stock_search, rowid, search_text) VALUES ('delete', old.stokno, old.search_text); END;
{SQLITE} CREATE TRIGGER stock_search_update AFTER UPDATE OF search_text ON stock_items BEGIN
  INSERT INTO stock_search(stock_search, rowid, search_text) VALUES ('delete', old.stokno, old.search_text); INSERT INTO stock_search(rowid, search_text) VALUES (new.stokno, new.search_text); END
)SQL";

} // namespace

const QStringList &schemaMigrations()
{
  static const QStringList steps{QString::fromUtf8(kVersion1), QString::fromUtf8(kVersion2),
                                 QString::fromUtf8(kVersion3)};
  return steps;
}

} // namespace backend

#pragma once
// Shared pieces of the method handlers: access to storage and the session's
// account, the authorisation checks, parameter decoding and result tables.

#include "methodregistry.h"
#include "pricing.h"
#include "session.h"
#include "storage/storage.h"

#include <wire/baglantiu.h>
#include <wire/tablemap.h>

#include <QCborArray>
#include <QCborValue>

#include <memory>

namespace backend {

struct ServerContext {
  Storage &storage;
};

// The account bound to the session's computer, or null for an unknown one.
const Account *sessionAccount(ServerContext &context, Session &session);
Account requireAccount(ServerContext &context, Session &session);

// The dealer a call may act for: a dealer only for itself, sales staff for any
// existing dealer. Raises MethodError("auth") otherwise.
int authorizeDealer(ServerContext &context, Session &session, int carino);

// Decodes a login record parameter; raises MethodError("params") when it is
// missing or malformed.
std::unique_ptr<TSonucBilgisi> loginRecordParam(const QCborValue &value);

// Result helpers.
QCborValue objectResult(const wire::TransferObject *object);
// Reads every row of `query` into a table with the given columns (the query
// selects them in this order).
wire::TableMap tableFromQuery(QSqlQuery &query, const QList<wire::Column> &columns);

QString nowText();   // server wall-clock time, YYYY-MM-DDTHH:MM:SS
QString todayText(); // YYYY-MM-DD

[[noreturn]] void failAuth(const QString &text = {});

// Catalogue pieces other areas use (the web host, the basket).
bool dealerGetsCampaigns(ServerContext &context, int carino);
wire::TableMap searchStock(ServerContext &context, const QString &text, bool campaignsAllowed);
QByteArray stockPicture(ServerContext &context, int stokno); // empty when the item has none

QString orderStatusText(int status);

// Sums of the lines of the orders that `where` (a condition on orders o) selects.
struct OrderSums {
  double gross = 0, net = 0, vat = 0;
};
QHash<int, OrderSums> orderSums(ServerContext &context, const QString &where, const QVariantList &binds);
QString likeEscaped(const QString &text); // LIKE wildcards escaped with "\"
QString movementKindName(int kind);
double dealerBalance(ServerContext &context, int carino); // debit - credit
QString overdueWarning(ServerContext &context, int carino);
QByteArray paymentReceipt(ServerContext &context, Session &session, int sirano); // PDF; empty when none

// Registration entry points, one per area.
void addLoginMethods(MethodRegistry &registry, ServerContext &context);
void addStockMethods(MethodRegistry &registry, ServerContext &context);
void addBasketMethods(MethodRegistry &registry, ServerContext &context);
void addOrderMethods(MethodRegistry &registry, ServerContext &context);
void addAccountMethods(MethodRegistry &registry, ServerContext &context);
void addSalesMethods(MethodRegistry &registry, ServerContext &context);
void addContentMethods(MethodRegistry &registry, ServerContext &context);

// Everything at once.
void addAllMethods(MethodRegistry &registry, ServerContext &context);

} // namespace backend

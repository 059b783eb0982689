#pragma once
// The online payment page's address for a dealer.

#include <QString>

// The payment page (`base`, e.g. the web host's sanalpos.aspx) with the
// dealer's number, branch "MERKEZ", name and balance in its query. The values
// are percent-encoded, so a name with "&", "#" or blanks reaches the page
// whole instead of breaking the query.
QString SanalPosAdresi(const QString &base, int carino, const QString &cariAdi, const QString &bakiye);

#pragma once
// The pieces under an order's lines that the order detail and the balance
// orders windows share: the order's footer labels, the two note boxes and
// the five totals.

#include <array>

class QFont;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QString;

// "Sipariş Bilgileri": status, delivery kind, cargo kind, cargo, placed by.
// Fills the five labels (named _sipdurun, _teslimcinsi, _kargocinsi, _kargo,
// _veren).
QGroupBox *SiparisBilgileriGrubu(const std::array<QLabel **, 5> &labels, int minimumWidth);
// A read-only note box, and a titled group around it.
QPlainTextEdit *NotKutusu(const char *name);
QGroupBox *NotGrubu(const QString &title, QPlainTextEdit *memo);
// "Tutar": Toplam, İndirim Toplam, Ara Toplam, Vergi and Genel Toplam (bold)
// right-aligned. Fills the five labels (named aratoplaml, indiriml,
// nettutarl, vergil, geneltoplaml).
QGroupBox *ToplamGrubu(const QFont &font, int width, const std::array<QLabel **, 5> &labels);

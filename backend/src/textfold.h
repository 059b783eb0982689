#pragma once

#include <QString>

namespace backend {

// Upper-cases with Turkish rules and folds the Turkish letters to their
// ASCII base (Ç→C, Ğ→G, İ/ı/i→I, Ö→O, Ş→S, Ü→U), so that a search typed
// with or without Turkish letters finds the same rows.
QString foldForSearch(const QString &text);

// foldForSearch without blanks and punctuation: "1K0 615-301" → "1K0615301".
QString compactForSearch(const QString &text);

} // namespace backend

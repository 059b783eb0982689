#pragma once

#include <QStringList>

namespace backend {

// Schema scripts, one per version: script i brings version i to i + 1.
// Statements are separated by ";" and spelled with the dialect tokens of
// Storage::dialect ({ID}, {REAL}, {BLOB}). A statement that starts with
// {SQLITE} runs on SQLite only. Statements end with ";" at the end of a line.
const QStringList &schemaMigrations();

} // namespace backend

#pragma once
// "Excel Kaydet" of a list window: asks for a file name ("Excel|*.xls*") and
// writes every row of the grid that passes its filter, shown columns with
// their captions, numbers as numbers.

#include <QString>

#include <functional>

class DataGrid;
class QWidget;
struct ExcelTablo;

// The grid as a spreadsheet table: shown columns in display order, the rows
// in the order shown.
ExcelTablo GridTablosu(const DataGrid &grid);

// The save dialog, then the file. A name without an extension gets ".xls".
// A file that cannot be written raises std::runtime_error (for the caller's
// error display).
void ExcelKaydet(QWidget *parent, const DataGrid &grid);

// Test seam: while set, asked for the file name instead of the save dialog
// (an empty name cancels).
using KayitDialoguHook = std::function<QString(QWidget *parent, const QString &filter)>;
void SetKayitDialoguHook(KayitDialoguHook hook);

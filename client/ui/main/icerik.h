#pragma once
// The new-item and campaign lists' column tables.

#include "widgets/datagrid.h"

QList<GridColumn> YeniKolonlari();
QList<GridColumn> KampanyaKolonlari();

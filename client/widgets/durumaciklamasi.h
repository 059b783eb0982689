#pragma once
// The legend of the stock status icons ("Durum Açıklaması:" and six icons
// with their captions), a panel named "Panel3" for the style sheet.

class QWidget;

QWidget *DurumAciklamasi();

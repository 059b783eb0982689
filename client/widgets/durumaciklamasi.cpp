#include "widgets/durumaciklamasi.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

QWidget *DurumAciklamasi()
{
  auto *panel = new QWidget;
  panel->setObjectName(QStringLiteral("Panel3"));
  panel->setAttribute(Qt::WA_StyledBackground);
  panel->setFixedHeight(27);
  auto *legend = new QHBoxLayout(panel);
  legend->setContentsMargins(8, 0, 8, 0);
  legend->setSpacing(2);
  legend->addWidget(new QLabel(QStringLiteral("Durum Açıklaması:    ")));
  const std::pair<const char *, const char *> items[] = {
      {"durum-var", " Stok mevcut  "},   {"durum-telefon", " Telefon Açınız  "},
      {"durum-yolda", " Yolda  "},       {"durum-tedarik", " Tedarik Sürecinde "},
      {"durum-ozel", " Özel Sipariş  "}, {"durum-yok", " Yok  "},
  };
  for (const auto &[icon, text] : items) {
    auto *image = new QLabel;
    image->setPixmap(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))).pixmap(QSize(18, 18)));
    legend->addWidget(image);
    legend->addWidget(new QLabel(QString::fromUtf8(text)));
  }
  legend->addStretch();
  return panel;
}

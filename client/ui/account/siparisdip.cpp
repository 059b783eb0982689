#include "ui/account/siparisdip.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

QGroupBox *SiparisBilgileriGrubu(const std::array<QLabel **, 5> &labels, int minimumWidth)
{
  auto *bilgiler = new QGroupBox(QStringLiteral("Sipariş Bilgileri"));
  auto *form = new QGridLayout(bilgiler);
  form->setContentsMargins(8, 4, 8, 6);
  form->setHorizontalSpacing(8);
  form->setVerticalSpacing(2);
  static const char *const captions[] = {
      "Sipariş Durumu:", "Teslim Cinsi:", "Kargo Cinsi:", "Kargo:", "Veren:"};
  static const char *const names[] = {"_sipdurun", "_teslimcinsi", "_kargocinsi", "_kargo", "_veren"};
  for (int r = 0; r < 5; ++r) {
    auto *value = new QLabel;
    value->setObjectName(QString::fromLatin1(names[r]));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // long names give way
    *labels[size_t(r)] = value;
    auto *caption = new QLabel(QString::fromUtf8(captions[r]));
    caption->setStyleSheet(QStringLiteral("font-weight: bold"));
    form->addWidget(caption, r, 0);
    form->addWidget(value, r, 1);
  }
  form->setColumnStretch(1, 1);
  bilgiler->setMinimumWidth(minimumWidth);
  return bilgiler;
}

QPlainTextEdit *NotKutusu(const char *name)
{
  auto *memo = new QPlainTextEdit;
  memo->setObjectName(QString::fromLatin1(name));
  memo->setReadOnly(true); // shown only; nothing typed here goes anywhere
  return memo;
}

QGroupBox *NotGrubu(const QString &title, QPlainTextEdit *memo)
{
  auto *group = new QGroupBox(title);
  auto *layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->addWidget(memo);
  return group;
}

QGroupBox *ToplamGrubu(const QFont &font, int width, const std::array<QLabel **, 5> &labels)
{
  auto *tutar = new QGroupBox(QStringLiteral("Tutar"));
  tutar->setObjectName(QStringLiteral("tutar"));
  tutar->setFixedWidth(width);
  auto *totals = new QGridLayout(tutar);
  totals->setContentsMargins(10, 4, 10, 6);
  totals->setVerticalSpacing(1);
  static const char *const captions[] = {
      "Toplam:", "İndirim Toplam:", "Ara Toplam:", "Vergi:", "Genel Toplam:"};
  static const char *const names[] = {"aratoplaml", "indiriml", "nettutarl", "vergil", "geneltoplaml"};
  for (int r = 0; r < 5; ++r) {
    auto *caption = new QLabel(QString::fromUtf8(captions[r]));
    auto *value = new QLabel;
    value->setObjectName(QString::fromLatin1(names[r]));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    *labels[size_t(r)] = value;
    totals->addWidget(caption, r, 0);
    totals->addWidget(value, r, 1);
    if (r == 4) {
      QFont bold = font;
      bold.setBold(true);
      caption->setFont(bold);
      value->setFont(bold);
    }
  }
  return tutar;
}

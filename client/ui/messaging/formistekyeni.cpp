#include "ui/messaging/formistekyeni.h"

#include "widgets/browserview.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

QString IstekFormuAdresi(const QString &webBase, const QString &computerId)
{
  return webBase + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") + computerId;
}

Tformistekyeni::Tformistekyeni(QWidget *owner) : QDialog(owner)
{
  resize(780, 555);
  sitem = new BrowserView(this);
  Button1 = new QPushButton(QStringLiteral("Kapat"));
  auto *bottom = new QHBoxLayout;
  bottom->addWidget(Button1);
  bottom->addStretch();
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 6);
  layout->addWidget(sitem, 1);
  layout->addLayout(bottom);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

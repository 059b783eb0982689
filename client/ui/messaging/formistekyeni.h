#pragma once
// The web request form for a computer the server does not know: the
// wholesaler's registration page in an embedded browser, and "Kapat".

#include <QDialog>

class BrowserView;
class QPushButton;

class Tformistekyeni : public QDialog {
  Q_OBJECT
public:
  explicit Tformistekyeni(QWidget *owner);
  BrowserView *sitem = nullptr;
  QPushButton *Button1 = nullptr;
};

// The request page address for this computer.
QString IstekFormuAdresi(const QString &webBase, const QString &computerId);

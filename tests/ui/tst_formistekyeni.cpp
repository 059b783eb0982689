#include "ui/messaging/formistekyeni.h"
#include "widgets/browserview.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

class TestFormIstekYeni : public QObject {
  Q_OBJECT

private slots:
  void theAddressCarriesTheComputerIdentity()
  {
    QCOMPARE(IstekFormuAdresi("http://127.0.0.1:8080/", "WD-123"),
             QStringLiteral("http://127.0.0.1:8080/formmailgonder.aspx?carino=0&kullanici= &id=WD-123"));
  }

  void theFormShowsThePageAndCloses()
  {
    if (!BrowserView::hasEngine())
      QSKIP("built without an embedded browser engine");
    Tformistekyeni form(nullptr);
    form.setWindowTitle("Tarvesa Otomotiv B2B İstek Formu");
    form.sitem->Navigate("http://127.0.0.1:1/formmailgonder.aspx?carino=0&kullanici= &id=X");
    QCOMPARE(form.sitem->url().path(), QStringLiteral("/formmailgonder.aspx"));
    QCOMPARE(form.size(), QSize(780, 555));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Button1->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestFormIstekYeni test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_formistekyeni.moc"

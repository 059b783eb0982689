// The online payment tab: the page's address for the dealer, and a balance
// that cannot be read.

#include "server/servermethods.h"
#include "ui/common/mesajgoster.h"
#include "ui/main/form1.h"
#include "ui/main/sanalpos.h"
#include "widgets/browserview.h"
#include "widgets/sayaclitabwidget.h"

#include "demobackend.h"

#include <QApplication>
#include <QUrlQuery>
#include <QtTest>

class TestSanalPos : public QObject {
  Q_OBJECT

  DemoBackend demo;

private slots:
  void initTestCase()
  {
    QString error;
    QVERIFY2(demo.start(50, 3, &error), qPrintable(error));
  }
  void cleanupTestCase() { demo.stop(); }

  void address_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("balance");
    QTest::newRow("plain") << "TUNA OTO"
                           << "1.234,50 B";
    QTest::newRow("ampersand and hash stay in the name") << "A&B #1 OTO"
                                                         << "-12,00 A";
    QTest::newRow("Turkish letters") << "KARADENİZ ŞİŞLİ"
                                     << "0,00";
  }
  void address()
  {
    QFETCH(QString, name);
    QFETCH(QString, balance);
    const QString text = SanalPosAdresi("https://b2b.example.com/sanalpos.aspx", 42, name, balance);
    const QUrl url(text);
    QCOMPARE(url.path(), QString("/sanalpos.aspx"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue("carino"), QString("42"));
    QCOMPARE(query.queryItemValue("sube"), QString("MERKEZ"));
    QCOMPARE(query.queryItemValue("firmasi", QUrl::FullyDecoded), name);
    QCOMPARE(query.queryItemValue("bakiye", QUrl::FullyDecoded), balance);
    QCOMPARE(query.queryItems().size(), 4);
  }

  void balanceLeadsToThePage()
  {
    if (!BrowserView::hasEngine())
      QSKIP("built without an embedded browser");
    TForm1 form;
    form.bagc.setParam("Port", QString::number(demo.port()));
    form.bagc.setParam("ComputerId", "DEMO-BAYI-3");
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", "DEMO-BAYI-3");
    c.openOrThrow();
    TServerMethods1Client client(c);
    form.sbilgi.Kopyala(*client.BuyukGetir("DEMO-BAYI-3"));
    form.sPageControl1->setCurrentWidget(form.ss);
    const QUrlQuery query(form.sitem->url());
    QCOMPARE(form.sitem->url().path(), QString("/sanalpos.aspx"));
    QCOMPARE(query.queryItemValue("carino"), QString::number(form.sbilgi.CARINO()));
    QCOMPARE(query.queryItemValue("bakiye", QUrl::FullyDecoded), client.CariDurumVer(form.sbilgi.CARINO()));
  }

  void noBalanceGoesBackToTheStockList()
  {
    TForm1 form;
    form.bagc.setParam("Port", "1"); // nothing listens there
    QStringList messages;
    SetMesajGosterHook([&](const MessageRequest &r) {
      messages.append(r.text);
      return int(mrOk);
    });
    form.sPageControl1->setCurrentWidget(form.ss);
    SetMesajGosterHook(nullptr);
    QCOMPARE(messages, QStringList{"Bağlantı Hatası \r\nLütfen Sonra Tekrar Deneyiniz !"});
    QCOMPARE(form.sPageControl1->currentWidget(), form.sstoklistesi);
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestSanalPos test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_sanalpos.moc"

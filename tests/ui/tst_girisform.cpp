// The login dialog against a real server: every path of an attempt, the
// settings file, and the upper-case typing.

#include "app/sonlandir.h"
#include "server/serverconnection.h"
#include "ui/common/mesajgoster.h"
#include "ui/login/ayardosyasi.h"
#include "ui/login/girisform.h"

#include "demobackend.h"

#include <wire/baglantiu.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestGirisForm : public QObject {
  Q_OBJECT

  QTemporaryDir home;
  DemoBackend demo;

  struct Outcome {
    bool accepted = false;
    QStringList messages;
    int terminated = -1;
    QString requestAddress;
    int updateVersion = 0;
    bool dealerSelection = false;
    QString buttonText;
  };

  Outcome attempt(const QString &computer, const QString &name, const QString &password, bool remember = true,
                  TSonucBilgisi *record = nullptr, quint16 port = 0)
  {
    Outcome outcome;
    qputenv("TARVESA_COMPUTER_ID", computer.toUtf8());
    SetMesajGosterHook([&](const MessageRequest &r) {
      outcome.messages.append(r.text);
      return int(mrOk);
    });
    SetSonlandirHook([&](int code) { outcome.terminated = code; });
    Tgirisform::IstekFormuAcHook = [&](QWidget *, const QString &a) { outcome.requestAddress = a; };
    Tgirisform::GuncellemeAcHook = [&](QWidget *, int v, ServerConnection &) { outcome.updateVersion = v; };
    Tgirisform::CariSecHook = [&](QWidget *, ServerConnection &, TSonucBilgisi &) {
      outcome.dealerSelection = true;
      return true;
    };
    ServerConnection bagc;
    bagc.setParam("Port", QString::number(port ? port : demo.port()));
    bagc.setParam("ComputerId", computer);
    TSonucBilgisi own;
    TSonucBilgisi &bilgi = record ? *record : own;
    Tgirisform form(nullptr, bagc, bilgi);
    connect(&form, &QDialog::accepted, [&] { outcome.accepted = true; });
    form.adi->setText(name);
    form.sifre->setText(password);
    form.benihatirla->setChecked(remember);
    form.Button1Click();
    QTest::qWaitFor(
        [&] { return outcome.accepted || !outcome.messages.isEmpty() || outcome.terminated >= 0; }, 15000);
    outcome.buttonText = form.Button1->text();
    SetMesajGosterHook(nullptr);
    SetSonlandirHook(nullptr);
    return outcome;
  }

  QByteArray settingsFile()
  {
    QFile f(AyarDosyasiYolu());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

private slots:
  void initTestCase()
  {
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QString error;
    QVERIFY2(demo.start(100, 4, &error), qPrintable(error));
    qputenv("TARVESA_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(demo.port()));
  }
  void init() { QFile::remove(AyarDosyasiYolu()); }
  void cleanupTestCase() { demo.stop(); }

  void aDealerLogsIn()
  {
    TSonucBilgisi record;
    const Outcome o = attempt("DEMO-BAYI-3", "BAYI", "BAYI3", true, &record);
    QVERIFY(o.accepted);
    QVERIFY(o.messages.isEmpty());
    QCOMPARE(record.CARINO(), 1);
    QCOMPARE(record.MusteriTipi(), 3);
    QCOMPARE(record.Disip(), QStringLiteral("1212"));
    QCOMPARE(record.BILGISAYARID(), QStringLiteral("DEMO-BAYI-3"));
    QCOMPARE(settingsFile(), QByteArray("[kullanici]\nisim=BAYI\nsifre=BAYI3\nhatırla=1\n"));
  }

  void aWrongPasswordIsRefusedAndNothingIsWritten()
  {
    const Outcome o = attempt("DEMO-BAYI-3", "BAYI", "YANLIS");
    QVERIFY(!o.accepted);
    QCOMPARE(o.messages, QStringList{"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"});
    QCOMPARE(o.buttonText, QStringLiteral("Giriş!"));
    QVERIFY(!QFile::exists(AyarDosyasiYolu()));
  }

  void anInactiveAccountIsRefusedAfterTheSettingsAreWritten()
  {
    const Outcome o = attempt("DEMO-PASIF", "PASIF", "PASIF");
    QVERIFY(!o.accepted);
    QCOMPARE(o.messages, QStringList{"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"});
    QVERIFY(QFile::exists(AyarDosyasiYolu()));
  }

  void anUnknownComputerGetsTheRequestFormAndTheProgramEnds()
  {
    const Outcome o = attempt("YENI-BILGISAYAR", "BAYI", "BAYI3");
    QCOMPARE(o.terminated, 0);
    QVERIFY(o.requestAddress.endsWith("formmailgonder.aspx?carino=0&kullanici= &id=YENI-BILGISAYAR"));
    QVERIFY(!o.accepted);
    QVERIFY(o.messages.isEmpty());
  }

  void anotherVersionOpensTheUpdateEvenWithAWrongPassword()
  {
    backend::exec(demo.storage->db(), "UPDATE settings SET value = '7' WHERE name = 'client_version'");
    const Outcome o = attempt("DEMO-BAYI-3", "BAYI", "YANLIS");
    backend::exec(demo.storage->db(), "UPDATE settings SET value = '5' WHERE name = 'client_version'");
    QCOMPARE(o.updateVersion, 7);
    QCOMPARE(o.messages, QStringList{"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"});
  }

  void salesStaffGoOnToTheDealerSelection()
  {
    const Outcome o = attempt("DEMO-SATIS-1", "SATICI", "SATIS1");
    QVERIFY(o.dealerSelection);
    QVERIFY(o.accepted);
  }

  void noServerMeansNoLogin()
  {
    SetBaglantiKurPauseForTest(); // the eleven attempts without their pauses
    const Outcome o = attempt("DEMO-BAYI-3", "BAYI", "BAYI3", true, nullptr, 1);
    QCOMPARE(o.messages, QStringList{"Bağlantı Kurulamadı !"});
  }

  void rememberingOffKeepsNoPasswordAndFillsNothingNextTime()
  {
    QVERIFY(attempt("DEMO-BAYI-3", "BAYI", "BAYI3", false).accepted);
    QCOMPARE(settingsFile(), QByteArray("[kullanici]\nisim=BAYI\nsifre=\nhatırla=0\n"));
    ServerConnection bagc;
    TSonucBilgisi record;
    Tgirisform next(nullptr, bagc, record);
    QVERIFY(next.adi->text().isEmpty());
    QVERIFY(next.sifre->text().isEmpty());
    QVERIFY(!next.benihatirla->isChecked());
  }

  void aSettingsFileWithoutTheRememberKeyFillsTheFields()
  {
    QFile f(AyarDosyasiYolu());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[kullanici]\nisim=BAYI\nsifre=BAYI3\n");
    f.close();
    ServerConnection bagc;
    TSonucBilgisi record;
    Tgirisform form(nullptr, bagc, record);
    QCOMPARE(form.adi->text(), QStringLiteral("BAYI"));
    QCOMPARE(form.sifre->text(), QStringLiteral("BAYI3"));
    QVERIFY(form.benihatirla->isChecked());
  }

  void lowerCaseTypingArrivesUpperCase()
  {
    ServerConnection bagc;
    TSonucBilgisi record;
    Tgirisform form(nullptr, bagc, record);
    form.adi->clear();
    QTest::keyClicks(form.adi, "bayi");
    QCOMPARE(form.adi->text(), QStringLiteral("BAYI"));
    form.sifre->clear();
    QTest::keyClicks(form.sifre, "bayi3");
    QCOMPARE(form.sifre->text(), QStringLiteral("BAYI3"));
  }

  void enterOnEmptyFieldsWarns_data()
  {
    QTest::addColumn<bool>("onName");
    QTest::addColumn<QString>("text");
    QTest::newRow("user name") << true << "Lütfen kullanıcı adını giriniz !";
    QTest::newRow("password") << false << "Lütfen kullanıcı şifresini giriniz !";
  }
  void enterOnEmptyFieldsWarns()
  {
    QFETCH(bool, onName);
    QFETCH(QString, text);
    ServerConnection bagc;
    TSonucBilgisi record;
    Tgirisform form(nullptr, bagc, record);
    QList<MessageRequest> seen;
    SetMesajGosterHook([&](const MessageRequest &r) {
      seen.append(r);
      return int(mrOk);
    });
    QLineEdit *edit = onName ? form.adi : form.sifre;
    edit->setText("   ");
    QTest::keyClick(edit, Qt::Key_Return);
    SetMesajGosterHook(nullptr);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().text, text);
    QVERIFY(!seen.first().caption.isEmpty()); // the application's title, not "Uyarı"
    QVERIFY(form.Button1->isEnabled());
  }

  void decisionsInOrder_data()
  {
    QTest::addColumn<bool>("fetched");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("sonuc");
    QTest::addColumn<bool>("update");
    QTest::addColumn<bool>("write");
    QTest::newRow("no account") << false << true << 5 << 1 << 3 << "P" << int(GirisSonucu::BaglantiYok)
                                << false << false;
    QTest::newRow("unknown, other version")
        << true << false << 7 << 1 << 3 << "P" << int(GirisSonucu::IstekFormu) << true << false;
    QTest::newRow("wrong password") << true << true << 5 << 1 << 3 << "X" << int(GirisSonucu::Hatali) << false
                                    << false;
    QTest::newRow("lower-case password on the server")
        << true << true << 5 << 1 << 3 << "p" << int(GirisSonucu::Hatali) << false << false;
    QTest::newRow("inactive") << true << true << 5 << 0 << 3 << "P" << int(GirisSonucu::Pasif) << false
                              << true;
    QTest::newRow("salesperson") << true << true << 5 << 1 << 2 << "P" << int(GirisSonucu::CariSecimi)
                                 << false << true;
    QTest::newRow("dealer") << true << true << 5 << 1 << 4 << "P" << int(GirisSonucu::Tamam) << false << true;
  }
  void decisionsInOrder()
  {
    QFETCH(bool, fetched);
    QFETCH(bool, known);
    QFETCH(int, version);
    QFETCH(int, active);
    QFETCH(int, type);
    QFETCH(QString, password);
    QFETCH(int, sonuc);
    QFETCH(bool, update);
    QFETCH(bool, write);
    TSonucBilgisi account;
    account.SetVarmi(known);
    account.SetVersion(version);
    account.SetAKTIF(active);
    account.SetMusteriTipi(type);
    account.SetADI("A");
    account.SetSIFRE(password);
    const GirisKarari karar = GirisKontrolEt(fetched, account, "A", "P");
    QCOMPARE(int(karar.sonuc), sonuc);
    QCOMPARE(karar.guncelleme, update);
    QCOMPARE(karar.ayarYaz, write);
  }

private:
  static void SetBaglantiKurPauseForTest();
};

#include "server/baglantikur.h"
void TestGirisForm::SetBaglantiKurPauseForTest()
{
  SetBaglantiKurPause([](int) {});
}

QTEST_MAIN(TestGirisForm)
#include "tst_girisform.moc"

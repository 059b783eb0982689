#include "ui/common/mesajgoster.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestMesajGoster : public QObject {
  Q_OBJECT

  // Looks at the open box once it is shown, then presses `key` on it.
  int showAndPress(const std::function<int()> &open, Qt::Key key, QString *caption = nullptr,
                   QStringList *buttons = nullptr, QString *focused = nullptr)
  {
    QTimer::singleShot(50, [&] {
      auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      QVERIFY(box);
      if (caption)
        *caption = box->windowTitle();
      if (buttons)
        for (QAbstractButton *b : box->buttons())
          buttons->append(b->text());
      if (focused && box->defaultButton())
        *focused = box->defaultButton()->text();
      QTest::keyClick(box, key);
    });
    return open();
  }

private slots:
  void aQuestionWithDefaultNoAnswersNoOnEnter()
  {
    QString caption, focused;
    QStringList buttons;
    const int result = showAndPress(
        [] {
          return MesajGoster("Satırı silmek istiyor musunuz ", mtConfirmation, msgButtons({mbYes, mbNo}), 0,
                             mbNo);
        },
        Qt::Key_Return, &caption, &buttons, &focused);
    QCOMPARE(result, int(mrNo));
    QCOMPARE(caption, QStringLiteral("Soru"));
    QCOMPARE(focused, QStringLiteral("Hayır"));
    QVERIFY(buttons.contains("Evet") && buttons.contains("Hayır"));
  }

  void aQuestionWithDefaultYesAnswersYes()
  {
    const int result = showAndPress(
        [] {
          return MesajGoster("Programdan Çıkmak İstiyor musunuz ?", mtConfirmation, msgButtons({mbYes, mbNo}),
                             0, mbYes);
        },
        Qt::Key_Return);
    QCOMPARE(result, int(mrYes));
  }

  void anErrorNoticeHasOneTamamButton()
  {
    QString caption;
    QStringList buttons;
    const int result =
        showAndPress([] { return MesajGoster(kBaglantiKurulamiyor, mtError, msgButtons({mbOK}), 0, mbOK); },
                     Qt::Key_Return, &caption, &buttons);
    QCOMPARE(result, int(mrOk));
    QCOMPARE(caption, QStringLiteral("Hata"));
    QCOMPARE(buttons, QStringList{"Tamam"});
  }

  void captionsByKind_data()
  {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("warning") << int(mtWarning) << "Uyarı";
    QTest::newRow("information") << int(mtInformation) << "Bilgi";
  }
  void captionsByKind()
  {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QString seen;
    showAndPress([&] { return MesajGoster("x", TMsgDlgType(kind), msgButtons({mbOK}), 0, mbOK); },
                 Qt::Key_Return, &seen);
    QCOMPARE(seen, caption);
  }

  void aHookAnswersInsteadOfABox()
  {
    SetMesajGosterHook(
        [](const MessageRequest &r) { return r.defaultButton == mbNo ? int(mrNo) : int(mrYes); });
    QCOMPARE(MesajGoster("?", mtConfirmation, msgButtons({mbYes, mbNo}), 0, mbNo), int(mrNo));
    SetMesajGosterHook(nullptr);
  }
};

QTEST_MAIN(TestMesajGoster)
#include "tst_mesajgoster.moc"

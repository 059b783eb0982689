// The scrolling marquee: what its strip holds, and how it moves.

#include "widgets/kayanyazi.h"

#include <QtTest>

class TestKayanYazi : public QObject {
  Q_OBJECT

  // Columns of the strip that hold any visible pixel.
  static int inkedColumns(const QImage &image)
  {
    int columns = 0;
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y)
        if (qAlpha(image.pixel(x, y)) > 0) {
          ++columns;
          break;
        }
    return columns;
  }

private slots:
  void textAndPicturesSideBySide()
  {
    KayanYazi marquee;
    QCOMPARE(marquee.itemCount(), 0);
    QVERIFY(marquee.strip().isNull());
    marquee.addText("<b>Kampanya</b> başladı");
    const int textWidth = marquee.strip().width();
    QVERIFY(textWidth > 100);
    QVERIFY(inkedColumns(marquee.strip().toImage()) > 50);
    QPixmap banner(300, 60);
    banner.fill(Qt::red);
    marquee.setItemSpacing(5);
    marquee.addPixmap(banner);
    QCOMPARE(marquee.itemCount(), 2);
    QCOMPARE(marquee.strip().width(), textWidth + 5 + 300);
    QCOMPARE(marquee.strip().height(), qMax(60, marquee.strip().height()));
    marquee.clear();
    QVERIFY(marquee.strip().isNull());
  }

  void htmlIsFormattedAndPlainTextIsNot()
  {
    KayanYazi html;
    html.addText("<i>a</i>");
    KayanYazi plain;
    plain.addText("<i>a</i>", false);
    QVERIFY(plain.strip().width() > html.strip().width()); // the tags show as text
  }

  void scrollsLeftAndComesRound()
  {
    KayanYazi marquee;
    marquee.resize(400, 40);
    marquee.addText("Haber");
    marquee.setSpeed(10);
    const int start = marquee.offset();
    marquee.step();
    QCOMPARE(marquee.offset(), start - 10);
    const int stripWidth = marquee.strip().width();
    for (int i = 0; i < (stripWidth + 400) / 10 + 2; ++i)
      marquee.step();
    QVERIFY(marquee.offset() <= 400);
    QVERIFY(marquee.offset() > -stripWidth);
  }

  void runsWithoutItems()
  {
    KayanYazi marquee;
    marquee.start();
    QVERIFY(marquee.isRunning());
    marquee.step(); // nothing to move, nothing breaks
    QImage image(200, 40, QImage::Format_ARGB32);
    marquee.resize(200, 40);
    marquee.render(&image);
    QCOMPARE(QColor(image.pixel(10, 10)), QColor(50, 50, 50));
    marquee.stop();
    QVERIFY(!marquee.isRunning());
  }
};

QTEST_MAIN(TestKayanYazi)
#include "tst_kayanyazi.moc"

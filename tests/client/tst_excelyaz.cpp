#include "ui/common/excelyaz.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// Dumps every sheet as {"name", "rows"}: a cell is null (empty), ["s", text],
// ["n", number, format] or ["d", "yyyy-mm-ddThh:mm:ss", format]; trailing empty
// cells and rows are left out.
const char kXlrdOku[] = R"PY(
import sys, json, datetime, xlrd
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
def fmt(c): return b.format_map[b.xf_list[c.xf_index].format_key].format_str
out = []
for sh in b.sheets():
    rows = []
    for r in range(sh.nrows):
        row = []
        for c in range(sh.ncols):
            cell = sh.cell(r, c)
            t = cell.ctype
            if t in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK): row.append(None)
            elif t == xlrd.XL_CELL_TEXT: row.append(['s', cell.value])
            elif t == xlrd.XL_CELL_NUMBER: row.append(['n', cell.value, fmt(cell)])
            elif t == xlrd.XL_CELL_DATE:
                d = xlrd.xldate.xldate_as_datetime(cell.value, b.datemode)
                d = (d + datetime.timedelta(microseconds=500000)).replace(microsecond=0)
                row.append(['d', d.isoformat(), fmt(cell)])
            else: row.append(['?', t, repr(cell.value)])
        while row and row[-1] is None: row.pop()
        rows.append(row)
    while rows and not rows[-1]: rows.pop()
    out.append({'name': sh.name, 'rows': rows})
json.dump(out, sys.stdout)
)PY";

const char kOpenpyxlOku[] = R"PY(
import sys, json, datetime, openpyxl
b = openpyxl.load_workbook(sys.argv[1], read_only=True)
out = []
for ws in b.worksheets:
    rows = []
    for cells in ws.iter_rows():
        row = []
        for cell in cells:
            v = cell.value
            if v is None: row.append(None)
            elif isinstance(v, str): row.append(['s', v])
            elif isinstance(v, datetime.datetime):
                d = (v + datetime.timedelta(microseconds=500000)).replace(microsecond=0)
                row.append(['d', d.isoformat(), cell.number_format])
            elif isinstance(v, (int, float)) and not isinstance(v, bool):
                row.append(['n', float(v), cell.number_format])
            else: row.append(['?', repr(v)])
        while row and row[-1] is None: row.pop()
        rows.append(row)
    while rows and not rows[-1]: rows.pop()
    out.append({'name': ws.title, 'rows': rows})
json.dump(out, sys.stdout)
)PY";

const QString kPara = QStringLiteral("#,##0.00");
const QString kGenel = QStringLiteral("General");
const QString kTarih = QStringLiteral("dd.mm.yyyy");
const QString kTarihSaat = QStringLiteral("dd.mm.yyyy hh:mm");
const QString kTurkce = QStringLiteral("ğüşöçİı ĞÜŞÖÇ");

QJsonValue s(const QString &metin)
{
  return QJsonArray{QStringLiteral("s"), metin};
}
QJsonValue n(double sayi, const QString &bicim)
{
  return QJsonArray{QStringLiteral("n"), sayi, bicim};
}
QJsonValue d(const QString &iso, const QString &bicim)
{
  return QJsonArray{QStringLiteral("d"), iso, bicim};
}

enum class Ornek { Karisik, BuyukSst, Buyuk, Satirsiz, Kolonsuz };

// A table and, per data row, the cells the readers should find.
struct Beklenen {
  ExcelTablo tablo;
  QList<QJsonArray> satirlar;
};

Beklenen ornekYap(Ornek ornek)
{
  Beklenen b;
  const auto ekle = [&b](QList<QVariant> hucreler, QJsonArray beklenen) {
    b.tablo.satirlar.append(std::move(hucreler));
    b.satirlar.append(std::move(beklenen));
  };
  switch (ornek) {
  case Ornek::Karisik: {
    b.tablo.kolonlar = {{QStringLiteral("Stok Kodu"), {}},  {QStringLiteral("Açıklama ") + kTurkce, {}},
                        {QStringLiteral("Tutar ₺"), kPara}, {QStringLiteral("Adet"), {}},
                        {QStringLiteral("Tarih"), {}},      {QStringLiteral("Kayıt Zamanı"), {}},
                        {QStringLiteral("Not"), {}}};
    const QString uzun(40000, QChar(u'ş'));
    ekle({QStringLiteral("ÇĞİÖŞÜ-001"), QStringLiteral("Fren balatası ") + kTurkce, 1234.5, 42,
          QDate(2024, 2, 29), QDateTime(QDate(2024, 3, 1), QTime(13, 45, 30)), QVariant()},
         {s(QStringLiteral("ÇĞİÖŞÜ-001")), s(QStringLiteral("Fren balatası ") + kTurkce), n(1234.5, kPara),
          n(42, kGenel), d(QStringLiteral("2024-02-29T00:00:00"), kTarih),
          d(QStringLiteral("2024-03-01T13:45:30"), kTarihSaat)});
    ekle({QString(), QString(), -7.25, true, QDate(), QDateTime(), std::numeric_limits<double>::quiet_NaN()},
         {QJsonValue(), QJsonValue(), n(-7.25, kPara), n(1, kGenel)});
    ekle({QStringLiteral("yalnız kod")}, {s(QStringLiteral("yalnız kod"))});
    ekle({uzun, QStringLiteral("🚗 araç"), std::numeric_limits<double>::infinity(), 123456789012LL,
          QDate(1899, 12, 31), QDateTime(QDate(1900, 1, 15), QTime(6, 0)), 4000000000U},
         {s(uzun.left(32767)), s(QStringLiteral("🚗 araç")), QJsonValue(), n(123456789012.0, kGenel),
          s(QStringLiteral("31.12.1899")), d(QStringLiteral("1900-01-15T06:00:00"), kTarihSaat),
          n(4000000000.0, kGenel)});
    ekle({QVariant(), QVariant(), QVariant()}, {});
    ekle({QVariant(), QVariant(), 0.1, false}, {QJsonValue(), QJsonValue(), n(0.1, kPara), n(0, kGenel)});
    break;
  }
  case Ornek::BuyukSst: {
    // Enough long distinct strings that the string table runs over many
    // continuation records; every seventh is mostly surrogate pairs.
    b.tablo.kolonlar = {{QStringLiteral("Açıklama"), {}}, {QStringLiteral("Sıra"), {}}};
    const QString parca = QStringLiteral(" Ön fren diski ") + kTurkce;
    for (int i = 0; i < 5000; ++i) {
      const int uzunluk = 40 + (i * 37) % 161;
      QString metin = QString::number(i);
      if (i % 7 == 3) {
        while (metin.size() < uzunluk)
          metin += QStringLiteral("🚗");
      } else {
        while (metin.size() < uzunluk)
          metin += parca;
        metin.truncate(uzunluk);
      }
      ekle({metin, i}, {s(metin), n(i, kGenel)});
    }
    break;
  }
  case Ornek::Buyuk: {
    // Over 7 MB of cells: more FAT sectors than the header lists.
    b.tablo.kolonlar = {{QStringLiteral("No"), {}},
                        {QStringLiteral("Parça"), {}},
                        {QStringLiteral("Fiyat"), kPara},
                        {QStringLiteral("Tarih"), {}},
                        {QStringLiteral("Tutar"), kPara}};
    const QDate ilk(2020, 1, 1);
    for (int i = 0; i < 100000; ++i) {
      const QString parca = QStringLiteral("Parça %1 ğüş").arg(i % 1000);
      const QDate tarih = ilk.addDays(i % 3650);
      ekle({i, parca, i * 0.25, tarih, i * 1.5},
           {n(i, kGenel), s(parca), n(i * 0.25, kPara),
            d(tarih.toString(Qt::ISODate) + QStringLiteral("T00:00:00"), kTarih), n(i * 1.5, kPara)});
    }
    break;
  }
  case Ornek::Satirsiz:
    b.tablo.kolonlar = {{QStringLiteral("Kod"), {}}, {QStringLiteral("Ürün Adı"), kPara}};
    break;
  case Ornek::Kolonsuz:
    break;
  }
  return b;
}

// The sheets the readers should find: `sayfaBasina` data rows on each, under the header.
QJsonArray beklenenSayfalar(const Beklenen &b, qsizetype sayfaBasina)
{
  QJsonArray baslik;
  for (const ExcelKolon &k : b.tablo.kolonlar)
    baslik.append(s(k.baslik));
  QJsonArray sayfalar;
  qsizetype r = 0;
  do {
    QJsonArray satirlar;
    if (!baslik.isEmpty())
      satirlar.append(baslik);
    for (qsizetype i = 0; i < sayfaBasina && r < b.satirlar.size(); ++i, ++r)
      satirlar.append(b.satirlar[r]);
    while (!satirlar.isEmpty() && satirlar.last().toArray().isEmpty())
      satirlar.removeLast();
    sayfalar.append(QJsonObject{{QStringLiteral("name"), QStringLiteral("Sayfa%1").arg(sayfalar.size() + 1)},
                                {QStringLiteral("rows"), satirlar}});
  } while (r < b.satirlar.size());
  return sayfalar;
}

// Cells are equal when their kinds, texts and formats are; numbers may differ
// in the last digit, as an xlsx file holds them in decimal.
bool ayniHucre(const QJsonValue &a, const QJsonValue &b)
{
  if (!a.isArray() || !b.isArray())
    return a == b;
  const QJsonArray x = a.toArray();
  const QJsonArray y = b.toArray();
  if (x.size() != y.size())
    return false;
  for (qsizetype i = 0; i < x.size(); ++i) {
    if (x[i].isDouble() && y[i].isDouble()) {
      const double p = x[i].toDouble();
      const double q = y[i].toDouble();
      if (std::fabs(p - q) > 1e-14 * std::max(1.0, std::fabs(q)))
        return false;
    } else if (x[i] != y[i]) {
      return false;
    }
  }
  return true;
}

QString json(const QJsonValue &v)
{
  const QByteArray metin = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(metin.left(400));
}

// The first Python that imports `modul`: the one on the PATH, else the
// system's, where the distribution's packages go. Empty when none does.
QString pythonBul(const QString &modul)
{
  for (const QString &python : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QStringLiteral("import ") + modul});
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
      return python;
  }
  return {};
}

} // namespace

Q_DECLARE_METATYPE(Ornek)

class TestExcelYaz : public QObject {
  Q_OBJECT

  QString xlrdPython;
  QString openpyxlPython;

private slots:
  void initTestCase()
  {
    xlrdPython = pythonBul(QStringLiteral("xlrd"));
    openpyxlPython = pythonBul(QStringLiteral("openpyxl"));
  }

  void yazVeOku_data()
  {
    QTest::addColumn<QString>("dosyaAdi");
    QTest::addColumn<bool>("xlsx");
    QTest::addColumn<Ornek>("ornek");
    QTest::newRow("xls mixed cells") << "liste.xls" << false << Ornek::Karisik;
    QTest::newRow("xlsx mixed cells") << "liste.xlsx" << true << Ornek::Karisik;
    QTest::newRow("upper-case .XLS") << "LİSTE.XLS" << false << Ornek::Karisik;
    QTest::newRow("upper-case .XLSX") << "Liste.XLSX" << true << Ornek::Karisik;
    QTest::newRow("other extension is xls") << "liste.dat" << false << Ornek::Karisik;
    QTest::newRow("xls string table continued") << "sst.xls" << false << Ornek::BuyukSst;
    QTest::newRow("xlsx many long strings") << "sst.xlsx" << true << Ornek::BuyukSst;
    QTest::newRow("xls DIFAT and second sheet") << "buyuk.xls" << false << Ornek::Buyuk;
    QTest::newRow("xlsx 100000 rows") << "buyuk.xlsx" << true << Ornek::Buyuk;
    QTest::newRow("xls header only") << "bos.xls" << false << Ornek::Satirsiz;
    QTest::newRow("xlsx header only") << "bos.xlsx" << true << Ornek::Satirsiz;
    QTest::newRow("xls no columns") << "hic.xls" << false << Ornek::Kolonsuz;
    QTest::newRow("xlsx no columns") << "hic.xlsx" << true << Ornek::Kolonsuz;
  }

  void yazVeOku()
  {
    QFETCH(QString, dosyaAdi);
    QFETCH(bool, xlsx);
    QFETCH(Ornek, ornek);
    if (xlsx && openpyxlPython.isEmpty())
      QSKIP("python3-openpyxl is missing (apt-get install -y python3-openpyxl)");
    if (!xlsx && xlrdPython.isEmpty())
      QSKIP("python3-xlrd is missing (apt-get install -y python3-xlrd)");

    QTemporaryDir klasor;
    QVERIFY(klasor.isValid());
    const QString yol = klasor.filePath(dosyaAdi);
    {
      // An existing file is replaced.
      QFile eski(yol);
      QVERIFY(eski.open(QIODevice::WriteOnly));
      eski.write("eski içerik");
    }
    const Beklenen beklenen = ornekYap(ornek);
    ExcelDosyasiYaz(yol, beklenen.tablo);
    QCOMPARE(QDir(klasor.path()).entryList(QDir::Files | QDir::Hidden), QStringList{dosyaAdi});

    QFile dosya(yol);
    QVERIFY(dosya.open(QIODevice::ReadOnly));
    const QByteArray baslik = dosya.read(512);
    QCOMPARE(baslik.left(xlsx ? 4 : 8),
             xlsx ? QByteArray("PK\x03\x04", 4) : QByteArray::fromHex("D0CF11E0A1B11AE1"));
    // The large workbook has more FAT sectors than the file header lists.
    if (!xlsx && ornek == Ornek::Buyuk)
      QVERIFY(qFromLittleEndian<quint32>(baslik.constData() + 72) > 0);
    dosya.close();

    QProcess python;
    python.start(xlsx ? openpyxlPython : xlrdPython,
                 {QStringLiteral("-c"), QString::fromLatin1(xlsx ? kOpenpyxlOku : kXlrdOku), yol});
    QVERIFY(python.waitForFinished(240000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    QJsonParseError hata;
    const QJsonArray gercek = QJsonDocument::fromJson(python.readAllStandardOutput(), &hata).array();
    QCOMPARE(hata.error, QJsonParseError::NoError);

    const QJsonArray sayfalar = beklenenSayfalar(beklenen, xlsx ? 1048575 : 65535);
    QCOMPARE(gercek.size(), sayfalar.size());
    for (qsizetype p = 0; p < sayfalar.size(); ++p) {
      const QJsonObject g = gercek[p].toObject();
      const QJsonObject b = sayfalar[p].toObject();
      QCOMPARE(g[QStringLiteral("name")].toString(), b[QStringLiteral("name")].toString());
      const QJsonArray gs = g[QStringLiteral("rows")].toArray();
      const QJsonArray bs = b[QStringLiteral("rows")].toArray();
      QCOMPARE(gs.size(), bs.size());
      for (qsizetype r = 0; r < bs.size(); ++r) {
        const QJsonArray gh = gs[r].toArray();
        const QJsonArray bh = bs[r].toArray();
        bool ayni = gh.size() == bh.size();
        for (qsizetype c = 0; ayni && c < bh.size(); ++c)
          ayni = ayniHucre(gh[c], bh[c]);
        if (!ayni)
          QFAIL(qPrintable(QStringLiteral("sheet %1 row %2:\n read     %3\n expected %4")
                               .arg(p + 1)
                               .arg(r + 1)
                               .arg(json(gh), json(bh))));
      }
    }
  }

  void yazilamaz_data()
  {
    QTest::addColumn<QString>("dosyaAdi");
    QTest::addColumn<int>("kolonSayisi");
    QTest::addColumn<int>("satirUzunlugu");
    QTest::newRow("xls into a missing folder") << "yok/liste.xls" << 2 << 2;
    QTest::newRow("xlsx into a missing folder") << "yok/liste.xlsx" << 2 << 2;
    QTest::newRow("xls over 256 columns") << "liste.xls" << 257 << 257;
    QTest::newRow("xlsx over 16384 columns") << "liste.xlsx" << 16385 << 1;
    QTest::newRow("row longer than the columns") << "liste.xls" << 2 << 3;
  }

  // The write fails with the file's name in the message and changes nothing on disk.
  void yazilamaz()
  {
    QFETCH(QString, dosyaAdi);
    QFETCH(int, kolonSayisi);
    QFETCH(int, satirUzunlugu);
    QTemporaryDir klasor;
    QVERIFY(klasor.isValid());
    const QString yol = klasor.filePath(dosyaAdi);
    const bool varolan = QFileInfo(yol).dir().exists();
    if (varolan) {
      QFile eski(yol);
      QVERIFY(eski.open(QIODevice::WriteOnly));
      eski.write("eski içerik");
    }
    ExcelTablo tablo;
    for (int c = 0; c < kolonSayisi; ++c)
      tablo.kolonlar.append({QStringLiteral("K%1").arg(c), kPara});
    tablo.satirlar.append(QList<QVariant>(satirUzunlugu, 1.5));

    try {
      ExcelDosyasiYaz(yol, tablo);
      QFAIL("no error");
    } catch (const std::runtime_error &e) {
      QVERIFY2(QString::fromUtf8(e.what()).contains(QFileInfo(dosyaAdi).fileName()), e.what());
    }
    if (varolan) {
      QFile eski(yol);
      QVERIFY(eski.open(QIODevice::ReadOnly));
      QCOMPARE(eski.readAll(), QByteArray("eski içerik"));
      QCOMPARE(QDir(klasor.path()).entryList(QDir::Files | QDir::Hidden), QStringList{dosyaAdi});
    } else {
      QVERIFY(!QFileInfo::exists(yol));
      QVERIFY(QDir(klasor.path()).isEmpty());
    }
  }
};

QTEST_GUILESS_MAIN(TestExcelYaz)
#include "tst_excelyaz.moc"

#include <CFile.h>
#include <CLinkMap.h>
#include <CReportPage.h>
#include <CSynthTrace.h>

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

// The report page draws the link map under the trace box: one icon per event,
// in the page's proportions at any resolution.
class TstReportMap : public QObject
{
    Q_OBJECT

private slots:
    void mapUnderTheBox_data();
    void mapUnderTheBox();
};

void TstReportMap::mapUnderTheBox_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("screen") << 96;
    QTest::newRow("printer") << 300;
}

void TstReportMap::mapUnderTheBox()
{
    QFETCH(int, dpi);
    QTemporaryDir dir;
    CSynthTrace::tOptions options;
    options.events = 6;
    CSynthTrace(options).Write(dir.filePath(QStringLiteral("m.sor")));
    quint32 warnings = 0;
    const sor::CFile file(dir.filePath(QStringLiteral("m.sor")), warnings);

    QImage image(8 * dpi, 11 * dpi, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect box = CReportPage::Draw(painter, image.rect(), file, nullptr, QDateTime::currentDateTime());
    painter.end();

    // The span line across the icons' row, and the coloured parts of the
    // icons (plugs, sleeves) in the strip under the box.
    const qreal scale = dpi / 96.0;
    const int lineY = box.bottom() + 2 + int((4 + 12) * scale);
    int inked = 0;
    for (int x = 0; x < image.width(); ++x)
        inked += qGray(image.pixel(x, lineY)) < 100;
    QVERIFY2(inked > image.width() / 2, qPrintable(QString::number(inked)));
    int coloured = 0;
    for (int y = box.bottom() + 2; y < box.bottom() + 2 + int(30 * scale); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            coloured += std::max({ c.red(), c.green(), c.blue() }) - std::min({ c.red(), c.green(), c.blue() }) > 60;
        }
    QVERIFY2(coloured > 100 * scale * scale, qPrintable(QString::number(coloured)));
}

QTEST_MAIN(TstReportMap)
#include "tst_reportmap.moc"

// The parts loaded when first used (printing, SVG drawings, the help window), as the program
// loads them: from the library beside it, not linked.

#include "tolvik/ui_common/on_demand.h"

#include <QBuffer>
#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSize>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

using namespace tolvik;

namespace {

/// The libraries of the process, by their file names.
QString MappedFiles() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
}

const char* const kLoadedOnDemand[] = {"libtolvik_ondemand.so", "libQt6PrintSupport.so", "libQt6Help.so",
                                       "libQt6Svg.so"};

} // namespace

class OnDemandTest : public QObject {
    Q_OBJECT
private slots:
    void partsAreLoadedWhenFirstUsed() {
        QString maps = MappedFiles();
        QVERIFY(!maps.isEmpty());
        for (const char* library : kLoadedOnDemand)
            QVERIFY2(!maps.contains(QLatin1String(library)), library);
        QVERIFY2(ui::OnDemand() != nullptr, qPrintable(ui::OnDemandError()));
        maps = MappedFiles();
        for (const char* library : kLoadedOnDemand)
            QVERIFY2(maps.contains(QLatin1String(library)), library);
    }

    void aPrinterWritesPagesIntoAPdfFile() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pages.pdf"));
        {
            ui::Printer printer;
            QVERIFY(printer);
            printer.printToPdf(file);
            QVERIFY(printer.resolution() >= 300);
            QPainter painter(&printer.pages());
            painter.drawText(100, 100, QStringLiteral("first"));
            QVERIFY(printer.pages().newPage());
            painter.drawText(100, 100, QStringLiteral("second"));
            QVERIFY(painter.end());
            QVERIFY(!printer.failed());
        }
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
                 2);
    }

    void anSvgDrawingIsWrittenWhenItsPainterEnds() {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const std::unique_ptr<QPaintDevice> svg(ui::OnDemand()->newSvg(
            &out, QSize(200, 100), 96, QStringLiteral("µe vs. T"), QStringLiteral("a graph")));
        QPainter painter(svg.get());
        painter.drawRect(10, 10, 50, 50);
        QVERIFY(painter.end());
        const QString text = QString::fromUtf8(out.data());
        QVERIFY(text.contains(QLatin1String("<svg")));
        QVERIFY(text.contains(QStringLiteral("<title>µe vs. T</title>")));
        QVERIFY(text.contains(QLatin1String("viewBox=\"0 0 200 100\"")));
    }

    void aHelpCollectionThatCannotBeReadGivesNoWindow() {
        QTemporaryDir dir;
        QCOMPARE(ui::OnDemand()->newHelpWindow(dir.filePath(QStringLiteral("none.qhc"))), nullptr);
    }
};

QTEST_MAIN(OnDemandTest)
#include "on_demand_test.moc"

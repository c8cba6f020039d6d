#include "chart_helpers.h"
#include "tolvik/chart/graph.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>
#include <QXYSeries>

#include <cmath>
#include <limits>

using namespace tolvik::chart;
using namespace tolvik::chart::test;

namespace {

/// The chart view, once the draw commands given so far are shown (a graph gets its chart
/// when it is first shown).
QChartView* viewOf(Graph& g) {
    g.show();
    QCoreApplication::processEvents();
    return g.findChild<QChartView*>();
}

/// The curves shown (a set that draws nothing keeps a hidden series).
QList<QXYSeries*> seriesOf(Graph& g) {
    QList<QXYSeries*> out;
    for (QAbstractSeries* s : viewOf(g)->chart()->series())
        if (s->isVisible()) out.append(qobject_cast<QXYSeries*>(s));
    return out;
}

QAbstractAxis* axisOf(Graph& g, Qt::Orientation o) {
    const auto axes = viewOf(g)->chart()->axes(o);
    return axes.isEmpty() ? nullptr : axes.first();
}

/// Shows the graph at its size, waits until it is on screen and resets its data.
bool Show(Graph& g, int w, int h) {
    g.resize(w, h);
    g.show();
    resetGraph(g.model());
    return QTest::qWaitForWindowExposed(&g);
}

QValueAxis* xAxisOf(Graph& g) {
    return qobject_cast<QValueAxis*>(axisOf(g, Qt::Horizontal));
}

int inkInside(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) ++n;
    return n;
}

} // namespace

class GraphTest : public QObject {
    Q_OBJECT
private slots:

    void seriesShowExactlyTheWrittenPoints() {
        Graph g(2);
        ChartModel& m = g.model();
        resetGraph(m);
        m.setBottomTitle("T[°C]");
        m.setLeftTitle("µe");
        addCurveThenGrow(m, "µe s=0.1[mm]", {{-40, 400}, {25, 450}, {100, 520}, {140, 480}});
        addCurveThenGrow(m, "µe s=0.2[mm]", {{-40, 250}, {25, 260}});
        // A point the window could not compute.
        m.setThisSet(2);
        m.setThisPoint(3);
        m.setYValue(std::numeric_limits<double>::quiet_NaN());
        m.setXValue(60);
        m.setDrawMode(3);

        const auto series = seriesOf(g);
        QCOMPARE(series.size(), 2); // the empty trailing set is not drawn
        for (int s = 0; s < series.size(); ++s) {
            const auto written = m.writtenPoints(s + 1);
            QCOMPARE(series[s]->count(), static_cast<int>(written.size()));
            for (int i = 0; i < series[s]->count(); ++i)
                QCOMPARE(series[s]->at(i), QPointF(written[i].first, written[i].second));
            QCOMPARE(series[s]->name(), QString::fromStdString(m.legendOf(s + 1)));
        }
        QVERIFY(series[0]->color() != series[1]->color());
        QCOMPARE(axisOf(g, Qt::Horizontal)->titleText(), QStringLiteral("T[°C]"));
        QVERIFY(xAxisOf(g)->min() <= -40 && xAxisOf(g)->max() >= 140);

        resetGraph(m);
        QVERIFY(seriesOf(g).isEmpty());
    }

    void logAxesFollowTheScalingCode() {
        Graph g(2);
        ChartModel& m = g.model();
        m.setAxisScale(15);
        resetGraph(m);
        addCurveThenGrow(m, "R41B100T25", {{25, 20}, {100, 0}, {200, 300}, {-3, 50}, {500, 2000}});
        QVERIFY(qobject_cast<QLogValueAxis*>(axisOf(g, Qt::Horizontal)));
        auto* y = qobject_cast<QLogValueAxis*>(axisOf(g, Qt::Vertical));
        QVERIFY(y && std::abs(y->min() - 10.0) < 1e-6 && std::abs(y->max() - 10000.0) < 1e-3); // decades
        QCOMPARE(seriesOf(g)[0]->count(), 3); // points <= 0 are left out on log axes

        m.setAxisScale(7);
        m.setDrawMode(2);
        QVERIFY(qobject_cast<QValueAxis*>(axisOf(g, Qt::Horizontal)));
        QCOMPARE(seriesOf(g)[0]->count(), 4); // only y = 0 is left out
        m.setAxisScale(16);
        m.setDrawMode(3);
        QVERIFY(qobject_cast<QValueAxis*>(axisOf(g, Qt::Vertical)));
        QCOMPARE(seriesOf(g)[0]->count(), 4); // only x = -3 is left out
        QCOMPARE(seriesOf(g)[0]->at(1), QPointF(100, 0));
    }

    void fixedLimitsAndZoomButtons() {
        Graph g(0);
        QVERIFY(Show(g, 600, 400));
        ChartModel& m = g.model();
        QVERIFY(!g.findChild<QToolButton*>("zoomIn")->isVisible());
        m.setAxisScale(6);
        addCurveThenGrow(m, "", {{-125, -400}, {0, 0}, {125, 400}});
        m.setXMin(-125);
        m.setXMax(125);
        m.setDrawMode(3);
        QCOMPARE(QPointF(xAxisOf(g)->min(), xAxisOf(g)->max()), QPointF(-125, 125));
        QVERIFY(g.findChild<QToolButton*>("zoomIn")->isVisible()); // with fixed limits only
        QSignalSpy spy(&g, &Graph::buttonEvent);
        for (const char* zoom : {"zoomIn", "zoomOut"})
            QTest::mouseClick(g.findChild<QToolButton*>(zoom), Qt::LeftButton);
        QCOMPARE(spy, (QList<QList<QVariant>>{{0, 1}, {0, 4}}));
        // Limits that are all 0 (an empty loop) fall back to an automatic range.
        m.setXMin(0);
        m.setXMax(0);
        m.setDrawMode(3);
        QVERIFY(xAxisOf(g)->min() < xAxisOf(g)->max());
    }

    void curvesNeverLeaveThePlotArea() {
        // A hysteresis loop drawn for the first time into a graph just shown, with limits
        // narrower than its data (rounded extremes, then zoomed in): the curve is cut at the
        // plot area, never drawn over the title, the buttons or the axis labels.
        for (const double zoom : {1.0, 0.4}) {
            Graph g(0);
            QVERIFY(Show(g, 640, 480));
            ChartModel& m = g.model();
            m.setGraphTitle("hysteresis");
            g.update(); // the window repaints first when the action is over, as after a list choice
            m.setAxisScale(6);
            Points loop;
            for (int i = 0; i <= 400; ++i) {
                const double a = 2 * M_PI * i / 400;
                loop.push_back({130.4 * std::cos(a), 410.6 * std::tanh(3 * std::cos(a) + std::sin(a))});
            }
            fillSet(m, 1, "", loop);
            m.setXMin(-130 * zoom);
            m.setXMax(130 * zoom);
            m.setYMin(-410);
            m.setYMax(410);
            m.setDrawMode(3);
            // Every frame on screen from the end of the action on.
            int inside = 0;
            for (int frame = 0; frame < 4; ++frame) {
                QCoreApplication::processEvents();
                const QImage shot = QGuiApplication::primaryScreen()->grabWindow(g.winId()).toImage();
                QChartView* view = g.findChild<QChartView*>();
                const QRectF plot = view->chart()->plotArea();
                const QRect allowed = view->mapFromScene(view->chart()->mapToScene(plot))
                                          .boundingRect()
                                          .translated(view->pos())
                                          .adjusted(-2, -2, 2, 2);
                int outside = 0;
                inside = 0;
                for (int y = 0; y < shot.height(); ++y)
                    for (int x = 0; x < shot.width(); ++x) {
                        const QColor c = shot.pixelColor(x, y);
                        if (c.blue() - c.red() < 80 || c.blue() - c.green() < 50) continue; // not the curve
                        ++(allowed.contains(x, y) ? inside : outside);
                    }
                QCOMPARE(outside, 0);
            }
            QVERIFY(inside > 200);
        }
    }

    void clickOnAPointRaisesPointSelected() {
        for (int code : {0, 15}) {
            Graph g(3);
            QVERIFY(Show(g, 640, 480));
            ChartModel& m = g.model();
            m.setAxisScale(code);
            addCurveThenGrow(m, "a", {{10, 100}, {20, 400}, {40, 900}});
            addCurveThenGrow(m, "b", {{10, 300}, {30, 200}});
            QCoreApplication::processEvents();

            QChartView* view = viewOf(g);
            QChart* chart = view->chart();
            const auto series = seriesOf(g);
            QSignalSpy spy(&g, &Graph::pointSelected);
            auto pixelOf = [&](QXYSeries* s, int i) {
                const QPointF inChart = chart->mapToPosition(s->at(i), s);
                return view->mapFromScene(chart->mapToScene(inChart));
            };
            // On a point, near one, far from every point, below the view (it shrank under the
            // press: no item there, and no crash).
            for (const QPoint at :
                 {pixelOf(series[1], 1), pixelOf(series[0], 2) + QPoint(4, -3),
                  pixelOf(series[0], 0) + QPoint(30, 0), QPoint(10, view->viewport()->height() + 12)})
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
            g.selectPoint(1, 2); // the same signal from the program
            g.selectPoint(3, 1); // the empty set: no point there
            QCOMPARE(spy, (QList<QList<QVariant>>{{3, 2, 2}, {3, 1, 3}, {3, 1, 2}}));
        }
    }

    void chartLivesAsLongAsTheGraphAndRedrawsOncePerAction() {
        Graph g(2);
        QVERIFY(Show(g, 600, 420));
        QCoreApplication::processEvents();
        ChartModel& m = g.model();
        QChart* chart = viewOf(g)->chart();
        QSignalSpy redrawn(&g, &Graph::redrawn);
        // One action: a reset (six draw commands) and three curves, each with its draw.
        resetGraph(m);
        addCurveThenGrow(m, "a", {{-40, 400}, {25, 450}, {100, 520}});
        addCurveThenGrow(m, "b", {{-40, 300}, {25, 350}});
        addCurveThenGrow(m, "c", {{-40, 200}, {25, 250}});
        QCOMPARE(redrawn.size(), 0);
        QCOMPARE(seriesOf(g).size(), 3);
        QCOMPARE(redrawn.size(), 1);
        resetGraph(m);
        addCurveThenGrow(m, "d", {{0, 1}, {10, 2}});
        QCOMPARE(seriesOf(g).size(), 1);
        QCOMPARE(redrawn.size(), 2);
        QCOMPARE(viewOf(g)->chart(), chart);
        // Any number of resets leaves the same items, or old axes show through new ones.
        const auto items = viewOf(g)->scene()->items().size();
        for (int round = 0; round < 3; ++round) {
            resetGraph(m);
            addCurveThenGrow(m, "d", {{0, 10}, {10, 20}});
        }
        QCOMPARE(viewOf(g)->scene()->items().size(), items);
        QCOMPARE(chart->axes().size(), 2);
    }

    void axisLabelsUseTheSystemsDecimalSeparator() {
        // Linear axes and logarithmic ones (whose labels once went missing altogether).
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Graph g(1);
        QVERIFY(Show(g, 600, 420));
        QStringList linear, log;
        for (QStringList* labels : {&linear, &log}) {
            g.model().setAxisScale(labels == &log ? 15 : 0);
            resetGraph(g.model());
            addCurveThenGrow(g.model(), "", {{0.05, 1.5}, {0.95, 2.25}});
            for (QGraphicsItem* item : viewOf(g)->scene()->items())
                if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
                    if (text->isVisible() && !text->toPlainText().isEmpty()) *labels << text->toPlainText();
        }
        QLocale::setDefault(before);
        QVERIFY2(linear.filter(QStringLiteral(",")).size() >= 4, qPrintable(linear.join(' ')));
        QVERIFY2(linear.filter(QStringLiteral(".")).isEmpty(), qPrintable(linear.join(' ')));
        QVERIFY2(log.contains(QStringLiteral("0,01")) && log.contains(QStringLiteral("10")),
                 qPrintable(log.join(' ')));
    }

    void settingsDialogChangesTheChart() {
        Graph g(1);
        QVERIFY(Show(g, 600, 400));
        ChartModel& m = g.model();
        m.setGraphTitle("initial permeability");
        addCurveThenGrow(m, "F77", {{25, 2200}, {100, 3300}, {200, 500}});

        g.setPropertyPages(2);
        auto* dlg = g.findChild<QDialog*>("GraphSettings");
        QVERIFY(dlg && dlg->isVisible());
        auto* title = dlg->findChild<QLineEdit*>("graphTitle");
        QCOMPARE(title->text(), QStringLiteral("initial permeability"));
        title->setText("µi of F77");
        dlg->findChild<QLineEdit*>("yTitle")->setText("µi");
        dlg->findChild<QCheckBox*>("yLog")->setChecked(true);
        dlg->findChild<QCheckBox*>("xAuto")->setChecked(false);
        dlg->findChild<QLineEdit*>("xMin")->setText("0");
        dlg->findChild<QLineEdit*>("xMax")->setText("250");
        auto* box = dlg->findChild<QDialogButtonBox*>();
        QTest::mouseClick(box->button(QDialogButtonBox::Apply), Qt::LeftButton);

        QCOMPARE(viewOf(g)->chart()->title(), QStringLiteral("µi of F77"));
        QCOMPARE(axisOf(g, Qt::Vertical)->titleText(), QStringLiteral("µi"));
        QVERIFY(qobject_cast<QLogValueAxis*>(axisOf(g, Qt::Vertical)));
        QCOMPARE(QPointF(xAxisOf(g)->min(), xAxisOf(g)->max()), QPointF(0, 250));

        // A second request shows the same dialog; Cancel closes it.
        g.setPropertyPages(2);
        QCOMPARE(g.findChildren<QDialog*>().size(), 1);
        QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());

        // The chosen range lasts until the data are reset.
        resetGraph(m);
        addCurveThenGrow(m, "Q97", {{25, 2300}, {60, 3000}});
        QVERIFY(xAxisOf(g)->max() < 250);
    }

    void printStaysInItsFrame() {
        Graph g(2);
        g.resize(500, 350);
        ChartModel& m = g.model();
        resetGraph(m);
        m.setGraphTitle("effective permeability");
        addCurveThenGrow(m, "µe", {{0, 1}, {50, 3}, {100, 2}});

        // The print command renders into the print entries' frame (cm on the device).
        QImage page(1200, 900, QImage::Format_RGB32);
        page.setDotsPerMeterX(3780); // 96 dpi
        page.setDotsPerMeterY(3780);
        page.fill(Qt::white);
        QSignalSpy spy(&g, &Graph::printRequested);
        {
            QPainter p(&page);
            g.setPrintPainter(&p);
            const double cm[] = {8, 4, 20, 14}; // left, top, width, height: entries 2 to 5
            for (int i = 0; i < 4; ++i)
                m.setPrintInfo(2 + i, cm[i]);
            m.setDrawMode(5);
            g.setPrintPainter(nullptr);
        }
        QCOMPARE(spy.size(), 1);
        const double px = page.logicalDpiX() / 2.54;
        const QRect frame(qRound(8 * px), qRound(4 * px), qRound(20 * px), qRound(14 * px));
        QVERIFY(inkInside(page, frame) > 1000);
        QCOMPARE(inkInside(page, QRect(0, 0, frame.left() - 3, 900)), 0);
        QCOMPARE(inkInside(page, QRect(0, 0, 1200, frame.top() - 3)), 0);
    }

    void aGraphNeverShownPrintsAsAShownOne() {
        // A graph gets its chart when first shown or rendered: what it prints must not
        // depend on whether anyone looked at it.
        auto draw = [](ChartModel& m) {
            resetGraph(m);
            m.setGraphTitle("complex permeability");
            m.setBottomTitle("f[kHz]");
            m.setAxisScale(15);
            addCurveThenGrow(m, "a", {{1, 400}, {10, 450}, {100, 520}});
            addCurveThenGrow(m, "b", {{1, 300}, {10, 350}, {100, 330}});
        };
        QImage pages[2];
        for (int shown = 0; shown < 2; ++shown) {
            Graph g(4);
            if (shown) QVERIFY(Show(g, 600, 420));
            draw(g.model());
            pages[shown] = QImage(900, 600, QImage::Format_RGB32);
            pages[shown].fill(Qt::white);
            QPainter p(&pages[shown]);
            g.render(p, QRectF(0, 0, 900, 600));
        }
        QVERIFY(inkInside(pages[0], QRect(0, 0, 900, 600)) > 1000);
        QCOMPARE(pages[0], pages[1]);
    }

    void legendNamesEveryDrawnCurveInFull() {
        Graph g(2);
        QVERIFY(Show(g, 420, 360));
        ChartModel& m = g.model();
        const std::string longName = "µe E 42/21/15R41 s=0.25[mm] and a long tail";
        addCurveThenGrow(m, longName, {{-40, 400}, {25, 450}});
        addCurveThenGrow(m, "µe s=1[mm]", {{-40, 100}, {25, 110}});
        QCoreApplication::processEvents();
        QStringList shown;
        for (QLabel* l : g.findChildren<QLabel*>(QStringLiteral("legendEntry")))
            shown << l->text();
        // two curves, the empty trailing set has no entry, and no name is cut short
        QCOMPARE(shown, QStringList({QString::fromStdString(longName), QStringLiteral("µe s=1[mm]")}));
        QVERIFY(g.findChild<QWidget*>(QStringLiteral("legend"))->isVisible());

        // one unnamed curve (a hysteresis loop) needs no legend
        resetGraph(m);
        addCurveThenGrow(m, "", {{-1, -1}, {1, 1}});
        QCoreApplication::processEvents();
        QVERIFY(!g.findChild<QWidget*>(QStringLiteral("legend"))->isVisible());
    }
};

QTEST_MAIN(GraphTest)
#include "graph_test.moc"

#include "../ui_common/paint_count.h"
#include "chart_helpers.h"
#include "tolvik/chart/graph.h"

#include <QChartView>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineF>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>
#include <QXYSeries>

#include <algorithm>
#include <cmath>

using namespace tolvik::chart;
using namespace tolvik::chart::test;

namespace {

/// The chart view, once the draw commands given so far are shown (made when first shown).
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

bool notWhite(QRgb c) {
    return c != qRgb(255, 255, 255);
}

bool curveBlue(QRgb c) { // the first curve's colour, antialiased
    return qBlue(c) - qRed(c) >= 80 && qBlue(c) - qGreen(c) >= 50;
}

int inkInside(const QImage& img, const QRect& r, bool (*ink)(QRgb) = notWhite) {
    int n = 0;
    const QRect in = r.intersected(img.rect());
    for (int y = in.top(); y <= in.bottom(); ++y)
        for (int x = in.left(); x <= in.right(); ++x)
            n += ink(img.pixel(x, y));
    return n;
}

} // namespace

class GraphTest : public QObject {
    Q_OBJECT
private slots:

    void seriesAndLegendShowTheWrittenCurves() {
        Graph g(2);
        QVERIFY(Show(g, 420, 360));
        ChartModel& m = g.model();
        m.setBottomTitle("T[°C]");
        m.setLeftTitle("µe");
        const std::string longName = "µe E 42/21/15R41 s=0.25[mm] and a long tail";
        addCurve(m, longName, {{-40, 400}, {25, 450}, {100, 520}, {140, 480}});
        addCurve(m, "µe s=0.2[mm]", {{-40, 250}, {25, 260}}); // points 3 and 4 unwritten

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
        QStringList legend; // the empty set has no entry, and no name is cut short
        for (QLabel* l : g.findChildren<QLabel*>(QStringLiteral("legendEntry")))
            legend << l->text();
        QCOMPARE(legend, QStringList({QString::fromStdString(longName), QStringLiteral("µe s=0.2[mm]")}));
        QVERIFY(g.findChild<QWidget*>(QStringLiteral("legend"))->isVisible());
        // Each name stands right of a colour mark on its line, clear of the other entries.
        QCoreApplication::processEvents();
        for (QLabel* name : g.findChildren<QLabel*>(QStringLiteral("legendEntry"))) {
            const QRect at = name->geometry();
            bool marked = false;
            for (QLabel* other :
                 name->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (other == name) continue;
                QVERIFY2(!other->geometry().intersects(at), qPrintable(name->text()));
                const QRect mark = other->geometry();
                marked = marked || (!other->pixmap().isNull() && mark.right() < at.left() &&
                                    std::abs(mark.center().y() - at.center().y()) <= 2);
            }
            QVERIFY2(marked, qPrintable(name->text()));
        }

        // One unnamed curve (a hysteresis loop) needs no legend.
        resetGraph(m);
        addCurve(m, "", {{-1, -1}, {1, 1}});
        QCOMPARE(seriesOf(g).size(), 1);
        QVERIFY(!g.findChild<QWidget*>(QStringLiteral("legend"))->isVisible());
    }

    void logAxesFollowTheScalingCode() {
        Graph g(2);
        ChartModel& m = g.model();
        m.setAxisScale(15);
        resetGraph(m);
        addCurve(m, "R41B100T25", {{25, 20}, {100, 0}, {200, 300}, {-3, 50}, {500, 2000}});
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

    void fixedLimitsCutCurvesAtThePlotArea() {
        // A loop drawn first into a graph just shown, with limits narrower than its data: the
        // curve is cut at the plot area, never drawn over the title, buttons or axis labels.
        Graph g(0);
        QVERIFY(Show(g, 640, 480));
        QToolButton* zoomIn = g.findChild<QToolButton*>("zoomIn");
        QVERIFY(!zoomIn->isVisible());
        ChartModel& m = g.model();
        m.setGraphTitle("hysteresis");
        g.update(); // the window repaints first when the action is over, as after a list choice
        m.setAxisScale(6);
        Points loop;
        for (int i = 0; i <= 400; ++i) {
            const double a = 2 * M_PI * i / 400;
            loop.push_back({130.4 * std::cos(a), 410.6 * std::tanh(3 * std::cos(a) + std::sin(a))});
        }
        addCurve(m, "", loop);
        m.setXMin(-52);
        m.setXMax(52);
        m.setYMin(-410);
        m.setYMax(410);
        m.setDrawMode(3);
        int inside = 0;
        for (int frame = 0; frame < 4; ++frame) { // every frame from the end of the action on
            QCoreApplication::processEvents();
            const QImage shot = QGuiApplication::primaryScreen()->grabWindow(g.winId()).toImage();
            QChartView* view = g.findChild<QChartView*>();
            const QRect allowed = view->mapFromScene(view->chart()->mapToScene(view->chart()->plotArea()))
                                      .boundingRect()
                                      .translated(view->pos())
                                      .adjusted(-2, -2, 2, 2);
            inside = inkInside(shot, allowed, curveBlue);
            QCOMPARE(inkInside(shot, shot.rect(), curveBlue), inside);
        }
        QVERIFY(inside > 200);
        QCOMPARE(QPointF(xAxisOf(g)->min(), xAxisOf(g)->max()), QPointF(-52, 52));
        QVERIFY(zoomIn->isVisible()); // with fixed limits only
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

    void clickOnAPointRaisesPointSelected() {
        for (int code : {0, 15}) {
            Graph g(3);
            QVERIFY(Show(g, 640, 480));
            ChartModel& m = g.model();
            m.setAxisScale(code);
            addCurve(m, "a", {{10, 100}, {20, 400}, {40, 900}});
            addCurve(m, "b", {{10, 300}, {30, 200}});
            QCoreApplication::processEvents();

            QChartView* view = viewOf(g);
            QChart* chart = view->chart();
            const auto series = seriesOf(g);
            QSignalSpy spy(&g, &Graph::pointSelected);
            auto pixelOf = [&](QXYSeries* s, int i) {
                const QPointF inChart = chart->mapToPosition(s->at(i), s);
                return view->mapFromScene(chart->mapToScene(inChart));
            };
            // On a point, near one, far from all, below the view (shrunk under the press: no crash).
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
        qsizetype items = 0;
        for (int action = 1; action <= 3; ++action) {
            // One action: a reset and three curves, each with its draw command.
            resetGraph(m);
            addCurve(m, "a", {{-40, 400}, {25, 450}, {100, 520}});
            addCurve(m, "b", {{-40, 300}, {25, 350}});
            addCurve(m, "c", {{-40, 200}, {25, 250}});
            QCOMPARE(seriesOf(g).size(), 3);
            QCOMPARE(redrawn.size(), action);
            QCOMPARE(viewOf(g)->chart(), chart);
            // Any number of resets leaves the same items, or old axes show through new ones.
            if (action == 1) items = viewOf(g)->scene()->items().size();
        }
        QCOMPARE(viewOf(g)->scene()->items().size(), items);
        QCOMPARE(chart->axes().size(), 2);
    }

    void oneActionPaintsTheChartOnceWithItsNewCurves() {
        using tolvik::test::PaintCount;
        using tolvik::test::UntilIdle;
        Graph g(2);
        QVERIFY(Show(g, 600, 420));
        QChartView* view = viewOf(g);
        UntilIdle();
        PaintCount count(view->viewport());
        for (int curves : {2, 3}) {
            count.paints = 0;
            resetGraph(g.model());
            for (int k = 0; k < curves; ++k)
                addCurve(g.model(), std::string(1, char('a' + k)), {{0, 10.0 * k}, {50, 20.0 * k + 5}});
            UntilIdle();
            QCOMPARE(count.paints, 1);
            QCOMPARE(seriesOf(g).size(), curves);
        }
        // Drawn while not shown: painted once as it is shown again, with what was drawn.
        g.hide();
        resetGraph(g.model());
        addCurve(g.model(), "h", {{0, 1}, {50, 2}});
        UntilIdle();
        count.paints = 0;
        g.show();
        UntilIdle();
        QCOMPARE(count.paints, 1);
        QCOMPARE(seriesOf(g).size(), 1);
    }

    void axisLabelsUseTheSystemsDecimalSeparator_data() {
        QTest::addColumn<bool>("builtAhead");
        QTest::newRow("charts of its own") << false;
        // Built before the system's format was known, their axes hidden while in stock.
        QTest::newRow("charts built ahead") << true;
    }

    void axisLabelsUseTheSystemsDecimalSeparator() {
        // Linear axes and logarithmic ones (whose labels once went missing altogether).
        QFETCH(bool, builtAhead);
        QWidget keeper;
        if (builtAhead) {
            chart_stock::Refill(&keeper);
            QTRY_COMPARE(chart_stock::Count(), chart_stock::kTarget);
        }
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Graph g(1);
        QVERIFY(Show(g, 600, 420));
        QStringList linear, log;
        for (QStringList* labels : {&linear, &log}) {
            g.model().setAxisScale(labels == &log ? 15 : 0);
            resetGraph(g.model());
            addCurve(g.model(), "", {{0.05, 1.5}, {0.95, 2.25}});
            for (QGraphicsItem* item : viewOf(g)->scene()->items())
                if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
                    if (text->isVisible() && !text->toPlainText().isEmpty()) *labels << text->toPlainText();
        }
        QLocale::setDefault(before);
        QVERIFY2(linear.filter(QStringLiteral(",")).size() >= 4, qPrintable(linear.join(' ')));
        QVERIFY2(linear.filter(QStringLiteral(".")).isEmpty(), qPrintable(linear.join(' ')));
        QVERIFY2(log.contains(QStringLiteral("0,01")) && log.contains(QStringLiteral("10")),
                 qPrintable(log.join(' ')));
        if (builtAhead) QCOMPARE(chart_stock::Count(), chart_stock::kTarget - 2); // one of each kind
    }

    void settingsDialogChangesTheChart() {
        Graph g(1);
        QVERIFY(Show(g, 600, 400));
        ChartModel& m = g.model();
        m.setGraphTitle("initial permeability");
        addCurve(m, "F77", {{25, 2200}, {100, 3300}, {200, 500}});

        g.setPropertyPages(2);
        auto* dlg = g.findChild<QDialog*>("GraphSettings");
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->findChild<QLineEdit*>("graphTitle")->text(), QStringLiteral("initial permeability"));
        for (const auto& [name, text] :
             {std::pair{"graphTitle", "µi of F77"}, {"yTitle", "µi"}, {"xMin", "0"}, {"xMax", "250"}})
            dlg->findChild<QLineEdit*>(name)->setText(QString::fromUtf8(text));
        dlg->findChild<QCheckBox*>("yLog")->setChecked(true);
        dlg->findChild<QCheckBox*>("xAuto")->setChecked(false);
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
        addCurve(m, "Q97", {{25, 2300}, {60, 3000}});
        QVERIFY(xAxisOf(g)->max() < 250);
    }

    void printsIntoItsFrameShownOrNot() {
        // Print entries 2 to 5 give the frame (left, top, width, height in cm on the device).
        // A graph never shown (its chart made on rendering) prints as a shown one.
        QImage pages[2];
        for (int shown = 0; shown < 2; ++shown) {
            Graph g(2);
            g.resize(500, 350);
            if (shown) QVERIFY(Show(g, 500, 350));
            ChartModel& m = g.model();
            resetGraph(m);
            m.setGraphTitle("complex permeability");
            m.setAxisScale(15);
            addCurve(m, "a", {{1, 400}, {10, 450}, {100, 520}});
            addCurve(m, "b", {{1, 300}, {10, 350}, {100, 330}});
            pages[shown] = QImage(1200, 900, QImage::Format_RGB32);
            pages[shown].fill(Qt::white);
            QSignalSpy spy(&g, &Graph::printRequested);
            QPainter p(&pages[shown]);
            g.setPrintPainter(&p);
            for (const auto& [entry, cm] : {std::pair{2, 8}, {3, 4}, {4, 20}, {5, 14}})
                m.setPrintInfo(entry, cm);
            m.setDrawMode(5);
            g.setPrintPainter(nullptr);
            QCOMPARE(spy.size(), 1);
        }
        const double px = pages[0].logicalDpiX() / 2.54;
        const QRect frame(qRound(8 * px), qRound(4 * px), qRound(20 * px), qRound(14 * px));
        QVERIFY(inkInside(pages[0], frame) > 1000);
        QCOMPARE(inkInside(pages[0], QRect(0, 0, frame.left() - 3, 900)), 0);
        QCOMPARE(inkInside(pages[0], QRect(0, 0, 1200, frame.top() - 3)), 0);
        QCOMPARE(pages[0], pages[1]);
    }

    void thinnedLinesPassThroughEveryPoint() {
        // Many points painted as fewer, each within a fraction of a pixel, at every size, and
        // after new points in the same ranges (a redraw that leaves the plot area as it was).
        Graph g(1);
        QVERIFY(Show(g, 700, 450));
        ChartModel& m = g.model();
        Points wave, straight;
        for (int i = 0; i < 4000; ++i) {
            wave.emplace_back(i, 100 * std::sin(i / 300.0));
            straight.emplace_back(i, i * 0.03);
        }
        addCurve(m, "wave", wave);
        addCurve(m, "straight", straight);
        const auto passesThroughEveryPoint = [&](const QString& when) {
            QChart* chart = g.findChild<QChartView*>()->chart();
            const auto series = chart->series(); // the third, empty set draws nothing
            for (int s = 0; s < 2; ++s) {
                auto* line = qobject_cast<QXYSeries*>(series[s]);
                const auto drawn = line->points();
                QVERIFY2(drawn.size() < 2000, qPrintable(QString::number(drawn.size())));
                QCOMPARE(m.writtenPoints(s + 1).size(), size_t{4000});
                // Each point of the model is near the painted polyline, in pixels.
                qsizetype k = 0;
                for (const auto& [x, y] : m.writtenPoints(s + 1)) {
                    while (k + 1 < drawn.size() - 1 && drawn[k + 1].x() < x)
                        ++k;
                    const QPointF p = chart->mapToPosition(QPointF(x, y), line);
                    const QPointF a = chart->mapToPosition(drawn[k], line);
                    const QPointF d = chart->mapToPosition(drawn[k + 1], line) - a;
                    const double t =
                        std::clamp(QPointF::dotProduct(p - a, d) / QPointF::dotProduct(d, d), 0., 1.);
                    QVERIFY2(QLineF(p, a + t * d).length() < 0.25,
                             qPrintable(when + QStringLiteral(" at x %1").arg(x)));
                }
            }
        };
        for (const QSize size : {QSize(700, 450), QSize(1400, 900), QSize(300, 200)}) {
            g.resize(size);
            QCoreApplication::processEvents();
            passesThroughEveryPoint(QString::number(size.width()));
            if (QTest::currentTestFailed()) return;
        }
        m.setThisSet(1);
        for (int i = 0; i < 4000; ++i) {
            m.setThisPoint(i + 1);
            m.setYValue(-wave[static_cast<size_t>(i)].second);
        }
        m.setDrawMode(3);
        QCoreApplication::processEvents();
        passesThroughEveryPoint(QStringLiteral("new points"));
    }
};

QTEST_MAIN(GraphTest)
#include "graph_test.moc"

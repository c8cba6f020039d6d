// A line of many points is painted with fewer, never farther than a fraction of a pixel
// from any point, at every size of the graph; the model keeps every point.

#include "chart_helpers.h"
#include "tolvik/chart/graph.h"

#include <QChart>
#include <QChartView>
#include <QLineF>
#include <QTest>
#include <QXYSeries>

#include <cmath>

using namespace tolvik::chart;
using namespace tolvik::chart::test;

class GraphThinTest : public QObject {
    Q_OBJECT
private slots:
    void thinnedLinesPassThroughEveryPoint() {
        Graph g(1);
        g.resize(700, 450);
        g.show();
        ChartModel& m = g.model();
        resetGraph(m);
        Points wave, straight;
        for (int i = 0; i < 4000; ++i) {
            wave.emplace_back(i, 100 * std::sin(i / 300.0));
            straight.emplace_back(i, i * 0.03);
        }
        addCurve(m, "wave", wave);
        addCurve(m, "straight", straight);
        for (const QSize size : {QSize(700, 450), QSize(1400, 900), QSize(300, 200)}) {
            g.resize(size);
            QCoreApplication::processEvents();
            QChart* chart = g.findChild<QChartView*>()->chart();
            const auto series = chart->series();
            QCOMPARE(series.size(), 2);
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
                    const QPointF b = chart->mapToPosition(drawn[k + 1], line);
                    const QPointF d = b - a;
                    const double t =
                        std::clamp(QPointF::dotProduct(p - a, d) / QPointF::dotProduct(d, d), 0., 1.);
                    QVERIFY2(QLineF(p, a + t * d).length() < 0.25,
                             qPrintable(QStringLiteral("%1 at x %2").arg(size.width()).arg(x)));
                }
            }
        }
    }
};

QTEST_MAIN(GraphThinTest)
#include "graph_thin_test.moc"

// The advisor's window on the sample data file: a run from the inputs on screen shows the
// library's designs, ranked, with the rejected ones on request, and exports the CSV.

#include "tolvik/advisor_ui/advisor_window.h"
#include "tolvik/ui_common/app_context.h"

#include <QAbstractItemModelTester>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <algorithm>

using namespace tolvik;

class AdvisorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void runShowsTheLibrarysDesignsRanked() {
        AppContext app;
        app.databasePath = TOLVIK_SAMPLE_DB;
        advisor_ui::AdvisorWindow w(app);
        QCOMPARE(w.objectName(), QStringLiteral("AdvisorForm"));
        for (int kind : {0, 1}) {
            w.findChild<QComboBox*>(QStringLiteral("cboKind"))->setCurrentIndex(kind);
            QSignalSpy ended(&w, &advisor_ui::AdvisorWindow::runEnded);
            w.findChild<QPushButton*>(QStringLiteral("cmdAdvise"))->click();
            QVERIFY(ended.wait(20000));
            auto* table = w.findChild<QTableView*>(QStringLiteral("advTable"));
            const QByteArray widths = table->horizontalHeader()->saveState(); // of the contents
            table->resizeColumnsToContents();
            QCOMPARE(table->horizontalHeader()->saveState(), widths);

            // The same designs as the library's for the inputs on screen (1 mH, 2 A, 0.4 A at
            // 100 kHz; 100 W push-pull at 100 kHz).
            auto db = data::Database::open(TOLVIK_SAMPLE_DB);
            const advisor::Catalogue cat = advisor::LoadCatalogue(*db);
            const std::vector<advisor::Design> designs =
                kind == 0 ? advisor::AdviseChoke(cat, {1, 2, 10, 25, 0.4, 100})
                          : advisor::AdviseTransformer(cat, {100, 100});
            const auto feasible =
                std::count_if(designs.begin(), designs.end(), [](auto& d) { return d.feasible; });
            QVERIFY(feasible > 0);
            QCOMPARE(w.model().rowCount(), static_cast<int>(feasible));
            QCOMPARE(w.model().designAt(0)->rank, 1);
            for (int r = 1; r < w.model().rowCount(); ++r)
                QVERIFY(w.model().designAt(r)->ve_mm3 >= w.model().designAt(r - 1)->ve_mm3);

            // The designs' markers lie on their points of the chart: their fill colour (or the
            // front drawn over them) close to the point, but for a few hidden by their neighbours.
            auto* view = w.findChild<QChartView*>(QStringLiteral("advChart"));
            const QImage shown = view->grab().toImage();
            const auto series = view->chart()->series();
            const QColor fill = static_cast<QScatterSeries*>(series[0])->color();
            const QColor front = static_cast<QLineSeries*>(series[1])->color();
            int marked = 0;
            for (int r = 0; r < w.model().rowCount(); ++r) {
                const advisor::Design& d = *w.model().designAt(r);
                const QPoint at = view->mapFromScene(view->chart()->mapToScene(
                    view->chart()->mapToPosition({d.ve_mm3, d.ptotal_W}, series[0])));
                bool near = false;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx)
                        near = near || shown.pixelColor(at + QPoint(dx, dy)) == fill ||
                               shown.pixelColor(at + QPoint(dx, dy)) == front;
                marked += near ? 1 : 0;
            }
            QVERIFY(marked >= w.model().rowCount() * 9 / 10);

            w.findChild<QCheckBox*>(QStringLiteral("advShowRejected"))->setChecked(true);
            QCOMPARE(w.model().rowCount(), static_cast<int>(designs.size()));
            // A figure that does not apply (a rejected design's loss) sorts last either way.
            int lossColumn = 0;
            while (!w.model()
                        .headerData(lossColumn, Qt::Horizontal, Qt::DisplayRole)
                        .toString()
                        .startsWith("Ptotal"))
                ++lossColumn;
            for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
                w.model().sort(lossColumn, order);
                auto loss = [&](int r) { return w.model().index(r, lossColumn).data().toString(); };
                QVERIFY(!loss(0).isEmpty());
                for (int r = 1; r < w.model().rowCount(); ++r)
                    QVERIFY(!loss(r - 1).isEmpty() || loss(r).isEmpty());
            }
            const std::string csv = w.model().csv();
            QCOMPARE(csv.substr(0, csv.find('\n')), advisor::CsvHeader());
            QCOMPARE(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), designs.size() + 1);
            w.findChild<QCheckBox*>(QStringLiteral("advShowRejected"))->setChecked(false);
        }
    }

    // A run arrives in parts and is shown from where it lies: rows across parts, with and
    // without the rejected designs, then the ranked run in their place.
    void partsShowInOrderAcrossParts() {
        auto cat = std::make_shared<advisor::Catalogue>();
        cat->materials.emplace_back();
        auto part = [&cat](std::initializer_list<bool> feasible) {
            auto p = std::make_shared<std::vector<advisor::Design>>();
            for (bool f : feasible) {
                cat->cores.emplace_back();
                p->emplace_back();
                p->back().core = cat->cores.size() - 1;
                p->back().feasible = f;
            }
            return p;
        };
        auto a = part({true, false}), b = part({false, true, true}), c = part({true});
        advisor_ui::DesignModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTableView view; // follows the model's signals only
        view.setModel(&m);
        m.reset(cat, advisor::Kind::Choke);
        m.append(a);
        m.append({b, c});
        auto cores = [&m] {
            std::vector<std::size_t> v;
            for (int r = 0; r < m.rowCount(); ++r)
                v.push_back(m.designAt(r)->core);
            return v;
        };
        QCOMPARE(cores(), (std::vector<std::size_t>{0, 3, 4, 5}));
        m.setShowRejected(true);
        QCOMPARE(cores(), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));
        auto ranked = std::make_shared<std::vector<advisor::Design>>(*b);
        std::swap(ranked->front(), ranked->back()); // feasible ones first, as Rank leaves them
        m.setRanked(ranked);
        QCOMPARE(cores(), (std::vector<std::size_t>{4, 3, 2}));
        m.setShowRejected(false);
        QCOMPARE(cores(), (std::vector<std::size_t>{4, 3}));
        // A ranked run with more rows than shown takes their place without a reset.
        m.reset(cat, advisor::Kind::Choke);
        m.append(a);
        m.setRanked(ranked);
        QCOMPARE(cores(), (std::vector<std::size_t>{4, 3}));
        QCOMPARE(view.verticalHeader()->count(), m.rowCount());
    }
};

QTEST_MAIN(AdvisorWindowTest)
#include "advisor_window_test.moc"

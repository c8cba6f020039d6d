// The Core calculation window driven by objectName on the fixture database
// (core_fixture_db.h), with recorded messages.

#include "core_fixture_db.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/core/mue_t.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <cmath>
#include <memory>

using tolvik::core::CoreForm;

class CoreFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<tolvik::core::test::FixtureFolder> folder;
    std::unique_ptr<tolvik::AppContext> app;
    std::unique_ptr<CoreForm> form;
    tolvik::ui::RecordingMessageService* messages = nullptr;

    template <class T = QWidget> T* get(const QString& name) {
        T* w = form->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLineEdit* field(const QString& name) { return get<QLineEdit>(name); }
    QComboBox* kern() { return get<QComboBox>(QStringLiteral("Kern")); }
    QComboBox* material() { return get<QComboBox>(QStringLiteral("Material")); }
    tolvik::chart::Graph* graph(int i) {
        return get<tolvik::chart::Graph>(QStringLiteral("Graph1(%1)").arg(i));
    }

    /// As the main window does it: set the tab, then ChangeTab.
    void showTab(int tab) {
        form->tabControl()->setCurrentIndex(tab);
        double t = tab;
        form->ChangeTab(t);
    }
    /// A choice of the user in a list.
    void choose(QComboBox* list, const QString& text) {
        const int i = list->findText(text);
        QVERIFY2(i >= 0, qPrintable(text));
        list->setCurrentIndex(i);
        emit list->activated(i);
    }
    void calculate() { get<QPushButton>(QStringLiteral("cmdCalculate"))->click(); }
    QStringList entries(QComboBox* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }
    /// Chooses material, core and air gap on the overview, then enters the µe vs. T tab,
    /// which draws one curve.
    void mueTab(const QString& mat, const QString& core, const QString& s) {
        showTab(0);
        choose(material(), mat);
        choose(kern(), core);
        field(QStringLiteral("s"))->setText(s);
        showTab(2);
    }

    /// Opens the window on the fixture database, changed by extraSql.
    void open(const std::string& extraSql) {
        form.reset();
        app.reset();
        folder = std::make_unique<tolvik::core::test::FixtureFolder>(extraSql);
        app = std::make_unique<tolvik::AppContext>();
        app->databasePath = folder->databasePath();
        app->appFolder = TOLVIK_TEST_PROGRAM_DIR;
        app->database = tolvik::data::Database::open(app->databasePath);
        form = std::make_unique<CoreForm>(*app);
        form->resize(1000, 650);
        form->show();
    }

private slots:
    void init() {
        tolvik::text::SetDecimalSeparator('.');
        messages = &tolvik::ui::InstallRecordingMessages();
        open(std::string());
    }
    void cleanup() {
        form.reset();
        app.reset();
        folder.reset();
    }

    void opensWithListsFilledAndNothingPlaced() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Core data"));
        QCOMPARE(entries(material()), (QStringList{"M1", "M2", "M3", "M4"}));
        QCOMPARE(entries(kern()), (QStringList{"E 20", "P 14", "EL 18", "R 10"}));
        QVERIFY(get(QStringLiteral("cmdCalculate"))->isHidden());
        QVERIFY(get(QStringLiteral("picArrow(0)"))->isHidden());
        QVERIFY(get(QStringLiteral("picArrow(1)"))->isHidden());
        QVERIFY(get<QRadioButton>(QStringLiteral("opt_td_N1N2R1R2"))->isChecked());
        QVERIFY(field(QStringLiteral("thd_Al25"))->isReadOnly());
        QVERIFY(!field(QStringLiteral("thd_L1_25"))->isReadOnly());
        const QStringList captions{"Data overview", "Al value",          "µe vs. T",         "P trans",
                                   "DC-Bias",       " Harm. distortion", " Wire calculation"};
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(form->tabControl()->tabText(i), captions[i]);
    }

    void opensSmallEnoughForTheMainWindow() {
        // The main window's working area is about 800 x 500 pixels; the window with its
        // title bar and borders must fit, with every tab's controls inside it.
        const QSize hint = form->sizeHint();
        QVERIFY2(hint.width() <= 790 && hint.height() <= 470,
                 qPrintable(QStringLiteral("%1 x %2").arg(hint.width()).arg(hint.height())));
        form->resize(hint);
        auto place = [this](const QWidget* w) {
            return QRect(w->mapTo(form.get(), QPoint(0, 0)), w->size());
        };
        for (int tab = 1; tab < 7; ++tab) {
            showTab(tab);
            QApplication::processEvents();
            QVERIFY(form->rect().contains(place(get(QStringLiteral("cmdCalculate")))));
            for (int k = 0; k < 3; ++k) {
                QWidget* arrow = get(QStringLiteral("picArrow(%1)").arg(k));
                if (!arrow->isHidden()) QVERIFY(form->rect().contains(place(arrow)));
            }
        }
        // Al value: the arrows of the two air gap panels stand between input and result.
        showTab(1);
        QApplication::processEvents();
        const struct {
            int arrow;
            const char* input;
            const char* result;
        } kPanels[] = {{2, "t4Al1", "t4s1"}, {1, "tAlFringeFlux", "tsFringeFlux"}};
        for (const auto& p : kPanels) {
            const QRect arrow = place(get(QStringLiteral("picArrow(%1)").arg(p.arrow)));
            QVERIFY(place(field(QString::fromLatin1(p.input))).right() < arrow.left());
            QVERIFY(arrow.right() < place(field(QString::fromLatin1(p.result))).left());
        }
    }

    void dataOverviewHasNoCalculateButtonNorArrows() {
        showTab(2);
        QVERIFY(!get(QStringLiteral("cmdCalculate"))->isHidden());
        QVERIFY(form->tabControl()->widget(2)->isAncestorOf(get(QStringLiteral("cmdCalculate"))));
        QVERIFY(!get(QStringLiteral("picArrow(0)"))->isHidden());
        showTab(0);
        QVERIFY(get(QStringLiteral("cmdCalculate"))->isHidden());
        for (int k = 0; k < 3; ++k)
            QVERIFY(get(QStringLiteral("picArrow(%1)").arg(k))->isHidden());
    }

    void leavingDcBiasResetsItsGraphAndHidesTemperatures() {
        showTab(4);
        QVERIFY(!get(QStringLiteral("T25"))->isHidden());
        QVERIFY(!get(QStringLiteral("T100"))->isHidden());
        auto& m = graph(4)->model();
        m.setNumSets(3);
        m.setNumPoints(10);
        m.setThisSet(2);
        m.setThisPoint(4);
        m.setXValue(1);
        m.setYValue(2);
        app->log.append("a", "b", true);
        form->tabControl()->setCurrentIndex(0); // the user's click on the tab
        QCOMPARE(m.numSets(), 1);
        QCOMPARE(m.numPoints(), 2);
        QVERIFY(!m.point(1, 1).written());
        QVERIFY(app->log.readingLog.empty());
        QVERIFY(get(QStringLiteral("T25"))->isHidden());
        QVERIFY(get(QStringLiteral("T100"))->isHidden());
    }

    void wireTabHidesMaterialAndRenamesFrame() {
        showTab(6);
        QVERIFY(material()->isHidden());
        QCOMPARE(get<QGroupBox>(QStringLiteral("Frame3D1"))->title(), QStringLiteral("Core selection"));
        QVERIFY(!kern()->isHidden());
        showTab(5);
        QVERIFY(!material()->isHidden());
        QCOMPARE(get<QGroupBox>(QStringLiteral("Frame3D1"))->title(),
                 QStringLiteral("Core and material selection"));
    }

    void refillingKeepsTheSelection() {
        showTab(0);
        choose(material(), QStringLiteral("M1"));
        choose(kern(), QStringLiteral("P 14"));
        showTab(3);
        QCOMPARE(entries(material()), (QStringList{"M1", "M3", "M4", "M5"}));
        QCOMPARE(entries(kern()), (QStringList{"E 20", "P 14", "P 14"}));
        QCOMPARE(material()->currentIndex(), 0);
        QCOMPARE(kern()->currentText(), QStringLiteral("P 14"));
        // The program's own selection was recognised and the tag cleared.
        QCOMPARE(tolvik::ui::Tag(material()), QString());
        QCOMPARE(tolvik::ui::Tag(kern()), QString());

        choose(material(), QStringLiteral("M5"));
        showTab(0); // M5 is no current material: no selection
        QCOMPARE(material()->currentIndex(), -1);
        QCOMPARE(field(QStringLiteral("t9Text1"))->text(), QString());
    }

    void dataOverviewOfPowerMaterial() {
        showTab(0);
        choose(kern(), QStringLiteral("E 20"));
        choose(material(), QStringLiteral("M1"));
        QCOMPARE(field(QStringLiteral("t9Text1"))->text(), QStringLiteral("2000"));
        QCOMPARE(field(QStringLiteral("t9Text2"))->text(), QStringLiteral("500"));
        QVERIFY(field(QStringLiteral("t9Text3"))->isHidden()); // Bs100 = 0
        QCOMPARE(field(QStringLiteral("t9Text4"))->text(), QStringLiteral("15.5"));
        QVERIFY(field(QStringLiteral("t9Text5"))->isHidden()); // Hc100 = 0 gives "0."
        QCOMPARE(field(QStringLiteral("t9Text8"))->text(), QStringLiteral("200"));
        QVERIFY(!field(QStringLiteral("t9Text9"))->isHidden());
        QCOMPARE(field(QStringLiteral("t9Text9"))->text(), QStringLiteral("18.5"));
        QCOMPARE(field(QStringLiteral("t9Text13"))->text(), QStringLiteral("5."));
        QCOMPARE(field(QStringLiteral("t9Text14"))->text(), QStringLiteral("398."));
        auto* label = get<QLabel>(QStringLiteral("t9Label20"));
        QVERIFY(!label->isHidden());
        QCOMPARE(label->text(), QStringLiteral("Pv(f100,B200,T100) [kW/m³]"));
        QCOMPARE(field(QStringLiteral("t9Ae"))->text(), QStringLiteral("40.25"));
        QCOMPARE(field(QStringLiteral("t9le"))->text(), QStringLiteral("50."));
        QCOMPARE(field(QStringLiteral("t9Ve"))->text(), QStringLiteral("2000"));
        QCOMPARE(field(QStringLiteral("t9An"))->text(), QStringLiteral("30.13"));
        QCOMPARE(field(QStringLiteral("t9ln"))->text(), QStringLiteral("40."));
    }

    void nonPowerMaterialShowsNoLossValues() {
        showTab(0);
        choose(material(), QStringLiteral("M1"));
        choose(material(), QStringLiteral("M2")); // tandmuei and Pv set, Leistung false
        QVERIFY(field(QStringLiteral("t9Text9"))->isHidden());
        QVERIFY(get<QLabel>(QStringLiteral("t9Label20"))->isHidden());
        QVERIFY(!field(QStringLiteral("t9Text3"))->isHidden());
        QCOMPARE(field(QStringLiteral("t9Text3"))->text(), QStringLiteral("300"));
        QVERIFY(field(QStringLiteral("t9Text10"))->isHidden()); // hb 0
        QCOMPARE(field(QStringLiteral("t9Text13"))->text(), QStringLiteral("0.5"));
        QVERIFY(messages->messages.empty());
    }

    void showIfNonZero() {
        QLineEdit f;
        const struct {
            const char* text;
            bool shown;
        } cases[] = {{"", false},  {"0.", false}, {"0", false}, {".5", true},
                     {"12", true}, {"x", false},  {"-3", true}};
        for (const auto& c : cases) {
            f.setText(QString::fromLatin1(c.text));
            f.show();
            CoreForm::ShowIfNonZero(&f);
            QCOMPARE(!f.isHidden(), c.shown);
        }
    }

    void coreVariantsSetTheCheckBoxes() {
        showTab(0);
        auto* lp = get<QCheckBox>(QStringLiteral("LP"));
        auto* ml = get<QCheckBox>(QStringLiteral("ML"));
        choose(kern(), QStringLiteral("P 14"));
        QVERIFY(!lp->isEnabled());
        QVERIFY(ml->isEnabled());
        QVERIFY(ml->isChecked());
        QCOMPARE(field(QStringLiteral("t9le"))->text(), QStringLiteral("20.")); // the variant with hole
        choose(kern(), QStringLiteral("EL 18"));
        QVERIFY(lp->isEnabled());
        QVERIFY(lp->isChecked());
        QVERIFY(!ml->isEnabled());
        choose(kern(), QStringLiteral("E 20")); // standard form only
        QVERIFY(!lp->isEnabled());
        QVERIFY(!lp->isChecked());
        QVERIFY(!ml->isEnabled());
        QVERIFY(!ml->isChecked());
    }

    void typedCoreIsCheckedOnEnter() {
        showTab(0);
        kern()->setFocus();
        kern()->setEditText(QString());
        QTest::keyClicks(kern(), QStringLiteral("p 14"));
        QCOMPARE(kern()->currentText(), QStringLiteral("P 14"));
        QTest::keyClick(kern(), Qt::Key_Return);
        QCOMPARE(kern()->itemText(kern()->currentIndex()), QStringLiteral("P 14"));
        QCOMPARE(field(QStringLiteral("t9le"))->text(), QStringLiteral("20."));
        QVERIFY(messages->messages.empty());

        kern()->setEditText(QString());
        QTest::keyClicks(kern(), QStringLiteral("xyz"));
        QTest::keyClick(kern(), Qt::Key_Return);
        QCOMPARE(messages->messages.size(), size_t(1));
        QCOMPARE(messages->messages[0].text, QStringLiteral("No valid selection for core!"));
        QCOMPARE(messages->messages[0].title, QStringLiteral("Tolvik"));
        QCOMPARE(field(QStringLiteral("t9le"))->text(), QString());
    }

    void mueCurvesAccumulate() {
        mueTab(QStringLiteral("M1"), QStringLiteral("E 20"), QStringLiteral("0.5"));
        QVERIFY(messages->messages.empty());
        auto& m = graph(2)->model();
        QCOMPARE(field(QStringLiteral("le"))->text(), QStringLiteral("50"));
        QCOMPARE(field(QStringLiteral("mue"))->text(),
                 QStringLiteral("95.3"));                          // 1/(0.99/2000+0.01) at MueT 25
        QVERIFY(field(QStringLiteral("mue25"))->text().isEmpty()); // only Calculate writes it
        QCOMPARE(m.numSets(), 2); // the first curve after the reset went into set 1
        QCOMPARE(m.numPoints(), 6);
        QCOMPARE(m.legendOf(1), std::string("µe E 20M1 s=0.5[mm]"));
        QCOMPARE(m.graphTitle(), std::string("effective permeability µe "));
        QCOMPARE(m.point(1, 1).x, -40.0);
        QVERIFY(std::abs(m.point(1, 1).y - 1 / 0.01099) < 1e-9);
        QCOMPARE(m.point(1, 4).x, 50.0);
        QVERIFY(!m.point(1, 5).written()); // the last usable record (100 °C) stays out
        QVERIFY(!m.point(1, 6).written());

        calculate();
        QCOMPARE(field(QStringLiteral("mue25"))->text(), QStringLiteral("95.3"));
        QCOMPARE(m.numSets(), 3);
        field(QStringLiteral("s"))->setText(QStringLiteral("0.25"));
        QVERIFY(field(QStringLiteral("mue25"))->text().isEmpty()); // an edit of s empties the results
        QVERIFY(field(QStringLiteral("mue"))->text().isEmpty());
        calculate();
        QCOMPARE(m.numSets(), 4);
        QCOMPARE(m.legendOf(3), std::string("µe E 20M1 s=0.25[mm]"));
        QCOMPARE(m.legendOf(1), std::string("µe E 20M1 s=0.5[mm]"));
        QCOMPARE(field(QStringLiteral("mue25"))->text(), QStringLiteral("181.9")); // 1/(0.995/2000+0.005)
    }

    void mueAtTemperatureForTwoCores() {
        mueTab(QStringLiteral("M1"), QStringLiteral("E 20"), QStringLiteral("0.5"));
        auto* mueT = field(QStringLiteral("MueT"));
        mueT->setText(QStringLiteral("37,5")); // µi 2250: 1/(0.99/2250 + 0.01) = 95.785
        QVERIFY(field(QStringLiteral("mue"))->text().isEmpty());
        calculate();
        QCOMPARE(field(QStringLiteral("mue"))->text(), QStringLiteral("95.8"));

        choose(kern(), QStringLiteral("P 14")); // with hole: le 20
        QCOMPARE(field(QStringLiteral("le"))->text(), QStringLiteral("20"));
        field(QStringLiteral("s"))->setText(QStringLiteral("0.1"));
        mueT->setText(QStringLiteral("25")); // 1/(0.995/2000 + 0.005) = 181.90
        calculate();
        QCOMPARE(field(QStringLiteral("mue"))->text(), QStringLiteral("181.9"));
        QCOMPARE(field(QStringLiteral("mue25"))->text(), QStringLiteral("181.9"));
    }

    void relativeCurve() {
        mueTab(QStringLiteral("M4"), QStringLiteral("E 20"), QStringLiteral("0"));
        field(QStringLiteral("T1"))->setText(QStringLiteral("25"));
        field(QStringLiteral("MueT"))->setText(QStringLiteral("50"));
        get<QRadioButton>(QStringLiteral("Mue2opt"))->click();
        QCOMPARE(get<QLabel>(QStringLiteral("Label13"))->text(), QStringLiteral("dµe/µe[%]"));
        auto& m = graph(2)->model();
        QCOMPARE(m.numSets(), 2); // the option click started a new graph
        QCOMPARE(m.graphTitle(), std::string("(µe-µe(T1))/µe vs. T"));
        QCOMPARE(m.legendOf(1), std::string("dmue[%] E 20M4 s=0[mm]"));
        QCOMPARE(m.point(1, 1).y, 0.0); // -1900 % at -40 °C
        QVERIFY(std::abs(m.point(1, 2).y + 100.0 / 3) < 1e-9);
        QCOMPARE(m.point(1, 3).x, 25.0);
        QCOMPARE(m.point(1, 3).y, 0.0); // through 0 at T1
        QCOMPARE(m.point(1, 4).y, 20.0);
        QVERIFY(m.point(1, 5).written());
        QVERIFY(!m.point(1, 6).written());

        calculate(); // the relative reader at MueT = 50 °C
        QCOMPARE(field(QStringLiteral("mue"))->text(), QStringLiteral("20."));
    }

    void calculateWithEmptyGapWritesZero() {
        mueTab(QStringLiteral("M1"), QStringLiteral("E 20"), QString());
        calculate();
        QCOMPARE(field(QStringLiteral("s"))->text(), QStringLiteral("0"));
        QCOMPARE(graph(2)->model().legendOf(2), std::string("µe E 20M1 s=0[mm]"));
        QCOMPARE(field(QStringLiteral("mue25"))->text(), QStringLiteral("2000."));

        const int sets = graph(2)->model().numSets();
        field(QStringLiteral("MueT"))->setText(QStringLiteral("."));
        field(QStringLiteral("s"))->setText(QStringLiteral("."));
        calculate();
        QCOMPARE(field(QStringLiteral("s"))->text(), QStringLiteral("0"));
        QCOMPARE(graph(2)->model().numSets(), sets); // nothing recomputed
        QVERIFY(field(QStringLiteral("mue25"))->text().isEmpty());
    }

    void materialWithoutMuiDataGivesMessageAndNoCurve() {
        mueTab(QStringLiteral("M3"), QStringLiteral("E 20"), QStringLiteral("0.5"));
        QVERIFY(!messages->messages.empty());
        QCOMPARE(messages->messages.back().text,
                 QString::fromStdString(tolvik::core::NoMuiDataMessage("M3")));
        QCOMPARE(graph(2)->model().numSets(), 1);
        QVERIFY(graph(2)->model().writtenPoints(1).empty());
        QVERIFY(field(QStringLiteral("mue"))->text().isEmpty());
    }

    void readerFillsLabelsAndLogOverflows() {
        mueTab(QStringLiteral("M1"), QStringLiteral("E 20"), QStringLiteral("0.5"));
        graph(2)->selectPoint(1, 3);
        QVERIFY(!get(QStringLiteral("SSFrame5"))->isHidden());
        QCOMPARE(get<QLabel>(QStringLiteral("GR1"))->text(), QStringLiteral("µe E 20M1 s=0.5[mm]"));
        QCOMPARE(get<QLabel>(QStringLiteral("GR2"))->text(), QStringLiteral("T=25[°C]"));
        QCOMPARE(get<QLabel>(QStringLiteral("GR3"))->text(), QStringLiteral("µe=95.28"));
        QCOMPARE(field(QStringLiteral("MueT"))->text(), QStringLiteral("25"));
        QCOMPARE(field(QStringLiteral("mue"))->text(), QStringLiteral("95.3"));
        const std::string line = tolvik::ReadingLog::formatLine("T=25[°C]", "µe=95.28");
        QCOMPARE(app->log.readingLog, line);

        graph(2)->selectPoint(1, 1);
        QCOMPARE(app->log.readingLog, line + "\r" + tolvik::ReadingLog::formatLine("T=-40[°C]", "µe=90.99"));
        for (int i = 0; i < 33; ++i)
            graph(2)->selectPoint(1, 1 + i % 4);
        // 35 readings: the first line and 33 appended ones in the main log, one in the overflow
        QCOMPARE(app->log.readingLogLines, std::int16_t(33));
        QCOMPARE(QString::fromStdString(app->log.readingLog).count(QLatin1Char('\r')), 33);
        // The 35th reading (point 1) is joined to the empty overflow part as well.
        const std::string overflow = "\r" + tolvik::ReadingLog::formatLine("T=-40[°C]", "µe=90.99");
        QCOMPARE(app->log.readingLogOverflow, overflow);

        calculate(); // a recalculation clears the main log and its counter only
        QVERIFY(app->log.readingLog.empty());
        QCOMPARE(app->log.readingLogLines, std::int16_t(0));
        QCOMPARE(app->log.readingLogOverflow, overflow);
        QCOMPARE(QApplication::overrideCursor(), nullptr); // the hourglass is gone again
    }

    void readingAnotherSetWithTheSameLegend() {
        mueTab(QStringLiteral("M1"), QStringLiteral("E 20"), QStringLiteral("0.5"));
        QTest::keyClick(field(QStringLiteral("s")), Qt::Key_Return); // the same curve once more
        auto& m = graph(2)->model();
        QCOMPARE(m.numSets(), 3);
        QCOMPARE(m.legendOf(2), m.legendOf(1));
        const std::string at25 = tolvik::ReadingLog::formatLine("T=25[°C]", "µe=95.28");
        const std::string at0 = tolvik::ReadingLog::formatLine("T=0[°C]", "µe=93.81");
        graph(2)->selectPoint(1, 3);
        QCOMPARE(app->log.readingLog, at25);
        // Another data set clears the log; its legend is that of the last reading, so the
        // line is appended to the empty log.
        graph(2)->selectPoint(2, 3);
        QCOMPARE(get<QLabel>(QStringLiteral("GR1"))->text(), QStringLiteral("µe E 20M1 s=0.5[mm]"));
        QCOMPARE(app->log.readingLog, "\r" + at25);
        QCOMPARE(app->log.readingLogLines, std::int16_t(1));
        graph(2)->selectPoint(2, 2);
        QCOMPARE(app->log.readingLog, "\r" + at25 + "\r" + at0);
        // A curve with another legend starts the log with its line alone.
        field(QStringLiteral("s"))->setText(QStringLiteral("0.25"));
        QTest::keyClick(field(QStringLiteral("s")), Qt::Key_Return);
        graph(2)->selectPoint(2, 3);
        graph(2)->selectPoint(3, 3);
        QCOMPARE(get<QLabel>(QStringLiteral("GR1"))->text(), QStringLiteral("µe E 20M1 s=0.25[mm]"));
        QCOMPARE(app->log.readingLog, tolvik::ReadingLog::formatLine("T=25[°C]", "µe=181.9"));
        QCOMPARE(app->log.readingLogLines, std::int16_t(0));
    }

    void readerOnRelativeCurve() {
        mueTab(QStringLiteral("M4"), QStringLiteral("E 20"), QStringLiteral("0"));
        get<QRadioButton>(QStringLiteral("Mue2opt"))->click();
        graph(2)->selectPoint(1, 4);
        QCOMPARE(get<QLabel>(QStringLiteral("GR2"))->text(), QStringLiteral("T=50[°C]"));
        QCOMPARE(get<QLabel>(QStringLiteral("GR3"))->text(), QStringLiteral("dµe/µe=20[%]"));
        QCOMPARE(field(QStringLiteral("mue"))->text(), QStringLiteral("20."));
    }

    void enterReleasedOrDoubleClickRecomputes() {
        mueTab(QStringLiteral("M1"), QStringLiteral("E 20"), QStringLiteral("0.5"));
        auto& m = graph(2)->model();
        QCOMPARE(m.numSets(), 2);
        // The release of Enter starts the recalculation, not the press.
        QTest::keyPress(field(QStringLiteral("s")), Qt::Key_Return);
        QCOMPARE(m.numSets(), 2);
        QTest::keyRelease(field(QStringLiteral("s")), Qt::Key_Return);
        QCOMPARE(m.numSets(), 3);
        QTest::keyClick(field(QStringLiteral("T1")), Qt::Key_Enter);
        QCOMPARE(m.numSets(), 4);
        QTest::keyClick(field(QStringLiteral("MueT")), Qt::Key_Return); // not a trigger
        QCOMPARE(m.numSets(), 4);
        QTest::mouseDClick(field(QStringLiteral("T1")), Qt::LeftButton);
        QCOMPARE(m.numSets(), 5);
        QCOMPARE(field(QStringLiteral("mue"))->text(), QStringLiteral("95.3"));
        QVERIFY(field(QStringLiteral("mue25"))->text().isEmpty()); // only Calculate writes it
    }

    void optionClickStartsANewGraph() {
        mueTab(QStringLiteral("M1"), QStringLiteral("E 20"), QStringLiteral("0.5"));
        calculate();
        auto& m = graph(2)->model();
        QCOMPARE(m.numSets(), 3);
        QCOMPARE(field(QStringLiteral("mue"))->text(), QStringLiteral("95.3"));
        get<QRadioButton>(QStringLiteral("Mue2opt"))->click();
        QCOMPARE(m.numSets(), 2);
        QCOMPARE(m.legendOf(1), std::string("dmue[%] E 20M1 s=0.5[mm]"));
        QVERIFY(field(QStringLiteral("mue"))->text().isEmpty());
        QCOMPARE(field(QStringLiteral("mue25"))->text(), QStringLiteral("95.3"));
        get<QRadioButton>(QStringLiteral("mue1opt"))->click();
        QCOMPARE(get<QLabel>(QStringLiteral("Label13"))->text(), QStringLiteral("µe"));
        QCOMPARE(m.numSets(), 2);
        QCOMPARE(m.graphTitle(), std::string("effective permeability µe "));
        QCOMPARE(m.legendOf(1), std::string("µe E 20M1 s=0.5[mm]"));
        QVERIFY(field(QStringLiteral("mue"))->text().isEmpty());
    }

    void eachTabPlacesItsControlsAndFillsItsLists() {
        const QStringList allMaterials{"M1", "M2", "M3", "M4"};
        const QStringList shownCores{"E 20", "P 14", "EL 18", "R 10"};
        const struct {
            int tab;
            int arrows; ///< arrows 0 .. arrows-1 shown, the others hidden
            QStringList materials;
            QStringList cores;
        } cases[] = {
            {0, 0, allMaterials, shownCores},
            {1, 3, allMaterials, shownCores},
            {3, 2, {"M1", "M3", "M4", "M5"}, {"E 20", "P 14", "P 14"}},
            {2, 2, allMaterials, shownCores},
            {4, 2, {"M1"}, shownCores},
            {6, 2, {"M1"}, shownCores}, // the material list is left as it was
            {5, 2, allMaterials, shownCores},
        };
        auto* frame = get<QGroupBox>(QStringLiteral("Frame3D1"));
        for (const auto& c : cases) {
            get(QStringLiteral("SSFrame5"))->show();
            get(QStringLiteral("picArrow(2)"))->show();
            showTab(c.tab);
            const QByteArray where = "tab " + QByteArray::number(c.tab);
            QVERIFY2(get(QStringLiteral("SSFrame5"))->isHidden(), where);
            QCOMPARE(get(QStringLiteral("cmdCalculate"))->isHidden(), c.tab == 0);
            for (int k = 0; k < 3; ++k)
                QVERIFY2(get(QStringLiteral("picArrow(%1)").arg(k))->isHidden() == (k >= c.arrows), where);
            QCOMPARE(entries(material()), c.materials);
            QCOMPARE(entries(kern()), c.cores);
            QCOMPARE(material()->isHidden(), c.tab == 6);
            QVERIFY2(!kern()->isHidden() && !get(QStringLiteral("LP"))->isHidden() &&
                         !get(QStringLiteral("ML"))->isHidden(),
                     where);
            QCOMPARE(get(QStringLiteral("T25"))->isHidden(), c.tab != 4);
            QCOMPARE(get(QStringLiteral("T100"))->isHidden(), c.tab != 4);
            QCOMPARE(frame->title(), c.tab == 6 ? QStringLiteral("Core selection")
                                                : QStringLiteral("Core and material selection"));
            QCOMPARE(QApplication::overrideCursor(), nullptr);
        }
    }

    void resetClearsTheResultFieldsOfTheCurrentTab() {
        const struct {
            int tab;
            QStringList cleared;
            QStringList kept;
        } cases[] = {
            {0,
             {"t9Ae",    "t9le",     "t9Ve",     "t9Amin",   "t9An",     "t9ln",    "t9Text1",
              "t9Text2", "t9Text3",  "t9Text4",  "t9Text5",  "t9Text6",  "t9Text7", "t9Text8",
              "t9Text9", "t9Text10", "t9Text11", "t9Text12", "t9Text13", "t9Text14"},
             {"mue", "t6S", "t2Rac"}},
            {2, {"mue25", "mue"}, {"s", "le", "T1", "MueT", "t9Ae"}},
            {3, {"t6dBf", "t6S", "t6Ptrans"}, {"t6Ae", "t6fw", "t1s"}},
            {4, {"t1s", "t1Al", "t1N", "t1mue", "t1d"}, {"t1L", "t1I", "t1dmurev", "t0L", "t6S"}},
            {6, {"t2draht_d", "t2rdc", "t2d", "t2Rac", "t2fw"}, {"t2N", "t2layer", "t2f", "t1d"}},
        };
        for (const auto& c : cases) {
            showTab(c.tab);
            for (const QString& name : c.kept + c.cleared)
                field(name)->setText(QStringLiteral("7"));
            for (int k = 1; k <= 2; ++k)
                get<QLabel>(QStringLiteral("LabGraphReader(%1)").arg(k))->setText(QStringLiteral("x"));
            form->ResetTabFields();
            for (const QString& name : c.cleared)
                QVERIFY2(field(name)->text().isEmpty(), qPrintable(name));
            for (const QString& name : c.kept)
                QVERIFY2(field(name)->text() == QStringLiteral("7"), qPrintable(name));
            for (int k = 1; k <= 2; ++k)
                QCOMPARE(get<QLabel>(QStringLiteral("LabGraphReader(%1)").arg(k))->text().isEmpty(),
                         c.tab == 4);
        }
    }

    void damagedDataFileGivesMessagesNotExceptions() {
        // Fields the window reads are missing: every step reports the fault and the
        // window goes on.
        open("ALTER TABLE Kernform RENAME COLUMN Amin TO Amin2;"
             "ALTER TABLE Material RENAME COLUMN af TO af2;"
             "ALTER TABLE MuiT RENAME COLUMN T TO T2;");
        auto reported = [this](size_t from, const QString& word) {
            for (size_t i = from; i < messages->messages.size(); ++i) {
                if (messages->messages[i].text.contains(word)) return true;
            }
            return false;
        };
        showTab(0);
        size_t before = messages->messages.size();
        choose(kern(), QStringLiteral("E 20"));
        QVERIFY(reported(before, QStringLiteral("Amin")));
        before = messages->messages.size();
        choose(material(), QStringLiteral("M1"));
        QVERIFY(reported(before, QStringLiteral("af")));
        QCOMPARE(field(QStringLiteral("t9Text1"))->text(), QStringLiteral("2000")); // read before the fault
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        field(QStringLiteral("s"))->setText(QStringLiteral("0.5"));
        before = messages->messages.size();
        showTab(2);
        QVERIFY(reported(before, QStringLiteral("MuiT")));
        before = messages->messages.size();
        calculate();
        QVERIFY(reported(before, QStringLiteral("MuiT")));
        before = messages->messages.size();
        get<QRadioButton>(QStringLiteral("Mue2opt"))->click();
        QVERIFY(reported(before, QStringLiteral("MuiT")));
        QVERIFY(graph(2)->model().writtenPoints(1).empty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void materialChoiceRefillsTemperatureList() {
        showTab(5);
        auto* temps = get<QComboBox>(QStringLiteral("listTemp"));
        QCOMPARE(entries(temps), (QStringList{"-40", "0", "25", "50", "100", "150"}));
        QCOMPARE(temps->currentText(), QStringLiteral("25"));
        temps->setCurrentIndex(4);
        choose(material(), QStringLiteral("M2"));
        QCOMPARE(temps->currentText(), QStringLiteral("25"));
        QCOMPARE(temps->count(), 6);
    }

    void harmonicDistortionModes() {
        showTab(5);
        field(QStringLiteral("thd_Al25"))->setText(QStringLiteral("1"));
        field(QStringLiteral("thd_R1"))->setText(QStringLiteral("2"));
        field(QStringLiteral("thd_k3c"))->setText(QStringLiteral("3"));
        form->ResetTabFields(); // N1:N2 mode: Al, N1, N2 are results
        QVERIFY(field(QStringLiteral("thd_Al25"))->text().isEmpty());
        QCOMPARE(field(QStringLiteral("thd_R1"))->text(), QStringLiteral("2"));
        QVERIFY(field(QStringLiteral("thd_k3c"))->text().isEmpty());

        get<QRadioButton>(QStringLiteral("opt_td_AlN1N2"))->click();
        QVERIFY(!get<QRadioButton>(QStringLiteral("opt_td_N1N2R1R2"))->isChecked());
        QVERIFY(field(QStringLiteral("thd_R1"))->isReadOnly());
        QVERIFY(!field(QStringLiteral("thd_Al25"))->isReadOnly());
        auto* wire = get<QComboBox>(QStringLiteral("cb_d(1)"));
        QCOMPARE(entries(wire), (QStringList{"0.1 (38)", "0.2 (32)"}));
        QCOMPARE(wire->currentText(), QStringLiteral("0.1 (38)"));
        field(QStringLiteral("thd_Al25"))->setText(QStringLiteral("1"));
        form->ResetTabFields();
        QVERIFY(field(QStringLiteral("thd_R1"))->text().isEmpty());
        QCOMPARE(field(QStringLiteral("thd_Al25"))->text(), QStringLiteral("1"));
    }

    void wireCalculateFillsDefaults() {
        showTab(6);
        field(QStringLiteral("t2layer"))->clear();
        field(QStringLiteral("t2f"))->clear();
        calculate();
        QCOMPARE(field(QStringLiteral("t2layer"))->text(), QStringLiteral("1"));
        QCOMPARE(field(QStringLiteral("t2f"))->text(), QStringLiteral("10"));
        // Choosing a core on this tab sets the check boxes but does not recompute.
        field(QStringLiteral("t2Rac"))->setText(QStringLiteral("1.5"));
        choose(kern(), QStringLiteral("P 14"));
        QVERIFY(get<QCheckBox>(QStringLiteral("ML"))->isChecked());
        QCOMPARE(field(QStringLiteral("t2Rac"))->text(), QStringLiteral("1.5"));
    }
};

QTEST_MAIN(CoreFormTest)
#include "core_form_test.moc"

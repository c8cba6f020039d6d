// The DC-bias and wire tabs in the core window on the fixture database, with amplitude
// permeability data for M1. The choke: M1 on E 20, L 1 mH, Idc 1 A, d 10 %: x = 2.485,
// µe 149, s 0.31 mm, Al 151 nH, N 81. The winding: E 20 (hWickel 10 mm, Ar 20 µΩ), 40 turns.

#include "core_window_test_base.h"

using namespace Qt::StringLiterals;

class WireDcBiasTabTest : public tolvik::core::test::CoreWindowTestBase {
    Q_OBJECT

private:
    void enter(const QString& name) { QTest::keyClick(field(name), Qt::Key_Return); }

private slots:
    void init() {
        open("CREATE TABLE MuaB (B INTEGER, M1T25 REAL, M1T100 REAL);"
             "INSERT INTO MuaB VALUES (0, 2000, 3000), (400, 2000, 3000), (450, 0, 0);"
             "UPDATE Material SET Bs100 = 400 WHERE Name = 'M1';");
        chooseOn(0, u"M1"_s, u"E 20"_s);
    }
    void cleanup() { close(); }

    void dcBiasDesignPlotDataAndAxes() {
        showTab(4);
        const QStringList design{"t1L", "t1I", "t1dmurev", "t1mue", "t1s", "t1Al", "t1N", "t1d"};
        QCOMPARE(texts(design), (QStringList{"1", "1", "10", "149", ".31", "151", "81", "0.2 (AWG 32)"}));
        QCOMPARE(texts({"t0Al", "t0N", "t0L"}), (QStringList{"151", "81", "1."}));
        auto& m = graph(4)->model();
        QCOMPARE(m.numSets(), 2);

        // New plot data: L = 81²·200/10⁶ = 1.3122 mH, a second curve, the design kept.
        field("t0Al")->setText("200");
        enter("t0Al");
        QCOMPARE(texts({"t0L", "t1Al"}), (QStringList{"1.3122", "151"}));
        QCOMPARE(m.numSets(), 3);
        QCOMPARE(m.legendOf(2), "µrev M1 Al=200[nH]");

        // An axis option starts a new graph with the design as plot data.
        const struct {
            const char *option, *graphTitle, *left, *bottom;
        } axes[] = {{"mu2opt", "reversible Inductance", "Lrev[mH]", "Hdc[A/m]"},
                    {"mu3opt", "magnetic energy", "LI²/2[mJ]", "Hdc[A/m]"},
                    {"Optx2", "magnetic energy", "LI²/2[mJ]", "Idc[A]"},
                    {"mu4opt", "permeability roll-off", "µrev/µe[%]", "Idc[A]"},
                    {"mu1opt", "reversible permeability", "µrev", "Idc[A]"}};
        for (const auto& a : axes) {
            get<QRadioButton>(a.option)->click();
            QCOMPARE(m.graphTitle(), a.graphTitle);
            QCOMPARE(m.leftTitle(), a.left);
            QCOMPARE(m.bottomTitle(), a.bottom);
            QCOMPARE(m.numSets(), 2);
            QCOMPARE(field("t0Al")->text(), u"151"_s);
        }
        QCOMPARE(shownMessages(), QStringList());
    }

    void dcBiasClearingAndFaults() {
        showTab(4);
        QTest::mouseClick(field("t1I"), Qt::LeftButton); // a click clears the design
        QCOMPARE(texts({"t1mue", "t1s", "t1Al", "t1N", "t1d"}).join(QString()), QString());
        // 100 °C: Bs 400 mT, µa(0) 3000: x = 2.876, µe 107, Al 108 nH, N = √(1/107.85)·1000 = 96.
        get<QRadioButton>("T100")->click();
        QCOMPARE(graph(4)->model().numSets(), 3);
        QCOMPARE(texts({"t1mue", "t1Al", "t1N"}), (QStringList{"107", "108", "96"}));
        get<QRadioButton>("T25")->click();
        type("t1L", "2"); // an edit clears the design
        QCOMPARE(texts({"t1mue", "t1s", "t1Al", "t1N", "t1d"}).join(QString()), QString());
        calculate();
        // L 2 mH moves the operating point to x = 3.071: Al = 92.7 nH, N = √(2/92.7)·1000 = 147.
        QCOMPARE(field("t1N")->text(), u"147"_s);
        type("t1dmurev", "0");
        calculate();
        QCOMPARE(shownMessages(), QStringList{"Values not valid !"});
        QCOMPARE(texts({"t1mue", "t1s", "t1Al", "t1N", "t1d"}).join(QString()), QString());
        // Empty inputs get their defaults on Calculate.
        for (const char* name : {"t1L", "t1I", "t1dmurev"})
            field(name)->clear();
        calculate();
        QCOMPARE(texts({"t1L", "t1I", "t1dmurev", "t1N"}), (QStringList{"1", "1", "10", "81"}));
        QCOMPARE(shownMessages(), QStringList());
    }

    void dcBiasReader() {
        showTab(4);
        auto& m = graph(4)->model();
        graph(4)->selectPoint(1, 1);
        const QStringList labels = texts({"LabGraphReader(1)", "LabGraphReader(2)", "GR2", "GR3"});
        QCOMPARE(labels[0], u"Hdc=89[A/m]"_s); // H = B/(µg·µ0) = 16.66 mT/(149.4·1.256e-6)
        QVERIFY2(labels[1].startsWith(u"µrev=149."_s), qPrintable(labels[1]));
        QCOMPARE(labels.mid(2), labels.mid(0, 2));
        QCOMPARE(m.numSets(), 2); // the design was recomputed, nothing drawn
        QCOMPARE(field("t1N")->text(), u"81"_s);
        QCOMPARE(app->log.readingLog,
                 tolvik::ReadingLog::formatLine(labels[0].toStdString(), labels[1].toStdString()));
        // The next recalculation draws again.
        calculate();
        QCOMPARE(m.numSets(), 3);
    }

    void wireChoiceResistancesAndCurves() {
        showTab(6);
        field("t2N")->setText("40");
        calculate();
        // Thickest fitting wire: pitch 10/40 = 0.25 mm > 0.2/√0.85 = 0.217 mm;
        // fw = 100·40·3.14·0.04/(4·30.125·0.85) = 4.9 %; Rdc = 40²·20/10⁶ = 0.032 Ω;
        // δ(10 kHz) = 0.672 mm; Rac = 0.032·Fr(Δ = 0.30) = 0.032·1.0007.
        QCOMPARE(texts({"t2draht_d", "t2fw", "t2rdc", "t2d", "t2Rac"}),
                 (QStringList{"0.2 (AWG 32)", "5", ".032", ".672", ".03"}));
        auto& m = graph(6)->model();
        QCOMPARE(m.numSets(), 2);
        QCOMPARE(m.legendOf(1), "1");

        // Enter in the layers: the search, Rdc and a further curve, no Rac.
        type("t2layer", "2");
        QCOMPARE(field("t2rdc")->text(), QString()); // the edit cleared the results
        enter("t2layer");
        QCOMPARE(texts({"t2draht_d", "t2rdc", "t2Rac"}), (QStringList{"0.2 (AWG 32)", ".032", ""}));
        QCOMPARE(m.numSets(), 3);
        QCOMPARE(m.legendOf(2), "2");
        QVERIFY(m.point(2, 15).y > m.point(1, 15).y);
        // The legend names the layers drawn, not the typed text (a random run showed "1nan7a").
        type("t2layer", "2,6nan");
        enter("t2layer");
        QCOMPARE(m.legendOf(3), "3");
        type("t2layer", "2");
        enter("t2layer");

        graph(6)->selectPoint(2, 15);
        QCOMPARE(get<QLabel>("GR3")->text(), u"f=1638.4[kHz]"_s);
        QVERIFY(get<QLabel>("GR2")->text().startsWith(u"Rac/Rdc="_s));

        // At most 15 curves after a reset (which leaves one set).
        for (int i = 0; i < 20; ++i)
            form->RecalculateCurrentTab();
        QCOMPARE(m.numSets(), 16);
        QCOMPARE(shownMessages(), QStringList());
    }

    void wireMessages() {
        showTab(6);
        calculate(); // no turns
        QCOMPARE(shownMessages(), QStringList{"Please insert value in field N !"});
        QCOMPARE(field("t2draht_d")->text(), QString());
        form->RecalculateCurrentTab(); // the recalculation stays silent
        QCOMPARE(shownMessages(), QStringList());

        field("t2N")->setText("1000"); // pitch 0.01 mm: no wire fits
        calculate();
        QCOMPARE(texts({"t2draht_d", "t2rdc"}), (QStringList{"", "20."}));
        field("t2N")->setText("200"); // 0.1 mm fits; fw = 100·200·3.14·0.01/(4·30.125·0.8) = 6.5
        field("t2f")->setText("0");
        calculate();
        QCOMPARE(shownMessages(), QStringList{"Division by zero"});
        QCOMPARE(texts({"t2draht_d", "t2fw", "t2rdc", "t2d", "t2Rac"}).join(QString()), QString());
    }
};

QTEST_MAIN(WireDcBiasTabTest)
#include "wire_dc_bias_tab_test.moc"

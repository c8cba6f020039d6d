// The "P trans" and " Harm. distortion" tabs in the core window on the fixture database.
// P trans, E 20 / M1 as loaded (dTmax 40 → dTCu = dTFe = 20; fw 25, fCu 0.4, x 2.7, y 1.3, r 0.8):
//   dB = 400·(4^1.3·20 / (30·398·2000.4e-6·0.8))^(1/2.7) = 793.0, capped at Bs25 500;
//   J = √(200 / (0.4·2.1e-8·30.13·40·30)) / 100 = 8.1149;
//   P = 10⁻⁶·500·25·40.25·30.13·0.4·8.1149 = 49.206 W; flyback ·0.62, Fr 4 ·½, Ae 80 ·80/40.25.
// Harmonic distortion: the transformer of harmonic_test.cpp on E 20 / M1 at 25 °C.

#include "core_window_test_base.h"
#include "tolvik/ui_common/page_widgets.h"

using namespace Qt::StringLiterals;

namespace {

/// hb of M1 against T, a wire of 0.32 mm (AWG 28), a core without bobbin data and one
/// without a core distortion factor.
const char* const kExtraSql = R"SQL(
CREATE TABLE hbT (T INTEGER, M1 REAL);
INSERT INTO hbT VALUES (0, 1.2);
INSERT INTO hbT VALUES (25, 1.6);
INSERT INTO hbT VALUES (50, 2.0);
INSERT INTO Draht VALUES (0.32, 28, 9, 0.9);
INSERT INTO Kernform VALUES ('B 0', 0, 0, -1, 0, 40, 50, 2000, 35, 0, 0, 0, 20, 0, 0, 0.03, 10);
INSERT INTO Kernform VALUES ('C 0', 0, 0, -1, 0, 40.25, 50, 2000, 35, 30.125, 40, 0, 20, 0, 0, 0, 10);
)SQL";

const QString kNotValid = u"Values not valid !"_s;

} // namespace

class PTransHarmonicTabTest : public tolvik::core::test::CoreWindowTestBase {
    Q_OBJECT

private:
    void fillTransformer() {
        const std::pair<const char*, const char*> inputs[] = {
            {"thd_turnratioN1", "1"}, {"thd_turnratioN2", "1"}, {"thd_L1_25", "10"},
            {"thd_R1", "1"},          {"thd_R2", "1"},          {"thd_U", "1"},
            {"thd_f", "1"},           {"thd_Rs", "600"},        {"thd_Rl", "600"}};
        for (const auto& [name, value] : inputs)
            field(QString::fromLatin1(name))->setText(QString::fromLatin1(value));
    }

private slots:
    void init() { open(kExtraSql); }
    void cleanup() { close(); }

    void pTransLoadsComputesAndKeepsEdits() {
        const QStringList results{"t6dBf", "t6S", "t6Ptrans"};
        chooseOn(3, u"M1"_s, u"E 20"_s);
        QCOMPARE(
            texts({"t6Ae", "t6Ve", "t6AN", "t6LN", "t6Rth", "t6B", "t6f", "t6Pl", "t6dT", "t6TCU", "t6TFE"}),
            (QStringList{"40.25", "2000.4", "30.13", "40.", "30.", "200", "100", "398.", "40", "20", "20"}));
        QCOMPARE(texts(results), (QStringList{"500.", "8.1", "49.2"})); // dB 793 capped at Bs25

        type("t6Ae", "80"); // Calculate computes from the values on screen
        calculate();
        QCOMPARE(field("t6Ptrans")->text(), u"97.8"_s);
        type("t6TCU", "10");
        QCOMPARE(texts(results), (QStringList{"", "", ""}));
        choose("Kern", "E 20"); // a new selection reloads geometry and dTCu, dTFe
        QCOMPARE(texts({"t6Ae", "t6TCU", "t6Ptrans"}), (QStringList{"40.25", "20", "49.2"}));

        get<QRadioButton>("optConv(2)")->click(); // flyback
        QCOMPARE(field("t6Ptrans")->text(), QString());
        calculate();
        QCOMPARE(field("t6Ptrans")->text(), u"30.5"_s);
        type("t6Fr", "0"); // a zero ratio does not clear
        QCOMPARE(field("t6Ptrans")->text(), u"30.5"_s);
        type("t6Fr", "4");
        QCOMPARE(field("t6Ptrans")->text(), QString());
        type("t6fw", "25");
        type("t6x", "2.7"); // x and y recompute at once
        QCOMPARE(texts(results), (QStringList{"500.", "8.1", "15.3"}));
        type("t6y", "0.");
        QCOMPARE(field("t6Ptrans")->text(), u"15.3"_s);
        QCOMPARE(shownMessages(), QStringList());
    }

    void pTransFaults() {
        chooseOn(3, u"M1"_s, u"E 20"_s);
        type("t6TFE", "-20"); // a negative base to the power 1/2.7
        calculate();
        QCOMPARE(shownMessages(), QStringList{kNotValid});
        QCOMPARE(texts({"t6dBf", "t6S", "t6Ptrans"}), (QStringList{"", "", ""}));
        type("t6TFE", "");
        calculate(); // an empty input: no result, no message
        QCOMPARE(shownMessages(), QStringList());
        QCOMPARE(field("t6Ptrans")->text(), QString());
        // A design naming a converter the tab does not have leaves the one chosen.
        form->showTransformer({u"E 20"_s, false, false, u"M1"_s}, 100, 40, 20, 1, 3);
        QVERIFY(get<QRadioButton>("optConv(0)")->isChecked());
    }

    void pTransRatioFromWireTabAndHints() {
        chooseOn(3, u"M1"_s, u"E 20"_s);
        auto* command1 = get<QPushButton>("Command1");
        command1->click();
        QCOMPARE(shownMessages(), QStringList{u"No valid values for Rdc and Rac in Wire calculation"_s});
        QCOMPARE(field("t6Fr")->text(), u"1"_s);
        field("t2rdc")->setText("2");
        field("t2Rac")->setText("3");
        command1->click();
        QCOMPARE(field("t6Fr")->text(), u"1.5"_s);
        QCOMPARE(field("t6Ptrans")->text(), QString()); // the shown power no longer fits

        // Hints go to the main window's status label, from labels as from fields.
        tolvik::test::HostRecord mainWindow;
        form->setHost(&mainWindow);
        QEvent enterEvent(QEvent::Enter);
        QCoreApplication::sendEvent(get("Label25"), &enterEvent);
        QCOMPARE(mainWindow.hint, u"gives the transmissible power"_s);
        form->setHost(nullptr);
    }

    void harmonicDesignInBothModes() {
        chooseOn(5, u"M1"_s, u"E 20"_s);
        fillTransformer();
        calculate();
        QCOMPARE(shownMessages(), QStringList());
        QCOMPARE(texts({"thd_N1", "thd_N2", "thd_Al25", "thd_k3c"}),
                 (QStringList{"105", "105", "914", "-35"}));
        QCOMPARE(get<QComboBox>("cb_d(1)")->currentText(), u".3 (28)"_s);
        // The design's wires are locked and look it, also where they were locked unseen.
        for (const char* list : {"cb_d(1)", "cb_d(2)"})
            QCOMPARE(get<QComboBox>(list)->styleSheet(), tolvik::ui::page::kGrayStyle);
        type("t4I1", "1"); // not an input of k3c
        QCOMPARE(field("thd_k3c")->text(), u"-35"_s);
        type("thd_U", "1"); // any edit makes k3c stale
        QCOMPARE(field("thd_k3c")->text(), QString());

        get<QRadioButton>("opt_td_AlN1N2")->click();
        QCOMPARE(get<QComboBox>("cb_d(2)")->currentText(), u".3 (28)"_s); // kept over the refill
        for (const char* list : {"cb_d(1)", "cb_d(2)"}) {
            QVERIFY2(get<QComboBox>(list)->isEnabled(), list); // the user chooses the wires now
            QVERIFY2(get<QComboBox>(list)->styleSheet().isEmpty(), list);
            choose(QString::fromLatin1(list), "0.32 (28)");
        }
        calculate();
        QCOMPARE(shownMessages(), QStringList());
        QCOMPARE(texts({"thd_turnratioN1", "thd_turnratioN2", "thd_R1", "thd_R2", "thd_fcu", "thd_L1_25",
                        "thd_k3c"}),
                 (QStringList{"1", "1.", ".8987", ".8987", ".5604", "10.1", "-35"}));
        choose("listTemp", "50"); // µi and hb at 50 °C
        calculate();
        QCOMPARE(field("thd_k3c")->text(), u"-33"_s);
    }

    void harmonicMessages() {
        chooseOn(5, u"M1"_s, u"E 20"_s);
        fillTransformer();
        field("thd_Rl")->setText("0");
        choose("Material", "M1"); // a recalculation: missing inputs are not reported
        QCOMPARE(shownMessages(), QStringList());
        calculate();
        QCOMPARE(shownMessages(), QStringList{u"Please fill in all input fields !"_s});

        field("thd_Rl")->setText("600");
        field("thd_U")->setText("-1"); // k3 < 0 has no logarithm
        calculate();
        QCOMPARE(shownMessages(), QStringList{kNotValid});
        QCOMPARE(texts({"thd_k3c", "thd_N1", "thd_Al25"}), (QStringList{"", "", ""}));

        field("thd_U")->setText("1");
        choose("Material", "M4"); // no hysteresis constant: the loader's message, no k3c
        QCOMPARE(shownMessages(), QStringList{u"No material data available"_s});
        choose("Kern", "C 0"); // the missing factor is found before the material is read
        QCOMPARE(shownMessages(), QStringList{u"No core distortion factor defined for this core shape !"_s});
        QCOMPARE(field("thd_k3c")->text(), QString());

        // No bobbin data: the message in both modes, no design, no k3c.
        choose("Kern", "B 0");
        QCOMPARE(shownMessages(), QStringList{u"No bobbin parameters defined for this core shape !"_s});
        get<QRadioButton>("opt_td_AlN1N2")->click();
        field("thd_Al25")->setText("914");
        field("thd_N1")->setText("105");
        field("thd_N2")->setText("105");
        calculate();
        QCOMPARE(shownMessages(), QStringList{u"No bobbin parameters defined for this core shape !"_s});
        QCOMPARE(texts({"thd_R1", "thd_k3c"}), (QStringList{"", ""}));
    }

    void frame10TurnsField() {
        chooseOn(5, u"M1"_s, u"E 20"_s);
        QLineEdit* turns = field("t4N3");
        QTest::keyClicks(turns, "20000"); // checked on every edit: the fifth key is too many
        QCOMPARE(turns->text(), u"100"_s);
        QCOMPARE(shownMessages(),
                 QStringList{u"The number is either too high or too low. Please enter an other value!"_s});
        turns->selectAll();
        QTest::keyClick(turns, Qt::Key_Delete);
        QCOMPARE(turns->text(), u"10"_s);
        QTest::keyClicks(field("t4I1"), "1a2");
        QCOMPARE(field("t4I1")->text(), u"12"_s);
        QCOMPARE(shownMessages(), QStringList());
        // A press in t4N3 checks it as an edit does; a press in t4I1 does not.
        const struct {
            const char *clicked, *before, *after;
            qsizetype messages;
        } presses[] = {
            {"t4N3", "", "10", 0}, {"t4N3", "0.5", "0.5", 0}, {"t4N3", "0.4", "100", 1}, {"t4I1", "", "", 0}};
        for (const auto& p : presses) {
            turns->setText(QLatin1String(p.before));
            QTest::mouseClick(field(QLatin1String(p.clicked)), Qt::LeftButton);
            QCOMPARE(turns->text(), QLatin1String(p.after));
            QCOMPARE(shownMessages().size(), p.messages);
        }
    }
};

QTEST_MAIN(PTransHarmonicTabTest)
#include "ptrans_harmonic_tab_test.moc"

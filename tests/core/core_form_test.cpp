// The Core calculation window driven by objectName on the fixture database
// (core_fixture_db.h), with recorded messages.

#include "../ui_common/paint_count.h"
#include "core_window_test_base.h"

#include "tolvik/core/mue_t.h"
#include "tolvik/ui_common/lists.h"

#include <clocale>
#include <string>

using namespace Qt::StringLiterals;

using tolvik::core::CoreForm;

class CoreFormTest : public tolvik::core::test::CoreWindowTestBase {
    Q_OBJECT

private:
    QComboBox* kern() { return get<QComboBox>("Kern"); }
    QComboBox* material() { return get<QComboBox>("Material"); }
    tolvik::chart::ChartModel& model(int i) { return graph(i)->model(); }
    void select(int set, int point) { graph(2)->selectPoint(set, point); }
    QStringList entries(QComboBox* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }
    std::string logLine(const char* x, const char* y) { return tolvik::ReadingLog::formatLine(x, y); }

    /// Chooses material, core and air gap on the overview, then enters the µe vs. T tab,
    /// which draws one curve.
    void mueTab(const QString& mat, const QString& s) {
        chooseOn(0, mat, u"E 20"_s);
        field("s")->setText(s);
        showTab(2);
    }

private slots:
    void aCalculationRepaintsItsPageNotTheTabControl() {
        // A changed text asks every layout above it to lay out again; the tab control does
        // (and repaints all of itself, its tabs included) only when a size changed.
        chooseOn(1, u"M1"_s, u"E 20"_s);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        tolvik::test::UntilIdle();
        tolvik::test::PaintCount tabs(get<QWidget>(u"qt_tabwidget_tabbar"_s));
        tolvik::test::PaintCount page(form->tabControl()->widget(1));
        calculate();
        tolvik::test::UntilIdle();
        QVERIFY(page.paints >= 1);
        QCOMPARE(tabs.paints, 0);
    }

    void init() { open(); }
    void cleanup() { close(); }

    void eachTabOffersItsLists() {
        const QStringList allMaterials{"M1", "M2", "M3", "M4"};
        const QStringList shownCores{"E 20", "P 14", "EL 18", "R 10"};
        const struct {
            int tab;
            QStringList materials, cores;
        } cases[] = {
            {0, allMaterials, shownCores},
            {3, {"M1", "M3", "M4", "M5"}, {"E 20", "P 14", "P 14"}}, // power materials, thermal data
            {4, {"M1"}, shownCores},                                 // amplitude permeability data
            {6, {"M1"}, shownCores},                                 // the material list is left as it was
            {5, allMaterials, shownCores},
        };
        for (const auto& c : cases) {
            form->ChangeTab(c.tab); // as the main window asks for a tab: it is made current
            QCOMPARE(form->tabControl()->currentIndex(), c.tab);
            QCOMPARE(get("T25")->isVisibleTo(form.get()), c.tab == 4);
            QCOMPARE(entries(material()), c.materials);
            QCOMPARE(entries(kern()), c.cores);
        }
        form->ChangeTab(7); // no such tab: nothing changes
        QCOMPARE(form->tabControl()->currentIndex(), 5);
    }

    void leavingDcBiasResetsItsGraphAndTheLog() {
        showTab(4);
        model(4).setNumSets(3); // what a reset leaves: ui_common_qt_test
        app->log.append("a", "b", true);
        form->tabControl()->setCurrentIndex(0); // the user's click on the tab
        QCOMPARE(model(4).numSets(), 1);
        QVERIFY(app->log.readingLog.empty());
    }

    void refillingKeepsTheSelection() {
        showTab(0);
        choose("Material", "M1");
        choose("Kern", "P 14");
        showTab(3);
        QCOMPARE(material()->currentIndex(), 0);
        QCOMPARE(kern()->currentText(), u"P 14"_s);
        // The program's own selection was recognised and the tag cleared.
        QCOMPARE(tolvik::ui::Tag(material()), QString());
        QCOMPARE(tolvik::ui::Tag(kern()), QString());

        choose("Material", "M5");
        showTab(0); // M5 is no current material: no selection
        QCOMPARE(material()->currentIndex(), -1);
        QCOMPARE(field("t9Text1")->text(), QString());
    }

    void dataOverviewOfMaterialAndCore() {
        showTab(0);
        choose("Kern", "E 20");
        choose("Material", "M1");
        // Hc100 = 0 shows "0.", hidden like Bs100 = 0.
        QCOMPARE(texts({"t9Text1", "t9Text2", "t9Text4", "t9Text8", "t9Text9", "t9Text11", "t9Text12",
                        "t9Text13", "t9Text14"}),
                 (QStringList{"2000", "500", "15.5", "200", "18.5", "6.6", "4800.", "5.", "398."}));
        QCOMPARE(texts({"t9Ae", "t9le", "t9Ve", "t9An", "t9ln", "t9Label20"}),
                 (QStringList{"40.25", "50.", "2000", "30.13", "40.", "Pv(f100,B200,T100) [kW/m³]"}));
        const auto shown = [this](const QStringList& names) {
            QList<bool> out;
            for (const QString& name : names)
                out << !get(name)->isHidden();
            return out;
        };
        const QStringList flagged{"t9Text3", "t9Text5", "t9Text9", "t9Label20", "t9Text10"};
        QCOMPARE(shown(flagged), (QList<bool>{false, false, true, true, true}));
        choose("Material", "M2"); // no power material: tandmuei and Pv are set but not shown
        QCOMPARE(shown(flagged), (QList<bool>{true, true, false, false, false})); // hb 0
        QCOMPARE(texts({"t9Text3", "t9Text13"}), (QStringList{"300", "0.5"}));
        QVERIFY(messages->messages.empty());
    }

    void coreVariantsSetTheCheckBoxes() {
        showTab(0);
        auto* lp = get<QCheckBox>("LP");
        auto* ml = get<QCheckBox>("ML");
        const struct {
            const char* core;
            bool lpEnabled, lpChecked, mlEnabled, mlChecked;
        } cases[] = {
            {"P 14", false, false, true, true}, // only the variant with hole is shown
            {"EL 18", true, true, false, false},
            {"E 20", false, false, false, false}, // standard form only
        };
        for (const auto& c : cases) {
            choose("Kern", c.core);
            QVERIFY2(lp->isEnabled() == c.lpEnabled && lp->isChecked() == c.lpChecked, c.core);
            QVERIFY2(ml->isEnabled() == c.mlEnabled && ml->isChecked() == c.mlChecked, c.core);
        }
    }

    void mueCurvesAccumulate() {
        mueTab("M1", "0.5");
        QVERIFY(messages->messages.empty());
        auto& m = model(2);
        // µe = 1/(0.99/2000+0.01) at MueT 25; only Calculate writes mue25.
        QCOMPARE(texts({"le", "mue", "mue25"}), (QStringList{"50", "95.3", ""}));
        QCOMPARE(m.numSets(), 2); // the first curve after the reset went into set 1
        QCOMPARE(m.numPoints(), 6);
        QCOMPARE(m.writtenPoints(1).size(), size_t(4)); // the points are mue_t_test's

        calculate();
        QCOMPARE(field("mue25")->text(), u"95.3"_s);
        QCOMPARE(m.numSets(), 3);
        QGuiApplication::clipboard()->setText(u"0.25"_s);
        field("s")->selectAll();
        field("s")->paste();                                      // as Ctrl+V or the context menu do
        QCOMPARE(texts({"mue", "mue25"}), (QStringList{"", ""})); // any edit of s empties the results
        calculate();
        QCOMPARE(m.numSets(), 4);

        type("MueT", "37,5"); // µi 2250: 1/(0.99/2250 + 0.01) = 95.785 (s 0.25 → 0.5)
        type("s", "0.5");
        QVERIFY(field("mue")->text().isEmpty());
        calculate();
        QCOMPARE(field("mue")->text(), u"95.8"_s);
    }

    void relativeCurveAndOptionClicks() {
        mueTab("M4", "0");
        field("T1")->setText("25");
        field("MueT")->setText("50");
        calculate();
        auto& m = model(2);
        QCOMPARE(m.numSets(), 3);
        QCOMPARE(texts({"mue", "mue25"}), (QStringList{"2500.", "2000."}));

        get<QRadioButton>("Mue2opt")->click(); // starts a new graph
        QCOMPARE(m.numSets(), 2);
        QCOMPARE(m.graphTitle(), std::string("(µe-µe(T1))/µe vs. T"));
        QCOMPARE(m.legendOf(1), std::string("dmue[%] E 20M4 s=0[mm]"));
        QCOMPARE(texts({"Label13", "mue", "mue25"}), (QStringList{"dµe/µe[%]", "", "2000."}));

        select(1, 4); // the reader on the relative curve
        QCOMPARE(texts({"GR2", "GR3", "mue"}), (QStringList{"T=50[°C]", "dµe/µe=20[%]", "20."}));
        field("MueT")->setText("75");
        calculate(); // the relative reader at MueT: (2750-2000)/2750*100 = 27.27
        QCOMPARE(field("mue")->text(), u"27.27"_s);

        get<QRadioButton>("mue1opt")->click();
        QCOMPARE(m.numSets(), 2);
        QCOMPARE(m.graphTitle(), std::string("effective permeability µe "));
        QCOMPARE(m.legendOf(1), std::string("µe E 20M4 s=0[mm]"));
        QCOMPARE(texts({"Label13", "mue"}), (QStringList{"µe", ""}));
    }

    void readerLogsTheReadingsOfOneCurve() {
        mueTab("M1", "0.5");
        QTest::keyClick(field("s"), Qt::Key_Return); // the same curve once more
        select(1, 3);
        QVERIFY(!get("SSFrame5")->isHidden());
        QCOMPARE(texts({"GR1", "GR2", "GR3", "MueT", "mue"}),
                 (QStringList{"µe E 20M1 s=0.5[mm]", "T=25[°C]", "µe=95.28", "25", "95.3"}));
        const std::string at25 = logLine("T=25[°C]", "µe=95.28");
        QCOMPARE(app->log.readingLog, at25);
        // Another data set clears the log; its legend is that of the last reading, so the
        // line is appended to the empty log.
        select(2, 3);
        select(2, 2);
        QCOMPARE(app->log.readingLog, "\r" + at25 + "\r" + logLine("T=0[°C]", "µe=93.81"));
        // A curve with another legend starts the log with its line alone.
        field("s")->setText("0.25");
        QTest::keyClick(field("s"), Qt::Key_Return);
        select(3, 3);
        QCOMPARE(texts({"GR1"}), QStringList{"µe E 20M1 s=0.25[mm]"});
        QCOMPARE(app->log.readingLog, logLine("T=25[°C]", "µe=181.9"));
        calculate(); // a recalculation clears the log
        QVERIFY(app->log.readingLog.empty());
    }

    void enterReleasedOrDoubleClickRecomputes() {
        mueTab("M1", "0.5");
        auto& m = model(2);
        QCOMPARE(m.numSets(), 2);
        // The release of Enter starts the recalculation, not the press.
        QTest::keyPress(field("s"), Qt::Key_Return);
        QCOMPARE(m.numSets(), 2);
        QTest::keyRelease(field("s"), Qt::Key_Return);
        QCOMPARE(m.numSets(), 3);
        // A release whose press went elsewhere (it closed a message box) is no trigger.
        QTest::keyRelease(field("s"), Qt::Key_Return);
        QCOMPARE(m.numSets(), 3);
        QTest::keyClick(field("T1"), Qt::Key_Enter);
        QCOMPARE(m.numSets(), 4);
        QTest::keyClick(field("MueT"), Qt::Key_Return); // not a trigger
        QCOMPARE(m.numSets(), 4);
        QTest::mouseDClick(field("T1"), Qt::LeftButton);
        QCOMPARE(m.numSets(), 5);
        // ML losing the focus recalculates, unless the focus went to a popup or another window.
        for (const auto& [reason, added] : {std::pair{Qt::TabFocusReason, 1},
                                            {Qt::PopupFocusReason, 0},
                                            {Qt::ActiveWindowFocusReason, 0}}) {
            const int before = m.numSets();
            QFocusEvent out(QEvent::FocusOut, reason);
            QCoreApplication::sendEvent(get("ML"), &out);
            QCOMPARE(m.numSets(), before + added);
        }
    }

    void resetClearsTheResultFieldsOfTheCurrentTab() {
        const struct {
            int tab;
            QStringList cleared, kept;
        } cases[] = {
            {0, {"t9Ae", "t9Amin", "t9ln", "t9Text1", "t9Text14"}, {"mue", "t6S", "t2Rac"}},
            {2, {"mue25", "mue"}, {"s", "le", "T1", "MueT", "t9Ae"}},
            {3, {"t6dBf", "t6S", "t6Ptrans"}, {"t6Ae", "t6fw", "t1s"}},
            {4, {"t1s", "t1Al", "t1N", "t1mue", "t1d"}, {"t1L", "t1I", "t1dmurev", "t0L", "t6S"}},
            {5, {"thd_Al25", "thd_k3c"}, {"thd_R1"}}, // N1:N2 mode: Al, N1, N2 are results
            {6, {"t2draht_d", "t2rdc", "t2d", "t2Rac", "t2fw"}, {"t2N", "t2layer", "t2f", "t1d"}},
        };
        const QStringList readers{"LabGraphReader(1)", "LabGraphReader(2)"};
        for (const auto& c : cases) {
            showTab(c.tab);
            for (const QString& name : c.kept + c.cleared)
                field(name)->setText("7");
            for (const QString& name : readers)
                get<QLabel>(name)->setText("x");
            form->ResetTabFields();
            QCOMPARE(texts(c.cleared).join(QString()), QString());
            QCOMPARE(texts(c.kept).join(QString()), QString(c.kept.size(), QLatin1Char('7')));
            QCOMPARE(texts(readers).join(QString()), c.tab == 4 ? QString() : u"xx"_s);
        }
    }

    void damagedDataFileGivesMessagesNotExceptions() {
        // Fields the window reads are missing: every step reports the fault, the window goes on.
        open("ALTER TABLE Kernform RENAME COLUMN Amin TO Amin2;"
             "ALTER TABLE Material RENAME COLUMN af TO af2;"
             "ALTER TABLE MuiT RENAME COLUMN T TO T2;");
        showTab(0);
        size_t seen = messages->messages.size();
        auto reports = [&](const char* word) { // a message since the last call names the fault
            bool found = false;
            for (; seen < messages->messages.size(); ++seen)
                found = found || messages->messages[seen].text.contains(QLatin1String(word));
            return found;
        };
        choose("Kern", "E 20");
        QVERIFY(reports("Amin"));
        choose("Material", "M1");
        QVERIFY(reports("af"));
        QCOMPARE(field("t9Text1")->text(), u"2000"_s); // read before the fault
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        field("s")->setText("0.5");
        showTab(2);
        QVERIFY(reports("MuiT"));
        calculate();
        QVERIFY(reports("MuiT"));
        get<QRadioButton>("Mue2opt")->click();
        QVERIFY(reports("MuiT"));
        QVERIFY(model(2).writtenPoints(1).empty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void damagedValuesAreNamedOnceAndGiveNoResult() {
        // Texts where numbers are needed, and a huge value: one message naming table,
        // field and record for each action, and no value shown in place of the right one.
        const char* const badMui = "UPDATE Material SET mui = 'abc' WHERE Name = 'M1'";
        const char* const badLe = "UPDATE Kernform SET le = 'twelve' WHERE Kerntyp = 'E 20'";
        const char* const mui = "field 'mui' of table 'Material', record 'M1'";
        const char* const le = "field 'le' of table 'Kernform', record 'E 20'";
        const struct {
            const char* sql;
            int tab;
            const char* expected; // "" = no message expected
        } cases[] = {
            {badMui, 0, mui},
            {badLe, 0, le},
            {badLe, 1, le},
            {badMui, 1, mui},
            {badLe, 2, le},
            {"UPDATE MuiT SET M1 = 'hot' WHERE T = 0", 2, "field 'M1' of table 'MuiT', record 2"},
            {"UPDATE Material SET f = 1e300 WHERE Name = 'M1'", 0, ""},
        };
        for (const auto& c : cases) {
            open(c.sql);
            showTab(c.tab);
            choose("Kern", "E 20");
            if (c.tab == 1) field("t4Al1")->setText("100");
            messages->messages.clear();
            choose("Material", "M1");
            if (c.tab == 1) calculate(); // reads µi
            const QString what = QString::number(c.tab) + u": "_s + QLatin1String(c.sql);
            QVERIFY2(messages->messages.size() == (*c.expected ? 1u : 0u), qPrintable(what));
            if (*c.expected)
                QVERIFY2(messages->messages[0].text.contains(QLatin1String(c.expected)),
                         qPrintable(what + u" / "_s + messages->messages[0].text));
            if (c.tab == 1) QVERIFY2(texts({"t4s1", "t4mue1"}).join(QString()).isEmpty(), qPrintable(what));
            if (c.tab == 2) {
                QVERIFY2(model(2).writtenPoints(1).empty(), qPrintable(what));
                QVERIFY2(field("mue")->text().isEmpty(), qPrintable(what));
            }
        }
        // The last case: a frequency beyond any whole number shows no digits at all.
        QCOMPARE(get<QLabel>("t9Label20")->text(), u"Pv(f,B200,T100) [kW/m³]"_s);
    }

    void typedEntriesAreCheckedOnEnterAndRecalculateOnce() {
        const auto typeInto = [](QComboBox* list, const char* typed) {
            list->setFocus();
            list->setEditText(QString());
            QTest::keyClicks(list, QLatin1String(typed));
            const QString shown = list->currentText();
            QTest::keyClick(list, Qt::Key_Return);
            return shown;
        };
        mueTab("M1", "0.5");
        auto& m = model(2);
        const int sets = m.numSets();
        typeInto(material(), "m4");
        QCOMPARE(material()->itemText(material()->currentIndex()), u"M4"_s);
        QCOMPARE(m.numSets(), sets + 1);               // one curve, not two
        QCOMPARE(typeInto(kern(), "p 14"), u"P 14"_s); // letters are typed upper-case
        QCOMPARE(kern()->itemText(kern()->currentIndex()), u"P 14"_s);
        QCOMPARE(m.numSets(), sets + 2);
        QCOMPARE(field("le")->text(), u"20"_s); // the variant with hole
        QVERIFY(messages->messages.empty());
        typeInto(kern(), "xyz");
        QCOMPARE(messages->messages.size(), size_t(1));
        QCOMPARE(messages->messages[0].text, u"No valid selection for core!"_s);
        QCOMPARE(messages->messages[0].title, u"Tolvik"_s);
    }

    void mueTGapHasTheLimitsOfTheAlValueTabAndEmptyReadsZero() {
        mueTab("M1", "0.5");
        const struct {
            const char *typed, *shown;
            bool refused;
        } cases[] = {{"-1", "1", true}, {"-0.0201", "1", true}, {"100.5", "1", true}, {"100", "100", false},
                     {"0", "0", false}, {"", "0", false},       {".", "0", false}};
        for (const auto& c : cases) {
            messages->messages.clear();
            field("s")->setText(QLatin1String(c.typed));
            calculate();
            QCOMPARE(messages->messages.size(), size_t(c.refused ? 1 : 0));
            QCOMPARE(field("s")->text(), QLatin1String(c.shown));
            QVERIFY2(tolvik::text::ReadNumber(field("mue25")->text().toStdString()) > 0, c.typed);
        }
        const int sets = model(2).numSets();
        type("MueT", "."); // no temperature, no gap: nothing recomputed
        type("s", ".");
        calculate();
        QCOMPARE(model(2).numSets(), sets);
        QCOMPARE(texts({"s", "mue25"}), (QStringList{"0", ""}));
    }

    void calculationsThatCannotBeMadeLeaveTheirResultsEmpty() {
        mueTab("M3", "0.5"); // no µi data: the message, no curve
        QCOMPARE(messages->messages.back().text,
                 QString::fromStdString(tolvik::core::NoMuiDataMessage("M3")));
        QCOMPARE(model(2).numSets(), 1);
        QVERIFY(field("mue")->text().isEmpty());

        // A listed core without data: no µe (never µi in its place).
        open("INSERT INTO Kernform (Kerntyp, LP, Loch, Anzeige) VALUES ('X 1', 0, 0, -1);");
        mueTab("M1", "0.5");
        const int sets = model(2).numSets();
        choose("Kern", "X 1");
        calculate();
        QCOMPARE(texts({"le", "mue", "mue25"}), (QStringList{"", "", ""}));
        QCOMPARE(model(2).numSets(), sets); // no curve of µi drawn as µe
    }

    void materialChoiceRefillsTemperatureList() {
        showTab(5);
        auto* temps = get<QComboBox>("listTemp");
        QCOMPARE(entries(temps), (QStringList{"-40", "0", "25", "50", "100", "150"}));
        temps->setCurrentIndex(4);
        choose("Material", "M2"); // typed and taken with Enter, the entry is chosen the same way
        QCOMPARE(temps->currentText(), u"25"_s);
        QCOMPARE(temps->count(), 6);
    }

    void wireCalculateFillsDefaults() {
        showTab(6);
        field("t2layer")->clear();
        field("t2f")->clear();
        calculate();
        QCOMPARE(texts({"t2layer", "t2f"}), (QStringList{"1", "10"}));
        // Choosing a core on this tab sets the check boxes but does not recompute.
        field("t2Rac")->setText("1.5");
        choose("Kern", "P 14");
        QVERIFY(get<QCheckBox>("ML")->isChecked());
        QCOMPARE(field("t2Rac")->text(), u"1.5"_s);
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Qt adopts the desktop's locale at start-up, and with it the C library's number
    // locale. The window runs under a decimal-comma locale here, so that no number is
    // read or written through it unnoticed.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        qWarning("locale de_DE.UTF-8 is not available (run scripts/install-deps.sh): "
                 "the window is tested under the C locale only");
    CoreFormTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "core_form_test.moc"

// The Material properties window driven by objectName on the fixture database
// (mat_fixture_db.h), with recorded messages.

#include "../ui_common/window_test_base.h"
#include "mat_fixture_db.h"

#include "tolvik/chart/graph.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <cmath>
#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;
using tolvik::material::MatTab;

class MatTabTest : public tolvik::test::WindowTestBase {
    Q_OBJECT

private:
    std::unique_ptr<tolvik::material::test::MatFixture> fixture;
    std::unique_ptr<tolvik::AppContext> app;
    std::unique_ptr<QWidget> host;
    tolvik::test::HostRecord mainWindow;
    MatTab* form = nullptr;
    QWidget* windowUnderTest() const override { return form; }

    QString text(const QString& name) { return texts({name}).front(); }
    QComboBox* material() { return get<QComboBox>(u"Material"_s); }
    tolvik::chart::Graph* graph(int i) { return get<tolvik::chart::Graph>(u"Graph1(%1)"_s.arg(i)); }
    tolvik::chart::ChartModel& model(int i) { return graph(i)->model(); }
    QStringList legends(int i) {
        QStringList out;
        for (int s = 1; s <= model(i).numSets(); ++s)
            out << QString::fromStdString(model(i).legendOf(s));
        return out;
    }
    QStringList entries(const QString& list) { return tolvik::test::ShownTexts(get(list)); }
    /// As the main window does it: set the tab, then ChangeTab.
    void showTab(int tab) {
        form->tabControl()->setCurrentIndex(tab);
        double t = tab;
        form->ChangeTab(t);
        QCoreApplication::processEvents();
    }
    /// A choice of the user in the material list.
    void choose(const QString& name) { WindowTestBase::choose(u"Material"_s, name); }
    void row(const QString& list, const QString& entry) {
        auto* l = get<QListWidget>(list);
        const auto items = l->findItems(entry, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(entry));
        l->setCurrentItem(items.first());
    }
    void click(const QString& name) { get<QAbstractButton>(name)->click(); }
    int writtenPoints(int i) {
        int n = 0;
        for (int s = 1; s <= model(i).numSets(); ++s)
            n += static_cast<int>(model(i).writtenPoints(s).size());
        return n;
    }
    /// Compares the texts of fields and labels given as "name=text;name=text".
    void expectTexts(const char* expected) {
        QStringList names, values;
        for (const QString& p : QString::fromUtf8(expected).split(u';')) {
            names << p.section(u'=', 0, 0);
            values << p.section(u'=', 1);
        }
        QCOMPARE(texts(names), values);
    }
    QString logLine(const QString& x, const QString& y) {
        return QString::fromStdString(tolvik::ReadingLog::formatLine(x.toStdString(), y.toStdString()));
    }

private slots:
    void init() {
        tolvik::text::SetDecimalSeparator('.');
        messages = &tolvik::ui::InstallRecordingMessages();
        fixture = std::make_unique<tolvik::material::test::MatFixture>();
        app = std::make_unique<tolvik::AppContext>();
        app->appFolder = TOLVIK_TEST_PROGRAM_DIR;
        app->databasePath = fixture->databasePath();
        app->database = tolvik::data::Database::open(app->databasePath);
        host = std::make_unique<QWidget>();
        mainWindow = {};
        form = new MatTab(*app, host.get());
        form->setHost(&mainWindow);
        form->resize(790, 470);
        host->resize(800, 500);
        host->show();
    }
    void cleanup() {
        host.reset();
        app.reset();
        fixture.reset();
        tolvik::ui::SetMessageService(nullptr);
    }

    void opensOnTheHysteresisTab() {
        QCOMPARE(form->tabControl()->currentIndex(), 0);
        QCOMPARE(material()->currentIndex(), -1);
        QCOMPARE(text(u"PT"_s) + text(u"PF"_s) + text(u"PB"_s), u"3010050"_s);
    }

    void eachTabOffersItsMaterialsAndCopy() {
        const QStringList current{"A1", "B2", "N3", "O'K 5", "Z6"};
        const std::tuple<int, bool, bool, QStringList> cases[] = {
            // tab, Copy, temperature options, materials

            {0, false, true, current},
            {1, true, false, current},
            {2, false, false, {"A1", "N3", "P4", "O'K 5"}}, // power materials
            {3, true, true, {"A1", "B2", "N3"}},            // amplitude permeability data
            {4, true, false, current},
        };
        for (const auto& [tab, copy, temperatures, materials] : cases) {
            showTab(tab == 0 ? 4 : 0);
            showTab(tab);
            QCOMPARE(mainWindow.copyEnabled, copy);
            QCOMPARE(get(u"T25"_s)->isVisibleTo(form), temperatures);
            QCOMPARE(get(u"T100"_s)->isVisibleTo(form), temperatures);
            QCOMPARE(entries(u"Material"_s), materials);
        }
    }

    void listRefillKeepsOrDropsTheSelection() {
        showTab(1);
        choose(u"A1"_s);
        form->tabControl()->setCurrentIndex(2); // as the user does it
        QTRY_COMPARE(entries(u"List1"_s).size(), 8);
        QCOMPARE(material()->currentText(), u"A1"_s);
        QCOMPARE(model(1).numSets(), 1); // the graph of the tab left is reset
        QVERIFY(model(1).legendOf(1).empty());

        showTab(1);
        choose(u"B2"_s);
        showTab(2); // B2 is no power material
        QCOMPARE(material()->currentIndex(), -1);
        QVERIFY(entries(u"List1"_s).isEmpty());
        QCOMPARE(writtenPoints(2), 0);
        QVERIFY(messages->messages.empty()); // the selection is dropped silently
    }

    void suppressionTagsDrawOnce() {
        choose(u"A1"_s);
        click(u"T100"_s);
        showTab(3); // selects T25 without a draw of its own
        QVERIFY(get<QRadioButton>(u"T25"_s)->isChecked());
        QVERIFY(tolvik::ui::Tag(get(u"T25"_s)).isEmpty()); // a later click of the user draws
        QCOMPARE(legends(3), (QStringList{"A1T25", ""}));
        showTab(4); // selects Optmu_ without a draw of its own
        QVERIFY(tolvik::ui::Tag(get(u"Optmu_"_s)).isEmpty());
        QCOMPARE(legends(4), (QStringList{"A1 µ'", ""}));
        click(u"Optmu_p"_s);
        const std::string otherTitle = model(4).leftTitle();
        click(u"Optmu_"_s); // the user's own choice of µ' draws
        QVERIFY(model(4).leftTitle() != otherTitle);
        QCOMPARE(legends(4).first(), u"A1 µ'"_s);
        showTab(1);
        QCOMPARE(legends(1), (QStringList{"A1"}));
        showTab(3);
        click(u"T100"_s);
        showTab(0); // the loop starts at 25 °C again
        QVERIFY(get<QRadioButton>(u"T25"_s)->isChecked());
        QCOMPARE(model(4).numSets(), 1); // the tab left is reset
        // A material without µi data tells how often the tab was drawn: once.
        choose(u"N3"_s);
        messages->messages.clear();
        showTab(4);
        QCOMPARE(shownMessages(), (QStringList{"No data for this selection!"}));
        // Given a tab that is not the current one, ChangeTab makes it current: once set up.
        showTab(0);
        messages->messages.clear();
        form->ChangeTab(4);
        QCoreApplication::processEvents();
        QCOMPARE(form->tabControl()->currentIndex(), 4);
        QCOMPARE(shownMessages(), (QStringList{"No data for this selection!"}));
        form->ChangeTab(5); // no such tab: nothing happens
        QCOMPARE(form->tabControl()->currentIndex(), 4);
    }

    void setNumberingAndLegendsPerFamily() {
        showTab(1);
        choose(u"A1"_s);
        choose(u"B2"_s);
        QCOMPARE(legends(1), (QStringList{"A1", "B2"}));
        QCOMPARE(model(1).numPoints(), 4); // N + 1 of the longer column

        showTab(3);
        choose(u"B2"_s);
        click(u"T100"_s); // B2 has no T100 column: one message, nothing drawn
        click(u"T25"_s);
        choose(u"A1"_s);
        QCOMPARE(legends(3).mid(0, 2), (QStringList{"B2T25", "B2T25"}));
        QCOMPARE(legends(3).last(), QString());
        QCOMPARE(shownMessages(), (QStringList{"No data for this selection!"}));

        showTab(4);
        click(u"Optgp"_s);
        QCOMPARE(legends(4), (QStringList{"A1 µ'", "A1 gp", ""}));
        QCOMPARE(QString::fromStdString(model(4).leftTitle()), u"gp[ps]"_s);
        QCOMPARE(text(u"labErg"_s), u"gp[ps]"_s);

        showTab(2);
        row(u"List1"_s, u"100"_s);
        row(u"List2"_s, u" 100"_s);
        row(u"List2"_s, u" 200"_s);
        QCOMPARE(legends(2), (QStringList{"A1F100B100", "A1F100B200"}));
        QCOMPARE(model(2).writtenPoints(1).size(), size_t(3));
        QCOMPARE(text(u"PF"_s) + u"/"_s + text(u"PB"_s), u"100/200"_s);
        QCOMPARE(text(u"Pvg"_s), u"400."_s); // PT 30, f 100, B 200
        click(u"optxf"_s);
        click(u"optyPer"_s); // with optxf already selected the lists are refilled all the same
        QCOMPARE(entries(u"List1"_s).first(), u"50"_s);
        click(u"optyPvV"_s);
        click(u"optxT"_s);
        click(u"optyPer"_s);
        QVERIFY(get<QRadioButton>(u"optxf"_s)->isChecked());
        QVERIFY(!get(u"optxT"_s)->isEnabled() && !get(u"optxB"_s)->isEnabled());
        QCOMPARE(entries(u"List1"_s).first(), u"50"_s);
        QCOMPARE(model(2).axisScaleCode(), 16);
        row(u"List1"_s, u"200"_s);
        row(u"List2"_s, u"25"_s);
        QCOMPARE(legends(2), (QStringList{"A1Pl200T25"}));
        click(u"optyPvV"_s);
        QVERIFY(get(u"optxT"_s)->isEnabled() && get(u"optxB"_s)->isEnabled());
        QCOMPARE(model(2).axisScaleCode(), 15);
    }

    void calculations() {
        // Each calculation's numbers are matcalc_test's; here the fields, stops and messages.
        const std::tuple<int, const char*, const char*, const char*, const char*, const char*> cases[] = {
            {1, "", "A1", "T=62,5", "mui=2500.", ""},
            {1, "", "A1", "T=0.;mui=7", "mui=7", ""}, // stops on '0.'
            {3, "optmuaH", "A1", "B=100", "t3mua=120.;t3H=15.1", ""},
            {3, "optmuaB", "A1", "B=400", "t3H=", "No valid value"},  // outside the table
            {4, "Optmu_p", "B2", "f=1000", "tErg=", ""},              // µ' = 0
            {2, "optyPvV", "A1", "PT=50;PF=100;PB=200", "Pvg=.", ""}, // no PvT row
            {2, "optyPer", "A1", "PT=40;PF=100;PB=200;Pvg=7", "Pvg=7", "No valid values"},
            {2, "optyPer", "A1", "PT=25;PF=300;PB=200", "PT=30;PF=100;PB=50;Pvg=", // overflow resets
             "The number is either too high or too low. Please enter an other value!"},
            {2, "optyPvV", "A1", "PB=0;Pvg=7", "Pvg=7", ""}, // PB '0' stops
        };
        for (const auto& [tab, option, mat, inputs, expected, message] : cases) {
            showTab(tab);
            if (*option) click(QLatin1String(option));
            choose(QLatin1String(mat));
            messages->messages.clear();
            for (const QString& p : QString::fromUtf8(inputs).split(u';'))
                field(p.section(u'=', 0, 0))->setText(p.section(u'=', 1));
            calculate();
            expectTexts(expected);
            QCOMPARE(shownMessages(), *message ? QStringList{message} : QStringList{});
        }
    }

    void decimalCommaOfTheSystem() {
        // Results show the system separator; the displayed µa is read back for the conversion.
        tolvik::text::SetDecimalSeparator(',');
        showTab(3);
        choose(u"A1"_s);
        field(u"B"_s)->setText(u"100"_s);
        calculate();
        QCOMPARE(text(u"t3mua"_s) + u" "_s + text(u"t3H"_s), u"3000, 26,539"_s);
        graph(3)->selectPoint(1, 2);
        QCOMPARE(text(u"B"_s), u"100"_s);
        QCOMPARE(text(u"GR3"_s), u"µa=3000,"_s);
    }

    void hysteresisLoopZoomAndMissingTemperature() {
        choose(u"A1"_s);
        auto limits = [this] {
            const auto& m = model(0);
            return QList<double>{m.xMax(), m.xMin(), m.yMax(), m.yMin()};
        };
        QCOMPARE(writtenPoints(0), 5);
        QCOMPARE(model(0).axisScaleCode(), 6);
        QCOMPARE(limits(), (QList<double>{125, -125, 400, -400}));
        click(u"cmdMinMax(1)"_s);
        QCOMPARE(limits(), (QList<double>{62, -62, 400, -400})); // the steps are matcalc_test's
        click(u"cmdMinMax(0)"_s);
        QCOMPARE(limits(), (QList<double>{124, -124, 400, -400}));
        click(u"T100"_s); // a loop without its closing row is drawn to the end of the table
        QCOMPARE(writtenPoints(0), 6);
        QCOMPARE(limits(), (QList<double>{50, -50, 300, -300}));
        choose(u"B2"_s); // B2 has a loop at 25 °C only
        QCOMPARE(shownMessages(), (QStringList{"No data for this selection!"}));
        QCOMPARE(writtenPoints(0), 0);
    }

    void materialWithoutCurveColumnsShowsOneMessage() {
        // N3 is in every list but has no column in any curve table.
        const std::tuple<int, const char*, const char*> cases[] = {
            {0, nullptr, nullptr}, {1, "T", "25"}, {2, "PT", "30"}, {3, "B", "100"}, {4, "f", "10"}};
        for (const auto& [tab, input, value] : cases) {
            showTab(tab);
            messages->messages.clear();
            choose(u"N3"_s);
            if (tab == 2) {
                QCOMPARE(shownMessages(), QStringList{});
                row(u"List1"_s, u"100"_s);
            }
            QCOMPARE(shownMessages(), (QStringList{"No data for this selection!"}));
            QCOMPARE(writtenPoints(tab), 0);
            if (!input) continue;
            field(QLatin1String(input))->setText(QLatin1String(value));
            calculate();
            QCOMPARE(shownMessages(), (QStringList{"No data for this selection!"}));
        }
    }

    void readerTextsPerTab() {
        // Another curve (GR1) starts the reading log afresh.
        const std::tuple<int, const char*, int, QStringList, const char*> cases[] = {
            // GR1, GR2, GR3
            {0, "", 3, {"", "H=125A/m", "B=400.mT"}, "HHysteresis=125;BHysteresis=400."},
            {1, "", 2, {"A1", "T=25[°C]", "µi=2000."}, "T=25;mui=2000."},
            {2, "", 2, {"A1F100B100", "T=30[°C]", "Pl/V=80.[kW/m³]"}, "PT=30;Pvg=80."},
            // the picked performance factor stays in Pvg
            {2, "optyPer", 1, {"A1Pl200T25", "f=100[kHz]", "f*Bmax=374.09[kHz*mT]"}, "PF=100;Pvg=374.09"},
            {3, "optmuaH", 3, {"A1T25", "H =  100[A/m]", "µa=120."}, "B=100;t3H=15.1"},
            {4, "", 3, {"A1 µ'", "f=100[kHz]", "1000."}, "f=100;tErg=1000."},
        };
        for (const auto& [tab, option, point, reader, fields] : cases) {
            showTab(tab);
            if (*option) click(QLatin1String(option));
            choose(u"A1"_s);
            if (tab == 2) {
                const bool performance = *option;
                row(u"List1"_s, performance ? u"200"_s : u"100"_s);
                row(u"List2"_s, performance ? u"25"_s : u" 100"_s);
                field(u"PF"_s)->setText(u"50"_s); // the calculation gives another value than the point
                field(u"PB"_s)->setText(u"50"_s);
            }
            get(u"GR1"_s)->setProperty("text", u"another curve"_s);
            graph(tab)->selectPoint(1, point);
            QCOMPARE(texts({u"GR1"_s, u"GR2"_s, u"GR3"_s}), reader);
            expectTexts(fields);
            QCOMPARE(QString::fromStdString(app->log.readingLog), logLine(reader[1], reader[2]));
            graph(tab)->selectPoint(1, point); // the same curve: a second line
            QCOMPARE(QString::fromStdString(app->log.readingLog).count(u'\r'), 1);
        }
    }

    void noNaNReachesAField() {
        const QStringList inputs{"", ".", "-", "1e308", "1e999", "abc", "-1e308"};
        const std::tuple<int, const char*, const char*> cases[] = {
            {1, nullptr, "T"},    {3, "optmuaB", "B"},  {3, "optmuaH", "B"},  {4, "Optmu_p", "f"},
            {4, "OptTand", "f"},  {4, "Optgp", "f"},    {4, "Optzn", "f"},    {2, "optyPvm", "PB"},
            {2, "optyPer", "PB"}, {2, "optyPer", "PF"}, {2, "optyPvV", "PT"},
        };
        for (const auto& [tab, option, name] : cases) {
            showTab(tab);
            if (option) click(QLatin1String(option));
            choose(u"A1"_s);
            for (const QString& in : inputs) {
                field(QLatin1String(name))->setText(in);
                calculate();
                for (QLineEdit* f : form->findChildren<QLineEdit*>()) {
                    const QString t = f->text().toLower();
                    QVERIFY2(!t.contains(u"nan"_s) && !t.contains(u"inf"_s),
                             qPrintable(f->objectName() + u" = "_s + t + u" after "_s + in));
                }
            }
        }
    }

    void typedMaterialNamesAndClearingRules() {
        showTab(1);
        QLineEdit* edit = material()->lineEdit();
        QTest::keyClicks(edit, u"b2"_s);
        QCOMPARE(edit->text(), u"B2"_s);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(material()->currentText(), u"B2"_s);
        QCOMPARE(legends(1), (QStringList{"B2"})); // drawn once
        edit->clear();
        QTest::keyClicks(edit, u"zz"_s);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(shownMessages(), (QStringList{"No valid selection for material!"}));
        QCOMPARE(legends(1), (QStringList{"B2"}));
        edit->clear(); // leaving the field checks a typed name too
        QTest::keyClicks(edit, u"zz"_s);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &leave);
        QCOMPARE(shownMessages(), (QStringList{"No valid selection for material!"}));

        const std::pair<const char*, QStringList> rules[] = {{"T", {"mui"}},  {"B", {"t3H", "t3mua"}},
                                                             {"f", {"tErg"}}, {"PT", {"Pvg"}},
                                                             {"PF", {"Pvg"}}, {"PB", {"Pvg"}}};
        for (const auto& [input, results] : rules) {
            for (const QString& out : results)
                field(out)->setText(u"1"_s);
            QTest::keyClicks(field(QLatin1String(input)), u"5"_s);
            for (const QString& out : results)
                QVERIFY2(text(out).isEmpty(), input);
        }
        for (const QString& out : {u"t3H"_s, u"t3mua"_s})
            field(out)->setText(u"1"_s);
        QTest::mouseClick(field(u"B"_s), Qt::LeftButton);
        QVERIFY(text(u"t3H"_s).isEmpty() && text(u"t3mua"_s).isEmpty());
    }
};

QTEST_MAIN(MatTabTest)
#include "mat_tab_test.moc"

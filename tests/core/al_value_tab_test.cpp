// The Al value tab in the Core calculation window on the fixture database (core_fixture_db.h)
// with an E-core and a K-factor material added. Expected numbers are hand calculations with
// µ0 = 1.256E-6 and π = 3.14 for the core Ae = 97 mm², le = 57.5 mm, µi(R41) = 2200, K1 = 190,
// K2 = -0.69.

#include "core_window_test_base.h"

using namespace Qt::StringLiterals;

namespace {

const QColor kLightGray(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0, 0);
const QStringList kAllFields{"t4Al1", "t4s1",   "t4mue1",        "t4Al3",        "t4L1",
                             "t4N1",  "t4mue3", "tAlFringeFlux", "tsFringeFlux", "tmueFringeFlux"};

// Two records of the E-core (the last one counts, its An empty), one without K-factors, and
// R41 twice (the last µi counts).
const char* const kExtraSql = R"SQL(
INSERT INTO Kernform (Kerntyp, LP, Loch, Anzeige, Ae, le, LN, AN, K1, K2) VALUES
  ('E 42/21/15', 0, 0, -1, 80, 50, 20, 100, 190, -0.69),
  ('E 42/21/15', 0, 0, -1, 97, 57.5, 25, NULL, 190, -0.69),
  ('E 55/28/21', 0, 0, -1, 52.5, 67, 30, 150, 0, 0);
INSERT INTO Material (Name, mui, Aktuell) VALUES ('R41', 2100, -1), ('R41', 2200, -1);
)SQL";

} // namespace

class AlValueTabTest : public tolvik::core::test::CoreWindowTestBase {
    Q_OBJECT

private:
    QColor noteColour(const QString& name) const {
        return get<QLabel>(name)->palette().color(QPalette::Window);
    }
    void fillAll(const QString& text) {
        for (const QString& name : kAllFields)
            field(name)->setText(text);
    }
    /// The window on the Al value tab with the E-core and R41 chosen.
    void openTab() {
        open(kExtraSql);
        showTab(1);
        choose("Kern", "E 42/21/15");
        choose("Material", "R41");
    }

private slots:
    void init() { openTab(); }
    void cleanup() { close(); }

    void keysClearDependents() {
        const struct {
            const char* option; ///< nullptr keeps the initial options
            const char* field;
            char ch;           ///< typed character, or 0 for `key`
            Qt::Key key;       ///< a key without text
            const char* typed; ///< the field's text after the key ("9" before)
            QStringList cleared;
            Qt::KeyboardModifiers modifiers = Qt::NoModifier;
            bool selectAll = false; ///< the whole text selected before the key
        } cases[] = {
            {nullptr, "t4Al1", '5', Qt::Key_unknown, "95", {"t4mue1", "t4s1"}},
            {nullptr, "t4Al1", 'e', Qt::Key_unknown, "9", {}}, // discarded: nothing changed
            {nullptr, "t4Al1", 0, Qt::Key_Backspace, "", {"t4mue1", "t4s1"}},
            {nullptr, "t4Al1", 0, Qt::Key_Return, "9", {}},
            // Pasting and cutting change the input as typing does.
            {nullptr, "t4Al1", 0, Qt::Key_V, "912", {"t4mue1", "t4s1"}, Qt::ControlModifier},
            {nullptr, "t4Al1", 0, Qt::Key_X, "", {"t4mue1", "t4s1"}, Qt::ControlModifier, true},
            {nullptr, "t4Al1", 0, Qt::Key_Left, "9", {}},     // moving the cursor keeps the results
            {nullptr, "t4s1", '5', Qt::Key_unknown, "9", {}}, // the locked result keeps the input
            {"s_Al_opt1", "t4s1", '.', Qt::Key_unknown, "9.", {"t4mue1", "t4Al1"}},
            {nullptr, "t4Al3", '7', Qt::Key_unknown, "97", {"t4mue3", "t4L1"}},
            {"L_Al_opt", "t4L1", '1', Qt::Key_unknown, "91", {"t4mue3", "t4Al3"}},
            {nullptr, "t4N1", '1', Qt::Key_unknown, "91", {"t4mue3", "t4L1"}},
            {"L_Al_opt", "t4N1", '1', Qt::Key_unknown, "91", {"t4mue3", "t4Al3"}},
            {nullptr, "tAlFringeFlux", 'x', Qt::Key_unknown, "9x", {"tmueFringeFlux", "tsFringeFlux"}},
            {"s_Al_ff_opt", "tsFringeFlux", '-', Qt::Key_unknown, "9-", {"tmueFringeFlux", "tAlFringeFlux"}},
        };
        for (const auto& c : cases) {
            openTab(); // a fresh tab for every case
            if (c.option) get<QRadioButton>(QLatin1String(c.option))->click();
            fillAll(u"9"_s);
            QLineEdit* target = field(QLatin1String(c.field));
            target->setFocus();
            QGuiApplication::clipboard()->setText(u"12"_s);
            if (c.selectAll) target->selectAll();
            if (c.ch)
                QTest::keyClick(target, c.ch);
            else
                QTest::keyClick(target, c.key, c.modifiers);
            const QByteArray where =
                QByteArray(c.field) + " key " + QByteArray::number(c.ch ? int(c.ch) : int(c.key));
            QVERIFY2(target->text() == QLatin1String(c.typed), where);
            for (const QString& name : kAllFields) {
                if (name == QLatin1String(c.field)) continue;
                const QString expected = c.cleared.contains(name) ? QString() : u"9"_s;
                QVERIFY2(field(name)->text() == expected, where + " " + name.toLatin1());
            }
            QVERIFY(messages->messages.empty()); // "." is the system's separator: no hint
        }
    }

    void decimalSeparatorHint() {
        tolvik::text::SetDecimalSeparator(',');
        QTest::keyClick(field("t4Al1"), '.');
        QCOMPARE(field("t4Al1")->text(), u"."_s);     // a hint only: the key passes
        QTest::keyClick(field("tAlFringeFlux"), '.'); // fringe-flux fields take any key
        tolvik::text::SetDecimalSeparator('.');
        QTest::keyClick(field("t4N1"), ',');
        QCOMPARE(field("t4N1")->text(), u","_s);
        QCOMPARE(shownMessages(),
                 (QStringList{"Decimal separator is comma ',' ", "Decimal separator is period '.'"}));
    }

    void theCoreDimensionsOfTheLastRecordAreLoaded() {
        QCOMPARE(texts({"t9Ae", "t9le", "t9ln", "t9An"}), (QStringList{"97", "57.5", "25", ""}));
        get<QComboBox>("Kern")->setCurrentIndex(-1); // no core type: nothing is touched
        field("t9Ae")->setText(u"12"_s);
        form->RecalculateCurrentTab();
        QCOMPARE(field("t9Ae")->text(), u"12"_s);
    }

    void calculateShowsResultsAndMessages() {
        field("t4Al1")->setText(u"250"_s);
        get<QRadioButton>("L_Al_opt")->click();
        field("t4L1")->setText(u"1"_s);
        field("tAlFringeFlux")->setText(u"30"_s);
        calculate();
        // The numbers of each panel are those of the calculation (al_value_test): the tab
        // writes them to its fields, and the fringe-flux warning (s 14.5 > 3.5) turns the notes red.
        QCOMPARE(texts({"t4s1", "tsFringeFlux", "t4N1", "t4Al3"}),
                 (QStringList{".461", "14.5", "100", "100"}));
        QCOMPARE(noteColour("labNoteIn"), kRed);
        QCOMPARE(noteColour("labNoteOut"), kRed);
        QCOMPARE(messages->messages[0].title, u"Value out of range"_s);
        QCOMPARE(shownMessages(),
                 QStringList{"The number is either too high or too low. Please enter an other value!"});
        showTab(0);
        showTab(1);
        QCOMPARE(noteColour("labNoteIn"), kLightGray);
        QCOMPARE(noteColour("labNoteOut"), kLightGray);
    }

    void kFactorsFromTheDatabase() {
        // K-factor fit: s = (250/190)^(1/-0.69) = 0.67184, µe = 117.99
        field("tAlFringeFlux")->setText(u"250"_s);
        calculate();
        QCOMPARE(texts({"tsFringeFlux", "tmueFringeFlux"}), (QStringList{".672", "118"}));
        QCOMPARE(shownMessages(), QStringList());

        choose("Kern", "E 55/28/21"); // a core type without K-factors
        calculate();
        QCOMPARE(shownMessages(), QStringList{"No k-factors available for this core!"});
        QCOMPARE(noteColour("labNoteIn"), kRed);
    }

    void resetClearsTheResultsOnly() {
        fillAll(u"9"_s);
        get<QRadioButton>("s_Al_opt1")->click();
        form->ResetTabFields();
        const QStringList cleared{"t4Al1", "t4mue1", "t4L1", "t4mue3", "tsFringeFlux", "tmueFringeFlux"};
        for (const QString& name : kAllFields)
            QCOMPARE(field(name)->text(), cleared.contains(name) ? QString() : u"9"_s);
    }
};

QTEST_MAIN(AlValueTabTest)
#include "al_value_tab_test.moc"

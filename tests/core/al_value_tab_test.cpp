// The Al value tab on a small host window that holds the window's shared controls (Kern,
// Material, LP, ML, t9Ae, t9le, t9ln, t9An) by objectName and answers the tab's questions
// from them, with the lookups answered by a fake. Expected numbers are hand calculations with µ0 = 1.256E-6
// and π = 3.14 for the core Ae = 97 mm², le = 57.5 mm, µi(R41) = 2200, K1 = 190, K2 = -0.69.

#include "../data/fixture_db.h"
#include "tolvik/core/al_value_tab.h"
#include "tolvik/data/database.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

using tolvik::Value;
using tolvik::core::AlValueTab;

namespace {

const QColor kLightGray(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0, 0);
const char* const kAllFields[] = {"t4Al1", "t4s1",   "t4mue1",        "t4Al3",        "t4L1",
                                  "t4N1",  "t4mue3", "tAlFringeFlux", "tsFringeFlux", "tmueFringeFlux"};

struct FakeData : tolvik::core::AlTabData {
    std::vector<std::array<Value, 4>> rows{{Value(97.0), Value(57.5), Value(25.0), Value(113.5)}};
    tolvik::data::CoreSelection lastSelection;
    std::vector<std::array<Value, 4>> coreDimensions(const tolvik::data::CoreSelection& core) override {
        lastSelection = core;
        return rows;
    }
    Value coreValue(const tolvik::data::CoreSelection&, tolvik::data::CoreField field) override {
        return field == tolvik::data::CoreField::K1 ? Value(190.0) : Value(-0.69);
    }
    Value materialMui(const std::string& material) override {
        return material == "R41" ? Value(2200.0) : Value(2000.0);
    }
    Value kFactorAl(double s, const std::string&) override {
        return s == 0 ? Value::empty() : Value(190.0 * std::pow(s, -0.69));
    }
    tolvik::data::KFactorGapResult kFactorGap(double al, const std::string&) override {
        return {Value(std::pow(al / 190.0, 1 / -0.69)), false};
    }
};

/// The window as the tab sees it, answered from the host's controls.
class HostWindow : public tolvik::core::CoreWindow {
public:
    QWidget* host = nullptr;
    template <class T> T* at(const char* name) const { return host->findChild<T*>(QLatin1String(name)); }
    QString selected(const char* list) const {
        auto* l = at<QComboBox>(list);
        return l->currentIndex() < 0 ? QString() : l->itemText(l->currentIndex());
    }
    QString selectedCore() const override { return selected("Kern"); }
    QString coreText() const override { return at<QComboBox>("Kern")->currentText(); }
    bool lowProfile() const override { return at<QCheckBox>("LP")->isChecked(); }
    bool withHole() const override { return at<QCheckBox>("ML")->isChecked(); }
    QString selectedMaterial() const override { return selected("Material"); }
    bool at25C() const override { return true; }
    void recalculateCurrentTab() override {}
    void validateCoreEntry() override {}
    void fillList(QComboBox*, const QString&, const QString&, const QString&) override {}
    void fillPairList(QComboBox*, const QString&, const QString&, const QString&, const QString&) override {}
    tolvik::core::WireResistanceTexts wireResistances() const override { return {}; }
    tolvik::core::CoreDimensionTexts coreDimensions() const override {
        return {at<QLineEdit>("t9Ae")->text(), at<QLineEdit>("t9le")->text(), at<QLineEdit>("t9ln")->text(),
                at<QLineEdit>("t9An")->text()};
    }
    void setCoreDimensions(const tolvik::core::CoreDimensionTexts& t) override {
        at<QLineEdit>("t9Ae")->setText(t.ae);
        at<QLineEdit>("t9le")->setText(t.le);
        at<QLineEdit>("t9ln")->setText(t.ln);
        at<QLineEdit>("t9An")->setText(t.an);
    }
    void showStatusHint(const QString&) override {}
    QLabel* arrowPicture(int) const override { return nullptr; }
    bool isCurrentPage(const tolvik::ui::TabPage*) const override { return true; }
};

} // namespace

class AlValueTabTest : public QObject {
    Q_OBJECT

private:
    tolvik::AppContext app;
    std::unique_ptr<QWidget> host;
    HostWindow window;
    AlValueTab* tab = nullptr;
    FakeData* data = nullptr;
    QComboBox* kern = nullptr;
    QComboBox* material = nullptr;
    tolvik::ui::RecordingMessageService* messages = nullptr;

    template <class T> T* find(const QString& name) const {
        T* w = host->findChild<T*>(name);
        if (!w) qFatal("missing control %s", qPrintable(name));
        return w;
    }
    QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
    QRadioButton* option(const QString& name) const { return find<QRadioButton>(name); }
    QString label(const QString& name) const { return find<QLabel>(name)->text(); }
    QColor noteColour(const QString& name) const {
        return find<QLabel>(name)->palette().color(QPalette::Window);
    }
    QStringList texts(const QStringList& names) const {
        QStringList out;
        for (const QString& name : names)
            out << edit(name)->text();
        return out;
    }
    QStringList messageTexts() const {
        QStringList out;
        for (const auto& m : messages->messages)
            out << m.text;
        return out;
    }
    void fillAll(const QString& text) {
        for (const char* name : kAllFields)
            edit(QLatin1String(name))->setText(text);
    }
    /// 1 for an input (white, editable), 0 for a result (light gray, locked), -1 for a mix.
    int role(const QLineEdit* e) const {
        const bool gray = e->palette().color(QPalette::Base) == kLightGray;
        return gray != e->isReadOnly() ? -1 : gray ? 0 : 1;
    }

private slots:
    void init() {
        tolvik::text::SetDecimalSeparator('.');
        messages = &tolvik::ui::InstallRecordingMessages();
        host = std::make_unique<QWidget>();
        host->setObjectName(u"CoreForm"_s);
        auto* layout = new QVBoxLayout(host.get());
        kern = new QComboBox(host.get());
        kern->setObjectName(u"Kern"_s);
        kern->addItems({u"E 42/21/15"_s, u"E 55/28/21"_s});
        material = new QComboBox(host.get());
        material->setObjectName(u"Material"_s);
        material->addItems({u"R41"_s, u"R42"_s});
        layout->addWidget(kern);
        layout->addWidget(material);
        for (const char* name : {"LP", "ML", "t9Ae", "t9le", "t9ln", "t9An"}) {
            QWidget* w = name[0] == 't' ? static_cast<QWidget*>(new QLineEdit(host.get()))
                                        : static_cast<QWidget*>(new QCheckBox(host.get()));
            w->setObjectName(QLatin1String(name));
            layout->addWidget(w);
        }
        window.host = host.get();
        tab = new AlValueTab(app, window, host.get());
        layout->addWidget(tab);
        auto fake = std::make_unique<FakeData>();
        data = fake.get();
        tab->setDataSource(std::move(fake));
        host->show();
        QApplication::processEvents();
    }
    void cleanup() {
        host.reset();
        tolvik::ui::SetMessageService(nullptr);
    }

    void notesAndTurnsField() {
        QCOMPARE(role(edit("t4N1")), 1); // an input whatever the options
        QCOMPARE(label("labNoteOut"), u"Note:"_s);
        QCOMPARE(label("labNoteIn"),
                 QStringLiteral("Assosiated K-factors for E-cores in R41, R52, R63 only.\n"
                                "Valid air gaps:\n0.1mm < s < 3.5mm"));
        QCOMPARE(noteColour("labNoteIn"), kLightGray);
    }

    void optionSwapsFields() {
        const struct {
            const char* option; ///< swaps the panel; `back` (checked at start) restores it
            const char* back;
            const char* input; ///< input after the swap
            const char* result;
            const char* inputLabel;
            const char* resultLabel;
            const char* inputCaption; ///< caption of the input after the swap
            const char* resultCaption;
        } panels[] = {
            {"s_Al_opt1", "Al_s_opt1", "t4s1", "t4Al1", "labInputAl", "labResultAl", "s[mm]", "Al[nH]"},
            {"L_Al_opt", "Al_L_opt", "t4L1", "t4Al3", "labL_Al(1)", "labL_Al(0)", "L[mH]", "Al[nH]"},
            {"s_Al_ff_opt", "Al_s_ff_opt", "tsFringeFlux", "tAlFringeFlux", "labInputAlff", "labResultAlff",
             "s[mm]", "Al[nH]"},
        };
        for (const auto& p : panels) {
            QLineEdit* in = edit(QLatin1String(p.input));
            QLineEdit* out = edit(QLatin1String(p.result));
            auto expectState = [&](bool swapped) {
                QVERIFY2(option(QLatin1String(swapped ? p.option : p.back))->isChecked(), p.option);
                QVERIFY2(!option(QLatin1String(swapped ? p.back : p.option))->isChecked(), p.option);
                QCOMPARE(role(in), swapped ? 1 : 0);
                QCOMPARE(role(out), swapped ? 0 : 1);
                QCOMPARE(label(QLatin1String(p.inputLabel)),
                         QLatin1String(swapped ? p.inputCaption : p.resultCaption));
                QCOMPARE(label(QLatin1String(p.resultLabel)),
                         QLatin1String(swapped ? p.resultCaption : p.inputCaption));
            };
            expectState(false);
            for (int click = 0; click < 2; ++click) { // a second click on the option changes nothing
                option(QLatin1String(p.option))->click();
                expectState(true);
            }
            option(QLatin1String(p.back))->click();
            expectState(false);
        }
    }

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
            {nullptr, "t4Al1", 'e', Qt::Key_unknown, "9", {}}, // letter discarded: nothing changed
            {nullptr, "t4Al1", '-', Qt::Key_unknown, "9", {}}, // minus discarded
            {nullptr, "t4Al1", 0, Qt::Key_Backspace, "", {"t4mue1", "t4s1"}},
            {nullptr, "t4Al1", 0, Qt::Key_Return, "9", {}},
            // Pasting and cutting change the input as typing does.
            {nullptr, "t4Al1", 0, Qt::Key_V, "912", {"t4mue1", "t4s1"}, Qt::ControlModifier},
            {nullptr, "t4Al1", 0, Qt::Key_X, "", {"t4mue1", "t4s1"}, Qt::ControlModifier, true},
            {nullptr, "t4N1", 0, Qt::Key_V, "912", {"t4mue3", "t4L1"}, Qt::ControlModifier},
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
            init(); // a fresh tab for every case

            if (c.option) option(QLatin1String(c.option))->setChecked(true);
            fillAll(u"9"_s);
            QLineEdit* target = edit(QLatin1String(c.field));
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
            for (const char* name : kAllFields) {
                if (qstrcmp(name, c.field) == 0) continue;
                const QString expected = c.cleared.contains(QLatin1String(name)) ? QString() : u"9"_s;
                QVERIFY2(edit(QLatin1String(name))->text() == expected, where + " " + name);
            }
            QVERIFY(messages->messages.empty()); // "." is the system's separator: no hint
            cleanup();
        }
    }

    void decimalSeparatorHint() {
        tolvik::text::SetDecimalSeparator(',');
        QTest::keyClick(edit("t4Al1"), '.');
        QCOMPARE(edit("t4Al1")->text(), u"."_s);     // a hint only: the key passes
        QTest::keyClick(edit("tAlFringeFlux"), '.'); // fringe-flux fields take any key
        tolvik::text::SetDecimalSeparator('.');
        QTest::keyClick(edit("t4N1"), ',');
        QCOMPARE(edit("t4N1")->text(), u","_s);
        QCOMPARE(messageTexts(),
                 (QStringList{"Decimal separator is comma ',' ", "Decimal separator is period '.'"}));
        QCOMPARE(messages->messages[0].title, u"Tolvik"_s);
    }

    void initAlTabLoadsTheCoreDimensions() {
        data->rows = {{Value(80.0), Value(50.0), Value(20.0), Value(100.0)},
                      {Value(97.0), Value(57.5), Value(25.0), Value::empty()}};
        find<QCheckBox>("ML")->setChecked(true);
        edit("t9An")->setText(u"old"_s);
        tab->InitAlTab();
        QCOMPARE(data->lastSelection.kerntyp, std::string("E 42/21/15"));
        QVERIFY(!data->lastSelection.lowProfile);
        QVERIFY(data->lastSelection.hole);
        // The last record wins, in plain text.
        QCOMPARE(texts({"t9Ae", "t9le", "t9ln", "t9An"}), (QStringList{"97", "57.5", "25", ""}));

        data->rows.clear(); // no record: the fields stay empty
        tab->InitAlTab();
        QCOMPARE(edit("t9Ae")->text(), QString());

        kern->setCurrentIndex(-1); // no core type: nothing is touched
        edit("t9Ae")->setText(u"12"_s);
        tab->InitAlTab();
        QCOMPARE(edit("t9Ae")->text(), u"12"_s);
    }

    void calculateShowsResultsAndMessages() {
        tab->InitAlTab();
        QCOMPARE(tab->GetSelectedMaterialMui(), 2200.0);
        edit("t4Al1")->setText(u"250"_s);
        option("L_Al_opt")->setChecked(true);
        edit("t4L1")->setText(u"1"_s);
        edit("tAlFringeFlux")->setText(u"30"_s);
        tab->InitAlCalculation();

        // The numbers of each panel are those of the calculation (al_value_test): the tab
        // writes them to its fields, and the fringe-flux warning (s 14.5 > 3.5) turns the notes red.
        QCOMPARE(texts({"t4s1", "tsFringeFlux", "t4N1", "t4Al3"}),
                 (QStringList{".461", "14.5", "100", "100"}));
        QCOMPARE(noteColour("labNoteIn"), kRed);
        QCOMPARE(noteColour("labNoteOut"), kRed);

        QCOMPARE(messageTexts(),
                 QStringList{"The number is either too high or too low. Please enter an other value!"});
        QCOMPARE(messages->messages[0].title, u"Value out of range"_s);

        tab->enterTab();
        QCOMPARE(noteColour("labNoteIn"), kLightGray);
        QCOMPARE(noteColour("labNoteOut"), kLightGray);
    }

    void calculateNeedsCoreTypeAndMaterial() {
        edit("t4Al1")->setText(u"30000.5"_s);
        material->setCurrentIndex(-1);
        tab->InitAlCalculation();
        kern->setCurrentIndex(-1);
        material->setCurrentIndex(0);
        tab->InitAlCalculation();
        QCOMPARE(edit("t4Al1")->text(), u"30000.5"_s);
        QCOMPARE(edit("t4s1")->text(), QString());
        QVERIFY(messages->messages.empty());
    }

    void threeArrowSlots() {
        QVERIFY(tab->arrowSlot(0) && tab->arrowSlot(2) && tab->calculateSlot());
        QVERIFY(!tab->arrowSlot(3) && !tab->arrowSlot(-1));
    }

    void lookupsOnTheDatabase() {
        // µi is read by the material's name; with two rows of one name the last one counts.
        const tolvik::data::test::FixtureDatabase file(
            "CREATE TABLE Material (Name TEXT, mui REAL);"
            "INSERT INTO Material VALUES ('R41', 2100), ('R41', 2200), ('R42', 2000);"
            "CREATE TABLE Kernform (Kerntyp TEXT, LP INTEGER, Loch INTEGER, Ae REAL, le REAL,"
            " ln REAL, An REAL, K1 REAL, K2 REAL);"
            "INSERT INTO Kernform VALUES ('E 42/21/15', 0, 0, 97, 57.5, 25, 113.5, 190, -0.69),"
            " ('E 55/28/21', 0, 0, 52.5, 67, 30, 150, 0, 0);");
        app.database = tolvik::data::Database::open(file.databasePath());
        tab->setDataSource(tolvik::core::MakeDatabaseAlTabData(app));

        QCOMPARE(tab->GetSelectedMaterialMui(), 2200.0);
        tab->InitAlTab();
        QCOMPARE(texts({"t9Ae", "t9le"}), (QStringList{"97", "57.5"}));
        // K-factor fit: s = (250/190)^(1/-0.69) = 0.67184, µe = 117.99
        edit("tAlFringeFlux")->setText(u"250"_s);
        tab->InitAlCalculation();
        QCOMPARE(texts({"tsFringeFlux", "tmueFringeFlux"}), (QStringList{".672", "118"}));
        QVERIFY(messages->messages.empty());

        kern->setCurrentIndex(1); // a core type without K-factors
        tab->InitAlTab();
        tab->InitAlCalculation();
        QCOMPARE(messageTexts(), QStringList{"No k-factors available for this core!"});
        QCOMPARE(noteColour("labNoteIn"), kRed);
        app.database.reset();
    }

    void resetClearsTheResultsOnly() {
        fillAll(u"9"_s);
        option("s_Al_opt1")->setChecked(true);
        tab->ResetTabFields();
        const QStringList cleared{"t4Al1", "t4mue1", "t4L1", "t4mue3", "tsFringeFlux", "tmueFringeFlux"};
        for (const char* name : kAllFields)
            QCOMPARE(edit(QLatin1String(name))->text(),
                     cleared.contains(QLatin1String(name)) ? QString() : u"9"_s);
    }
};

QTEST_MAIN(AlValueTabTest)
#include "al_value_tab_test.moc"

// The Al value tab on a small host window that holds the window's shared controls (Kern,
// Material, LP, ML, t9Ae, t9le, t9ln, t9An) by objectName, with the lookups answered by a
// fake. Expected numbers are hand calculations with µ0 = 1.256E-6 and π = 3.14 for the core
// Ae = 97 mm², le = 57.5 mm, µi(R41) = 2200, K1 = 190, K2 = -0.69.

#include "tolvik/core/al_value_tab.h"
#include "tolvik/data/database.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <sqlite3.h>

#include <cmath>
#include <memory>

using tolvik::Value;
using tolvik::core::AlValueTab;

namespace {

const QColor kLightGray(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0, 0);
const QString kOutOfRangeText =
    QStringLiteral("The number is either too high or too low. Please enter an other value!");
const QString kOutOfRangeTitle = QStringLiteral("Value out of range");

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

} // namespace

class AlValueTabTest : public QObject {
    Q_OBJECT

private:
    tolvik::AppContext app;
    std::unique_ptr<QWidget> host;
    AlValueTab* tab = nullptr;
    FakeData* data = nullptr;
    QComboBox* kern = nullptr;
    QComboBox* material = nullptr;
    tolvik::ui::RecordingMessageService* messages = nullptr;

    template <class T> T* find(const char* name) const {
        T* w = host->findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("missing control %s", name);
        return w;
    }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    /// Row of a field in its panel's grid.
    int rowOf(QWidget* w) const {
        auto* grid = qobject_cast<QGridLayout*>(w->parentWidget()->layout());
        int row = -1, col = -1, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(w), &row, &col, &rs, &cs);
        return row;
    }
    bool isResultField(const QLineEdit* e) const {
        return e->isReadOnly() && e->palette().color(QPalette::Base) == kLightGray;
    }
    bool isInputField(const QLineEdit* e) const {
        return !e->isReadOnly() && e->palette().color(QPalette::Base) != kLightGray;
    }
    QColor noteColour(const char* name) const {
        return find<QLabel>(name)->palette().color(QPalette::Window);
    }

private slots:
    void init() {
        tolvik::text::SetDecimalSeparator('.');
        messages = &tolvik::ui::InstallRecordingMessages();
        host = std::make_unique<QWidget>();
        host->setObjectName(QStringLiteral("CoreForm"));
        auto* layout = new QVBoxLayout(host.get());
        kern = new QComboBox(host.get());
        kern->setObjectName(QStringLiteral("Kern"));
        kern->addItems({QStringLiteral("E 42/21/15"), QStringLiteral("E 55/28/21")});
        kern->setCurrentIndex(0);
        material = new QComboBox(host.get());
        material->setObjectName(QStringLiteral("Material"));
        material->addItems({QStringLiteral("R41"), QStringLiteral("R42")});
        material->setCurrentIndex(0);
        layout->addWidget(kern);
        layout->addWidget(material);
        for (const char* name : {"LP", "ML"}) {
            auto* box = new QCheckBox(host.get());
            box->setObjectName(QString::fromLatin1(name));
            layout->addWidget(box);
        }
        for (const char* name : {"t9Ae", "t9le", "t9ln", "t9An"}) {
            auto* e = new QLineEdit(host.get());
            e->setObjectName(QString::fromLatin1(name));
            layout->addWidget(e);
        }
        tab = new AlValueTab(app, host.get(), host.get());
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

    void initialState() {
        QVERIFY(find<QRadioButton>("Al_s_opt1")->isChecked());
        QVERIFY(find<QRadioButton>("Al_L_opt")->isChecked());
        QVERIFY(find<QRadioButton>("Al_s_ff_opt")->isChecked());
        QVERIFY(!find<QRadioButton>("s_Al_opt1")->isChecked());
        for (const char* in : {"t4Al1", "t4Al3", "tAlFringeFlux", "t4N1"})
            QVERIFY2(isInputField(edit(in)), in);
        for (const char* out : {"t4s1", "t4L1", "tsFringeFlux"})
            QVERIFY2(isResultField(edit(out)), out);
        QCOMPARE(find<QLabel>("labInputAl")->text(), QStringLiteral("Al[nH]"));
        QCOMPARE(find<QLabel>("labResultAl")->text(), QStringLiteral("s[mm]"));
        QCOMPARE(find<QLabel>("labL_Al(1)")->text(), QStringLiteral("Al[nH]"));
        QCOMPARE(find<QLabel>("labL_Al(0)")->text(), QStringLiteral("L[mH]"));
        QCOMPARE(find<QLabel>("labNoteOut")->text(), QStringLiteral("Note:"));
        QCOMPARE(find<QLabel>("labNoteIn")->text(),
                 QStringLiteral("Assosiated K-factors for E-cores in R41, R52, R63 only.\nValid air gaps:\n"
                                "0.1mm < s < 3.5mm"));
        QCOMPARE(noteColour("labNoteIn"), kLightGray);
        for (const char* frame : {"SSFrame2", "SSFrame3", "Frame13"})
            QVERIFY2(host->findChild<QWidget*>(QString::fromLatin1(frame)), frame);
    }

    void optionSwapsFields_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("inputLabel");
        QTest::addColumn<QString>("resultLabel");
        QTest::addColumn<QString>("inputCaption");
        QTest::addColumn<QString>("resultCaption");
        QTest::newRow("s_Al_opt1") << "s_Al_opt1"
                                   << "Al_s_opt1"
                                   << "t4s1"
                                   << "t4Al1"
                                   << "labInputAl"
                                   << "labResultAl"
                                   << "s[mm]"
                                   << "Al[nH]";
        QTest::newRow("L_Al_opt") << "L_Al_opt"
                                  << "Al_L_opt"
                                  << "t4L1"
                                  << "t4Al3"
                                  << "labL_Al(1)"
                                  << "labL_Al(0)"
                                  << "L[mH]"
                                  << "Al[nH]";
        QTest::newRow("s_Al_ff_opt") << "s_Al_ff_opt"
                                     << "Al_s_ff_opt"
                                     << "tsFringeFlux"
                                     << "tAlFringeFlux"
                                     << "labInputAlff"
                                     << "labResultAlff"
                                     << "s[mm]"
                                     << "Al[nH]";
    }
    void optionSwapsFields() {
        QFETCH(QString, option);
        QFETCH(QString, back);
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(QString, inputLabel);
        QFETCH(QString, resultLabel);
        QFETCH(QString, inputCaption);
        QFETCH(QString, resultCaption);
        QLineEdit* in = edit(input.toLatin1().constData());
        QLineEdit* out = edit(result.toLatin1().constData());
        const QPoint inputPlace = out->pos(); // the old input stands where the new one will
        const QPoint resultPlace = in->pos();
        const int inputRow = rowOf(out);
        const int resultRow = rowOf(in);
        QVERIFY(inputPlace != resultPlace);

        find<QRadioButton>(option.toLatin1().constData())->click();
        QVERIFY(find<QRadioButton>(option.toLatin1().constData())->isChecked());
        QApplication::processEvents();
        QVERIFY(isInputField(in));
        QVERIFY(isResultField(out));
        QCOMPARE(rowOf(in), inputRow);
        QCOMPARE(rowOf(out), resultRow);
        QCOMPARE(in->pos(), inputPlace);
        QCOMPARE(out->pos(), resultPlace);
        QCOMPARE(find<QLabel>(inputLabel.toLatin1().constData())->text(), inputCaption);
        QCOMPARE(find<QLabel>(resultLabel.toLatin1().constData())->text(), resultCaption);

        // A click on the option already selected changes nothing.
        find<QRadioButton>(option.toLatin1().constData())->click();
        QApplication::processEvents();
        QCOMPARE(in->pos(), inputPlace);

        find<QRadioButton>(back.toLatin1().constData())->click();
        QApplication::processEvents();
        QVERIFY(isInputField(out));
        QVERIFY(isResultField(in));
        QCOMPARE(out->pos(), inputPlace);
        QCOMPARE(in->pos(), resultPlace);
        QCOMPARE(find<QLabel>(inputLabel.toLatin1().constData())->text(), resultCaption);
    }

    void keyPressClearsDependents_data() {
        QTest::addColumn<QString>("option"); // "" keeps the initial options
        QTest::addColumn<QString>("field");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("typed"); // the field's text after the key ("9" before)
        QTest::addColumn<QStringList>("cleared");
        QTest::newRow("t4Al1 digit") << ""
                                     << "t4Al1" << QChar('5') << "95" << QStringList{"t4mue1", "t4s1"};
        QTest::newRow("t4Al1 letter discarded")
            << ""
            << "t4Al1" << QChar('e') << "9" << QStringList{"t4mue1", "t4s1"};
        QTest::newRow("t4Al1 minus discarded")
            << ""
            << "t4Al1" << QChar('-') << "9" << QStringList{"t4mue1", "t4s1"};
        QTest::newRow("t4s1") << "s_Al_opt1"
                              << "t4s1" << QChar('.') << "9." << QStringList{"t4mue1", "t4Al1"};
        QTest::newRow("t4Al3") << ""
                               << "t4Al3" << QChar('7') << "97" << QStringList{"t4mue3", "t4L1"};
        QTest::newRow("t4L1") << "L_Al_opt"
                              << "t4L1" << QChar('1') << "91" << QStringList{"t4mue3", "t4Al3"};
        QTest::newRow("t4N1 with Al, N") << ""
                                         << "t4N1" << QChar('1') << "91" << QStringList{"t4mue3", "t4L1"};
        QTest::newRow("t4N1 with L, N") << "L_Al_opt"
                                        << "t4N1" << QChar('1') << "91" << QStringList{"t4mue3", "t4Al3"};
        QTest::newRow("tAlFringeFlux takes any key")
            << ""
            << "tAlFringeFlux" << QChar('x') << "9x" << QStringList{"tmueFringeFlux", "tsFringeFlux"};
        QTest::newRow("tsFringeFlux takes any key")
            << "s_Al_ff_opt"
            << "tsFringeFlux" << QChar('-') << "9-" << QStringList{"tmueFringeFlux", "tAlFringeFlux"};
    }
    void keyPressClearsDependents() {
        QFETCH(QString, option);
        QFETCH(QString, field);
        QFETCH(QChar, key);
        QFETCH(QString, typed);
        QFETCH(QStringList, cleared);
        if (!option.isEmpty()) find<QRadioButton>(option.toLatin1().constData())->setChecked(true);
        const QStringList all{"t4Al1", "t4s1",   "t4mue1",        "t4Al3",        "t4L1",
                              "t4N1",  "t4mue3", "tAlFringeFlux", "tsFringeFlux", "tmueFringeFlux"};
        for (const QString& name : all)
            edit(name.toLatin1().constData())->setText(QStringLiteral("9"));
        QLineEdit* target = edit(field.toLatin1().constData());
        target->setFocus();
        QTest::keyClick(target, key.toLatin1());
        QCOMPARE(target->text(), typed);
        for (const QString& name : all) {
            if (name == field) continue;
            const QString expected = cleared.contains(name) ? QString() : QStringLiteral("9");
            QCOMPARE(edit(name.toLatin1().constData())->text(), expected);
        }
        QVERIFY(messages->messages.empty()); // "." is the system's separator: no hint
    }

    void backspaceAndEnterClearToo() {
        edit("t4Al1")->setText(QStringLiteral("25"));
        edit("t4s1")->setText(QStringLiteral("9"));
        QTest::keyClick(edit("t4Al1"), Qt::Key_Backspace);
        QCOMPARE(edit("t4Al1")->text(), QStringLiteral("2"));
        QCOMPARE(edit("t4s1")->text(), QString());
        edit("t4s1")->setText(QStringLiteral("9"));
        QTest::keyClick(edit("t4Al1"), Qt::Key_Return);
        QCOMPARE(edit("t4s1")->text(), QString());
        // Moving the cursor types nothing and keeps the result.
        edit("t4s1")->setText(QStringLiteral("9"));
        QTest::keyClick(edit("t4Al1"), Qt::Key_Left);
        QCOMPARE(edit("t4s1")->text(), QStringLiteral("9"));
    }

    void keysInTheLockedResultKeepTheInput() {
        edit("t4Al1")->setText(QStringLiteral("250"));
        edit("t4s1")->setText(QStringLiteral("1"));
        QTest::keyClick(edit("t4s1"), '5');
        QCOMPARE(edit("t4Al1")->text(), QStringLiteral("250"));
        QCOMPARE(edit("t4s1")->text(), QStringLiteral("1"));
    }

    void decimalSeparatorHint() {
        tolvik::text::SetDecimalSeparator(',');
        QTest::keyClick(edit("t4Al1"), '.');
        QCOMPARE(edit("t4Al1")->text(), QStringLiteral(".")); // a hint only: the key passes
        QTest::keyClick(edit("tAlFringeFlux"), '.');          // fringe-flux fields take any key
        QCOMPARE(int(messages->messages.size()), 1);
        QCOMPARE(messages->messages[0].text, QStringLiteral("Decimal separator is comma ',' "));
        QCOMPARE(messages->messages[0].title, QStringLiteral("Tolvik"));

        tolvik::text::SetDecimalSeparator('.');
        QTest::keyClick(edit("t4N1"), ',');
        QCOMPARE(edit("t4N1")->text(), QStringLiteral(","));
        QCOMPARE(int(messages->messages.size()), 2);
        QCOMPARE(messages->messages[1].text, QStringLiteral("Decimal separator is period '.'"));
    }

    void initAlTabLoadsTheCoreDimensions() {
        data->rows = {{Value(80.0), Value(50.0), Value(20.0), Value(100.0)},
                      {Value(97.0), Value(57.5), Value(25.0), Value::empty()}};
        find<QCheckBox>("ML")->setChecked(true);
        edit("t9An")->setText(QStringLiteral("old"));
        tab->InitAlTab();
        QCOMPARE(data->lastSelection.kerntyp, std::string("E 42/21/15"));
        QVERIFY(!data->lastSelection.lowProfile);
        QVERIFY(data->lastSelection.hole);
        QCOMPARE(edit("t9Ae")->text(), QStringLiteral("97")); // the last record wins, plain text
        QCOMPARE(edit("t9le")->text(), QStringLiteral("57.5"));
        QCOMPARE(edit("t9ln")->text(), QStringLiteral("25"));
        QCOMPARE(edit("t9An")->text(), QString());

        data->rows.clear(); // no record: the fields stay empty
        tab->InitAlTab();
        QCOMPARE(edit("t9Ae")->text(), QString());

        kern->setCurrentIndex(-1); // no core type: nothing is touched
        edit("t9Ae")->setText(QStringLiteral("12"));
        tab->InitAlTab();
        QCOMPARE(edit("t9Ae")->text(), QStringLiteral("12"));
    }

    void calculateShowsResultsAndMessages() {
        tab->InitAlTab();
        QCOMPARE(tab->GetSelectedMaterialMui(), 2200.0);
        edit("t4Al1")->setText(QStringLiteral("250"));
        find<QRadioButton>("L_Al_opt")->setChecked(true);
        edit("t4L1")->setText(QStringLiteral("1"));
        edit("tAlFringeFlux")->setText(QStringLiteral("30"));
        tab->InitAlCalculation();

        // Panel 1: µe = (0.0575·2.5E-7)/(1.256E-6·9.7E-5) = 117.99; s = 57.5·2082.01/(2199·117.99)
        QCOMPARE(edit("t4s1")->text(), QStringLiteral(".461"));
        QCOMPARE(edit("t4mue1")->text(), QStringLiteral("118"));
        // Panel 3: s = (30/190)^(1/-0.69) = 14.514 > 3.5, shown again after the warning.
        QCOMPARE(edit("tsFringeFlux")->text(), QStringLiteral("14.5"));
        QCOMPARE(edit("tmueFringeFlux")->text(), QStringLiteral("14"));
        QCOMPARE(noteColour("labNoteIn"), kRed);
        QCOMPARE(noteColour("labNoteOut"), kRed);
        // Panel 2: N empty → 100; Al = 1/100²·1E6 = 100; µe = 10·100·57.5/(12.56·97) = 47.2
        QCOMPARE(edit("t4N1")->text(), QStringLiteral("100"));
        QCOMPARE(edit("t4Al3")->text(), QStringLiteral("100"));
        QCOMPARE(edit("t4mue3")->text(), QStringLiteral("47"));

        QCOMPARE(int(messages->messages.size()), 1);
        QCOMPARE(messages->messages[0].text, kOutOfRangeText);
        QCOMPARE(messages->messages[0].title, kOutOfRangeTitle);

        tab->enterTab();
        QCOMPARE(noteColour("labNoteIn"), kLightGray);
        QCOMPARE(noteColour("labNoteOut"), kLightGray);
    }

    void materialRefusedForFringeFlux() {
        tab->InitAlTab();
        material->setCurrentIndex(1); // R42
        QCOMPARE(tab->GetSelectedMaterialMui(), 2000.0);
        edit("tAlFringeFlux")->setText(QStringLiteral("250"));
        edit("t4Al3")->setText(QStringLiteral("250"));
        tab->InitAlCalculation();
        QCOMPARE(int(messages->messages.size()), 1);
        QCOMPARE(messages->messages[0].text,
                 QStringLiteral("k-factor calculation only valid for R41, R52 or R63!"));
        QCOMPARE(messages->messages[0].title, QStringLiteral("Tolvik"));
        QCOMPARE(noteColour("labNoteIn"), kRed);
        QCOMPARE(edit("tsFringeFlux")->text(), QString());
        QCOMPARE(edit("t4L1")->text(), QStringLiteral("2.5")); // panel 2 still calculated
    }

    void calculateNeedsCoreTypeAndMaterial() {
        edit("t4Al1")->setText(QStringLiteral("30000.5"));
        material->setCurrentIndex(-1);
        tab->InitAlCalculation();
        kern->setCurrentIndex(-1);
        material->setCurrentIndex(0);
        tab->InitAlCalculation();
        QCOMPARE(edit("t4Al1")->text(), QStringLiteral("30000.5"));
        QCOMPARE(edit("t4s1")->text(), QString());
        QVERIFY(messages->messages.empty());
        QCOMPARE(tab->GetSelectedMaterialMui(), 2200.0);
    }

    void arrowSlotsStandBetweenInputAndResult() {
        const struct {
            int arrow;
            const char* frame;
            const char* input;
            const char* result;
        } panels[] = {{0, "SSFrame3", "t4Al3", "t4L1"},
                      {1, "Frame13", "tAlFringeFlux", "tsFringeFlux"},
                      {2, "SSFrame2", "t4Al1", "t4s1"}};
        for (const auto& p : panels) {
            QBoxLayout* slot = tab->arrowSlot(p.arrow);
            QVERIFY(slot);
            QWidget* holder = slot->parentWidget();
            QCOMPARE(holder->parentWidget()->objectName(), QString::fromLatin1(p.frame));
            QCOMPARE(rowOf(holder), rowOf(edit(p.input)));
            QVERIFY(edit(p.input)->geometry().right() < holder->geometry().left());
            QVERIFY(holder->geometry().right() < edit(p.result)->geometry().left());
        }
        QVERIFY(!tab->arrowSlot(3));
        QVERIFY(!tab->arrowSlot(-1));
        QVERIFY(tab->calculateSlot());
    }

    void lookupsOnTheDatabase() {
        // µi is read by the material's name; with two rows of one name the last one counts.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("db1.mdb"));
        sqlite3* raw = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        const char* script =
            "CREATE TABLE Material (Name TEXT, mui REAL);"
            "INSERT INTO Material VALUES ('R41', 2100);"
            "INSERT INTO Material VALUES ('R41', 2200);"
            "INSERT INTO Material VALUES ('R42', 2000);"
            "CREATE TABLE Kernform (Kerntyp TEXT, LP INTEGER, Loch INTEGER, Ae REAL, le REAL,"
            " ln REAL, An REAL, K1 REAL, K2 REAL);"
            "INSERT INTO Kernform VALUES ('E 42/21/15', 0, 0, 97, 57.5, 25, 113.5, 190, -0.69);"
            "INSERT INTO Kernform VALUES ('E 55/28/21', 0, 0, 52.5, 67, 30, 150, 0, 0);";
        QCOMPARE(sqlite3_exec(raw, script, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
        app.database = tolvik::data::Database::open(path.toStdString());
        tab->setDataSource(tolvik::core::MakeDatabaseAlTabData(app));

        QCOMPARE(tab->GetSelectedMaterialMui(), 2200.0);
        tab->InitAlTab();
        QCOMPARE(edit("t9Ae")->text(), QStringLiteral("97"));
        QCOMPARE(edit("t9le")->text(), QStringLiteral("57.5"));
        // s = (250/190)^(1/-0.69) = 0.67184, µe = (0.0575·2.5E-7)/(1.256E-6·9.7E-5) = 117.99;
        // panel 1 with µi = 2200: s = 57.5·2082.01/(2199·117.99) = 0.4614
        edit("tAlFringeFlux")->setText(QStringLiteral("250"));
        edit("t4Al1")->setText(QStringLiteral("250"));
        tab->InitAlCalculation();
        QCOMPARE(edit("tsFringeFlux")->text(), QStringLiteral(".672"));
        QCOMPARE(edit("tmueFringeFlux")->text(), QStringLiteral("118"));
        QCOMPARE(edit("t4s1")->text(), QStringLiteral(".461"));
        QVERIFY(messages->messages.empty());

        kern->setCurrentIndex(1); // a core type without K-factors
        tab->InitAlTab();
        tab->InitAlCalculation();
        QCOMPARE(int(messages->messages.size()), 1);
        QCOMPARE(messages->messages[0].text, QStringLiteral("No k-factors available for this core!"));
        QCOMPARE(noteColour("labNoteIn"), kRed);
        app.database.reset();
    }

    void resetClearsTheResultsOnly() {
        const QStringList all{"t4Al1", "t4s1",   "t4mue1",        "t4Al3",        "t4L1",
                              "t4N1",  "t4mue3", "tAlFringeFlux", "tsFringeFlux", "tmueFringeFlux"};
        for (const QString& name : all)
            edit(name.toLatin1().constData())->setText(QStringLiteral("9"));
        find<QRadioButton>("s_Al_opt1")->setChecked(true);
        tab->ResetTabFields();
        const QStringList cleared{"t4Al1", "t4mue1", "t4L1", "t4mue3", "tsFringeFlux", "tmueFringeFlux"};
        for (const QString& name : all)
            QCOMPARE(edit(name.toLatin1().constData())->text(),
                     cleared.contains(name) ? QString() : QStringLiteral("9"));
    }
};

QTEST_MAIN(AlValueTabTest)
#include "al_value_tab_test.moc"

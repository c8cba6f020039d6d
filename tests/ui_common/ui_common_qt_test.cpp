// Selection lists, graph helpers and the launcher service.

#include "sqlite_fixture.h"

#include "tolvik/chart/graph.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tolvik;

namespace {

QStringList Entries(const QComboBox& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.itemText(i);
    return out;
}

/// Stands for a window's list click handler: a "noaction" tag is cleared and nothing
/// else happens; otherwise the user's choice is acted on. Records the tag at each selection.
struct ClickHandler {
    int actions = 0;
    int ignored = 0;
    QString tagSeen;
    explicit ClickHandler(QComboBox& list) {
        QObject::connect(&list, &QComboBox::currentIndexChanged, &list, [this, &list](int index) {
            if (index < 0) return;
            tagSeen = ui::Tag(&list);
            if (tagSeen == ui::kNoAction) {
                ui::SetTag(&list, QString());
                ++ignored;
            } else {
                ++actions;
            }
        });
    }
};

} // namespace

class UiCommonQtTest : public QObject {
    Q_OBJECT

private slots:
    void init() { recorder_ = &ui::InstallRecordingMessages(); }
    void cleanup() { ui::SetMessageService(nullptr); }

    void initTestCase() {
        QVERIFY(dir_.isValid());
        tolvik::testing::WriteStandardFixture(dir_.filePath(QStringLiteral("db1.mdb")));
        db_ = data::Database::open(dir_.filePath(QStringLiteral("db1.mdb")).toStdString());
    }

    // --- lists ---

    void fillRoutinesUseTheirFlagAndTable() {
        using Fill = void (*)(data::Database&, QComboBox*);
        const std::pair<Fill, QStringList> cases[] = {
            {ui::FillMaterialList, {"Q27", "R41", "Q87", "Q12"}}, // Q10 without a flag value
            {ui::FillPowerMaterialList, {"Q27", "Q87"}},
            {ui::FillMuaMaterialList, {"R41", "Q38", "Q87"}},
            {ui::FillCoreList, {"E 20/10/6", "RM 8", "RM 8"}},
            {ui::FillRthCoreList, {"E 20/10/6", "P 14x8"}},
        };
        QComboBox list;
        for (const auto& [fill, entries] : cases) {
            fill(*db_, &list);
            QCOMPARE(Entries(list), entries);
        }
        // Back to entries the list showed before: the same, without reading the table again.
        const long reads = db_->readCount("Material");
        ui::FillMaterialList(*db_, &list);
        QCOMPARE(Entries(list), QStringList({"Q27", "R41", "Q87", "Q12"}));
        QCOMPARE(db_->readCount("Material"), reads);
        // The first entry of an exact name.
        ui::FillCoreList(*db_, &list);
        QCOMPARE(ui::FindListIndex(QStringLiteral("RM 8"), &list), 1);
        QCOMPARE(ui::FindListIndex(QStringLiteral("rm 8"), &list), -1);
        QCOMPARE(ui::FindListIndex(QString(), &list), -1);
        QCOMPARE(ui::FindListIndex(QStringLiteral("RM 8"), nullptr), -1);
    }

    void refillKeepsShownEntryWithoutClickAction() {
        for (bool editable : {false, true}) {
            QComboBox list;
            list.setEditable(editable);
            ui::FillMaterialList(*db_, &list);
            list.setCurrentIndex(1); // the user chose R41
            ClickHandler handler(list);
            ui::FillMuaMaterialList(*db_, &list);
            QCOMPARE(list.currentIndex(), 0);
            QCOMPARE(list.currentText(), QStringLiteral("R41"));
            QCOMPARE(handler.tagSeen, ui::kNoAction); // set before selecting
            QCOMPARE(handler.actions, 0);
            QCOMPARE(handler.ignored, 1);
        }
    }

    void noSelectionWithoutAMatchingEntry() {
        for (bool refill : {false, true}) {
            QComboBox list;
            list.setEditable(true);
            if (refill) {
                ui::FillMuaMaterialList(*db_, &list);
                list.setCurrentIndex(1); // Q38, not a current material
            }
            ClickHandler handler(list);
            ui::FillMaterialList(*db_, &list);
            QCOMPARE(list.currentIndex(), -1);
            QCOMPARE(handler.actions + handler.ignored, 0);
            QVERIFY(ui::Tag(&list) != ui::kNoAction);
        }
    }

    void checkListEntrySelectsTypedEntryInUpperCase() {
        QComboBox list;
        list.setEditable(true);
        ui::FillMaterialList(*db_, &list);
        ClickHandler handler(list);
        QSignalSpy activated(&list, &QComboBox::activated);
        const auto check = [&list](const QString& typed) {
            list.setEditText(typed);
            ui::CheckListEntry(&list, QStringLiteral("material"));
        };
        check(QStringLiteral("r41"));
        QCOMPARE(list.currentIndex(), 1);
        QCOMPARE(list.currentText(), QStringLiteral("R41"));
        QCOMPARE(handler.actions, 1);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toInt(), 1);
        QVERIFY(recorder_->messages.empty());

        check(QStringLiteral("rm 8")); // typed over a selection: left alone
        QCOMPARE(list.currentIndex(), 1);
        QVERIFY(recorder_->messages.empty());

        list.setCurrentIndex(-1);
        check(QString()); // empty text: no message
        QVERIFY(recorder_->messages.empty());
        check(QStringLiteral("xyz"));
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].text, QStringLiteral("No valid selection for material!"));
        QCOMPARE(list.currentText(), QStringLiteral("XYZ"));
        QCOMPARE(list.currentIndex(), -1);
        QComboBox own; // a name of the user's own data file, in small letters
        own.setEditable(true);
        own.addItems({QStringLiteral("R41"), QStringLiteral("Lab N1")});
        own.setCurrentIndex(-1);
        own.setEditText(QStringLiteral("lab n1"));
        QVERIFY(ui::CheckListEntry(&own, QStringLiteral("material")));
        QCOMPARE(own.currentText(), QStringLiteral("Lab N1"));
    }

    // --- graph helpers ---

    void resetGraphEmptiesChartAndReadingLog() {
        chart::Graph graph(2);
        for (chart::Graph* target : {&graph, static_cast<chart::Graph*>(nullptr)}) {
            AppContext app;
            for (int i = 0; i < 40; ++i) // enough readings to fill the overflow too
                app.log.append("1", "2", i == 0);
            QVERIFY(!app.log.readingLogOverflow.empty());
            auto& m = graph.model();
            m.setNumSets(3);
            m.setXValue(1.0);
            m.setYValue(2.0);
            m.setDrawMode(2);
            ui::ResetGraph(target, app);
            QVERIFY(app.log.readingLog.empty());
            QVERIFY(app.log.readingLogOverflow.empty());
            QCOMPARE(app.log.readingLogLines, std::int16_t(0));
            if (!target) break;
            QCOMPARE(m.numSets(), 1);
            QCOMPARE(m.numPoints(), 2);
            QCOMPARE(m.drawMode(), 3);
            QVERIFY(m.writtenPoints(1).empty());
        }
    }

    void showArrowOrangeEndsGray() {
        const QDir shipped(QStringLiteral(TOLVIK_ARROW_SOURCE_DIR)); // the program folder's bmp/
        AppContext app;
        app.appFolder = QFileInfo(shipped.path()).path().toStdString();
        const auto picture = [&shipped](const char* file) {
            return QImage(shipped.filePath(QLatin1String(file))).convertToFormat(QImage::Format_RGB32);
        };

        QWidget window;
        auto* arrow = new QLabel(&window);
        arrow->hide();
        QString colour = QStringLiteral("Orange");
        ui::ShowArrow(app, QStringLiteral("horizontal"), arrow, colour, 1500, 3000);
        QCOMPARE(colour, QStringLiteral("gray"));
        QVERIFY(arrow->isVisibleTo(&window));
        QCOMPARE(arrow->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 picture("arrow_gray_horz.bmp"));
        QCOMPARE(arrow->pos(), QPoint(100, 200));
        ui::ShowArrow(app, QStringLiteral("vertikal"), arrow, colour, 0, 150);
        QCOMPARE(arrow->pixmap().toImage().convertToFormat(QImage::Format_RGB32), picture("arrow_gray.bmp"));

        // A missing picture file is no fault: the label is emptied and shown.
        app.appFolder = dir_.path().toStdString();
        arrow->hide();
        colour = QStringLiteral("Orange");
        ui::ShowArrow(app, QStringLiteral("horizontal"), arrow, colour, 30, 45);
        QCOMPARE(colour, QStringLiteral("gray"));
        QVERIFY(arrow->pixmap().isNull());
        QVERIFY(arrow->isVisibleTo(&window));
    }

    void shippedArrowPicturesLoadAndLeftOnesAreMirrored() {
        const QDir dir(QStringLiteral(TOLVIK_ARROW_SOURCE_DIR));
        const auto load = [&](const char* pattern, const char* colour) {
            return QImage(dir.filePath(QString::fromLatin1(pattern).arg(QLatin1String(colour))))
                .convertToFormat(QImage::Format_RGB32);
        };
        for (const char* colour : {"gray", "Orange"}) {
            const QImage up = load("arrow_%1.bmp", colour), right = load("arrow_%1_horz.bmp", colour),
                         left = load("arrow_%1_horz_left.bmp", colour);
            QVERIFY2(!up.isNull() && !right.isNull() && !left.isNull(), colour);
            QVERIFY2(left != right, colour); // a real turn, not a copy
            QCOMPARE(left, right.mirrored(true, false));
        }
    }

    void placeCalculateButtonShowsIt() {
        QWidget bare;
        auto* loose = new QPushButton(QStringLiteral("Calculate"), new QWidget(&bare));
        loose->hide();
        ui::PlaceCalculateButton(loose, 8760, 6600, 2895);
        QVERIFY(loose->isVisibleTo(&bare));
        ui::PlaceCalculateButton(nullptr, 1, 2, 3); // no button: nothing happens
    }

    void valueOutOfRangeMessage() {
        ui::ShowValueOutOfRange();
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].text,
                 QStringLiteral("The number is either too high or too low. Please enter an other value!"));
        QCOMPARE(recorder_->messages[0].title, QStringLiteral("Value out of range"));
    }

    void realLauncherReportsProgramThatCannotStart() {
        QVERIFY(!ui::Launcher().start(dir_.filePath(QStringLiteral("no-such-program")), {}));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<data::Database> db_;
    ui::RecordingMessageService* recorder_ = nullptr;
};

QTEST_MAIN(UiCommonQtTest)
#include "ui_common_qt_test.moc"

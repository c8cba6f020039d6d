// Selection lists, graph helpers and the service registry.

#include "sqlite_fixture.h"

#include "tolvik/chart/graph.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
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
/// else happens; otherwise the user's choice is acted on.
struct ClickHandler {
    int actions = 0;
    int ignored = 0;
    void attach(QComboBox& list) {
        QObject::connect(&list, &QComboBox::currentIndexChanged, &list, [this, &list](int index) {
            if (index < 0) return;
            if (ui::Tag(&list) == ui::kNoAction) {
                ui::SetTag(&list, QString());
                ++ignored;
            } else {
                ++actions;
            }
        });
    }
};

void WriteImage(const QString& path, int w, int h, QColor colour) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QVERIFY(img.save(path, "BMP"));
}

} // namespace

class UiCommonQtTest : public QObject {
    Q_OBJECT

private slots:
    void init() { recorder_ = &ui::InstallRecordingMessages(); }
    void cleanup() { ui::SetMessageService(nullptr); }

    void initTestCase() {
        QVERIFY(dir_.isValid());
        dbPath_ = dir_.filePath(QStringLiteral("db1.mdb"));
        testing::WriteStandardFixture(dbPath_);
        db_ = data::Database::open(dbPath_.toStdString());
    }

    // --- lists ---

    void fillRoutinesUseTheirFlagAndTable() {
        QComboBox list;
        ui::FillMaterialList(*db_, &list);
        QCOMPARE(Entries(list), QStringList({"Q27", "R41", "Q87"}));
        ui::FillPowerMaterialList(*db_, &list);
        QCOMPARE(Entries(list), QStringList({"Q27", "Q87"}));
        ui::FillMuaMaterialList(*db_, &list);
        QCOMPARE(Entries(list), QStringList({"R41", "Q38", "Q87"}));
        ui::FillCoreList(*db_, &list);
        QCOMPARE(Entries(list), QStringList({"E 20/10/6", "RM 8", "RM 8"}));
        ui::FillRthCoreList(*db_, &list);
        QCOMPARE(Entries(list), QStringList({"E 20/10/6", "P 14x8"}));
    }

    void fillingAnEmptyListSelectsNothing() {
        for (bool editable : {false, true}) {
            QComboBox list;
            list.setEditable(editable);
            ClickHandler handler;
            handler.attach(list);
            ui::FillMaterialList(*db_, &list);
            QCOMPARE(list.currentIndex(), -1);
            QCOMPARE(handler.actions, 0);
            QVERIFY(ui::Tag(&list) != ui::kNoAction);
        }
    }

    void refillKeepsShownEntryWithoutClickAction() {
        QComboBox list;
        list.setEditable(true);
        ui::FillMaterialList(*db_, &list);
        list.setCurrentIndex(1); // the user chose R41
        QCOMPARE(list.currentText(), QStringLiteral("R41"));

        ClickHandler handler;
        handler.attach(list);
        ui::FillMuaMaterialList(*db_, &list);
        QCOMPARE(Entries(list), QStringList({"R41", "Q38", "Q87"}));
        QCOMPARE(list.currentIndex(), 0);
        QCOMPARE(list.currentText(), QStringLiteral("R41"));
        QCOMPARE(handler.actions, 0);
        QCOMPARE(handler.ignored, 1);
    }

    void refillSetsNoActionTagBeforeSelecting() {
        QComboBox list;
        ui::FillMaterialList(*db_, &list);
        list.setCurrentIndex(2); // Q87
        QString tagSeen;
        connect(&list, &QComboBox::currentIndexChanged, &list, [&](int i) {
            if (i >= 0) tagSeen = ui::Tag(&list);
        });
        ui::FillPowerMaterialList(*db_, &list);
        QCOMPARE(list.currentText(), QStringLiteral("Q87"));
        QCOMPARE(tagSeen, ui::kNoAction);
        // No handler cleared it here, so the tag is still set.
        QCOMPARE(ui::Tag(&list), ui::kNoAction);
    }

    void refillWithoutShownEntryLeavesNoSelection() {
        QComboBox list;
        list.setEditable(true);
        ui::FillMuaMaterialList(*db_, &list);
        list.setCurrentIndex(1); // Q38, not a current material
        ClickHandler handler;
        handler.attach(list);
        ui::FillMaterialList(*db_, &list);
        QCOMPARE(list.currentIndex(), -1);
        QCOMPARE(handler.actions + handler.ignored, 0);
        QVERIFY(ui::Tag(&list) != ui::kNoAction);
    }

    void emptyFlagCountsAsFalse() {
        // A flag without a value (NULL) adds no entry; true is stored as -1, and any other
        // non-zero number counts as true too.
        const QString path = dir_.filePath(QStringLiteral("flags.mdb"));
        {
            const testing::MaterialRow none[] = {{"unused", 0, 0, 0}};
            const testing::CoreRow cores[] = {{"unused", 0, 0, 0, 0}};
            testing::WriteFixture(path, none, cores);
            sqlite3* raw = nullptr;
            QCOMPARE(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
            testing::Exec(raw, "DELETE FROM Material");
            testing::Exec(raw, "INSERT INTO Material VALUES ('Q10', NULL, 0, 0)");
            testing::Exec(raw, "INSERT INTO Material VALUES ('Q11', -1, 0, 0)");
            testing::Exec(raw, "INSERT INTO Material VALUES ('Q12', 1, 0, 0)");
            testing::Exec(raw, "INSERT INTO Material VALUES ('Q13', 0, 0, 0)");
            sqlite3_close(raw);
        }
        auto db = data::Database::open(path.toStdString());
        QComboBox list;
        list.setEditable(true);
        list.setEditText(QStringLiteral("Q10"));
        ui::FillMaterialList(*db, &list);
        QCOMPARE(Entries(list), QStringList({"Q11", "Q12"}));
        QCOMPARE(list.currentIndex(), -1);
    }

    void findListIndexIsExactAndFirst() {
        QComboBox list;
        ui::FillCoreList(*db_, &list);
        QCOMPARE(ui::FindListIndex(QStringLiteral("RM 8"), &list), 1);
        QCOMPARE(ui::FindListIndex(QStringLiteral("rm 8"), &list), -1);
        QCOMPARE(ui::FindListIndex(QStringLiteral("E 20/10/6"), &list), 0);
        QCOMPARE(ui::FindListIndex(QString(), &list), -1);
        QCOMPARE(ui::FindListIndex(QStringLiteral("RM 8"), nullptr), -1);
    }

    void tagIsADynamicProperty() {
        QComboBox list;
        QCOMPARE(ui::Tag(&list), QString());
        ui::SetTag(&list, QStringLiteral("abc"));
        QCOMPARE(list.property("tag").toString(), QStringLiteral("abc"));
        QCOMPARE(ui::Tag(nullptr), QString());
    }

    void checkListEntrySelectsTypedEntryInUpperCase() {
        QComboBox list;
        list.setEditable(true);
        ui::FillMaterialList(*db_, &list);
        ClickHandler handler;
        handler.attach(list);
        QSignalSpy activated(&list, &QComboBox::activated);
        list.setEditText(QStringLiteral("r41"));
        QCOMPARE(list.currentIndex(), -1);

        ui::CheckListEntry(&list, QStringLiteral("material"));
        QCOMPARE(list.currentIndex(), 1);
        QCOMPARE(list.currentText(), QStringLiteral("R41"));
        QCOMPARE(handler.actions, 1);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toInt(), 1);
        QVERIFY(recorder_->messages.empty());
    }

    void checkListEntryReportsUnknownEntry() {
        QComboBox list;
        list.setEditable(true);
        ui::FillMaterialList(*db_, &list);
        list.setEditText(QStringLiteral("xyz"));
        ui::CheckListEntry(&list, QStringLiteral("material"));
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].text, QStringLiteral("No valid selection for material!"));
        QCOMPARE(recorder_->messages[0].title, QStringLiteral("Tolvik"));
        QCOMPARE(list.currentText(), QStringLiteral("XYZ"));
        QCOMPARE(list.currentIndex(), -1);
    }

    void checkListEntryLeavesSelectionAndEmptyTextAlone() {
        QComboBox list;
        list.setEditable(true);
        ui::FillCoreList(*db_, &list);
        ui::CheckListEntry(&list, QStringLiteral("core")); // empty text
        list.setCurrentIndex(0);
        list.setEditText(QStringLiteral("rm 8")); // typed over a selection
        const int before = list.currentIndex();
        ui::CheckListEntry(&list, QStringLiteral("core"));
        QCOMPARE(list.currentIndex(), before);
        QVERIFY(recorder_->messages.empty());
    }

    // --- graph helpers ---

    void resetGraphEmptiesChartAndReadingLog() {
        AppContext app;
        app.log.append("1", "2", true);
        app.log.append("3", "4", false);
        QVERIFY(app.log.readingLogLines != 0 || !app.log.readingLog.empty());
        app.log.readingLogOverflow = "x";

        chart::Graph graph(2);
        auto& m = graph.model();
        m.setNumSets(3);
        m.setNumPoints(10);
        m.setThisSet(2);
        m.setThisPoint(5);
        m.setXValue(1.0);
        m.setYValue(2.0);
        m.setDrawMode(2);

        ui::ResetGraph(&graph, app);
        QCOMPARE(m.numSets(), 1);
        QCOMPARE(m.numPoints(), 2);
        QCOMPARE(m.drawMode(), 3);
        QVERIFY(m.writtenPoints(1).empty());
        QVERIFY(app.log.readingLog.empty());
        QVERIFY(app.log.readingLogOverflow.empty());
        QCOMPARE(app.log.readingLogLines, std::int16_t(0));
    }

    void resetGraphWithoutChartStillClearsLog() {
        AppContext app;
        app.log.append("1", "2", true);
        app.log.readingLogOverflow = "y";
        ui::ResetGraph(nullptr, app);
        QVERIFY(app.log.readingLog.empty());
        QVERIFY(app.log.readingLogOverflow.empty());
        QCOMPARE(app.log.readingLogLines, std::int16_t(0));
    }

    void showArrowOrangeEndsGray() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("bmp")));
        WriteImage(folder.filePath(QStringLiteral("bmp/arrow_gray_horz.bmp")), 32, 24, Qt::gray);
        WriteImage(folder.filePath(QStringLiteral("bmp/arrow_Orange_horz.bmp")), 20, 10, QColor(255, 140, 0));
        WriteImage(folder.filePath(QStringLiteral("bmp/arrow_gray.bmp")), 24, 32, Qt::gray);
        AppContext app;
        app.appFolder = folder.path().toStdString();

        for (double pause : {0.0, 9000000.0, 2.5E12}) {
            QWidget window;
            auto* picture = new QLabel(&window);
            picture->hide();
            QString colour = QStringLiteral("Orange");
            ui::ShowArrow(app, QStringLiteral("horizontal"), picture, colour, 1500, 3000, pause);
            QCOMPARE(colour, QStringLiteral("gray"));
            QVERIFY(picture->isVisibleTo(&window));
            QCOMPARE(picture->pixmap().size(), QSize(32, 24));
            QCOMPARE(picture->pixmap().toImage().pixelColor(5, 5), QColor(Qt::gray));
            QCOMPARE(picture->pos(), QPoint(100, 200));
        }

        QLabel vertical;
        QString gray = QStringLiteral("gray");
        ui::ShowArrow(app, QStringLiteral("vertikal"), &vertical, gray, 0, 150, 0);
        QCOMPARE(gray, QStringLiteral("gray"));
        QCOMPARE(vertical.pixmap().size(), QSize(24, 32));
    }

    void showArrowWithTopZeroKeepsPosition() {
        AppContext app;
        QWidget window;
        auto* picture = new QLabel(&window);
        picture->move(7, 9);
        QString colour = QStringLiteral("gray");
        ui::ShowArrow(app, QStringLiteral("horizontal"), picture, colour, 3000, 0, 0);
        QCOMPARE(picture->pos(), QPoint(7, 9));
    }

    void showArrowWithMissingFileGoesOn() {
        QTemporaryDir emptyFolder;
        AppContext app;
        app.appFolder = emptyFolder.path().toStdString();
        QWidget window;
        auto* picture = new QLabel(&window);
        picture->setPixmap(QPixmap(5, 5));
        picture->hide();
        QString colour = QStringLiteral("Orange");
        ui::ShowArrow(app, QStringLiteral("horizontal"), picture, colour, 30, 45, 2.5E12);
        QCOMPARE(colour, QStringLiteral("gray"));
        QVERIFY(picture->pixmap().isNull());
        QVERIFY(picture->isVisibleTo(&window));
    }

    void shippedArrowPicturesLoad() {
        const QDir dir(QStringLiteral(TOLVIK_ARROW_SOURCE_DIR));
        for (const char* name :
             {"arrow_gray.bmp", "arrow_Orange.bmp", "arrow_gray_horz.bmp", "arrow_Orange_horz.bmp",
              "arrow_gray_horz_left.bmp", "arrow_Orange_horz_left.bmp"}) {
            QImage img(dir.filePath(QLatin1String(name)));
            QVERIFY2(!img.isNull(), name);
            QVERIFY(img.width() <= 64 && img.height() <= 64);
        }
    }

    void leftArrowsMirrorTheHorizontalOnes() {
        const QDir dir(QStringLiteral(TOLVIK_ARROW_SOURCE_DIR));
        for (const char* colour : {"gray", "Orange"}) {
            const QImage right(dir.filePath(QStringLiteral("arrow_%1_horz.bmp").arg(QLatin1String(colour))));
            const QImage left(
                dir.filePath(QStringLiteral("arrow_%1_horz_left.bmp").arg(QLatin1String(colour))));
            QVERIFY2(!right.isNull() && !left.isNull(), colour);
            QCOMPARE(left.size(), right.size());
            QVERIFY2(left != right, colour); // a real turn, not a copy
            QCOMPARE(left.convertToFormat(QImage::Format_RGB32),
                     right.mirrored(true, false).convertToFormat(QImage::Format_RGB32));
        }
    }

    void placeCalculateButtonInLayout() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* button = new QPushButton(QStringLiteral("Calculate"));
        button->setObjectName(QStringLiteral("cmdCalculate"));
        layout->addWidget(button);
        button->hide();
        ui::PlaceCalculateButton(&window, 5040, 6120, 3855);
        QVERIFY(button->isVisibleTo(&window));
        QCOMPARE(button->property("twipsLeft").toInt(), 5040);
        QCOMPARE(button->property("twipsTop").toInt(), 6120);
        QCOMPARE(button->property("twipsWidth").toInt(), 3855);
        QCOMPARE(button->minimumWidth(), 257);
    }

    void placeCalculateButtonWithoutLayoutMovesIt() {
        QWidget window;
        auto* frame = new QWidget(&window);
        auto* button = new QPushButton(QStringLiteral("Calculate"), frame);
        button->setObjectName(QStringLiteral("cmdCalculate"));
        button->hide();
        ui::PlaceCalculateButton(&window, 8760, 6600, 2895);
        QVERIFY(button->isVisibleTo(&window));
        QCOMPARE(button->pos(), QPoint(584, 440));
        QCOMPARE(button->width(), 193);
        ui::PlaceCalculateButton(nullptr, 1, 2, 3); // no window: nothing happens
    }

    void valueOutOfRangeMessage() {
        ui::ShowValueOutOfRange();
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].text,
                 QStringLiteral("The number is either too high or too low. Please enter an other value!"));
        QCOMPARE(recorder_->messages[0].title, QStringLiteral("Value out of range"));
    }

    // --- services ---

    void showMessageGoesThroughInstalledService() {
        ui::ShowMessage(QStringLiteral("hello"));
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].title, ui::kTitle);
        QCOMPARE(&ui::Messages(), static_cast<ui::MessageService*>(recorder_));
    }

    void clipboardAndLauncherServicesCanBeReplaced() {
        struct FakeClipboard : ui::ClipboardService {
            QString t;
            void clear() override { t.clear(); }
            void setText(const QString& s) override { t = s; }
            QString text() const override { return t; }
        };
        auto fake = std::make_unique<FakeClipboard>();
        FakeClipboard* raw = fake.get();
        ui::SetClipboardService(std::move(fake));
        ui::Clipboard().setText(QStringLiteral("abc"));
        QCOMPARE(raw->t, QStringLiteral("abc"));
        ui::SetClipboardService(nullptr);

        struct FakeLauncher : ui::LauncherService {
            QStringList started;
            bool start(const QString& p, const QStringList&) override {
                started << p;
                return true;
            }
        };
        auto launcher = std::make_unique<FakeLauncher>();
        FakeLauncher* rawLauncher = launcher.get();
        ui::SetLauncherService(std::move(launcher));
        QVERIFY(ui::Launcher().start(QStringLiteral("viewer"), {}));
        QCOMPARE(rawLauncher->started, QStringList({"viewer"}));
        ui::SetLauncherService(nullptr);
    }

    void realLauncherReportsProgramThatCannotStart() {
        QTemporaryDir empty;
        QVERIFY(!ui::Launcher().start(empty.filePath(QStringLiteral("no-such-program")), {}));
    }

private:
    QTemporaryDir dir_;
    QString dbPath_;
    std::unique_ptr<data::Database> db_;
    ui::RecordingMessageService* recorder_ = nullptr;
};

QTEST_MAIN(UiCommonQtTest)
#include "ui_common_qt_test.moc"

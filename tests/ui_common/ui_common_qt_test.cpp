// Selection lists, graph helpers and the launcher service.

#include "../data/fixture_db.h"
#include "test_support.h"
#include "tolvik/chart/graph.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/page_widgets.h"
#include "tolvik/ui_common/program_style.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/text_label.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace tolvik;

namespace {

/// A material database with the fields the lists read (flags are -1 for true, as in the data file).
void WriteFixture(const QString& path, const std::string& rows) {
    data::test::WriteDatabase(
        path.toStdString(),
        "CREATE TABLE Material (Name TEXT, Aktuell INTEGER, Leistung INTEGER, mua INTEGER);"
        "CREATE TABLE Kernform (Kerntyp TEXT, Anzeige INTEGER, RthAnzeige INTEGER, "
        "LP INTEGER, Loch INTEGER);" +
            rows);
}

/// Stands for a window's list click handler: a "noaction" tag is cleared and nothing
/// else happens; otherwise the user's choice is acted on. Records the tag at each selection.
struct ClickHandler {
    int actions = 0, ignored = 0;
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

/// The same pictures but for rounded edges blended once more (a picture kept of a shape
/// drawn antialiased): at most `corners` pixels, each by one step of a colour.
bool AlikeButCorners(const QImage& a, const QImage& b, int corners) {
    if (a.size() != b.size()) return false;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p == q) continue;
            ++differing;
            if (std::abs(qRed(p) - qRed(q)) > 1 || std::abs(qGreen(p) - qGreen(q)) > 1 ||
                std::abs(qBlue(p) - qBlue(q)) > 1 || qAlpha(p) != qAlpha(q))
                return false;
        }
    return differing <= corners;
}

} // namespace

class UiCommonQtTest : public QObject {
    Q_OBJECT

private slots:
    void init() { recorder_ = &ui::InstallRecordingMessages(); }

    void initTestCase() {
        QVERIFY(dir_.isValid());
        // Mixed flags: a flag without a value counts as false, any non-zero number as true.
        WriteFixture(dir_.filePath(QStringLiteral("db1.mdb")), R"sql(
INSERT INTO Material VALUES ('Q27', -1, -1, 0), ('R41', -1, 0, -1), ('Q38', 0, 0, -1), ('Q87', -1, -1, -1),
  ('Q10', NULL, 0, 0), ('Q12', 1, 0, 0);
INSERT INTO Kernform VALUES ('E 20/10/6', -1, -1, 0, 0), ('RM 8', -1, 0, 0, 0), ('RM 8', -1, 0, -1, 0),
  ('P 14x8', 0, -1, 0, -1);
)sql");
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
            QCOMPARE(test::ShownTexts(&list), entries);
        }
        // Back to entries the list showed before: the same, without reading the table again.
        const long reads = db_->readCount("Material");
        ui::FillMaterialList(*db_, &list);
        QCOMPARE(test::ShownTexts(&list), QStringList({"Q27", "R41", "Q87", "Q12"}));
        QCOMPARE(db_->readCount("Material"), reads);
        // The first entry of an exact name.
        ui::FillCoreList(*db_, &list);
        QCOMPARE(ui::FindListIndex(QStringLiteral("RM 8"), &list), 1);
        QCOMPARE(ui::FindListIndex(QStringLiteral("rm 8"), &list), -1);
        QCOMPARE(ui::FindListIndex(QString(), &list), -1);
        QCOMPARE(ui::FindListIndex(QStringLiteral("RM 8"), nullptr), -1);
        // A column's distinct values; the text asked for selects its entry, the first one too,
        // and a text not among them is shown as typed.
        const std::tuple<QString, int, QString> shown[] = {
            {QStringLiteral("FirstValue"), 0, QStringLiteral("E 20/10/6")},
            {QStringLiteral("E 20/10/6"), 0, QStringLiteral("E 20/10/6")},
            {QStringLiteral("P 14x8"), 1, QStringLiteral("P 14x8")},
            {QStringLiteral("EP 7"), -1, QStringLiteral("EP 7")},
        };
        for (const auto& [initial, index, text] : shown) {
            ui::SelectionList column;
            ui::FillColumnList(*db_, &column, QStringLiteral("Kernform"), QStringLiteral("Kerntyp"), initial);
            QCOMPARE(column.currentIndex(), index);
            QCOMPARE(column.currentText(), text);
            QCOMPARE(ui::FindListIndex(text, &column), index);
        }
    }

    void refillKeepsShownEntryWithoutClickActionOrSelectsNothing() {
        // Editable, the list refilled first, the entry kept (R41 is in both lists, Q38 is not).
        for (const auto& [editable, muaFirst, kept] : {std::tuple{false, false, true},
                                                       {true, false, true},
                                                       {true, true, false},
                                                       {true, false, false}}) {
            QComboBox list;
            list.setEditable(editable);
            if (kept || muaFirst) {
                (muaFirst ? ui::FillMuaMaterialList : ui::FillMaterialList)(*db_, &list);
                list.setCurrentIndex(1); // the user chose R41 or Q38
            }
            ClickHandler handler(list);
            (kept ? ui::FillMuaMaterialList : ui::FillMaterialList)(*db_, &list);
            QCOMPARE(list.currentIndex(), kept ? 0 : -1);
            if (kept) QCOMPARE(list.currentText(), QStringLiteral("R41"));
            QCOMPARE(handler.tagSeen, kept ? ui::kNoAction : QString()); // set before selecting
            QCOMPARE(handler.actions, 0);
            QCOMPARE(handler.ignored, kept ? 1 : 0);
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

        check(QStringLiteral("rm 8")); // typed over a selection: left alone
        QCOMPARE(list.currentIndex(), 1);
        list.setCurrentIndex(-1);
        check(QString()); // empty text: no message
        check(QStringLiteral("xyz"));
        QCOMPARE(recorder_->messages.size(), size_t(1)); // the only message of the four checks
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

    // A list over a table of many rows reads its entries as they are needed, and shows, finds and
    // completes every one of them as a list filled at once does.
    void longListEntriesFarDownAreFoundAndCompleted() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db1.mdb"));
        // Core i is shown when i is not a multiple of 3; every name is unique.
        WriteFixture(path, R"sql(
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO Kernform SELECT 'K ' || i, CASE WHEN i % 3 = 0 THEN 0 ELSE -1 END, 0, 0, 0 FROM n;
)sql");
        auto db = data::Database::open(path.toStdString());
        auto nameOf = [](int entry) { return QStringLiteral("K %1").arg(entry + entry / 2 + 1); };
        const int total = 20000 - 20000 / 3;

        const std::tuple<const char*, int, std::function<int(QComboBox&)>> cases[] = {
            {"typed search", total - 1,
             [&](QComboBox& l) { return ui::FindListIndex(nameOf(total - 1), &l); }},
            {"typed search, miss", -1,
             [](QComboBox& l) { return ui::FindListIndex(QStringLiteral("K 3"), &l); }},
            {"findText", 9000, [&](QComboBox& l) { return l.findText(nameOf(9000)); }},
            {"Enter on a typed name", 12000,
             [&](QComboBox& l) {
                 l.setEditText(nameOf(12000).toLower());
                 ui::CheckListEntry(&l, QStringLiteral("core"));
                 return l.currentIndex();
             }},
            {"completion", 13000,
             [&](QComboBox& l) {
                 l.show();
                 QApplication::setActiveWindow(&l);
                 l.setFocus();
                 QTest::keyClicks(l.lineEdit(),
                                  nameOf(13000).left(6)); // "K 1950": K 1950 and K 19500 are not shown
                 return ui::FindListIndex(l.lineEdit()->text(), &l);
             }},
        };
        for (const auto& [what, entry, find] : cases) {
            // A list of the windows' own and a combo box made editable.
            for (const bool own : {true, false}) {
                std::unique_ptr<QComboBox> list(own ? new ui::SelectionList : new QComboBox);
                if (!own) list->setEditable(true);
                list->setInsertPolicy(QComboBox::NoInsert);
                ui::FillCoreList(*db, list.get());
                QVERIFY2(list->count() < total, what); // not every entry read yet
                QCOMPARE(find(*list), entry);
                if (entry >= 0) QCOMPARE(list->itemText(entry), nameOf(entry));
            }
        }
        // Every entry, once read to the end, in stored order; the list's model and that of its
        // completion announce each page read as the rows it adds.
        ui::SelectionList list;
        ui::FillCoreList(*db, &list);
        QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason); // the completion is made
        QApplication::sendEvent(&list, &focus);
        const QAbstractItemModelTester entries(list.model(),
                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QAbstractItemModelTester completion(list.completer()->model(),
                                                  QAbstractItemModelTester::FailureReportingMode::QtTest);
        while (list.model()->canFetchMore({}))
            list.model()->fetchMore({});
        QCOMPARE(list.count(), total);
        QCOMPARE(list.completer()->model()->rowCount(), total);
        for (int i = 0; i < total; i += 997)
            QCOMPARE(list.itemText(i), nameOf(i));
    }

    // A list filled entry by entry completes a typed text from its entries.
    void selectionListCompletesTypedText() {
        ui::SelectionList list;
        list.addItems({QStringLiteral("E 20/10/6"), QStringLiteral("ETD 29"), QStringLiteral("RM 8")});
        list.setCurrentIndex(-1);
        list.show();
        QApplication::setActiveWindow(&list);
        list.setFocus();
        QTest::keyClicks(list.lineEdit(), QStringLiteral("et"));
        QCOMPARE(list.lineEdit()->text(), QStringLiteral("etD 29")); // as typed, then completed
    }

    // A selection list is as wide and high as a list sized without its entries, in any font,
    // filled or not, and not made to open its popup for that; another policy is kept.
    void selectionListSizedWithoutEntries() {
        QFont big;
        big.setPointSize(big.pointSize() + 7);
        for (const bool filled : {false, true}) {
            for (const QFont& font : {QFont(), big}) {
                ui::SelectionList list;
                QComboBox sized;
                sized.setLineEdit(new QLineEdit);
                sized.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                for (QComboBox* l : {static_cast<QComboBox*>(&list), &sized}) {
                    if (font != QFont()) l->setFont(font); // (which makes the popup)
                    if (filled)
                        l->addItems({QStringLiteral("a rather long entry of the list"), QStringLiteral("W")});
                }
                QCOMPARE(list.sizeHint(), sized.sizeHint());
                QCOMPARE(list.minimumSizeHint(), sized.minimumSizeHint());
                QVERIFY(font != QFont() || !list.findChild<QAbstractItemView*>()); // no popup made
            }
        }
        ui::SelectionList list;
        list.addItems({QStringLiteral("a rather long entry of the list")});
        list.setSizeAdjustPolicy(QComboBox::AdjustToContents);
        QVERIFY(list.sizeHint().width() > ui::SelectionList().sizeHint().width());
    }

    // A caption of one line measures as a QLabel of the same text does, whatever its
    // alignment, indent, margins and minimum size, and again when they change; others are
    // measured by QLabel itself.
    void captionsMeasureAsLabelsDo() {
        struct Case {
            const char* text;
            Qt::Alignment align;
            int indent, margin;
            QMargins contents;
            QSize minimum;
            bool wrap = false;
            bool frame = false;
        };
        const Case cases[] = {
            {"µe", Qt::AlignLeft | Qt::AlignVCenter, -1, 0, {}, {}},
            {"Bs[mT] 100°C", Qt::AlignRight | Qt::AlignVCenter, -1, 0, {}, {}},
            {"le [ mm ]", Qt::AlignCenter, 5, 0, {}, {}},
            {"µe vs. T", Qt::AlignRight | Qt::AlignVCenter, -1, 0, {}, {}},
            {"Hyst.beiw.[10^(-6)/K]", Qt::AlignRight | Qt::AlignTop, 7, 3, {1, 2, 3, 4}, {}},
            {"N", Qt::AlignLeft | Qt::AlignBottom, 0, 2, {}, {40, 30}},
            {"", Qt::AlignLeft, -1, 0, {}, {}},
            {"two\nlines", Qt::AlignLeft | Qt::AlignTop, -1, 1, {}, {}},
            {"אלף", Qt::AlignLeft, 4, 0, {}, {}},
            {"<b>rich</b>", Qt::AlignLeft, -1, 0, {}, {}},
            {"a long caption that wraps onto more lines", Qt::AlignLeft, -1, 0, {}, {}, true},
            {"Valid air gaps:\n0.1mm < s < 3.5mm",
             Qt::AlignRight | Qt::AlignTop,
             6,
             2,
             {1, 2, 3, 4},
             {},
             true},
            {"framed", Qt::AlignLeft, -1, 0, {}, {}, false, true},
        };
        for (const Case& c : cases) {
            QFont big;
            big.setPointSize(big.pointSize() + 6);
            // A caption changed step by step (measured at each step) against a QLabel made
            // afresh for each step: a QLabel keeps its measure when its minimum size changes.
            ui::TextLabel caption;
            const std::function<void(QLabel&, int)> steps[] = {
                [&c](QLabel& l, int) {
                    l.setText(QString::fromUtf8(c.text));
                    l.setAlignment(c.align);
                    l.setIndent(c.indent);
                    l.setMargin(c.margin);
                    l.setContentsMargins(c.contents);
                    if (c.minimum.isValid()) l.setMinimumSize(c.minimum);
                    l.setWordWrap(c.wrap);
                    if (c.frame) l.setFrameShape(QFrame::Box);
                    QPalette coloured = l.palette();
                    coloured.setColor(QPalette::WindowText, Qt::darkRed);
                    l.setPalette(coloured);
                },
                [](QLabel& l, int) { l.setText(l.text() + QStringLiteral(" W")); },
                [&big](QLabel& l, int) { l.setFont(big); },
                [](QLabel& l, int) { l.setMinimumSize(300, 60); },
            };
            // QLabel measures the others itself, and keeps the old size for a new minimum.
            const bool byLabel = c.wrap || c.frame || c.text[0] == 0 || c.text[0] == '<';
            for (int step = 0; step < int(std::size(steps)) - (byLabel ? 1 : 0); ++step) {
                steps[step](caption, step);
                QLabel label;
                ui::TextLabel twin; // measured like the first, or its sizes taken from it
                for (int k = 0; k <= step; ++k) {
                    steps[k](label, k);
                    steps[k](twin, k);
                }
                const QByteArray what = QByteArray(c.text) + ", step " + QByteArray::number(step);
                for (const QLabel* measured : {static_cast<QLabel*>(&caption), static_cast<QLabel*>(&twin)}) {
                    QVERIFY2(measured->sizeHint() == label.sizeHint(), what.constData());
                    QVERIFY2(measured->minimumSizeHint() == label.minimumSizeHint(), what.constData());
                    for (const int width : {1, 60, 150, 1000})
                        QVERIFY2(measured->heightForWidth(width) == label.heightForWidth(width),
                                 what.constData());
                }
                // Drawn alike too: in its own size, with room to spare (an odd amount, so that
                // centring falls between two pixels) and with too little (the line cut off).
                for (const QSize extra : {QSize(0, 0), QSize(17, 9), QSize(-9, -5)}) {
                    caption.resize(label.sizeHint() + extra);
                    label.resize(caption.size());
                    QVERIFY2(caption.grab().toImage() == label.grab().toImage(), what.constData());
                }
            }
        }
    }

    // Wrapped captions that differ in one thing only are measured apart.
    void wrappedCaptionsDifferingInOneThingMeasureApart() {
        const auto wrapped = [](QLabel& l) {
            l.setText(QStringLiteral("Press enter to show new plot data !"));
            l.setWordWrap(true);
            l.setIndent(5); // on the aligned sides: the alignment counts
        };
        const std::function<void(QLabel&)> changes[] = {
            [](QLabel& l) { l.setAlignment(Qt::AlignHCenter | Qt::AlignBottom); },
            [](QLabel& l) { l.setIndent(9); },
            [](QLabel& l) { l.setMargin(4); },
            [](QLabel& l) { l.setFrameShape(QFrame::Box); },
            [](QLabel& l) { l.setContentsMargins(5, 1, 7, 2); },
            [](QLabel& l) { l.setMinimumWidth(200); },
            [](QLabel& l) { l.setMinimumHeight(90); },
            [](QLabel& l) { l.setMaximumWidth(90); },
            [](QLabel& l) {
                QFont f = l.font();
                f.setPointSize(f.pointSize() + 3);
                l.setFont(f);
            },
        };
        ui::TextLabel first;
        wrapped(first);
        (void)first.sizeHint();
        (void)first.heightForWidth(100);
        for (size_t i = 0; i < std::size(changes); ++i) {
            ui::TextLabel caption;
            QLabel label;
            for (QLabel* l : {static_cast<QLabel*>(&caption), &label}) {
                wrapped(*l);
                changes[i](*l);
            }
            const QByteArray what = "change " + QByteArray::number(qulonglong(i));
            QVERIFY2(caption.sizeHint() == label.sizeHint(), what.constData());
            QVERIFY2(caption.minimumSizeHint() == label.minimumSizeHint(), what.constData());
            QVERIFY2(caption.heightForWidth(100) == label.heightForWidth(100), what.constData());
        }
    }

    // A field's panel drawn from the kept picture is the panel the Fusion style draws, in
    // every state and palette a field is shown in, one after the other in the same size. The
    // rounded corners, blended once more, may differ by one step of a colour.
    void fieldPanelsAreDrawnAsTheStyleDrawsThem() {
        const auto alike = [](const QImage& a, const QImage& b) { return AlikeButCorners(a, b, 8); };
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette gray = fusion->standardPalette();
        gray.setColor(QPalette::Base, QColor(0xc0, 0xc0, 0xc0));
        QPalette dark = gray;
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        QPalette inactive = gray; // an outline of its own in a window not active
        inactive.setColor(QPalette::Inactive, QPalette::Window, QColor(0x70, 0x90, 0x70));
        inactive.setCurrentColorGroup(QPalette::Inactive);
        const QStyle::State on = QStyle::State_Enabled | QStyle::State_Active | QStyle::State_Sunken;
        const struct {
            QSize size;
            QStyle::State state;
            const QPalette* palette;
            QPoint at;    // where the painter is moved to
            QPoint place; // where the field is
        } cases[] = {
            {{64, 20}, on, nullptr, {0, 0}, {0, 0}},
            {{64, 20}, on, &gray, {3, 5}, {0, 0}},
            {{64, 20}, on | QStyle::State_ReadOnly, &gray, {0, 0}, {3, 5}},
            {{64, 20}, on | QStyle::State_HasFocus, nullptr, {1, 2}, {0, 0}},
            {{64, 20}, QStyle::State_Sunken, nullptr, {1, 2}, {4, 0}}, // disabled
            {{64, 20}, on, &dark, {7, 1}, {0, 0}},
            {{64, 20}, on & ~QStyle::State_Active, &gray, {0, 0}, {0, 0}},
            {{64, 20}, on & ~QStyle::State_Active, &inactive, {0, 0}, {0, 0}},
            {{77, 20}, on, nullptr, {2, 2}, {0, 0}},
            {{77, 18}, on, nullptr, {2, 2}, {0, 0}},
            {{64, 20}, on, nullptr, {0, 0}, {6, 9}}, // the first again, from its picture
        };
        for (const auto& c : cases) {
            QStyleOptionFrame option;
            option.rect = QRect(c.place, c.size);
            option.state = c.state;
            option.palette = c.palette ? *c.palette : fusion->standardPalette();
            option.lineWidth = fusion->pixelMetric(QStyle::PM_DefaultFrameWidth);
            QImage drawn(100, 40, QImage::Format_ARGB32_Premultiplied);
            drawn.fill(QColor(0xf5, 0xf5, 0xf5)); // inside a group box
            QImage kept = drawn;
            for (auto [image, style] :
                 {std::pair{&drawn, fusion.get()}, std::pair{&kept, static_cast<QStyle*>(&program)}}) {
                QPainter painter(image);
                painter.translate(c.at);
                style->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter);
            }
            QVERIFY(alike(kept, drawn));
        }
        // A field of a window, in its place.
        QWidget window;
        window.resize(120, 50);
        auto* field = new QLineEdit(QStringLiteral("1.5"), &window);
        field->setGeometry(9, 13, 64, 20);
        field->setStyle(fusion.get());
        const QImage byFusion = window.grab().toImage();
        field->setStyle(&program);
        QVERIFY(alike(window.grab().toImage(), byFusion));
    }

    // A page's field is laid out as a line edit is: of a fixed size, of a fixed width or
    // height only, or free.
    void fieldsAreLaidOutAsLineEdits() {
        const std::function<void(QLineEdit&)> constraints[] = {
            [](QLineEdit& f) { f.setFixedSize(64, 20); },
            [](QLineEdit& f) { f.setFixedWidth(40); },
            [](QLineEdit& f) { f.setFixedHeight(26); },
            [](QLineEdit&) {},
            [](QLineEdit& f) {
                f.setFixedSize(64, 20);
                f.setMinimumWidth(30); // no longer fixed
            },
        };
        for (const auto& constrain : constraints) {
            QWidget window;
            auto* grid = new QGridLayout(&window);
            auto* field = new ui::Field(QStringLiteral("1.25"));
            auto* edit = new QLineEdit(QStringLiteral("1.25"));
            constrain(*field);
            constrain(*edit);
            grid->addWidget(field, 0, 0);
            grid->addWidget(edit, 1, 0);
            grid->activate();
            QCOMPARE(grid->itemAtPosition(0, 0)->sizeHint(), grid->itemAtPosition(1, 0)->sizeHint());
            QCOMPARE(grid->itemAtPosition(0, 0)->minimumSize(), grid->itemAtPosition(1, 0)->minimumSize());
            window.resize(window.minimumSizeHint());
            grid->activate();
            QCOMPARE(field->size(), edit->size());
        }
    }

    // A group box's frame drawn from its kept picture is the frame the Fusion style draws:
    // with a title and without, with a check box, flat, disabled, in another font, in other
    // sizes, and a box of a size drawn before.
    void groupBoxFramesAreDrawnAsTheStyleDrawsThem() {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        const struct {
            QRect place;
            const char* title;
            bool checkable;
            bool flat;
            bool enabled;
            int pointSize; // 0: the window's font
        } cases[] = {
            {{4, 4, 150, 80}, "Core data", false, false, true, 0},
            {{160, 4, 150, 80}, "", false, false, true, 0},
            {{4, 90, 150, 80}, "Wire", true, false, true, 0},
            {{160, 90, 150, 80}, "Flat", false, true, true, 0},
            {{4, 176, 150, 80}, "Core data", false, false, false, 0},
            {{160, 176, 150, 80}, "Core data", false, false, true, 16},
            {{4, 262, 97, 43}, "Core data", false, false, true, 0},
            {{110, 262, 150, 80}, "Core data", false, false, true, 0}, // as the first
        };
        QWidget window;
        window.resize(320, 350);
        std::vector<QGroupBox*> boxes;
        for (const auto& c : cases) {
            auto* box = new QGroupBox(QString::fromUtf8(c.title), &window);
            box->setGeometry(c.place);
            box->setCheckable(c.checkable);
            box->setFlat(c.flat);
            box->setEnabled(c.enabled);
            if (c.pointSize) {
                QFont f = box->font();
                f.setPointSize(c.pointSize);
                box->setFont(f);
            }
            boxes.push_back(box);
        }
        const auto drawnBy = [&](QStyle* style) {
            for (QGroupBox* box : boxes)
                box->setStyle(style);
            return window.grab().toImage();
        };
        const QImage byFusion = drawnBy(fusion.get());
        QCOMPARE(drawnBy(&program), byFusion);
        QCOMPARE(drawnBy(&program), byFusion); // from the kept pictures
    }

    // A group box's parts measured once are the parts the Fusion style measures: with a title
    // and without, checkable, flat, aligned, in another font, and measured again.
    void groupBoxPartsAreTheStylesOwn() {
        struct Box : QGroupBox {
            using QGroupBox::initStyleOption;
            using QGroupBox::QGroupBox;
        };
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        const std::function<void(Box&)> looks[] = {
            [](Box&) {},
            [](Box& b) { b.setTitle(QString()); },
            [](Box& b) { b.setCheckable(true); },
            [](Box& b) { b.setFlat(true); },
            [](Box& b) { b.setAlignment(Qt::AlignRight); },
            [](Box& b) {
                QFont f = b.font();
                f.setPointSize(18);
                b.setFont(f);
            },
            [](Box& b) { b.setTitle(QStringLiteral("Output data, longer")); },
            [](Box&) {}, // the first again
        };
        for (const auto& look : looks) {
            Box box(QStringLiteral("Input data"));
            box.resize(180, 90);
            look(box);
            QStyleOptionGroupBox option;
            box.initStyleOption(&option);
            for (const QStyle::SubControl part : {QStyle::SC_GroupBoxFrame, QStyle::SC_GroupBoxLabel,
                                                  QStyle::SC_GroupBoxCheckBox, QStyle::SC_GroupBoxContents})
                QCOMPARE(program.subControlRect(QStyle::CC_GroupBox, &option, part, &box),
                         fusion->subControlRect(QStyle::CC_GroupBox, &option, part, &box));
        }
    }

    // A radio button's and a check box's indicator drawn from its kept picture is the one the
    // Fusion style draws: on, off and half on, pressed, under the mouse, with the focus,
    // disabled, in a dark palette; each drawn again from its picture.
    void indicatorsAreDrawnAsTheStyleDrawsThem() {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette dark = fusion->standardPalette();
        dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        const QStyle::State on = QStyle::State_Enabled | QStyle::State_Active | QStyle::State_On;
        const QStyle::State off = QStyle::State_Enabled | QStyle::State_Active | QStyle::State_Off;
        const struct {
            QStyle::State state;
            const QPalette* palette;
        } cases[] = {
            {on, nullptr},
            {off, nullptr},
            {QStyle::State_Enabled | QStyle::State_NoChange, nullptr},
            {on | QStyle::State_Sunken, nullptr},
            {off | QStyle::State_MouseOver, nullptr},
            {on | QStyle::State_HasFocus, nullptr},
            {QStyle::State_On, nullptr}, // disabled
            {on, &dark},
            {on, nullptr}, // the first again
        };
        for (const QStyle::PrimitiveElement element :
             {QStyle::PE_IndicatorRadioButton, QStyle::PE_IndicatorCheckBox})
            for (const auto& c : cases) {
                QStyleOptionButton option;
                option.rect = QRect(3, 2, 13, 13);
                option.state = c.state;
                option.palette = c.palette ? *c.palette : fusion->standardPalette();
                QImage drawn(24, 20, QImage::Format_ARGB32_Premultiplied);
                drawn.fill(QColor(0xef, 0xef, 0xef));
                QImage kept = drawn;
                for (auto [image, style] :
                     {std::pair{&drawn, fusion.get()}, std::pair{&kept, static_cast<QStyle*>(&program)}}) {
                    QPainter painter(image);
                    painter.setRenderHint(QPainter::Antialiasing);
                    style->drawPrimitive(element, &option, &painter);
                }
                QVERIFY(AlikeButCorners(kept, drawn, 16)); // a circle's rim: a pixel in three
            }
    }

    // A tab drawn from its kept picture is the tab the Fusion style draws: first, in the
    // middle, last and alone, chosen or not, disabled, right to left, in the document mode,
    // and on the other sides (drawn by the style itself); a row drawn again from its pictures.
    void tabsAreDrawnAsTheStyleDrawsThem() {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        const struct {
            QTabBar::Shape shape;
            int tabs;
            int current;
            Qt::LayoutDirection direction;
            bool documentMode;
        } cases[] = {
            {QTabBar::RoundedNorth, 4, 1, Qt::LeftToRight, false},
            {QTabBar::RoundedNorth, 4, 0, Qt::LeftToRight, false},
            {QTabBar::RoundedNorth, 4, 3, Qt::LeftToRight, false},
            {QTabBar::RoundedNorth, 1, 0, Qt::LeftToRight, false},
            {QTabBar::RoundedNorth, 4, 1, Qt::RightToLeft, false},
            {QTabBar::RoundedNorth, 4, 1, Qt::LeftToRight, true},
            {QTabBar::RoundedSouth, 4, 2, Qt::LeftToRight, false},
            {QTabBar::RoundedWest, 4, 1, Qt::LeftToRight, false},
        };
        for (const auto& c : cases) {
            QTabBar bar;
            bar.setShape(c.shape);
            bar.setLayoutDirection(c.direction);
            bar.setDocumentMode(c.documentMode);
            for (int i = 0; i < c.tabs; ++i)
                bar.addTab(QStringLiteral("Tab %1").arg(i));
            if (c.tabs > 2) bar.setTabEnabled(2, false);
            bar.setCurrentIndex(c.current);
            bar.resize(bar.sizeHint());
            bar.setStyle(fusion.get());
            const QImage byFusion = bar.grab().toImage();
            bar.setStyle(&program);
            QVERIFY(AlikeButCorners(bar.grab().toImage(), byFusion, 2 * c.tabs));
            QVERIFY(AlikeButCorners(bar.grab().toImage(), byFusion, 2 * c.tabs));
        }
    }

    // A line of text drawn from its kept layout is the line the Fusion style draws: in every
    // alignment, with room to spare (an odd amount) and too little, in the role's colour or the
    // painter's, grayed, in other fonts, and texts the style draws itself.
    void itemTextIsDrawnAsTheStyleDrawsIt() {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette pal = fusion->standardPalette();
        pal.setColor(QPalette::ButtonText, Qt::darkBlue);
        QFont big;
        big.setPointSize(big.pointSize() + 5);
        big.setBold(true);
        QFont italic;
        italic.setPointSize(11);
        italic.setItalic(true);
        const struct {
            const char* text;
            QRect room;
            int more; // flags besides the alignment
            QPalette::ColorRole role;
            bool enabled;
            const QFont* font;
        } cases[] = {
            {"Data overview", {3, 2, 117, 25}, Qt::TextShowMnemonic, QPalette::ButtonText, true, nullptr},
            {"µe vs. T",
             {0, 0, 83, 23},
             Qt::TextShowMnemonic | Qt::TextHideMnemonic,
             QPalette::WindowText,
             true,
             nullptr},
            {"Core and material selection", {5, 4, 60, 11}, 0, QPalette::WindowText, true, nullptr}, // cut
                                                                                                     // off
            {"T=25°C", {0, 0, 81, 21}, Qt::TextForceLeftToRight, QPalette::NoRole, true, nullptr},
            {"Calculate", {2, 1, 151, 27}, Qt::TextShowMnemonic, QPalette::ButtonText, false, &big},
            {"Hyst.beiw.[10^(-6)/K]", {1, 3, 160, 30}, 0, QPalette::WindowText, true, &italic},
            {"&Print", {2, 1, 61, 27}, Qt::TextShowMnemonic, QPalette::ButtonText, true, nullptr},
            {"two\nlines", {2, 1, 61, 47}, 0, QPalette::WindowText, true, nullptr},
        };
        for (const auto& c : cases)
            for (const int v : {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom})
                for (const int h : {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight}) {
                    QImage byFusion(180, 60, QImage::Format_ARGB32_Premultiplied);
                    byFusion.fill(Qt::white);
                    QImage byProgram = byFusion;
                    for (auto [image, style] : {std::pair{&byFusion, fusion.get()},
                                                std::pair{&byProgram, static_cast<QStyle*>(&program)}}) {
                        QPainter painter(image);
                        painter.setPen(Qt::darkGreen);
                        if (c.font) painter.setFont(*c.font);
                        painter.translate(4, 3);
                        style->drawItemText(&painter, c.room, v | h | c.more, pal, c.enabled,
                                            QString::fromUtf8(c.text), c.role);
                        painter.drawPoint(0, 0); // in the pen the painter had
                    }
                    QVERIFY2(byProgram == byFusion, c.text);
                }
    }

    // A standard icon kept once made is the style's own, for each direction it is asked for.
    void standardIconsAreTheStylesOwn() {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        ui::ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
        QWidget leftToRight, rightToLeft;
        rightToLeft.setLayoutDirection(Qt::RightToLeft);
        const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
        for (const Qt::LayoutDirection app : {Qt::LeftToRight, Qt::RightToLeft}) {
            QGuiApplication::setLayoutDirection(app);
            for (const QWidget* w : {&leftToRight, &rightToLeft, static_cast<QWidget*>(nullptr)})
                for (const auto icon : {QStyle::SP_TitleBarCloseButton, QStyle::SP_TitleBarMinButton,
                                        QStyle::SP_ArrowBack, QStyle::SP_MediaPlay})
                    for (int again = 0; again < 2; ++again)
                        QVERIFY(image(program.standardIcon(icon, nullptr, w)) ==
                                image(fusion->standardIcon(icon, nullptr, w)));
        }
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
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
            ui::ResetGraph(target, app);
            QVERIFY(app.log.readingLog.empty());
            QVERIFY(app.log.readingLogOverflow.empty());
            QCOMPARE(app.log.readingLogLines, std::int16_t(0));
            if (!target) break;
            QCOMPARE(m.numSets(), 1);
            QCOMPARE(m.numPoints(), 2);
            QVERIFY(m.writtenPoints(1).empty());
        }
    }

    void showArrowOrangeEndsGrayAndShippedPicturesTurn() {
        const QDir shipped(QStringLiteral(TOLVIK_ARROW_SOURCE_DIR)); // the program folder's bmp/
        AppContext app;
        app.appFolder = QFileInfo(shipped.path()).path().toStdString();
        const auto picture = [&shipped](const QString& file) {
            return QImage(shipped.filePath(file)).convertToFormat(QImage::Format_RGB32);
        };
        for (const QString colour : {"gray", "Orange"}) { // the left arrows are the right ones mirrored
            const QImage up = picture(u"arrow_%1.bmp"_s.arg(colour)),
                         right = picture(u"arrow_%1_horz.bmp"_s.arg(colour)),
                         left = picture(u"arrow_%1_horz_left.bmp"_s.arg(colour));
            QVERIFY2(!up.isNull() && !right.isNull() && left != right, qPrintable(colour));
            QCOMPARE(left, right.mirrored(true, false));
        }

        QWidget window;
        auto* arrow = new QLabel(&window);
        arrow->hide();
        QString colour = QStringLiteral("Orange");
        ui::ShowArrow(app, QStringLiteral("horizontal"), arrow, colour, 1500, 3000);
        QCOMPARE(colour, QStringLiteral("gray"));
        QVERIFY(arrow->isVisibleTo(&window));
        QCOMPARE(arrow->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 picture(u"arrow_gray_horz.bmp"_s));
        QCOMPARE(arrow->pos(), QPoint(100, 200));
        ui::ShowArrow(app, QStringLiteral("vertikal"), arrow, colour, 0, 150);
        QCOMPARE(arrow->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 picture(u"arrow_gray.bmp"_s));

        app.appFolder = dir_.path().toStdString(); // a missing picture: the label is emptied and shown
        arrow->hide();
        ui::ShowArrow(app, QStringLiteral("horizontal"), arrow, colour, 30, 45);
        QVERIFY(arrow->pixmap().isNull());
        QVERIFY(arrow->isVisibleTo(&window));
    }

    void calculateButtonShownAndValueOutOfRangeMessage() {
        QWidget bare;
        auto* loose = new QPushButton(QStringLiteral("Calculate"), &bare);
        loose->hide();
        ui::PlaceCalculateButton(loose, 8760, 6600, 2895);
        QVERIFY(loose->isVisibleTo(&bare));
        ui::PlaceCalculateButton(nullptr, 1, 2, 3); // no button: nothing happens
        ui::ShowValueOutOfRange();
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].text,
                 QStringLiteral("The number is either too high or too low. Please enter an other value!"));
        QCOMPARE(recorder_->messages[0].title, QStringLiteral("Value out of range"));
        QVERIFY(!ui::Launcher().start(dir_.filePath(QStringLiteral("no-such-program")), {}));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<data::Database> db_;
    ui::RecordingMessageService* recorder_ = nullptr;
};

QTEST_MAIN(UiCommonQtTest)
#include "ui_common_qt_test.moc"

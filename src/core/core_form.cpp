// The Core calculation window: tab model, selection panel, data overview, the µe vs. T
// tab and the graph reader. The calculations themselves live in the Qt-free files of
// this folder; the window reads fields, calls them and writes the results.

#include "tolvik/core/core_form.h"

#include "core_form_p.h"
#include "tolvik/chart/graph.h"
#include "tolvik/core/al_value.h"
#include "tolvik/core/al_value_tab.h"
#include "tolvik/core/dc_bias_tab.h"
#include "tolvik/core/harmonic_tab.h"
#include "tolvik/core/mue_t.h"
#include "tolvik/core/p_trans_tab.h"
#include "tolvik/core/wire_tab.h"
#include "tolvik/data/records.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/field_edits.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/key_codes.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <cmath>
#include <optional>

namespace tolvik::core {

namespace {

const QString kHorizontal = QStringLiteral("horizontal");
const QString kFirstValue = QStringLiteral("FirstValue");

/// Where the Calculate button and the arrows go on a tab (twips, as the tab model gives
/// them). On pages with slots the layout decides the final place.
struct ArrowPlace {
    bool used = false;
    int left = 0;
    int top = 0;
    const char* orientation = "horizontal";
};
struct TabPlace {
    bool calculate = false;
    int left = 0;
    int top = 0;
    int width = 0;
    ArrowPlace arrows[kArrowCount];
};

constexpr TabPlace kTabPlaces[kTabCount] = {
    {false, 0, 0, 0, {}},
    {true, 5040, 6120, 3855, {{true, 2160, 5760}, {true, 6600, 3000}, {true, 2160, 3000}}},
    {true, 8760, 6600, 2895, {{true, 9930, 2000}, {true, 9980, 4980}, {}}},
    {true, 8760, 6360, 2775, {{true, 8040, 2510}, {true, 8040, 3450}, {}}},
    {true, 70, 6650, 2725, {{true, 1000, 3350, "vertikal"}, {true, 2270, 5210}, {}}},
    {true, 8760, 6600, 2895, {{true, 6240, 2580}, {true, 7680, 5450}, {}}},
    {true, 8160, 6600, 3615, {{true, 9240, 5680}, {true, 9690, 4320, "vertical"}, {}}},
};

/// The result fields each tab clears (tabs 1 and 5 add their own).
const char* const kTab0Fields[] = {"t9Ae",     "t9le",     "t9Ve",     "t9Amin",   "t9An",
                                   "t9ln",     "t9Text1",  "t9Text2",  "t9Text3",  "t9Text4",
                                   "t9Text5",  "t9Text6",  "t9Text7",  "t9Text8",  "t9Text9",
                                   "t9Text10", "t9Text11", "t9Text12", "t9Text13", "t9Text14"};

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

/// The list's text at its selected entry ("" when none is selected).
QString SelectedEntry(const QComboBox* list) {
    return list->currentIndex() < 0 ? QString() : list->itemText(list->currentIndex());
}

/// An empty field is "no value"; anything else goes through the shared number reader.
std::optional<double> OptionalNumber(const QLineEdit* field) {
    if (field->text().isEmpty()) return std::nullopt;
    return text::ReadNumber(S(field->text()));
}

bool IsDotOrEmpty(const QString& t) {
    return t.isEmpty() || t == QLatin1String(".");
}

bool IsEnter(const QKeyEvent* k) {
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}

/// Runs a step that reads the data file; a fault of the file is reported, not thrown on.
template <class F> void Guarded(F&& step) {
    try {
        step();
    } catch (const data::DataError& e) {
        ui::ShowMessage(QString::fromStdString(e.what()));
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// Opening the window

CoreForm::CoreForm(AppContext& app, QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(app)) {
    buildWindow();
    connectSignals();
    formLoad();
}

CoreForm::~CoreForm() = default;

QSize CoreForm::sizeHint() const {
    return minimumSizeHint();
}

QTabWidget* CoreForm::tabControl() const {
    return d->tabs;
}

int CoreForm::currentTab() const {
    return d->tabs->currentIndex();
}

void CoreForm::formLoad() {
    move(0, ui::TwipsToPixels(20));
    d->cmdCalculate->hide();
    d->picArrow[0]->hide();
    d->picArrow[1]->hide();
    if (d->app.database) {
        Guarded([&] {
            ui::FillMaterialList(d->app.db(), d->material);
            ui::FillCoreList(d->app.db(), d->kern);
        });
    }
    disableMainCopyButton();
    d->harmonicTab->selectN1N2R1R2Mode();
}

void CoreForm::disableMainCopyButton() {
    if (d->copyButtonDone || window() == this) return;
    if (auto* copy = window()->findChild<QAbstractButton*>(QStringLiteral("CmdCopy"))) {
        copy->setEnabled(false);
        d->copyButtonDone = true;
    }
}

void CoreForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window may have been put into the main window only after it was created.
    disableMainCopyButton();
}

void CoreForm::connectSignals() {
    connect(d->tabs, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = d->lastTab;
        d->lastTab = index;
        tabClicked(previous);
    });
    connect(d->cmdCalculate, &QPushButton::clicked, this, [this] { cmdCalculateClick(); });

    // A selection by the user (or by CheckListEntry) raises activated; a selection by a
    // list routine only changes the index and finds the tag "noaction", which it clears.
    connect(d->kern, qOverload<int>(&QComboBox::activated), this, [this] { kernClick(); });
    connect(d->material, qOverload<int>(&QComboBox::activated), this, [this] { materialClick(); });
    for (QComboBox* list : {d->kern, d->material}) {
        connect(list, &QComboBox::currentIndexChanged, this, [list] {
            if (ui::Tag(list) == ui::kNoAction) ui::SetTag(list, QString());
        });
        list->installEventFilter(this);
        if (list->lineEdit()) list->lineEdit()->installEventFilter(this);
    }
    connect(d->lp, &QCheckBox::clicked, this, [this] { RecalculateCurrentTab(); });
    connect(d->ml, &QCheckBox::clicked, this, [this] { RecalculateCurrentTab(); });
    d->ml->installEventFilter(this);

    // µe vs. T
    connect(d->mue1opt, &QRadioButton::clicked, this, [this] { mueTOptionClicked(false); });
    connect(d->mue2opt, &QRadioButton::clicked, this, [this] { mueTOptionClicked(true); });
    ui::ClearOnUserEdit(d->mueT, {d->mue});
    ui::ClearOnUserEdit(d->s, {d->mue, d->mue25});
    d->s->installEventFilter(this);
    d->t1->installEventFilter(this);

    for (chart::Graph* g : d->graph) {
        if (g)
            connect(g, &chart::Graph::pointSelected, this,
                    [this](int index, int set, int point) { graphPointSelected(index, set, point); });
    }
}

bool CoreForm::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    QComboBox* list = nullptr;
    for (QComboBox* l : {d->kern, d->material}) {
        if (watched == l || watched == l->lineEdit()) list = l;
    }
    if (list && type == QEvent::KeyPress) return listKeyPress(list, static_cast<QKeyEvent*>(event));
    if ((watched == d->s || watched == d->t1) && type == QEvent::KeyPress &&
        IsEnter(static_cast<QKeyEvent*>(event)))
        d->enterPressedIn = watched;
    if ((watched == d->s || watched == d->t1) && type == QEvent::KeyRelease &&
        IsEnter(static_cast<QKeyEvent*>(event)) && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        // One press and release of Enter in the field is one recalculation.
        const bool pressedHere = d->enterPressedIn == watched;
        d->enterPressedIn = nullptr;
        if (pressedHere) RecalculateCurrentTab();
        return false;
    }
    if (watched == d->t1 && type == QEvent::MouseButtonDblClick) {
        RecalculateCurrentTab();
        return false;
    }
    if (watched == d->ml && type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) RecalculateCurrentTab();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

/// Key press in Kern or Material: lower-case letters (and the four characters below them,
/// codes 93 to 122) are typed as the character 32 codes lower; Enter checks the entry.
/// Returns true when the key was consumed.
bool CoreForm::listKeyPress(QComboBox* list, QKeyEvent* key) {
    if (IsEnter(key)) {
        if (list == d->kern)
            kernEnter();
        else
            materialEnter();
        return true;
    }
    return ui::TypeShiftedInto(list, *key);
}

// ---------------------------------------------------------------------------------------
// Tab model

void CoreForm::tabClicked(int previousTab) {
    if (previousTab >= 0 && previousTab < kTabCount && d->graph[previousTab])
        ui::ResetGraph(d->graph[previousTab], d->app);
    double tab = currentTab();
    ChangeTab(tab);
}

void CoreForm::placeTabControls(int tab) {
    const TabPlace& place = kTabPlaces[tab];
    auto moveInto = [](QWidget* w, QBoxLayout* slot, QWidget* page) {
        if (QWidget* holder = w->parentWidget(); holder && holder->layout())
            holder->layout()->removeWidget(w);
        if (slot) {
            slot->addWidget(w);
        } else {
            w->setParent(page);
            w->raise();
        }
    };
    QWidget* page = d->tabs->widget(tab);
    if (!place.calculate) {
        d->cmdCalculate->hide();
        d->picArrow[0]->hide();
        d->picArrow[1]->hide();
        return;
    }
    moveInto(d->cmdCalculate, d->calcSlot[tab], page);
    ui::PlaceCalculateButton(this, place.left, place.top, place.width);
    for (int k = 0; k < kArrowCount; ++k) {
        const ArrowPlace& a = place.arrows[k];
        if (!a.used) continue;
        moveInto(d->picArrow[k], d->arrowSlot[tab][k], page);
        d->arrowColour[k] = QStringLiteral("gray");
        ui::ShowArrow(d->app, QString::fromLatin1(a.orientation), d->picArrow[k], d->arrowColour[k], a.left,
                      a.top, 0);
        if (!d->arrowSlot[tab][k]) d->picArrow[k]->raise();
    }
    if (!d->calcSlot[tab]) d->cmdCalculate->raise();
    // The moved controls changed their slots' size hints: lay the page out again now.
    for (QWidget* w : std::initializer_list<QWidget*>{d->cmdCalculate, d->picArrow[0], d->picArrow[1]}) {
        if (QWidget* holder = w->parentWidget(); holder && holder != page && holder->layout())
            holder->layout()->activate();
    }
    if (page->layout()) page->layout()->activate();
}

void CoreForm::ChangeTab(double& /*tab*/) {
    ui::SetTag(d->material, QString());
    ui::SetTag(d->kern, QString());
    d->picArrow[2]->hide();
    d->ssFrame5->hide();
    d->frame3D1->setTitle(QStringLiteral("Core and material selection"));
    d->t25->hide();
    d->t100->hide();

    const int tab = currentTab();
    if (tab < 0 || tab >= kTabCount) return;
    if (d->graph[tab]) ui::ResetGraph(d->graph[tab], d->app);

    placeTabControls(tab);

    if (d->app.database) {
        data::Database& db = d->app.db();
        Guarded([&] {
            switch (static_cast<CoreTab>(tab)) {
            case CoreTab::PTrans:
                ui::FillPowerMaterialList(db, d->material);
                ui::FillRthCoreList(db, d->kern);
                break;
            case CoreTab::DcBias:
                ui::FillMuaMaterialList(db, d->material);
                ui::FillCoreList(db, d->kern);
                break;
            case CoreTab::Wire:
                ui::FillCoreList(db, d->kern);
                break;
            default:
                ui::FillMaterialList(db, d->material);
                ui::FillCoreList(db, d->kern);
                break;
            }
        });
    }
    d->kern->show();
    d->lp->show();
    d->ml->show();
    d->material->setVisible(tab != static_cast<int>(CoreTab::Wire));

    auto showFrame = [this](const char* name) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->show();
    };
    switch (static_cast<CoreTab>(tab)) {
    case CoreTab::DataOverview:
        showFrame("SSFrame2");
        break;
    case CoreTab::AlValue:
        d->alTab->enterTab();
        showFrame("SSFrame2");
        break;
    case CoreTab::MueT:
        showFrame("SSFrame1");
        break;
    case CoreTab::PTrans:
        showFrame("Frame3D3");
        break;
    case CoreTab::DcBias:
        d->graph[tab]->show();
        d->t25->show();
        d->t100->show();
        showFrame("SSFrame1");
        break;
    case CoreTab::HarmDistortion:
        // The arrow between the two design groups points the way of the chosen mode.
        d->harmonicTab->showModeArrow();
        break;
    case CoreTab::Wire:
        d->frame3D1->setTitle(QStringLiteral("Core selection"));
        d->graph[tab]->show();
        showFrame("SSFrame7");
        break;
    }
    RecalculateCurrentTab();
}

void CoreForm::ResetTabFields() {
    auto clear = [this](const auto& names) {
        for (const char* name : names) {
            if (auto* f = findChild<QLineEdit*>(QString::fromLatin1(name))) f->clear();
        }
    };
    switch (static_cast<CoreTab>(currentTab())) {
    case CoreTab::DataOverview:
        clear(kTab0Fields);
        break;
    case CoreTab::AlValue:
        d->alTab->ResetTabFields();
        break;
    case CoreTab::MueT:
        d->mue25->clear();
        d->mue->clear();
        break;
    case CoreTab::PTrans:
        d->pTransTab->ResetTabFields();
        break;
    case CoreTab::DcBias:
        d->dcBiasTab->ResetTabFields();
        break;
    case CoreTab::HarmDistortion:
        d->harmonicTab->ResetTabFields();
        break;
    case CoreTab::Wire:
        d->wireTab->ResetTabFields();
        break;
    }
}

void CoreForm::RecalculateCurrentTab() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ResetTabFields();
    if (d->app.database) {
        Guarded([&] {
            switch (static_cast<CoreTab>(currentTab())) {
            case CoreTab::DataOverview:
                // The material's values do not depend on the core: a fault in the core
                // record is reported and the material is still shown.
                Guarded([&] { showCoreParameters(); });
                showMaterialSpecifications();
                break;
            case CoreTab::AlValue:
                d->alTab->InitAlTab();
                break;
            case CoreTab::MueT:
                mueTRecalculate();
                break;
            case CoreTab::HarmDistortion:
                d->harmonicTab->Recalculate();
                break;
            case CoreTab::PTrans:
                d->pTransTab->Recalculate();
                break;
            case CoreTab::DcBias:
                d->dcBiasTab->recalculate();
                break;
            case CoreTab::Wire:
                d->wireTab->recalculate();
                break;
            }
        });
    }
    d->app.log.readingLogLines = 0;
    d->app.log.readingLog.clear();
    QApplication::restoreOverrideCursor();
}

void CoreForm::flashArrow(int index, const QString& orientation, int leftTwips, int topTwips, double pause) {
    d->arrowColour[index] = QStringLiteral("Orange");
    ui::ShowArrow(d->app, orientation, d->picArrow[index], d->arrowColour[index], leftTwips, topTwips, pause);
}

void CoreForm::cmdCalculateClick() {
    switch (static_cast<CoreTab>(currentTab())) {
    case CoreTab::DataOverview:
        break;
    case CoreTab::AlValue:
        for (int k = 0; k < kArrowCount; ++k)
            flashArrow(k, kHorizontal);
        d->alTab->InitAlCalculation();
        break;
    case CoreTab::MueT:
        flashArrow(0, kHorizontal);
        flashArrow(1, kHorizontal);
        if (IsDotOrEmpty(d->s->text())) d->s->setText(QStringLiteral("0"));
        if (!IsDotOrEmpty(d->mueT->text())) {
            RecalculateCurrentTab();
            if (d->app.database) Guarded([&] { mueAt25(); });
        }
        break;
    case CoreTab::PTrans:
        flashArrow(0, kHorizontal);
        flashArrow(1, kHorizontal);
        if (d->app.database) Guarded([&] { d->pTransTab->ComputeTransmissiblePower(); });
        break;
    case CoreTab::DcBias:
        flashArrow(0, QStringLiteral("vertikal"));
        flashArrow(1, kHorizontal);
        d->dcBiasTab->InitDCBiasInput();
        RecalculateCurrentTab();
        break;
    case CoreTab::HarmDistortion:
        flashArrow(1, kHorizontal, 7680, 5450, 0);
        d->harmonicTab->Calculate([this] { RecalculateCurrentTab(); });
        break;
    case CoreTab::Wire:
        flashArrow(0, kHorizontal);
        flashArrow(1, QStringLiteral("vertical"));
        d->wireTab->calculate();
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Selection panel

void CoreForm::kernClick() {
    if (ui::Tag(d->kern) == ui::kNoAction) {
        ui::SetTag(d->kern, QString());
        return;
    }
    CheckLowProfileAndLoch();
    if (currentTab() != static_cast<int>(CoreTab::Wire)) RecalculateCurrentTab();
}

/// A typed text that no longer equals the selected entry is no selection.
static void ForgetStaleSelection(QComboBox* list) {
    const int i = list->currentIndex();
    if (i >= 0 && list->currentText() != list->itemText(i)) {
        const QString typed = list->currentText();
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(-1);
        list->setEditText(typed);
    }
}

void CoreForm::kernEnter() {
    ForgetStaleSelection(d->kern);
    // One user action recalculates once: when the typed entry was selected, its click
    // handler has set the variants and recalculated already (except on the wire tab).
    if (ui::CheckListEntry(d->kern, QStringLiteral("core")) &&
        currentTab() != static_cast<int>(CoreTab::Wire))
        return;
    CheckLowProfileAndLoch();
    RecalculateCurrentTab();
}

void CoreForm::materialClick() {
    if (ui::Tag(d->material) == ui::kNoAction) {
        ui::SetTag(d->material, QString());
        return;
    }
    ResetTabFields();
    d->listTemp->setCurrentIndex(-1);
    d->listTemp->setEditText(QString());
    RecalculateCurrentTab();
}

void CoreForm::materialEnter() {
    ResetTabFields();
    ForgetStaleSelection(d->material);
    // When the typed entry was selected, its click handler has recalculated already.
    if (ui::CheckListEntry(d->material, QStringLiteral("material"))) return;
    RecalculateCurrentTab();
}

void CoreForm::ValidateCoreEntry() {
    ForgetStaleSelection(d->kern);
    ui::CheckListEntry(d->kern, QStringLiteral("core"));
}

void CoreForm::CheckLowProfileAndLoch() {
    d->lp->setEnabled(false);
    d->ml->setEnabled(false);
    d->lp->setChecked(false);
    d->ml->setChecked(false);
    if (!d->app.database) return;
    Guarded([&] {
        auto rs = d->app.db().openQuery(data::sql::CoreVariants(S(SelectedEntry(d->kern))));
        if (rs->recordCount() != 0) {
            rs->moveFirst();
            while (!rs->eof()) {
                const bool shown = rs->field("Anzeige").toBool();
                if (rs->field("Lp").toBool()) {
                    d->lp->setEnabled(true);
                    if (shown) d->lp->setChecked(true);
                }
                if (rs->field("Loch").toBool()) {
                    d->ml->setEnabled(true);
                    if (shown) d->ml->setChecked(true);
                }
                rs->moveNext();
            }
        }
        rs->close();
    });
}

namespace {
/// Shows a text in a filled list: selects the entry that equals it, or puts it into the
/// edit part of an editable list.
void ShowListText(QComboBox* list, const QString& text) {
    const int i = list->findText(text);
    if (i >= 0)
        list->setCurrentIndex(i);
    else if (list->isEditable())
        list->setEditText(text);
}
} // namespace

void CoreForm::FillComboBox(QComboBox* list, const QString& table, const QString& field,
                            const QString& initial) {
    if (!list || !d->app.database) return;
    const QString before = list->currentText();
    auto rs = d->app.db().openQuery(data::sql::DistinctColumn(S(table), S(field)));
    {
        const QSignalBlocker blocker(list);
        list->clear();
    }
    if (rs->recordCount() == 0) {
        if (list->isEditable()) list->setEditText(before);
        rs->close();
        return;
    }
    QString first;
    {
        const QSignalBlocker blocker(list);
        rs->moveFirst();
        while (!rs->eof()) {
            const QString entry = Q(rs->field(S(field)).toText());
            if (list->count() == 0) first = entry;
            list->addItem(entry);
            rs->moveNext();
        }
        list->setCurrentIndex(-1);
    }
    ShowListText(list, initial != kFirstValue ? initial : first);
    rs->close();
}

void CoreForm::FillComboBoxWith2Values(QComboBox* list, const QString& table, const QString& field1,
                                       const QString& field2, const QString& initial) {
    if (!list || !d->app.database) return;
    auto rs = d->app.db().openQuery(data::sql::DistinctRowTwoColumns(S(table), S(field1), S(field2)));
    QString first;
    {
        const QSignalBlocker blocker(list);
        list->clear();
        rs->moveFirst();
        while (!rs->eof()) {
            const QString entry = Q(rs->field(S(field1)).toText()) + QStringLiteral(" (") +
                                  Q(rs->field(S(field2)).toText()) + ')';
            if (list->count() == 0) first = entry;
            list->addItem(entry);
            rs->moveNext();
        }
        list->setCurrentIndex(-1);
    }
    if (initial != kFirstValue || list->count() > 0)
        ShowListText(list, initial == kFirstValue ? first : initial);
    rs->close();
}

// ---------------------------------------------------------------------------------------
// Data overview

void CoreForm::ShowIfNonZero(QLineEdit* field) {
    if (!field) return;
    const QString t = field->text().trimmed();
    bool hasDigit = false;
    for (const QChar c : t)
        hasDigit = hasDigit || c.isDigit();
    field->setVisible(hasDigit && text::ReadNumber(S(t)) != 0.0);
}

void CoreForm::showCoreParameters() {
    if (d->kern->currentIndex() == -1) return;
    struct Out {
        const char* field;
        const char* column;
        const char* pattern;
    };
    static constexpr Out kOut[] = {{"t9Ae", "Ae", "0.##"}, {"t9le", "le", "0.##"},
                                   {"t9Ve", "Ve", "0"},    {"t9Amin", "Amin", "0.##"},
                                   {"t9An", "An", "0.##"}, {"t9ln", "Ln", "0.##"}};
    for (const char* name : {"t9Ae", "t9le", "t9Ve", "t9Amin"})
        findChild<QLineEdit*>(QString::fromLatin1(name))->clear();
    const data::CoreSelection core{S(SelectedEntry(d->kern)), d->lp->isChecked(), d->ml->isChecked()};
    auto rs = d->app.db().openQuery(data::BuildCoreQuery(core));
    rs->moveFirst();
    while (!rs->eof()) {
        for (const Out& o : kOut) {
            const double v = rs->number(o.column).toDouble();
            findChild<QLineEdit*>(QString::fromLatin1(o.field))
                ->setText(std::isfinite(v) ? Q(text::FormatPattern(v, o.pattern)) : QString());
        }
        rs->moveNext();
    }
    rs->close();
}

void CoreForm::showMaterialSpecifications() {
    if (d->material->currentIndex() == -1) return;
    struct FieldFormat {
        int index;
        const char* column;
        const char* pattern;
    };
    static constexpr FieldFormat kFirst[] = {{1, "mui", "#"},    {2, "Bs25", "#"},    {3, "Bs100", "#"},
                                             {4, "HC25", "0.#"}, {5, "HC100", "0.#"}, {6, "TC", "#"},
                                             {7, "fmin", "#"},   {8, "fmax", "#"}};
    static constexpr FieldFormat kSecond[] = {{10, "hb", "0.#"},
                                              {11, "af", "0.#"},
                                              {12, "Dichte", "0.#"},
                                              {13, "dcresist", "0.#"},
                                              {14, "PV", "0.#"}};
    auto field = [this](int i) { return findChild<QLineEdit*>(QStringLiteral("t9Text%1").arg(i)); };
    auto write = [&](const data::Recordset& rs, const FieldFormat& s) {
        const double v = rs.number(s.column).toDouble();
        QLineEdit* f = field(s.index);
        f->setText(std::isfinite(v) ? Q(text::FormatPattern(v, s.pattern)) : QString());
        ShowIfNonZero(f);
    };

    auto rs = d->app.db().openQuery(data::sql::MaterialByName(S(SelectedEntry(d->material))));
    if (rs->recordCount() != 0) {
        rs->moveFirst();
        while (!rs->eof()) {
            for (const FieldFormat& s : kFirst)
                write(*rs, s);
            const bool power = rs->field("Leistung").toBool();
            const Value tand = rs->number("tandmuei");
            QLineEdit* t9Text9 = field(9);
            if (power && tand.toDouble() != 0.0) {
                t9Text9->show();
                t9Text9->setText(Q(tand.toText()));
            } else {
                t9Text9->hide();
            }
            for (const FieldFormat& s : kSecond)
                write(*rs, s);
            if (power && !field(14)->isHidden()) {
                auto intText = [&](const char* column) {
                    return Q(text::RoundedIntText(rs->number(column).toDouble()));
                };
                d->t9Label20->show();
                d->t9Label20->setText(QStringLiteral("Pv(f") + intText("f") + QStringLiteral(",B") +
                                      intText("B") + QStringLiteral(",T") + intText("T") +
                                      QStringLiteral(") [kW/m³]"));
            } else {
                d->t9Label20->hide();
            }
            rs->moveNext();
        }
    }
    rs->close();
}

// ---------------------------------------------------------------------------------------
// µe vs. T

namespace {
MueTInput ReadMueTInput(const QComboBox* material, const QComboBox* kern, const QLineEdit* s,
                        const QLineEdit* le, const QLineEdit* t1) {
    MueTInput in;
    in.material = S(SelectedEntry(material));
    in.coreType = S(SelectedEntry(kern));
    in.s_mm = OptionalNumber(s);
    in.le_mm = OptionalNumber(le);
    in.t1_C = text::ReadNumber(S(t1->text()));
    return in;
}
} // namespace

void CoreForm::mueTSetUp() {
    if (d->kern->currentText().isEmpty()) return;
    const data::CoreSelection core{S(d->kern->currentText()), d->lp->isChecked(), d->ml->isChecked()};
    d->le->setText(Q(text::CommaToPoint(PathLengthText(d->app.db(), core))));
}

void CoreForm::mueTPointReader() {
    const MueTInput in = ReadMueTInput(d->material, d->kern, d->s, d->le, d->t1);
    const MueTReading r = MueAtTemperature(d->app.db(), in, OptionalNumber(d->mueT));
    if (r.valid) d->mue->setText(Q(text::FormatPattern(r.value, "#.#")));
}

void CoreForm::mueTRelativePointReader(double t) {
    const MueTInput in = ReadMueTInput(d->material, d->kern, d->s, d->le, d->t1);
    const std::optional<double> at = d->mueT->text().isEmpty() ? std::nullopt : std::optional<double>(t);
    const MueTReading r = RelativeChangeAt(d->app.db(), in, at);
    d->mue->setText(r.valid ? Q(text::FormatPattern(r.value, "#.##")) : QString());
}

void CoreForm::mueAt25() {
    const MueTInput in = ReadMueTInput(d->material, d->kern, d->s, d->le, d->t1);
    const MueTReading r = MueAt25(d->app.db(), in);
    if (r.valid) d->mue25->setText(Q(text::FormatPattern(r.value, "#.#")));
}

void CoreForm::mueTCurve(bool relative) {
    const MueTInput in = ReadMueTInput(d->material, d->kern, d->s, d->le, d->t1);
    const MueTCurve curve =
        MueTCurvePoints(d->app.db(), in, relative ? MueTCurveKind::Relative : MueTCurveKind::Absolute);
    chart::Graph* graph = d->graph[static_cast<int>(CoreTab::MueT)];
    chart::ChartModel& m = graph->model();
    m.setGraphTitle(curve.graphTitle);
    m.setLeftTitle(relative ? "dµe/µe [%]" : "µe");
    if (!curve.valid) {
        if (!curve.message.empty()) ui::ShowMessage(Q(curve.message));
        return;
    }
    // Each curve goes into the last set, which the previous curve left empty (after a
    // reset: set 1), and leaves one more set behind it.
    const int set = m.numSets();
    m.setThisSet(set);
    m.setNumPoints(static_cast<int>(num::MaxOf(m.numPoints(), curve.rowCount)));
    m.setLegendText(curve.legend);
    for (const MueTPoint& p : curve.points) {
        m.setThisPoint(p.index);
        m.setYValue(p.y);
        m.setXValue(p.t_C);
    }
    m.setDrawMode(3);
    m.setNumSets(set + 1);
}

void CoreForm::mueTRecalculate() {
    // The air gap has the limits of the Al value tab: out of them, the message and the
    // replacement value, then the calculation with it.
    if (GapOutOfRange(OptionalNumber(d->s))) {
        ui::ShowValueOutOfRange(this);
        d->s->setText(QString::fromLatin1(kGapReplacement));
    }
    mueTSetUp();
    mueTPointReader();
    if (d->mue1opt->isChecked()) mueTCurve(false);
    if (d->mue2opt->isChecked()) {
        mueTCurve(true);
        mueTRelativePointReader(text::ReadNumber(S(d->mueT->text())));
    }
}

void CoreForm::mueTOptionClicked(bool relative) {
    ui::ResetGraph(d->graph[static_cast<int>(CoreTab::MueT)], d->app);
    d->label13->setText(relative ? QStringLiteral("dµe/µe[%]") : QStringLiteral("µe"));
    d->mue->clear();
    if (d->app.database) Guarded([&] { mueTCurve(relative); });
}

// ---------------------------------------------------------------------------------------
// Graph reader

void CoreForm::graphPointSelected(int /*index*/, int set, int point) {
    const int tab = currentTab();
    if (tab < 0 || tab >= kTabCount || !d->graph[tab]) return;
    if (set != d->lastReadSet) d->app.log.clear();
    chart::ChartModel& m = d->graph[tab]->model();
    m.setThisSet(set);
    m.setThisPoint(point);
    d->lastReadSet = set;
    const double xValue = m.xValue();
    const double yValue = m.yValue();
    if (!std::isfinite(xValue) || !std::isfinite(yValue)) return;

    const QString x = Q(text::CommaToPoint(PlainNumberText(xValue)));
    QString y = Q(text::FormatPattern(yValue, "0.##"));
    if (y.endsWith(QLatin1Char(','))) y.chop(1);
    if (y.endsWith(QLatin1Char('.'))) y.chop(1);

    const QString previousCurve = d->gr1->text();
    d->gr1->setText(Q(m.legendText()));
    d->ssFrame5->show();

    switch (static_cast<CoreTab>(tab)) {
    case CoreTab::MueT:
        d->gr2->setText(QStringLiteral("T=") + x + QStringLiteral("[°C]"));
        if (d->mue1opt->isChecked()) {
            d->gr3->setText(QStringLiteral("µe=") + y);
            d->label13->setText(QStringLiteral("µe"));
        }
        if (d->mue2opt->isChecked()) {
            d->gr3->setText(QStringLiteral("dµe/µe=") + y + QStringLiteral("[%]"));
            d->label13->setText(QStringLiteral("dµe/µe[%]"));
        }
        d->mueT->setText(x);
        d->mue->setText(y);
        if (d->app.database) {
            Guarded([&] {
                mueTSetUp();
                if (d->mue1opt->isChecked())
                    mueTPointReader();
                else
                    mueTRelativePointReader(text::ReadNumber(S(x)));
            });
        }
        break;
    case CoreTab::DcBias: {
        const std::array<QString, 2> reading = d->dcBiasTab->readPoint(xValue, y);
        d->gr2->setText(reading[0]);
        d->gr3->setText(reading[1]);
        break;
    }
    case CoreTab::Wire:
        d->gr2->setText(QStringLiteral("Rac/Rdc=") + y);
        d->gr3->setText(QStringLiteral("f=") + x + QStringLiteral("[kHz]"));
        break;
    default:
        break;
    }
    d->app.log.append(S(d->gr2->text()), S(d->gr3->text()), d->gr1->text() != previousCurve);
}

} // namespace tolvik::core

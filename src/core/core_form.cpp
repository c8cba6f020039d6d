// The Core calculation window: tab model, selection panel and graph reader. Each tab is a
// page of its own (overview_tab, al_value_tab, mue_t_tab, p_trans_tab, dc_bias_tab,
// harmonic_tab, wire_tab); the window routes the events to the page of the current tab.

#include "tolvik/core/core_form.h"

#include "core_form_p.h"
#include "tolvik/chart/graph.h"
#include "tolvik/core/al_value_tab.h"
#include "tolvik/core/dc_bias_tab.h"
#include "tolvik/core/harmonic_tab.h"
#include "tolvik/core/mue_t_tab.h"
#include "tolvik/core/overview_tab.h"
#include "tolvik/core/p_trans_tab.h"
#include "tolvik/core/wire_tab.h"
#include "tolvik/data/records.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/key_codes.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

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

namespace tolvik::core {

namespace {

const QString kFirstValue = QStringLiteral("FirstValue");

/// Where the Calculate button and the arrows go on a tab (twips). On pages with slots the
/// layout decides the final place.
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

/// The arrows Calculate highlights on a tab (moved only where top > 0).
constexpr ArrowPlace kCalculateFlash[kTabCount][kArrowCount] = {
    {},
    {{true}, {true}, {true}},
    {{true}, {true}, {}},
    {{true}, {true}, {}},
    {{true, 0, 0, "vertikal"}, {true}, {}},
    {{}, {true, 7680, 5450}, {}},
    {{true}, {true, 0, 0, "vertical"}, {}},
};

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

} // namespace

// ---------------------------------------------------------------------------------------
// Opening the window

CoreForm::CoreForm(AppContext& app, QWidget* parent)
    : ui::WorkingWindow(app, parent), d(std::make_unique<Private>()) {
    buildWindow();
    connectSignals();
    formLoad();
}

CoreForm::~CoreForm() = default;

QSize CoreForm::sizeHint() const {
    return minimumSizeHint();
}

CorePage* CoreForm::page(int tab) const {
    return tab >= 0 && tab < kTabCount ? d->pages[static_cast<size_t>(tab)] : nullptr;
}

void CoreForm::formLoad() {
    move(0, ui::TwipsToPixels(20));
    d->cmdCalculate->hide();
    d->picArrow[0]->hide();
    d->picArrow[1]->hide();
    if (app_.database) {
        ui::Guarded([&] {
            ui::FillMaterialList(app_.db(), d->material);
            ui::FillCoreList(app_.db(), d->kern);
        });
    }
    setMainCopyEnabled(false);
    d->harmonicTab->selectN1N2R1R2Mode();
}

void CoreForm::connectSignals() {
    connect(tabControl(), &QTabWidget::currentChanged, this, [this](int index) {
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
    // The temperature options are shown on the DC-bias tab only.
    connect(d->t25, &QRadioButton::clicked, this, [this] { RecalculateCurrentTab(); });
    connect(d->t100, &QRadioButton::clicked, this, [this] { RecalculateCurrentTab(); });

    for (CorePage* p : d->pages) {
        if (chart::Graph* g = p->graph())
            connect(g, &chart::Graph::pointSelected, this,
                    [this](int /*index*/, int set, int point) { graphPointSelected(set, point); });
    }
}

bool CoreForm::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    QComboBox* list = nullptr;
    for (QComboBox* l : {d->kern, d->material}) {
        if (watched == l || watched == l->lineEdit()) list = l;
    }
    if (list && type == QEvent::KeyPress) return listKeyPress(list, static_cast<QKeyEvent*>(event));
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
    if (ui::IsEnter(key)) {
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
    if (CorePage* previous = page(previousTab)) ui::ResetGraph(previous->graph(), app_);
    ChangeTab(currentTab());
}

void CoreForm::placeTabControls(int tab) {
    const TabPlace& place = kTabPlaces[tab];
    const CorePage* p = page(tab);
    auto moveInto = [](QWidget* w, QBoxLayout* slot, QWidget* into) {
        if (QWidget* holder = w->parentWidget(); holder && holder->layout())
            holder->layout()->removeWidget(w);
        if (slot) {
            slot->addWidget(w);
        } else {
            w->setParent(into);
            w->raise();
        }
    };
    QWidget* tabPage = tabControl()->widget(tab);
    if (!place.calculate) {
        d->cmdCalculate->hide();
        d->picArrow[0]->hide();
        d->picArrow[1]->hide();
        return;
    }
    moveInto(d->cmdCalculate, p->calculateSlot(), tabPage);
    ui::PlaceCalculateButton(d->cmdCalculate, place.left, place.top, place.width);
    for (int k = 0; k < kArrowCount; ++k) {
        const ArrowPlace& a = place.arrows[k];
        if (!a.used) continue;
        moveInto(d->picArrow[k], p->arrowSlot(k), tabPage);
        d->arrowColour[k] = QStringLiteral("gray");
        ui::ShowArrow(app_, QString::fromLatin1(a.orientation), d->picArrow[k], d->arrowColour[k], a.left,
                      a.top);
        if (!p->arrowSlot(k)) d->picArrow[k]->raise();
    }
    if (!p->calculateSlot()) d->cmdCalculate->raise();
    // The moved controls changed their slots' size hints: lay the page out again now.
    for (QWidget* w : std::initializer_list<QWidget*>{d->cmdCalculate, d->picArrow[0], d->picArrow[1]}) {
        if (QWidget* holder = w->parentWidget(); holder && holder != tabPage && holder->layout())
            holder->layout()->activate();
    }
    if (tabPage->layout()) tabPage->layout()->activate();
}

void CoreForm::ChangeTab(double tab) {
    if (!(tab >= 0 && tab < kTabCount)) return;
    const int t = static_cast<int>(tab);
    if (t != currentTab()) {
        // Making it current sets it up.
        tabControl()->setCurrentIndex(t);
        return;
    }
    CorePage* p = page(t);

    ui::SetTag(d->material, QString());
    ui::SetTag(d->kern, QString());
    d->picArrow[2]->hide();
    reader().frame->hide();
    d->frame3D1->setTitle(QStringLiteral("Core and material selection"));
    d->t25->hide();
    d->t100->hide();

    if (p->graph()) ui::ResetGraph(p->graph(), app_);

    placeTabControls(t);

    const SelectionLists lists = p->selectionLists();
    if (app_.database) {
        data::Database& db = app_.db();
        ui::Guarded([&] {
            switch (lists) {
            case SelectionLists::PowerMaterials:
                ui::FillPowerMaterialList(db, d->material);
                ui::FillRthCoreList(db, d->kern);
                break;
            case SelectionLists::AmplitudeMaterial:
                ui::FillMuaMaterialList(db, d->material);
                ui::FillCoreList(db, d->kern);
                break;
            case SelectionLists::CoresOnly:
                ui::FillCoreList(db, d->kern);
                break;
            case SelectionLists::All:
                ui::FillMaterialList(db, d->material);
                ui::FillCoreList(db, d->kern);
                break;
            }
        });
    }
    d->kern->show();
    d->lp->show();
    d->ml->show();
    d->material->setVisible(lists != SelectionLists::CoresOnly);
    if (lists == SelectionLists::CoresOnly) d->frame3D1->setTitle(QStringLiteral("Core selection"));
    if (p->usesTemperatureOptions()) {
        d->t25->show();
        d->t100->show();
    }
    p->enter();
    RecalculateCurrentTab();
}

void CoreForm::ResetTabFields() {
    if (CorePage* p = page(currentTab())) p->clearResults();
}

void CoreForm::RecalculateCurrentTab() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ResetTabFields();
    if (CorePage* p = page(currentTab()); p && app_.database) ui::Guarded([&] { p->recalculate(); });
    app_.log.readingLogLines = 0;
    app_.log.readingLog.clear();
    QApplication::restoreOverrideCursor();
}

void CoreForm::flashArrow(int index, const QString& orientation, int leftTwips, int topTwips) {
    d->arrowColour[index] = QStringLiteral("Orange");
    ui::ShowArrow(app_, orientation, d->picArrow[index], d->arrowColour[index], leftTwips, topTwips);
}

void CoreForm::cmdCalculateClick() {
    const int tab = currentTab();
    CorePage* p = page(tab);
    if (!p) return;
    for (int k = 0; k < kArrowCount; ++k) {
        const ArrowPlace& a = kCalculateFlash[tab][k];
        if (a.used) flashArrow(k, QString::fromLatin1(a.orientation), a.left, a.top);
    }
    p->calculate();
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

void CoreForm::kernEnter() {
    ui::ForgetStaleSelection(d->kern);
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
    ui::ForgetStaleSelection(d->material);
    // When the typed entry was selected, its click handler has recalculated already.
    if (ui::CheckListEntry(d->material, QStringLiteral("material"))) return;
    RecalculateCurrentTab();
}

void CoreForm::ValidateCoreEntry() {
    ui::ForgetStaleSelection(d->kern);
    ui::CheckListEntry(d->kern, QStringLiteral("core"));
}

void CoreForm::CheckLowProfileAndLoch() {
    d->lp->setEnabled(false);
    d->ml->setEnabled(false);
    d->lp->setChecked(false);
    d->ml->setChecked(false);
    if (!app_.database) return;
    ui::Guarded([&] {
        auto rs = app_.db().openQuery(data::sql::CoreVariants(S(SelectedEntry(d->kern))));
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
    if (!list || !app_.database) return;
    const QString before = list->currentText();
    auto rs = app_.db().openQuery(data::sql::DistinctColumn(S(table), S(field)));
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
    if (!list || !app_.database) return;
    auto rs = app_.db().openQuery(data::sql::DistinctRowTwoColumns(S(table), S(field1), S(field2)));
    QString first;
    {
        const QSignalBlocker blocker(list);
        list->clear();
        rs->moveFirst();
        while (!rs->eof()) {
            // A number (the wire's diameter) is shown with the system's separator.
            const auto shown = [&](const QString& field) {
                const Value v = rs->field(S(field));
                return Q(v.isNumber() ? text::WithDecimalSeparator(v.toText()) : v.toText());
            };
            const QString entry = shown(field1) + QStringLiteral(" (") + shown(field2) + ')';
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

void CoreForm::ShowIfNonZero(QLineEdit* field) {
    OverviewTab::ShowIfNonZero(field);
}

// ---------------------------------------------------------------------------------------
// Graph reader

void CoreForm::graphPointSelected(int set, int point) {
    if (!currentGraph()) return;
    if (set != d->lastReadSet) app_.log.clear();
    d->lastReadSet = set;
    if (readPoint(set, point, "0.##", true)) reader().frame->show();
}

// ---------------------------------------------------------------------------------------
// What the pages ask of the window

void CoreForm::selectPart(const Part& part) {
    // As the user chooses: an entry of the list taken, then the variant boxes.
    const auto choose = [](QComboBox* list, const QString& entry) {
        const int i = list->findText(entry, Qt::MatchFixedString);
        if (i < 0) return;
        list->setCurrentIndex(i);
        emit list->activated(i);
    };
    choose(d->kern, part.core);
    d->lp->setChecked(part.lowProfile);
    d->ml->setChecked(part.withHole);
    choose(d->material, part.material);
}

void CoreForm::showChoke(const Part& part, bool at100C, double l_mH, double idc_A, double drop_pct) {
    if (currentTab() != kDcBiasTab) ChangeTab(kDcBiasTab);
    selectPart(part);
    (at100C ? d->t100 : d->t25)->setChecked(true);
    d->dcBiasTab->setInputs(l_mH, idc_A, drop_pct);
    RecalculateCurrentTab();
}

void CoreForm::showTransformer(const Part& part, double f_kHz, double dTCu_K, double dTFe_K, double fr,
                               int converter) {
    if (currentTab() != kPTransTab) ChangeTab(kPTransTab);
    selectPart(part);
    // The recalculation loads the geometry and the material's figures; Calculate then
    // computes with the inputs typed.
    RecalculateCurrentTab();
    d->pTransTab->setInputs(f_kHz, dTCu_K, dTFe_K, fr, converter);
    d->cmdCalculate->click();
}

QString CoreForm::selectedCore() const {
    return SelectedEntry(d->kern);
}

QString CoreForm::coreText() const {
    return d->kern->currentText();
}

bool CoreForm::lowProfile() const {
    return d->lp->isChecked();
}

bool CoreForm::withHole() const {
    return d->ml->isChecked();
}

QString CoreForm::selectedMaterial() const {
    return SelectedEntry(d->material);
}

bool CoreForm::at25C() const {
    return d->t25->isChecked();
}

void CoreForm::recalculateCurrentTab() {
    RecalculateCurrentTab();
}

void CoreForm::validateCoreEntry() {
    ValidateCoreEntry();
}

void CoreForm::fillList(QComboBox* list, const QString& table, const QString& field, const QString& initial) {
    FillComboBox(list, table, field, initial);
}

void CoreForm::fillPairList(QComboBox* list, const QString& table, const QString& field1,
                            const QString& field2, const QString& initial) {
    FillComboBoxWith2Values(list, table, field1, field2, initial);
}

WireResistanceTexts CoreForm::wireResistances() const {
    return d->wireTab->resistances();
}

CoreDimensionTexts CoreForm::coreDimensions() const {
    return d->overviewTab->coreDimensions();
}

void CoreForm::setCoreDimensions(const CoreDimensionTexts& texts) {
    d->overviewTab->setCoreDimensions(texts);
}

void CoreForm::showStatusHint(const QString& hint) {
    // The status line is the main window's; without a main window there is none.
    if (host()) host()->showStatusHint(hint);
}

QLabel* CoreForm::arrowPicture(int index) const {
    return index >= 0 && index < kArrowCount ? d->picArrow[static_cast<size_t>(index)] : nullptr;
}

bool CoreForm::isCurrentPage(const ui::TabPage* p) const {
    return p && page(currentTab()) == p;
}

} // namespace tolvik::core

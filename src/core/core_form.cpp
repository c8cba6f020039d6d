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
    // The main window has these read once it stands; a window opened on its own reads them
    // while it opens and the user looks at it.
    ReadNamesAhead(app);
    setUp();
    d->harmonicTab->selectN1N2R1R2Mode();
}

CoreForm::~CoreForm() = default;

void CoreForm::ReadNamesAhead(AppContext& app) {
    if (app.database) app.database->readNamesAhead("Kernform", "Kerntyp");
}

QSize CoreForm::sizeHint() const {
    return minimumSizeHint();
}

CorePage* CoreForm::page(int tab) const {
    return tab >= 0 && tab < kTabCount ? d->pages[static_cast<size_t>(tab)] : nullptr;
}

void CoreForm::connectSignals() {
    connect(selection().kern, qOverload<int>(&QComboBox::activated), this, [this] { kernClick(); });
    connect(selection().material, qOverload<int>(&QComboBox::activated), this, [this] { materialClick(); });
    connect(selection().lowProfile, &QCheckBox::clicked, this, [this] { RecalculateCurrentTab(); });
    connect(selection().withHole, &QCheckBox::clicked, this, [this] { RecalculateCurrentTab(); });
    watchLeaving(selection().withHole);
    // The temperature options are shown on the DC-bias tab only.
    connect(selection().t25, &QRadioButton::clicked, this, [this] { RecalculateCurrentTab(); });
    connect(selection().t100, &QRadioButton::clicked, this, [this] { RecalculateCurrentTab(); });

    for (CorePage* p : d->pages) {
        if (chart::Graph* g = p->graph())
            connect(g, &chart::Graph::pointSelected, this,
                    [this](int /*index*/, int set, int point) { graphPointSelected(set, point); });
    }
}

void CoreForm::listEntered(QComboBox* list) {
    if (list == selection().kern)
        kernEnter();
    else
        materialEnter();
}

void CoreForm::controlLeft(QObject* /*withHole*/) {
    RecalculateCurrentTab();
}

// ---------------------------------------------------------------------------------------
// Tab model

void CoreForm::tabChanged(int previousTab) {
    if (CorePage* previous = page(previousTab)) ui::ResetGraph(previous->graph(), app_);
    ChangeTab(currentTab());
}

void CoreForm::placeTabControls(int tab) {
    const TabPlace& place = kTabPlaces[tab];
    const CorePage* p = page(tab);
    auto moveInto = [](QWidget* w, QBoxLayout* slot, QWidget* into) {
        // Where it is already (the tab entered again): taking it out and back would hide and
        // show it, and each showing lays out the whole window.
        if (slot ? slot->indexOf(w) >= 0 : w->parentWidget() == into) return;
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
        calculateButton()->hide();
        d->picArrow[0]->hide();
        d->picArrow[1]->hide();
        return;
    }
    moveInto(calculateButton(), p->calculateSlot(), tabPage);
    ui::PlaceCalculateButton(calculateButton(), place.left, place.top, place.width);
    for (int k = 0; k < kArrowCount; ++k) {
        const ArrowPlace& a = place.arrows[k];
        if (!a.used) continue;
        moveInto(d->picArrow[k], p->arrowSlot(k), tabPage);
        d->arrowColour[k] = QStringLiteral("gray");
        ui::ShowArrow(app_, QString::fromLatin1(a.orientation), d->picArrow[k], d->arrowColour[k], a.left,
                      a.top);
        if (!p->arrowSlot(k)) d->picArrow[k]->raise();
    }
    if (!p->calculateSlot()) calculateButton()->raise();
    // The moved controls changed their slots' size hints: lay the page out again now.
    for (QWidget* w : std::initializer_list<QWidget*>{calculateButton(), d->picArrow[0], d->picArrow[1]}) {
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

    ui::SetTag(selection().material, QString());
    ui::SetTag(selection().kern, QString());
    d->picArrow[2]->hide();
    reader().frame->hide();
    selection().frame->setTitle(QStringLiteral("Core and material selection"));

    if (p->graph()) ui::ResetGraph(p->graph(), app_);

    placeTabControls(t);

    const SelectionLists lists = p->selectionLists();
    if (app_.database) {
        data::Database& db = app_.db();
        ui::Guarded([&] {
            switch (lists) {
            case SelectionLists::PowerMaterials:
                ui::FillPowerMaterialList(db, selection().material);
                break;
            case SelectionLists::AmplitudeMaterial:
                ui::FillMuaMaterialList(db, selection().material);
                break;
            case SelectionLists::All:
                ui::FillMaterialList(db, selection().material);
                break;
            case SelectionLists::CoresOnly:
                break;
            }
            if (lists == SelectionLists::PowerMaterials)
                ui::FillRthCoreList(db, selection().kern);
            else
                ui::FillCoreList(db, selection().kern);
        });
    }
    selection().kern->show();
    selection().lowProfile->show();
    selection().withHole->show();
    selection().material->setVisible(lists != SelectionLists::CoresOnly);
    if (lists == SelectionLists::CoresOnly) selection().frame->setTitle(QStringLiteral("Core selection"));
    // Shown by the tabs that use them, hidden on the others; set once (each showing of a
    // control lays out the whole window).
    selection().t25->setVisible(p->usesTemperatureOptions());
    selection().t100->setVisible(p->usesTemperatureOptions());
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

void CoreForm::calculateClicked() {
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
    if (ui::Tag(selection().kern) == ui::kNoAction) {
        ui::SetTag(selection().kern, QString());
        return;
    }
    CheckLowProfileAndLoch();
    if (currentTab() != static_cast<int>(CoreTab::Wire)) RecalculateCurrentTab();
}

void CoreForm::kernEnter() {
    ui::ForgetStaleSelection(selection().kern);
    // One user action recalculates once: when the typed entry was selected, its click
    // handler has set the variants and recalculated already (except on the wire tab).
    if (ui::CheckListEntry(selection().kern, QStringLiteral("core")) &&
        currentTab() != static_cast<int>(CoreTab::Wire))
        return;
    CheckLowProfileAndLoch();
    RecalculateCurrentTab();
}

void CoreForm::materialClick() {
    if (ui::Tag(selection().material) == ui::kNoAction) {
        ui::SetTag(selection().material, QString());
        return;
    }
    ResetTabFields();
    d->listTemp->setCurrentIndex(-1);
    d->listTemp->setEditText(QString());
    RecalculateCurrentTab();
}

void CoreForm::materialEnter() {
    ResetTabFields();
    ui::ForgetStaleSelection(selection().material);
    // When the typed entry was selected, its click handler has recalculated already.
    if (ui::CheckListEntry(selection().material, QStringLiteral("material"))) return;
    RecalculateCurrentTab();
}

void CoreForm::ValidateCoreEntry() {
    ui::ForgetStaleSelection(selection().kern);
    ui::CheckListEntry(selection().kern, QStringLiteral("core"));
}

void CoreForm::CheckLowProfileAndLoch() {
    selection().lowProfile->setEnabled(false);
    selection().withHole->setEnabled(false);
    selection().lowProfile->setChecked(false);
    selection().withHole->setChecked(false);
    if (!app_.database) return;
    ui::Guarded([&] {
        const data::CoreVariants v = data::ReadCoreVariants(app_.db(), S(SelectedEntry(selection().kern)));
        selection().lowProfile->setEnabled(v.lowProfile);
        selection().lowProfile->setChecked(v.lowProfileShown);
        selection().withHole->setEnabled(v.hole);
        selection().withHole->setChecked(v.holeShown);
    });
}

void CoreForm::FillComboBox(QComboBox* list, const QString& table, const QString& field,
                            const QString& initial) {
    if (list && app_.database) ui::FillColumnList(app_.db(), list, table, field, initial);
}

void CoreForm::FillComboBoxWith2Values(QComboBox* list, const QString& table, const QString& field1,
                                       const QString& field2, const QString& initial) {
    if (list && app_.database) ui::FillColumnPairList(app_.db(), list, table, field1, field2, initial);
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
    choose(selection().kern, part.core);
    selection().lowProfile->setChecked(part.lowProfile);
    selection().withHole->setChecked(part.withHole);
    choose(selection().material, part.material);
}

void CoreForm::showChoke(const Part& part, bool at100C, double l_mH, double idc_A, double drop_pct) {
    if (currentTab() != kDcBiasTab) ChangeTab(kDcBiasTab);
    selectPart(part);
    (at100C ? selection().t100 : selection().t25)->setChecked(true);
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
    calculateButton()->click();
}

QString CoreForm::selectedCore() const {
    return SelectedEntry(selection().kern);
}

QString CoreForm::coreText() const {
    return selection().kern->currentText();
}

bool CoreForm::lowProfile() const {
    return selection().lowProfile->isChecked();
}

bool CoreForm::withHole() const {
    return selection().withHole->isChecked();
}

QString CoreForm::selectedMaterial() const {
    return SelectedEntry(selection().material);
}

const data::CoreGeometry& CoreForm::coreGeometry() const {
    const data::CoreSelection now = core();
    return d->geometry.get(now, app_.database.get(),
                           [&] { return data::CoreGeometry::Read(app_.db(), now); });
}

const data::MaterialValues& CoreForm::materialValues() const {
    const std::string now = selectedMaterial().toStdString();
    return d->material.get(now, app_.database.get(),
                           [&] { return data::MaterialValues::Read(app_.db(), now); });
}

bool CoreForm::at25C() const {
    return selection().t25->isChecked();
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

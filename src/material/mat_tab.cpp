// The Material properties window: tab model, material selection, Calculate and the graph
// reader. Each tab is a page of its own (hysteresis_tab, mui_t_tab, power_loss_tab,
// amplitude_tab, complex_mu_tab); the formulas are in the Qt-free files of this folder.

#include "tolvik/material/mat_tab.h"

#include "mat_tab_p.h"
#include "tolvik/chart/graph.h"
#include "tolvik/material/amplitude_tab.h"
#include "tolvik/material/complex_mu_tab.h"
#include "tolvik/material/hysteresis_tab.h"
#include "tolvik/material/mui_t_tab.h"
#include "tolvik/material/power_loss_tab.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/key_codes.h"
#include "tolvik/ui_common/lists.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

namespace tolvik::material {

namespace {

const QString kVertical = QStringLiteral("vertikal");
constexpr int kArrowLeft = 10320;
constexpr int kArrowTop = 3420;

} // namespace

// ---------------------------------------------------------------------------------------
// Opening the window

MatTab::MatTab(AppContext& app, QWidget* parent)
    : ui::WorkingWindow(app, parent), d(std::make_unique<Private>()) {
    setUp();
}

MatTab::~MatTab() {
    // The pages go after the window's own state: their removal must not reach the tab model.
    tabControl()->disconnect(this);
}

QSize MatTab::sizeHint() const {
    return minimumSizeHint();
}

MatPage* MatTab::page(int tab) const {
    return d->pages.at(static_cast<size_t>(tab));
}

QString MatTab::selectedMaterial() const {
    const int i = selection().material->currentIndex();
    return i < 0 ? QString() : selection().material->itemText(i);
}

bool MatTab::at25C() const {
    return selection().t25->isChecked();
}

void MatTab::calculate() {
    calculateClicked();
}

void MatTab::showMui(const QString& text) {
    d->muiTTab->showMui(text);
}

ui::CopyRequest MatTab::copyRequest() const {
    using Kind = ui::CopyRequest::Kind;
    const std::string material = selection().material->currentText().toStdString();
    if (material.empty()) return {Kind::NoMaterial, {}};
    const std::optional<ui::CopyColumn> column = page(currentTab())->copyColumn(material);
    if (!column) return {Kind::NoCurve, {}};
    return {Kind::Column, *column};
}

void MatTab::errors() {
    QCoreApplication::processEvents();
}

void MatTab::connectSignals() {
    connect(selection().material, qOverload<int>(&QComboBox::activated), this,
            [this] { materialActivated(); });
    connect(selection().kern, qOverload<int>(&QComboBox::activated), this, [this] { ShowSelectedCurve(); });
    connect(selection().lowProfile, &QCheckBox::clicked, this, [this] { ShowSelectedCurve(); });
    connect(selection().withHole, &QCheckBox::clicked, this, [this] { ShowSelectedCurve(); });
    watchLeaving(selection().material->lineEdit());

    connect(selection().t25, &QRadioButton::toggled, this, [this](bool on) {
        if (on) temperatureSelected(true);
    });
    connect(selection().t100, &QRadioButton::toggled, this, [this](bool on) {
        if (on) temperatureSelected(false);
    });

    for (MatPage* p : d->pages)
        connect(p->graph(), &chart::Graph::pointSelected, this,
                [this](int, int set, int point) { ReadDataPoint(set, point); });
}

void MatTab::listEntered(QComboBox* list) {
    if (list == selection().material) materialEnter();
}

void MatTab::controlLeft(QObject* /*materialText*/) {
    materialLeft();
}

// ---------------------------------------------------------------------------------------
// Tab model

void MatTab::tabChanged(int previousTab) {
    ui::ResetGraph(page(previousTab)->graph(), app_);
    d->setUpTab = -1;
    // The main window sets a tab and then calls ChangeTab itself: the set-up waits until
    // the event is over and is skipped when ChangeTab has already run for this tab.
    QTimer::singleShot(0, this, [this] {
        if (d->setUpTab == currentTab()) return;
        ChangeTab(currentTab());
    });
}

void MatTab::ChangeTab(double tabNumber) {
    if (!(tabNumber >= 0 && tabNumber < kMatTabCount)) return;
    const int tab = static_cast<int>(tabNumber);
    // Making it current schedules its set-up, which then finds it done.
    if (tab != currentTab()) tabControl()->setCurrentIndex(tab);
    d->setUpTab = tab;
    MatPage* p = page(tab);

    for (MatPage* other : d->pages)
        other->hideOwnControls();
    ui::ResetGraph(p->graph(), app_);

    const bool calculates = p->calculates();
    calculateButton()->setVisible(calculates);
    d->picArrow->setVisible(calculates);
    if (calculates) {
        d->arrowColour = QStringLiteral("gray");
        ui::ShowArrow(app_, kVertical, d->picArrow, d->arrowColour, kArrowLeft, kArrowTop);
    }

    const TemperatureOptions temperatures = p->temperatureOptions();
    selection().t25->setVisible(temperatures != TemperatureOptions::Hidden);
    selection().t100->setVisible(temperatures != TemperatureOptions::Hidden);
    if (temperatures == TemperatureOptions::Reset25) {
        // The curve is drawn once below, through the material selection.
        const QSignalBlocker blocker(selection().t25);
        selection().t25->setChecked(true);
        selection().t100->setChecked(false);
    } else if (temperatures == TemperatureOptions::Keep25 && !selection().t25->isChecked()) {
        ui::SetTag(selection().t25, ui::kNoAction);
        selection().t25->setChecked(true);
    }

    if (app_.database) {
        ui::Guarded(
            [&] {
                switch (p->materialList()) {
                case MaterialList::Power:
                    ui::FillPowerMaterialList(app_.db(), selection().material);
                    break;
                case MaterialList::Amplitude:
                    ui::FillMuaMaterialList(app_.db(), selection().material);
                    break;
                case MaterialList::Current:
                    ui::FillMaterialList(app_.db(), selection().material);
                    break;
                }
            },
            this);
    }
    ui::SetTag(selection().material, QString());

    setMainCopyEnabled(p->offersCopy());
    p->enter();
    selection().kern->hide();
    selection().lowProfile->hide();
    selection().withHole->hide();
    selection().material->show();

    // The kept selection counts as choosing the material: it draws the tab's curve.
    if (selection().material->currentIndex() >= 0) ShowSelectedCurve();
}

void MatTab::ResetTabFields() {
    page(currentTab())->clearResults();
}

void MatTab::ShowSelectedCurve() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ResetTabFields();
    if (app_.database) ui::Guarded([&] { page(currentTab())->recalculate(); }, this);
    QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------------------------------
// Material selection

void MatTab::materialActivated() {
    if (d->checkingEntry) return;
    if (ui::Tag(selection().material) == ui::kNoAction) {
        ui::SetTag(selection().material, QString());
        return;
    }
    ShowSelectedCurve();
}

void MatTab::materialEnter() {
    ui::ForgetStaleSelection(selection().material);
    d->checkingEntry = true;
    ui::CheckListEntry(selection().material, QStringLiteral("material"));
    d->checkingEntry = false;
    ShowSelectedCurve();
}

void MatTab::materialLeft() {
    if (d->checkingEntry) return;
    ui::ForgetStaleSelection(selection().material);
    d->checkingEntry = true;
    ui::CheckListEntry(selection().material, QStringLiteral("material"));
    d->checkingEntry = false;
}

void MatTab::temperatureSelected(bool t25) {
    if (t25 && ui::Tag(selection().t25) == ui::kNoAction) {
        ui::SetTag(selection().t25, QString());
        return;
    }
    ShowSelectedCurve();
}

// ---------------------------------------------------------------------------------------
// Calculate and the graph reader

void MatTab::calculateClicked() {
    // The highlighted arrow turns gray again at once.
    d->arrowColour = QStringLiteral("Orange");
    ui::ShowArrow(app_, kVertical, d->picArrow, d->arrowColour, kArrowLeft, kArrowTop);
    page(currentTab())->calculate();
}

void MatTab::SetMuCaptionDependingOnOption() {
    d->complexMuTab->SetMuCaptionDependingOnOption();
}

void MatTab::ReadDataPoint(int set, int point) {
    readPoint(set, point, "#.##", false);
}

} // namespace tolvik::material

// The Material properties window: tab model, material selection, Calculate and the
// rules that clear stale results. Each tab's drawing and calculation is in its own
// *_tab.cpp file; the formulas are in the Qt-free files of this folder.

#include "tolvik/material/mat_tab.h"

#include "mat_tab_p.h"
#include "tolvik/material/complex_mu.h"
#include "tolvik/material/power_loss.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/key_codes.h"
#include "tolvik/ui_common/lists.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace tolvik::material {

namespace {

const QString kVertical = QStringLiteral("vertikal");
constexpr int kArrowLeft = 10320;
constexpr int kArrowTop = 3420;

/// A number that is still being typed: nothing is calculated from it.
bool IsIncomplete(const QString& t) {
    return t.isEmpty() || t == QLatin1String(".") || t == QLatin1String("0.");
}

} // namespace

bool MatTab::guarded(const std::function<void()>& step) {
    if (!d->app.database) return false;
    try {
        step();
        return true;
    } catch (const data::DataError& e) {
        ui::ShowMessage(QString::fromStdString(e.what()), ui::kTitle, this);
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// Opening the window

MatTab::MatTab(AppContext& app, QWidget* parent)
    : ui::WorkingWindow(app, parent), d(std::make_unique<Private>(app)) {
    buildWindow();
    connectSignals();
    formLoad();
}

MatTab::~MatTab() {
    // The pages go after the window's own state: their removal must not reach the tab model.
    tabControl()->disconnect(this);
}

QSize MatTab::sizeHint() const {
    return minimumSizeHint();
}

chart::Graph* MatTab::currentGraph() const {
    const int tab = currentTab();
    return tab >= 0 && tab < kMatTabCount ? d->graph[static_cast<size_t>(tab)] : nullptr;
}

ui::CopyRequest MatTab::copyRequest() const {
    using Kind = ui::CopyRequest::Kind;
    const std::string material = S(d->material->currentText());
    if (material.empty()) return {Kind::NoMaterial, {}};
    switch (static_cast<MatTabIndex>(currentTab())) {
    case MatTabIndex::MuiT:
        return {Kind::Column, {"muiT", material}};
    case MatTabIndex::Amplitude:
        return {Kind::Column, {"muaB", material + (d->t25->isChecked() ? "T25" : "T100")}};
    case MatTabIndex::ComplexMu:
        if (d->optMu[0]->isChecked()) return {Kind::Column, {"mu_mu__f", "mu_" + material}};
        if (d->optMu[1]->isChecked()) return {Kind::Column, {"mu_mu__f", "mu__" + material}};
        return {Kind::Column, {"mu_mu__f", material}};
    default:
        return {Kind::NoCurve, {}};
    }
}

QString MatTab::selectedMaterial() const {
    const int i = d->material->currentIndex();
    return i < 0 ? QString() : d->material->itemText(i);
}

void MatTab::formLoad() {
    move(0, ui::TwipsToPixels(20));
    guarded([&] {
        ui::FillMaterialList(d->app.db(), d->material);
        ui::FillCoreList(d->app.db(), d->kern);
    });
    d->material->show();
    for (QWidget* w : std::initializer_list<QWidget*>{d->kern, d->lp, d->ml, d->picArrow, d->cmdCalculate})
        w->hide();
    d->t25->show();
    d->t100->show();
    d->pvXAxis = static_cast<std::int16_t>(PvX::T);
    d->pvYAxis = static_cast<std::int16_t>(PvY::Volume);
    showCopy(false);
}

void MatTab::showCopy(bool enabled) {
    d->copyEnabled = enabled;
    if (setMainCopyEnabled(enabled)) d->copyButtonFound = true;
}

void MatTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window may have been put into the main window only after it was created.
    if (!d->copyButtonFound) showCopy(d->copyEnabled);
}

void MatTab::errors() {
    QCoreApplication::processEvents();
}

void MatTab::connectSignals() {
    connect(tabControl(), &QTabWidget::currentChanged, this, [this](int index) { tabChanged(index); });
    connect(d->cmdCalculate, &QPushButton::clicked, this, [this] { calculateClick(); });

    // A choice of the user (or of CheckListEntry) raises activated; a list routine that
    // restores the selection only changes the index, whose "noaction" tag is cleared here.
    connect(d->material, qOverload<int>(&QComboBox::activated), this, [this] { materialActivated(); });
    for (QComboBox* list : {d->material, d->kern}) {
        connect(list, &QComboBox::currentIndexChanged, this, [list] {
            if (ui::Tag(list) == ui::kNoAction) ui::SetTag(list, QString());
        });
    }
    connect(d->kern, qOverload<int>(&QComboBox::activated), this, [this] { ShowSelectedCurve(); });
    connect(d->lp, &QCheckBox::clicked, this, [this] { ShowSelectedCurve(); });
    connect(d->ml, &QCheckBox::clicked, this, [this] { ShowSelectedCurve(); });
    d->material->installEventFilter(this);
    if (d->material->lineEdit()) d->material->lineEdit()->installEventFilter(this);

    connect(d->t25, &QRadioButton::toggled, this, [this](bool on) {
        if (on) temperatureSelected(true);
    });
    connect(d->t100, &QRadioButton::toggled, this, [this](bool on) {
        if (on) temperatureSelected(false);
    });

    // Editing an input clears the result computed from it (typing, paste and cut alike).
    auto clearsOnEdit = [this](QLineEdit* input, std::initializer_list<QLineEdit*> results) {
        const std::vector<QLineEdit*> r(results);
        connect(input, &QLineEdit::textEdited, this, [r] {
            for (QLineEdit* f : r)
                f->clear();
        });
    };
    clearsOnEdit(d->t, {d->mui});
    clearsOnEdit(d->b, {d->t3H, d->t3mua});
    clearsOnEdit(d->f, {d->tErg});
    for (QLineEdit* p : {d->pt, d->pf, d->pb})
        clearsOnEdit(p, {d->pvg});
    d->b->installEventFilter(this);

    // Hysteresis
    connect(d->cmdMinMax[1], &QPushButton::clicked, this, [this] { ZoomHysteresis(1); });
    connect(d->cmdMinMax[0], &QPushButton::clicked, this, [this] { ZoomHysteresis(4); });
    connect(d->graph[0], &chart::Graph::buttonEvent, this, [this](int, int code) { ZoomHysteresis(code); });

    // Power loss
    const std::pair<QRadioButton*, PvX> xOptions[] = {
        {d->optxT, PvX::T}, {d->optxf, PvX::F}, {d->optxB, PvX::B}};
    for (auto [option, axis] : xOptions) {
        connect(option, &QRadioButton::toggled, this, [this, axis](bool on) {
            if (on) xAxisSelected(static_cast<int>(axis));
        });
    }
    const std::pair<QRadioButton*, PvY> yOptions[] = {
        {d->optyPvV, PvY::Volume}, {d->optyPvm, PvY::Mass}, {d->optyPer, PvY::PerformanceFactor}};
    for (auto [option, axis] : yOptions) {
        connect(option, &QRadioButton::toggled, this, [this, axis](bool on) {
            if (on) yAxisSelected(static_cast<int>(axis));
        });
    }
    connect(d->list1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) FillPowerLossSecondList();
    });
    connect(d->list2, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        guarded([&] {
            DrawPowerLossCurve();
            CalcPowerLoss();
        });
    });

    // µa vs. B
    connect(d->optmuaB, &QRadioButton::toggled, this, [this](bool on) {
        if (on) amplitudeAxisSelected(true);
    });
    connect(d->optmuaH, &QRadioButton::toggled, this, [this](bool on) {
        if (on) amplitudeAxisSelected(false);
    });

    // Complex permeability
    for (int k = 0; k < kMuOptionCount; ++k) {
        connect(d->optMu[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) complexOptionSelected(k);
        });
    }

    for (chart::Graph* g : d->graph)
        connect(g, &chart::Graph::pointSelected, this,
                [this](int, int set, int point) { ReadDataPoint(set, point); });
}

bool MatTab::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == d->material || watched == d->material->lineEdit()) {
        if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (ui::IsEnter(key)) {
                materialEnter();
                return true;
            }
            if (ui::TypeShiftedInto(watched, *key)) return true;
        } else if (type == QEvent::FocusOut && watched == d->material->lineEdit()) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) materialLeft();
        }
    }
    if (watched == d->b && type == QEvent::MouseButtonPress) {
        d->t3H->clear();
        d->t3mua->clear();
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Tab model

void MatTab::tabChanged(int index) {
    const int previous = d->lastTab;
    d->lastTab = index;
    if (previous >= 0 && previous < kMatTabCount) ui::ResetGraph(d->graph[previous], d->app);
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
    const auto which = static_cast<MatTabIndex>(tab);

    for (QRadioButton* o : d->optMu)
        o->hide();
    for (QPushButton* z : d->cmdMinMax)
        z->hide();
    ui::ResetGraph(d->graph[tab], d->app);

    const bool calculates = which != MatTabIndex::Hysteresis;
    d->cmdCalculate->setVisible(calculates);
    d->picArrow->setVisible(calculates);
    if (calculates) {
        d->arrowColour = QStringLiteral("gray");
        ui::ShowArrow(d->app, kVertical, d->picArrow, d->arrowColour, kArrowLeft, kArrowTop);
    }

    const bool temperatures = which == MatTabIndex::Hysteresis || which == MatTabIndex::Amplitude;
    d->t25->setVisible(temperatures);
    d->t100->setVisible(temperatures);
    if (which == MatTabIndex::Hysteresis) {
        // The loop is drawn once below, through the material selection.
        const QSignalBlocker blocker(d->t25);
        d->t25->setChecked(true);
        d->t100->setChecked(false);
    } else if (which == MatTabIndex::Amplitude && !d->t25->isChecked()) {
        ui::SetTag(d->t25, ui::kNoAction);
        d->t25->setChecked(true);
    }

    guarded([&] {
        switch (which) {
        case MatTabIndex::PowerLoss:
            ui::FillPowerMaterialList(d->app.db(), d->material);
            break;
        case MatTabIndex::Amplitude:
            ui::FillMuaMaterialList(d->app.db(), d->material);
            break;
        default:
            ui::FillMaterialList(d->app.db(), d->material);
            break;
        }
    });
    ui::SetTag(d->material, QString());

    showCopy(which == MatTabIndex::MuiT || which == MatTabIndex::Amplitude ||
             which == MatTabIndex::ComplexMu);
    switch (which) {
    case MatTabIndex::Hysteresis:
        for (QPushButton* z : d->cmdMinMax)
            z->show();
        break;
    case MatTabIndex::PowerLoss: {
        SetPowerLossAxes();
        // The value lists of an earlier material go; the kept material refills them below.
        const QSignalBlocker b1(d->list1), b2(d->list2);
        d->list1->clear();
        d->list2->clear();
        break;
    }
    case MatTabIndex::ComplexMu:
        for (QRadioButton* o : d->optMu)
            o->show();
        if (!d->optMu[0]->isChecked()) {
            ui::SetTag(d->optMu[0], ui::kNoAction);
            d->optMu[0]->setChecked(true);
        }
        SetMuCaptionDependingOnOption();
        d->model(MatTabIndex::ComplexMu).setLeftTitle(AxisTitle(ComplexQuantity::MuS1));
        break;
    default:
        break;
    }
    d->kern->hide();
    d->lp->hide();
    d->ml->hide();
    d->material->show();

    // The kept selection counts as choosing the material: it draws the tab's curve.
    if (d->material->currentIndex() >= 0) ShowSelectedCurve();
}

void MatTab::ResetTabFields() {
    switch (static_cast<MatTabIndex>(currentTab())) {
    case MatTabIndex::Hysteresis:
        d->bHysteresis->clear();
        d->hHysteresis->clear();
        break;
    case MatTabIndex::MuiT:
        d->mui->clear();
        break;
    case MatTabIndex::PowerLoss:
        d->pvg->clear();
        break;
    case MatTabIndex::Amplitude:
        d->t3mua->clear();
        d->t3H->clear();
        break;
    case MatTabIndex::ComplexMu:
        d->tErg->clear();
        break;
    }
}

void MatTab::ShowSelectedCurve() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ResetTabFields();
    guarded([&] {
        switch (static_cast<MatTabIndex>(currentTab())) {
        case MatTabIndex::Hysteresis:
            DrawHysteresisLoop();
            break;
        case MatTabIndex::MuiT:
            DrawInitialPermeability();
            break;
        case MatTabIndex::PowerLoss:
            FillPowerLossFirstList();
            break;
        case MatTabIndex::Amplitude:
            if (d->optmuaB->isChecked()) DrawAmplitudePermeability(QStringLiteral("B"));
            if (d->optmuaH->isChecked()) DrawAmplitudePermeability(QStringLiteral("H"));
            break;
        case MatTabIndex::ComplexMu:
            DrawComplexPermeability();
            break;
        }
    });
    QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------------------------------
// Material selection

void MatTab::materialActivated() {
    if (d->checkingEntry) return;
    if (ui::Tag(d->material) == ui::kNoAction) {
        ui::SetTag(d->material, QString());
        return;
    }
    ShowSelectedCurve();
}

void MatTab::materialEnter() {
    ui::ForgetStaleSelection(d->material);
    d->checkingEntry = true;
    ui::CheckListEntry(d->material, QStringLiteral("material"));
    d->checkingEntry = false;
    ShowSelectedCurve();
}

void MatTab::materialLeft() {
    if (d->checkingEntry) return;
    ui::ForgetStaleSelection(d->material);
    d->checkingEntry = true;
    ui::CheckListEntry(d->material, QStringLiteral("material"));
    d->checkingEntry = false;
}

void MatTab::temperatureSelected(bool t25) {
    if (t25 && ui::Tag(d->t25) == ui::kNoAction) {
        ui::SetTag(d->t25, QString());
        return;
    }
    ShowSelectedCurve();
}

// ---------------------------------------------------------------------------------------
// Calculate

void MatTab::calculateClick() {
    d->arrowColour = QStringLiteral("Orange");
    ui::ShowArrow(d->app, kVertical, d->picArrow, d->arrowColour, kArrowLeft, kArrowTop);
    switch (static_cast<MatTabIndex>(currentTab())) {
    case MatTabIndex::Hysteresis:
        break;
    case MatTabIndex::MuiT:
        if (IsIncomplete(d->t->text())) return;
        guarded([&] { CalcInitialPermeability(); });
        break;
    case MatTabIndex::PowerLoss:
        for (QLineEdit* p : {d->pb, d->pf, d->pt}) {
            if (IsIncomplete(p->text()) || p->text() == QLatin1String("0")) return;
        }
        guarded([&] { CalcPowerLoss(); });
        break;
    case MatTabIndex::Amplitude:
        guarded([&] { calculateAmplitude(); });
        break;
    case MatTabIndex::ComplexMu:
        if (IsIncomplete(d->f->text())) return;
        guarded([&] { CalcComplexPermeability(); });
        break;
    }
    d->arrowColour = QStringLiteral("gray");
    ui::ShowArrow(d->app, kVertical, d->picArrow, d->arrowColour, kArrowLeft, kArrowTop);
}

void MatTab::SetMuCaptionDependingOnOption() {
    for (QRadioButton* o : d->optMu) {
        if (o->isChecked()) {
            d->labErg->setText(o->text());
            return;
        }
    }
}

} // namespace tolvik::material

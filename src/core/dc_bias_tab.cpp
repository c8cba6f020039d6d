#include "tolvik/core/dc_bias_tab.h"

#include "page_widgets.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/wire_display.h"
#include "tolvik/data/records.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>

#include <memory>
#include <utility>

namespace tolvik::core {

namespace {

const char* const kResultFields[] = {"t1s", "t1Al", "t1N", "t1mue", "t1d"};
const char* const kInputFields[] = {"t1L", "t1I", "t1dmurev"};
const char* const kYOptions[] = {"mu1opt", "mu2opt", "mu3opt", "mu4opt"};
const std::pair<const char*, const char*> kInputDefaults[] = {{"t1L", "1"}, {"t1I", "1"}, {"t1dmurev", "10"}};

std::string S(const QString& s) {
    return s.toStdString();
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

DcBiasTab::DcBiasTab(AppContext& app, CoreWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    setObjectName(QStringLiteral("DcBiasTab"));
    // The graph of the tab, with the titles of the first axis choices; the page places it.
    graph_ = new chart::Graph(4);
    graph_->model().setGraphTitle(YAxisTitles(DcBiasYAxis::MuRev).graph);
    graph_->model().setLeftTitle(YAxisTitles(DcBiasYAxis::MuRev).axis);
    graph_->model().setBottomTitle(XAxisTitle(DcBiasXAxis::Hdc));
    buildPage();

    for (const char* name : kYOptions)
        connect(findChild<QRadioButton*>(QString::fromLatin1(name)), &QRadioButton::clicked, this,
                [this] { yAxisClicked(); });
    for (const char* name : {"Optx1", "Optx2"})
        connect(findChild<QRadioButton*>(QString::fromLatin1(name)), &QRadioButton::clicked, this,
                [this] { xAxisClicked(); });
    // Any edit (typing, paste, cut) or click in the input data makes the design stale.
    for (const char* name : kInputFields) {
        connect(field(name), &QLineEdit::textEdited, this, [this] { ResetTabFields(); });
        field(name)->installEventFilter(this);
    }
    for (const char* name : {"t0Al", "t0N"})
        connect(field(name), &QLineEdit::returnPressed, this, [this] { plotDataEntered(); });
}

DcBiasTab::~DcBiasTab() = default;

chart::Graph* DcBiasTab::graph() const {
    return graph_;
}

QBoxLayout* DcBiasTab::calculateSlot() const {
    return calculateSlot_;
}

QBoxLayout* DcBiasTab::arrowSlot(int index) const {
    return arrowSlots_.at(static_cast<size_t>(index));
}

bool DcBiasTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) ResetTabFields();
    return QWidget::eventFilter(watched, event);
}

QLineEdit* DcBiasTab::field(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

bool DcBiasTab::checked(const char* name) const {
    auto* button = findChild<QAbstractButton*>(QString::fromLatin1(name));
    return button && button->isChecked();
}

DcBiasXAxis DcBiasTab::xAxis() const {
    return checked("Optx2") ? DcBiasXAxis::Idc : DcBiasXAxis::Hdc;
}

DcBiasYAxis DcBiasTab::yAxis() const {
    if (checked("mu2opt")) return DcBiasYAxis::LRev;
    if (checked("mu3opt")) return DcBiasYAxis::Energy;
    if (checked("mu4opt")) return DcBiasYAxis::RollOff;
    return DcBiasYAxis::MuRev;
}

void DcBiasTab::setInputs(double l_mH, double idc_A, double drop_pct) {
    const auto typed = [](double v) { return Q(text::FormatPattern(v, "0.######")); };
    field("t1L")->setText(typed(l_mH));
    field("t1I")->setText(typed(idc_A));
    field("t1dmurev")->setText(typed(drop_pct));
}

void DcBiasTab::ResetTabFields() {
    for (const char* name : kResultFields)
        field(name)->clear();
    for (int k = 1; k <= 2; ++k)
        findChild<QLabel*>(ArrayName("LabGraphReader", k))->clear();
}

void DcBiasTab::InitDCBiasInput() {
    // Empty inputs get their defaults; every input is written again.
    for (const auto& [name, standard] : kInputDefaults) {
        const QString typed = field(name)->text();
        field(name)->setText(typed.isEmpty() ? QString::fromLatin1(standard) : typed);
    }
}

void DcBiasTab::enter() {
    graph_->show();
}

void DcBiasTab::calculate() {
    InitDCBiasInput();
    window_.recalculateCurrentTab();
}

std::optional<ui::ReaderLines> DcBiasTab::pointPicked(const ui::PickedPoint& point) {
    const std::array<QString, 2> texts = readPoint(point.x, point.yText);
    return ui::ReaderLines{texts[0], texts[1]};
}

void DcBiasTab::recalculate() {
    InitDCBiasInput();
    curve(true);
}

void DcBiasTab::yAxisClicked() {
    const DcBiasTitles titles = YAxisTitles(yAxis());
    graph_->model().setGraphTitle(titles.graph);
    graph_->model().setLeftTitle(titles.axis);
    ui::ResetGraph(graph_, app_);
    window_.recalculateCurrentTab();
}

void DcBiasTab::xAxisClicked() {
    graph_->model().setBottomTitle(XAxisTitle(xAxis()));
    ui::ResetGraph(graph_, app_);
    window_.recalculateCurrentTab();
}

void DcBiasTab::plotDataEntered() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    field("t0L")->setText(
        Q(text::FormatPattern(num::InductanceFromAl(number("t0Al"), number("t0N")), kPlotLPattern)));
    curve(false);
    QApplication::restoreOverrideCursor();
}

std::array<QString, 2> DcBiasTab::readPoint(double x, const QString& readerYText) {
    const DcBiasReading r = DcBiasReaderTexts(x, S(readerYText), xAxis(), yAxis());
    std::array<QString, 2> texts{Q(r.x), Q(r.y)};
    findChild<QLabel*>(ArrayName("LabGraphReader", 1))->setText(texts[0]);
    findChild<QLabel*>(ArrayName("LabGraphReader", 2))->setText(texts[1]);
    curve(true, false);
    return texts;
}

void DcBiasTab::curve(bool copyToPlotData, bool draw) {
    const std::string material = S(window_.selectedMaterial());
    const std::string coreType = S(window_.selectedCore());
    if (material.empty() || coreType.empty() || !app_.database) return;
    DcBiasRequest in;
    in.copyToPlotData = copyToPlotData;
    in.draw = draw;
    in.l_mH = number("t1L");
    in.idc_A = number("t1I");
    in.dmurev_pct = number("t1dmurev");
    in.plotAl_nH = number("t0Al");
    in.plotTurns = number("t0N");
    in.xAxis = xAxis();
    in.yAxis = yAxis();

    const bool t25 = window_.at25C();
    try {
        data::Database& db = app_.db();
        in.bs_mT = window_.materialValues()
                       .first(t25 ? data::MaterialField::Bs25 : data::MaterialField::Bs100)
                       .toDouble();
        const data::CoreGeometry& core = window_.coreGeometry();
        in.ae_mm2 = core.number(data::CoreField::Ae);
        in.le_mm = core.number(data::CoreField::le);
        in.ve_mm3 = core.number(data::CoreField::Ve);
        in.an_mm2 = core.number(data::CoreField::AN);
        in.wires = data::ReadWires(db);
        in.muaB = data::ReadTableColumns(db, "MuaB", "B", data::TemperatureColumn(material, t25));
    } catch (const data::DataError&) {
        ui::ShowMessage(QString::fromLatin1(kValuesNotValidText));
        ResetTabFields();
        return;
    }

    const DcBiasOutcome r = DesignDcBias(in);
    field("t0L")->setText(Q(text::FormatPattern(r.plotL_mH, kPlotLPattern)));
    if (r.designed) {
        const QString al = Q(text::FormatPattern(r.design.al_nH, kAlPattern));
        const QString turns = Q(text::FormatPattern(r.design.turns, kTurnsPattern));
        field("t1mue")->setText(Q(text::FormatPattern(r.design.mue, kMuePattern)));
        field("t1s")->setText(Q(text::FormatPattern(r.design.s_mm, kGapPattern)));
        field("t1Al")->setText(al);
        field("t1N")->setText(turns);
        if (r.wire) field("t1d")->setText(Q(WireText(*r.wire)));
        // Plot data not copied are written back as they stand.
        field("t0Al")->setText(r.plotDataCopied ? al : field("t0Al")->text());
        field("t0N")->setText(r.plotDataCopied ? turns : field("t0N")->text());
    }
    for (const std::string& m : r.messages)
        ui::ShowMessage(Q(m));
    if (r.failed) ResetTabFields();
    if (!r.drawn) return;

    chart::ChartModel& m = graph_->model();
    const int set = m.numSets();
    m.setThisSet(set);
    m.setNumPoints(kDcBiasPoints);
    for (const DcBiasPoint& p : r.points) {
        m.setThisPoint(p.index);
        m.setYValue(p.y);
        m.setXValue(p.x);
    }
    m.setLegendText(DcBiasLegend(material, r.plotAl_nH));
    m.setDrawMode(2);
    m.setNumSets(set + 1);
}

double DcBiasTab::number(const char* name) const {
    return text::ReadNumber(S(field(name)->text()));
}

} // namespace tolvik::core

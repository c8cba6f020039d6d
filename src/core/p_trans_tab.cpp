#include "tolvik/core/p_trans_tab.h"

#include "tolvik/core/p_trans_display.h"
#include "tolvik/ui_common/working_window.h"

#include "tolvik/data/records.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

namespace tolvik::core {

namespace {

/// What the mouse over a field or caption tells in the main window's status label.
struct Hint {
    const char* control;
    const char* text;
};
constexpr Hint kHints[] = {
    {"Label25", "gives the transmissible power"},
    {"Label26", "gives the current density"},
    {"Label27", "gives the total flux density sweep"},
    {"Label28", "enter the frequency of the converter"},
    {"Label29", "enter the temperature rise of the ferrite"},
    {"Label30", "enter the temperature rise of the copper winding"},
    {"t6dBf", "gives the total flux density sweep"},
    {"t6fCu", "enter the copper space factor"},
    {"t6fw", "enter the frequency of the converter"},
    {"t6Ptrans", "gives the transmissible power"},
    {"t6S", "gives the current density"},
    {"t6TCU", "enter the temperature rise of the copper winding"},
    {"t6TFE", "enter the temperature rise of the ferrite"},
    {"t6x", "enter the Pl(B) exponent"},
    {"t6y", "enter the Pl(f) exponent"},
};

const char* const kResultFields[] = {"t6dBf", "t6S", "t6Ptrans"};

/// "", "0", "0." and "." (either separator) are no value yet: typing them changes nothing.
bool IsNoValueYet(const QString& typed) {
    const std::string t = text::CommaToPoint(typed.toStdString());
    return t.empty() || t == "0" || t == "0." || t == ".";
}

/// Empties the fields, then shows the values of the record as stored, each with its display
/// pattern. All are read before any is shown: a fault of the data file leaves them empty.
template <class Field, std::size_t N, class Record>
void ShowStored(const QWidget& page, const std::tuple<const char*, Field, const char*> (&fields)[N],
                Record&& record) {
    const auto edit = [&](std::size_t k) {
        return page.findChild<QLineEdit*>(QString::fromLatin1(std::get<0>(fields[k])));
    };
    for (std::size_t k = 0; k < N; ++k)
        edit(k)->clear();
    const auto& values = record();
    if (values.rows() == 0) return;
    std::array<Value, N> stored;
    for (std::size_t k = 0; k < N; ++k)
        stored[k] = values.stored(std::get<1>(fields[k]));
    for (std::size_t k = 0; k < N; ++k)
        edit(k)->setText(QString::fromStdString(DataValueText(stored[k], std::get<2>(fields[k]))));
}

} // namespace

PTransTab::PTransTab(AppContext& app, CoreWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    setObjectName(QStringLiteral("PTransTab"));
    buildPage();
    connectFields();
}

PTransTab::~PTransTab() = default;

void PTransTab::connectFields() {
    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            [this] { CopyRacRdc(); });
    // Only the user's edits count (typing, paste, cut); the loads and defaults do not.
    for (const char* name : {"t6x", "t6y"}) {
        connect(field(name), &QLineEdit::textEdited, this, [this](const QString& t) {
            if (!IsNoValueYet(t)) ComputeTransmissiblePower();
        });
    }
    for (const char* name : {"t6fw", "t6fCu", "t6Rth", "t6TCU", "t6TFE"}) {
        connect(field(name), &QLineEdit::textEdited, this, [this](const QString& t) {
            if (!IsNoValueYet(t)) ResetTabFields();
        });
    }
    connect(field("t6Fr"), &QLineEdit::textEdited, this, [this](const QString& t) {
        if (text::ReadNumber(t.toStdString()) != 0.0) ResetTabFields();
    });
    for (QRadioButton* option : optConv_)
        connect(option, &QRadioButton::clicked, this, [this] { ResetTabFields(); });
    for (const Hint& h : kHints) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(h.control))) w->installEventFilter(this);
    }
}

bool PTransTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) showHint(watched);
    return QWidget::eventFilter(watched, event);
}

void PTransTab::showHint(const QObject* control) {
    const QString name = control->objectName();
    for (const Hint& h : kHints) {
        if (name != QLatin1String(h.control)) continue;
        window_.showStatusHint(QString::fromLatin1(h.text));
        return;
    }
}

QBoxLayout* PTransTab::calculateSlot() const {
    return calculateSlot_;
}

QBoxLayout* PTransTab::arrowSlot(int index) const {
    return arrowSlots_.at(static_cast<size_t>(index));
}

void PTransTab::ResetTabFields() {
    for (const char* name : kResultFields)
        field(name)->clear();
}

void PTransTab::Recalculate() {
    if (!app_.database) return;
    loadStoredValues();
    ComputeTransmissiblePower();
}

void PTransTab::loadStoredValues() {
    using C = data::CoreField;
    using M = data::MaterialField;
    // clang-format off
    static const std::tuple<const char*, C, const char*> kGeometry[] = {
        {"t6Ae", C::Ae, "#.##"}, {"t6Ve", C::Ve, "#.##"}, {"t6AN", C::AN, "#.##"}, {"t6LN", C::LN, "#.##"},
        {"t6Rth", C::Rth, "#.##"}};
    static const std::tuple<const char*, M, const char*> kMaterial[] = {
        {"t6dT", M::dT, "#"}, {"t6ftyp", M::ftyp, "#"}, {"t6Pl", M::Pv, "#.##"}, {"t6f", M::f, "#"}, {"t6B", M::B, "#"}};
    // clang-format on
    if (!window_.selectedCore().isEmpty())
        ShowStored(*this, kGeometry,
                   [this]() -> const data::CoreGeometry& { return window_.coreGeometry(); });
    if (window_.selectedMaterial().isEmpty()) return;
    ShowStored(*this, kMaterial,
               [this]() -> const data::MaterialValues& { return window_.materialValues(); });
    const QString half = QString::fromStdString(HalfTemperatureRiseText(value("t6dT")));
    field("t6TCU")->setText(half);
    field("t6TFE")->setText(half);
}

void PTransTab::ComputeTransmissiblePower() {
    const std::string material = window_.selectedMaterial().toStdString();
    if (material.empty() || !app_.database) return;
    PTransInput in;
    in.dTFe_K = value("t6TFE");
    in.dTCu_K = value("t6TCU");
    in.rth_KW = value("t6Rth");
    in.pl = value("t6Pl");
    in.f_kHz = value("t6f");
    in.x = value("t6x");
    in.y = value("t6y");
    in.b_mT = value("t6B");
    in.fw_kHz = value("t6fw");
    in.ae_mm2 = value("t6Ae");
    in.ve_mm3 = value("t6Ve");
    in.fCu = value("t6fCu");
    in.r = value("t6r");
    in.an_mm2 = value("t6AN");
    in.ln_mm = value("t6LN");
    in.fr = value("t6Fr");
    for (size_t k = 0; k < optConv_.size(); ++k) {
        if (optConv_[k]->isChecked()) in.converter = static_cast<ConverterType>(k);
    }
    try {
        in.bs25_mT = window_.materialValues().first(data::MaterialField::Bs25).toDouble();
    } catch (const data::DataError& e) {
        ui::ShowMessage(QString::fromStdString(e.what()));
        return;
    }
    const PTransResult r = CalculateTransmissiblePower(in);
    if (!r.message.empty()) ui::ShowMessage(QString::fromStdString(r.message));
    if (r.status != PTransStatus::Ok) return;
    field("t6dBf")->setText(QString::fromStdString(text::FormatPattern(r.dB_mT, "#.##")));
    field("t6S")->setText(QString::fromStdString(text::FormatPattern(r.j_A_mm2, "#.#")));
    field("t6Ptrans")->setText(QString::fromStdString(text::FormatPattern(r.p_W, "#.#")));
}

void PTransTab::setInputs(double f_kHz, double dTCu_K, double dTFe_K, double fr, int converter) {
    const auto typed = [](double v) { return QString::fromStdString(text::FormatPattern(v, "0.######")); };
    field("t6fw")->setText(typed(f_kHz));
    field("t6TCU")->setText(typed(dTCu_K));
    field("t6TFE")->setText(typed(dTFe_K));
    field("t6Fr")->setText(typed(fr));
    if (converter >= 0 && static_cast<size_t>(converter) < optConv_.size())
        optConv_[static_cast<size_t>(converter)]->setChecked(true);
}

void PTransTab::CopyRacRdc() {
    const WireResistanceTexts wire = window_.wireResistances();
    const auto ratio = RacRdcRatio(text::ReadNumber(wire.rdc), text::ReadNumber(wire.rac));
    if (!ratio) {
        ui::ShowMessage(QString::fromLatin1(kNoWireValuesText));
        return;
    }
    const std::string shown = text::FormatPattern(*ratio, "#.#");
    field("t6Fr")->setText(QString::fromStdString(shown));
    // A new ratio makes the shown power stale, as a typed one does.
    if (text::ReadNumber(shown) != 0.0) ResetTabFields();
}

QLineEdit* PTransTab::field(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

double PTransTab::value(const char* name) const {
    const double v = text::ReadNumber(field(name)->text().toStdString());
    return std::isfinite(v) ? v : 0.0;
}

void PTransTab::calculate() {
    if (app_.database) ui::Guarded([&] { ComputeTransmissiblePower(); });
}

} // namespace tolvik::core

// The data overview: the material's datasheet values and the core's effective
// parameters, each formatted for display.

#include "tolvik/core/overview_tab.h"

#include "tolvik/data/records.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/working_window.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace tolvik::core {

namespace {

/// The result fields of the tab.
const char* const kFields[] = {"t9Ae",     "t9le",     "t9Ve",     "t9Amin",   "t9An",
                               "t9ln",     "t9Text1",  "t9Text2",  "t9Text3",  "t9Text4",
                               "t9Text5",  "t9Text6",  "t9Text7",  "t9Text8",  "t9Text9",
                               "t9Text10", "t9Text11", "t9Text12", "t9Text13", "t9Text14"};

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

OverviewTab::OverviewTab(CoreWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    buildPage();
}

OverviewTab::~OverviewTab() = default;

QLineEdit* OverviewTab::field(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

void OverviewTab::clearResults() {
    for (const char* name : kFields)
        field(QString::fromLatin1(name))->clear();
}

void OverviewTab::recalculate() {
    // The material's values do not depend on the core: a fault in the core record is
    // reported and the material is still shown.
    ui::Guarded([&] { showCoreParameters(); });
    showMaterialSpecifications();
}

CoreDimensionTexts OverviewTab::coreDimensions() const {
    return {field(QStringLiteral("t9Ae"))->text(), field(QStringLiteral("t9le"))->text(),
            field(QStringLiteral("t9ln"))->text(), field(QStringLiteral("t9An"))->text()};
}

void OverviewTab::setCoreDimensions(const CoreDimensionTexts& texts) {
    field(QStringLiteral("t9Ae"))->setText(texts.ae);
    field(QStringLiteral("t9le"))->setText(texts.le);
    field(QStringLiteral("t9ln"))->setText(texts.ln);
    field(QStringLiteral("t9An"))->setText(texts.an);
}

void OverviewTab::ShowIfNonZero(QLineEdit* field) {
    if (!field) return;
    const QString t = field->text().trimmed();
    bool hasDigit = false;
    for (const QChar c : t)
        hasDigit = hasDigit || c.isDigit();
    field->setVisible(hasDigit && text::ReadNumber(t.toStdString()) != 0.0);
}

void OverviewTab::showCoreParameters() {
    if (window_.selectedCore().isEmpty()) return;
    using F = data::CoreField;
    struct Out {
        const char* field;
        F value;
        const char* pattern;
    };
    static constexpr Out kOut[] = {{"t9Ae", F::Ae, "0.##"}, {"t9le", F::le, "0.##"},
                                   {"t9Ve", F::Ve, "0"},    {"t9Amin", F::Amin, "0.##"},
                                   {"t9An", F::AN, "0.##"}, {"t9ln", F::LN, "0.##"}};
    for (const char* name : {"t9Ae", "t9le", "t9Ve", "t9Amin"})
        field(QString::fromLatin1(name))->clear();
    const data::CoreGeometry& core = window_.coreGeometry();
    if (core.rows() == 0) return;
    for (const Out& o : kOut) {
        const double v = core.number(o.value);
        field(QString::fromLatin1(o.field))
            ->setText(std::isfinite(v) ? Q(text::FormatPattern(v, o.pattern)) : QString());
    }
}

void OverviewTab::showMaterialSpecifications() {
    const QString material = window_.selectedMaterial();
    if (material.isEmpty()) return;
    using F = data::MaterialField;
    struct FieldFormat {
        int index;
        F value;
        const char* pattern;
    };
    static constexpr FieldFormat kFirst[] = {{1, F::mui, "#"},    {2, F::Bs25, "#"},    {3, F::Bs100, "#"},
                                             {4, F::Hc25, "0.#"}, {5, F::Hc100, "0.#"}, {6, F::Tc, "#"},
                                             {7, F::fmin, "#"},   {8, F::fmax, "#"}};
    static constexpr FieldFormat kSecond[] = {{10, F::hb, "0.#"},
                                              {11, F::af, "0.#"},
                                              {12, F::Dichte, "0.#"},
                                              {13, F::dcresist, "0.#"},
                                              {14, F::Pv, "0.#"}};
    const data::MaterialValues& m = window_.materialValues();
    if (m.rows() == 0) return;
    auto datasheet = [this](int i) { return field(QStringLiteral("t9Text%1").arg(i)); };
    auto write = [&](const FieldFormat& s) {
        const double v = m.value(s.value).toDouble();
        QLineEdit* f = datasheet(s.index);
        f->setText(std::isfinite(v) ? Q(text::FormatPattern(v, s.pattern)) : QString());
        ShowIfNonZero(f);
    };
    for (const FieldFormat& s : kFirst)
        write(s);
    const bool power = m.stored(F::Leistung).toBool();
    const Value tand = m.value(F::tandmuei);
    QLineEdit* t9Text9 = datasheet(9);
    if (power && tand.toDouble() != 0.0) {
        t9Text9->show();
        t9Text9->setText(Q(tand.toText()));
    } else {
        t9Text9->hide();
    }
    for (const FieldFormat& s : kSecond)
        write(s);
    if (power && !datasheet(14)->isHidden()) {
        auto intText = [&](F f) { return Q(text::RoundedIntText(m.value(f).toDouble())); };
        t9Label20_->show();
        t9Label20_->setText(QStringLiteral("Pv(f") + intText(F::f) + QStringLiteral(",B") + intText(F::B) +
                            QStringLiteral(",T") + intText(F::T) + QStringLiteral(") [kW/m³]"));
    } else {
        t9Label20_->hide();
    }
}

} // namespace tolvik::core

// The data overview: the material's datasheet values and the core's effective
// parameters, each formatted for display.

#include "tolvik/core/overview_tab.h"

#include "tolvik/data/records.h"
#include "tolvik/ui_common/app_context.h"
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

OverviewTab::OverviewTab(AppContext& app, CoreWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
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
    struct Out {
        const char* field;
        const char* column;
        const char* pattern;
    };
    static constexpr Out kOut[] = {{"t9Ae", "Ae", "0.##"}, {"t9le", "le", "0.##"},
                                   {"t9Ve", "Ve", "0"},    {"t9Amin", "Amin", "0.##"},
                                   {"t9An", "An", "0.##"}, {"t9ln", "Ln", "0.##"}};
    for (const char* name : {"t9Ae", "t9le", "t9Ve", "t9Amin"})
        field(QString::fromLatin1(name))->clear();
    auto rs = app_.db().openQuery(data::BuildCoreQuery(window_.core()));
    rs->moveFirst();
    while (!rs->eof()) {
        for (const Out& o : kOut) {
            const double v = rs->number(o.column).toDouble();
            field(QString::fromLatin1(o.field))
                ->setText(std::isfinite(v) ? Q(text::FormatPattern(v, o.pattern)) : QString());
        }
        rs->moveNext();
    }
    rs->close();
}

void OverviewTab::showMaterialSpecifications() {
    const QString material = window_.selectedMaterial();
    if (material.isEmpty()) return;
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
    auto datasheet = [this](int i) { return field(QStringLiteral("t9Text%1").arg(i)); };
    auto write = [&](const data::Recordset& rs, const FieldFormat& s) {
        const double v = rs.number(s.column).toDouble();
        QLineEdit* f = datasheet(s.index);
        f->setText(std::isfinite(v) ? Q(text::FormatPattern(v, s.pattern)) : QString());
        ShowIfNonZero(f);
    };

    auto rs = app_.db().openQuery(data::sql::MaterialByName(material.toStdString()));
    if (rs->recordCount() != 0) {
        rs->moveFirst();
        while (!rs->eof()) {
            for (const FieldFormat& s : kFirst)
                write(*rs, s);
            const bool power = rs->field("Leistung").toBool();
            const Value tand = rs->number("tandmuei");
            QLineEdit* t9Text9 = datasheet(9);
            if (power && tand.toDouble() != 0.0) {
                t9Text9->show();
                t9Text9->setText(Q(tand.toText()));
            } else {
                t9Text9->hide();
            }
            for (const FieldFormat& s : kSecond)
                write(*rs, s);
            if (power && !datasheet(14)->isHidden()) {
                auto intText = [&](const char* column) {
                    return Q(text::RoundedIntText(rs->number(column).toDouble()));
                };
                t9Label20_->show();
                t9Label20_->setText(QStringLiteral("Pv(f") + intText("f") + QStringLiteral(",B") +
                                    intText("B") + QStringLiteral(",T") + intText("T") +
                                    QStringLiteral(") [kW/m³]"));
            } else {
                t9Label20_->hide();
            }
            rs->moveNext();
        }
    }
    rs->close();
}

} // namespace tolvik::core

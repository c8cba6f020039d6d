// The data overview: the material's datasheet values and the core's effective
// parameters, each formatted for display.

#include "tolvik/core/overview_tab.h"

#include "page_widgets.h"
#include "tolvik/data/records.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/working_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
    auto* h = Outer(new QHBoxLayout(this));

    // Two caption/field column pairs: the basic values on the left, frequency range and
    // the further constants on the right.
    auto* frame1 = NewGroup(QStringLiteral("material specifications"), QStringLiteral("Frame1"));
    auto* g1 = Inner(new QGridLayout(frame1));
    static const char* const kSpecLabels[] = {
        "µi",
        "Bs [ mT ] 25 °C",
        "Bs [ mT ] 100 °C",
        "Hc [ A / m ] 25 °C",
        "Hc [ A / m ] 100 °C",
        "Tc [ °C ] >",
        "Optimum frequency range fmin [ kHz ]",
        "Optimum frequency range fmax [ kHz ]",
        "tan d / µi at f max [ 10 E -6 ] <",
        "nb [ 10 E -6 / mT ]",
        "af [ 10 E -6 / K ]",
        "density [ Kg / m³ ]",
        "dc resistance [ ohm m ]",
    };
    constexpr int kLeftRows = 6;
    for (int i = 1; i <= 13; ++i) {
        const bool left = i <= kLeftRows;
        AddRow(g1, QString::fromUtf8(kSpecLabels[i - 1]), NewField(QStringLiteral("t9Text%1").arg(i)),
               QString(), left ? i - 1 : i - 1 - kLeftRows, left ? 0 : 3);
    }
    t9Label20_ = NewLabel(QString(), QStringLiteral("t9Label20"));
    t9Label20_->hide();
    // Room for the power loss caption, which appears only for power materials: the
    // window keeps its width whatever the material.
    g1->setColumnMinimumWidth(
        0, t9Label20_->fontMetrics().horizontalAdvance(QStringLiteral("Pv(f100,B200,T100) [kW/m³]")) + 4);
    g1->addWidget(t9Label20_, kLeftRows, 0);
    g1->addWidget(NewField(QStringLiteral("t9Text14")), kLeftRows, 1);
    g1->setColumnMinimumWidth(2, 10); // between the two column pairs
    g1->setRowStretch(7, 1);
    h->addWidget(frame1, 0, Qt::AlignTop);

    auto* frame2 = NewGroup(QStringLiteral("Core parameters"), QStringLiteral("Frame2"));
    auto* g2 = Inner(new QGridLayout(frame2));
    AddRow(g2, QStringLiteral("Ae [ mm² ]"), NewField(QStringLiteral("t9Ae")));
    AddRow(g2, QStringLiteral("le [ mm ]"), NewField(QStringLiteral("t9le")));
    AddRow(g2, QStringLiteral("Ve [ mm³ ]"), NewField(QStringLiteral("t9Ve")));
    AddRow(g2, QStringLiteral("Amin [ mm² ]"), NewField(QStringLiteral("t9Amin")));
    AddRow(g2, QStringLiteral("An[ mm² ]"), NewField(QStringLiteral("t9An")));
    AddRow(g2, QStringLiteral("ln[ mm ]"), NewField(QStringLiteral("t9ln")));
    h->addWidget(frame2, 0, Qt::AlignTop);
    h->addStretch(1);
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

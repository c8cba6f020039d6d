// The transmissible power tab page's widgets and layout: the geometry values and the input
// data side by side in Frame3D3, the results with their arrows and Calculate on the right.

#include "tolvik/core/p_trans_tab.h"

#include "page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvik::core {

void PTransTab::buildPage() {
    auto* h = Outer(new QHBoxLayout(this));

    auto* frame3D3 = NewGroup(QString(), QStringLiteral("Frame3D3"));
    auto* inner = Outer(new QHBoxLayout(frame3D3));
    inner->addWidget(buildGeometry(), 0, Qt::AlignTop);
    inner->addWidget(buildInput(), 0, Qt::AlignTop);
    h->addWidget(frame3D3, 0, Qt::AlignTop);
    h->addLayout(buildResult());
    h->addStretch(1);
}

QWidget* PTransTab::buildGeometry() {
    auto* geometry = NewGroup(QStringLiteral("geometry values"));
    auto* g = Inner(new QGridLayout(geometry));
    AddRow(g, QStringLiteral("Ae [mm²]"), NewField(QStringLiteral("t6Ae")));
    AddRow(g, QStringLiteral("Ve [mm³]"), NewField(QStringLiteral("t6Ve")));
    AddRow(g, QStringLiteral("AN [mm²]"), NewField(QStringLiteral("t6AN")));
    AddRow(g, QStringLiteral("LN [mm]"), NewField(QStringLiteral("t6LN")));
    AddRow(g, QStringLiteral("B [mT]"), NewField(QStringLiteral("t6B")));
    AddRow(g, QStringLiteral("f [kHz]"), NewField(QStringLiteral("t6f")));
    AddRow(g, QStringLiteral("Pl"), NewField(QStringLiteral("t6Pl")));
    AddRow(g, QStringLiteral("ftyp [kHz]"), NewField(QStringLiteral("t6ftyp"), true));
    AddRow(g, QStringLiteral("Pl Exp. B: x"), NewField(QStringLiteral("t6x"), false, QStringLiteral("2.7")));
    AddRow(g, QStringLiteral("Pl Exp. f: y"), NewField(QStringLiteral("t6y"), false, QStringLiteral("1.3")));
    AddRow(g, QStringLiteral("r"), NewField(QStringLiteral("t6r"), false, QStringLiteral("0.8")));
    return geometry;
}

QWidget* PTransTab::buildInput() {
    // The converter type beside the operating values, the wire button below.
    auto* input = NewGroup(QStringLiteral("Input data"));
    auto* ig = Inner(new QGridLayout(input));
    auto* conv = NewGroup(QStringLiteral("Converter type:"));
    auto* cv = Inner(new QVBoxLayout(conv));
    static const char* const kConverters[] = {"Push-Pull ", "Single-Ended", "Flyback"};
    for (int k = 0; k < 3; ++k) {
        optConv_[static_cast<size_t>(k)] =
            NewOption(QString::fromLatin1(kConverters[k]), ArrayName("optConv", k), k == 0);
        cv->addWidget(optConv_[static_cast<size_t>(k)]);
    }
    ig->addWidget(conv, 0, 0, 7, 1, Qt::AlignTop);
    struct Row {
        const char* caption;
        const char* field;
        const char* text;
        const char* label;
    };
    static constexpr Row kRows[] = {
        {"f(kHz)", "t6fw", "25", "Label28"},   {"fCu", "t6fCu", "0.4", ""},
        {"dTmax[K]", "t6dT", "", ""},          {"Rth[°C/W]", "t6Rth", "", ""},
        {"dTCu[K]", "t6TCU", "15", "Label30"}, {"dTFe[K]", "t6TFE", "15", "Label29"},
        {"Rac/Rdc", "t6Fr", "1", ""},
    };
    int row = 0;
    for (const Row& r : kRows)
        AddRow(ig, QString::fromUtf8(r.caption),
               NewField(QString::fromLatin1(r.field), false, QString::fromLatin1(r.text)),
               QString::fromLatin1(r.label), row++, 1);
    auto* command1 = new QPushButton(QStringLiteral("Get Rac/Rdc from wire calculation"));
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setFixedHeight(24);
    ig->addWidget(command1, 7, 0, 1, 3);
    return input;
}

QLayout* PTransTab::buildResult() {
    // The arrows point from the inputs to the results beside them; Calculate below.
    auto* right = new QVBoxLayout;
    right->setSpacing(kMargin);
    right->addSpacing(60);
    auto* resultRow = new QHBoxLayout;
    resultRow->setSpacing(kMargin);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(kMargin);
    arrows->addStretch(1);
    arrowSlots_[0] = NewSlot(arrows);
    arrowSlots_[1] = NewSlot(arrows);
    arrows->addStretch(1);
    resultRow->addLayout(arrows);
    auto* result = NewGroup(QStringLiteral("Result"));
    auto* rg = Inner(new QGridLayout(result));
    AddRow(rg, QStringLiteral("dB[mT]"), NewField(QStringLiteral("t6dBf"), true), QStringLiteral("Label27"));
    AddRow(rg, QStringLiteral("J[A/mm²]"), NewField(QStringLiteral("t6S"), true), QStringLiteral("Label26"));
    AddRow(rg, QStringLiteral("Ptrans[W]"), NewField(QStringLiteral("t6Ptrans"), true),
           QStringLiteral("Label25"));
    resultRow->addWidget(result);
    right->addLayout(resultRow);
    right->addStretch(1);
    calculateSlot_ = NewSlot(right, 0, 0, Qt::AlignRight);
    return right;
}

} // namespace tolvik::core

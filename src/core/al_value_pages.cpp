// The Al value tab page's widgets and layout: three panels side by side, each a grid with
// its options, captions, input and result fields and the place of its arrow; Calculate
// at the bottom right.

#include "tolvik/core/al_value_tab.h"

#include "page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvik::core {

namespace {

// Grid of a panel: the options on top, the captions above their fields, the input on the
// left and the result on the right with the arrow between them, then the panel's other
// fields (inputs left, results right) and notes.
constexpr int kOptionRow = 0;
constexpr int kCaptionRow = 1;
constexpr int kFieldRow = 2;
constexpr int kMoreCaptionRow = 3;
constexpr int kMoreFieldRow = 4;
constexpr int kNoteRow = 5;
constexpr int kInputColumn = 0;
constexpr int kArrowColumn = 1;
constexpr int kResultColumn = 2;

constexpr int kArrowSlotWidth = 36;
constexpr int kArrowSlotHeight = 26;
constexpr int kFieldHeight = 20;

constexpr const char* kAlCaption = "Al[nH]";
constexpr const char* kGapCaption = "s[mm]";
constexpr const char* kLCaption = "L[mH]";

QLineEdit* NewField(const char* name, QWidget* parent) {
    QLineEdit* edit = ui::field_stock::Take(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedHeight(kFieldHeight);
    edit->setMinimumWidth(60);
    return edit;
}

/// A panel's grid: compact, the field columns share the width, the arrow column between
/// them keeps its place even when the panel has no arrow.
QGridLayout* NewPanelGrid(QWidget* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 3, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(kInputColumn, 1);
    grid->setColumnStretch(kResultColumn, 1);
    grid->setColumnMinimumWidth(kArrowColumn, kArrowSlotWidth);
    grid->setRowMinimumHeight(kFieldRow, kArrowSlotHeight);
    return grid;
}

QLabel* NewLabel(const char* name, const QString& caption, QWidget* parent) {
    auto* label = new ui::TextLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QRadioButton* NewOption(const char* name, const char* caption, QWidget* parent) {
    auto* option = new QRadioButton(QString::fromLatin1(caption), parent);
    option->setObjectName(QString::fromLatin1(name));
    return option;
}

QGroupBox* NewFrame(const char* name, const QString& caption, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

} // namespace

void AlValueTab::buildPage() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    auto* panels = new QHBoxLayout;
    panels->setSpacing(4);
    panels->addWidget(buildAirGapPanel(), 1, Qt::AlignTop);
    panels->addWidget(buildInductancePanel(), 1, Qt::AlignTop);
    panels->addWidget(buildFringeFluxPanel(), 1, Qt::AlignTop);
    layout->addLayout(panels);
    layout->addStretch(1);

    // Calculate at the bottom right.
    auto* calculateRow = new QHBoxLayout;
    calculateRow->setSpacing(4);
    calculateRow->addStretch(1);
    QWidget* holder = nullptr;
    calculateSlot_ = NewSlotWidget(&holder, 0, 0, Qt::AlignRight);
    calculateRow->addWidget(holder);
    layout->addLayout(calculateRow);
}

QGroupBox* AlValueTab::buildPanel(Panel& p, const PanelNames& n) {
    auto* frame = NewFrame(n.frame, QString::fromUtf8(n.title), this);
    auto* grid = NewPanelGrid(frame);
    p.grid = grid;
    p.firstOption = NewOption(n.firstOption, n.firstOptionCaption, frame);
    auto* other = NewOption(n.otherOption, n.otherOptionCaption, frame);
    p.first = NewField(n.first, frame);
    p.second = NewField(n.second, frame);
    p.firstCaption = n.firstCaption;
    p.secondCaption = n.secondCaption;
    p.inputLabel = NewLabel(n.inputLabel, QString::fromUtf8(n.firstCaption), frame);
    p.resultLabel = NewLabel(n.resultLabel, QString::fromUtf8(n.secondCaption), frame);
    addCommonRows(p, other);
    arrowSlots_[n.arrow] = addArrowSlot(p);
    grid->addWidget(new ui::TextLabel(QStringLiteral("µe"), frame), kMoreCaptionRow, kResultColumn);
    grid->addWidget(NewField(n.mue, frame), kMoreFieldRow, kResultColumn);
    return frame;
}

QWidget* AlValueTab::buildAirGapPanel() {
    return buildPanel(airGap_,
                      {"SSFrame2", "Al - Air gap without fringe flux", "Al_s_opt1", "Al", "s_Al_opt1", "s",
                       "t4Al1", "t4s1", "labInputAl", "labResultAl", kAlCaption, kGapCaption, "t4mue1", 2});
}

QWidget* AlValueTab::buildInductancePanel() {
    QGroupBox* frame =
        buildPanel(inductance_, {"SSFrame3", "L - Al", "Al_L_opt", "Al,N", "L_Al_opt", "L,N", "t4Al3", "t4L1",
                                 "labL_Al(1)", "labL_Al(0)", kAlCaption, kLCaption, "t4mue3", 0});
    inductance_.grid->addWidget(new ui::TextLabel(QStringLiteral("N"), frame), kMoreCaptionRow, kInputColumn);
    inductance_.grid->addWidget(NewField("t4N1", frame), kMoreFieldRow, kInputColumn);
    return frame;
}

QWidget* AlValueTab::buildFringeFluxPanel() {
    QGroupBox* frame =
        buildPanel(fringeFlux_, {"Frame13", "Al - Air gap with fringe flux (E-cores)", "Al_s_ff_opt", "Al",
                                 "s_Al_ff_opt", "s", "tAlFringeFlux", "tsFringeFlux", "labInputAlff",
                                 "labResultAlff", kAlCaption, kGapCaption, "tmueFringeFlux", 1});
    QGridLayout* grid = fringeFlux_.grid;
    noteOut_ = NewLabel("labNoteOut", QStringLiteral("Note:"), frame);
    noteIn_ = NewLabel("labNoteIn",
                       QStringLiteral("Assosiated K-factors for E-cores in R41, R52, R63 only.\n"
                                      "Valid air gaps:\n"
                                      "0.1mm < s < 3.5mm"),
                       frame);
    noteIn_->setWordWrap(true);
    for (QLabel* note : {noteOut_, noteIn_})
        note->setAutoFillBackground(true);
    grid->addWidget(noteOut_, kNoteRow, 0, 1, 3);
    grid->addWidget(noteIn_, kNoteRow + 1, 0, 1, 3);
    return frame;
}

void AlValueTab::addCommonRows(Panel& p, QRadioButton* otherOption) {
    p.grid->addWidget(p.firstOption, kOptionRow, kInputColumn);
    p.grid->addWidget(otherOption, kOptionRow, kResultColumn);
    p.grid->addWidget(p.inputLabel, kCaptionRow, kInputColumn);
    p.grid->addWidget(p.resultLabel, kCaptionRow, kResultColumn);
}

QBoxLayout* AlValueTab::addArrowSlot(Panel& p) {
    QWidget* holder = nullptr;
    QBoxLayout* slot = NewSlotWidget(&holder, kArrowSlotWidth, kArrowSlotHeight);
    p.grid->addWidget(holder, kFieldRow, kArrowColumn, Qt::AlignCenter);
    return slot;
}

void AlValueTab::placeFields(Panel& p, QLineEdit* input, QLineEdit* result) {
    // The input always stands in the same place.
    p.grid->removeWidget(input);
    p.grid->removeWidget(result);
    p.grid->addWidget(input, kFieldRow, kInputColumn);
    p.grid->addWidget(result, kFieldRow, kResultColumn);
    setTabOrder(input, result);
}

} // namespace tolvik::core

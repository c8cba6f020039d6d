#include "tolvik/core/al_value_tab.h"

#include "tolvik/data/database.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/field_edits.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/key_codes.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>

namespace tolvik::core {

namespace {

const QColor kLightGray(0xC0, 0xC0, 0xC0); // &HC0C0C0
const QColor kRed(0xFF, 0x00, 0x00);       // &HFF

/// The fields of the tab by objectName.
const std::pair<const char*, AlField> kFieldNames[] = {
    {"t4Al1", AlField::Al1},
    {"t4s1", AlField::S1},
    {"t4mue1", AlField::Mue1},
    {"t4Al3", AlField::Al3},
    {"t4L1", AlField::L3},
    {"t4N1", AlField::N3},
    {"t4mue3", AlField::Mue3},
    {"tAlFringeFlux", AlField::AlFringe},
    {"tsFringeFlux", AlField::SFringe},
    {"tmueFringeFlux", AlField::MueFringe},
};

/// The fields that a key press in the named field clears: the panel's µe and the quantity
/// computed from the edited one.
std::vector<std::string> DependentFields(const std::string& field, const AlTabOptions& options) {
    if (field == "t4Al1") return {"t4mue1", "t4s1"};
    if (field == "t4s1") return {"t4mue1", "t4Al1"};
    if (field == "t4Al3") return {"t4mue3", "t4L1"};
    if (field == "t4L1") return {"t4mue3", "t4Al3"};
    if (field == "t4N1") return {"t4mue3", options.alToL ? "t4L1" : "t4Al3"};
    if (field == "tAlFringeFlux") return {"tmueFringeFlux", "tsFringeFlux"};
    if (field == "tsFringeFlux") return {"tmueFringeFlux", "tAlFringeFlux"};
    return {};
}

/// The result fields of the three panels under their current options, and the µe fields.
std::vector<std::string> ResultFields(const AlTabOptions& options) {
    return {options.alToGap ? "t4s1" : "t4Al1",
            options.alToL ? "t4L1" : "t4Al3",
            options.alToGapFringe ? "tsFringeFlux" : "tAlFringeFlux",
            "t4mue1",
            "t4mue3",
            "tmueFringeFlux"};
}

/// The two fringe-flux fields take any key; the other entry fields only numbers.
bool TakesAnyKey(const QString& name) {
    return name == "tAlFringeFlux" || name == "tsFringeFlux";
}

void Show(const AlMessage& m, QWidget* parent) {
    if (m.kind == AlMessage::Kind::OutOfRange) {
        ui::ShowValueOutOfRange(parent);
    } else {
        ui::ShowMessage(QString::fromStdString(m.text), QString::fromStdString(m.title), parent);
    }
}

/// A lookup on the data file; a fault of the file is shown as a message and the lookup
/// gives `none`, as does a window without a data file.
template <class T, class Read> T ReadOr(const AppContext& app, T none, Read&& read) {
    if (!app.database) return none;
    try {
        return read();
    } catch (const data::DataError& e) {
        ui::ShowMessage(QString::fromStdString(e.what()));
        return none;
    }
}

} // namespace

AlValueTab::AlValueTab(AppContext& app, CoreWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    setObjectName(QStringLiteral("AlValueTab"));
    buildPage();

    // Initially Al is the input of panels 1 and 3, Al and N of panel 2.
    for (Panel* p : {&airGap_, &inductance_, &fringeFlux_}) {
        p->firstOption->setChecked(true);
        applyOption(*p);
        connect(p->firstOption, &QRadioButton::toggled, this, [this, p](bool) { applyOption(*p); });
    }
    for (const auto& [name, f] : kFieldNames) {
        (void)f;
        if (QString(name).contains(QStringLiteral("mue"))) continue; // µe fields are results only
        field(name)->installEventFilter(this);
        // Any change of an input by the user (typed, pasted, cut) empties what depends on it.
        ui::ClearOnUserEdit(field(name), [this, n = std::string(name)] {
            for (const std::string& dependent : DependentFields(n, options()))
                if (QLineEdit* f = field(dependent)) f->clear();
        });
    }
    setNoteColour(NoteColour::LightGray);
}

AlValueTab::~AlValueTab() = default;

QBoxLayout* AlValueTab::calculateSlot() const {
    return calculateSlot_;
}

QBoxLayout* AlValueTab::arrowSlot(int index) const {
    return index >= 0 && index < static_cast<int>(arrowSlots_.size())
               ? arrowSlots_[static_cast<size_t>(index)]
               : nullptr;
}

void AlValueTab::applyOption(Panel& p) {
    const bool firstIsInput = p.firstOption->isChecked();
    QLineEdit* input = firstIsInput ? p.first : p.second;
    QLineEdit* result = firstIsInput ? p.second : p.first;

    QPalette resultPalette = result->palette();
    resultPalette.setColor(QPalette::Base, kLightGray);
    resultPalette.setColor(QPalette::Text, Qt::black); // readable on gray under any colour scheme
    result->setPalette(resultPalette);
    result->setReadOnly(true);
    QPalette inputPalette = input->palette();
    inputPalette.setColor(QPalette::Base, QApplication::palette(input).color(QPalette::Base));
    inputPalette.setColor(QPalette::Text, QApplication::palette(input).color(QPalette::Text));
    input->setPalette(inputPalette);
    input->setReadOnly(false);

    placeFields(p, input, result);

    p.inputLabel->setText(QString::fromUtf8(firstIsInput ? p.firstCaption : p.secondCaption));
    p.resultLabel->setText(QString::fromUtf8(firstIsInput ? p.secondCaption : p.firstCaption));
}

void AlValueTab::setNoteColour(NoteColour colour) {
    if (colour == NoteColour::Unchanged) return;
    for (QLabel* note : {noteIn_, noteOut_}) {
        QPalette palette = note->palette();
        palette.setColor(QPalette::Window, colour == NoteColour::Red ? kRed : kLightGray);
        palette.setColor(QPalette::WindowText, Qt::black);
        note->setPalette(palette);
    }
}

void AlValueTab::enterTab() {
    setNoteColour(NoteColour::LightGray);
}

void AlValueTab::ResetTabFields() {
    for (const std::string& name : ResultFields(options()))
        field(name)->clear();
}

void AlValueTab::InitAlTab() {
    if (window_.selectedCore().isEmpty()) return;
    // Ae, le, ln, An of the last record, as their plain texts; none without a record.
    window_.setCoreDimensions(ReadOr(app_, CoreDimensionTexts{}, [this] {
        const data::CoreGeometry& g = window_.coreGeometry();
        const auto at = [&g](data::CoreField f) { return QString::fromStdString(g.value(f).toText()); };
        using F = data::CoreField;
        return g.rows() == 0 ? CoreDimensionTexts{}
                             : CoreDimensionTexts{at(F::Ae), at(F::le), at(F::LN), at(F::AN)};
    }));
}

void AlValueTab::enter() {
    enterTab();
}

void AlValueTab::clearResults() {
    ResetTabFields();
}

void AlValueTab::recalculate() {
    InitAlTab();
}

void AlValueTab::calculate() {
    InitAlCalculation();
}

void AlValueTab::InitAlCalculation() {
    AlValueRequest in;
    in.coreType = window_.selectedCore().toStdString();
    in.material = window_.selectedMaterial().toStdString();
    if (in.coreType.empty() || in.material.empty()) return;

    const AlFieldTexts typed = readFields();
    ReadAlInputs(typed, in);
    in.options = options();
    const CoreDimensionTexts dimensions = window_.coreDimensions();
    in.ae_mm2 = text::ReadNumber(dimensions.ae.toStdString());
    in.le_mm = text::ReadNumber(dimensions.le.toStdString());
    in.mui = GetSelectedMaterialMui();
    const auto coreValue = [this](data::CoreField f) {
        return ReadOr(app_, 0.0, [&] { return window_.coreGeometry().number(f); });
    };
    in.k1 = coreValue(data::CoreField::K1);
    in.k2 = coreValue(data::CoreField::K2);
    const std::string coreType = in.coreType;
    // The type's fit is needed only where the core record has K-factors.
    if (in.k1 != 0 && in.k2 != 0)
        in.typeKFactors =
            ReadOr(app_, data::KFactorPair{}, [&] { return data::ReadKFactors(app_.db(), coreType); });

    const AlValueResult r = CalculateAlValue(in);
    for (const AlMessage& m : r.messages)
        Show(m, this);
    writeFields(ShowAlResult(typed, r));
    setNoteColour(r.notes);
}

double AlValueTab::GetSelectedMaterialMui() {
    const std::string material = window_.selectedMaterial().toStdString();
    if (material.empty()) return 0;
    const double mui = ReadOr(
        app_, 0.0, [this] { return window_.materialValues().value(data::MaterialField::mui).toDouble(); });
    return std::isfinite(mui) ? mui : 0;
}

bool AlValueTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || edit->isReadOnly()) return QWidget::eventFilter(watched, event);
    const int code = ui::CharacterCode(*static_cast<QKeyEvent*>(event));
    if (code == 0) return QWidget::eventFilter(watched, event);

    bool discard = false;
    if (!TakesAnyKey(edit->objectName())) {
        const text::KeyFilterResult filtered = text::NumericKeyFilter(code);
        if (!filtered.message.empty()) ui::ShowMessage(QString::fromStdString(filtered.message));
        discard = filtered.key == 0;
    }
    return discard;
}

AlTabOptions AlValueTab::options() const {
    AlTabOptions o;
    o.alToGap = airGap_.firstOption->isChecked();
    o.alToL = inductance_.firstOption->isChecked();
    o.alToGapFringe = fringeFlux_.firstOption->isChecked();
    return o;
}

AlFieldTexts AlValueTab::readFields() const {
    AlFieldTexts texts;
    for (const auto& [name, f] : kFieldNames)
        texts[f] = field(name)->text().toStdString();
    return texts;
}

void AlValueTab::writeFields(const AlFieldTexts& texts) {
    for (const auto& [name, f] : kFieldNames) {
        QLineEdit* edit = field(name);
        const QString text = QString::fromStdString(texts[f]);
        if (edit->text() != text) edit->setText(text);
    }
}

QLineEdit* AlValueTab::field(const std::string& name) const {
    return findChild<QLineEdit*>(QString::fromStdString(name));
}

} // namespace tolvik::core

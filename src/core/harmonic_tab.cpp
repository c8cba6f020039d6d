#include "tolvik/core/harmonic_tab.h"

#include "page_widgets.h"
#include "tolvik/core/harmonic_display.h"

#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/key_codes.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QCheckBox>
#include <QEvent>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace tolvik::core {

namespace {

const QString kFirstValue = QStringLiteral("FirstValue");

const char* const kN1N2Inputs[] = {"thd_turnratioN1", "thd_turnratioN2", "thd_L1_25",
                                   "thd_R1",          "thd_R2",          "thd_fcu"};
/// The fields the design from Al writes (fCu stays: it is cleared by no reset).
const char* const kN1N2Derived[] = {"thd_turnratioN1", "thd_turnratioN2", "thd_L1_25", "thd_R1", "thd_R2"};
const char* const kAlFields[] = {"thd_Al25", "thd_N1", "thd_N2"};
const char* const kCircuitInputs[] = {"thd_f", "thd_Rs", "thd_U", "thd_Rl"};

/// Turns of Frame10: an empty field reads 10; outside 0.5 … 10000 it is replaced by 100.
constexpr double kTurnsMin = 0.5;
constexpr double kTurnsMax = 10000;

const char* const kPendingStyle = "tolvikPendingStyle";

void ApplyStyle(QWidget* w, const QString& style) {
    w->setProperty(kPendingStyle, QVariant());
    if (w->styleSheet() != style) w->setStyleSheet(style);
}

/// Locked fields are gray and take no input; unlocked ones have the window colours. A
/// locked wire list keeps its text black: it shows the wire the design derived.
void SetLocked(QWidget* w, bool locked) {
    if (!w) return;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setReadOnly(locked);
        if (locked)
            SetGray(edit);
        else
            edit->setPalette(QPalette());
        return;
    }
    w->setEnabled(!locked);
    // A style sheet sets the widget's style up anew (milliseconds for a list): a list on a
    // page not shown gets its look when the page is shown.
    const QString style = locked ? kGrayStyle : QString();
    if (w->isVisible())
        ApplyStyle(w, style);
    else
        w->setProperty(kPendingStyle, style);
}

} // namespace

HarmonicTab::HarmonicTab(AppContext& app, CoreWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    setObjectName(QStringLiteral("HarmonicTab"));
    buildPage();
    connectFields();
}

HarmonicTab::~HarmonicTab() = default;

void HarmonicTab::connectFields() {
    connect(optAlN1N2_, &QRadioButton::clicked, this, [this] { selectAlN1N2Mode(); });
    connect(optN1N2R1R2_, &QRadioButton::clicked, this, [this] { selectN1N2R1R2Mode(); });

    // Any edit of the user (typing, paste, cut) makes k3c stale.
    const auto clearK3c = [this] { field("thd_k3c")->clear(); };
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (edit->objectName().startsWith(QLatin1String("thd_")) && edit->objectName() != "thd_k3c")
            connect(edit, &QLineEdit::textEdited, this, clearK3c);
    }
    for (QComboBox* list : {cbD_[1], cbD_[2], listTemp_}) {
        connect(list, qOverload<int>(&QComboBox::activated), this, clearK3c);
        connect(list->lineEdit(), &QLineEdit::textEdited, this, clearK3c);
    }

    for (const char* name : {"t4I1", "t4N3"})
        field(name)->installEventFilter(this);
    connect(field("t4N3"), &QLineEdit::textEdited, this, [this] { checkTurnsField(); });
}

void HarmonicTab::showEvent(QShowEvent* event) {
    for (int k = 1; k <= 2; ++k) {
        QComboBox* wire = cbD_[static_cast<size_t>(k)];
        const QVariant pending = wire ? wire->property(kPendingStyle) : QVariant();
        if (pending.isValid()) ApplyStyle(wire, pending.toString());
    }
    QWidget::showEvent(event);
}

bool HarmonicTab::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress && edit->objectName() == QLatin1String("t4N3")) {
        checkTurnsField();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int code = ui::CharacterCode(*static_cast<QKeyEvent*>(event));
        if (code == 0) return false;
        const text::KeyFilterResult filtered = text::NumericKeyFilter(code);
        if (!filtered.message.empty()) ui::ShowMessage(QString::fromStdString(filtered.message));
        return filtered.key == 0;
    }
    return QWidget::eventFilter(watched, event);
}

void HarmonicTab::checkTurnsField() {
    QLineEdit* turns = field("t4N3");
    if (turns->text().isEmpty()) turns->setText(QStringLiteral("10"));
    const double n = text::ReadNumber(turns->text().toStdString());
    if (n > kTurnsMax || n < kTurnsMin) {
        ui::ShowValueOutOfRange(this);
        turns->setText(QStringLiteral("100"));
    }
    window_.validateCoreEntry();
}

QComboBox* HarmonicTab::temperatureList() const {
    return listTemp_;
}

QBoxLayout* HarmonicTab::calculateSlot() const {
    return calculateSlot_;
}

QBoxLayout* HarmonicTab::arrowSlot(int index) const {
    return arrowSlots_.at(static_cast<size_t>(index));
}

// ---------------------------------------------------------------------------------------
// Input modes

void HarmonicTab::showModeArrow() {
    if (!window_.isCurrentPage(this)) return;
    QLabel* picture = window_.arrowPicture(0);
    if (!picture) return;
    const QString file = optAlN1N2_->isChecked() ? QStringLiteral("/bmp/arrow_gray_horz_left.bmp")
                                                 : QStringLiteral("/bmp/arrow_gray_horz.bmp");
    QPixmap arrow;
    if (!arrow.load(QString::fromStdString(app_.appFolder) + file)) arrow = QPixmap();
    picture->setPixmap(arrow);
}

void HarmonicTab::selectAlN1N2Mode() {
    const QString remembered[3] = {QString(), cbD_[1]->currentText(), cbD_[2]->currentText()};
    optAlN1N2_->setChecked(true);
    optN1N2R1R2_->setChecked(false);
    for (const char* name : kN1N2Inputs)
        SetLocked(field(name), true);
    for (const char* name : kAlFields)
        SetLocked(field(name), false);
    for (int k = 1; k <= 2; ++k) {
        QComboBox* wire = cbD_[static_cast<size_t>(k)];
        SetLocked(wire, false);
        try {
            window_.fillPairList(wire, QStringLiteral("Draht"), QStringLiteral("Groesse"),
                                 QStringLiteral("AWG"), kFirstValue);
        } catch (const data::DataError& e) {
            ui::ShowMessage(QString::fromStdString(e.what()));
        }
        if (!remembered[k].isEmpty()) wire->setEditText(remembered[k]);
    }
    showModeArrow();
}

void HarmonicTab::selectN1N2R1R2Mode() {
    optN1N2R1R2_->setChecked(true);
    optAlN1N2_->setChecked(false);
    for (const char* name : kN1N2Inputs)
        SetLocked(field(name), false);
    for (const char* name : kAlFields)
        SetLocked(field(name), true);
    for (int k = 1; k <= 2; ++k)
        SetLocked(cbD_[static_cast<size_t>(k)], true);
    showModeArrow();
}

// ---------------------------------------------------------------------------------------
// Calculation

void HarmonicTab::ResetTabFields() {
    field("thd_k3c")->clear();
    if (!optN1N2R1R2_->isChecked()) {
        for (const char* name : kN1N2Derived)
            field(name)->clear();
    } else {
        for (const char* name : kAlFields)
            field(name)->clear();
    }
}

void HarmonicTab::calculate() {
    calculatePressed_ = true;
    window_.recalculateCurrentTab();
    calculatePressed_ = false;
}

void HarmonicTab::Recalculate() {
    if (!app_.database) return;
    if (listTemp_->currentText().isEmpty())
        window_.fillList(listTemp_, QStringLiteral("muiT"), QStringLiteral("T"), QStringLiteral("25"));
    if (!InitHarmonicDistortion()) return;
    const bool designed = optAlN1N2_->isChecked() ? CalculateR1R2FcuL() : CalculateAlN1N2();
    // A design that stopped with a message leaves nothing to judge the distortion of.
    if (designed) CalculateK3c();
}

bool HarmonicTab::InitHarmonicDistortion() {
    std::vector<QString> texts;
    if (optAlN1N2_->isChecked()) {
        for (const char* name : kAlFields)
            texts.push_back(field(name)->text());
        texts.push_back(cbD_[1]->currentText());
        texts.push_back(cbD_[2]->currentText());
    } else {
        for (const char* name : kN1N2Inputs)
            texts.push_back(field(name)->text());
    }
    for (const char* name : kCircuitInputs)
        texts.push_back(field(name)->text());
    // Every field holds a number other than 0.
    const bool given = std::all_of(texts.begin(), texts.end(), [](const QString& t) {
        return !t.isEmpty() && text::ReadNumber(t.toStdString()) != 0.0;
    });
    if (given) return true;
    if (calculatePressed_) ui::ShowMessage(QString::fromLatin1(kFillInAllText));
    return false;
}

bool HarmonicTab::CalculateR1R2FcuL() {
    if (!materialAndCoreSelected()) return false;
    AlDesignInput in;
    in.n1 = value("thd_N1");
    in.n2 = value("thd_N2");
    in.d1_mm = text::ReadNumber(cbD_[1]->currentText().toStdString());
    in.d2_mm = text::ReadNumber(cbD_[2]->currentText().toStdString());
    in.al_nH = value("thd_Al25");
    in.an_mm2 = coreValue(data::CoreField::AN);
    in.ln_mm = coreValue(data::CoreField::LN);
    const AlDesignResult r = DesignFromAlN1N2(in);
    showMessages(r.messages);
    if (r.status == DesignStatus::NotValid) ResetTabFields();
    if (r.status != DesignStatus::Ok) return false;
    const AlDesignTexts t = ShowAlDesign(r);
    const std::pair<const char*, const std::string*> out[] = {{"thd_turnratioN1", &t.turnRatioN1},
                                                              {"thd_turnratioN2", &t.turnRatioN2},
                                                              {"thd_R1", &t.r1_Ohm},
                                                              {"thd_R2", &t.r2_Ohm},
                                                              {"thd_fcu", &t.fCu},
                                                              {"thd_L1_25", &t.l1_mH}};
    for (const auto& [name, text] : out)
        field(name)->setText(QString::fromStdString(*text));
    return true;
}

bool HarmonicTab::CalculateAlN1N2() {
    if (!materialAndCoreSelected()) return false;
    N1N2DesignInput in;
    in.r1_Ohm = value("thd_R1");
    in.r2_Ohm = value("thd_R2");
    in.fCu = value("thd_fcu");
    in.l1_mH = value("thd_L1_25");
    in.an_mm2 = coreValue(data::CoreField::AN);
    in.ln_mm = coreValue(data::CoreField::LN);
    in.ratioN1 = value("thd_turnratioN1");
    in.ratioN2 = value("thd_turnratioN2");
    const N1N2DesignResult r = DesignFromN1N2R1R2(in);
    showMessages(r.messages);
    if (r.status == DesignStatus::NotValid) ResetTabFields();
    if (r.status != DesignStatus::Ok) return false;
    const N1N2DesignTexts t = ShowN1N2Design(r, data::GetAWGFromGroesse(app_.db(), r.d1_mm),
                                             data::GetAWGFromGroesse(app_.db(), r.d2_mm));
    field("thd_N1")->setText(QString::fromStdString(t.n1));
    field("thd_N2")->setText(QString::fromStdString(t.n2));
    field("thd_Al25")->setText(QString::fromStdString(t.al_nH));
    cbD_[1]->setEditText(QString::fromStdString(t.wire1));
    cbD_[2]->setEditText(QString::fromStdString(t.wire2));
    return true;
}

void HarmonicTab::CalculateK3c() {
    if (!materialAndCoreSelected()) return;
    K3cInput in;
    // In both modes the fields hold the design, typed or derived.
    in.r1_Ohm = value("thd_R1");
    in.r2_Ohm = value("thd_R2");
    in.rs_Ohm = value("thd_Rs");
    in.rl_Ohm = value("thd_Rl");
    in.n1 = value("thd_N1");
    in.n2 = value("thd_N2");
    in.f_kHz = value("thd_f");
    in.fCu = value("thd_fcu");
    in.u_V = value("thd_U");
    in.l1_mH = value("thd_L1_25");
    in.ae_mm2 = coreValue(data::CoreField::Ae);
    in.le_mm = coreValue(data::CoreField::le);
    in.cdf = coreValue(data::CoreField::CDF);
    // The material's values only for a core with a distortion factor: µi(T), µi(25), hb(T).
    if (in.cdf != 0.0) {
        const std::string material = window_.selectedMaterial().toStdString();
        const double t = text::ReadNumber(listTemp_->currentText().toStdString());
        in.muiT = data::MuiAtT(app_.db(), material, t).toDouble();
        in.mui25 = data::MuiAtT(app_.db(), material, 25).toDouble();
        const data::HbResult hb = data::HbAtT(app_.db(), material, t);
        in.hb = hb.value;
        if (hb.failed) showMessages({{data::kNoMaterialDataText, data::kNoMaterialDataTitle}});
    }
    const K3cResult r = K3cFromValues(in);
    showMessages(r.messages);
    if (r.status == K3cStatus::NotValid) ResetTabFields();
    if (r.status != K3cStatus::Ok) return;
    field("thd_k3c")->setText(QString::fromStdString(text::FormatPattern(r.k3c_dB, "#")));
}

void HarmonicTab::showMessages(const std::vector<CoreMessage>& messages) {
    for (const CoreMessage& m : messages)
        ui::ShowMessage(QString::fromStdString(m.text), QString::fromStdString(m.title));
}

QLineEdit* HarmonicTab::field(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

double HarmonicTab::value(const char* name) const {
    const double v = text::ReadNumber(field(name)->text().toStdString());
    return std::isfinite(v) ? v : 0.0;
}

double HarmonicTab::coreValue(data::CoreField which) const {
    const double v = window_.coreGeometry().number(which);
    return std::isfinite(v) ? v : 0.0;
}

bool HarmonicTab::materialAndCoreSelected() const {
    return !window_.selectedMaterial().isEmpty() && !window_.selectedCore().isEmpty();
}

} // namespace tolvik::core

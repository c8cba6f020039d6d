#pragma once
// The random-input driver shared by the random-input run and the damaged-data test: actions
// on every enabled control found by objectName, and the invariants checked after each one.

#include "../ui_common/test_support.h"
#include "tolvik/chart/graph.h"
#include "tolvik/chart/graph_export.h"
#include "tolvik/core/al_value.h"
#include "tolvik/core/core_messages.h"
#include "tolvik/core/dc_bias.h"
#include "tolvik/core/harmonic.h"
#include "tolvik/core/mue_t.h"
#include "tolvik/core/p_trans.h"
#include "tolvik/core/wire.h"
#include "tolvik/data/records.h"
#include "tolvik/material/amplitude.h"
#include "tolvik/material/mat_curve.h"
#include "tolvik/material/power_loss.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/manual.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cmath>
#include <ctime>
#include <random>

using namespace Qt::StringLiterals;
using namespace tolvik;

namespace {

/// Prints into a PDF file of the session's folder instead of asking for a printer.
struct PdfPrinting : ui::PrintService {
    QString path;
    explicit PdfPrinting(QString file) : path(std::move(file)) {}
    bool setUp(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
};

/// Answers every save dialog with a file of the session's folder, in the suggested format.
std::unique_ptr<ui::FileDialogService> ExportIntoFolder(const QString& folder) {
    return std::make_unique<ui::ScriptedFileDialogService>(
        [folder](const QString&, const QString&, const QStringList& filters, const QString& suggested) {
            const QString filter = suggested.isEmpty() && !filters.isEmpty() ? filters.first() : suggested;
            static const QRegularExpression ext(u"\\*\\.(\\w+)"_s);
            const auto m = ext.match(filter);
            return std::pair{folder + u"/export."_s + (m.hasMatch() ? m.captured(1) : u"out"_s), filter};
        });
}

/// A fault of the data file named by the data layer (a damaged file): the forms of its texts.
bool DataFaultMessage(const QString& text) {
    static const QRegularExpression forms(
        u"^(The data file .* cannot be opened\\.|The file .* is no data file of the program: .*|"
        "The data file has a value that is not a number in field .*|The data file has no table .*|"
        "The data file has no field .*|There is no current record in .*|"
        "The data file cannot answer the query .*)$"_s,
        QRegularExpression::DotMatchesEverythingOption);
    return forms.match(text).hasMatch();
}

bool AllowedMessage(const QString& text) {
    // clang-format off
    static const char* const kTexts[] = {
        core::kValuesNotValidText, core::kInsertNText, core::kFillFactorText, core::kDivisionByZeroText,
        core::kInvalidArgumentText, core::kOverflowText, core::kNegativeGapText, core::kFillInAllText,
        core::kFcuOutOfRangeText, core::kNoBobbinText, core::kNoCdfText, core::kNoCoreKFactorsText,
        core::kKFactorMaterialText, core::kNoWireValuesText, data::kNoKFactorsText, data::kNoMaterialDataText,
        material::kNoValidValueText, material::kNoValidValuesText, material::kNoDataText,
        text::kDecimalCommaText, text::kDecimalPointText, ui::kValueOutOfRangeText, ui::kNoGraphText,
        shell::kPrintErrorText, chart::kNoCurveText, "No material selected"};
    // clang-format on
    for (const char* t : kTexts)
        if (text == QString::fromUtf8(t)) return true;
    // Texts with a name in them: the program's own text around any name.
    const QString mui = QString::fromStdString(core::NoMuiDataMessage("\x01"));
    const qsizetype at = mui.indexOf(QChar(1));
    if (text.startsWith(mui.left(at)) && text.endsWith(mui.mid(at + 1))) return true;
    if (text.startsWith(u"The file "_s) && text.contains(u" could not be written: "_s)) return true;
    if (text.startsWith(u"The design file "_s) && text.contains(u" cannot be opened: "_s)) return true;
    if (text.startsWith(u"The design "_s) && text.contains(u" is shown as saved. "_s)) return true;
    // The manual's messages end with its path.
    for (const QString& manual : {shell::NoPdfViewerMessage({}), shell::ManualMissingMessage({}),
                                  shell::PdfViewerFailedMessage({}, {})}) {
        const qsizetype cut = manual.indexOf(u'\n');
        if (text.startsWith(manual.left(cut).section(u'"', 0, 0)) && text.contains(u"manual"_s)) return true;
    }
    if (text.startsWith(u"The help file "_s) && text.endsWith(u" cannot be read."_s)) return true;
    return text.startsWith(u"No valid selection for "_s) && text.endsWith(u"!"_s);
}

/// A text that shows NaN or an infinity.
bool ShowsNonFinite(const QString& text) {
    static const QRegularExpression bad(u"(^|[^a-z])(nan|inf|infinity)([^a-z]|$)"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    return bad.match(text).hasMatch();
}

enum class Kind { Menu, Button, Tab, ListChoice, ListType, FieldType, ChartPoint, ChartClick };

struct Action {
    Kind kind = Kind::Menu;
    QString target; ///< path of objectNames of the control
    int index = 0;  ///< position among the candidates of its kind when it was chosen
    int a = 0, b = 0;
    QString text;
    bool enter = false;
};

QString PathOf(const QObject* o) {
    QStringList parts;
    for (; o; o = o->parent())
        if (!o->objectName().isEmpty()) parts.prepend(o->objectName());
    return parts.join(u'/');
}

QString Describe(const Action& a) {
    static const char* names[] = {"menu",      "button", "tab",         "list-choice",
                                  "list-type", "type",   "chart-point", "chart-click"};
    const QString s = QString::fromLatin1(names[int(a.kind)]) + u' ' + a.target;
    if (a.kind == Kind::FieldType || a.kind == Kind::ListType) {
        const QString t = a.text.size() > 40 ? a.text.left(40) + u"…(%1)"_s.arg(a.text.size()) : a.text;
        return s + u" \""_s + t + u'"' + (a.enter ? u" +Enter"_s : u""_s);
    }
    return a.kind == Kind::Menu || a.kind == Kind::Button ? s : s + u" %1,%2"_s.arg(a.a).arg(a.b);
}

/// Controls that must not be driven: they end the program.
bool Denied(const QObject* o) {
    return o->objectName() == u"mnuExit"_s || o->objectName() == u"CmdExit"_s;
}

template <typename T> QList<T*> Candidates() {
    QList<T*> out;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        if (auto* self = qobject_cast<T*>(top); self && self->isEnabled()) out << self;
        for (T* w : top->findChildren<T*>())
            if (w->isVisible() && w->isEnabled() && !Denied(w)) out << w;
    }
    return out;
}

QList<QAction*> MenuActions(shell::MainWindow& window) {
    QList<QAction*> out;
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->isEnabled() && !a->objectName().isEmpty() && !Denied(a) && !a->menu())
                out << a;
    return out;
}

QList<QLineEdit*> Fields() {
    QList<QLineEdit*> out;
    for (QLineEdit* e : Candidates<QLineEdit>())
        if (!e->isReadOnly() && !qobject_cast<QComboBox*>(e->parentWidget())) out << e;
    return out;
}

/// Finds the control again: the same position when it has the same path, else the first of that path.
template <typename T> T* Find(const QList<T*>& list, const Action& a) {
    if (a.index < list.size() && PathOf(list[a.index]) == a.target) return list[a.index];
    for (T* w : list)
        if (PathOf(w) == a.target) return w;
    return nullptr;
}

int Roll(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

QString RandomNumberText(std::mt19937& rng) {
    static const QStringList pieces =
        u"0|1|7|25|100|3|0.5|2,5|,|.|-|+|e|E|1e308|1e-320|-1e308|9e99| |a|x|-0|"
        u"1,2,3|1.2.3|nan|inf|1e|0.0001|65535|32768|2147483648|1e10|µ|°"_s.split(u'|');
    const int s = Roll(rng, 0, 19);
    if (s == 0) return {};
    if (s == 1) return QString(Roll(rng, 200, 400), u'9');
    QString t;
    for (int i = Roll(rng, 1, 4); i > 0; --i)
        t += pieces[Roll(rng, 0, int(pieces.size()) - 1)];
    return t;
}

class Session {
public:
    /// dataFaults: messages naming faults of the data file are allowed (a damaged file).
    explicit Session(const QString& folder, bool dataFaults = false)
        : messages_(ui::InstallRecordingMessages()), dataFaults_(dataFaults) {
        ui::SetClipboardService(std::make_unique<ui::RecordingClipboardService>());
        ui::SetLauncherService(std::make_unique<ui::RecordingLauncherService>());
        ui::SetPrintService(std::make_unique<PdfPrinting>(output_.filePath(u"print.pdf"_s)));
        ui::SetFileDialogService(ExportIntoFolder(output_.path()));
        if (!shell::StartUp(app_, folder)) return;
        window_ = std::make_unique<shell::MainWindow>(app_);
        window_->show();
    }
    bool started() const { return window_ != nullptr; }
    shell::MainWindow& window() { return *window_; }
    const std::vector<ui::RecordingMessageService::Message>& messages() const { return messages_.messages; }
    ~Session() {
        window_.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            w->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    /// Chooses an action at random (it is not run).
    std::optional<Action> choose(std::mt19937& rng) {
        const auto pick = [&](auto list, Kind kind) -> std::optional<Action> {
            if (list.isEmpty()) return std::nullopt;
            const int i = Roll(rng, 0, int(list.size()) - 1);
            return Action{kind, PathOf(list[i]), i, 0, 0, {}, false};
        };
        const int roll = Roll(rng, 0, 99);
        std::optional<Action> a;
        if (roll < 8)
            a = pick(MenuActions(*window_), Kind::Menu);
        else if (roll < 22)
            a = pick(Candidates<QAbstractButton>(), Kind::Button);
        else if (roll < 32) {
            a = pick(Candidates<QTabBar>(), Kind::Tab);
            if (a) a->a = Roll(rng, 0, 7);
        } else if (roll < 48) {
            const bool combo = roll < 44;
            a = combo ? pick(Candidates<QComboBox>(), Kind::ListChoice)
                      : pick(Candidates<QListWidget>(), Kind::ListChoice);
            if (a) a->a = Roll(rng, -1, combo ? 60 : 30);
        } else if (roll < 54) {
            QList<QComboBox*> editable;
            for (QComboBox* c : Candidates<QComboBox>())
                if (c->isEditable()) editable << c;
            a = pick(editable, Kind::ListType);
            if (a) {
                QComboBox* c = editable[a->index];
                const bool right = c->count() > 0 && Roll(rng, 0, 1);
                a->text = right ? c->itemText(Roll(rng, 0, c->count() - 1)) : RandomNumberText(rng);
                a->enter = Roll(rng, 0, 3) != 0;
            }
        } else if (roll < 84) {
            a = pick(Fields(), Kind::FieldType);
            if (a) {
                a->text = RandomNumberText(rng);
                a->enter = Roll(rng, 0, 2) != 0;
            }
        } else {
            const bool point = roll < 92; // a point chosen, or a click anywhere on the chart
            a = pick(Candidates<chart::Graph>(), point ? Kind::ChartPoint : Kind::ChartClick);
            if (a) {
                a->a = Roll(rng, 0, point ? 16 : 999);
                a->b = Roll(rng, 0, point ? 200 : 999);
            }
        }
        return a;
    }

    /// Runs an action; a control that is not there (any more) makes it a no-op.
    void run(const Action& a) {
        switch (a.kind) {
        case Kind::Menu:
            if (QAction* act = Find(MenuActions(*window_), a)) act->trigger();
            break;
        case Kind::Button:
            if (QAbstractButton* b = Find(Candidates<QAbstractButton>(), a))
                QTest::mouseClick(b, Qt::LeftButton);
            break;
        case Kind::Tab:
            if (QTabBar* t = Find(Candidates<QTabBar>(), a); t && t->count() > 0) {
                const int i = a.a % t->count();
                if (t->isTabEnabled(i)) QTest::mouseClick(t, Qt::LeftButton, {}, t->tabRect(i).center());
            }
            break;
        case Kind::ListChoice:
            if (QComboBox* c = Find(Candidates<QComboBox>(), a)) {
                if (c->count() > 0) c->setCurrentIndex(a.a < 0 ? -1 : a.a % c->count());
                emit c->activated(c->currentIndex());
            } else if (QListWidget* l = Find(Candidates<QListWidget>(), a); l && l->count() > 0) {
                QListWidgetItem* item = l->item(std::max(0, a.a) % l->count());
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
            }
            break;
        case Kind::ListType:
            if (QComboBox* c = Find(Candidates<QComboBox>(), a); c && c->lineEdit())
                typeInto(c->lineEdit(), a, false);
            break;
        case Kind::FieldType:
            if (QLineEdit* e = Find(Fields(), a)) typeInto(e, a, true);
            break;
        case Kind::ChartPoint:
            if (chart::Graph* g = Find(Candidates<chart::Graph>(), a)) {
                const chart::ChartModel& m = g->model();
                if (m.numSets() > 0 && m.numPoints() > 0)
                    g->selectPoint(1 + a.a % m.numSets(), 1 + a.b % m.numPoints());
            }
            break;
        case Kind::ChartClick:
            if (chart::Graph* g = Find(Candidates<chart::Graph>(), a))
                if (auto* view = g->findChild<QGraphicsView*>()) {
                    QWidget* vp = view->viewport();
                    QTest::mouseClick(vp, Qt::LeftButton, {},
                                      QPoint(vp->width() * a.a / 1000, vp->height() * a.b / 1000));
                }
            break;
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    /// The invariants after an action; empty when all hold.
    QString check() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible()) continue;
            if (top->isModal() && !top->objectName().startsWith(u"GraphSettings"_s))
                return u"a modal window is open: "_s + PathOf(top) + u' ' + top->metaObject()->className();
            for (QWidget* w : top->findChildren<QWidget*>()) {
                if (!w->isVisible()) continue;
                if (auto* g = qobject_cast<chart::Graph*>(w)) {
                    if (QString fault = chartFault(*g); !fault.isEmpty()) return fault;
                }
                // Texts the user typed (a list shows them in capitals) are not the program's.
                for (const QString& text : test::ShownTexts(w))
                    if (!typedSomewhere(text) && ShowsNonFinite(text))
                        return u"text \""_s + text.left(80) + u"\" in "_s + PathOf(w);
            }
        }
        for (; seenMessages_ < messages_.messages.size(); ++seenMessages_) {
            const auto& m = messages_.messages[seenMessages_];
            if (!(AllowedMessage(m.text) || (dataFaults_ && DataFaultMessage(m.text))) ||
                (m.title != ui::kTitle && m.title != QString::fromLatin1(ui::kValueOutOfRangeTitle)))
                return u"message not of the program: \""_s + m.text + u"\" titled \""_s + m.title + u'"';
        }
        return {};
    }

private:
    /// Replaces the text of a field as a user does (a long text in a field is pasted).
    void typeInto(QLineEdit* e, const Action& a, bool field) {
        if (field) e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        if (field && a.text.size() > 40) {
            e->insert(a.text);
            emit e->textEdited(e->text());
        } else {
            QTest::keyClicks(e, a.text);
        }
        everTyped_.insert(e->text().toLower());
        if (a.enter) QTest::keyClick(e, Qt::Key_Return);
    }

    /// A text the user typed, now or before (chart titles, fields of a saved design).
    bool typedSomewhere(const QString& text) const { return everTyped_.contains(text.toLower()); }

    QString chartFault(const chart::Graph& g) const {
        const chart::ChartModel& m = g.model();
        const QString where = PathOf(&g);
        for (const std::string* t : {&m.graphTitle(), &m.bottomTitle(), &m.leftTitle()})
            if (const QString title = QString::fromStdString(*t);
                !typedSomewhere(title) && ShowsNonFinite(title))
                return u"chart title \""_s + title + u"\" in "_s + where;
        for (double v : {m.xMin(), m.xMax(), m.yMin(), m.yMax()})
            if (!std::isfinite(v)) return u"non-finite axis limit in "_s + where;
        for (int s = 1; s <= m.numSets(); ++s) {
            for (int p = 1; p <= m.numPoints(); ++p) {
                const chart::Point& pt = m.point(s, p);
                if ((pt.xWritten && !std::isfinite(pt.x)) || (pt.yWritten && !std::isfinite(pt.y)))
                    return u"non-finite point %1,%2 in "_s.arg(s).arg(p) + where;
            }
            if (const QString legend = QString::fromStdString(m.legendOf(s)); ShowsNonFinite(legend))
                return u"legend \""_s + legend + u"\" in "_s + where;
        }
        return {};
    }

    QTemporaryDir output_; ///< where printing and export write
    AppContext app_;
    std::unique_ptr<shell::MainWindow> window_;
    ui::RecordingMessageService& messages_;
    bool dataFaults_ = false;
    QSet<QString> everTyped_; ///< lower case
    size_t seenMessages_ = 0;
};

std::atomic<long> g_progress{0}; ///< actions finished, for the watchdog

// Far beyond one frame: a hang or a runaway loop. In the thread's processor time, so that a busy
// machine does not count; a wait without work shows as a modal window or as no progress at all.
constexpr qint64 kSlowActionMs = 5000;

/// Processor time of the calling thread in ms.
inline qint64 ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

/// Runs up to n random actions, each appended to seq, and checks the invariants after each: the
/// fault after the last one, or empty.
inline QString RunRandom(Session& s, std::mt19937& rng, long n, std::vector<Action>& seq) {
    for (long i = 0; i < n; ++i) {
        const std::optional<Action> a = s.choose(rng);
        if (!a) continue;
        seq.push_back(*a);
        const qint64 start = ThreadCpuMs();
        s.run(*a);
        ++g_progress;
        QString fault = s.check();
        if (const qint64 ms = ThreadCpuMs() - start; fault.isEmpty() && ms > kSlowActionMs)
            fault = u"action took %1 ms of processor time"_s.arg(ms);
        if (!fault.isEmpty()) return Describe(*a) + u": "_s + fault;
    }
    return {};
}

} // namespace

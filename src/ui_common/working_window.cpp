#include "tolvik/ui_common/working_window.h"

#include "tolvik/chart/graph.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/key_codes.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/page_widgets.h"
#include "tolvik/ui_common/window_state.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace tolvik::ui {

void ForgetStaleSelection(QComboBox* list) {
    const int i = list->currentIndex();
    if (i >= 0 && list->currentText() != list->itemText(i)) {
        const QString typed = list->currentText();
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(-1);
        list->setEditText(typed);
    }
}

WorkingWindow::WorkingWindow(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {}

WorkingWindow::~WorkingWindow() = default;

const SelectionRow& WorkingWindow::makeSelectionRow(const QString& name, const QString& title,
                                                    const QString& frameTitle) {
    using namespace page;
    setObjectName(name);
    setWindowTitle(title);
    SelectionRow& r = selection_;
    r.root = Outer(new QVBoxLayout(this));
    r.top = new QHBoxLayout;
    r.top->setSpacing(kMargin);
    r.root->addLayout(r.top);
    r.frame = NewGroup(frameTitle, QStringLiteral("Frame3D1"));
    r.row = Inner(new QHBoxLayout(r.frame));
    r.row->setSpacing(6);
    r.kern = NewList(QStringLiteral("Kern"));
    r.material = NewList(QStringLiteral("Material"));
    for (QComboBox* list : {r.kern, r.material}) {
        list->setMaxVisibleItems(20);
        // A choice of the user (or of CheckListEntry) raises activated; a list routine that
        // sets the index only changes it, and the "noaction" tag it left is cleared here.
        connect(list, &QComboBox::currentIndexChanged, this, [list] {
            if (Tag(list) == kNoAction) SetTag(list, QString());
        });
        list->installEventFilter(this);
        if (list->lineEdit()) list->lineEdit()->installEventFilter(this);
    }
    r.lowProfile = new QCheckBox(QStringLiteral("low profile"));
    r.lowProfile->setObjectName(QStringLiteral("LP"));
    r.withHole = new QCheckBox(QStringLiteral("with hole"));
    r.withHole->setObjectName(QStringLiteral("ML"));
    r.t25 = NewOption(QStringLiteral("T=25°C"), QStringLiteral("T25"), true);
    r.t100 = NewOption(QStringLiteral("T=100°C"), QStringLiteral("T100"));
    r.temperatures = new QVBoxLayout;
    r.temperatures->setSpacing(0);
    r.temperatures->addWidget(r.t25);
    r.temperatures->addWidget(r.t100);

    calculate_ = new QPushButton(QStringLiteral("Calculate"), this);
    calculate_->setObjectName(QStringLiteral("cmdCalculate"));
    calculate_->setFixedHeight(24);
    calculate_->hide();
    connect(calculate_, &QPushButton::clicked, this, [this] { calculateClicked(); });
    return r;
}

void WorkingWindow::setUp() {
    buildWindow();
    connectSignals();
    loadSelection();
}

void WorkingWindow::loadSelection() {
    move(0, TwipsToPixels(20));
    if (app_.database) {
        Guarded(
            [&] {
                FillMaterialList(app_.db(), selection_.material);
                FillCoreList(app_.db(), selection_.kern);
            },
            this);
    }
    setMainCopyEnabled(false);
}

void WorkingWindow::watchLeaving(QObject* control) {
    leaving_.push_back(control);
    control->installEventFilter(this);
}

bool WorkingWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyPress) {
        for (QComboBox* list : {selection_.kern, selection_.material}) {
            if (!list || (watched != list && watched != list->lineEdit())) continue;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (IsEnter(key)) {
                listEntered(list);
                return true;
            }
            return TypeShiftedInto(list, *key);
        }
    } else if (type == QEvent::FocusOut &&
               std::find(leaving_.begin(), leaving_.end(), watched) != leaving_.end()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) controlLeft(watched);
    }
    return QWidget::eventFilter(watched, event);
}

namespace {

/// The tab control of a working window. A changed text anywhere on a page asks every layout
/// above it to lay out anew; the plain tab control then repaints all of itself, every field
/// and the graph, although nothing moved. This one lays out (and repaints) only when its
/// size or a size it depends on changed.
class TabControl : public QTabWidget {
protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::LayoutRequest) {
            if (!isVisible()) {
                laidOut_.reset();
            } else {
                const Fit now{size(), sizeHint(), minimumSizeHint(), tabBar()->sizeHint()};
                if (laidOut_ == now) return true;
                laidOut_ = now;
            }
        }
        return QTabWidget::event(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        laidOut_.reset();
        QTabWidget::resizeEvent(e);
        // Not shown yet, the plain tab control leaves its pages at their old size until it
        // is shown, after the page shown first (and its graph) has been laid out at that
        // size; they are placed at their size now, where the tab control puts them later.
        if (!isVisible()) {
            QStyleOptionTabWidgetFrame option;
            initStyleOption(&option);
            if (auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
                stack->setGeometry(style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this));
        }
    }

private:
    struct Fit {
        QSize size, hint, minimum, bar;
        bool operator==(const Fit&) const = default;
    };
    std::optional<Fit> laidOut_;
};

} // namespace

QTabWidget* WorkingWindow::makeTabWidget(const std::vector<std::pair<QWidget*, TabPage*>>& pages,
                                         const std::vector<QString>& captions) {
    tabs_ = new TabControl;
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    for (size_t i = 0; i < pages.size(); ++i) {
        tabs_->addTab(pages[i].first, captions[i]);
        pages_.push_back(pages[i].second);
    }
    // Connected after the pages are in: adding the first one makes it current.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = std::exchange(lastTab_, index);
        tabChanged(previous);
    });
    return tabs_;
}

namespace {

/// The parts of a window: its own controls outside the tab control, then each page.
std::vector<WindowPart> Parts(const QWidget* window, const QTabWidget* tabs) {
    std::vector<WindowPart> parts{{window, tabs}};
    for (int i = 0; tabs && i < tabs->count(); ++i)
        parts.push_back({tabs->widget(i), nullptr});
    return parts;
}

} // namespace

design::WindowState WorkingWindow::designState() const {
    design::WindowState s;
    s.name = objectName().toStdString();
    s.tab = currentTab();
    CaptureParts(Parts(this, tabs_), s);
    for (const auto& [name, text] : s.lists) {
        if (name == "Kern") s.core = text;
        if (name == "Material") s.material = text;
    }
    for (const auto& [name, checked] : s.options)
        if (name == "T25") s.temperature = checked ? "25" : "100";
    return s;
}

QStringList WorkingWindow::restoreDesignState(const design::WindowState& state) {
    return RestoreParts(Parts(this, tabs_), state);
}

int WorkingWindow::currentTab() const {
    return tabs_ ? tabs_->currentIndex() : -1;
}

TabPage* WorkingWindow::currentPage() const {
    const int t = currentTab();
    return t >= 0 && t < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(t)] : nullptr;
}

chart::Graph* WorkingWindow::currentGraph() const {
    const TabPage* page = currentPage();
    return page ? page->graph() : nullptr;
}

std::vector<ShownField> WorkingWindow::shownFields() const {
    return tabs_ && tabs_->currentWidget() ? ShownFields(tabs_->currentWidget()) : std::vector<ShownField>{};
}

chart::Graph* WorkingWindow::shownGraph() const {
    chart::Graph* g = currentGraph();
    return g && tabs_ && g->isVisibleTo(tabs_->currentWidget()) ? g : nullptr;
}

QString WorkingWindow::readerCurve() const {
    return reader_.curve ? reader_.curve->text() : QString();
}

ReaderFrame& WorkingWindow::makeReaderFrame(int labelMinWidth, int horizontalSpacing) {
    using namespace page;
    reader_.frame = NewGroup(QStringLiteral("Graph Reader"), QStringLiteral("SSFrame5"));
    auto* gr = Inner(new QGridLayout(reader_.frame));
    if (horizontalSpacing >= 0) gr->setHorizontalSpacing(horizontalSpacing);
    reader_.curve = NewLabel(QString(), QStringLiteral("GR1"));
    reader_.x = NewLabel(QString(), QStringLiteral("GR2"));
    reader_.y = NewLabel(QString(), QStringLiteral("GR3"));
    for (QLabel* l : {reader_.curve, reader_.x, reader_.y}) {
        SetGray(l);
        l->setMinimumWidth(labelMinWidth);
    }
    gr->addWidget(reader_.curve, 0, 0, 1, 2);
    gr->addWidget(reader_.x, 1, 0);
    gr->addWidget(reader_.y, 1, 1);
    return reader_;
}

bool WorkingWindow::readPoint(int set, int point, const char* yPattern, bool trimSeparator) {
    TabPage* page = currentPage();
    chart::Graph* graph = page ? page->graph() : nullptr;
    if (!graph) return false;
    chart::ChartModel& m = graph->model();
    m.setThisSet(set);
    m.setThisPoint(point);
    PickedPoint p;
    p.set = set;
    p.point = point;
    p.x = m.xValue();
    p.y = m.yValue();
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    p.xText = QString::fromStdString(text::CommaToPoint(PlainNumberText(p.x)));
    p.yText = QString::fromStdString(text::FormatPattern(p.y, yPattern));
    if (trimSeparator) {
        if (p.yText.endsWith(QLatin1Char(','))) p.yText.chop(1);
        if (p.yText.endsWith(QLatin1Char('.'))) p.yText.chop(1);
    }

    const QString previousCurve = reader_.curve->text();
    reader_.curve->setText(QString::fromStdString(m.legendText()));
    if (const std::optional<ReaderLines> lines = page->pointPicked(p)) {
        reader_.x->setText(lines->first);
        reader_.y->setText(lines->second);
    }
    app_.log.append(reader_.x->text().toStdString(), reader_.y->text().toStdString(),
                    reader_.curve->text() != previousCurve);
    return true;
}

void WorkingWindow::setHost(WindowHost* host) {
    host_ = host;
    if (host_) host_->setCopyEnabled(copyEnabled_);
}

void WorkingWindow::setMainCopyEnabled(bool enabled) {
    copyEnabled_ = enabled;
    if (host_) host_->setCopyEnabled(enabled);
}

} // namespace tolvik::ui

// Reading and writing a working window's controls for a design file. The controls are
// found among the window's own children by their names; a control a design names that the
// window does not have (a design of another version) is passed over.

#include "tolvik/shell/design_state.h"

#include "tolvik/chart/graph.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

#include <map>

namespace tolvik::shell {

namespace {

std::string S(const QString& s) {
    return s.toStdString();
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

/// Named children of a kind, in a stable order (by name), without the parts of compound
/// controls (the edit field inside a combo box).
template <typename T> std::vector<T*> Named(const QWidget* window) {
    std::map<QString, T*> byName;
    for (T* w : window->findChildren<T*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
        byName.emplace(w->objectName(), w);
    }
    std::vector<T*> out;
    for (auto& [name, w] : byName)
        out.push_back(w);
    return out;
}

template <typename T> T* Find(QWidget* window, const std::string& name) {
    T* w = window->findChild<T*>(Q(name));
    return w && !qobject_cast<QComboBox*>(w->parentWidget()) ? w : nullptr;
}

design::GraphState CaptureGraph(const chart::Graph& graph) {
    const chart::ChartModel& m = graph.model();
    design::GraphState g;
    g.name = S(graph.objectName());
    g.title = m.graphTitle();
    g.xTitle = m.bottomTitle();
    g.yTitle = m.leftTitle();
    g.axisScale = m.axisScaleCode();
    g.graphStyle = m.graphStyle();
    g.xMin = m.xMin();
    g.xMax = m.xMax();
    g.yMin = m.yMin();
    g.yMax = m.yMax();
    g.pointsPerCurve = m.numPoints();
    for (const auto& [name, code] : m.styles())
        g.styles.emplace_back(name, code);
    // Every set, the empty one the windows keep at the end for their next curve included.
    for (int set = 1; set <= m.numSets(); ++set) {
        design::CurveState c;
        c.legend = m.legendOf(set);
        for (int p = 1; p <= m.numPoints(); ++p) {
            const chart::Point& pt = m.point(set, p);
            c.points.push_back({pt.xWritten ? std::optional(pt.x) : std::nullopt,
                                pt.yWritten ? std::optional(pt.y) : std::nullopt});
        }
        while (!c.points.empty() && !c.points.back().x && !c.points.back().y)
            c.points.pop_back();
        g.curves.push_back(std::move(c));
    }
    return g;
}

void RestoreGraph(chart::Graph& graph, const design::GraphState& g) {
    chart::ChartModel& m = graph.model();
    m.setDataReset(1);
    m.setGraphTitle(g.title);
    m.setBottomTitle(g.xTitle);
    m.setLeftTitle(g.yTitle);
    m.setAxisScale(g.axisScale);
    m.setGraphStyle(g.graphStyle);
    m.setXMin(g.xMin);
    m.setXMax(g.xMax);
    m.setYMin(g.yMin);
    m.setYMax(g.yMax);
    for (const auto& [name, code] : g.styles)
        m.setStyle(name, code);
    m.setNumSets(std::max<int>(1, static_cast<int>(g.curves.size())));
    m.setNumPoints(std::max(2, g.pointsPerCurve));
    for (std::size_t c = 0; c < g.curves.size(); ++c) {
        m.setThisSet(static_cast<int>(c) + 1);
        m.setLegendText(g.curves[c].legend);
        for (std::size_t p = 0; p < g.curves[c].points.size(); ++p) {
            m.setThisPoint(static_cast<int>(p) + 1);
            if (g.curves[c].points[p].x) m.setXValue(*g.curves[c].points[p].x);
            if (g.curves[c].points[p].y) m.setYValue(*g.curves[c].points[p].y);
        }
    }
    m.setThisSet(std::max<int>(1, static_cast<int>(g.curves.size())));
    m.setThisPoint(1);
    m.setDrawMode(3);
}

QString Text(const QWidget* window, const char* name) {
    if (const auto* list = window->findChild<QComboBox*>(QLatin1String(name))) return list->currentText();
    return {};
}

} // namespace

design::WindowState CaptureWindow(const QWidget* window, int tab) {
    design::WindowState s;
    s.name = S(window->objectName());
    s.tab = tab;
    s.core = S(Text(window, "Kern"));
    s.material = S(Text(window, "Material"));
    if (const auto* t25 = window->findChild<QRadioButton*>(QStringLiteral("T25")))
        s.temperature = t25->isChecked() ? "25" : "100";
    for (const QComboBox* list : Named<QComboBox>(window))
        s.lists.emplace_back(S(list->objectName()), S(list->currentText()));
    for (const QListWidget* list : Named<QListWidget>(window))
        s.lists.emplace_back(S(list->objectName()),
                             list->currentItem() ? S(list->currentItem()->text()) : "");
    for (const QAbstractButton* b : Named<QAbstractButton>(window))
        if (b->isCheckable()) s.options.emplace_back(S(b->objectName()), b->isChecked());
    for (const QLineEdit* field : Named<QLineEdit>(window))
        s.texts.emplace_back(S(field->objectName()), S(field->text()));
    for (const QLabel* label : Named<QLabel>(window))
        if (label->pixmap().isNull()) s.texts.emplace_back(S(label->objectName()), S(label->text()));
    for (const chart::Graph* graph : Named<chart::Graph>(window))
        s.graphs.push_back(CaptureGraph(*graph));
    return s;
}

QStringList RestoreWindow(QWidget* window, const design::WindowState& state) {
    QStringList missing;
    // Lists and options as the user would choose them, in the order saved.
    for (const auto& [name, text] : state.lists) {
        if (auto* list = Find<QComboBox>(window, name)) {
            const int i = list->findText(Q(text), Qt::MatchFixedString | Qt::MatchCaseSensitive);
            if (i >= 0) {
                list->setCurrentIndex(i);
                emit list->activated(i);
            } else if (list->isEditable()) {
                list->setEditText(Q(text));
            }
            // The selection lists of cores and materials hold the data file's rows.
            if (i < 0 && !text.empty() && (name == "Kern" || name == "Material"))
                missing << QStringLiteral("The %1 \"%2\" is not in the data file.")
                               .arg(name == "Kern" ? QStringLiteral("core") : QStringLiteral("material"),
                                    Q(text));
        } else if (auto* values = Find<QListWidget>(window, name)) {
            const QList<QListWidgetItem*> found = values->findItems(Q(text), Qt::MatchExactly);
            if (!found.isEmpty()) values->setCurrentItem(found.front());
        }
    }
    for (const auto& [name, checked] : state.options)
        if (auto* b = Find<QAbstractButton>(window, name); b && b->isCheckable() && b->isChecked() != checked)
            b->setChecked(checked);
    // Fields and graphs exactly as saved: nothing reacts to them.
    for (const auto& [name, text] : state.texts) {
        if (auto* field = Find<QLineEdit>(window, name)) {
            const QSignalBlocker quiet(field);
            field->setText(Q(text));
        } else if (auto* label = Find<QLabel>(window, name)) {
            label->setText(Q(text));
        }
    }
    for (const design::GraphState& g : state.graphs)
        if (auto* graph = Find<chart::Graph>(window, g.name)) RestoreGraph(*graph, g);
    return missing;
}

} // namespace tolvik::shell

// Reading and writing the controls of a working window's parts for a design file.

#include "tolvik/ui_common/window_state.h"

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
#include <set>

namespace tolvik::ui {

namespace {

std::string S(const QString& s) {
    return s.toStdString();
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool InPart(const QWidget* w, const WindowPart& part) {
    return !part.skip || (w != part.skip && !part.skip->isAncestorOf(w));
}

/// Named controls of a kind in a part, in the order of their names, without the parts of
/// compound controls (the edit field inside a combo box).
template <typename T> std::vector<T*> Named(const WindowPart& part) {
    std::map<QString, T*> byName;
    for (T* w : part.root->findChildren<T*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (qobject_cast<QComboBox*>(w->parentWidget()) || !InPart(w, part)) continue;
        byName.emplace(w->objectName(), w);
    }
    std::vector<T*> out;
    for (auto& [name, w] : byName)
        out.push_back(w);
    return out;
}

/// The same over several parts; a name two parts share is taken from the first, as
/// `Find` finds it.
template <typename T> std::vector<T*> Named(const std::vector<WindowPart>& parts) {
    std::vector<T*> out;
    std::set<QString> seen;
    for (const WindowPart& part : parts)
        for (T* w : Named<T>(part))
            if (seen.insert(w->objectName()).second) out.push_back(w);
    return out;
}

template <typename T> T* Find(const std::vector<WindowPart>& parts, const std::string& name) {
    for (const WindowPart& part : parts) {
        T* w = part.root->findChild<T*>(Q(name));
        if (w && !qobject_cast<QComboBox*>(w->parentWidget()) && InPart(w, part)) return w;
    }
    return nullptr;
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

} // namespace

void CaptureParts(const std::vector<WindowPart>& parts, design::WindowState& s) {
    for (const QComboBox* list : Named<QComboBox>(parts))
        s.lists.emplace_back(S(list->objectName()), S(list->currentText()));
    for (const QListWidget* list : Named<QListWidget>(parts))
        s.lists.emplace_back(S(list->objectName()),
                             list->currentItem() ? S(list->currentItem()->text()) : "");
    for (const QAbstractButton* b : Named<QAbstractButton>(parts))
        if (b->isCheckable()) s.options.emplace_back(S(b->objectName()), b->isChecked());
    for (const QLineEdit* field : Named<QLineEdit>(parts))
        s.texts.emplace_back(S(field->objectName()), S(field->text()));
    for (const QLabel* label : Named<QLabel>(parts))
        if (label->pixmap().isNull()) s.texts.emplace_back(S(label->objectName()), S(label->text()));
    for (const chart::Graph* graph : Named<chart::Graph>(parts))
        s.graphs.push_back(CaptureGraph(*graph));
}

QStringList RestoreParts(const std::vector<WindowPart>& parts, const design::WindowState& state) {
    QStringList missing;
    // Lists and options as the user would choose them, in the order saved.
    for (const auto& [name, text] : state.lists) {
        if (auto* list = Find<QComboBox>(parts, name)) {
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
        } else if (auto* values = Find<QListWidget>(parts, name)) {
            const QList<QListWidgetItem*> found = values->findItems(Q(text), Qt::MatchExactly);
            if (!found.isEmpty()) values->setCurrentItem(found.front());
        }
    }
    for (const auto& [name, checked] : state.options)
        if (auto* b = Find<QAbstractButton>(parts, name); b && b->isCheckable() && b->isChecked() != checked)
            b->setChecked(checked);
    // Fields and graphs exactly as saved: nothing reacts to them.
    for (const auto& [name, text] : state.texts) {
        if (auto* field = Find<QLineEdit>(parts, name)) {
            const QSignalBlocker quiet(field);
            field->setText(Q(text));
        } else if (auto* label = Find<QLabel>(parts, name)) {
            label->setText(Q(text));
        }
    }
    for (const design::GraphState& g : state.graphs)
        if (auto* graph = Find<chart::Graph>(parts, g.name)) RestoreGraph(*graph, g);
    return missing;
}

std::vector<ShownField> ShownFields(const QWidget* page) {
    std::vector<ShownField> lines;
    const auto sameRow = [](const QRect& a, const QRect& b) {
        return a.center().y() >= b.top() && a.center().y() <= b.bottom();
    };
    std::multimap<std::pair<int, int>, ShownField> ordered; // by row, then column
    for (QLineEdit* field : page->findChildren<QLineEdit*>()) {
        if (field->objectName().isEmpty() || qobject_cast<QComboBox*>(field->parentWidget())) continue;
        if (!field->isVisibleTo(page)) continue;
        const QRect f(field->mapTo(page, QPoint()), field->size());
        const QLabel* caption = nullptr;
        const QLabel* unit = nullptr;
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(page) || label->text().isEmpty()) continue;
            const QRect l(label->mapTo(page, QPoint()), label->size());
            if (!sameRow(l, f) && !sameRow(f, l)) continue;
            if (l.right() <= f.left() + 2 && f.left() - l.right() < 160 &&
                (!caption || l.right() > caption->mapTo(page, QPoint()).x() + caption->width()))
                caption = label;
            if (l.left() >= f.right() - 2 && l.left() - f.right() < 12 && label->text().startsWith(u'['))
                unit = label;
        }
        ShownField line{caption ? caption->text() : field->objectName(), field->text(),
                        unit ? unit->text() : QString()};
        ordered.emplace(std::make_pair(f.top() / 8, f.left()), line);
    }
    for (auto& [at, line] : ordered)
        lines.push_back(line);
    return lines;
}

} // namespace tolvik::ui

#pragma once
/// The building blocks of the material window's pages: a graph on the left with a column of
/// controls beside it, and the helpers the pages share to show a curve.

#include "tolvik/chart/graph.h"
#include "tolvik/material/mat_curve.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/page_widgets.h"
#include "tolvik/ui_common/services.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

namespace tolvik::material {

using namespace ::tolvik::ui::page;

// The window fits the working area of the main window: compact margins, fields one
// text line high, the controls of a tab in one column beside its graph.
inline constexpr int kColumnWidth = 236;
inline constexpr int kGraphMinWidth = 480;

/// Lays the page out: the graph on the left, a fixed-width column of controls on the right,
/// whose layout is returned.
inline QVBoxLayout* NewPage(QWidget* page, chart::Graph* graph) {
    auto* h = Outer(new QHBoxLayout(page));
    graph->setMinimumWidth(kGraphMinWidth);
    h->addWidget(graph, 1);
    auto* column = new QWidget;
    column->setFixedWidth(kColumnWidth);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(kMargin);
    h->addWidget(column);
    return v;
}

/// The graph of tab `index` (Graph1(index)) with its titles.
inline chart::Graph* NewGraph(int index, const char* title, const char* xTitle, const char* yTitle) {
    auto* g = new chart::Graph(index);
    g->model().setGraphTitle(title);
    g->model().setBottomTitle(xTitle);
    g->model().setLeftTitle(yTitle);
    g->refresh(); // the titles show before the first curve
    return g;
}

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string S(const QString& s) {
    return s.toStdString();
}

/// Writes the points of a curve into the current set of a chart.
inline void WritePoints(chart::ChartModel& m, const std::vector<CurvePoint>& points) {
    for (const CurvePoint& p : points) {
        m.setThisPoint(p.index);
        m.setYValue(p.y);
        m.setXValue(p.x);
    }
}

/// Draws a curve as a line with marks into a set of a chart, the set as long as the longest
/// curve.
inline void DrawCurveIntoSet(chart::ChartModel& g, int set, const MatCurve& curve) {
    g.setThisSet(set);
    g.setNumPoints(static_cast<int>(num::MaxOf(g.numPoints(), curve.rowCount)));
    g.setLegendText(curve.legend);
    WritePoints(g, curve.points);
    g.setDrawMode(3);
}

/// Shows a calculation's message, if it has one.
inline void ShowIfMessage(const std::string& message) {
    if (!message.empty()) ui::ShowMessage(Q(message));
}

/// Editing an input clears the results computed from it (typing, paste and cut alike).
template <class Receiver>
void ClearsOnEdit(Receiver* receiver, QLineEdit* input, std::initializer_list<QLineEdit*> results) {
    const std::vector<QLineEdit*> r(results);
    QObject::connect(input, &QLineEdit::textEdited, receiver, [r] {
        for (QLineEdit* f : r)
            f->clear();
    });
}

/// A number that is still being typed: nothing is calculated from it.
inline bool IsIncomplete(const QString& t) {
    return t.isEmpty() || t == QLatin1String(".") || t == QLatin1String("0.");
}

} // namespace tolvik::material

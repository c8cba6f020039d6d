// Clear, Copy and Graph: the graph commands that act without the printer.

#include "graph_target_p.h"
#include "tolvik/data/records.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/services.h"

#include <string>

namespace tolvik::shell {

void ClearGraph(QWidget* window, AppContext& app) {
    chart::Graph* graph = detail::CurrentGraph(window);
    if (!graph) return;
    ui::ResetGraph(graph, app);
    window->show();
}

void CopyGraph(QWidget* window, AppContext& app, QWidget* copyButton, QWidget* parent) {
    const ui::GraphWindow* w = detail::AsGraphWindow(window);
    if (!w) return;
    const ui::CopyRequest request = w->copyRequest();
    switch (request.kind) {
    case ui::CopyRequest::Kind::NotOffered:
        return;
    case ui::CopyRequest::Kind::NoMaterial:
        ui::ShowMessage(QStringLiteral("No material selected"), ui::kTitle, parent);
        return;
    case ui::CopyRequest::Kind::NoCurve:
        if (copyButton) copyButton->setEnabled(false);
        ui::Clipboard().clear();
        return;
    case ui::CopyRequest::Kind::Column:
        break;
    }
    std::string text;
    try {
        text = data::ColumnAsText(app.db(), request.column.table, request.column.column);
    } catch (const data::DataError&) {
        return; // a column the data file lacks: nothing is copied
    }
    ui::Clipboard().clear();
    ui::Clipboard().setText(QString::fromStdString(text));
}

void GraphSettings(QWidget* window, QWidget* parent) {
    chart::Graph* graph = detail::CurrentGraph(window);
    if (!graph) {
        ui::ShowMessage(QLatin1String(kNoGraphText), ui::kTitle, parent);
        return;
    }
    graph->setPropertyPages(2);
}

} // namespace tolvik::shell

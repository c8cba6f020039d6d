// Clear, Copy and Graph: the graph commands that act without the printer.

#include "graph_target_p.h"
#include "tolvik/data/records.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QRadioButton>

#include <optional>
#include <string>

namespace tolvik::shell {

namespace {

bool Checked(const QWidget* window, const char* option) {
    const auto* b = window->findChild<QRadioButton*>(QLatin1String(option));
    return b && b->isChecked();
}

struct CopySource {
    std::string table;
    std::string column;
};

/// Table and column of the curve the Material properties window shows on tab t.
std::optional<CopySource> CopySourceFor(const QWidget* window, int tab, const std::string& material) {
    switch (tab) {
    case 1:
        return CopySource{"muiT", material};
    case 3:
        return CopySource{"muaB", material + (Checked(window, "T25") ? "T25" : "T100")};
    case 4:
        if (Checked(window, "Optmu_")) return CopySource{"mu_mu__f", "mu_" + material};
        if (Checked(window, "Optmu__")) return CopySource{"mu_mu__f", "mu__" + material};
        return CopySource{"mu_mu__f", material};
    default:
        return std::nullopt;
    }
}

} // namespace

void ClearGraph(QWidget* window, AppContext& app) {
    chart::Graph* graph = detail::CurrentGraph(window);
    if (!graph) return;
    ui::ResetGraph(graph, app);
    window->show();
}

void CopyGraph(QWidget* window, AppContext& app, QWidget* copyButton, QWidget* parent) {
    if (!window || window->objectName() != QLatin1String("MatTab")) return;
    const auto* list = window->findChild<QComboBox*>(QStringLiteral("Material"));
    if (!list) return;
    if (list->currentText().isEmpty()) {
        ui::ShowMessage(QStringLiteral("No material selected"), ui::kTitle, parent);
        return;
    }
    const std::optional<CopySource> source =
        CopySourceFor(window, detail::CurrentTab(window), list->currentText().toStdString());
    if (!source) {
        if (copyButton) copyButton->setEnabled(false);
        ui::Clipboard().clear();
        return;
    }
    std::string text;
    try {
        text = data::ColumnAsText(app.db(), source->table, source->column);
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

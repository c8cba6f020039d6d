// Opening the help window on the help collection built with the program.

#include "tolvik/shell/help_window.h"

#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/on_demand.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace tolvik::shell {

QString HelpCollectionPath(const AppContext& app) {
    return QString::fromStdString(app.appFolder) + QStringLiteral("/help/tolvik.qhc");
}

namespace {

QWidget* OpenHelp(const AppContext& app, QWidget* parent) {
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (w->inherits("tolvik::ondemand::HelpWindow")) return w;
    }
    const QString path = HelpCollectionPath(app);
    const ondemand::Parts* parts = ui::OnDemand();
    if (!parts) {
        ui::ShowMessage(QStringLiteral("The help window cannot be loaded: %1").arg(ui::OnDemandError()),
                        ui::kTitle, parent);
        return nullptr;
    }
    QWidget* w = parts->newHelpWindow(path);
    if (!w)
        ui::ShowMessage(
            QStringLiteral("The help file %1 cannot be read.").arg(QDir::toNativeSeparators(path)),
            ui::kTitle, parent);
    return w;
}

void Front(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

QWidget* ShowHelpContents(const AppContext& app, QWidget* parent) {
    QWidget* w = OpenHelp(app, parent);
    if (!w) return nullptr;
    ui::OnDemand()->showHelpContents(w);
    Front(w);
    return w;
}

QWidget* ShowHelpIndex(const AppContext& app, QWidget* parent) {
    QWidget* w = OpenHelp(app, parent);
    if (!w) return nullptr;
    Front(w);
    ui::OnDemand()->showHelpIndex(w);
    return w;
}

} // namespace tolvik::shell

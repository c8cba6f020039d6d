#include "tolvik/ui_common/graph_helpers.h"

#include "tolvik/chart/graph.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QVariant>

namespace tolvik::ui {

namespace {

/// True when a layout of the parent (or one nested in it) manages the widget.
bool ManagedByLayout(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    if (!parent || !parent->layout()) return false;
    // Any layout of the parent places its children; a child outside every layout is
    // placed by hand.
    const auto layouts = parent->findChildren<QLayout*>();
    for (const QLayout* l : layouts) {
        if (l->indexOf(const_cast<QWidget*>(w)) >= 0) return true;
    }
    return parent->layout()->indexOf(const_cast<QWidget*>(w)) >= 0;
}

QString ArrowFile(const AppContext& app, const QString& orientation, const QString& colour) {
    const QString suffix = orientation == QLatin1String("horizontal") ? QStringLiteral("_horz") : QString();
    return QString::fromStdString(app.appFolder) + QStringLiteral("/bmp/arrow_") + colour + suffix +
           QStringLiteral(".bmp");
}

} // namespace

void ResetGraph(chart::Graph* graph, AppContext& app) {
    if (graph) {
        chart::ChartModel& m = graph->model();
        for (int code : {1, 9, 5, 3, 1})
            m.setDataReset(code);
        m.setNumSets(1);
        m.setNumPoints(2);
        m.setGraphStyle(5);
        m.setRandomData(0);
        m.setDrawMode(3);
    }
    app.log.clear();
}

void ShowArrow(const AppContext& app, const QString& orientation, QLabel* picture, QString& colour,
               int leftTwips, int topTwips) {
    // The highlighted arrow is replaced by the gray one at once.
    if (colour == QLatin1String("Orange")) colour = QStringLiteral("gray");
    if (!picture) return;
    if (topTwips > 0) picture->move(TwipsToPixels(leftTwips), TwipsToPixels(topTwips));
    QPixmap pixmap;
    if (!pixmap.load(ArrowFile(app, orientation, colour)))
        pixmap = QPixmap(); // a missing picture leaves the control empty
    picture->setPixmap(pixmap);
    if (!pixmap.isNull() && !ManagedByLayout(picture)) picture->resize(pixmap.size());
    picture->setVisible(true);
}

void PlaceCalculateButton(QWidget* button, int leftTwips, int topTwips, int widthTwips) {
    if (!button) return;
    button->setVisible(true);
    button->setMinimumWidth(TwipsToPixels(widthTwips));
    if (!ManagedByLayout(button))
        button->setGeometry(TwipsToPixels(leftTwips), TwipsToPixels(topTwips), TwipsToPixels(widthTwips),
                            button->height());
}

void ShowValueOutOfRange(QWidget* parent) {
    ShowMessage(QString::fromLatin1(kValueOutOfRangeText), QString::fromLatin1(kValueOutOfRangeTitle),
                parent);
}

} // namespace tolvik::ui

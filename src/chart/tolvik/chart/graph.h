#pragma once
/// The chart control every graph of the program uses (Qt Charts underneath; nothing
/// else in the program talks to Qt Charts). Its data live in a ChartModel.

#include "tolvik/chart/chart_model.h"

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QPainter;

namespace tolvik::chart {

class Graph : public QWidget {
    Q_OBJECT
public:
    /// index: the element index in the window's Graph1 array (the tab number);
    /// the objectName becomes "Graph1(index)".
    explicit Graph(int index, QWidget* parent = nullptr);
    ~Graph() override;

    int index() const;
    ChartModel& model();
    const ChartModel& model() const;

    /// Opens the chart's own settings dialog (titles, axis ranges, log scales, line style).
    void setPropertyPages(int value);
    /// Renders the chart into a rectangle of a painter (printing).
    void render(QPainter& painter, const QRectF& target);
    /// The painter the print command (draw mode 5) renders into, at the frame given by
    /// the model's print entries (cm on the painter's device). nullptr: no printing.
    void setPrintPainter(QPainter* painter);
    /// Redraws from the model now (a graph not shown: as it is shown). The draw command
    /// redraws too, once the user action that gave it is over; every read of the chart
    /// (clicks, rendering) shows the model as it is.
    void refresh();

    /// Simulates a user's click at the data point (set, point): raises pointSelected.
    void selectPoint(int set, int point);

    /// Commands of the chart's context menu.
    enum class Command { SaveAs, ExportData, Copy };
    /// What the context-menu commands do, for every chart of the program (the export
    /// module installs it). Without a handler the chart shows no context menu.
    static void setCommandHandler(std::function<void(Graph&, Command)> handler);
    /// The context-menu item of a command (objectNames "mnuGraphSaveAs",
    /// "mnuGraphExportData", "mnuGraphCopy"); triggering it runs the command.
    QAction* commandAction(Command command) const;

signals:
    /// The user clicked on or near a data point.
    void pointSelected(int index, int set, int point);
    /// A chart button (codes 1 and 4 zoom).
    void buttonEvent(int index, int code);
    /// The print command was given (after rendering into the print painter, if any).
    void printRequested(int index);
    /// The chart shows the model anew: once after the draw commands of one action (they are
    /// gathered until the program is idle again), or on refresh().
    void redrawn(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Shows the model now if a draw command is still waiting (before the chart is read).
    void flushRedraw();
    struct Impl;
    std::unique_ptr<Impl> d_;
};

/// Charts with their axes, built ahead while the program waits for its user. Making a
/// chart's axes and the items of their ticks and labels was a tenth of opening the material
/// window; a graph shown for the first time takes a chart of its kind of axes from the stock
/// (or makes its own when there is none).
namespace chart_stock {

/// Charts wanted in stock, of all kinds.
inline constexpr int kTarget = 9;

/// Tops the stock up (six charts with linear axes, one of each kind with a logarithmic
/// axis: what the two working windows show), one chart per pass of the event loop, starting
/// a few hundredths of a second later. The charts in stock go with `keeper` (the main window).
void Refill(QObject* keeper);

/// Charts in stock now.
int Count();

} // namespace chart_stock

} // namespace tolvik::chart

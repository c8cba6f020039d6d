#pragma once
/// Counting the paints of a widget, for the tests that one action paints once.

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace tolvik::test {

/// Counts the paint events of one widget from its making on.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

/// Runs the event loop until nothing more is waiting (what an action left queued, and what
/// that queued in turn).
inline void UntilIdle() {
    QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    for (int round = 0; round < 20 && loop && loop->processEvents(QEventLoop::AllEvents); ++round) {
    }
}

} // namespace tolvik::test

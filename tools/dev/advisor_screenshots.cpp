// Pictures of the design advisor after a choke run and a transformer run on a data file:
// tolvik_advisor_screenshots <data file> <output folder>.
// Built on request only (not part of the tests).

#include "tolvik/advisor_ui/advisor_window.h"
#include "tolvik/ui_common/app_context.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>

namespace {

void Wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 3) return 2;
    tolvik::AppContext app;
    app.databasePath = argv[1];
    tolvik::advisor_ui::AdvisorWindow window(app);
    window.resize(1200, 800);
    window.show();
    const QString out = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    for (int kind : {0, 1}) {
        window.findChild<QComboBox*>(QStringLiteral("cboKind"))->setCurrentIndex(kind);
        bool ended = false;
        const auto c = QObject::connect(&window, &tolvik::advisor_ui::AdvisorWindow::runEnded,
                                        [&ended] { ended = true; });
        window.advise();
        while (!ended)
            Wait(20);
        QObject::disconnect(c);
        Wait(500);
        window.grab().save(out + (kind == 0 ? QStringLiteral("advisor-choke.png")
                                            : QStringLiteral("advisor-transformer.png")));
    }
    return 0;
}

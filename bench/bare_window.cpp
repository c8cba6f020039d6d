// The floor of start-up: a bare Qt Widgets + Charts main window (a menu bar, an empty
// chart, a status bar), shown the way the program shows its main window. With
// TOLVIK_QUIT_WHEN_SHOWN set it quits as soon as the window is shown, as the program does.

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.setCentralWidget(new QChartView(new QChart));
    window.statusBar()->showMessage(QStringLiteral("ready"));
    window.resize(800, 600);
    window.show();
    if (qEnvironmentVariableIsSet("TOLVIK_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}

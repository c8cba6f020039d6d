#include "tolvik/shell/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvik"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.kestron.tolvik")); // the desktop entry
    return tolvik::shell::RunProgram(QCoreApplication::applicationDirPath());
}

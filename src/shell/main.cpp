#include "tolvik/shell/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvik"));
    return tolvik::shell::RunProgram(QCoreApplication::applicationDirPath());
}

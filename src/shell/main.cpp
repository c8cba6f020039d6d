#include "tolvik/shell/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvik"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.kestron.tolvik")); // the desktop entry
    // `tolvik FILE.tolvik` opens a design (the file manager passes it so).
    const QStringList args = QCoreApplication::arguments();
    return tolvik::shell::RunProgram(QCoreApplication::applicationDirPath(),
                                     args.size() > 1 ? args.at(1) : QString());
}

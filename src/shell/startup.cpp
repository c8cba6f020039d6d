#include "tolvik/shell/startup.h"

#include "tolvik/data/data_location.h"
#include "tolvik/shell/design_files.h"
#include "tolvik/shell/icons.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/program_style.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

namespace tolvik::shell {

namespace {

char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point == QLatin1String(",") ? ',' : '.';
}

} // namespace

bool StartUp(AppContext& app, const QString& folder) {
    app.appFolder = folder.toStdString();
    // A data file the user installed (tolvik-data install) comes before the bundled one.
    app.databasePath = data::FindDataFile(app.appFolder);
    app.versionText = "4.0";
    // The chart picture marks every window, the working windows' frames too (without it,
    // each frame would load the toolkit's own picture).
    QApplication::setWindowIcon(WindowIcon());
    ui::InstallProgramStyle();
    text::SetDecimalSeparator(SystemDecimalSeparator());
    try {
        app.database = data::Database::open(app.databasePath);
        app.database->checkDataFile();
    } catch (const data::DataError& e) {
        app.database.reset();
        ui::ShowMessage(QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

int RunProgram(const QString& folder, const QString& designFile) {
    AppContext app;
    if (!StartUp(app, folder)) return 1;
    MainWindow window(app);
    window.PlaceOnScreen();
    window.RememberLayout();
    window.show();
    if (!designFile.isEmpty()) window.designs().open(designFile);
    // The start-up benchmark times the process until its main window is shown.
    if (qEnvironmentVariableIsSet("TOLVIK_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

} // namespace tolvik::shell

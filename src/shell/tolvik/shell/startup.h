#pragma once
/// Start-up of the program: the application context for the program folder, the open
/// material database and the system decimal separator.

#include <QString>

namespace tolvik {
struct AppContext;
}

namespace tolvik::shell {

/// Sets appFolder to the folder, databasePath to the user's data file when there is one
/// (data::FindDataFile), else folder + "/db1.mdb", the version text,
/// the decimal separator of the system locale, and opens the database. When the data file
/// cannot be opened, shows the data layer's message and returns false.
bool StartUp(AppContext& app, const QString& folder);

/// The whole program on the program folder: start-up, the main window (with a design file
/// opened when one is named), the event loop. Returns the exit status (non-zero when the
/// start-up failed).
int RunProgram(const QString& folder, const QString& designFile = QString());

} // namespace tolvik::shell

#pragma once
/// "&Documentation": opens the manual (manual.pdf in the program folder) with the program
/// the desktop names for PDF files (its default application for application/pdf, from
/// the mimeapps.list files and the desktop entries of the XDG folders).

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace tolvik {
struct AppContext;
}

namespace tolvik::shell {

/// No program for PDF files, or its desktop entry names no way to pass it a file.
inline constexpr const char* kNoPdfProgramText =
    "Cannot start Adobe Acrobat! Please check whether Acrobat installation is OK!";
/// The program could not be started with the manual.
inline constexpr const char* kPdfProgramFailedText =
    "Cannot start Adobe Acrobat! Please check whether Acrobat installation is OK or Aplication!";

struct CommandLine {
    QString program;
    QStringList arguments;
};

/// The command that opens `file` with the desktop's default program for the MIME type:
/// the Exec line of its desktop entry with the file in place of its file or URL field
/// code. Empty when no program is named, its entry is missing or names no field code.
std::optional<CommandLine> DefaultProgramCommand(const QString& mimeType, const QString& file);

/// appFolder/manual.pdf
QString ManualPath(const AppContext& app);

/// Starts the PDF program with the manual (through the launcher service); shows the
/// first message when there is no such program, the second when it cannot be started
/// or the manual is missing. True when the program was started.
bool OpenManual(const AppContext& app, QWidget* parent = nullptr);

} // namespace tolvik::shell

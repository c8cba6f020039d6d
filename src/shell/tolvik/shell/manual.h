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

/// The messages of a failed "&Documentation" name the real cause and the manual's path,
/// so that the user can open it by hand.
/// No program for PDF files, or its desktop entry names no way to pass it a file.
QString NoPdfViewerMessage(const QString& manual);
/// The manual is not in the program folder.
QString ManualMissingMessage(const QString& manual);
/// The PDF viewer could not be started with the manual.
QString PdfViewerFailedMessage(const QString& program, const QString& manual);

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

/// Starts the PDF program with the manual (through the launcher service); shows one of
/// the messages above when the manual is missing, no program is set up for PDF files or
/// it cannot be started. True when the program was started.
bool OpenManual(const AppContext& app, QWidget* parent = nullptr);

} // namespace tolvik::shell

// Finding the desktop's PDF program and starting it with the manual.

#include "tolvik/shell/manual.h"

#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace tolvik::shell {

namespace {

/// The value of `key` in `[group]` of a desktop-style key file, or "".
QString KeyFileValue(const QString& path, const QString& group, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    bool inGroup = false;
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == header;
            continue;
        }
        if (!inGroup) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == key) return line.mid(eq + 1).trimmed();
    }
    return {};
}

QStringList ApplicationDirs() {
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

/// The path of a desktop entry by its id, or "".
QString DesktopEntryPath(const QString& id) {
    for (const QString& dir : ApplicationDirs()) {
        const QString path = QDir(dir).filePath(id);
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

/// The default desktop entry for a MIME type: the mimeapps.list files first (user's
/// config, system config, data folders), then the cache of the installed entries.
QString DefaultEntry(const QString& mimeType) {
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString& dir : ApplicationDirs())
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString& list : lists) {
        const QStringList ids = KeyFileValue(list, QStringLiteral("Default Applications"), mimeType)
                                    .split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& id : ids) {
            const QString path = DesktopEntryPath(id.trimmed());
            if (!path.isEmpty()) return path;
        }
    }
    for (const QString& dir : ApplicationDirs()) {
        const QStringList ids = KeyFileValue(QDir(dir).filePath(QStringLiteral("mimeinfo.cache")),
                                             QStringLiteral("MIME Cache"), mimeType)
                                    .split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& id : ids) {
            const QString path = DesktopEntryPath(id.trimmed());
            if (!path.isEmpty()) return path;
        }
    }
    return {};
}

/// Splits an Exec line into words; double quotes group, a backslash escapes in quotes.
QStringList SplitExec(const QString& exec) {
    QStringList words;
    QString word;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                word += exec.at(++i);
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c.isSpace()) {
            if (any || !word.isEmpty()) words << word;
            word.clear();
            any = false;
        } else {
            word += c;
        }
    }
    if (any || !word.isEmpty()) words << word;
    return words;
}

} // namespace

std::optional<CommandLine> DefaultProgramCommand(const QString& mimeType, const QString& file) {
    const QString entry = DefaultEntry(mimeType);
    if (entry.isEmpty()) return std::nullopt;
    const QStringList words =
        SplitExec(KeyFileValue(entry, QStringLiteral("Desktop Entry"), QStringLiteral("Exec")));
    CommandLine cmd;
    bool fileGiven = false;
    for (const QString& w : words) {
        static const QStringList fileCodes{"%f", "%F", "%u", "%U"};
        if (fileCodes.contains(w)) {
            if (!fileGiven) cmd.arguments << file;
            fileGiven = true;
        } else if (w.size() == 2 && w.startsWith(QLatin1Char('%'))) {
            continue; // other field codes (icon, name, location) are left out
        } else if (cmd.program.isEmpty()) {
            cmd.program = w;
        } else {
            cmd.arguments << QString(w).replace(QStringLiteral("%%"), QStringLiteral("%"));
        }
    }
    if (cmd.program.isEmpty() || !fileGiven) return std::nullopt;
    return cmd;
}

QString ManualPath(const AppContext& app) {
    return QString::fromStdString(app.appFolder) + QStringLiteral("/manual.pdf");
}

QString NoPdfViewerMessage(const QString& manual) {
    return QStringLiteral("No program is set up to open PDF files. Install a PDF viewer and make it the "
                          "default for PDF files, or open the manual by hand:\n") +
           QDir::toNativeSeparators(manual);
}

QString ManualMissingMessage(const QString& manual) {
    return QStringLiteral("The manual is missing:\n") + QDir::toNativeSeparators(manual) +
           QStringLiteral("\nPlease check the installation of Tolvik.");
}

QString PdfViewerFailedMessage(const QString& program, const QString& manual) {
    return QStringLiteral("The PDF viewer \"") + program +
           QStringLiteral("\" could not be started. Open the manual by hand:\n") +
           QDir::toNativeSeparators(manual);
}

bool OpenManual(const AppContext& app, QWidget* parent) {
    const QString manual = ManualPath(app);
    if (!QFileInfo::exists(manual)) {
        ui::ShowMessage(ManualMissingMessage(manual), ui::kTitle, parent);
        return false;
    }
    const std::optional<CommandLine> cmd = DefaultProgramCommand(QStringLiteral("application/pdf"), manual);
    if (!cmd) {
        ui::ShowMessage(NoPdfViewerMessage(manual), ui::kTitle, parent);
        return false;
    }
    if (!ui::Launcher().start(cmd->program, cmd->arguments)) {
        ui::ShowMessage(PdfViewerFailedMessage(cmd->program, manual), ui::kTitle, parent);
        return false;
    }
    return true;
}

} // namespace tolvik::shell

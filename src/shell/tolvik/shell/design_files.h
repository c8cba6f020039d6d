#pragma once
/// Design files and design sheets: File > "&Open Design...", "&Save Design", "Save Design
/// &As...", the recent designs, "Print Design &Sheet..." and "Export Design Sheet as PDF...";
/// the question about unsaved changes on closing; what Tolvik remembers between sessions.

#include "tolvik/design/design_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;
class QSettings;
class QWidget;

namespace tolvik::ui {
class Printer;
}

namespace tolvik::shell {

class MainWindow;

/// File name filter of design files.
inline const QString kDesignFilter = QStringLiteral("Tolvik design (*.tolvik)");
inline constexpr int kMaxRecentDesigns = 8;

/// Tolvik's settings file (size and place of the windows, last folders, recent designs).
/// A damaged file is read as empty.
QSettings& Settings();

class DesignFiles : public QObject {
    Q_OBJECT
public:
    explicit DesignFiles(MainWindow& main);

    /// What the open working windows show now.
    design::Design Current() const;
    /// The design file in use ("" before the first save or open).
    const QString& path() const { return path_; }
    /// True when the working windows show something not saved.
    bool modified() const;

    /// Opens a design file: windows, tabs, selections, inputs and graphs as saved, without a
    /// recalculation. A file that cannot be read changes nothing and says why; a design made
    /// with another data file, or naming a core or material the data file lacks, opens with a
    /// warning. False when nothing was opened.
    bool open(const QString& path);
    bool openWithDialog();
    /// Saves to the file in use, or asks for one. False when not saved.
    bool save();
    bool saveAs();
    /// Before the windows close: asks about unsaved changes. False: the user cancelled.
    bool confirmClose();

    /// One landscape page per open working window: caption, selection, the tab's fields
    /// with their captions and units, the graph, the reading log, date and data file.
    bool printSheet();
    bool exportSheetPdf();
    /// The sheet into a printer that is set up; false on a printer fault.
    bool renderSheet(ui::Printer& printer);

    QStringList recentDesigns() const;
    /// Fills the "Recent Designs" menu.
    void fillRecentMenu(QMenu* menu);

private:
    bool write(const QString& path);
    void remember(const QString& path);
    QWidget* parentWidget() const;

    MainWindow& main_;
    QString path_;
    design::Design saved_; ///< what was last saved or opened
};

} // namespace tolvik::shell

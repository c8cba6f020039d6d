// Design files, the design sheet and the settings Tolvik keeps between sessions.

#include "tolvik/shell/design_files.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/on_demand.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>

#include <algorithm>
#include <filesystem>
#include <map>

namespace tolvik::shell {

namespace {

const QString kRecentKey = QStringLiteral("designs/recent");
const QString kFolderKey = QStringLiteral("designs/folder");
const QString kSheetFolderKey = QStringLiteral("exports/sheetFolder");

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

/// The working windows that are open, with the tab each shows.
std::vector<std::pair<ui::WorkingWindow*, QTabWidget*>> OpenWindows(const MainWindow& main) {
    std::vector<std::pair<ui::WorkingWindow*, QTabWidget*>> windows;
    if (core::CoreForm* c = main.coreForm()) windows.emplace_back(c, c->tabControl());
    if (material::MatTab* m = main.matTab()) windows.emplace_back(m, m->tabControl());
    return windows;
}

} // namespace

QSettings& Settings() {
    static QSettings settings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                  QStringLiteral("/tolvik/tolvik.conf"),
                              QSettings::IniFormat);
    static const bool checked = [] {
        if (settings.status() != QSettings::NoError) settings.clear(); // damaged: start afresh
        return true;
    }();
    (void)checked;
    return settings;
}

DesignFiles::DesignFiles(MainWindow& main) : QObject(&main), main_(main) {}

QWidget* DesignFiles::parentWidget() const {
    return &main_;
}

design::Design DesignFiles::Current() const {
    design::Design d;
    d.dataFile = main_.app().databasePath;
    for (const auto& window : OpenWindows(main_))
        d.windows.push_back(window.first->designState());
    return d;
}

bool DesignFiles::modified() const {
    const design::Design now = Current();
    return !now.windows.empty() && now.windows != saved_.windows;
}

bool DesignFiles::open(const QString& path) {
    const auto refuse = [&](const QString& why) {
        ui::ShowMessage(QStringLiteral("The design file %1 cannot be opened: %2.").arg(Native(path), why),
                        ui::kTitle, parentWidget());
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString());
    const QByteArray bytes = file.read(static_cast<qint64>(design::kMaxDesignBytes) + 1);
    if (file.error() != QFileDevice::NoError) return refuse(file.errorString());
    const design::DesignRead read = design::ReadDesign(std::string_view(bytes.constData(), bytes.size()));
    if (!read.design) return refuse(QString::fromStdString(read.error));

    QStringList warnings;
    const QString madeWith = QString::fromStdString(read.design->dataFile);
    const QString inUse = QString::fromStdString(main_.app().databasePath);
    if (QFileInfo(madeWith).absoluteFilePath() != QFileInfo(inUse).absoluteFilePath())
        warnings << QStringLiteral("It was made with the data file %1; Tolvik now reads %2.")
                        .arg(Native(madeWith), Native(inUse));
    {
        // The windows are made afresh on the saved tabs; what they compute on the way is
        // replaced by what was saved and says nothing.
        ui::QuietMessages quiet;
        main_.mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const design::WindowState& w : read.design->windows) {
            ui::WorkingWindow* window = nullptr;
            if (w.name == "CoreForm") {
                main_.OpenCoreFormTab(w.tab);
                window = main_.coreForm();
            } else {
                main_.OpenMaterialTab(w.tab);
                window = main_.matTab();
            }
            if (window) warnings << window->restoreDesignState(w);
        }
        main_.app().log = {};
    }
    path_ = path;
    saved_ = Current();
    remember(path);
    if (!warnings.isEmpty())
        ui::ShowMessage(
            QStringLiteral("The design %1 is shown as saved. %2\nCalculate recomputes from the current data.")
                .arg(Native(path), warnings.join(u' ')),
            ui::kTitle, parentWidget());
    return true;
}

bool DesignFiles::openWithDialog() {
    if (!confirmClose()) return false;
    const QString path = ui::FileDialogs().openFileName(parentWidget(), QStringLiteral("Open Design"),
                                                        Settings().value(kFolderKey).toString(),
                                                        {kDesignFilter, QStringLiteral("All files (*)")});
    return !path.isEmpty() && open(path);
}

bool DesignFiles::write(const QString& path) {
    const design::Design d = Current();
    const std::string text = design::WriteDesign(d);
    QSaveFile file(path);
    QString failure;
    if (!file.open(QIODevice::WriteOnly))
        failure = file.errorString();
    else if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
             !file.commit())
        failure = file.errorString();
    if (!failure.isEmpty()) {
        ui::ShowMessage(QStringLiteral("The file %1 could not be written: %2").arg(Native(path), failure),
                        ui::kTitle, parentWidget());
        return false;
    }
    path_ = path;
    saved_ = d;
    remember(path);
    return true;
}

bool DesignFiles::save() {
    return path_.isEmpty() ? saveAs() : write(path_);
}

bool DesignFiles::saveAs() {
    const QString folder = Settings().value(kFolderKey, QDir::homePath()).toString();
    const QString suggested = path_.isEmpty() ? folder + QStringLiteral("/design.tolvik") : path_;
    QString filter = kDesignFilter;
    QString path = ui::FileDialogs().saveFileName(parentWidget(), QStringLiteral("Save Design As"), suggested,
                                                  {kDesignFilter}, &filter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".tolvik");
    return write(path);
}

bool DesignFiles::confirmClose() {
    if (!modified()) return true;
    switch (ui::Messages().askToSave(parentWidget(),
                                     QStringLiteral("The design has changes that are not saved. Save them?"),
                                     ui::kTitle)) {
    case ui::SaveChoice::Save:
        return save();
    case ui::SaveChoice::Discard:
        return true;
    case ui::SaveChoice::Cancel:
        return false;
    }
    return false;
}

void DesignFiles::remember(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentDesigns();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kMaxRecentDesigns)
        recent.removeLast();
    Settings().setValue(kRecentKey, recent);
    Settings().setValue(kFolderKey, QFileInfo(absolute).absolutePath());
}

QStringList DesignFiles::recentDesigns() const {
    const QVariant v = Settings().value(kRecentKey);
    return v.canConvert<QStringList>() ? v.toStringList() : QStringList();
}

void DesignFiles::fillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList recent = recentDesigns();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setToolTip(Native(path));
        connect(a, &QAction::triggered, this, [this, path] {
            if (confirmClose()) open(path);
        });
    }
    if (recent.isEmpty()) menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

// --- the design sheet ---

bool DesignFiles::renderSheet(ui::Printer& printer) {
    QPagedPaintDevice& pages = printer.pages();
    pages.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&pages)) return false;
    const QRectF page = pages.pageLayout().paintRectPixels(printer.resolution());
    const double mm = printer.resolution() / 25.4;
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    const QString dataFile = Native(QString::fromStdString(main_.app().databasePath));
    const QString log = QString::fromStdString(main_.app().log.readingLog).replace(u'\r', u'\n');
    bool first = true;
    for (const auto& [window, tabs] : OpenWindows(main_)) {
        if (!first && !pages.newPage()) return false;
        first = false;
        const design::WindowState state = window->designState();
        double y = page.top();
        const auto text = [&](const QString& s, double size, bool bold, double x, double width) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPointSizeF(size);
            f.setBold(bold);
            painter.setFont(f);
            const QRectF r(x, y, width, page.bottom() - y);
            const QRectF used = painter.boundingRect(r, Qt::TextWordWrap, s);
            painter.drawText(r, Qt::TextWordWrap, s);
            return used.height();
        };
        y += text(QStringLiteral("Tolvik V%1 - %2 - %3")
                      .arg(QString::fromStdString(main_.app().versionText), window->windowTitle(),
                           tabs->tabText(tabs->currentIndex()).remove(u'&')),
                  14, true, page.left(), page.width());
        QStringList selection;
        if (!state.core.empty()) selection << QStringLiteral("Core: ") + QString::fromStdString(state.core);
        if (!state.material.empty())
            selection << QStringLiteral("Material: ") + QString::fromStdString(state.material);
        if (!state.temperature.empty())
            selection << QStringLiteral("T = %1 °C").arg(QString::fromStdString(state.temperature));
        y += text(selection.join(QStringLiteral("     ")), 10, false, page.left(), page.width()) + 3 * mm;

        // Left: the fields of the tab; right: its graph.
        const double tableWidth = page.width() * 0.36;
        const double top = y;
        for (const ui::ShownField& line : window->shownFields()) {
            if (y > page.bottom() - 12 * mm) break;
            // A row is as high as its caption or its value, whichever wraps further; an
            // empty value has no height of its own.
            const double captionHeight = text(line.caption, 9, false, page.left(), tableWidth * 0.55);
            const double valueHeight =
                text(line.text + (line.unit.isEmpty() ? QString() : QStringLiteral(" ") + line.unit), 9, true,
                     page.left() + tableWidth * 0.57, tableWidth * 0.43);
            y += std::max(captionHeight, valueHeight);
        }
        // The reading log belongs to the window in front.
        const QMdiSubWindow* active = main_.mdiArea()->activeSubWindow();
        const bool withLog = !log.isEmpty() && active && active->widget() == window;
        double logTop = top;
        if (chart::Graph* graph = window->shownGraph()) {
            const QRectF area(page.left() + tableWidth + 4 * mm, top, page.width() - tableWidth - 4 * mm,
                              (page.bottom() - 12 * mm - top) * (withLog ? 0.7 : 1.0));
            graph->render(painter, area);
            logTop = area.bottom() + 2 * mm;
        }
        if (withLog) {
            y = logTop;
            text(QStringLiteral("Selected point(s):\n") + log, 8, false, page.left() + tableWidth + 4 * mm,
                 page.width() - tableWidth);
        }
        y = page.bottom() - 6 * mm;
        text(QStringLiteral("%1     Data file: %2").arg(date, dataFile), 8, false, page.left(), page.width());
    }
    if (first) {
        painter.end();
        return false;
    }
    return painter.end() && !printer.failed();
}

bool DesignFiles::printSheet() {
    if (OpenWindows(main_).empty()) {
        ui::ShowMessage(QLatin1String(ui::kNoGraphText), ui::kTitle, parentWidget());
        return false;
    }
    ui::Printer printer;
    if (printer) {
        printer.pages().setPageOrientation(QPageLayout::Landscape);
        if (!ui::Printing().setUp(printer.printer(), parentWidget())) return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = printer && renderSheet(printer);
    QApplication::restoreOverrideCursor();
    if (!ok)
        ui::ShowMessage(QStringLiteral("The design sheet could not be printed."), ui::kTitle, parentWidget());
    return ok;
}

bool DesignFiles::exportSheetPdf() {
    if (OpenWindows(main_).empty()) {
        ui::ShowMessage(QLatin1String(ui::kNoGraphText), ui::kTitle, parentWidget());
        return false;
    }
    const QString folder = Settings().value(kSheetFolderKey, QDir::homePath()).toString();
    const QString base = path_.isEmpty() ? QStringLiteral("design") : QFileInfo(path_).completeBaseName();
    QString filter = QStringLiteral("PDF (*.pdf)");
    QString path =
        ui::FileDialogs().saveFileName(parentWidget(), QStringLiteral("Export Design Sheet as PDF"),
                                       folder + u'/' + base + QStringLiteral(".pdf"), {filter}, &filter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    // Written beside the target and put in its place when complete: a failed export keeps the old file.
    const QString part = path + QStringLiteral(".part");
    ui::Printer printer;
    if (printer) printer.printToPdf(part);
    bool ok = printer && renderSheet(printer);
    std::error_code error;
    if (ok) std::filesystem::rename(part.toStdString(), path.toStdString(), error);
    if (!ok || error) {
        QFile::remove(part);
        ui::ShowMessage(QStringLiteral("The file %1 could not be written: %2")
                            .arg(Native(path), error     ? QString::fromStdString(error.message())
                                               : printer ? QStringLiteral("the folder cannot be written")
                                                         : ui::OnDemandError()),
                        ui::kTitle, parentWidget());
        return false;
    }
    Settings().setValue(kSheetFolderKey, QFileInfo(path).absolutePath());
    return true;
}

} // namespace tolvik::shell

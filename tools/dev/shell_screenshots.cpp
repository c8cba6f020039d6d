// Printed pages and pictures of the help and information windows on the sample database,
// for looking at them by eye: tolvik_shell_screenshots <program folder> <output folder>.
// Built on request only (not part of the tests).

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/ondemand/help_window.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/shell/help_window.h"
#include "tolvik/shell/info_windows.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHelpEngine>
#include <QLineEdit>
#include <QPrinter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QThread>

namespace {

void Settle() {
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(30);
    }
}

class PdfPrinting : public tolvik::ui::PrintService {
public:
    bool setUp(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    QString file;
};

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    if (argc != 3) return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    auto printing = std::make_unique<PdfPrinting>();
    PdfPrinting* pdf = printing.get();
    tolvik::ui::SetPrintService(std::move(printing));

    tolvik::AppContext app;
    if (!tolvik::shell::StartUp(app, folder)) return 1;
    tolvik::shell::MainWindow window(app);
    window.show();

    // µi vs. T of two materials, five points read on the second.
    window.OpenMaterialTab(1);
    auto* mat = window.matTab();
    auto* list = mat->findChild<QComboBox*>(QStringLiteral("Material"));
    for (const char* m : {"R41", "H52"}) {
        list->setCurrentIndex(list->findText(QLatin1String(m)));
        emit list->activated(list->currentIndex());
    }
    Settle();
    auto* graph = mat->findChild<tolvik::chart::Graph*>(QStringLiteral("Graph1(1)"));
    pdf->file = out.filePath(QStringLiteral("page_no_log.pdf"));
    tolvik::shell::PrintGraph(mat, app, 1, &window);
    for (int p : {2, 5, 8, 11, 14})
        graph->selectPoint(2, p);
    pdf->file = out.filePath(QStringLiteral("page_log.pdf"));
    tolvik::shell::PrintGraph(mat, app, 1, &window);
    for (int i = 0; i < 36; ++i)
        graph->selectPoint(2, 1 + i % 20);
    pdf->file = out.filePath(QStringLiteral("page_overflow.pdf"));
    tolvik::shell::PrintGraph(mat, app, 1, &window);

    window.OpenCoreFormTab(4);
    Settle();
    pdf->file = out.filePath(QStringLiteral("page_dcbias.pdf"));
    tolvik::shell::PrintGraph(window.coreForm(), app, 1, &window);
    window.grab().save(out.filePath(QStringLiteral("main_window.png")));

    auto* help = qobject_cast<tolvik::ondemand::HelpWindow*>(tolvik::shell::ShowHelpContents(app, &window));
    if (help) {
        help->resize(1000, 700);
        help->showPage(QStringLiteral("core_al_value.html"));
        Settle();
        help->grab().save(out.filePath(QStringLiteral("help_contents.png")));
        help->showIndex();
        help->indexField()->setText(QStringLiteral("skin"));
        Settle();
        help->grab().save(out.filePath(QStringLiteral("help_index.png")));
        help->search(QStringLiteral("air gap"));
        for (int i = 0; i < 40; ++i)
            Settle();
        help->grab().save(out.filePath(QStringLiteral("help_search.png")));
    }
    tolvik::shell::ShowAbout(app);
    auto* diverses = tolvik::shell::ShowEmailAddress(app);
    Settle();
    diverses->grab().save(out.filePath(QStringLiteral("about_email.png")));
    auto* licence = tolvik::shell::ShowLicence();
    Settle();
    licence->grab().save(out.filePath(QStringLiteral("licence.png")));
    return 0;
}

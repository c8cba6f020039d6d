// The parts of Qt loaded when first used: printers, SVG drawings and the help window.

#include "tolvik/ondemand/help_window.h"
#include "tolvik/ui_common/on_demand.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>

namespace tolvik::ondemand {

namespace {

QPrinter* NewPrinter() {
    return new QPrinter(QPrinter::HighResolution);
}

void DeletePrinter(QPrinter* printer) {
    delete printer;
}

QPagedPaintDevice* PagesOf(QPrinter* printer) {
    return printer;
}

void SetDocumentName(QPrinter* printer, const QString& name) {
    printer->setDocName(name);
}

void PrintToPdf(QPrinter* printer, const QString& file) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
}

int Resolution(const QPrinter* printer) {
    return printer->resolution();
}

bool Failed(const QPrinter* printer) {
    return printer->printerState() == QPrinter::Error;
}

bool ChoosePrinter(QPrinter* printer, QWidget* parent) {
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QPaintDevice* NewSvg(QIODevice* out, const QSize& size, int dotsPerInch, const QString& title,
                     const QString& description) {
    auto* svg = new QSvgGenerator;
    svg->setOutputDevice(out);
    svg->setSize(size);
    svg->setViewBox(QRect(QPoint(0, 0), size));
    svg->setResolution(dotsPerInch);
    svg->setTitle(title);
    svg->setDescription(description);
    return svg;
}

QWidget* NewHelpWindow(const QString& collectionFile) {
    auto* window = new HelpWindow(collectionFile);
    if (window->isValid()) return window;
    delete window;
    return nullptr;
}

void ShowHelpContents(QWidget* window) {
    if (auto* help = qobject_cast<HelpWindow*>(window)) help->showContents();
}

void ShowHelpIndex(QWidget* window) {
    if (auto* help = qobject_cast<HelpWindow*>(window)) help->showIndex();
}

const Parts kParts{NewPrinter, DeletePrinter, PagesOf, SetDocumentName, PrintToPdf,       Resolution,
                   Failed,     ChoosePrinter, NewSvg,  NewHelpWindow,   ShowHelpContents, ShowHelpIndex};

} // namespace

} // namespace tolvik::ondemand

const tolvik::ondemand::Parts* tolvik_ondemand_parts() {
    return &tolvik::ondemand::kParts;
}

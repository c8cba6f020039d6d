#pragma once
/// Parts of Qt the main window does not show (printing, SVG drawings, the help window) live in
/// a library of their own, loaded the first time one of them is used: the program starts
/// without loading and linking them.

#include <QString>

#include <memory>

class QIODevice;
class QPagedPaintDevice;
class QPaintDevice;
class QPrinter;
class QSize;
class QWidget;

namespace tolvik::ondemand {

/// What the library offers, as plain functions over Qt's own types.
struct Parts {
    // Printing: a printer of high resolution, its pages to paint on.
    QPrinter* (*newPrinter)();
    void (*deletePrinter)(QPrinter* printer);
    QPagedPaintDevice* (*pagesOf)(QPrinter* printer);
    void (*setDocumentName)(QPrinter* printer, const QString& name);
    /// Prints into a PDF file instead of a printer.
    void (*printToPdf)(QPrinter* printer, const QString& file);
    int (*resolution)(const QPrinter* printer);
    bool (*failed)(const QPrinter* printer);
    /// The system print dialog; false when the user cancelled.
    bool (*choosePrinter)(QPrinter* printer, QWidget* parent);

    /// An SVG drawing written to `out` when its painter ends.
    QPaintDevice* (*newSvg)(QIODevice* out, const QSize& size, int dotsPerInch, const QString& title,
                            const QString& description);

    /// The help window on a help collection (objectName "HelpWindow"); nullptr when the
    /// collection cannot be read.
    QWidget* (*newHelpWindow)(const QString& collectionFile);
    void (*showHelpContents)(QWidget* helpWindow);
    void (*showHelpIndex)(QWidget* helpWindow);
};

} // namespace tolvik::ondemand

/// The library's one entry point.
extern "C" const tolvik::ondemand::Parts* tolvik_ondemand_parts();

namespace tolvik::ui {

/// The library's file name, looked for in the program's folder first.
inline const char* const kOnDemandLibrary = "libtolvik_ondemand.so";

/// The parts, the library loaded at the first call; nullptr when it cannot be loaded (the
/// reason is in OnDemandError()).
const ondemand::Parts* OnDemand();
QString OnDemandError();

/// A printer of the library, deleted with it; empty when the library cannot be loaded.
class Printer {
public:
    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    explicit operator bool() const { return printer_ != nullptr; }
    QPrinter& printer() { return *printer_; }
    /// The pages to paint on (the printer itself).
    QPagedPaintDevice& pages();
    void setDocumentName(const QString& name);
    void printToPdf(const QString& file);
    int resolution() const;
    /// True when the printer reported an error.
    bool failed() const;

private:
    const ondemand::Parts* parts_;
    QPrinter* printer_ = nullptr;
};

} // namespace tolvik::ui

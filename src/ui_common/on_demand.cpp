#include "tolvik/ui_common/on_demand.h"

#include <QCoreApplication>
#include <QFile>

#include <dlfcn.h>

namespace tolvik::ui {

namespace {

struct Loaded {
    const ondemand::Parts* parts = nullptr;
    QString error;
};

/// The library from the program's folder, else by its name (already loaded with a program
/// that links it, or on the library path).
Loaded Load() {
    Loaded loaded;
    void* handle = nullptr;
    if (QCoreApplication::instance()) {
        const QString own = QCoreApplication::applicationDirPath() + u'/' + QLatin1String(kOnDemandLibrary);
        if (QFile::exists(own)) handle = dlopen(QFile::encodeName(own).constData(), RTLD_NOW | RTLD_LOCAL);
    }
    if (!handle) handle = dlopen(kOnDemandLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        loaded.error = QString::fromLocal8Bit(reason ? reason : kOnDemandLibrary);
        return loaded;
    }
    using Entry = const ondemand::Parts* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, "tolvik_ondemand_parts"));
    if (entry) loaded.parts = entry();
    if (!loaded.parts) loaded.error = QLatin1String(kOnDemandLibrary) + QStringLiteral(": no entry point");
    // The library stays loaded for the life of the process: its windows and printers are in use.
    return loaded;
}

const Loaded& Library() {
    static const Loaded loaded = Load();
    return loaded;
}

} // namespace

const ondemand::Parts* OnDemand() {
    return Library().parts;
}

QString OnDemandError() {
    return Library().error;
}

Printer::Printer() : parts_(OnDemand()) {
    if (parts_) printer_ = parts_->newPrinter();
}

Printer::~Printer() {
    if (printer_) parts_->deletePrinter(printer_);
}

QPagedPaintDevice& Printer::pages() {
    return *parts_->pagesOf(printer_);
}

void Printer::setDocumentName(const QString& name) {
    parts_->setDocumentName(printer_, name);
}

void Printer::printToPdf(const QString& file) {
    parts_->printToPdf(printer_, file);
}

int Printer::resolution() const {
    return parts_->resolution(printer_);
}

bool Printer::failed() const {
    return parts_->failed(printer_);
}

} // namespace tolvik::ui

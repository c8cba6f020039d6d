#include "tolvik/ui_common/services.h"

#include "tolvik/ui_common/on_demand.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QProcess>

namespace tolvik::ui {

namespace {

class BoxMessageService : public MessageService {
public:
    void information(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
        box.exec();
    }
    SaveChoice askToSave(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::Question, title, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Save);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
        }
    }
};

class SilentMessageService : public MessageService {
public:
    void information(QWidget*, const QString&, const QString&) override {}
};

class SystemClipboardService : public ClipboardService {
public:
    void clear() override {
        if (QClipboard* c = QGuiApplication::clipboard()) c->clear();
    }
    void setText(const QString& text) override {
        if (QClipboard* c = QGuiApplication::clipboard()) c->setText(text);
    }
    QString text() const override {
        if (QClipboard* c = QGuiApplication::clipboard()) return c->text();
        return {};
    }
    void setImage(const QImage& image) override {
        if (QClipboard* c = QGuiApplication::clipboard()) c->setImage(image);
    }
};

class NativeFileDialogService : public FileDialogService {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                         const QStringList& filters, QString* selectedFilter) override {
        return QFileDialog::getSaveFileName(parent, caption, suggestedPath,
                                            filters.join(QStringLiteral(";;")), selectedFilter);
    }
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QStringList& filters) override {
        return QFileDialog::getOpenFileName(parent, caption, folder, filters.join(QStringLiteral(";;")));
    }
};

class DetachedLauncherService : public LauncherService {
public:
    bool start(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }
};

class DialogPrintService : public PrintService {
public:
    bool setUp(QPrinter& printer, QWidget* parent) override {
        const ondemand::Parts* parts = OnDemand();
        return parts && parts->choosePrinter(&printer, parent);
    }
};

struct Registry {
    std::unique_ptr<MessageService> messages;
    std::unique_ptr<ClipboardService> clipboard;
    std::unique_ptr<LauncherService> launcher;
    std::unique_ptr<PrintService> printing;
    std::unique_ptr<FileDialogService> fileDialogs;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

MessageService& Messages() {
    auto& r = registry();
    if (!r.messages) r.messages = std::make_unique<BoxMessageService>();
    return *r.messages;
}

ClipboardService& Clipboard() {
    auto& r = registry();
    if (!r.clipboard) r.clipboard = std::make_unique<SystemClipboardService>();
    return *r.clipboard;
}

LauncherService& Launcher() {
    auto& r = registry();
    if (!r.launcher) r.launcher = std::make_unique<DetachedLauncherService>();
    return *r.launcher;
}

PrintService& Printing() {
    auto& r = registry();
    if (!r.printing) r.printing = std::make_unique<DialogPrintService>();
    return *r.printing;
}

FileDialogService& FileDialogs() {
    auto& r = registry();
    if (!r.fileDialogs) r.fileDialogs = std::make_unique<NativeFileDialogService>();
    return *r.fileDialogs;
}

void ClipboardService::setImage(const QImage&) {}

SaveChoice MessageService::askToSave(QWidget*, const QString&, const QString&) {
    return SaveChoice::Cancel;
}

QuietMessages::QuietMessages() {
    Messages(); // the service in use is made before it is put aside
    saved_ = std::move(registry().messages);
    registry().messages = std::make_unique<SilentMessageService>();
}

QuietMessages::~QuietMessages() {
    registry().messages = std::move(saved_);
}

void SetFileDialogService(std::unique_ptr<FileDialogService> s) {
    registry().fileDialogs = std::move(s);
}

void SetMessageService(std::unique_ptr<MessageService> s) {
    registry().messages = std::move(s);
}

void SetClipboardService(std::unique_ptr<ClipboardService> s) {
    registry().clipboard = std::move(s);
}

void SetLauncherService(std::unique_ptr<LauncherService> s) {
    registry().launcher = std::move(s);
}

void SetPrintService(std::unique_ptr<PrintService> s) {
    registry().printing = std::move(s);
}

void ShowMessage(const QString& text, const QString& title, QWidget* parent) {
    Messages().information(parent, text, title);
}

RecordingMessageService& InstallRecordingMessages() {
    auto rec = std::make_unique<RecordingMessageService>();
    RecordingMessageService& ref = *rec;
    SetMessageService(std::move(rec));
    return ref;
}

} // namespace tolvik::ui

#pragma once
/// The one place through which windows show message boxes, use the clipboard, print and
/// start external programs. Tests install recording services instead of the real ones.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace tolvik::ui {

inline const QString kTitle = QStringLiteral("Tolvik");

/// Modal information box with one OK button (information icon).
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void information(QWidget* parent, const QString& text, const QString& title) = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};

class LauncherService {
public:
    virtual ~LauncherService() = default;
    /// Starts a program detached; false when it could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    /// Lets the user choose the printer and its settings (the system print dialog);
    /// false when the user cancelled.
    virtual bool setUp(QPrinter& printer, QWidget* parent) = 0;
};

/// Shows an information message through the installed message service.
void ShowMessage(const QString& text, const QString& title = kTitle, QWidget* parent = nullptr);

MessageService& Messages();
ClipboardService& Clipboard();
LauncherService& Launcher();
PrintService& Printing();
/// Installs a service (nullptr restores the real one); returns nothing, owns the object.
void SetMessageService(std::unique_ptr<MessageService> s);
void SetClipboardService(std::unique_ptr<ClipboardService> s);
void SetLauncherService(std::unique_ptr<LauncherService> s);
void SetPrintService(std::unique_ptr<PrintService> s);

/// A message service that records instead of showing (tests).
class RecordingMessageService : public MessageService {
public:
    struct Message {
        QString text;
        QString title;
    };
    void information(QWidget*, const QString& text, const QString& title) override {
        messages.push_back({text, title});
    }
    std::vector<Message> messages;
};

/// Installs a RecordingMessageService and returns it (owned by the registry).
RecordingMessageService& InstallRecordingMessages();

} // namespace tolvik::ui

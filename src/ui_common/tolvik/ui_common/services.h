#pragma once
/// The one place through which windows show message boxes, use the clipboard, print and
/// start external programs. Tests install recording services instead of the real ones.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPrinter;
class QImage;
class QWidget;

namespace tolvik::ui {

inline const QString kTitle = QStringLiteral("Tolvik");

/// The answers to "save the changes?".
enum class SaveChoice { Save, Discard, Cancel };

/// Modal information box with one OK button (information icon).
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void information(QWidget* parent, const QString& text, const QString& title) = 0;
    /// Asks whether to save changes (Save, Discard, Cancel). The default answers Cancel.
    virtual SaveChoice askToSave(QWidget* parent, const QString& text, const QString& title);
};

/// While it lives, messages are not shown (a design being restored recalculates on the way).
class QuietMessages {
public:
    QuietMessages();
    ~QuietMessages();
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;

private:
    std::unique_ptr<MessageService> saved_;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    /// Puts a picture on the clipboard. The default does nothing (text-only services).
    virtual void setImage(const QImage& image);
};

/// File dialogs. Tests answer them without a dialog.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    /// Asks for the name of a file to write. filters: "Description (*.ext)" entries;
    /// selectedFilter holds the suggested filter and receives the chosen one.
    /// Returns "" when the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                 const QStringList& filters, QString* selectedFilter) = 0;
    /// Asks for an existing file to read; "" when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QStringList& filters) = 0;
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
FileDialogService& FileDialogs();
/// Installs a service (nullptr restores the real one); returns nothing, owns the object.
void SetMessageService(std::unique_ptr<MessageService> s);
void SetClipboardService(std::unique_ptr<ClipboardService> s);
void SetLauncherService(std::unique_ptr<LauncherService> s);
void SetPrintService(std::unique_ptr<PrintService> s);
void SetFileDialogService(std::unique_ptr<FileDialogService> s);

/// A clipboard that keeps its text to itself instead of the system's (tests).
class RecordingClipboardService : public ClipboardService {
public:
    explicit RecordingClipboardService(QString initial = QString()) : text_(std::move(initial)) {}
    void clear() override { text_.clear(); }
    void setText(const QString& t) override { text_ = t; }
    QString text() const override { return text_; }
    QString text_;
};

/// A launcher that records the programs it is asked to start (tests).
class RecordingLauncherService : public LauncherService {
public:
    bool start(const QString& program, const QStringList& arguments) override {
        calls << (QStringList{program} + arguments);
        return result;
    }
    QList<QStringList> calls;
    bool result = true; ///< what start answers
};

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
    SaveChoice askToSave(QWidget*, const QString& text, const QString&) override {
        questions << text;
        return saveChoice;
    }
    std::vector<Message> messages;
    QStringList questions;                       ///< "save the changes?" asked
    SaveChoice saveChoice = SaveChoice::Discard; ///< and what it answers
};

/// A file dialog service that answers from a function instead of asking (tests).
class ScriptedFileDialogService : public FileDialogService {
public:
    /// Called with the caption, the suggested path, the filters and the suggested filter;
    /// returns the path and the chosen filter ("" path: cancelled).
    using Answer = std::function<std::pair<QString, QString>(const QString&, const QString&,
                                                             const QStringList&, const QString&)>;
    explicit ScriptedFileDialogService(Answer answer) : answer_(std::move(answer)) {}
    QString saveFileName(QWidget*, const QString& caption, const QString& suggestedPath,
                         const QStringList& filters, QString* selectedFilter) override {
        const QString suggested = selectedFilter ? *selectedFilter : QString();
        auto [path, filter] = answer_(caption, suggestedPath, filters, suggested);
        if (selectedFilter) *selectedFilter = filter;
        return path;
    }
    QString openFileName(QWidget*, const QString& caption, const QString& folder,
                         const QStringList& filters) override {
        return answer_(caption, folder, filters, QString()).first;
    }

private:
    Answer answer_;
};

/// Installs a RecordingMessageService and returns it (owned by the registry).
RecordingMessageService& InstallRecordingMessages();

} // namespace tolvik::ui

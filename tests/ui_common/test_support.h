#pragma once
/// What the window tests share beside the window: the texts of a control, recorded message texts,
/// files written and read back, the text of a PDF and a disk that fills up.

#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QStringList>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <utility>

namespace tolvik::test {

/// Makes a service of the program's and puts it in place; the test keeps the pointer.
template <class S, class Base, class... Args> S* Install(void (*set)(std::unique_ptr<Base>), Args&&... args) {
    auto service = std::make_unique<S>(std::forward<Args>(args)...);
    S* kept = service.get();
    set(std::move(service));
    return kept;
}

/// The texts of the messages shown since the last call.
inline QStringList TakeMessages(ui::RecordingMessageService& recorder) {
    QStringList out;
    for (const auto& m : recorder.messages)
        out << m.text;
    recorder.messages.clear();
    return out;
}

/// The texts a control shows: a field's or a label's, or the entries of a list.
inline QStringList ShownTexts(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return {e->text()};
    if (auto* l = qobject_cast<const QLabel*>(w)) return {l->text()};
    QStringList out;
    if (auto* c = qobject_cast<const QComboBox*>(w))
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    else if (auto* lw = qobject_cast<const QListWidget*>(w))
        for (int i = 0; i < lw->count(); ++i)
            out << lw->item(i)->text();
    return out;
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// Writes the bytes, making the folder first; false when it cannot.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

/// The text of a PDF as pdftotext lays it out, one entry per page, empty or not (none when unreadable).
inline QStringList PdfPages(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // after the last page's form feed
    return pages;
}

/// A full disk while it lives: no file of the process may grow past the given size.
class DiskFull {
public:
    explicit DiskFull(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull() { ::setrlimit(RLIMIT_FSIZE, &saved_); }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    rlimit saved_{};
};

} // namespace tolvik::test

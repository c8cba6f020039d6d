#pragma once
/// What the window tests share: finding controls by objectName and driving them as a
/// user does (choosing in a list, typing, pressing Calculate), and the recorded messages.

#include "test_support.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/working_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace tolvik::test {

/// Stands for the main window: what a working window shows on its Copy button and status line.
struct HostRecord : ui::WindowHost {
    bool copyEnabled = true;
    QString hint;
    void setCopyEnabled(bool enabled) override { copyEnabled = enabled; }
    void showStatusHint(const QString& text) override { hint = text; }
};

class WindowTestBase : public QObject {
protected:
    ui::RecordingMessageService* messages = nullptr;

    /// The window whose controls the test drives.
    virtual QWidget* windowUnderTest() const = 0;

    template <class T = QWidget> T* get(const QString& name) const {
        T* w = windowUnderTest()->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLineEdit* field(const QString& name) const { return get<QLineEdit>(name); }
    /// Texts of fields and labels, for comparing several at once.
    QStringList texts(const QStringList& names) const {
        QStringList out;
        for (const QString& name : names)
            out << (qobject_cast<QLabel*>(get(name)) ? get<QLabel>(name)->text() : field(name)->text());
        return out;
    }
    /// The texts of the messages shown since the last call.
    QStringList shownMessages() { return TakeMessages(*messages); }
    /// A choice of the user in a list.
    void choose(const QString& listName, const QString& text) {
        auto* list = get<QComboBox>(listName);
        const int i = list->findText(text);
        QVERIFY2(i >= 0, qPrintable(text));
        list->setCurrentIndex(i);
        emit list->activated(i);
    }
    /// The user replaces the text of a field by typing (which raises textEdited, as paste does).
    void type(const QString& name, const QString& text) {
        QLineEdit* f = field(name);
        f->setFocus();
        f->selectAll();
        if (text.isEmpty())
            QTest::keyClick(f, Qt::Key_Delete);
        else
            QTest::keyClicks(f, text);
    }
    void calculate() { get<QAbstractButton>(QStringLiteral("cmdCalculate"))->click(); }
};

} // namespace tolvik::test

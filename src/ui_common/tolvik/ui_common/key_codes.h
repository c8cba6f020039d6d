#pragma once
/// The character code of a key press as the number fields' key filter takes it.

#include <QCoreApplication>
#include <QKeyEvent>

namespace tolvik::ui {

/// Key code of a character key press (Backspace 8, Enter 13), 0 for keys that type nothing.
inline int CharacterCode(const QKeyEvent& key) {
    // Shortcuts (Ctrl+V, Ctrl+X, ...) type nothing; some platforms still give them a letter.
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return 0;
    if (key.key() == Qt::Key_Backspace) return 8;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) return 13;
    const QString text = key.text();
    if (text.size() != 1) return 0;
    const char16_t c = text.at(0).unicode();
    if (c < 32 || c == 127) return 0; // control combinations (copy, paste, ...) are not typing
    return static_cast<int>(c);
}

/// Typing into a selection list: lower-case letters (and the four characters below them,
/// codes 93 to 122) are typed as the character 32 codes lower. Returns true when the key
/// was replaced, and so is consumed.
inline bool TypeShiftedInto(QObject* target, const QKeyEvent& key) {
    const QString typed = key.text();
    if (typed.size() != 1) return false;
    const int code = typed.at(0).unicode();
    if (code < 93 || code > 122) return false;
    const int upper = code - 32;
    QKeyEvent replacement(QEvent::KeyPress, upper, key.modifiers() & ~Qt::ShiftModifier,
                          QString(QChar(upper)));
    QCoreApplication::sendEvent(target, &replacement);
    return true;
}

} // namespace tolvik::ui

#pragma once
/// The character code of a key press as the number fields' key filter takes it.

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

} // namespace tolvik::ui

#pragma once
/// Results that depend on an input field are cleared whenever the user changes its text,
/// however the change was made: typing, Backspace, paste, cut, undo, drag and drop. The
/// program's own writes (setText) do not count, so a calculation can write its inputs
/// (replacement values) without clearing its own results.

#include <functional>
#include <initializer_list>

class QLineEdit;

namespace tolvik::ui {

/// Runs clear on every change of the field's text by the user (QLineEdit::textEdited).
/// The connection lives as long as the field.
void ClearOnUserEdit(QLineEdit* field, std::function<void()> clear);
/// Empties the dependent fields on every change of the field's text by the user.
void ClearOnUserEdit(QLineEdit* field, std::initializer_list<QLineEdit*> dependents);

} // namespace tolvik::ui

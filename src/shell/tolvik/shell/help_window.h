#pragma once
/// Opening the help window (Tolvik's help pages with their contents, keyword index and
/// full-text search), read from the help collection in the program folder
/// (help/tolvik.qhc with help/tolvik.qch). The window itself is loaded when first used.

#include <QString>

class QWidget;

namespace tolvik {
struct AppContext;
}

namespace tolvik::shell {

/// appFolder/help/tolvik.qhc
QString HelpCollectionPath(const AppContext& app);

/// "&Contents": opens (or brings to the front) the help window at its contents; nullptr
/// (with a message) when the help cannot be read.
QWidget* ShowHelpContents(const AppContext& app, QWidget* parent = nullptr);
/// The "Help" button and "&Search For Help On ...": the help window at its keyword index.
QWidget* ShowHelpIndex(const AppContext& app, QWidget* parent = nullptr);

} // namespace tolvik::shell

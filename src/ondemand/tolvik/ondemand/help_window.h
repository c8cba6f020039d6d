#pragma once
/// The help window: Tolvik's help pages with their contents, keyword index and full-text
/// search, read from the help collection in the program folder (help/tolvik.qhc with
/// help/tolvik.qch).

#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTabWidget;
class QTextBrowser;

namespace tolvik::ondemand {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    /// collectionFile: the help collection of the program folder. The window works on a
    /// copy in the user's cache folder, where the search index is kept as well.
    explicit HelpWindow(const QString& collectionFile, QWidget* parent = nullptr);
    ~HelpWindow() override;

    /// False when the help collection could not be read (the window stays empty).
    bool isValid() const { return valid_; }
    /// The contents, with the first page shown.
    void showContents();
    /// The keyword index, with the focus in its search field.
    void showIndex();
    /// The full-text search for a text; shows its first hit.
    void search(const QString& text);
    /// Shows a page of the help (a qthelp:// address, or a file name of the help pages).
    void showPage(const QString& page);

    QHelpEngine* engine() const { return engine_; }
    QTextBrowser* browser() const;
    QTabWidget* sideTabs() const { return tabs_; }
    QLineEdit* indexField() const { return indexField_; }

private:
    bool valid_ = false;
    QHelpEngine* engine_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* indexField_ = nullptr;
    class Browser;
    Browser* browser_ = nullptr;
};

} // namespace tolvik::ondemand

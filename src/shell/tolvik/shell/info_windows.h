#pragma once
/// The small information windows of the Help menu: the licence text (Haftung) and the
/// About / e-mail window (frmDiverses). Both are free windows that exist at most once and
/// are destroyed when closed.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::shell {

/// The support address the e-mail window shows and copies.
inline constexpr const char* kSupportAddress = "support@tolvik.example";

/// The licence window "Licence": heading Text1, the licence, warranty and liability terms
/// in the read-only Text2, and the button Command1 "OK". Centred on its screen when shown.
class Haftung : public QWidget {
    Q_OBJECT
public:
    explicit Haftung(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool centred_ = false;
};

/// The window of the About text and the support e-mail address; its tag ("About" or
/// "Email") decides what ShowDiverses shows.
class frmDiverses : public QWidget {
    Q_OBJECT
public:
    /// aboutText: the credits shown in AboutText.
    explicit frmDiverses(const QString& aboutText, QWidget* parent = nullptr);

    void setTagWithAbout();
    void setTagWithEmail();
    /// About: shows the About text under the caption "About", centred. Email: adds the
    /// e-mail controls; caption, size and place stay. Then shows the window.
    void ShowDiverses();
    QString tag() const { return tag_; }

private:
    void copyEmail();

    QString tag_;
    QPlainTextEdit* aboutText_ = nullptr;
    QLabel* labEmail_ = nullptr;
    QLineEdit* txtEmail_ = nullptr;
    QPushButton* cmdCopyEmail_ = nullptr;
};

/// The About text: Tolvik with its version, its authors and licence, and the data file
/// it reads (AppContext::databasePath).
QString AboutTextFor(const AppContext& app);

/// "&Licence": shows the licence window (creating it if needed), not modal.
Haftung* ShowLicence();
/// "&About" and "&Email-Address": the frmDiverses window in front (created if needed)
/// gets its tag set and is shown.
frmDiverses* ShowAbout(const AppContext& app);
frmDiverses* ShowEmailAddress(const AppContext& app);

} // namespace tolvik::shell

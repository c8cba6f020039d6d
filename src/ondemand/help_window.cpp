// The help window on the help collection built with the program.

#include "tolvik/ondemand/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tolvik::ondemand {

namespace {

const char* const kNamespace = "org.tolvik.help";
const char* const kStartPage = "qthelp://org.tolvik.help/doc/index.html";

/// The collection copied into the user's cache folder (the program folder may be read-only),
/// refreshed when the program's copy changed.
QString WritableCollection(const QString& source) {
    QDir cache(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    if (!cache.mkpath(QStringLiteral("help"))) return source;
    const QString target = cache.filePath(QStringLiteral("help/tolvik.qhc"));
    const QFileInfo src(source), dst(target);
    if (!dst.exists() || dst.lastModified() < src.lastModified() || dst.size() != src.size()) {
        QFile::remove(target);
        if (!QFile::copy(source, target)) return source;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return target;
}

} // namespace

/// Shows pages from the help collection.
class HelpWindow::Browser : public QTextBrowser {
public:
    Browser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}
    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (url.scheme() == QLatin1String("qthelp")) {
            const QByteArray data = engine_->fileData(url);
            if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(data);
            return data;
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* engine_;
};

HelpWindow::HelpWindow(const QString& collectionFile, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tolvik Help"));

    engine_ = new QHelpEngine(WritableCollection(collectionFile), this);
    engine_->setReadOnly(false);
    valid_ = QFileInfo::exists(collectionFile) && engine_->setupData();
    if (valid_) {
        // The documentation lies beside the program's collection, wherever the program is.
        const QString qch = QFileInfo(collectionFile).absolutePath() + QStringLiteral("/tolvik.qch");
        const QString ns = QLatin1String(kNamespace);
        if (QFileInfo(engine_->documentationFileName(ns)).absoluteFilePath() !=
            QFileInfo(qch).absoluteFilePath()) {
            engine_->unregisterDocumentation(ns);
            engine_->registerDocumentation(qch);
            engine_->setupData();
        }
        valid_ = engine_->registeredDocumentations().contains(ns);
    }

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("HelpTabs"));
    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("HelpContents"));
    tabs_->addTab(contents, QStringLiteral("Contents"));

    auto* indexPage = new QWidget(tabs_);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel(QStringLiteral("Type in the keyword to find:"), indexPage));
    indexField_ = new QLineEdit(indexPage);
    indexField_->setObjectName(QStringLiteral("HelpIndexField"));
    indexField_->setClearButtonEnabled(true);
    indexLayout->addWidget(indexField_);
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setObjectName(QStringLiteral("HelpIndex"));
    indexLayout->addWidget(index, 1);
    tabs_->addTab(indexPage, QStringLiteral("Index"));

    auto* searchPage = new QWidget(tabs_);
    auto* searchLayout = new QVBoxLayout(searchPage);
    QHelpSearchEngine* search = engine_->searchEngine();
    search->queryWidget()->setObjectName(QStringLiteral("HelpSearchQuery"));
    search->resultWidget()->setObjectName(QStringLiteral("HelpSearchResults"));
    searchLayout->addWidget(search->queryWidget());
    searchLayout->addWidget(search->resultWidget(), 1);
    tabs_->addTab(searchPage, QStringLiteral("Search"));

    browser_ = new Browser(engine_, this);
    browser_->setObjectName(QStringLiteral("HelpPage"));
    browser_->setOpenExternalLinks(true);

    auto* split = new QSplitter(this);
    split->addWidget(tabs_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);
    resize(960, 680);

    // The contents are read in the background: open the first level when they are there.
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });
    connect(contents, &QHelpContentWidget::linkActivated, browser_,
            [this](const QUrl& u) { browser_->setSource(u); });
    connect(index, &QHelpIndexWidget::documentActivated, browser_,
            [this](const QHelpLink& link, const QString&) { browser_->setSource(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, browser_,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty()) browser_->setSource(links.first().url);
            });
    connect(indexField_, &QLineEdit::textChanged, index,
            [index](const QString& t) { index->filterIndices(t); });
    connect(indexField_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, search,
            [search] { search->search(search->queryWidget()->searchInput()); });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, browser_,
            [this](const QUrl& u) { browser_->setSource(u); });
    if (valid_) search->scheduleIndexDocumentation();
}

HelpWindow::~HelpWindow() = default;

QTextBrowser* HelpWindow::browser() const {
    return browser_;
}

void HelpWindow::showPage(const QString& page) {
    const QUrl url = page.startsWith(QLatin1String("qthelp:"))
                         ? QUrl(page)
                         : QUrl(QStringLiteral("qthelp://org.tolvik.help/doc/") + page);
    browser_->setSource(url);
}

void HelpWindow::showContents() {
    tabs_->setCurrentIndex(0);
    engine_->contentWidget()->expandToDepth(0);
    showPage(QLatin1String(kStartPage));
}

void HelpWindow::showIndex() {
    tabs_->setCurrentIndex(1);
    if (browser_->source().isEmpty()) showPage(QLatin1String(kStartPage));
    indexField_->setFocus();
    indexField_->selectAll();
}

void HelpWindow::search(const QString& text) {
    tabs_->setCurrentIndex(2);
    engine_->searchEngine()->queryWidget()->setSearchInput(text);
    engine_->searchEngine()->search(text);
}

} // namespace tolvik::ondemand

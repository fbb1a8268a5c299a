#include "app/CHelpWindow.h"

#include "forms/common/DialogButtons.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rps {

namespace {

// A text browser that reads its pages, style sheet and pictures out of the help engine.
class CHelpBrowser : public QTextBrowser {
public:
    explicit CHelpBrowser(QWidget* parent) : QTextBrowser(parent) {}
    void setEngine(QHelpEngine* engine) { engine_ = engine; }

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        // A page's style sheet and pictures come by names relative to the page.
        const QUrl address = name.isRelative() ? source().resolved(name) : name;
        if (engine_ != nullptr && address.scheme() == QLatin1String("qthelp"))
            return engine_->fileData(address);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* engine_ = nullptr;
};

// The collection the engine may write to: an installed one sits in a folder of the system,
// so its copy in the user's cache folder keeps the search index.
QString writableCollection(const QString& collectionFile)
{
    const QFileInfo info(collectionFile);
    if (QFileInfo(info.absolutePath()).isWritable())
        return info.absoluteFilePath();
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/help";
    QDir().mkpath(cache);
    const QString copy = cache + "/" + info.fileName();
    QHelpEngineCore installed(collectionFile);
    installed.setReadOnly(true);
    if (installed.setupData() && installed.copyCollectionFile(copy))
        return copy;
    return info.absoluteFilePath();
}

} // namespace

CHelpWindow::CHelpWindow(const LanguageTable& texts, QWidget* parent)
    : QWidget(parent, Qt::Window), texts_(texts)
{
    setWindowTitle(languageText(texts_, kHelpWindowTitleText));
    setObjectName("helpWindow");
    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName("helpNavigation");
    browser_ = new CHelpBrowser(splitter);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(false);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({300, 900});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(1100, 720);
}

CHelpWindow::~CHelpWindow() = default;

bool CHelpWindow::openCollection(const QString& collectionFile)
{
    if (engine_ != nullptr && collectionFile == collection_)
        return true;
    auto* engine = new QHelpEngine(writableCollection(collectionFile), this);
    if (!engine->setupData()) {
        delete engine;
        return false;
    }
    delete engine_;
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    engine_ = engine;
    collection_ = collectionFile;
    static_cast<CHelpBrowser*>(browser_)->setEngine(engine_);
    buildNavigation();
    return true;
}

void CHelpWindow::buildNavigation()
{
    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName("helpContents");
    tabs_->addTab(contents, languageText(texts_, kHelpContentsText));
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });
    connect(contents, &QHelpContentWidget::linkActivated, this, &CHelpWindow::showAddress);

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* lookFor = new QLineEdit(indexPage);
    lookFor->setObjectName("helpIndexFilter");
    lookFor->setPlaceholderText(languageText(texts_, kHelpIndexFilterText));
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setObjectName("helpIndex");
    indexLayout->addWidget(lookFor);
    indexLayout->addWidget(index);
    connect(lookFor, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(lookFor, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& document) { showAddress(document.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& documents) {
        if (!documents.isEmpty())
            showAddress(documents.first().url);
    });
    tabs_->addTab(indexPage, languageText(texts_, kHelpIndexText));

    QHelpSearchEngine* search = engine_->searchEngine();
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(search->queryWidget());
    searchLayout->addWidget(search->resultWidget(), 1);
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, search,
            [search] { search->search(search->queryWidget()->searchInput()); });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this,
            &CHelpWindow::showAddress);
    tabs_->addTab(searchPage, languageText(texts_, kHelpSearchText));
    search->scheduleIndexDocumentation();
}

void CHelpWindow::showAddress(const QUrl& address)
{
    browser_->setSource(address);
    // The contents follow the page shown (once the engine has read them).
    QUrl page = address;
    page.setFragment(QString());
    QHelpContentWidget* contents = engine_ != nullptr ? engine_->contentWidget() : nullptr;
    if (contents != nullptr) {
        const QModelIndex entry = contents->indexOf(page);
        if (entry.isValid())
            contents->setCurrentIndex(entry);
    }
}

QUrl CHelpWindow::currentAddress() const
{
    return browser_->source();
}

} // namespace rps

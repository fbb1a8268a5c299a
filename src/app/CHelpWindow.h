#pragma once
// The help window: a Qt Help collection shown with its contents, index and full-text search
// beside a text browser. It is a window of its own, so the form the user asked about stays
// usable beside it.
#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QTabWidget;
class QTextBrowser;

namespace rps {

class LanguageTable;

// Language texts of the help window.
inline constexpr int kHelpWindowTitleText = 199;
inline constexpr int kHelpContentsText = 200;
inline constexpr int kHelpIndexText = 201;
inline constexpr int kHelpSearchText = 202;
inline constexpr int kHelpIndexFilterText = 203;
inline constexpr int kHelpMissingText = 204;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(const LanguageTable& texts, QWidget* parent = nullptr);
    ~CHelpWindow() override;

    // Opens a collection (the one already open stays); false when it cannot be read.
    bool openCollection(const QString& collectionFile);
    QString collectionFile() const { return collection_; }
    // Shows a page of the collection ("qthelp://.../doc/page.html#anchor").
    void showAddress(const QUrl& address);
    QUrl currentAddress() const;
    QTextBrowser* browser() const { return browser_; }
    QTabWidget* navigation() const { return tabs_; }

private:
    void buildNavigation();

    QHelpEngine* engine_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QString collection_;
    const LanguageTable& texts_;
};

} // namespace rps

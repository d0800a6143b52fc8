#pragma once

#include <QWidget>

class IReleaseNotesModule;

QT_BEGIN_NAMESPACE
class QTextBrowser;
class QUrl;
QT_END_NAMESPACE

// Where the release notes dialog shows the notes: in the web view of the
// release notes module, which holds everything that needs the web engine
// and is loaded only here, so that the engine costs nothing at start-up.
// Without the module (a broken installation) HTML notes are shown as rich
// text that loads nothing, and a notes page as a link to the browser.
class ReleaseNotesView : public QWidget
{
    Q_OBJECT

public:
    explicit ReleaseNotesView(QWidget *parent = nullptr);

    // Shows the HTML text strHtml; it loads nothing from anywhere.
    void setHtml(const QString &strHtml);
    // Shows the page at url; pageLoaded() tells whether it could. Without
    // the module the page is only offered as a link, and pageLoaded() is
    // never emitted.
    void load(const QUrl &url);

signals:
    // Emitted once for each load(), with whether that page loaded; not for
    // what setHtml() shows after it.
    void pageLoaded(bool bOk);

private:
    IReleaseNotesModule *m_pModule = nullptr;   // the module's instance; the module stays loaded
    QWidget *m_pWebView = nullptr;              // the module's view, a child; or
    QTextBrowser *m_pBrowser = nullptr;         // without the module, a child
};

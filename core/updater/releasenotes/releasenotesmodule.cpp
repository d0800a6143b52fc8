#include "core/updater/releasenotes/releasenotesmodule.h"

#include "core/updater/releasenotes/releasenotespage.h"

#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>

QWidget *ReleaseNotesModule::createView(QWidget *pParent)
{
    auto *pView = new QWebEngineView(pParent);
    // The notes are the appcast's, not ours: a page of their own in a
    // private profile. The profile is made after the view, so it is deleted
    // after the view and its page.
    auto *pProfile = new QWebEngineProfile(pParent);
    pView->setPage(new ReleaseNotesPage(pProfile, pView));
    return pView;
}

void ReleaseNotesModule::setHtml(QWidget *pView, const QString &strHtml)
{
    if (auto *pWebView = qobject_cast<QWebEngineView *>(pView))
        pWebView->setHtml(strHtml, QUrl());
}

void ReleaseNotesModule::load(QWidget *pView, const QUrl &url, const std::function<void(bool bOk)> &finished)
{
    auto *pWebView = qobject_cast<QWebEngineView *>(pView);
    if (!pWebView)
        return;
    pWebView->load(url);
    // Only the page's own result counts: what the caller shows after a
    // failure finishes loading too.
    auto pConnection = std::make_shared<QMetaObject::Connection>();
    *pConnection = connect(pWebView, &QWebEngineView::loadFinished, pWebView, [pConnection, finished](bool bOk) {
        disconnect(*pConnection);
        finished(bOk);
    });
}

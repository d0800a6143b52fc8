#pragma once

#include <QtPlugin>

#include <functional>

QT_BEGIN_NAMESPACE
class QString;
class QUrl;
class QWidget;
QT_END_NAMESPACE

// What the release notes module does for the core: everything that needs
// the web engine. Linking the web engine into the core would load it at
// every start, for a dialog shown only when an update is found; the module
// is loaded then instead (see ReleaseNotesView).
//
// The core and the module are built and installed together and this header
// is not installed, so the interface may change in any release; its
// identifier changes with it, so that a module left over from another
// release is refused instead of called.
class IReleaseNotesModule
{
public:
    virtual ~IReleaseNotesModule() = default;

    // A web view for release notes, added to pParent's children together
    // with the private, off-the-record profile of its page; both go with
    // pParent. The page treats the notes as a stranger's: no scripts, no
    // local files, nothing fetched but the notes' page, and links open in
    // the browser, http(s) ones only.
    virtual QWidget *createView(QWidget *pParent) = 0;

    // Shows the HTML text strHtml in pView, a view made by createView().
    virtual void setHtml(QWidget *pView, const QString &strHtml) = 0;

    // Loads the page at url into pView, a view made by createView(), and
    // calls finished once, with whether that page loaded; what pView loads
    // after it is not reported. finished is not called once pView is gone.
    virtual void load(QWidget *pView, const QUrl &url, const std::function<void(bool bOk)> &finished) = 0;
};

#define ZELTO_RELEASE_NOTES_MODULE_IID "com.PELUM.Zelto.ReleaseNotesModule/1.0"
Q_DECLARE_INTERFACE(IReleaseNotesModule, ZELTO_RELEASE_NOTES_MODULE_IID)

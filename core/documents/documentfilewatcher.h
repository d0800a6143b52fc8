#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

class IDocument;

// Watches the files of the registered documents and tells the user when
// another program changed, replaced, moved or deleted one. A change offers
// to reload the document (IDocument::reload()); a file that is gone leaves
// the document open and modified, so saving writes it again.
//
// A change is judged by the file's content, not its time stamp: a file
// written again with what it held, or touched, asks nothing. The
// application's own saves go through takeFileAsOwn(), so they never ask.
// Changes that come in a burst are checked once, after they settled; while a
// modal dialog or a popup is open, the question waits for it to close.
class DocumentFileWatcher : public QObject
{
    Q_OBJECT

public:
    explicit DocumentFileWatcher(QObject *parent = nullptr);
    ~DocumentFileWatcher() override;

    void addDocument(IDocument *pDocument);
    void removeDocument(IDocument *pDocument);
    // What is on disk under the document's (possibly new) file name now is
    // the document's own: after a save, a save-as or a reload.
    void takeFileAsOwn(IDocument *pDocument);

    // How long the file must stay quiet before it is looked at, and how
    // often a question held back by a dialog is tried again.
    static const int s_nSettleMs = 200;
    static const int s_nRetryMs = 250;

private slots:
    void onFileChanged(const QString &strPath);
    void checkPending();

private:
    struct Watched
    {
        QString strPath;
        QByteArray fingerprint;   // empty: there is no file
        bool bPending = false;
    };

    static QByteArray fingerprintOf(const QString &strPath);
    void follow(const QString &strPath);
    void unfollow(const QString &strPath);
    bool mayAskNow() const;
    void check(IDocument *pDocument);
    void askToReload(IDocument *pDocument);
    void tellRemoved(IDocument *pDocument);
    static void markModified(IDocument *pDocument);

    QFileSystemWatcher m_watcher;
    QTimer m_settleTimer;
    // Keys are not owned; the document manager removes a document before it goes.
    QHash<IDocument *, Watched> m_hashDocuments;
    bool m_bAsking = false;
};

#pragma once

#include <QString>
#include <QUrl>

QT_BEGIN_NAMESPACE
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QObject;
QT_END_NAMESPACE

// How the update checker and the downloader talk to update servers, the one
// place for it: the same headers on every request, the same redirects
// followed and the same refused. Both follow redirects themselves (the
// network layer does not), so each hop is judged here before it is taken.
class UpdateNetworkPolicy
{
public:
    // Redirects one request follows in a row; the next one fails it.
    static const int MaxRedirects = 10;

    // "<application>/<version> (Updater)".
    static QString defaultUserAgent();

    // A manager whose requests follow no redirect on their own.
    static QNetworkAccessManager *createManager(QObject *parent);

    // A GET request for url with the User-Agent strUserAgent (none when
    // empty). It asks for the bytes as they are, uncompressed: a limit on
    // what arrives is then a limit on what is kept, and byte offsets are
    // those of the file.
    static QNetworkRequest request(const QUrl &url, const QString &strUserAgent);

    enum Redirect {
        NoRedirect,
        Follow,     // to *pTarget
        Unsafe,     // not to the web, or from https to http
        TooMany     // past MaxRedirects; nRedirects counts those taken before
    };
    // What to do with a finished reply after nRedirects redirects. *pTarget
    // gets the target, resolved against the reply's address, whenever there
    // is one.
    static Redirect redirect(const QNetworkReply *pReply, int nRedirects, QUrl *pTarget);

    // True for the schemes an update may come from and the browser may open.
    // Inline: the release notes module, which does not link the core, opens
    // links by the same rule.
    static bool isWebUrl(const QUrl &url)
    {
        return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    }
};

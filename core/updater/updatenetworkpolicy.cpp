#include "core/updater/updatenetworkpolicy.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

QString UpdateNetworkPolicy::defaultUserAgent()
{
    return QStringLiteral("%1/%2 (Updater)")
        .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
}

QNetworkAccessManager *UpdateNetworkPolicy::createManager(QObject *parent)
{
    auto *pManager = new QNetworkAccessManager(parent);
    pManager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    return pManager;
}

QNetworkRequest UpdateNetworkPolicy::request(const QUrl &url, const QString &strUserAgent)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    if (!strUserAgent.isEmpty())
        request.setRawHeader("User-Agent", strUserAgent.toUtf8());
    // Set by hand, it also keeps the network layer from inflating a body
    // that comes compressed all the same.
    request.setRawHeader("Accept-Encoding", "identity");
    return request;
}

UpdateNetworkPolicy::Redirect UpdateNetworkPolicy::redirect(const QNetworkReply *pReply, int nRedirects,
                                                            QUrl *pTarget)
{
    const QUrl target = pReply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (target.isEmpty())
        return NoRedirect;
    // A relative Location is relative to the address that answered.
    *pTarget = pReply->url().resolved(target);
    // What an update server names must come from the web, and never over a
    // weaker connection than the one asked.
    if (!isWebUrl(*pTarget)
        || (pReply->url().scheme() == QLatin1String("https") && pTarget->scheme() == QLatin1String("http")))
        return Unsafe;
    return nRedirects < MaxRedirects ? Follow : TooMany;
}

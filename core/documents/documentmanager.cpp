#include "core/documents/documentmanager.h"
#include "core/documents/documentmanager_p.h"

#include "core/documents/breakpointsettings.h"
#include "core/documents/documentfilewatcher.h"
#include "core/documents/idocument.h"

#include <QSettings>
#include <QTimer>
#include <QUndoGroup>
#include <QUndoStack>

#include <limits>

static DocumentManager *s_pInstance = nullptr;
static DocumentManagerPrivate *s_pPrivate = nullptr;   // the instance's d, for the static operations

static const QList<Breakpoint> &defaultHBreakpoints()
{
    static const QList<Breakpoint> lst = {{375, true}, {667, true}, {768, true}, {1024, true}, {1280, true}};
    return lst;
}

static const QList<Breakpoint> &defaultVBreakpoints()
{
    static const QList<Breakpoint> lst = {{345, false}, {522, false}, {620, false}, {674, false}, {930, false}};
    return lst;
}

DocumentManagerPrivate::DocumentManagerPrivate()
    : m_pUndoGroup(new QUndoGroup)
{
}

DocumentManagerPrivate::~DocumentManagerPrivate()
{
    delete m_pUndoGroup;
}

// The timer interval for a stored interval in seconds. A zero or negative
// interval (a damaged settings file, a careless caller) would re-arm the
// timer on every pass of the event loop and back up without pause, and a
// huge one would overflow the milliseconds; both are kept in range.
static int backupIntervalMs(int nSeconds)
{
    return qBound(1, nSeconds, std::numeric_limits<int>::max() / 1000) * 1000;
}

QTimer *DocumentManagerPrivate::timerOf(IDocument *pDocument) const
{
    for (auto it = m_mapBackupTimers.cbegin(); it != m_mapBackupTimers.cend(); ++it) {
        if (it.value() == pDocument)
            return it.key();
    }
    return nullptr;
}

// Every static operation goes through here, so a call made before the main
// window created the manager (or after it deleted it) does nothing instead
// of crashing.
static DocumentManagerPrivate *dptr()
{
    return s_pPrivate;
}

DocumentManager::DocumentManager()
    : d(new DocumentManagerPrivate)
{
    d->m_pFileWatcher = new DocumentFileWatcher(this);
    s_pInstance = this;
    s_pPrivate = d;
}

DocumentManager::~DocumentManager()
{
    if (s_pInstance == this) {
        s_pInstance = nullptr;
        s_pPrivate = nullptr;
    }
    delete d;
}

DocumentManager *DocumentManager::getInstance()
{
    return s_pInstance;
}

void DocumentManager::addDocument(IDocument *pDocument)
{
    DocumentManagerPrivate *p = dptr();
    if (!p || !pDocument || p->m_lstDocuments.contains(pDocument))
        return;
    p->m_lstDocuments.append(pDocument);
    if (QUndoStack *pStack = pDocument->getUndoStack())
        p->m_pUndoGroup->addStack(pStack);

    auto *pTimer = new QTimer(s_pInstance);
    pTimer->setSingleShot(true);
    connect(pTimer, &QTimer::timeout, s_pInstance, &DocumentManager::onScheduleBackup);
    p->m_mapBackupTimers.insert(pTimer, pDocument);
    p->m_pFileWatcher->addDocument(pDocument);

    // A plug-in that deletes a registered document without removing it must
    // not leave a timer that would later call into the freed object.
    connect(pDocument, &QObject::destroyed, pTimer, [pDocument]() {
        if (DocumentManagerPrivate *p = dptr()) {
            if (p->m_lstDocuments.removeAll(pDocument) == 0)
                return;
            p->m_pFileWatcher->removeDocument(pDocument);
            if (QTimer *pTimer = p->timerOf(pDocument)) {
                p->m_mapBackupTimers.remove(pTimer);
                pTimer->deleteLater();
                pTimer->stop();
            }
        }
    });
}

bool DocumentManager::removeDocument(IDocument *pDocument)
{
    DocumentManagerPrivate *p = dptr();
    if (!pDocument)
        return true;
    if (!p || !p->m_lstDocuments.contains(pDocument))
        return false;
    p->m_lstDocuments.removeAll(pDocument);
    p->m_pFileWatcher->removeDocument(pDocument);
    if (QUndoStack *pStack = pDocument->getUndoStack())
        p->m_pUndoGroup->removeStack(pStack);

    QTimer *pTimer = p->timerOf(pDocument);
    if (!pTimer)
        return false;
    p->m_mapBackupTimers.remove(pTimer);
    pTimer->disconnect(s_pInstance);
    pTimer->stop();
    delete pTimer;   // also drops the destroyed() watch on the document
    return true;
}

void DocumentManager::documentSaved(IDocument *pDocument)
{
    if (DocumentManagerPrivate *p = dptr())
        p->m_pFileWatcher->takeFileAsOwn(pDocument);
}

const QList<IDocument *> &DocumentManager::getDocuments()
{
    static const QList<IDocument *> lstNone;
    DocumentManagerPrivate *p = dptr();
    return p ? p->m_lstDocuments : lstNone;
}

QUndoGroup *DocumentManager::getUndoGroup()
{
    DocumentManagerPrivate *p = dptr();
    return p ? p->m_pUndoGroup : nullptr;
}

bool DocumentManager::isAutobackupEnabled()
{
    DocumentManagerPrivate *p = dptr();
    return p ? p->m_bAutoBackupEnabled : false;
}

void DocumentManager::setAutoBackupEnabled(bool bEnabled)
{
    if (DocumentManagerPrivate *p = dptr())
        p->m_bAutoBackupEnabled = bEnabled;
}

int DocumentManager::getAutobackupTimeout()
{
    DocumentManagerPrivate *p = dptr();
    return p ? p->m_nAutoBackupInterval : 0;
}

void DocumentManager::setAutobackupTimeout(int nSeconds)
{
    if (DocumentManagerPrivate *p = dptr())
        p->m_nAutoBackupInterval = nSeconds;
}

void DocumentManager::startWaitingBackup(IDocument *pDocument)
{
    DocumentManagerPrivate *p = dptr();
    if (!p || !pDocument)
        return;
    if (QTimer *pTimer = p->timerOf(pDocument)) {
        pTimer->stop();
        pTimer->start(backupIntervalMs(p->m_nAutoBackupInterval));
    }
}

void DocumentManager::backUpModifiedDocuments()
{
    DocumentManagerPrivate *p = dptr();
    if (!p)
        return;
    // A copy: a backup may change the registry.
    const QList<IDocument *> lstDocuments = p->m_lstDocuments;
    for (IDocument *pDocument : lstDocuments) {
        if (pDocument->isModified())
            pDocument->saveBackup();
    }
}

void DocumentManager::stopWaitingBackup(IDocument *pDocument)
{
    DocumentManagerPrivate *p = dptr();
    if (!p || !pDocument)
        return;
    if (QTimer *pTimer = p->timerOf(pDocument))
        pTimer->stop();
}

QList<QPair<int, bool>> DocumentManager::getHBreakpoints()
{
    DocumentManagerPrivate *p = dptr();
    return p ? p->m_lstHBreakpoints : QList<Breakpoint>();
}

QList<QPair<int, bool>> DocumentManager::getVBreakpoints()
{
    DocumentManagerPrivate *p = dptr();
    return p ? p->m_lstVBreakpoints : QList<Breakpoint>();
}

void DocumentManager::setHBreakpoints(QList<QPair<int, bool>> lstBreakpoints)
{
    if (DocumentManagerPrivate *p = dptr())
        p->m_lstHBreakpoints = lstBreakpoints;
}

void DocumentManager::setVBreakpoints(QList<QPair<int, bool>> lstBreakpoints)
{
    if (DocumentManagerPrivate *p = dptr())
        p->m_lstVBreakpoints = lstBreakpoints;
}

void DocumentManager::initBreakpoints(QList<QPair<int, bool>> &lstHBreakpoints,
                                      QList<QPair<int, bool>> &lstVBreakpoints, bool bReset)
{
    DocumentManagerPrivate *p = dptr();
    if (bReset) {
        lstHBreakpoints.clear();
        lstVBreakpoints.clear();
    } else if (p && (!p->m_lstHBreakpoints.isEmpty() || !p->m_lstVBreakpoints.isEmpty())) {
        lstHBreakpoints = p->m_lstHBreakpoints;
        lstVBreakpoints = p->m_lstVBreakpoints;
        return;
    }
    // Nothing stored (or a reset): the defaults, appended to what was passed.
    lstHBreakpoints.append(defaultHBreakpoints());
    lstVBreakpoints.append(defaultVBreakpoints());
}

void DocumentManager::setSettings(QSettings *pSettings)
{
    if (DocumentManagerPrivate *p = dptr())
        p->m_pSettings = pSettings;
}

static const char kGroupZelto[] = "Zelto";
static const char kKeyAutoBackupEnable[] = "AutoBackup.Enable";
static const char kKeyAutoBackupInterval[] = "AutoBackup.Interval";
static const char kGroupBreakpoints[] = "Breakpoints";
static const char kArrayHorizontal[] = "Horizontal";
static const char kArrayVertical[] = "Vertical";
void DocumentManager::readSettings()
{
    DocumentManagerPrivate *p = dptr();
    if (!p || !p->m_pSettings)
        return;
    QSettings *pSettings = p->m_pSettings;

    pSettings->beginGroup(QLatin1String(kGroupZelto));
    if (pSettings->contains(QLatin1String(kKeyAutoBackupEnable)))
        p->m_bAutoBackupEnabled = pSettings->value(QLatin1String(kKeyAutoBackupEnable)).toBool();
    if (pSettings->contains(QLatin1String(kKeyAutoBackupInterval))) {
        bool bOk = false;
        const int nInterval = pSettings->value(QLatin1String(kKeyAutoBackupInterval)).toInt(&bOk);
        if (bOk && nInterval > 0)
            p->m_nAutoBackupInterval = nInterval;
        else
            qWarning("Ignoring the auto-backup interval in the settings: it is not a positive number of seconds.");
    }
    pSettings->endGroup();

    // The settings hold the whole lists: reading them again replaces what is
    // stored instead of appending a second copy of every breakpoint.
    pSettings->beginGroup(QLatin1String(kGroupBreakpoints));
    p->m_lstHBreakpoints = BreakpointSettings::read(pSettings, QLatin1String(kArrayHorizontal));
    p->m_lstVBreakpoints = BreakpointSettings::read(pSettings, QLatin1String(kArrayVertical));
    pSettings->endGroup();
}

void DocumentManager::saveSettings()
{
    DocumentManagerPrivate *p = dptr();
    if (!p || !p->m_pSettings)
        return;
    QSettings *pSettings = p->m_pSettings;

    pSettings->beginGroup(QLatin1String(kGroupZelto));
    pSettings->setValue(QLatin1String(kKeyAutoBackupEnable), p->m_bAutoBackupEnabled);
    pSettings->setValue(QLatin1String(kKeyAutoBackupInterval), p->m_nAutoBackupInterval);
    pSettings->endGroup();

    pSettings->beginGroup(QLatin1String(kGroupBreakpoints));
    pSettings->remove(QString());   // breakpoints removed from the lists must not survive
    BreakpointSettings::write(pSettings, QLatin1String(kArrayHorizontal), p->m_lstHBreakpoints);
    BreakpointSettings::write(pSettings, QLatin1String(kArrayVertical), p->m_lstVBreakpoints);
    pSettings->endGroup();
}

void DocumentManager::onScheduleBackup()
{
    auto *pTimer = qobject_cast<QTimer *>(sender());
    if (!pTimer)
        return;
    if (IDocument *pDocument = d->m_mapBackupTimers.value(pTimer))
        pDocument->saveBackup();   // a failed backup is retried at the next interval
    // The backup may have removed the document (and deleted this timer).
    if (d->m_mapBackupTimers.contains(pTimer))
        pTimer->start(backupIntervalMs(d->m_nAutoBackupInterval));
}

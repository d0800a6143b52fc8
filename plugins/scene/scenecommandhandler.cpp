#include "scenecommandhandler.h"

#include "htmlexporter.h"
#include "scenedocument.h"
#include "sceneeditor.h"
#include "sceneeditorwidget.h"
#include "scenesettings.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/core_global.h"
#include "core/documents/editormanager.h"
#include "core/documents/ieditor.h"
#include "core/icore.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "core/updater/qsimpleupdater.h"


#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QUrl>

SceneCommandHandler::SceneCommandHandler(QObject *parent)
    : QObject(parent)
{
    connect(SceneSettings::instance(), &SceneSettings::updatesChanged, this, &SceneCommandHandler::configureUpdates);
}

SceneCommandHandler::~SceneCommandHandler() = default;

bool SceneCommandHandler::connectCommands()
{
    const struct {
        const char *id;
        void (SceneCommandHandler::*slot)();
    } commands[] = {
        {"File.Export_To_HTML5", &SceneCommandHandler::exportToHtml5},
        {"File.Preview_Project_In_Browser", &SceneCommandHandler::previewProject},
        {"File.Preview_Current_Scene_In_Browser", &SceneCommandHandler::previewScene},
        {"Help.About", &SceneCommandHandler::about},
        {"Help.CheckUpdates", &SceneCommandHandler::checkUpdates},
    };
    bool bAny = false;
    for (const auto &command : commands) {
        ContextAction *pCommand = ActionManager::getAction(QLatin1String(command.id));
        if (!pCommand || !pCommand->getAction())
            continue;
        connect(pCommand->getAction(), &QAction::triggered, this, command.slot, Qt::UniqueConnection);
        bAny = true;
    }
    // The application has no user community or accounts to offer: the
    // controls the core declares for them would do nothing when clicked.
    for (const char *id : {"Help.Community", "Help.UserAccount"}) {
        if (ContextAction *pCommand = ActionManager::getAction(QLatin1String(id)))
            pCommand->setVisible(false);
    }
    if (MainWindow *pMainWindow = ICore::getMainWindow())
        pMainWindow->getUserAccountLink()->hide();
    return bAny;
}

void SceneCommandHandler::registerSoakHook()
{
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (qEnvironmentVariable("ZELTO_SOAK_HOOKS") != QLatin1String("1") || !pMainWindow)
        return;
    auto *pAction = new QAction(pMainWindow);
    pAction->setVisible(false);
    connect(pAction, &QAction::triggered, this, &SceneCommandHandler::soakEdit);
    ActionManager::registerAction(pAction, QStringLiteral("Test.Soak_Edit"), pMainWindow);
}

void SceneCommandHandler::soakEdit()
{
    SceneDocument *pDocument = activeDocument(false);
    if (!pDocument)
        return;
    QList<SceneItem> lstItems = pDocument->project().m_lstScenes.at(0).lstItems;
    if (lstItems.isEmpty()) {
        SceneItem item;
        item.strId = pDocument->newItemId(0);
        item.rect = QRectF(0, 0, 100, 60);
        lstItems.append(item);
    } else {
        lstItems[0].rect.translate(1, 0);
    }
    pDocument->changeItems(tr("Move"), 0, lstItems);
}

SceneDocument *SceneCommandHandler::activeDocument(bool bComplain)
{
    IEditor *pEditor = EditorManager::getInstance() ? EditorManager::activeEditor() : nullptr;
    auto *pDocument = pEditor ? qobject_cast<SceneDocument *>(pEditor->getDocument()) : nullptr;
    if (!pDocument && bComplain)
        IUi::information(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                         tr("Open or create a project first."), QMessageBox::Ok, QMessageBox::Ok);
    return pDocument;
}

void SceneCommandHandler::exportToHtml5()
{
    SceneDocument *pDocument = activeDocument(true);
    if (!pDocument)
        return;
    const QFileInfo project(pDocument->getFileName());
    QFileDialog dialog(ICore::getMainWindow(), tr("Export to HTML5"),
                       project.absoluteDir().absoluteFilePath(project.completeBaseName() + QStringLiteral(".html")),
                       tr("HTML pages (*.html)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("html"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    exportToFile(dialog.selectedFiles().constFirst());
}

bool SceneCommandHandler::exportToFile(const QString &strFile)
{
    SceneDocument *pDocument = activeDocument(true);
    if (!pDocument)
        return false;
    QString strError;
    if (!HtmlExporter::exportToFile(pDocument->project(), pDocument->getTitle(), strFile, &strError)) {
        IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE), strError, QMessageBox::Ok,
                     QMessageBox::Ok);
        return false;
    }
    emit pDocument->statusChanged(tr("Exported %1 to %2.")
                                      .arg(pDocument->getTitle(), QDir::toNativeSeparators(strFile)));
    return true;
}

QString SceneCommandHandler::writePreview(PreviewScope scope)
{
    SceneDocument *pDocument = activeDocument(true);
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (!pDocument || !pMainWindow)
        return QString();
    SceneProject project = pDocument->project();
    QString strTitle = pDocument->getTitle();
    if (scope == CurrentScene) {
        auto *pEditor = qobject_cast<SceneEditor *>(EditorManager::activeEditor());
        const int nScene = pEditor && pEditor->getWidget() ? pEditor->getWidget()->currentScene() : 0;
        project.m_lstScenes = {project.m_lstScenes.at(nScene)};
        strTitle = tr("%1: %2").arg(strTitle, project.m_lstScenes.constFirst().strName);
    }
    // The title keeps only safe characters: it becomes a file name.
    QString strName = pDocument->getTitle();
    strName.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    const QString strSuffix = scope == CurrentScene ? QStringLiteral("-scene") : QStringLiteral("-project");
    const QString strFile = QDir(pMainWindow->getDefaultTempPath())
                                .absoluteFilePath(strName + strSuffix + QStringLiteral(".html"));
    QString strError;
    if (!HtmlExporter::exportToFile(project, strTitle, strFile, &strError)) {
        IUi::warning(pMainWindow, QStringLiteral(ZELTO_APP_TITLE), strError, QMessageBox::Ok, QMessageBox::Ok);
        return QString();
    }
    return strFile;
}

void SceneCommandHandler::preview(PreviewScope scope)
{
    const QString strFile = writePreview(scope);
    if (strFile.isEmpty())
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(strFile)))
        IUi::information(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                         tr("No web browser could be started. The preview is at %1.")
                             .arg(QDir::toNativeSeparators(strFile)),
                         QMessageBox::Ok, QMessageBox::Ok);
}

void SceneCommandHandler::previewProject()
{
    preview(WholeProject);
}

void SceneCommandHandler::previewScene()
{
    preview(CurrentScene);
}

void SceneCommandHandler::about()
{
    IUi::information(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                     tr("%1 %2\n\nMake HTML5 animation scenes: shapes, text and images on a stage, "
                        "exported as one web page.\n\nBuilt with Qt %3.")
                         .arg(QStringLiteral(ZELTO_APP_TITLE), QCoreApplication::applicationVersion(),
                              QString::fromLatin1(qVersion())),
                     QMessageBox::Ok, QMessageBox::Ok);
}

void SceneCommandHandler::checkUpdates()
{
    const QString strUrl = SceneSettings::updateUrl();
    if (strUrl.isEmpty()) {
        IUi::information(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                         tr("No update address is configured. Enter one under Edit > Preferences > General."),
                         QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    //! [check-updates]
    prepareUpdater(strUrl)->checkForUpdates(strUrl, false);
    //! [check-updates]
}

QSimpleUpdater *SceneCommandHandler::prepareUpdater(const QString &strUrl)
{
    //! [configure-updates]
    QSimpleUpdater *pUpdater = QSimpleUpdater::getInstance();
    pUpdater->setModuleVersion(strUrl, QCoreApplication::applicationVersion());
    pUpdater->setNotifyOnUpdate(strUrl, true);
    pUpdater->setNotifyOnFinish(strUrl, true);
    pUpdater->setPlatformKey(strUrl, QSimpleUpdater::systemPlatformKey());
    // The key the installers are signed with, built into the application
    // (cmake -DZELTO_UPDATE_PUBLIC_KEY=...); without one the browser downloads.
    pUpdater->setPublicKey(strUrl, QStringLiteral(ZELTO_UPDATE_PUBLIC_KEY));
    //! [configure-updates]
    return pUpdater;
}

void SceneCommandHandler::configureUpdates()
{
    const QString strUrl = SceneSettings::updateUrl();
    const int nInterval = strUrl.isEmpty() ? 0 : SceneSettings::updateCheckInterval();
    QSimpleUpdater *pUpdater = QSimpleUpdater::getInstance();
    if (!m_strScheduledUrl.isEmpty() && m_strScheduledUrl != strUrl)
        pUpdater->setCheckInterval(m_strScheduledUrl, 0);
    m_strScheduledUrl = nInterval > 0 ? strUrl : QString();
    if (nInterval > 0) {
        //! [scheduled-checks]
        prepareUpdater(strUrl)->setCheckInterval(strUrl, nInterval);
        //! [scheduled-checks]
    } else if (!strUrl.isEmpty()) {
        pUpdater->setCheckInterval(strUrl, 0);
    }
}

#include "notesplugin.h"

#include "newnotedialog.h"
#include "notesdocumentfactory.h"
#include "notesoptionpage.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/coreids.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/options/ioptionsdlg.h"
#include "extensionsystem/pluginmanager.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace {
const char NewNoteId[] = "File.New_Note";
const char InsertDateId[] = "Edit.Insert_Date";
} // namespace

NotesPlugin::NotesPlugin() = default;

NotesPlugin::~NotesPlugin() = default;

bool NotesPlugin::initialize(const QStringList &, QString *errorString)
{
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (!pMainWindow) {
        *errorString = tr("The main window of the core plug-in is missing.");
        return false;
    }
    m_pFactory = new NotesDocumentFactory(this);

    //! [register-command]
    // Edit > Insert Date works in note editors, which register their own
    // action for it; everywhere else this disabled one stands in.
    m_pInsertDateAction = new QAction(tr("Insert &Date"), this);
    m_pInsertDateAction->setEnabled(false);
    ContextAction *pInsertDate =
        ActionManager::registerAction(m_pInsertDateAction, QLatin1String(InsertDateId), pMainWindow);
    // A shortcut the user saved wins over the default.
    pInsertDate->setDefaultKeySequence(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    pInsertDate->setDescription(tr("Insert the date and time into the note"));
    if (ActionContainer *pEdit = ActionManager::getActionContainer(QLatin1String(CoreIds::MenuBarEdit))) {
        ContextAction *pPreferences = ActionManager::getAction(QLatin1String(CoreIds::EditPreferences));
        pEdit->insertAction(pInsertDate, pPreferences);   // above Preferences; at the end without it
        pEdit->insertSeparator(pPreferences);
    }
    //! [register-command]

    m_pNewNoteAction = new QAction(tr("New &Note..."), this);
    connect(m_pNewNoteAction, &QAction::triggered, this, &NotesPlugin::newNote);
    ContextAction *pNewNote = ActionManager::registerAction(m_pNewNoteAction, QLatin1String(NewNoteId), pMainWindow);
    pNewNote->setDescription(tr("Create a new note"));
    if (ActionContainer *pFile = ActionManager::getActionContainer(QLatin1String(CoreIds::MenuBarFile)))
        pFile->insertAction(pNewNote, ActionManager::getAction(QLatin1String(CoreIds::FileOpenProject)));
    return true;
}

void NotesPlugin::extensionsInitialized()
{
    //! [factory-pool]
    // The preferences dialog comes from the first factory in the pool.
    // Plug-ins that bring the application's main document type add theirs in
    // initialize(); notes join after every one of them.
    ExtensionSystem::PluginManager::addObject(m_pFactory);
    m_bFactoryInPool = true;
    //! [factory-pool]

    //! [add-page]
    // The one preferences dialog comes from that first factory; the notes
    // page joins it, whichever plug-in made it.
    if (IOptionsDlg *pDialog = ICore::getMainWindow()->getOptionsDialog())
        pDialog->addOptionPage(new NotesOptionPage());   // the dialog owns the page from now on
    //! [add-page]
}

//! [plugin-shutdown]
ExtensionSystem::IPlugin::ShutdownFlag NotesPlugin::aboutToShutdown()
{
    // Everything this plug-in put into shared registries leaves them while
    // the core still exists.
    if (m_bFactoryInPool) {
        ExtensionSystem::PluginManager::removeObject(m_pFactory);
        m_bFactoryInPool = false;
    }
    ActionManager::unregisterAction(m_pNewNoteAction, QLatin1String(NewNoteId));
    ActionManager::unregisterAction(m_pInsertDateAction, QLatin1String(InsertDateId));
    return SynchronousShutdown;
}
//! [plugin-shutdown]

void NotesPlugin::newNote()
{
    MainWindow *pMainWindow = ICore::getMainWindow();
    NewNoteDialog dialog(pMainWindow);
    if (dialog.exec() != QDialog::Accepted || dialog.getFilePath().isEmpty())
        return;
    const QString strFile = dialog.getFilePath();
    // An existing note is opened as it is, never emptied.
    if (!QFileInfo::exists(strFile)) {
        QFile file(strFile);
        if (!file.open(QIODevice::WriteOnly)) {
            pMainWindow->showNotification(tr("Could not create the note %1: %2").arg(strFile, file.errorString()),
                                          ZTNotificationBar::Warning, QString(), true);
            return;
        }
    }
    pMainWindow->loadFile(strFile);
}

#pragma once

#include "core/core_global.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ICreateDocumentDlg;
class IDocument;
class IEditor;
class IOptionsDlg;

/**
 * What a plug-in registers in the host's object pool
 * (ExtensionSystem::PluginManager::addObject()) to bring a document type: the
 * main window asks it for everything specific to that type.
 *
 * Files are opened by the first factory in the pool whose
 * getSupportedSuffixes() holds their suffix, however they arrive: File > Open,
 * a drop on the window, the welcome page, the command line or another start
 * of the application. With one factory in the pool, File > New and File > Open
 * use its createNewDocumentDialog() and getOpenFileName(); with several,
 * File > New first asks which type to create (by getDocumentTypeName()) and
 * File > Open shows one dialog for every type. The preferences dialog always
 * comes from the first factory in the pool. The plug-in owns the factory and
 * takes it out of the pool before deleting it. GUI thread only.
 */
class CORE_EXPORT IDocumentFactory : public QObject
{
    Q_OBJECT

public:
    /** A factory; put it into the object pool to bring its document type. */
    explicit IDocumentFactory(QObject *parent = nullptr);
    /** The plug-in takes the factory out of the object pool before deleting it. */
    ~IDocumentFactory() override;

    /** A new, unopened document of the factory's type; the caller owns it. */
    virtual IDocument *createDocument() = 0;
    /** A new editor for the type, not yet bound to a document; the caller owns it. */
    virtual IEditor *createEditor() = 0;
    /** The file suffixes this factory opens, without dot, in lower case ("note"). */
    virtual QStringList getSupportedSuffixes() = 0;
    /**
     * The application's preferences dialog, asked of the first factory only,
     * once (MainWindow::getOptionsDialog()). The caller keeps it until the
     * application ends but does not delete it: the factory does. May return
     * nullptr when the factory brings no dialog.
     */
    virtual IOptionsDlg *createOptionsDialog() = 0;
    /** A new dialog for File > New once this type is chosen; the caller runs it and deletes it. */
    virtual ICreateDocumentDlg *createNewDocumentDialog() = 0;
    /**
     * Asks the user for a file to open for File > Open while this is the only
     * factory; an empty string means the user cancelled.
     */
    virtual QString getOpenFileName() = 0;
    /**
     * The type's name as the user reads it, translated ("Note"): File > New
     * offers the types by it, and File > Open names its file filter with it.
     * The default names the type by its first suffix ("NOTE documents").
     */
    virtual QString getDocumentTypeName();
};

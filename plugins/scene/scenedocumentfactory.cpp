#include "scenedocumentfactory.h"

#include "newscenedialog.h"
#include "scenedocument.h"
#include "sceneeditor.h"
#include "sceneoptionsdialog.h"
#include "scenesettings.h"

#include "core/icore.h"
#include "core/mainwindow.h"

#include <QFileDialog>
#include <QFileInfo>

SceneDocumentFactory::SceneDocumentFactory(QObject *parent)
    : IDocumentFactory(parent)
{
}

SceneDocumentFactory::~SceneDocumentFactory()
{
    delete m_pOptionsDialog;
}

IDocument *SceneDocumentFactory::createDocument()
{
    return new SceneDocument();
}

IEditor *SceneDocumentFactory::createEditor()
{
    return new SceneEditor();
}

QStringList SceneDocumentFactory::getSupportedSuffixes()
{
    return {QStringLiteral("zelto"), QStringLiteral("zeltopack")};
}

IOptionsDlg *SceneDocumentFactory::createOptionsDialog()
{
    if (!m_pOptionsDialog)
        m_pOptionsDialog = new SceneOptionsDialog();
    return m_pOptionsDialog;
}

ICreateDocumentDlg *SceneDocumentFactory::createNewDocumentDialog()
{
    return new NewSceneDialog(ICore::getMainWindow());
}

QString SceneDocumentFactory::getOpenFileName()
{
    QFileDialog dialog(ICore::getMainWindow(), tr("Open Project"), SceneSettings::lastFolder(),
                       tr("Zelto Rideved projects (*.zelto *.zeltopack)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString strFile = dialog.selectedFiles().constFirst();
    SceneSettings::setLastFolder(QFileInfo(strFile).absolutePath());
    return strFile;
}

QString SceneDocumentFactory::getDocumentTypeName()
{
    return tr("Animation project");
}

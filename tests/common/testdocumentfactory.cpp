#include "tests/common/testdocumentfactory.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUndoCommand>
#include <QUndoStack>

FactoryDocument::FactoryDocument(TestDocumentFactory *pFactory)
    : m_pFactory(pFactory)
{
    m_pUndoStack = new QUndoStack(this);
}

bool FactoryDocument::initNewDocument(int value1, int value2, int value3, bool option)
{
    m_lstInitValues = {value1, value2, value3, option ? 1 : 0};
    setIsTempDocument(m_pFactory->m_bNewIsTemp);
    return m_pFactory->m_bInitSucceeds;
}

bool FactoryDocument::open()
{
    return QFileInfo::exists(m_strFileName);
}

bool FactoryDocument::save()
{
    ++m_nSaveCount;
    if (!m_pFactory->m_bSaveSucceeds)
        return false;
    // Replaced in one step, as real documents save, and different each time.
    QSaveFile file(m_strFileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("project " + QByteArray::number(m_nSaveCount));
        file.commit();
    }
    m_pUndoStack->setClean();
    return true;
}

bool FactoryDocument::reload()
{
    ++m_nReloadCount;
    m_pUndoStack->clear();
    return QFileInfo::exists(m_strFileName);
}

bool FactoryDocument::saveAs()
{
    if (m_pFactory->m_strSaveAsTarget.isEmpty())
        return false;
    m_strFileName = m_pFactory->m_strSaveAsTarget;
    setIsTempDocument(false);
    return save();
}

void FactoryDocument::cleanTempDir()
{
    ++m_pFactory->m_nCleanTempCount;
}

void FactoryDocument::edit()
{
    m_pUndoStack->push(new QUndoCommand(QStringLiteral("edit")));
}

TestCreateDocumentDlg::TestCreateDocumentDlg(TestDocumentFactory *pFactory)
    : ICreateDocumentDlg(nullptr)
    , m_pFactory(pFactory)
{
}

int TestCreateDocumentDlg::exec()
{
    return m_pFactory->m_nDialogResult;
}

QString TestCreateDocumentDlg::getFilePath()
{
    return m_pFactory->m_strNewFilePath;
}

IDocument *TestDocumentFactory::createDocument()
{
    auto *pDocument = new FactoryDocument(this);
    m_lstDocuments.append(pDocument);
    return pDocument;
}

IOptionsDlg *TestDocumentFactory::createOptionsDialog()
{
    ++m_nOptionsDialogsCreated;
    m_pOptionsDlg = new TestOptionsDlg;
    m_pOptionsDlg->setObjectName(objectName());
    return m_pOptionsDlg;
}

QAction *commandAction(const char *id)
{
    ContextAction *pCommand = ActionManager::getAction(QString::fromLatin1(id));
    return pCommand ? pCommand->getAction() : nullptr;
}

bool writeProjectFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("project") > 0;
}

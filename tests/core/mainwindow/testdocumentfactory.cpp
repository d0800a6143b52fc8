#include "testdocumentfactory.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>

TestDocument::TestDocument(TestDocumentFactory *pFactory)
    : m_pFactory(pFactory)
{
    m_pUndoStack = new QUndoStack(this);
}

bool TestDocument::initNewDocument(int value1, int value2, int value3, bool option)
{
    m_lstInitValues = {value1, value2, value3, option ? 1 : 0};
    setIsTempDocument(m_pFactory->m_bNewIsTemp);
    return m_pFactory->m_bInitSucceeds;
}

bool TestDocument::open()
{
    return QFileInfo::exists(m_strFileName);
}

bool TestDocument::save()
{
    ++m_nSaveCount;
    if (!m_pFactory->m_bSaveSucceeds)
        return false;
    QFile file(m_strFileName);
    if (file.open(QIODevice::WriteOnly))
        file.write("project");
    m_pUndoStack->setClean();
    return true;
}

bool TestDocument::saveAs()
{
    if (m_pFactory->m_strSaveAsTarget.isEmpty())
        return false;
    m_strFileName = m_pFactory->m_strSaveAsTarget;
    setIsTempDocument(false);
    return save();
}

void TestDocument::cleanTempDir()
{
    ++m_pFactory->m_nCleanTempCount;
}

void TestDocument::edit()
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
    auto *pDocument = new TestDocument(this);
    m_lstDocuments.append(pDocument);
    return pDocument;
}

IOptionsDlg *TestDocumentFactory::createOptionsDialog()
{
    ++m_nOptionsDialogsCreated;
    m_pOptionsDlg = new TestOptionsDlg;
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

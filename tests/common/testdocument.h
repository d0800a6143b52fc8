#pragma once

#include "core/documents/idocument.h"
#include "core/documents/ieditor.h"

#include <QUndoCommand>
#include <QUndoStack>

// A document whose save results the test chooses and whose calls it counts.
class TestDocument : public IDocument
{
    Q_OBJECT

public:
    explicit TestDocument(const QString &strFileName = QString(), QObject *parent = nullptr)
        : IDocument(parent)
    {
        m_pUndoStack = new QUndoStack(this);
        setFileName(strFileName);
    }

    bool initNewDocument(int, int, int, bool) override { return true; }

    // Leaves the undo stack unclean, as an edit would.
    void makeEdit() { m_pUndoStack->push(new QUndoCommand(QStringLiteral("edit"))); }

    bool save() override
    {
        ++m_nSaveCalls;
        return m_bSaveResult;
    }
    bool saveAs() override
    {
        ++m_nSaveAsCalls;
        if (m_bSaveAsResult) {
            setFileName(m_strSaveAsName);
            setIsTempDocument(false);
        }
        return m_bSaveAsResult;
    }
    bool saveBackup() override
    {
        ++m_nBackups;
        emit backedUp();
        return m_bBackupResult;
    }
    void cleanTempDir() override { emit tempDirCleaned(); }

    bool m_bSaveResult = true;
    bool m_bSaveAsResult = true;
    bool m_bBackupResult = true;
    QString m_strSaveAsName;
    int m_nSaveCalls = 0;
    int m_nSaveAsCalls = 0;
    int m_nBackups = 0;

signals:
    void backedUp();
    void tempDirCleaned();
};

// The base class only: IDocument's own behaviour, nothing overridden.
class PlainDocument : public IDocument
{
    Q_OBJECT

public:
    bool initNewDocument(int, int, int, bool) override { return true; }
};

class TestEditor : public IEditor
{
    Q_OBJECT
};

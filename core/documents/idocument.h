#pragma once

#include "core/core_global.h"

#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QUndoCommand;
class QUndoStack;
QT_END_NAMESPACE

// Base of every document the application edits. Concrete document types live
// in other plug-ins; the core drives them only through these operations.
class CORE_EXPORT IDocument : public QObject
{
    Q_OBJECT

public:
    explicit IDocument(QObject *parent = nullptr);
    ~IDocument() override;

    virtual bool isModified() const;
    virtual void submitCommand(QUndoCommand *pCommand);
    virtual bool initNewDocument(int value1, int value2, int value3, bool option) = 0;
    virtual bool isTempDocument() const;

    QString getFileName();
    void setFileName(const QString &strFileName);
    QUndoStack *getUndoStack();
    void setIsTempDocument(bool bIsTempDocument);
    bool isOpenAsBackup() const;
    void setOpenAsBackup(bool bOpenAsBackup);

public slots:
    virtual bool open();
    virtual bool close();
    virtual bool save();
    virtual bool save(const QString &strFile);
    virtual bool saveAs();
    virtual bool revert();
    virtual void cleanTempDir();
    virtual bool saveBackup();

signals:
    void aboutToOpen();
    void aboutToClose();
    void dataChanged(QObject *pObject);
    void titleChanged();
    void modifyChanged(bool isModified);
    void undoStackChanged();
    void statusChanged(const QString &strStatusTip);
    void requestClosing(bool deleteLater = false);

protected:
    QString m_strFileName;
    // Created and owned by the concrete document, which stores it here before
    // the document is registered or asked isModified(); never deleted here.
    QUndoStack *m_pUndoStack = nullptr;
    bool m_bIsTempDocument = false;
    bool m_bOpenAsBackup = false;
};

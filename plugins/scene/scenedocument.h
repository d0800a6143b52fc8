#pragma once

#include "core/documents/idocument.h"

#include "sceneproject.h"

#include <QPointer>

// A scene project being edited. It owns its undo stack; every change of the
// items goes through a SceneEditCommand on that stack. While it is edited, a
// packed copy is written beside the project ("<project>.backup") so the work
// survives a crash; the project file itself is written only by save.
class SceneDocument : public IDocument
{
    Q_OBJECT

public:
    explicit SceneDocument(QObject *parent = nullptr);
    ~SceneDocument() override;

    bool initNewDocument(int value1, int value2, int value3, bool option) override;
    void submitCommand(QUndoCommand *pCommand) override;

    const SceneProject &project() const { return m_project; }
    // Records a change of the project as one undoable step named strText;
    // nothing when the project stays as it is.
    void changeProject(const QString &strText, const SceneProject &project);
    // The same for the items of one scene.
    void changeItems(const QString &strText, int nScene, const QList<SceneItem> &lstItems);
    // Used by the undo commands: replaces the project without a new step.
    void setProject(const SceneProject &project);
    QString addImage(const QByteArray &data, const QString &strSuffix);
    QString newItemId(int nScene) const { return m_project.newItemId(nScene); }

    // "<project>.backup" beside the project, or, when its name would be too
    // long for the file system, a file in backupFolder() named after the
    // project's path. Opening looks where saving writes.
    QString getBackupFileName() const;
    QString getTitle() const;
    // The user's data folder for backups that cannot sit beside their project.
    static QString backupFolder();

public slots:
    bool open() override;
    bool save() override;
    bool save(const QString &strFile) override;
    bool saveAs() override;
    bool saveAs(const QString &strFile);
    bool revert() override;
    bool reload() override;
    void cleanTempDir() override;
    bool saveBackup() override;

private slots:
    void onOpened();
    void onClosing();

private:
    bool loadFrom(const QString &strFile, QString *pError);
    // Replaces what is open with the project file and says strStatus.
    bool readAgain(const QString &strStatus);
    bool mayUpgrade(const QString &strFile);
    // Asks before a read-only file is replaced.
    bool mayReplaceReadOnly(const QString &strFile);
    // The user said No to saving strFile: tells them and close(); false.
    bool declineSave(const QString &strFile);
    // One warning naming the images a project file names but load() refused.
    void warnRefusedImages(const QStringList &lstRefused);
    void removeBackup();
    bool prepareBackupFolder(const QString &strBackup, QString *pError) const;
    void showRestoredNotification();

    SceneProject m_project;
    // The format of the project file as it is on disk. Saving over a file of
    // an older format needs the user's consent, asked once.
    int m_nFileFormat = SceneProject::s_nFormatVersion;
    // Said once the main window listens, that is when the document is bound
    // to its editor (aboutToOpen), not while open() runs.
    QString m_strOpenedStatus;
    // A failed backup was reported; the next failure says nothing until one succeeded.
    bool m_bBackupFailureReported = false;
};

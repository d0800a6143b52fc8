#pragma once

#include <QObject>
#include <QString>

class SceneDocument;

// Gives the commands the main window only declares their behaviour: export
// and browser previews of the active scene, the about box and the update
// check.
class SceneCommandHandler : public QObject
{
    Q_OBJECT

public:
    explicit SceneCommandHandler(QObject *parent = nullptr);
    ~SceneCommandHandler() override;

    // Connects to the commands that exist now; false if none was found.
    bool connectCommands();
    // Writes the active scene to a page in the temporary folder; empty on failure.
    QString writePreview(const QString &strSuffix);

public slots:
    void exportToHtml5();
    bool exportToFile(const QString &strFile);
    void previewProject();
    void previewScene();
    void about();
    void checkUpdates();

private:
    SceneDocument *activeDocument(bool bComplain);
    void preview(const QString &strSuffix);
};

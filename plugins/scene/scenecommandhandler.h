#pragma once

#include <QObject>
#include <QString>

class QSimpleUpdater;
class SceneDocument;

// Gives the commands the main window only declares their behaviour: export
// and browser previews of the active scene, the about box and the update
// check.
class SceneCommandHandler : public QObject
{
    Q_OBJECT

public:
    enum PreviewScope {
        CurrentScene,   // the scene shown in the active editor
        WholeProject    // all scenes, one after another
    };

    explicit SceneCommandHandler(QObject *parent = nullptr);
    ~SceneCommandHandler() override;

    // Connects to the commands that exist now and hides the declared ones it
    // has no behaviour for; false if none was found.
    bool connectCommands();
    // Writes a page of the active project to the temporary folder and
    // returns its path; empty on failure.
    QString writePreview(PreviewScope scope);

public slots:
    void exportToHtml5();
    bool exportToFile(const QString &strFile);
    void previewProject();
    void previewScene();
    void about();
    void checkUpdates();
    // Gives the update registry the configured address with its settings
    // and automatic checks; stops those of an address no longer configured.
    void configureUpdates();

private:
    QSimpleUpdater *prepareUpdater(const QString &strUrl);

    SceneDocument *activeDocument(bool bComplain);
    void preview(PreviewScope scope);

    QString m_strScheduledUrl;   // the address automatic checks run for
};

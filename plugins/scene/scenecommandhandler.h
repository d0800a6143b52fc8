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

    // For benchmarks/soak, and only when the environment variable
    // ZELTO_SOAK_HOOKS is 1: the hidden command Test.Soak_Edit, which a
    // client of the web bridge runs to change the active project (it moves
    // the first item of its first scene by a pixel, or adds a rectangle).
    void registerSoakHook();
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
    void soakEdit();

    QString m_strScheduledUrl;   // the address automatic checks run for
};

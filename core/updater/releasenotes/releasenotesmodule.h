#pragma once

#include "core/updater/ireleasenotesmodule.h"

#include <QObject>

// The release notes module's entry point: the core loads the module with
// QPluginLoader and asks its instance for views.
class ReleaseNotesModule : public QObject, public IReleaseNotesModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZELTO_RELEASE_NOTES_MODULE_IID)
    Q_INTERFACES(IReleaseNotesModule)

public:
    QWidget *createView(QWidget *pParent) override;
    void setHtml(QWidget *pView, const QString &strHtml) override;
    void load(QWidget *pView, const QUrl &url, const std::function<void(bool bOk)> &finished) override;
};

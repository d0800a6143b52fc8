#pragma once

#include "core/actionmanager/context.h"
#include "core/core_global.h"

#include <QList>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

class MainWindow;

// The process-wide registry of contexts. Plug-ins register their widgets here;
// the main window asks which registered context holds the focus widget so that
// every command can follow it. Widgets that are not inside a registered
// context belong to the global context, whose widget is the main window.
class CORE_EXPORT ContextManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    ~ContextManager() override;

    static ContextManager *getInstance();

    static Context registerContext(Context &context);
    static Context registerContext(QWidget *widget, const QString &id, const QString &name);
    static void unregisterContext(QWidget *widget, const QString &id);
    static Context getActiveContext(QWidget *widget);
    static Context getGlobalContext();
    static bool isGlobalContext(const Context &context);
    static QString getContextId(QWidget *widget);
    static QString getContextName(QWidget *widget);
    static QString getContextName(const QString &id);
    static QWidget *getContextWidget(const QString &id);
    static QList<Context> getContexts();

private:
    ContextManager();
};

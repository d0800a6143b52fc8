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

/**
 * The process-wide registry of contexts.
 *
 * Plug-ins register their widgets here; whenever the focus moves, the main
 * window asks which registered context holds the focus widget and points every
 * command at the action registered for that context's widget
 * (ActionManager::setContext()). Widgets that are not inside a registered
 * context belong to the global context, whose widget is the main window.
 *
 * The main window creates the one object before any plug-in is initialised;
 * it lives until the process ends. The registry keeps plain widget pointers:
 * unregister a context before its widget is destroyed. GUI thread only.
 */
class CORE_EXPORT ContextManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    /** Frees the registry; only the main window's teardown destroys the manager. */
    ~ContextManager() override;

    /** The registry object, or nullptr before the main window created it. */
    static ContextManager *getInstance();

    /**
     * Adds @p context unless an equal record (same identifier and widget) is
     * registered already; re-registering with another name keeps the first name.
     *
     * @return a copy of @p context
     */
    static Context registerContext(Context &context);
    /** Registers @p widget as the context @p id with the display name @p name; see the overload above. */
    static Context registerContext(QWidget *widget, const QString &id, const QString &name);
    /** Removes the context @p id of @p widget; a pair that is not registered is ignored. */
    static void unregisterContext(QWidget *widget, const QString &id);
    /**
     * The context that contains @p widget: the first registered record of
     * @p widget or of its nearest registered ancestor, else the global context.
     */
    static Context getActiveContext(QWidget *widget);
    /** The global context: { the main window, "Global", "Global" }. It is not in the registry. */
    static Context getGlobalContext();
    /** True when @p context's identifier is "Global". */
    static bool isGlobalContext(const Context &context);
    /** The identifier of the first context registered for @p widget, or an empty string. */
    static QString getContextId(QWidget *widget);
    /** The name of the first context registered for @p widget, or an empty string. */
    static QString getContextName(QWidget *widget);
    /** The name of the first context registered as @p id, or an empty string. */
    static QString getContextName(const QString &id);
    /** The widget of the first context registered as @p id, or nullptr. */
    static QWidget *getContextWidget(const QString &id);
    /** A copy of the registry in registration order; the global context is not in it. */
    static QList<Context> getContexts();

private:
    ContextManager();
};

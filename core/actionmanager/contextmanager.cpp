#include "core/actionmanager/contextmanager.h"

#include "core/icore.h"
#include "core/mainwindow.h"

#include <QWidget>

#include <algorithm>

namespace {

ContextManager *s_pInstance = nullptr;
// Registration order matters: every lookup takes the first match. A plain
// static rather than a member, so a lookup made before the main window has
// created the manager answers "nothing registered" instead of crashing.
QList<Context> s_contexts;

const char kGlobalContextId[] = "Global";

} // namespace

ContextManager::ContextManager()
    : QObject(nullptr)
{
    // A second manager (a second main window, as in tests) starts afresh.
    s_contexts.clear();
    s_pInstance = this;
}

ContextManager::~ContextManager()
{
    if (s_pInstance == this) {
        s_contexts.clear();
        s_pInstance = nullptr;
    }
}

ContextManager *ContextManager::getInstance()
{
    return s_pInstance;
}

Context ContextManager::registerContext(Context &context)
{
    if (s_contexts.contains(context))
        return context;
    s_contexts.append(context);
    // A widget destroyed without unregistering must not leave a dangling
    // pointer behind, nor lend its context to a new widget at its address.
    if (QWidget *widget = context.pWidget) {
        QObject::connect(widget, &QObject::destroyed, [widget] {
            s_contexts.erase(std::remove_if(s_contexts.begin(), s_contexts.end(),
                                            [widget](const Context &listed) {
                                                return listed.pWidget == widget;
                                            }),
                             s_contexts.end());
        });
    }
    return context;
}

Context ContextManager::registerContext(QWidget *widget, const QString &id, const QString &name)
{
    Context context{widget, id, name};
    return registerContext(context);
}

void ContextManager::unregisterContext(QWidget *widget, const QString &id)
{
    s_contexts.removeAll(Context{widget, id, QString()});
}

Context ContextManager::getActiveContext(QWidget *widget)
{
    // The innermost registered ancestor wins.
    for (; widget; widget = widget->parentWidget()) {
        for (const Context &context : qAsConst(s_contexts)) {
            if (context.pWidget == widget)
                return context;
        }
    }
    return getGlobalContext();
}

Context ContextManager::getGlobalContext()
{
    return Context{ICore::getMainWindow(), QLatin1String(kGlobalContextId),
                   QLatin1String(kGlobalContextId)};
}

bool ContextManager::isGlobalContext(const Context &context)
{
    return context.strId == QLatin1String(kGlobalContextId);
}

QString ContextManager::getContextId(QWidget *widget)
{
    for (const Context &context : qAsConst(s_contexts)) {
        if (context.pWidget == widget)
            return context.strId;
    }
    return QString();
}

QString ContextManager::getContextName(QWidget *widget)
{
    for (const Context &context : qAsConst(s_contexts)) {
        if (context.pWidget == widget)
            return context.strName;
    }
    return QString();
}

QString ContextManager::getContextName(const QString &id)
{
    for (const Context &context : qAsConst(s_contexts)) {
        if (context.strId == id)
            return context.strName;
    }
    return QString();
}

QWidget *ContextManager::getContextWidget(const QString &id)
{
    for (const Context &context : qAsConst(s_contexts)) {
        if (context.strId == id)
            return context.pWidget;
    }
    return nullptr;
}

QList<Context> ContextManager::getContexts()
{
    return s_contexts;
}

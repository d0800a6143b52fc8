// MainWindow: menus, commands, toolbar, status bar and the language menu.
#include "core/mainwindow.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextmanager.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

void MainWindow::initActions()
{
}

void MainWindow::createToolBars()
{
}

void MainWindow::createStatusBar()
{
}

void MainWindow::createLanguageMenu(QMenu *)
{
}

void MainWindow::languageChanged(QAction *)
{
}

void MainWindow::updateFocusWidget(QWidget *, QWidget *now)
{
    // Opening a menu must not take the commands away from the focused context.
    if (qobject_cast<QMenuBar *>(now) || qobject_cast<QMenu *>(now))
        return;
    QWidget *focusWidget = QApplication::focusWidget();
    if (!focusWidget)
        return;
    const Context context = ContextManager::getActiveContext(focusWidget);
    if (!context.strId.isEmpty())
        ActionManager::setContext(context.pWidget);
}

void MainWindow::onPreferences()
{
}

void MainWindow::updateSaveAsMenu()
{
}

void MainWindow::onEnabledSaveActionChanged(bool)
{
}

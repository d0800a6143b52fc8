// MainWindow: menus, commands, toolbar, status bar and the language menu.
#include "core/mainwindow.h"

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

void MainWindow::updateFocusWidget(QWidget *, QWidget *)
{
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

// MainWindow: project file commands, the recent projects menu and help.
#include "core/mainwindow.h"

QList<IDocumentFactory *> MainWindow::documentFactories()
{
    return {};
}

IDocumentFactory *MainWindow::selectDocumentFactory()
{
    return nullptr;
}

void MainWindow::fileNew()
{
}

void MainWindow::fileOpen()
{
}

void MainWindow::fileSave()
{
}

void MainWindow::fileSaveAs()
{
}

void MainWindow::fileClose()
{
}

void MainWindow::fileExit()
{
    close();
}

bool MainWindow::loadFile(QString)
{
    return false;
}

bool MainWindow::loadOpenedDocument(IDocument *, bool)
{
    return false;
}

void MainWindow::openFilesPassedAsArguments()
{
}

void MainWindow::onDocumentRequestClosing(bool)
{
}

void MainWindow::onDocStatusChanged(QString)
{
}

void MainWindow::updateRecentFileActions()
{
}

void MainWindow::recentFileOpen()
{
}

void MainWindow::onHelpContents()
{
}

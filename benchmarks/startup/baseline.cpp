// The baseline of the start-up benchmark: an empty main window in a program
// that links the same Qt modules as the core plug-in. Like zelto with
// ZELTO_EXIT_WHEN_IDLE=1, it prints the time since it started once the window
// is shown and the event loop is idle, and quits.

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QNetworkAccessManager>
#include <QTimer>
#include <QWebChannel>
#include <QWebSocketServer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QElapsedTimer timer;
    timer.start();
    // Reference each module so that the linker keeps them all, as the core
    // plug-in does, without doing any of their work. The array is volatile:
    // otherwise the optimiser drops the unused references, the linker's
    // --as-needed then drops the modules, and the baseline would not pay for
    // loading and relocating them as zelto does.
    const QMetaObject *const volatile linked[] = {&QNetworkAccessManager::staticMetaObject,
                                   &QWebSocketServer::staticMetaObject, &QWebChannel::staticMetaObject};
    Q_UNUSED(linked);

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1024, 768);
    window.show();
    QTimer::singleShot(0, [&timer] {
        std::printf("baseline: idle after %.1f ms\n", double(timer.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}

#include "core/coreplugin.h"
#include "core/documents/editormanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"

#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

// The instance entry Q_PLUGIN_METADATA generates for the plug-in.
extern "C" QObject *qt_plugin_instance();

namespace {

// Sees which absolute paths a handed-over command line would open.
class RecordingCorePlugin : public CorePlugin
{
public:
    QStringList opened;

protected:
    void openFiles(const QStringList &lstFileNames) override { opened << lstFileNames; }
};

} // namespace

class tst_CorePlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void instanceEntryKeepsOneObject();
    void lifecycle();
    void secondInstanceResolvesPaths_data();
    void secondInstanceResolvesPaths();
    void secondInstanceRaisesWindow();
    void fileOpenRequestUsesCurrentDirectory();
    void handOverIsBoundedWithOneBox();

private:
    TestSupport::TestHost m_host;
    QTemporaryDir m_currentDir;
    QTemporaryDir m_workingDir;
    QString m_previousCurrent;
};

void tst_CorePlugin::initTestCase()
{
    QVERIFY(m_currentDir.isValid());
    QVERIFY(m_workingDir.isValid());
    m_previousCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_currentDir.path()));
}

void tst_CorePlugin::cleanupTestCase()
{
    QDir::setCurrent(m_previousCurrent);
}

void tst_CorePlugin::instanceEntryKeepsOneObject()
{
    QPointer<QObject> first = qt_plugin_instance();
    QVERIFY(qobject_cast<CorePlugin *>(first));
    QCOMPARE(qt_plugin_instance(), first.data());
    QVERIFY(ICore::getMainWindow());

    delete first;
    QVERIFY(first.isNull());
    QVERIFY(!ICore::getInstance());
    QVERIFY(!ICore::getMainWindow());

    QPointer<QObject> second = qt_plugin_instance();
    QVERIFY(qobject_cast<CorePlugin *>(second));
    QVERIFY(ICore::getMainWindow());
    QCOMPARE(qt_plugin_instance(), second.data());
    delete second;
}

void tst_CorePlugin::lifecycle()
{
    auto *plugin = new CorePlugin;
    MainWindow *window = ICore::getMainWindow();
    QVERIFY(window);
    QVERIFY(!window->isVisible());

    QString error = QStringLiteral("untouched");
    QVERIFY(plugin->initialize(QStringList{QStringLiteral("ignored.zelto")}, &error));
    QCOMPARE(error, QStringLiteral("untouched"));

    plugin->extensionsInitialized();
    QVERIFY(window->isVisible());
    QVERIFY(plugin->lateInitialize());
    QCOMPARE(plugin->aboutToShutdown(), ExtensionSystem::IPlugin::SynchronousShutdown);
    QCOMPARE(int(plugin->aboutToShutdown()), 0);
    QVERIFY(window->isVisible());

    QPointer<MainWindow> guard(window);
    delete plugin;
    QVERIFY(guard.isNull());
    QVERIFY(!ICore::getInstance());
}

void tst_CorePlugin::secondInstanceResolvesPaths_data()
{
    QTest::addColumn<bool>("useWorkingDir");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected"); // "<cwd>" and "<wd>" are replaced

    QTest::newRow("no working dir, bare name: current dir")
        << false << QStringList{"a.zelto"} << QStringList{"<cwd>/a.zelto"};
    QTest::newRow("working dir given")
        << true << QStringList{"b.zeltopack"} << QStringList{"<wd>/b.zeltopack"};
    QTest::newRow("relative with folder")
        << true << QStringList{"sub/c.zelto"} << QStringList{"<wd>/sub/c.zelto"};
    QTest::newRow("absolute argument ignores working dir")
        << true << QStringList{"/elsewhere/d.zelto"} << QStringList{"/elsewhere/d.zelto"};
    QTest::newRow("each file, in order")
        << true << QStringList{"one.zelto", "/abs/two.zelto", "three.txt"}
        << QStringList{"<wd>/one.zelto", "/abs/two.zelto", "<wd>/three.txt"};
    QTest::newRow("no arguments opens nothing") << true << QStringList() << QStringList();
}

void tst_CorePlugin::secondInstanceResolvesPaths()
{
    QFETCH(bool, useWorkingDir);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);

    const QString cwd = QDir::currentPath();
    const QString wd = QDir(m_workingDir.path()).absolutePath();
    for (QString &path : expected)
        path.replace(QLatin1String("<cwd>"), cwd).replace(QLatin1String("<wd>"), wd);

    RecordingCorePlugin plugin;
    QObject *result = plugin.secondInstanceCommand(QStringList{QStringLiteral("-option")},
                                                   useWorkingDir ? wd : QString(), arguments);
    QVERIFY(!result);
    QCOMPARE(plugin.opened, expected);
}

void tst_CorePlugin::secondInstanceRaisesWindow()
{
    RecordingCorePlugin plugin;
    MainWindow *window = ICore::getMainWindow();
    window->show();
    window->setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);

    plugin.secondInstanceCommand(QStringList(), QString(), QStringList());
    QCOMPARE(window->windowState(), Qt::WindowStates(Qt::WindowMaximized));
    QVERIFY(plugin.opened.isEmpty());
}

void tst_CorePlugin::fileOpenRequestUsesCurrentDirectory()
{
    RecordingCorePlugin plugin;
    plugin.fileOpenRequest(QStringLiteral("project.zeltopack"));
    QCOMPARE(plugin.opened, QStringList{QDir::current().absoluteFilePath(QStringLiteral("project.zeltopack"))});
}

void tst_CorePlugin::handOverIsBoundedWithOneBox()
{
    TestDocumentFactory factory;
    ExtensionSystem::PluginManager::addObject(&factory);
    CorePlugin plugin;
    const QString wd = m_workingDir.path();
    QVERIFY(writeProjectFile(wd + QStringLiteral("/first.zelto")));
    QVERIFY(writeProjectFile(wd + QStringLiteral("/second.zelto")));
    // Another program may name any number of files of any type.
    QStringList names{QStringLiteral("first.zelto"), QStringLiteral("<b>odd</b>.txt"), QStringLiteral("second.zelto")};
    for (int i = names.size(); i < 15000; ++i)
        names << QStringLiteral("file%1.txt").arg(i);

    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    answerer.answer(QMessageBox::Ok); // a second box would fail, not hang
    plugin.secondInstanceCommand(QStringList(), wd, names);
    ExtensionSystem::PluginManager::removeObject(&factory);

    QCOMPARE(EditorManager::getEditors().size(), 2);
    QCOMPARE(answerer.records().size(), 1);
    const QString text = answerer.records().at(0).text;
    QVERIFY2(text.startsWith(QLatin1String("Cannot open these files: their type is not supported.")),
             qPrintable(text));
    QVERIFY(text.contains(QDir::toNativeSeparators(wd + QStringLiteral("/<b>odd</b>.txt"))));
    QVERIFY(text.contains(QLatin1String("and 20 more")));
    QVERIFY(!text.contains(QLatin1String("file40.txt")));
    QVERIFY(text.endsWith(QLatin1String("Only the first 32 of 15000 files were tried; the others were not opened.")));
}

QTEST_MAIN(tst_CorePlugin)
#include "tst_coreplugin.moc"

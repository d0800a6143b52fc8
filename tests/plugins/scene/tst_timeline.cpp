// The timeline of a scene project in a real main window, driven from the
// keyboard as an animator would: keys at the playhead, rows, frames, and the
// editor's panel in a small window.
#include "newscenedialog.h"
#include "sceneanimation.h"
#include "scenedocument.h"
#include "scenedocumentfactory.h"
#include "sceneeditor.h"
#include "sceneeditorwidget.h"
#include "sceneplayer.h"
#include "timelineview.h"
#include "timelinewidget.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/documents/editormanager.h"
#include "core/mainwindow.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <cmath>

class tst_Timeline : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keysAtThePlayhead();
    void timelineFromTheKeyboard();
    void panelKeepsItsFieldsAt640x480();

private:
    SceneEditor *createProject(const QString &strName);
    // Opens the context menu at a point of the timeline and picks the entry
    // at the end of the path of texts.
    bool pickFromMenu(TimelineView *pView, const QPoint &pos, const QStringList &lstPath);

    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
    SceneDocumentFactory *m_pFactory = nullptr;
    QTemporaryDir *m_pDir = nullptr;
};

void tst_Timeline::init()
{
    m_pDir = new QTemporaryDir();
    m_pWindow = new MainWindow();
    m_pFactory = new SceneDocumentFactory();
    ExtensionSystem::PluginManager::addObject(m_pFactory);
    m_pWindow->resize(1200, 800);
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
}

void tst_Timeline::cleanup()
{
    for (IEditor *pEditor : EditorManager::getEditors())
        pEditor->getDocument()->getUndoStack()->setClean();
    m_pWindow->close();
    delete m_pWindow;
    ExtensionSystem::PluginManager::removeObject(m_pFactory);
    delete m_pFactory;
    delete m_pDir;
}

SceneEditor *tst_Timeline::createProject(const QString &strName)
{
    ContextAction *pNew = ActionManager::getAction(QStringLiteral("File.New"));
    if (!pNew)
        return nullptr;
    TestSupport::ModalAnswerer answerer;
    answerer.answerWith([&](QWidget *pWidget) {
        auto *pDialog = qobject_cast<NewSceneDialog *>(pWidget);
        pDialog->setFolder(m_pDir->path());
        pDialog->setProjectName(strName);
        pDialog->setStage(800, 600, 30, false);
        pDialog->accept();
    });
    pNew->getAction()->trigger();
    answerer.waitForAnswers(1);
    auto *pEditor = qobject_cast<SceneEditor *>(EditorManager::activeEditor());
    if (pEditor) {
        m_pWindow->activateWindow();
        if (!QTest::qWaitForWindowActive(m_pWindow))
            qWarning("The main window did not become active");
    }
    return pEditor;
}

bool tst_Timeline::pickFromMenu(TimelineView *pView, const QPoint &pos, const QStringList &lstPath)
{
    bool bPicked = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&]() {
        auto *pMenu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!pMenu)
            return;

        QMenu *pLevel = pMenu;
        for (const QString &strText : lstPath) {
            const QList<QAction *> lstActions = pLevel->actions();
            const auto it = std::find_if(lstActions.begin(), lstActions.end(),
                                         [&](QAction *pAction) { return pAction->text().remove(QLatin1Char('&')) == strText; });
            if (it == lstActions.end())
                break;
            if ((*it)->menu()) {
                pLevel = (*it)->menu();
            } else {
                (*it)->trigger();
                bPicked = true;
            }
        }
        poll.stop();
        pMenu->close();
    });
    poll.start(10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, pView->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(pView->viewport(), &event);
    return bPicked;
}

void tst_Timeline::keysAtThePlayhead()
{
    SceneEditor *pEditor = createProject(QStringLiteral("keys"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    QUndoStack *pStack = pDocument->getUndoStack();
    TimelineView *pView = pWidget->timeline()->view();
    const auto item = [pDocument](int n) { return pDocument->project().m_lstScenes[0].lstItems.at(n); };
    pWidget->addRectangle();
    pWidget->addEllipse();
    pWidget->view()->setFocus();
    QTRY_VERIFY(pWidget->view()->hasFocus());

    // K keys every property of the selection, on the frame the playhead is on.
    ContextAction *pAdd = ActionManager::getAction(QStringLiteral("Scene.Add_Keyframe"));
    QVERIFY2(pAdd, "no command Scene.Add_Keyframe");
    QCOMPARE(pAdd->getKeySequence(), QKeySequence(Qt::Key_K));
    pWidget->setTime(1.01);
    QTest::keyClick(pWidget->view(), Qt::Key_K);
    for (int p = 0; p < SceneItem::PropertyCount; ++p) {
        QCOMPARE(item(1).tracks[p].size(), 1);
        QCOMPARE(item(1).tracks[p].at(0).dTime, 1.0);
        QCOMPARE(item(1).tracks[p].at(0).value, item(1).baseValue(SceneItem::Property(p)));
    }
    QVERIFY(!item(0).isAnimated());
    QCOMPARE(pWidget->time(), 1.0);
    QCOMPARE(pStack->undoText(), QStringLiteral("Add Keyframes"));

    // The row menu keys at the playhead too, not where it was clicked, and
    // position as x and y together.
    pWidget->selectIds({QStringLiteral("item1")});
    pWidget->setTime(2);
    QVERIFY(pickFromMenu(pView, pView->diamondCenter(QStringLiteral("item1"), -1, 0.5),
                         {QStringLiteral("Add Keyframe"), QStringLiteral("Position")}));
    QCOMPARE(item(0).tracks[SceneItem::X].size(), 1);
    QCOMPARE(item(0).tracks[SceneItem::X].at(0).dTime, 2.0);
    QCOMPARE(item(0).tracks[SceneItem::Y].size(), 1);
    QCOMPARE(item(0).tracks[SceneItem::Y].at(0).dTime, 2.0);
    QVERIFY(item(0).tracks[SceneItem::Width].isEmpty());
    QCOMPARE(pStack->undoText(), QStringLiteral("Add Keyframes"));
    QVERIFY(pickFromMenu(pView, pView->diamondCenter(QStringLiteral("item1"), SceneItem::Y, 4),
                         {QStringLiteral("Add Keyframe")}));
    QCOMPARE(item(0).tracks[SceneItem::X].size(), 1);   // the playhead is still at 2 s

    // A move on the stage that keys x keys y there too.
    pWidget->setTime(3);
    pWidget->view()->setFocus();
    QTRY_VERIFY(pWidget->view()->hasFocus());
    QTest::keyClick(pWidget->view(), Qt::Key_Right);
    QCOMPARE(item(0).tracks[SceneItem::X].size(), 2);
    QCOMPARE(item(0).tracks[SceneItem::Y].size(), 2);
    QCOMPARE(item(0).tracks[SceneItem::Y].at(1).dTime, 3.0);

    // Delete in the timeline deletes the selected keys, not the items.
    pView->setFocus();
    QTRY_VERIFY(pView->hasFocus());
    pView->selectKeyframes(QStringLiteral("item1"), SceneItem::X, 3);
    QVERIFY(pView->hasSelectedKeyframes());
    QTest::keyClick(pView, Qt::Key_Delete);
    QCOMPARE(item(0).tracks[SceneItem::X].size(), 1);
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 2);
    QCOMPARE(pStack->undoText(), QStringLiteral("Delete Keyframe"));
    QVERIFY(!pView->hasSelectedKeyframes());

    // A dragged key lands on a frame, also one that was between two.
    QList<SceneItem> lstItems = pDocument->project().m_lstScenes[0].lstItems;
    lstItems[0].tracks[SceneItem::Y] = {{1.013, 100, Keyframe::Linear}};
    pDocument->changeItems(QStringLiteral("Off the frames"), 0, lstItems);
    const QPoint from = pView->diamondCenter(QStringLiteral("item1"), SceneItem::Y, 1.013);
    QVERIFY(!from.isNull());
    const QPoint to = from + QPoint(qRound(pView->zoom() * 0.5), 0);
    QTest::mousePress(pView->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, pView->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(pView->viewport(), &move);
    QTest::mouseRelease(pView->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    const double dFrames = item(0).tracks[SceneItem::Y].at(0).dTime * 30;
    QCOMPARE(dFrames, std::round(dFrames));
    QCOMPARE(qRound(dFrames), 45);
    QCOMPARE(pStack->undoText(), QStringLiteral("Move Keyframe"));

    // Each easing has a look of its own on the item's row.
    pWidget->selectIds({QStringLiteral("item2")});
    QList<QImage> lstLooks;
    for (Keyframe::Easing easing : SceneAnimation::easings()) {
        pView->selectKeyframes(QStringLiteral("item2"), -1, 1);
        pView->setSelectedEasing(easing);
        pView->clearKeyframeSelection();
        const QPoint center = pView->diamondCenter(QStringLiteral("item2"), -1, 1);
        const QImage look = pView->viewport()->grab(QRect(center - QPoint(8, 8), QSize(17, 17))).toImage();
        QVERIFY2(!lstLooks.contains(look), qPrintable(SceneAnimation::easingName(easing)));
        lstLooks.append(look);
    }
    QCOMPARE(pStack->undoText(), QStringLiteral("Set Easing"));
}

void tst_Timeline::timelineFromTheKeyboard()
{
    SceneEditor *pEditor = createProject(QStringLiteral("keyboard"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    TimelineView *pView = pWidget->timeline()->view();
    pWidget->addRectangle();
    pWidget->addEllipse();
    pWidget->addText();

    pView->setFocus();
    QTRY_VERIFY(pView->hasFocus());

    // Up and Down go from row to row and select the row's item; the front item comes first.
    QCOMPARE(pView->currentRowItem(), QStringLiteral("item3"));
    QTest::keyClick(pView, Qt::Key_Down);
    QCOMPARE(pWidget->selectedIds(), QStringList{"item2"});
    QTest::keyClick(pView, Qt::Key_Down);
    QTest::keyClick(pView, Qt::Key_Down);
    QCOMPARE(pWidget->selectedIds(), QStringList{"item1"});
    QTest::keyClick(pView, Qt::Key_Up);
    QCOMPARE(pWidget->selectedIds(), QStringList{"item2"});
    QCOMPARE(pView->currentRowItem(), QStringLiteral("item2"));
    // Page Down passes the rows of a keyed item's properties.
    QTest::keyClick(pView, Qt::Key_K);
    QTest::keyClick(pView, Qt::Key_PageDown);
    QCOMPARE(pWidget->selectedIds(), QStringList{"item1"});
    QTest::keyClick(pView, Qt::Key_PageUp);
    QCOMPARE(pWidget->selectedIds(), QStringList{"item2"});

    // Left and Right step a frame, with Shift ten; Home and End go to the ends.
    QTest::keyClick(pView, Qt::Key_Right);
    QCOMPARE(qRound(pWidget->time() * 30), 1);
    QTest::keyClick(pView, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(qRound(pWidget->time() * 30), 11);
    QTest::keyClick(pView, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(pView, Qt::Key_Left);
    QTest::keyClick(pView, Qt::Key_Left);
    QCOMPARE(pWidget->time(), 0.0);
    QTest::keyClick(pView, Qt::Key_End);
    QCOMPARE(pWidget->time(), pWidget->scene().dDuration);
    QTest::keyClick(pView, Qt::Key_Home);
    QCOMPARE(pWidget->time(), 0.0);

    // On the stage, the arrow keys keep moving the selection.
    const auto x = [pDocument]() { return pDocument->project().m_lstScenes[0].lstItems.at(1).stateAt(0).rect.x(); };
    const double dX = x();
    pWidget->view()->setFocus();
    QTRY_VERIFY(pWidget->view()->hasFocus());
    QTest::keyClick(pWidget->view(), Qt::Key_Right);
    QCOMPARE(x(), dX + 1);
    QCOMPARE(pWidget->time(), 0.0);

    // Every command of the timeline is one a user finds and can give a key.
    const QStringList lstIds{
        "Scene.Add_Keyframe", "Scene.Previous_Frame", "Scene.Next_Frame", "Scene.Go_To_Start",
        "Scene.Go_To_End", "Scene.Play_Pause", "Scene.Stop", "Scene.Loop", "Scene.Auto_Key",
        "Scene.Add_Scene", "Scene.Duplicate_Scene", "Scene.Rename_Scene", "Scene.Delete_Scene",
        "Scene.Move_Scene_Earlier", "Scene.Move_Scene_Later"};
    pView->setFocus();
    QTRY_VERIFY(pView->hasFocus());
    for (const QString &strId : lstIds) {
        ContextAction *pCommand = ActionManager::getAction(strId);
        QVERIFY2(pCommand, qPrintable(strId));
        QVERIFY2(!pCommand->getDescription().isEmpty(), qPrintable(strId));
    }
    ActionManager::getAction(QStringLiteral("Scene.Loop"))->getAction()->trigger();
    QVERIFY(pDocument->project().m_bLoop);
    ActionManager::getAction(QStringLiteral("Scene.Auto_Key"))->getAction()->trigger();
    QVERIFY(pWidget->isAutoKey());
    ActionManager::getAction(QStringLiteral("Scene.Add_Scene"))->getAction()->trigger();
    QCOMPARE(pDocument->project().m_lstScenes.size(), 2);
    ActionManager::getAction(QStringLiteral("Scene.Move_Scene_Earlier"))->getAction()->trigger();
    QCOMPARE(pWidget->currentScene(), 0);
    pDocument->getUndoStack()->undo();
    pDocument->getUndoStack()->undo();
    QTRY_COMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 3);

    // Tab reaches every control of the editor, the buttons of both toolbars included.
    pWidget->selectIds({QStringLiteral("item3")});   // a text: every field of the panel is in use
    QSet<QWidget *> setReached;
    for (int i = 0; i < 120 && QApplication::focusWidget(); ++i) {
        setReached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QList<QWidget *> lstControls;
    for (QToolBar *pToolBar : pWidget->findChildren<QToolBar *>()) {
        for (QAction *pAction : pToolBar->actions()) {
            QWidget *pButton = pToolBar->widgetForAction(pAction);
            if (pButton && pButton->isVisible() && pButton->isEnabled() && !pAction->isSeparator()
                && (qobject_cast<QToolButton *>(pButton) || pButton->focusPolicy() != Qt::NoFocus))
                lstControls.append(pButton);
        }
    }
    QVERIFY(lstControls.size() >= 14);
    for (QWidget *pControl : pWidget->findChildren<QWidget *>()) {
        if (pControl->isVisible() && pControl->isEnabled() && (pControl->focusPolicy() & Qt::TabFocus))
            lstControls.append(pControl);
    }
    for (QWidget *pControl : qAsConst(lstControls)) {
        while (pControl->focusProxy())
            pControl = pControl->focusProxy();
        QString strName = pControl->objectName().isEmpty() ? QString::fromLatin1(pControl->metaObject()->className())
                                                            : pControl->objectName();
        if (auto *pButton = qobject_cast<QToolButton *>(pControl))
            strName += QLatin1Char(' ') + pButton->text();
        QVERIFY2(setReached.contains(pControl), qPrintable(strName));
    }

    // In German, Loop is not the word for Redo.
    QTranslator german;
    QVERIFY(german.load(qEnvironmentVariable("ZELTO_BUILD_DIR") + QStringLiteral("/bin/translations/zelto_de.qm")));
    const QString strRedo = german.translate("UndoRedoCommands", "&Redo").remove(QLatin1Char('&'));
    QVERIFY(!strRedo.isEmpty());
    QVERIFY(german.translate("TimelineWidget", "Loop") != strRedo);
}

void tst_Timeline::panelKeepsItsFieldsAt640x480()
{
    m_pWindow->resize(640, 480);
    SceneEditor *pEditor = createProject(QStringLiteral("small"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneEditorWidget *pWidget = pEditor->getWidget();
    pWidget->addText();
    QTRY_COMPARE(m_pWindow->size(), QSize(640, 480));
    QWidget *pPanel = pWidget->findChild<QWidget *>(QStringLiteral("m_pPropertyPanel"));
    QVERIFY(pPanel);
    auto *pScroll = qobject_cast<QScrollArea *>(pPanel->parentWidget() ? pPanel->parentWidget()->parentWidget() : nullptr);
    QVERIFY2(pScroll, "the panel sits in no scroll area");
    QVERIFY2(pScroll->viewport()->height() < pPanel->height(), "the window is not small enough to need the scroll area");
    QList<QWidget *> lstFields;
    for (QAbstractSpinBox *pSpin : pPanel->findChildren<QAbstractSpinBox *>())
        lstFields.append(pSpin);
    QCOMPARE(lstFields.size(), 7);
    lstFields << pPanel->findChild<QLineEdit *>(QStringLiteral("m_pTextEdit")) << pPanel->findChild<QPushButton *>();
    for (QWidget *pField : qAsConst(lstFields)) {
        QVERIFY2(pField->width() >= pField->sizeHint().width() && pField->height() >= pField->sizeHint().height(),
                 qPrintable(QStringLiteral("%1: %2x%3 for %4x%5")
                                .arg(pField->objectName())
                                .arg(pField->width())
                                .arg(pField->height())
                                .arg(pField->sizeHint().width())
                                .arg(pField->sizeHint().height())));
    }
    // The last field can be scrolled to.
    pScroll->ensureWidgetVisible(lstFields.constLast());
    QVERIFY(pScroll->viewport()->rect().contains(lstFields.constLast()->geometry().translated(pPanel->pos()).center()));

    // The wheel over a field the user has not chosen scrolls the panel and
    // leaves the field's value alone; over the field with the focus it
    // changes the value.
    auto *pWidth = pPanel->findChild<QAbstractSpinBox *>(QStringLiteral("m_pWidthSpin"));
    QVERIFY(pWidth);
    pScroll->verticalScrollBar()->setValue(pScroll->verticalScrollBar()->maximum());
    const QString strWidth = pWidth->text();
    const auto wheel = [&] {
        QWheelEvent event(QPointF(5, 5), QPointF(pWidth->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(pWidth, &event);
    };
    wheel();
    QCOMPARE(pWidth->text(), strWidth);
    QVERIFY(pScroll->verticalScrollBar()->value() < pScroll->verticalScrollBar()->maximum());
    pWidth->setFocus();
    QTRY_VERIFY(pWidth->hasFocus());
    wheel();
    QVERIFY(pWidth->text() != strWidth);
}

QTEST_MAIN(tst_Timeline)
#include "tst_timeline.moc"

#pragma once

#include "sceneitem.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QAction;
class QDoubleSpinBox;
class QGraphicsItem;
class QGraphicsScene;
class QGraphicsView;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolBar;
QT_END_NAMESPACE

class SceneDocument;

// The stage of a scene project: a graphics view in which items are added,
// selected, dragged and deleted, and a property panel for exact position,
// size, text and colour. The widget never changes the project itself: every
// edit becomes one undoable change of the document, and the view is redrawn
// from the document whenever its data changes.
class SceneEditorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit SceneEditorWidget(SceneDocument *pDocument, QWidget *parent = nullptr);
    ~SceneEditorWidget() override;

    SceneDocument *document() const { return m_pDocument; }
    QGraphicsView *view() const { return m_pView; }
    QStringList selectedIds() const;
    void selectIds(const QStringList &lstIds);
    // Guide lines currently drawn for the breakpoints.
    int guideCount() const { return m_nGuideCount; }

public slots:
    void addRectangle();
    void addEllipse();
    void addText();
    void addImage();
    bool addImageFile(const QString &strFile);
    void deleteSelected();
    // Moves the selected items by the given offset as one step.
    void moveSelected(qreal dx, qreal dy);
    void setSelectedGeometry(const QRectF &rect);
    void rebuild();

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private slots:
    void onSelectionChanged();
    void commitDrag();
    void commitProperties();
    void chooseFill();
    void fitStage();

private:
    void addItem(SceneItem item, const QString &strText);
    QGraphicsItem *createGraphicsItem(const SceneItem &item);
    void drawGuides();
    void updatePropertyPanel();

    // Not owned. The editor may be deleted later than its document, so the
    // pointer clears itself and every entry point checks it.
    QPointer<SceneDocument> m_pDocument;
    QGraphicsScene *m_pScene;
    QGraphicsView *m_pView;
    QToolBar *m_pToolBar;
    QAction *m_pDeleteAction;
    QAction *m_pGuidesAction;
    QDoubleSpinBox *m_pXSpin;
    QDoubleSpinBox *m_pYSpin;
    QDoubleSpinBox *m_pWidthSpin;
    QDoubleSpinBox *m_pHeightSpin;
    QLineEdit *m_pTextEdit;
    QSpinBox *m_pFontSpin;
    QPushButton *m_pFillButton;
    QWidget *m_pPropertyPanel;
    QHash<QString, QGraphicsItem *> m_hashItems;   // owned by the scene
    bool m_bRebuilding = false;
    bool m_bUpdatingPanel = false;
    int m_nGuideCount = 0;
};

#pragma once

#include "keyframe.h"
#include "sceneitem.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QPointer>

class SceneEditorWidget;

// The keyframes of the current scene over time: a ruler with the playhead
// at the top, then a row per item (the front item first) with a diamond at
// every time one of its properties has a keyframe, and, under each selected
// item, a row per animated property.
//
// Clicking the ruler moves the playhead; keys are selected by clicking,
// dragged in time (they land on frames) and deleted with the Delete key; their
// context menu sets the easing, and each key's shape shows it. Up and Down
// go from row to row, selecting the row's item, Page Up and Page Down from
// item to item; Shift with Left or Right moves the playhead ten frames. An
// item's row hides or locks it with the toggles at the end of its label,
// renames it on a double click and offers the item's commands in its context
// menu. Every change is one undoable step of the document.
class TimelineView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // A keyframe: the property of an item at a time.
    struct KeyRef
    {
        QString strItemId;
        SceneItem::Property property;
        double dTime;
        bool operator==(const KeyRef &other) const;
    };

    explicit TimelineView(QWidget *parent = nullptr);

    void setEditor(SceneEditorWidget *pEditor);
    // Pixels per second.
    double zoom() const { return m_dZoom; }
    QList<KeyRef> selectedKeyframes() const { return m_lstSelected; }
    // Whether Delete here has keyframes to delete rather than items.
    bool hasSelectedKeyframes() const { return !m_lstSelected.isEmpty(); }
    // The row the keyboard is on: its item, and its property or -1 for the
    // item's own row; an empty id when there is none.
    QString currentRowItem() const { return m_currentRow.strItemId; }
    int currentRowProperty() const { return m_currentRow.nProperty; }
    // Where the diamond of a keyframe is drawn in the viewport, in the item's
    // row (property < 0) or in the property's row; a null point when hidden.
    QPoint diamondCenter(const QString &strItemId, int nProperty, double dTime) const;

public slots:
    void setZoom(double dZoom);
    void zoomIn();
    void zoomOut();
    // Selects the keyframes of an item at a time: of one property, or of all
    // (nProperty < 0). bAdd keeps the selection there was.
    void selectKeyframes(const QString &strItemId, int nProperty, double dTime, bool bAdd = false);
    void clearKeyframeSelection();
    // dOffset seconds later (earlier when negative), as far as the scene allows.
    void moveSelectedKeyframes(double dOffset);
    void deleteSelectedKeyframes();
    void setSelectedEasing(Keyframe::Easing easing);
    // Keys a property of an item at a time with the value it has there
    // (x and y together).
    void addKeyframe(const QString &strItemId, SceneItem::Property property, double dTime);
    // Keys properties of items at the playhead's frame with the values they
    // have there, as one step: every animatable property when lstProperties
    // is empty. The new keys are selected.
    void addKeyframesAtPlayhead(const QStringList &lstItemIds,
                                const QList<SceneItem::Property> &lstProperties = QList<SceneItem::Property>());

protected:
    bool event(QEvent *pEvent) override;
    void paintEvent(QPaintEvent *pEvent) override;
    void resizeEvent(QResizeEvent *pEvent) override;
    void mousePressEvent(QMouseEvent *pEvent) override;
    void mouseMoveEvent(QMouseEvent *pEvent) override;
    void mouseReleaseEvent(QMouseEvent *pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent *pEvent) override;
    void wheelEvent(QWheelEvent *pEvent) override;
    void keyPressEvent(QKeyEvent *pEvent) override;
    void focusInEvent(QFocusEvent *pEvent) override;
    void focusOutEvent(QFocusEvent *pEvent) override;
    void contextMenuEvent(QContextMenuEvent *pEvent) override;

private slots:
    void refresh();

private:
    struct Row
    {
        QString strItemId;
        int nProperty;   // -1: the item's own row
    };
    enum DragMode {
        NoDrag,
        Scrub,
        MoveKeyframes
    };

    const QList<SceneItem> &items() const;
    const SceneItem *item(const QString &strId) const;
    // The times with keyframes in a row, once each, in order.
    QList<double> rowTimes(const Row &row) const;
    double xForTime(double dTime) const;
    double timeForX(double dX) const;
    int rowAt(int nY) const;
    // The hide (0) or lock (1) toggle of an item's row at a point, or -1.
    int toggleAt(const QPoint &pos) const;
    // The keyframe time of the diamond at a point of a row, or a negative number.
    double diamondAt(int nRow, const QPoint &pos) const;
    bool isSelected(const QString &strItemId, int nProperty, double dTime) const;
    double dragOffset() const;
    void updateScrollBars();
    int currentRowIndex() const;
    // Makes a row the keyboard's, selects its item and scrolls it into view.
    void setCurrentRow(int nRow);
    void changeItems(const QString &strText, const QList<SceneItem> &lstItems);

    QPointer<SceneEditorWidget> m_pEditor;
    QList<Row> m_lstRows;
    QList<KeyRef> m_lstSelected;
    Row m_currentRow{QString(), -1};
    double m_dZoom = 100;
    DragMode m_dragMode = NoDrag;
    double m_dDragStart = 0;   // the time under the mouse when a drag began
    double m_dDragKey = 0;     // the time of the key that was grabbed
    double m_dDragTime = 0;    // and now
};

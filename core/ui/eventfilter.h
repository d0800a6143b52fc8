#pragma once

#include <QObject>

// Installed on the application, it reports every activation change so the
// main window and its shadow borders can redraw. It never consumes events.
class EventFilter : public QObject
{
    Q_OBJECT

public:
    explicit EventFilter(QObject *parent);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void activationChangeFiltered();
};

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Plays a scene in the editor: the time of the playhead, moved frame by frame
// at the project's frame rate while playing. Time follows the clock, not the
// number of ticks, so a slow frame is skipped instead of slowing the scene.
class ScenePlayer : public QObject
{
    Q_OBJECT

public:
    explicit ScenePlayer(QObject *parent = nullptr);

    double time() const { return m_dTime; }
    bool isPlaying() const { return m_timer.isActive(); }
    double duration() const { return m_dDuration; }
    int fps() const { return m_nFps; }
    bool isLooping() const { return m_bLoop; }

    void setDuration(double dDuration);
    void setFps(int nFps);
    void setLoop(bool bLoop);
    // The frame time nearest to dTime.
    double snapToFrame(double dTime) const;

public slots:
    void play();
    void pause();
    // Pauses and goes back to the start.
    void stop();
    void togglePlay();
    void setTime(double dTime);

signals:
    void timeChanged(double dTime);
    // After timeChanged when playing stops at the end.
    void playingChanged(bool bPlaying);

private slots:
    void tick();

private:
    void restartClock();

    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_dClockStart = 0;   // the time when the clock was started
    double m_dTime = 0;
    double m_dDuration = 5;
    int m_nFps = 24;
    bool m_bLoop = false;
};

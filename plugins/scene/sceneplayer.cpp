#include "sceneplayer.h"

#include <cmath>

ScenePlayer::ScenePlayer(QObject *parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ScenePlayer::tick);
    setFps(m_nFps);
}

void ScenePlayer::setDuration(double dDuration)
{
    m_dDuration = qMax(0.0, dDuration);
    if (m_dTime > m_dDuration)
        setTime(m_dDuration);
}

void ScenePlayer::setFps(int nFps)
{
    m_nFps = qMax(1, nFps);
    // A tick at least once a frame; the clock decides which frame is shown.
    m_timer.setInterval(qMax(1, int(1000 / m_nFps)));
}

void ScenePlayer::setLoop(bool bLoop)
{
    m_bLoop = bLoop;
}

double ScenePlayer::snapToFrame(double dTime) const
{
    return qBound(0.0, std::round(dTime * m_nFps) / m_nFps, m_dDuration);
}

void ScenePlayer::play()
{
    if (isPlaying())
        return;
    // Playing from the end starts again.
    if (m_dTime >= m_dDuration)
        setTime(0);
    restartClock();
    m_timer.start();
    emit playingChanged(true);
}

void ScenePlayer::pause()
{
    if (!isPlaying())
        return;
    m_timer.stop();
    emit playingChanged(false);
}

void ScenePlayer::stop()
{
    pause();
    setTime(0);
}

void ScenePlayer::togglePlay()
{
    if (isPlaying())
        pause();
    else
        play();
}

void ScenePlayer::setTime(double dTime)
{
    dTime = qBound(0.0, dTime, m_dDuration);
    const bool bChanged = dTime != m_dTime;
    m_dTime = dTime;
    // Playing goes on from the new time.
    if (isPlaying())
        restartClock();
    if (bChanged)
        emit timeChanged(m_dTime);
}

void ScenePlayer::restartClock()
{
    m_dClockStart = m_dTime;
    m_clock.start();
}

void ScenePlayer::tick()
{
    double dTime = m_dClockStart + m_clock.nsecsElapsed() / 1e9;
    // Whole frames only, as the scene's frame rate shows them.
    dTime = std::floor(dTime * m_nFps + 1e-9) / m_nFps;
    if (dTime < m_dDuration) {
        if (dTime != m_dTime) {
            m_dTime = dTime;
            emit timeChanged(m_dTime);
        }
        return;
    }
    if (m_bLoop && m_dDuration > 0) {
        m_dClockStart = 0;
        m_clock.start();
        m_dTime = 0;
        emit timeChanged(m_dTime);
        return;
    }
    m_timer.stop();
    if (m_dTime != m_dDuration) {
        m_dTime = m_dDuration;
        emit timeChanged(m_dTime);
    }
    emit playingChanged(false);
}

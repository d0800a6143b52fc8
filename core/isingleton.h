#pragma once

#include <QAtomicPointer>
#include <QMutex>
#include <QMutexLocker>

// A lazily created process-wide instance. The pointer is atomic so the check
// before taking the lock is a real synchronisation point, not a data race.
// The instance is never deleted; it lives until the process ends.
template <typename T>
class ISingleton
{
public:
    virtual ~ISingleton() = default;

    static T *getInstance()
    {
        T *instance = s_instance.loadAcquire();
        if (instance)
            return instance;
        QMutexLocker locker(&s_mutex);
        instance = s_instance.loadRelaxed();
        if (!instance) {
            instance = new T;
            s_instance.storeRelease(instance);
        }
        return instance;
    }

private:
    static QAtomicPointer<T> s_instance;
    static QMutex s_mutex;
};

template <typename T>
QAtomicPointer<T> ISingleton<T>::s_instance;

template <typename T>
QMutex ISingleton<T>::s_mutex;

#pragma once

#include <QAtomicPointer>
#include <QMutex>
#include <QMutexLocker>

/**
 * A lazily created process-wide instance of @p T, for classes that derive from
 * `ISingleton<T>` and make it a friend (IUi is one).
 *
 * The instance is created on the first getInstance() and never deleted; it
 * lives until the process ends.
 */
// The pointer is atomic so the check before taking the lock is a real
// synchronisation point, not a data race.
template <typename T>
class ISingleton
{
public:
    /** Virtual, so the instance can be handled through its base; the instance itself is never deleted. */
    virtual ~ISingleton() = default;

    /** The one instance, created with `new T` on the first call. Any thread; creation is under a lock. */
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

#pragma once

#include <QByteArray>
#include <QString>

// Sets an environment variable for the lifetime of the object and then puts back what was
// there before (the old value, or no variable at all).
class ScopedEnv {
public:
    ScopedEnv(const QByteArray &name, const QByteArray &value);
    ScopedEnv(const QByteArray &name, const QString &value);
    ScopedEnv(const QByteArray &name, const char *value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

    // Maps COM<number> to a device, e.g. the simulator's link path.
    static QByteArray comVariable(int number);

private:
    QByteArray name_;
    QByteArray previous_;
    bool hadPrevious_ = false;
};

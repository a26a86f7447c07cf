#include "scopedenv.h"

#include <QtGlobal>

ScopedEnv::ScopedEnv(const QByteArray &name, const QByteArray &value)
    : name_(name), previous_(qgetenv(name.constData())),
      hadPrevious_(qEnvironmentVariableIsSet(name.constData())) {
    qputenv(name_.constData(), value);
}

ScopedEnv::ScopedEnv(const QByteArray &name, const QString &value)
    : ScopedEnv(name, value.toLocal8Bit()) {}

ScopedEnv::ScopedEnv(const QByteArray &name, const char *value)
    : ScopedEnv(name, QByteArray(value)) {}

ScopedEnv::~ScopedEnv() {
    if (hadPrevious_)
        qputenv(name_.constData(), previous_);
    else
        qunsetenv(name_.constData());
}

QByteArray ScopedEnv::comVariable(int number) {
    return "RV44_COM" + QByteArray::number(number);
}

#include "commap.h"
#include "scopedenv.h"

#include <gtest/gtest.h>

namespace {

SerialDevice uart(const QString &path) {
    return {path, false, QString()};
}
SerialDevice adapter(const QString &path) {
    return {path, true, QStringLiteral("USB adapter")};
}

QList<int> numbers(const ComMap &map) {
    QList<int> result;
    for (const ComPort &port : map.ports())
        result.append(port.number);
    return result;
}

} // namespace

TEST(ComMap, UartsKeepTheirNumberAndAdaptersFillTheGapsInNameOrder) {
    const QList<SerialDevice> present = {
        adapter(QStringLiteral("/dev/ttyUSB1")), uart(QStringLiteral("/dev/ttyS1")),
        adapter(QStringLiteral("/dev/ttyACM0")), uart(QStringLiteral("/dev/ttyS0")),
        adapter(QStringLiteral("/dev/ttyUSB0")),
    };
    const ComMap map = ComMap::build(QProcessEnvironment(), present);
    EXPECT_FALSE(map.fromEnvironment());
    EXPECT_EQ(numbers(map), QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(map.devicePath(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(map.devicePath(2), QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(map.devicePath(3), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(map.devicePath(4), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(map.devicePath(5), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_TRUE(map.ports().at(2).usb);
    EXPECT_EQ(map.ports().at(2).description, QStringLiteral("USB adapter"));
}

TEST(ComMap, AnAdapterAloneIsComOneEvenBesideAHighUart) {
    const ComMap map =
        ComMap::build(QProcessEnvironment(), {uart(QStringLiteral("/dev/ttyS4")),
                                              adapter(QStringLiteral("/dev/ttyUSB0"))});
    EXPECT_EQ(map.devicePath(1), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(map.devicePath(5), QStringLiteral("/dev/ttyS4"));
    EXPECT_TRUE(map.devicePath(2).isEmpty());
}

TEST(ComMap, OtherDevicesAndOutOfRangeUartsGetNoNumber) {
    const ComMap map = ComMap::build(QProcessEnvironment(), {uart(QStringLiteral("/dev/ttyS255")),
                                                             uart(QStringLiteral("/dev/ttyAMA0")),
                                                             uart(QStringLiteral("/dev/ttyS254"))});
    EXPECT_EQ(numbers(map), QList<int>({255}));
    EXPECT_EQ(map.devicePath(255), QStringLiteral("/dev/ttyS254"));
}

TEST(ComMap, EnvironmentNamesExactlyThePorts) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("RV44_COM3"), QStringLiteral("/tmp/sim/ttyRV"));
    env.insert(QStringLiteral("RV44_COM12"), QStringLiteral("/dev/ttyUSB0"));
    env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin"));
    const ComMap map = ComMap::build(env, {uart(QStringLiteral("/dev/ttyS0"))});
    EXPECT_TRUE(map.fromEnvironment());
    EXPECT_EQ(numbers(map), QList<int>({3, 12}));
    EXPECT_EQ(map.devicePath(3), QStringLiteral("/tmp/sim/ttyRV"));
    EXPECT_TRUE(map.devicePath(1).isEmpty());
}

TEST(ComMap, BadEnvironmentEntriesAreSkipped) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("RV44_COM0"), QStringLiteral("/dev/ttyUSB0"));
    env.insert(QStringLiteral("RV44_COM256"), QStringLiteral("/dev/ttyUSB0"));
    env.insert(QStringLiteral("RV44_COMX"), QStringLiteral("/dev/ttyUSB0"));
    env.insert(QStringLiteral("RV44_COM2"), QStringLiteral("ttyUSB0"));
    env.insert(QStringLiteral("RV44_COM4"), QStringLiteral("/dev/ttyUSB1"));
    const ComMap map = ComMap::build(env, {uart(QStringLiteral("/dev/ttyS0"))});
    EXPECT_TRUE(map.fromEnvironment());
    EXPECT_EQ(numbers(map), QList<int>({4}));
}

TEST(ComMap, OnlyBadEnvironmentEntriesFallBackToTheDevices) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("RV44_COM2"), QStringLiteral("relative/path"));
    const ComMap map = ComMap::build(env, {uart(QStringLiteral("/dev/ttyS0"))});
    EXPECT_FALSE(map.fromEnvironment());
    EXPECT_EQ(map.devicePath(1), QStringLiteral("/dev/ttyS0"));
}

TEST(ComMap, TheSystemMapReadsTheProcessEnvironment) {
    ScopedEnv com9(ScopedEnv::comVariable(9), QByteArray("/tmp/sim/ttyRV44"));
    const ComMap map = ComMap::fromSystem();
    EXPECT_TRUE(map.fromEnvironment());
    EXPECT_EQ(map.devicePath(9), QStringLiteral("/tmp/sim/ttyRV44"));
}

#include "scopedenv.h"
#include "simprocess.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(ScopedEnv, PutsBackWhatWasThereBefore) {
    const QByteArray name = ScopedEnv::comVariable(42);
    EXPECT_EQ(name, "RV44_COM42");
    ASSERT_FALSE(qEnvironmentVariableIsSet(name.constData()));
    {
        ScopedEnv outer(name, "/dev/first");
        {
            ScopedEnv inner(name, QString("/dev/second"));
            EXPECT_EQ(qgetenv(name.constData()), "/dev/second");
        }
        EXPECT_EQ(qgetenv(name.constData()), "/dev/first");
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet(name.constData()));

    // An empty value is still a value and must come back as one.
    qputenv(name.constData(), "");
    { ScopedEnv temporary(name, "/dev/x"); }
    EXPECT_TRUE(qEnvironmentVariableIsSet(name.constData()));
    qunsetenv(name.constData());
}

TEST(SimProcessTrace, FramesSkipStrayBytesAndAHalfWrittenLine) {
    SimProcess sim;
    EXPECT_TRUE(sim.frames().isEmpty()) << "no trace yet";
    QFile trace(sim.tracePath());
    ASSERT_TRUE(trace.open(QIODevice::WriteOnly));
    trace.write("34 01\n?? 7F\n36\n35 00 0");
    trace.close();
    EXPECT_EQ(sim.frames(), (QList<QByteArray>{QByteArray("\x34\x01", 2), "\x36"}));
    EXPECT_TRUE(sim.flash(0).isEmpty());
}

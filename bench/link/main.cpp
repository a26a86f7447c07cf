// Times write-frame round trips through the device link against a bare POSIX loop on the same
// kind of pseudo-terminal, and the CPU a silent reply wait uses. On a busy machine, pinning to
// one CPU (taskset -c 0) keeps cross-CPU wake-ups from swamping the difference.
#include "cputime.h"
#include "devicelink.h"
#include "fakes.h"
#include "ptypeer.h"
#include "qtserialport.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <numeric>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const int FrameCount = 2000;
const int Rounds = 400; // the two loops take turns, so drift in machine load hits both alike
const QByteArray Reply("Written OK\r\n");

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Summary {
    double meanUs = 0;
    double medianUs = 0;
};

// The median resists the scheduler hiccups of a shared machine; the mean shows them.
Summary summarise(std::vector<double> times) {
    Summary summary;
    if (times.empty())
        return summary;
    std::sort(times.begin(), times.end());
    summary.medianUs = times[times.size() / 2] * 1e6;
    summary.meanUs = std::accumulate(times.begin(), times.end(), 0.0) / times.size() * 1e6;
    return summary;
}

double threadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Bytes writeFrame(int block) {
    Bytes frame(134, ' ');
    frame[0] = 0x35;
    frame[5] = static_cast<char>(128);
    for (int i = 0; i < 128; ++i)
        frame[6 + i] = static_cast<char>(block + i);
    return frame;
}

class LinkLoop {
public:
    explicit LinkLoop(const QString &path) : port_(mapFor(path)), link_(port_, boxes_, end_) {
        ok_ = link_.ConnectDevice(QStringLiteral("/COM1"), QStringLiteral("bench"), {});
        link_.SetLineBreak(false);
    }
    bool ok() const { return ok_; }
    // Adds the seconds of each round trip to times; false when a reply went missing.
    bool run(int count, std::vector<double> &times) {
        for (int i = 0; i < count; ++i) {
            const Bytes frame = writeFrame(i);
            const Clock::time_point start = Clock::now();
            link_.SendFrame(frame);
            if (!link_.WaitForReply(QStringLiteral("Written OK"), 1.0f).isEmpty())
                return false;
            times.push_back(secondsSince(start));
        }
        return true;
    }
    DeviceLink &link() { return link_; }

private:
    static ComMap mapFor(const QString &path) {
        QProcessEnvironment env;
        env.insert(QStringLiteral("RV44_COM1"), path);
        return ComMap::build(env, {});
    }
    QtSerialPort port_;
    RecordingBoxes boxes_;
    RecordingEnd end_;
    DeviceLink link_;
    bool ok_ = false;
};

class BareLoop {
public:
    explicit BareLoop(const QString &path) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::cfsetspeed(&tio, B115200);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~BareLoop() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    bool run(int count, std::vector<double> &times) {
        for (int i = 0; i < count; ++i) {
            const Bytes frame = writeFrame(i);
            const Clock::time_point start = Clock::now();
            if (::write(fd_, frame.constData(), frame.size()) != frame.size() || !awaitReply())
                return false;
            times.push_back(secondsSince(start));
        }
        return true;
    }

private:
    bool awaitReply() {
        QByteArray got;
        while (!got.contains(Reply)) {
            pollfd pfd{fd_, POLLIN, 0};
            if (::poll(&pfd, 1, 1000) <= 0)
                return false;
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, n);
        }
        return true;
    }
    int fd_ = -1;
};

int roundTrips() {
    PtyPeer linkPeer;
    PtyPeer barePeer;
    if (!linkPeer.ok() || !barePeer.ok()) {
        std::fprintf(stderr, "bench_link: no pseudo-terminal\n");
        return 1;
    }
    linkPeer.startResponder(134, Reply);
    barePeer.startResponder(134, Reply);
    LinkLoop link(linkPeer.devicePath());
    BareLoop bare(barePeer.devicePath());
    if (!link.ok() || !bare.ok()) {
        std::fprintf(stderr, "bench_link: cannot open the pseudo-terminals\n");
        return 1;
    }
    std::vector<double> warmUp, linkTimes, bareTimes;
    link.run(100, warmUp);
    bare.run(100, warmUp);
    double bareCpu = 0, linkCpu = 0;
    for (int round = 0; round < Rounds; ++round) {
        const double beforeBare = threadCpuSeconds();
        const bool bareOk = bare.run(FrameCount / Rounds, bareTimes);
        const double beforeLink = threadCpuSeconds();
        const bool linkOk = link.run(FrameCount / Rounds, linkTimes);
        bareCpu += beforeLink - beforeBare;
        linkCpu += threadCpuSeconds() - beforeLink;
        if (!bareOk || !linkOk) {
            std::fprintf(stderr, "bench_link: a reply went missing\n");
            return 1;
        }
    }
    const Summary b = summarise(bareTimes);
    const Summary l = summarise(linkTimes);
    std::printf("round trips (134-byte frame, instant reply), %d frames each:\n", FrameCount);
    std::printf("  %-24s %8.0f frames/s  mean %7.1f us  median %7.1f us\n", "bare write/poll/read",
                1e6 / b.meanUs, b.meanUs, b.medianUs);
    std::printf("  %-24s %8.0f frames/s  mean %7.1f us  median %7.1f us\n",
                "SendFrame+WaitForReply", 1e6 / l.meanUs, l.meanUs, l.medianUs);
    const double added = l.medianUs - b.medianUs;
    std::printf("  added per frame: %.1f us median (%.1f us mean)   target <= 50 us  %s\n", added,
                l.meanUs - b.meanUs, added <= 50 ? "ok" : "OVER");
    // CPU time of the calling thread does not depend on how soon the peer is scheduled.
    std::printf("  CPU per frame (calling thread): bare %.1f us, link %.1f us, added %.1f us\n",
                bareCpu / FrameCount * 1e6, linkCpu / FrameCount * 1e6,
                (linkCpu - bareCpu) / FrameCount * 1e6);
    return 0;
}

int silentWait() {
    PtyPeer peer;
    LinkLoop link(peer.devicePath());
    if (!peer.ok() || !link.ok()) {
        std::fprintf(stderr, "bench_link: cannot open the pseudo-terminal\n");
        return 1;
    }
    const double cpuBefore = ProcessCpuSeconds();
    const Clock::time_point start = Clock::now();
    const Bytes result = link.link().WaitForReply(QStringLiteral("Written OK"), 1.0f);
    const double wall = secondsSince(start);
    const double percent = (ProcessCpuSeconds() - cpuBefore) / wall * 100;
    std::printf("1 s WaitForReply, silent peer: %.3f s wall, CPU %.2f%% of wall (target < 5%%)  "
                "%s  [%s]\n",
                wall, percent, percent < 5 ? "ok" : "OVER", result.constData());
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int status = roundTrips();
    return status != 0 ? status : silentWait();
}

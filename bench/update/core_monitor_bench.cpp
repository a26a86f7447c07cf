// Feeds 10 MB of receiver text to the monitor in 1 KB pieces, as ticks would, and compares the
// work of the late ticks with the early ones; prints peak memory before and after.
#include "monitortext.h"

#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int PieceSize = 1024;
constexpr int PieceCount = 10 * 1024; // 10 MB
constexpr int Window = 1000;

long PeakKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray ReceiverText(int pieceIndex) {
    QByteArray piece;
    piece.reserve(PieceSize);
    int line = pieceIndex * 16;
    while (piece.size() < PieceSize)
        piece += "status " + QByteArray::number(line++) + " temp 41 lock ok rv44 fpga loaded\r\n";
    piece.truncate(PieceSize);
    return piece;
}

double MeanMicros(const std::vector<double> &times, size_t from) {
    double sum = 0;
    for (size_t i = from; i < from + Window; ++i)
        sum += times[i];
    return sum / Window;
}

} // namespace

int main() {
    std::vector<QByteArray> pieces;
    pieces.reserve(64);
    for (int i = 0; i < 64; ++i)
        pieces.push_back(ReceiverText(i));
    std::vector<double> appendTimes(PieceCount), tickTimes(PieceCount);

    const long peakBefore = PeakKib();
    MonitorText monitor;
    qsizetype shown = 0;
    for (int i = 0; i < PieceCount; ++i) {
        const auto start = std::chrono::steady_clock::now();
        monitor.append(pieces[size_t(i) % pieces.size()]);
        const auto appended = std::chrono::steady_clock::now();
        // A tick also hands the end of the text to the display.
        shown += monitor.tail().size();
        const auto ticked = std::chrono::steady_clock::now();
        appendTimes[size_t(i)] =
            std::chrono::duration<double, std::micro>(appended - start).count();
        tickTimes[size_t(i)] = std::chrono::duration<double, std::micro>(ticked - start).count();
    }
    const long peakAfter = PeakKib();

    const double firstAppend = MeanMicros(appendTimes, 0);
    const double lastAppend = MeanMicros(appendTimes, PieceCount - Window);
    const double firstTick = MeanMicros(tickTimes, 0);
    const double lastTick = MeanMicros(tickTimes, PieceCount - Window);
    std::printf("monitor: %lld bytes in %d pieces of %d bytes\n",
                static_cast<long long>(monitor.totalBytes()), PieceCount, PieceSize);
    std::printf("append:        first %d %.3f us, last %d %.3f us, ratio %.2f (target <= 1.5)\n",
                Window, firstAppend, Window, lastAppend, lastAppend / firstAppend);
    std::printf("append + tail: first %d %.3f us, last %d %.3f us, ratio %.2f (target <= 1.5)\n",
                Window, firstTick, Window, lastTick, lastTick / firstTick);
    std::printf("peak memory: %ld KiB before, %ld KiB after, growth %ld KiB\n", peakBefore,
                peakAfter, peakAfter - peakBefore);
    std::printf("(shown %lld characters in total)\n", static_cast<long long>(shown));
    return 0;
}

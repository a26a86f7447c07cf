// Repaint time per style and the processor load of blinking labels.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "Glowtag.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMetaEnum>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void repaintTimes(int w, int h) {
    const QMetaEnum styles = QMetaEnum::fromType<Glowtag::EnStyleEtichetta>();
    std::printf("Full repaint of a %dx%d label (mean of 300):\n", w, h);
    double worst = 0;
    for (int style = 0; style < styles.keyCount(); ++style) {
        Glowtag tag;
        tag.initNewInstance(QApplication::font(), QStringLiteral("Bench"));
        tag.resize(w, h);
        tag.setStyle(Glowtag::EnStyleEtichetta(style));
        constexpr int rounds = 300;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < rounds; ++i)
            tag.VisualizzaEtichetta();
        (void)tag.image(); // include finishing the drawing
        const double ms = double(clock.nsecsElapsed()) / 1e6 / rounds;
        worst = ms > worst ? ms : worst;
        std::printf("  %-26s %8.3f ms\n", styles.valueToKey(style), ms);
    }
    std::printf("  worst                      %8.3f ms%s\n", worst,
                w * h >= 473 * 270 ? "   (target < 2 ms)" : "");
}

void blinkLoad() {
    QWidget window;
    window.resize(640, 400);
    std::vector<Glowtag *> labels;
    for (int i = 0; i < 10; ++i) {
        auto *tag = new Glowtag(&window);
        tag->initNewInstance(QApplication::font(), QStringLiteral("Blink %1").arg(i));
        tag->setGeometry(10 + (i % 2) * 310, 10 + (i / 2) * 75, 300, 65);
        tag->setStyle(Glowtag::EnStyleEtichetta(1 + i % 6));
        tag->setTimerColore(50);
        labels.push_back(tag);
    }
    window.show();
    QApplication::processEvents();

    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(3000, qApp, &QApplication::quit);
    QApplication::exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    std::printf("10 labels (300x65) blinking every 50 ms for %.2f s: CPU %.3f s = %.2f %% of one "
                "core (target < 5 %%)\n",
                seconds, cpu, 100.0 * cpu / seconds);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    repaintTimes(473, 270);
    repaintTimes(360, 20);
    blinkLoad();
    return 0;
}

#include <Glowtag.h>
#include <glowtagidentity.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>

// Shows one label; with --quit it closes as soon as the label has been shown.
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Glowtag label;
    label.initNewInstance(app.font(), QStringLiteral("Glowtag1"));
    label.resize(240, 60);
    label.setCaption(QStringLiteral("Installed ") + GlowtagIdentity::LibraryVersion);
    label.show();
    if (app.arguments().contains(QStringLiteral("--quit"))) {
        QTimer::singleShot(0, &app, [&] {
            const QRgb centre = label.image().pixel(120, 30);
            std::printf("label %dx%d centre #%06x\n", label.width(), label.height(),
                        unsigned(centre & 0xFFFFFF));
            app.quit();
        });
    }
    return app.exec();
}

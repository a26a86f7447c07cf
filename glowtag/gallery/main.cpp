// Shows every label style side by side for visual checks.
// glowtag-gallery [--screenshot FILE]: with a file, saves a picture of the window and quits.
#include "Glowtag.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMetaEnum>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

namespace {

Glowtag *makeLabel(QWidget *parent, int style, const QString &caption) {
    auto *tag = new Glowtag(parent);
    tag->initNewInstance(QApplication::font(), caption);
    tag->setMinimumSize(220, 64);
    tag->setStyle(Glowtag::EnStyleEtichetta(style));
    tag->setCaption(caption);
    return tag;
}

QLabel *heading(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

void addStyles(QGridLayout *grid, QWidget *parent) {
    const QMetaEnum styles = QMetaEnum::fromType<Glowtag::EnStyleEtichetta>();
    for (int style = 0; style < styles.keyCount(); ++style) {
        const QString name = QString::fromLatin1(styles.valueToKey(style));
        grid->addWidget(makeLabel(parent, style, QStringLiteral("%1 %2").arg(style).arg(name)),
                        1 + style / 3, style % 3);
    }
}

void addVariants(QGridLayout *grid, QWidget *parent) {
    Glowtag *blinking = makeLabel(parent, Glowtag::Round_Concentric, "Blinking every 50 ms");
    blinking->setTimerColore(50);
    grid->addWidget(blinking, 5, 0);

    Glowtag *rows = makeLabel(parent, Glowtag::Round_Shaded, "Blue rows, border 3");
    rows->setColorBegin(0x00FF8000);
    rows->setColorEnd(0x00FFF0E0);
    rows->setColoreBordo(0x00800000);
    rows->setDimBordo(3);
    rows->setRaggioEtichetta(30);
    grid->addWidget(rows, 5, 1);

    Glowtag *flat = makeLabel(parent, Glowtag::Round_Flat, "Flat, red caption");
    flat->setColoreEtichetta(0x00E0FFFF);
    flat->setColoreCaption(0x000000C0);
    grid->addWidget(flat, 5, 2);

    Glowtag *background = makeLabel(parent, Glowtag::Rect_Raised_Concentric, "473 x 270");
    background->setFixedSize(473, 270);
    grid->addWidget(background, 7, 0, 1, 3, Qt::AlignHCenter);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Glowtag gallery"));
    auto *grid = new QGridLayout(&window);
    grid->addWidget(heading("The nine styles (scheme colours C0C0C0 to FFFFFF)", &window), 0, 0, 1,
                    3);
    addStyles(grid, &window);
    grid->addWidget(heading("Blink and other colours", &window), 4, 0, 1, 3);
    grid->addWidget(heading("Start-up background size", &window), 6, 0, 1, 3);
    addVariants(grid, &window);
    window.show();

    const QStringList args = app.arguments();
    const int at = int(args.indexOf(QStringLiteral("--screenshot")));
    if (at >= 0) {
        if (at + 1 >= args.size()) {
            std::fprintf(stderr, "--screenshot needs a file name\n");
            return 2;
        }
        const QString file = args.at(at + 1);
        QTimer::singleShot(700, &app, [&window, &app, file] {
            if (!window.grab().save(file)) {
                std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
                app.exit(1);
                return;
            }
            app.quit();
        });
    }
    return app.exec();
}

#include "recordingsurface.h"

void RecordingSurface::setPen(const QColor &colour, int width) {
    penColour = colour;
    penWidth = width;
}

void RecordingSurface::roundRect(int left, int top, int right, int bottom, int ew, int eh) {
    calls << QStringLiteral("rr %1 %2 %3 %4 %5 %6 %7")
                 .arg(left)
                 .arg(top)
                 .arg(right)
                 .arg(bottom)
                 .arg(ew)
                 .arg(eh)
                 .arg(pen());
}

void RecordingSurface::line(float x1, float y1, float x2, float y2) {
    calls << QStringLiteral("line %1 %2 %3 %4 %5")
                 .arg(double(x1))
                 .arg(double(y1))
                 .arg(double(x2))
                 .arg(double(y2))
                 .arg(pen());
}

void RecordingSurface::clear(const QColor &colour) {
    calls << QStringLiteral("clear ") + colour.name();
}

void RecordingSurface::refresh() {
    calls << QStringLiteral("refresh");
}

QStringList RecordingSurface::only(const QString &kind) const {
    QStringList out;
    for (const QString &call : calls)
        if (call.startsWith(kind + QLatin1Char(' ')) || call == kind)
            out << call;
    return out;
}

QString RecordingSurface::pen() const {
    return penColour.name() + QLatin1Char(' ') + QString::number(penWidth);
}

QString packedName(int colour) {
    const unsigned c = unsigned(colour);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)).name();
}

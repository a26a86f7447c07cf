#pragma once

#include "glowtagsurface.h"

#include <QColor>
#include <QString>
#include <QStringList>

// Keeps every drawing call as a line of text, each primitive with the pen it was drawn with:
//   "clear #rrggbb", "rr l t r b ew eh #rrggbb w", "line x1 y1 x2 y2 #rrggbb w", "refresh".
class RecordingSurface : public GlowtagSurface {
public:
    void setPen(const QColor &colour, int width) override;
    void roundRect(int left, int top, int right, int bottom, int ew, int eh) override;
    void line(float x1, float y1, float x2, float y2) override;
    void clear(const QColor &colour) override;
    void refresh() override;

    QStringList only(const QString &kind) const;
    int count(const QString &kind) const { return int(only(kind).size()); }

    QStringList calls;
    QColor penColour;
    int penWidth = -1;

private:
    QString pen() const;
};

// "#rrggbb" of a packed 0x00BBGGRR colour, as the recorder spells it.
QString packedName(int colour);

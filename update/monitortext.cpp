#include "monitortext.h"

#include "textrules.h"

namespace {

const QByteArray FModelMarker = "RV44F";
const QByteArray IdMarker = "FPGA Loaded --->(ID=";
const char IdEnd = ')';

// The bytes that could begin a marker split over the next append.
QByteArray MarkerCarry(const QByteArray &text, const QByteArray &marker) {
    return text.right(marker.size() - 1);
}

} // namespace

QString TrovaSt(const QString &St1, const QString &St2, const QString &St3) {
    const qsizetype p = St1.indexOf(St2);
    if (p < 0)
        return QString();
    const QString rest = TrimSpaces(St1.mid(p + St2.size()));
    const qsizetype q = rest.indexOf(St3);
    if (q < 0)
        return QString();
    return TrimSpaces(rest.left(q));
}

void MonitorText::append(const QByteArray &chunk) {
    if (chunk.isEmpty())
        return;
    total_ += chunk.size();
    scanForF(chunk);
    scanForId(chunk);
    keepTail(chunk);
}

void MonitorText::scanForF(const QByteArray &chunk) {
    if (containsF_)
        return;
    const QByteArray window = fCarry_ + chunk.left(FModelMarker.size() - 1);
    if (window.contains(FModelMarker) || chunk.contains(FModelMarker)) {
        containsF_ = true;
        fCarry_.clear();
        return;
    }
    fCarry_ = MarkerCarry(fCarry_ + chunk.right(FModelMarker.size() - 1), FModelMarker);
}

void MonitorText::scanForId(const QByteArray &chunk) {
    QByteArray after;
    if (idState_ == IdState::Searching) {
        const QByteArray head = idCarry_ + chunk.left(IdMarker.size() - 1);
        qsizetype at = head.indexOf(IdMarker);
        if (at >= 0) {
            after = head.mid(at + IdMarker.size()) + chunk.mid(IdMarker.size() - 1);
        } else if ((at = chunk.indexOf(IdMarker)) >= 0) {
            after = chunk.mid(at + IdMarker.size());
        } else {
            idCarry_ = MarkerCarry(idCarry_ + chunk.right(IdMarker.size() - 1), IdMarker);
            return;
        }
        idCarry_.clear();
        idState_ = IdState::Pending;
    } else if (idState_ == IdState::Pending) {
        after = chunk;
    } else {
        return;
    }
    const qsizetype end = after.indexOf(IdEnd);
    if (end >= 0) {
        idText_ += after.left(end);
        fpgaId_ = TrimSpaces(QString::fromLatin1(idText_));
        idText_.clear();
        idState_ = IdState::Done;
        return;
    }
    idText_ += after.left(PendingIdLimit - idText_.size());
    if (idText_.size() >= PendingIdLimit) {
        idText_.clear();
        idState_ = IdState::GaveUp;
    }
}

void MonitorText::keepTail(const QByteArray &chunk) {
    if (chunk.size() >= TailLimit) {
        tail_ = chunk.right(TailLimit);
        return;
    }
    tail_ += chunk;
    // Cut only now and then, so each append moves a bounded amount on average.
    if (tail_.size() > 2 * TailLimit)
        tail_.remove(0, tail_.size() - TailLimit);
}

QString MonitorText::tail() const {
    return QString::fromLatin1(tail_.right(TailLimit));
}

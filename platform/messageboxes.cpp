#include "messageboxes.h"

#include <QMessageBox>

namespace {

QString displayed(const QString &text) {
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString &title, const QString &text,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, displayed(text), buttons);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QtMessageBoxes::QtMessageBoxes(QString title) : title_(std::move(title)) {}

void QtMessageBoxes::information(const QString &text) {
    ask(QMessageBox::Information, title_, text, QMessageBox::Ok);
}

void QtMessageBoxes::warning(const QString &text) {
    ask(QMessageBox::Warning, title_, text, QMessageBox::Ok);
}

void QtMessageBoxes::critical(const QString &text) {
    ask(QMessageBox::Critical, title_, text, QMessageBox::Ok);
}

bool QtMessageBoxes::askYesNo(const QString &text) {
    return ask(QMessageBox::Warning, title_, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtMessageBoxes::askRetryCancel(const QString &text) {
    return ask(QMessageBox::Warning, title_, text, QMessageBox::Retry | QMessageBox::Cancel) ==
           QMessageBox::Retry;
}

#pragma once

#include <QString>

// Standard message boxes with the program's title. Texts break lines with a single carriage
// return, as the program's messages are written; implementations show it as a new line.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void information(const QString &text) = 0; // information icon, OK
    virtual void warning(const QString &text) = 0;     // exclamation icon, OK
    virtual void critical(const QString &text) = 0;    // error icon, OK
    // Exclamation icon, Yes and No: true for Yes.
    virtual bool askYesNo(const QString &text) = 0;
    // Exclamation icon, Retry and Cancel: true for Retry.
    virtual bool askRetryCancel(const QString &text) = 0;
};

// Message boxes on Qt Widgets.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QString title);
    void information(const QString &text) override;
    void warning(const QString &text) override;
    void critical(const QString &text) override;
    bool askYesNo(const QString &text) override;
    bool askRetryCancel(const QString &text) override;

private:
    QString title_;
};

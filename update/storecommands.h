#pragma once

#include <QString>

class SaveFlash;
class Glowtag;
class XPButton;
class XPFrame;

// The four store buttons of the update window. Each writes its store into the window's hidden
// parameter widgets, hands the line over through the monitor and runs the store.
class StoreCommands {
public:
    explicit StoreCommands(SaveFlash &window);

    void CmdStoreFirmware();
    void CmdStoreFpga1();
    void CmdStoreFpga2();
    void CmdStoreBios();

    // The full path of an image named by a label caption.
    QString imagePath(const QString &caption) const;

private:
    // What one command writes before the store; the store reads it back.
    struct Description {
        XPButton *button;
        XPFrame *frame;
        Glowtag *imageName;
        int index;
        bool incWhich;
        QString startAddress;
        bool erase;
        qint16 tipoAgg;
    };

    Description firmware() const;
    Description fpga1() const;
    Description fpga2() const;
    Description bios() const;

    // Steps common to every command; true when the store returned with the window open.
    bool runStore(const Description &store);
    void showOnlyFrame(XPFrame *frame);
    void waitForMonitor();
    void writeDescription(const Description &store);
    void restoreAfterChainedStore();

    SaveFlash &window_;
};

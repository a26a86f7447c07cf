#include "catalog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Catalog : public testing::Test {
protected:
    void write(const QString &name, const QByteArray &content) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    bool check(bool isF, const QString &loaded) {
        return ControllaCatalog(dir.path(), isF, loaded, catalogId);
    }

    QTemporaryDir dir;
    qint16 catalogId = 77;
};

} // namespace

TEST_F(Catalog, ComparesReportedIdAgainstCatalog) {
    write("CATALOG.DAT", "NAME=x\r\nFPGA_ID=0105\r\nOTHER=1\r\n");
    EXPECT_TRUE(check(false, "0x0104"));
    EXPECT_EQ(catalogId, 0x105);
    write("CATALOG.DAT", "FPGA_ID=0104\r\n");
    EXPECT_FALSE(check(false, "0x0104"));
    write("CATALOG.DAT", "FPGA_ID=0103\r");
    EXPECT_FALSE(check(false, "0x0104"));
}

TEST_F(Catalog, UnknownLoadedIdOnOtherModelReadsCatalogAndStoresFirst) {
    write("CATALOG.DAT", "FPGA_ID=0105\r\n");
    EXPECT_TRUE(check(false, ""));
    EXPECT_EQ(catalogId, 0x105);
}

TEST_F(Catalog, FModelWithoutLoadedIdSkipsTheCheck) {
    EXPECT_FALSE(check(true, ""));
    EXPECT_EQ(catalogId, 77);
}

TEST_F(Catalog, FModelReadsOnlyItsOwnCatalog) {
    write("CATALOG.DAT", "FPGA_ID=0001\r\n");
    EXPECT_TRUE(check(true, "0x0104"));
    EXPECT_EQ(catalogId, -1);
    write("CATALOGF.DAT", "FPGA_ID=0100\r\n");
    EXPECT_FALSE(check(true, "0x0104"));
    EXPECT_EQ(catalogId, 0x100);
}

TEST_F(Catalog, MissingOrUnreadableCatalogMeansStoreFirst) {
    EXPECT_TRUE(check(false, "0x0104"));
    EXPECT_EQ(catalogId, -1);
    // A directory of that name is not a catalog.
    ASSERT_TRUE(QDir(dir.path()).mkdir("CATALOG.DAT"));
    EXPECT_TRUE(check(false, "0x0104"));
    EXPECT_EQ(catalogId, -1);
}

TEST_F(Catalog, UnreadableCatalogCountsAsMissing) {
    write("CATALOG.DAT", "FPGA_ID=0001\r\n");
    QFile::setPermissions(dir.filePath("CATALOG.DAT"), QFileDevice::Permissions());
    QFile probe(dir.filePath("CATALOG.DAT"));
    if (probe.open(QIODevice::ReadOnly)) {
        // With rights that open any file, take one that opens but fails to read.
        probe.close();
        ASSERT_TRUE(QFile::remove(dir.filePath("CATALOG.DAT")));
        ASSERT_TRUE(QFile::link("/proc/self/mem", dir.filePath("CATALOG.DAT")));
    }
    EXPECT_TRUE(check(false, "0x0104"));
    EXPECT_EQ(catalogId, -1);
}

TEST_F(Catalog, ValueRules) {
    struct Case {
        QByteArray content;
        qint16 expected;
    };
    const Case cases[] = {
        {"FPGA_ID=FFFF\r\n", -1},
        {"FPGA_ID=0x0105\r\n", -1},
        {"FPGA_ID=12345\r\n", -1},
        {"FPGA_ID=00105\r\n", 0x105},
        {"FPGA_ID=00000000105\r\n", 0x105},
        {"FPGA_ID=8001\r\n", -32767},
        {"FPGA_ID=abCD\r\n", qint16(0xABCD)},
        {"FPGA_ID=\r\n", -1},
        {"FPGA_ID=0105  \t\r\n", 0x105},
        {"FPGA_ID= 0105\r\n", -1},
        {"FPGA_ID=0105\n", 0x105},
        {"NAME=x\nFPGA_ID=0105\nOTHER=1\n", 0x105},
        {"FPGA_ID=0105 \n", 0x105},
        {"FPGA_ID=01G5\r\n", -1},
        {"fpga_id=0105\r\n", -1},
        {"VER=2 FPGA_ID=0105\r\n", 0x105},
        {"FPGA_ID=zz\r\nFPGA_ID=0105\r\n", -1},
        {"FPGA_ID=0105\r\nFPGA_ID=0001\r\n", 0x105},
        {"X=1\rFPGA_ID=0200", 0x200},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content.toStdString());
        write("CATALOG.DAT", c.content);
        check(false, "0x0104");
        EXPECT_EQ(catalogId, c.expected);
    }
}

TEST_F(Catalog, ReportedIdReading) {
    write("CATALOG.DAT", "FPGA_ID=0105\r\n");
    EXPECT_TRUE(check(false, "0x8001")); // reads as -32767
    EXPECT_TRUE(check(false, "0x"));     // no digits: 0
    EXPECT_TRUE(check(false, "0"));
    EXPECT_FALSE(check(false, "0x 01 05"));   // blanks skipped
    EXPECT_TRUE(check(false, "0x01Z5"));      // stops at Z: 0x01
    EXPECT_FALSE(check(false, "0x00010000")); // above FFFF: 65536
    EXPECT_TRUE(check(false, "0xFFFFFFFF"));  // 32-bit: -1
    EXPECT_TRUE(check(false, "0x123456789")); // no 32-bit reading: stored first
}

#pragma once

#include <QString>

// "CATALOGF.DAT" for the F model, "CATALOG.DAT" otherwise.
QString CatalogFileName(bool isFVariant);

// True when the FPGA bitstream must be stored before the firmware. catalogFpgaId receives the
// catalog's FPGA ID (-1 unknown) unless the F model has not reported its loaded ID yet.
// Lines end at CR or CR LF. Blanks (spaces, tabs) after the digits on the FPGA_ID line are
// accepted; anything else there, a lone LF included, makes the value unknown, and so does a
// blank before the digits. A catalog that exists but cannot be read counts as missing.
bool ControllaCatalog(const QString &startDirectory, bool isFVariant, const QString &loadedFpgaId,
                      qint16 &catalogFpgaId);

#pragma once

#include <QString>

// "CATALOGF.DAT" for the F model, "CATALOG.DAT" otherwise.
QString CatalogFileName(bool isFVariant);

// True when the FPGA bitstream must be stored before the firmware. catalogFpgaId receives the
// catalog's FPGA ID (-1 unknown) unless the F model has not reported its loaded ID yet.
// Blanks after the digits on the FPGA_ID line are accepted; any other trailing character
// makes the value unknown. A catalog that exists but cannot be read counts as missing.
bool ControllaCatalog(const QString &startDirectory, bool isFVariant, const QString &loadedFpgaId,
                      qint16 &catalogFpgaId);

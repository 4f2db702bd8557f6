#pragma once

#include <QString>

namespace mhbk {

// The maker's details, in the one place the About box and the menu read them from.
// The addresses live on a reserved example domain.
struct MakerDetails {
    QString companyName;
    QString postalAddress;
    QString telephone;
    QString webAddress;
    QString emailAddress;
    QString rightsNotice;
};

const MakerDetails &makerDetails();

// "版本 X.Y [内部版本号 X.Y.Z]" from the build's version.
QString versionText(int major, int minor, int release);
// The build date as "YYYY年MM月DD日" from seconds since 1970, read in UTC so that every
// build of one commit shows the same date wherever it is built.
QString buildDateText(qint64 secondsSinceEpoch);

} // namespace mhbk

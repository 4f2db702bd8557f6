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
// The build date as "YYYY年MM月DD日", from the compiler's __DATE__ ("Mmm dd yyyy").
QString buildDateText(const char *compilerDate);

} // namespace mhbk

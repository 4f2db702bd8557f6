#include "app/maker.h"

#include <QDateTime>

namespace mhbk {

const MakerDetails &makerDetails()
{
    static const MakerDetails details{
        QStringLiteral("Zorvan软件工作室"),
        QStringLiteral("示例市示例区示例路1号"),
        QStringLiteral("(000) 0000-0000"),
        QStringLiteral("http://www.zorvan.example.com"),
        QStringLiteral("support@zorvan.example.com"),
        QStringLiteral("版权所有 (C) Zorvan软件工作室。本软件的计算结果仅供参考，"
                       "使用前请核对相应的国家标准。"),
    };
    return details;
}

QString versionText(int major, int minor, int release)
{
    return QStringLiteral("版本 %1.%2 [内部版本号 %1.%2.%3]").arg(major).arg(minor).arg(release);
}

QString buildDateText(qint64 secondsSinceEpoch)
{
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC).toString(QStringLiteral("yyyy年MM月dd日"));
}

} // namespace mhbk

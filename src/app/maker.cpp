#include "app/maker.h"

#include <QDate>
#include <QStringList>

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

QString buildDateText(const char *compilerDate)
{
    static const QStringList months{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
                                    QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
                                    QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                                    QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    const QStringList parts = QString::fromLatin1(compilerDate).simplified().split(QLatin1Char(' '));
    if (parts.size() != 3)
        return {};
    const QDate date(parts[2].toInt(), static_cast<int>(months.indexOf(parts[0])) + 1, parts[1].toInt());
    return date.isValid() ? date.toString(QStringLiteral("yyyy年MM月dd日")) : QString();
}

} // namespace mhbk

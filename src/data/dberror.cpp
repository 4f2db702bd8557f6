#include "data/dberror.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>

namespace mhbk {

namespace {

// SQLite's primary result codes that a user can do something about.
QString kindOf(int code)
{
    switch (code) {
    case 3: return QStringLiteral("没有访问数据库文件的权限");
    case 5:
    case 6: return QStringLiteral("数据库文件正被其他程序锁定，请稍后再试");
    case 7: return QStringLiteral("内存不足");
    case 8: return QStringLiteral("数据库文件是只读的，无法写入");
    case 10: return QStringLiteral("读写数据库文件时发生输入/输出错误");
    case 11: return QStringLiteral("数据库文件已损坏");
    case 13: return QStringLiteral("磁盘已满，无法写入数据库文件");
    case 14: return QStringLiteral("无法打开数据库文件");
    case 19: return QStringLiteral("数据不符合数据表的约束");
    case 26: return QStringLiteral("不是有效的数据库文件");
    default: return {};
    }
}

// A statement the database could not run: a missing table or field is worth naming.
QString statementError(const QString &databaseText)
{
    static const QRegularExpression missing(QStringLiteral("no such (table|column): ([^ ]+)"));
    const QRegularExpressionMatch match = missing.match(databaseText);
    if (!match.hasMatch())
        return QStringLiteral("数据库语句无法执行");
    const QString what = match.captured(1) == QLatin1String("table") ? QStringLiteral("数据表")
                                                                     : QStringLiteral("字段");
    return QStringLiteral("数据库中没有%1“%2”").arg(what, match.captured(2));
}

} // namespace

QString databaseErrorReason(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xFF; // extended codes keep the primary in the low byte
    if (!numeric)
        return QStringLiteral("数据库操作失败");
    QString kind = code == 1 ? statementError(error.databaseText()) : kindOf(code);
    if (kind.isEmpty())
        kind = QStringLiteral("数据库操作失败");
    return QStringLiteral("%1（SQLite 错误 %2）").arg(kind).arg(code);
}

QString quotedPath(const QString &path)
{
    return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

} // namespace mhbk

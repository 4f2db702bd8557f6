#include "takeoff/takeofffile.h"

#include "common/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>

namespace mhbk::takeoff {

namespace {

const QString kFormatName = QStringLiteral("mhbk-takeoff-list");

struct Damaged {
    QString reason;
};

QString textField(const QJsonObject &object, const char *name, int lineNumber)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isUndefined() || value.isNull())
        return QString();
    if (!value.isString())
        throw Damaged{QStringLiteral("第 %1 行的“%2”不是文字").arg(lineNumber).arg(QLatin1String(name))};
    return value.toString();
}

double numberField(const QJsonObject &object, const char *name, int lineNumber)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        throw Damaged{QStringLiteral("第 %1 行的“%2”不是数").arg(lineNumber).arg(QLatin1String(name))};
    return value.toDouble();
}

Line lineFrom(const QJsonValue &value, int lineNumber)
{
    if (!value.isObject())
        throw Damaged{QStringLiteral("第 %1 行已损坏").arg(lineNumber)};
    const QJsonObject object = value.toObject();
    Line line;
    line.item = textField(object, "item", lineNumber);
    line.designation = textField(object, "designation", lineNumber);
    line.material = textField(object, "material", lineNumber);
    line.quantity = numberField(object, "quantity", lineNumber);
    line.unit = textField(object, "unit", lineNumber);
    line.unitWeight = numberField(object, "unitWeight", lineNumber);
    line.remark = textField(object, "remark", lineNumber);
    // Added in version 2; a version 1 file has neither and reads as no surface and no problem.
    if (object.contains(QLatin1String("unitSurface")))
        line.unitSurface = numberField(object, "unitSurface", lineNumber);
    line.problem = textField(object, "problem", lineNumber);
    return line;
}

List parse(const QByteArray &bytes)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw Damaged{QStringLiteral("不是工程量清单文件，或文件已损坏")};
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toString() != kFormatName)
        throw Damaged{QStringLiteral("不是工程量清单文件")};
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != std::floor(version.toDouble()))
        throw Damaged{QStringLiteral("文件的版本号已损坏")};
    if (version.toDouble() > kFileVersion)
        throw Damaged{QStringLiteral("文件由较新版本的程序保存（版本 %1），本程序只能读取版本 %2")
                          .arg(version.toInt())
                          .arg(kFileVersion)};
    const QJsonValue lines = root.value(QLatin1String("lines"));
    if (!lines.isArray())
        throw Damaged{QStringLiteral("文件中没有清单各行")};
    List list;
    int number = 0;
    for (const QJsonValue &value : lines.toArray())
        list.push_back(lineFrom(value, ++number));
    return list;
}

} // namespace

QByteArray toJson(const List &list)
{
    QJsonArray lines;
    for (const Line &line : list) {
        QJsonObject object{{QStringLiteral("item"), line.item},
                           {QStringLiteral("designation"), line.designation},
                           {QStringLiteral("material"), line.material},
                           {QStringLiteral("quantity"), line.quantity},
                           {QStringLiteral("unit"), line.unit},
                           {QStringLiteral("unitWeight"), line.unitWeight},
                           {QStringLiteral("remark"), line.remark},
                           {QStringLiteral("unitSurface"), line.unitSurface}};
        if (!line.problem.isEmpty())
            object.insert(QStringLiteral("problem"), line.problem);
        lines.append(object);
    }
    const QJsonObject root{{QStringLiteral("format"), kFormatName},
                           {QStringLiteral("version"), kFileVersion},
                           {QStringLiteral("lines"), lines}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

List fromJson(const QByteArray &bytes)
{
    try {
        return parse(bytes);
    } catch (const Damaged &damaged) {
        throw AppError(damaged.reason);
    }
}

List loadList(const QString &path)
{
    QFile file(path);
    const auto failed = [&](const QString &reason) {
        return AppError(QStringLiteral("无法打开清单文件“%1”：%2").arg(path, reason));
    };
    const QFileInfo info(path);
    if (!info.exists())
        throw failed(QStringLiteral("文件不存在。请检查文件名和位置"));
    if (info.isDir())
        throw failed(QStringLiteral("这是一个文件夹，不是文件。请选择文件夹中的 .mhbkl 清单文件"));
    if (!file.open(QIODevice::ReadOnly))
        throw failed(QStringLiteral("文件无法读取。请检查读取权限"));
    if (file.size() > kMaxListFileBytes)
        throw failed(QStringLiteral("文件超过 %1 MB，不是本程序保存的工程量清单文件").arg(kMaxListFileBytes / (1024 * 1024)));
    const QByteArray bytes = file.readAll();
    try {
        return parse(bytes);
    } catch (const Damaged &damaged) {
        throw failed(damaged.reason);
    }
}

void saveList(const List &list, const QString &path)
{
    const QByteArray bytes = toJson(list);
    // What is written must open again: a list over the limit of reading is not written at all.
    if (bytes.size() > kMaxListFileBytes)
        throw AppError(QStringLiteral("无法保存清单文件“%1”：清单有 %2 MB，超过本程序能打开的 %3 MB。"
                                      "请把清单分成几个文件保存。原有文件未改动。")
                           .arg(path)
                           .arg(static_cast<double>(bytes.size()) / (1024 * 1024), 0, 'f', 1)
                           .arg(kMaxListFileBytes / (1024 * 1024)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("无法保存清单文件“%1”：%2").arg(path, file.errorString()));
}

} // namespace mhbk::takeoff

#include "workbooks/pages/workbookfile.h"

#include "common/errors.h"
#include "common/pageregistry.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace mhbk::workbooks {

namespace {

const QString kFormat = QStringLiteral("mhbk-page-workbook");
constexpr int kVersion = 1;

QString shown(const QString &path)
{
    return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(path));
}

[[noreturn]] void refuse(const QString &path, const QString &what)
{
    throw AppError(QStringLiteral("无法打开文件%1：%2").arg(shown(path), what));
}

} // namespace

QByteArray pageWorkbookBytes(int pageIndex, const wb::Workbook &book)
{
    const PageEntry &page = pages::at(pageIndex);
    QJsonObject file;
    file.insert(QStringLiteral("format"), kFormat);
    file.insert(QStringLiteral("version"), kVersion);
    file.insert(QStringLiteral("page"), QString::fromLatin1(page.objectName));
    file.insert(QStringLiteral("pageIndex"), pageIndex);
    file.insert(QStringLiteral("workbook"), QJsonDocument::fromJson(wb::saveWorkbook(book)).object());
    // Without indentation, as the stored workbook format is written: indented, a ledger of
    // thousands of rows grows fourfold.
    return QJsonDocument(file).toJson(QJsonDocument::Compact);
}

void writePageWorkbookFile(const QString &path, int pageIndex, const wb::Workbook &book)
{
    const QByteArray bytes = pageWorkbookBytes(pageIndex, book);
    // What is written must open again: a file over the limit of reading is not written at all.
    if (bytes.size() > kMaxWorkbookFileBytes)
        throw AppError(QStringLiteral("无法保存文件%1：工作簿有 %2 MB，超过本程序能打开的 %3 MB。"
                                      "请删去不需要的行或长文字后再保存。原有文件未改动。")
                           .arg(shown(path))
                           .arg(static_cast<double>(bytes.size()) / (1024 * 1024), 0, 'f', 1)
                           .arg(kMaxWorkbookFileBytes / (1024 * 1024)));
    xlsout::writeFileAtomically(path, bytes);
}

PageWorkbook readPageWorkbook(const QByteArray &bytes, const QString &path)
{
    const QString notOurs = QStringLiteral("这不是本程序保存的工作簿文件。请选择用“保存”(Ctrl+S) 保存的 .mhbk 文件。");
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (document.isNull() || !document.isObject())
        refuse(path, bytes.trimmed().startsWith('{')
                         ? QStringLiteral("文件已损坏（第 %1 个字节处格式错误）。请改用该文件的备份，或重新填写后保存。")
                               .arg(parseError.offset)
                         : notOurs);
    const QJsonObject file = document.object();
    if (file.value(QStringLiteral("format")).toString() != kFormat)
        refuse(path, notOurs);
    const int version = file.value(QStringLiteral("version")).toInt(0);
    if (version > kVersion)
        refuse(path, QStringLiteral("文件由较新版本的程序保存（格式版本 %1，本程序只能读取版本 %2）。请升级本程序后再打开。")
                         .arg(version)
                         .arg(kVersion));
    const QString pageName = file.value(QStringLiteral("page")).toString();
    const auto index = pages::find(pageName.toStdString());
    if (!index || pages::at(*index).kind != PageKind::Workbook)
        refuse(path, QStringLiteral("文件所属的页面“%1”不是本程序的工作簿页面。请选择本程序工作簿页面保存的文件。").arg(pageName));
    if (!file.value(QStringLiteral("workbook")).isObject())
        refuse(path, QStringLiteral("文件已损坏（缺少工作簿内容）。请改用该文件的备份。"));
    wb::LoadError error;
    auto book = wb::loadWorkbook(
        QJsonDocument(file.value(QStringLiteral("workbook")).toObject()).toJson(QJsonDocument::Compact), &error);
    if (!book)
        refuse(path, QStringLiteral("文件已损坏（%1）。请改用该文件的备份。").arg(error.message));
    return PageWorkbook{*index, std::move(*book)};
}

PageWorkbook readPageWorkbookFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        refuse(path, QStringLiteral("文件不存在。请检查文件名和位置。"));
    if (QFileInfo(path).isDir())
        refuse(path, QStringLiteral("这是一个文件夹，不是文件。请选择文件夹中的 .mhbk 文件。"));
    if (!file.open(QIODevice::ReadOnly))
        refuse(path, QStringLiteral("文件无法读取。请检查读取权限。"));
    if (file.size() > kMaxWorkbookFileBytes)
        refuse(path, QStringLiteral("文件超过 %1 MB，不是本程序保存的工作簿文件（本程序不保存更大的工作簿）。")
                         .arg(kMaxWorkbookFileBytes / (1024 * 1024)));
    return readPageWorkbook(file.readAll(), path);
}

} // namespace mhbk::workbooks

#include "workbooks/export/xlsxexport.h"

#include "common/errors.h"
#include "workbooks/export/atomicfile.h"
#include "workbooks/export/xlsxpackage.h"
#include "workbooks/export/xlsxsheetxml.h"
#include "workbooks/export/xlsxstylesxml.h"
#include "workbooks/export/xlsxxml.h"

#include <algorithm>

namespace mhbk::xlsout {
namespace {

constexpr char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char kMainNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char kRelationships[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char kContentType[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
constexpr int kMaxSheetName = 31;

// Names Excel takes: 1 to 31 characters, none of []:*?/\, no apostrophe first or last, and
// no two alike but for case.
QString checkSheetNames(const std::vector<Sheet> &sheets)
{
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const QString &name = sheets[i].name;
        const bool valid = !name.isEmpty() && name.toUcs4().size() <= kMaxSheetName &&
                           std::none_of(name.begin(), name.end(), [](QChar c) { return QStringView(u"[]:*?/\\").contains(c); }) &&
                           !name.startsWith(u'\'') && !name.endsWith(u'\'');
        const bool unique = std::none_of(sheets.begin(), sheets.begin() + qsizetype(i), [&](const Sheet &s) {
            return s.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!valid || !unique)
            return QStringLiteral("工作表名“%1”无效").arg(name);
    }
    return QString();
}

QByteArray sheetPath(std::size_t index)
{
    return "worksheets/sheet" + QByteArray::number(qulonglong(index + 1)) + ".xml";
}

QByteArray contentTypesXml(std::size_t sheets)
{
    XmlBuffer x;
    x.raw(kXmlDeclaration).raw("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">");
    x.raw("<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>");
    x.raw("<Default Extension=\"xml\" ContentType=\"application/xml\"/>");
    auto part = [&](const QByteArray &name, const char *type) {
        x.raw("<Override PartName=\"/xl/").raw(name).raw("\" ContentType=\"").raw(kContentType).raw(type).raw("\"/>");
    };
    part("workbook.xml", "sheet.main+xml");
    for (std::size_t i = 0; i < sheets; ++i)
        part(sheetPath(i), "worksheet+xml");
    part("styles.xml", "styles+xml");
    part("sharedStrings.xml", "sharedStrings+xml");
    x.raw("</Types>");
    return x.bytes();
}

QByteArray rootRelationshipsXml()
{
    XmlBuffer x;
    x.raw(kXmlDeclaration).raw("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">");
    x.raw("<Relationship Id=\"rId1\" Type=\"").raw(kRelationships).raw("/officeDocument\" Target=\"xl/workbook.xml\"/>");
    x.raw("</Relationships>");
    return x.bytes();
}

QByteArray workbookRelationshipsXml(std::size_t sheets)
{
    XmlBuffer x;
    x.raw(kXmlDeclaration).raw("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">");
    auto relationship = [&](std::size_t id, const char *type, const QByteArray &target) {
        x.raw("<Relationship Id=\"rId").integer(qint64(id)).raw("\" Type=\"").raw(kRelationships).raw("/");
        x.raw(type).raw("\" Target=\"").raw(target).raw("\"/>");
    };
    for (std::size_t i = 0; i < sheets; ++i)
        relationship(i + 1, "worksheet", sheetPath(i));
    relationship(sheets + 1, "styles", "styles.xml");
    relationship(sheets + 2, "sharedStrings", "sharedStrings.xml");
    x.raw("</Relationships>");
    return x.bytes();
}

// "'Name'!$2:$3": the rows printed at the top of every page.
void writePrintTitles(XmlBuffer &x, const Sheet &sheet, std::size_t index)
{
    const int first = std::min(sheet.page.titleFirstRow, sheet.page.titleLastRow) + 1;
    const int last = std::max(sheet.page.titleFirstRow, sheet.page.titleLastRow) + 1;
    QString name = sheet.name;
    name.replace(u'\'', QStringLiteral("''"));
    x.raw("<definedName name=\"_xlnm.Print_Titles\"").attr("localSheetId", int(index)).raw(">");
    x.text(QLatin1Char('\'') + name + QStringLiteral("'!$%1:$%2").arg(first).arg(last)).raw("</definedName>");
}

QByteArray workbookXml(const std::vector<Sheet> &sheets)
{
    XmlBuffer x;
    x.raw(kXmlDeclaration).raw("<workbook xmlns=\"").raw(kMainNamespace).raw("\" xmlns:r=\"").raw(kRelationships).raw("\">");
    x.raw("<bookViews><workbookView/></bookViews><sheets>");
    for (std::size_t i = 0; i < sheets.size(); ++i)
        x.raw("<sheet").attr("name", sheets[i].name).attr("sheetId", int(i + 1)).raw(" r:id=\"rId").integer(qint64(i + 1)).raw("\"/>");
    x.raw("</sheets>");
    const bool titles = std::any_of(sheets.begin(), sheets.end(), [](const Sheet &s) { return s.page.titleFirstRow >= 0; });
    if (titles) {
        x.raw("<definedNames>");
        for (std::size_t i = 0; i < sheets.size(); ++i)
            if (sheets[i].page.titleFirstRow >= 0)
                writePrintTitles(x, sheets[i], i);
        x.raw("</definedNames>");
    }
    // Readers that calculate do so on opening; the cached results serve those that do not.
    x.raw("<calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/></workbook>");
    return x.bytes();
}

// The whole package, or the reason it cannot be written.
QString buildPackage(const Book &book, const XlsxOptions &options, QByteArray &package)
{
    std::vector<Sheet> defaultSheet;
    if (book.sheets.empty())
        defaultSheet.emplace_back(); // a workbook has at least one sheet
    const std::vector<Sheet> &sheets = book.sheets.empty() ? defaultSheet : book.sheets;
    if (QString error = checkSheetNames(sheets); !error.isEmpty())
        return error;

    ZipPackage zip;
    bool fits = zip.add("[Content_Types].xml", contentTypesXml(sheets.size()));
    fits = zip.add("_rels/.rels", rootRelationshipsXml()) && fits;
    fits = zip.add("xl/workbook.xml", workbookXml(sheets)) && fits;
    fits = zip.add("xl/_rels/workbook.xml.rels", workbookRelationshipsXml(sheets.size())) && fits;
    fits = zip.add("xl/styles.xml", stylesXml(book.styles)) && fits;
    SharedStrings strings;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        QByteArray xml;
        const SheetXmlOptions sheetOptions{book.styles.size(), options.cacheResults, i == 0};
        if (QString error = sheetXml(sheets[i], sheetOptions, strings, xml); !error.isEmpty())
            return error;
        fits = zip.add("xl/" + sheetPath(i), xml) && fits;
    }
    fits = zip.add("xl/sharedStrings.xml", strings.xml()) && fits;
    if (!fits)
        return QStringLiteral("工作簿太大，超出了Excel文件的容量（4 GB）");
    package = zip.finish();
    return QString();
}

} // namespace

void writeXlsxFile(const Book &book, const QString &path, const XlsxOptions &options)
{
    QByteArray package;
    if (const QString error = buildPackage(book, options, package); !error.isEmpty())
        throw AppError(writeFailureMessage(path, error));
    writeFileAtomically(path, package);
}

} // namespace mhbk::xlsout

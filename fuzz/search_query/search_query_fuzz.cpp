// Any query text must parse without a crash or undefined behaviour, and the index must give the
// same hits in the same order as the plain scan, on entries that include the text itself as a
// designation and as a row's words.
#include "search/handbookindex.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace mhbk::search;

Entry entry(int page, const QString &designation, unsigned kinds, const QString &words, bool isPage = false)
{
    Entry e;
    e.page = page;
    e.pageCaption = QStringLiteral("页");
    e.designation = designation;
    e.kinds = kinds;
    if (!designation.isEmpty() && kinds != NoKind)
        e.keys << designationKey(designation);
    e.text = normalized(designation + QLatin1Char(' ') + words);
    e.column = isPage ? -1 : 0;
    e.row = isPage ? -1 : 1;
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    HandbookIndex index;
    index.add(entry(18, {}, IBeam, QStringLiteral("工字钢"), true));
    index.add(entry(18, QStringLiteral("20a"), IBeam, QStringLiteral("工字钢 27.929")));
    index.add(entry(16, QStringLiteral("50×5"), Angle, QStringLiteral("等边角钢")));
    index.add(entry(28, QStringLiteral("DN100"), Pipe, QStringLiteral("焊接钢管 114.3")));
    index.add(entry(3, QStringLiteral("紫铜"), NoKind, QStringLiteral("常用材料密度 8.9")));
    index.add(entry(30, text, Pipe, text));
    index.add(entry(2, text, NoKind, text));
    index.finish();
    for (const std::size_t limit : {std::size_t{1}, std::size_t{200}}) {
        const auto indexed = index.find(text, limit);
        const auto scanned = linearFind(index.entries(), text, limit);
        if (indexed.size() != scanned.size())
            std::abort();
        for (std::size_t i = 0; i < indexed.size(); ++i)
            if (indexed[i].entry != scanned[i].entry || indexed[i].rank != scanned[i].rank)
                std::abort();
    }
    return 0;
}

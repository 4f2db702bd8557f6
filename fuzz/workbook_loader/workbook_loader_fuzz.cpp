// Any bytes given as a stored workbook must load or give an error message, never crash; what
// loaded must save and load again.

#include "workbooks/engine/workbookjson.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace mhbk::wb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    LoadError error;
    auto book = loadWorkbook(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &error);
    if (!book) {
        if (error.message.isEmpty())
            std::abort();
        return 0;
    }
    for (int s = 0; s < book->sheetCount(); ++s)
        for (const CellAddress &a : book->sheet(s).cells())
            (void)book->displayText(s, a.row, a.col);
    const QByteArray saved = saveWorkbook(*book);
    LoadError again;
    if (!loadWorkbook(saved, &again)) {
        std::fprintf(stderr, "saved workbook does not load: %s\n", again.message.toUtf8().constData());
        std::abort();
    }
    return 0;
}

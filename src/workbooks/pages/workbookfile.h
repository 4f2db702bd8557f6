#pragma once

#include "workbooks/engine/workbook.h"

#include <QByteArray>
#include <QString>

namespace mhbk::workbooks {

// A filled workbook page kept as a file of its own (.mhbk): the page it belongs to (by the
// page's object name, which stays when pages are renumbered, and its index as a check) and the
// page's workbook in the stored format, everything the user typed included.
//
//   {"format": "mhbk-page-workbook", "version": 1, "page": "page_zyb", "pageIndex": 7,
//    "workbook": { ...the stored workbook format... }}

inline const QString kWorkbookFileSuffix = QStringLiteral("mhbk");
// The file dialogs' filter.
inline const QString kWorkbookFileFilter = QStringLiteral("五金手册工作簿 (*.mhbk)");

// The largest file the program opens, and so the largest it writes. Written without
// indentation, a page workbook is a few hundred kilobytes.
inline constexpr qint64 kMaxWorkbookFileBytes = 64 * 1024 * 1024;

// The file's bytes: one line of JSON without indentation.
QByteArray pageWorkbookBytes(int pageIndex, const wb::Workbook &book);

// Writes through a temporary file and a rename: a failure leaves any earlier file as it was.
// A workbook whose file would exceed kMaxWorkbookFileBytes is not written. Throws AppError saying
// what went wrong.
void writePageWorkbookFile(const QString &path, int pageIndex, const wb::Workbook &book);

struct PageWorkbook {
    int pageIndex;
    wb::Workbook book;
};

// Reads and checks a file: it must be a page workbook of this program, for a workbook page
// that exists, holding a workbook that loads. Throws AppError with a message that says what
// is wrong with the file and what to do; nothing else is touched.
PageWorkbook readPageWorkbook(const QByteArray &bytes, const QString &path);
PageWorkbook readPageWorkbookFile(const QString &path);

} // namespace mhbk::workbooks

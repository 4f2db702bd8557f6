#pragma once

// Style properties in the stored format, both ways. Internal.

#include "workbooks/engine/cellstyle.h"

#include <QJsonObject>

namespace mhbk::wb {

// Applies the properties present in `json` on top of `style`. False with a message naming the
// offending key when a key is unknown or a value has the wrong type or spelling.
bool applyStyleJson(const QJsonObject &json, CellStyle *style, QString *error);

// The properties in which `style` differs from `base`.
QJsonObject styleDiffJson(const CellStyle &style, const CellStyle &base);

} // namespace mhbk::wb

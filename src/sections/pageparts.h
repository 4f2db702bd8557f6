#pragma once

#include "common/loadonce.h"
#include "widgets/gridpaint.h"

#include <QString>
#include <functional>
#include <QStringList>

class QLabel;
class QWidget;
class QVBoxLayout;

namespace mhbk {

class HandbookDatabase;
class PageHost;
class StringGrid;

// The reference grid across the top of a section page: read-only, range selection, 20-pixel
// rows, drawn by the shared cell painter with the page's colour scheme.
StringGrid *makeReferenceGrid(QWidget *page, const QString &objectName, int columnWidth, CellLookFn look);

// The legend lines below a grid, as fixed labels, closed by the note on the grid's standard.
QWidget *makeLegend(QWidget *parent, const QStringList &lines, const QString &standardNote);

// Builds a page's widgets on its first showing (or when its services are first asked for), not
// at start-up, and from then on runs the show handler the build returned on every showing.
void installOnFirstShow(PageHost &host, int pageIndex, std::function<std::function<void()>()> build);
// The grey, wrapped line under a size table naming the standard and edition it follows and, for
// rows not checked against the standard's text, that they are reference values.
QLabel *makeStandardNote(QWidget *parent, const QString &text);

// A page's own layout: the grid on top, the rest below it, left-aligned. Widgets added to it
// may keep the tab sheet as their parent: the layout reparents them to its holder.
QVBoxLayout *pageLayout(QWidget *page);

// Fills a grid from its table in the column-block layout on the first showing only (the loaded
// flag). A failed fill does not count; the next showing starts again on an empty grid.
class BlockGridFiller {
public:
    BlockGridFiller(StringGrid *grid, QString tableName, int fields);

    void fillOnce(HandbookDatabase &database);
    bool loaded() const { return loaded_.done(); }
    StringGrid *grid() const { return grid_; }

private:
    StringGrid *grid_;
    QString tableName_;
    int fields_;
    LoadOnce loaded_;
};

} // namespace mhbk

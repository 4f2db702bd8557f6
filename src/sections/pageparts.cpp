#include "sections/pageparts.h"

#include "common/pagehost.h"

#include <memory>

#include "data/datasets.h"
#include "data/gridloader.h"
#include "widgets/stringgrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace mhbk {

namespace {
constexpr int kGridHeight = 273;
constexpr int kRowHeight = 20;
} // namespace

StringGrid *makeReferenceGrid(QWidget *page, const QString &objectName, int columnWidth, CellLookFn look)
{
    auto *grid = new StringGrid(page);
    grid->setObjectName(objectName);
    grid->setFixedHeight(kGridHeight);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setDefaultColWidth(columnWidth);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    if (look)
        installCellPainter(*grid, std::move(look));
    return grid;
}

QLabel *makeStandardNote(QWidget *parent, const QString &text)
{
    auto *note = new QLabel(text, parent);
    note->setObjectName(QStringLiteral("lblStandardNote"));
    note->setWordWrap(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    note->setPalette(palette);
    return note;
}

void installOnFirstShow(PageHost &host, int pageIndex, std::function<std::function<void()>()> build)
{
    struct State {
        LoadOnce built;
        std::function<void()> shown;
    };
    auto state = std::make_shared<State>();
    auto buildOnce = [state, build = std::move(build)] { state->built.run([&] { state->shown = build(); }); };
    // What the page offers may be asked for before it is first shown: it is built then.
    host.setPageBuilder(pageIndex, buildOnce);
    host.addShowHandler(pageIndex, [state, buildOnce] {
        buildOnce();
        state->shown();
    });
}

QWidget *makeLegend(QWidget *parent, const QStringList &lines, const QString &standardNote)
{
    auto *legend = new QWidget(parent);
    auto *layout = new QVBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const QString &line : lines)
        layout->addWidget(new QLabel(line, legend));
    layout->addWidget(makeStandardNote(legend, standardNote));
    return legend;
}

QVBoxLayout *pageLayout(QWidget *page)
{
    // A tab sheet that already has a layout gets the page's content as one child in it.
    QWidget *holder = page;
    if (page->layout()) {
        holder = new QWidget(page);
        page->layout()->addWidget(holder);
    }
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

BlockGridFiller::BlockGridFiller(StringGrid *grid, QString tableName, int fields)
    : grid_(grid), tableName_(std::move(tableName)), fields_(fields)
{
    prepareBlockGrid(*grid_, fields_);
}

void BlockGridFiller::fillOnce(HandbookDatabase &database)
{
    loaded_.run([&] {
        // A failed fill may have grown the grid; the block layout must start from one block again.
        if (grid_->colCount() != fields_ || !grid_->cell(0, 0).isEmpty())
            prepareBlockGrid(*grid_, fields_);
        TableDataset table(database);
        loadTableBlocks(table, tableName_, *grid_, fields_);
    });
}

} // namespace mhbk

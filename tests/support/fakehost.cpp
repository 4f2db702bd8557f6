#include "support/fakehost.h"

#include "common/guarded.h"

#include <QWidget>

namespace mhbk::test {

FakePageHost::FakePageHost(const QString &databasePath)
    : db_(databasePath), table_(db_), query_(db_), tabs_(std::make_unique<QTabWidget>())
{
    tabs_->resize(800, 600);
    for (int i = 0; i < 52; ++i) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("page%1").arg(i));
        tabs_->addTab(sheet, QString::number(i));
        pages_.push_back(sheet);
    }
}

FakePageHost::~FakePageHost() = default;

QWidget *FakePageHost::page(int index) const
{
    return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[index] : nullptr;
}

void FakePageHost::addShowHandler(int pageIndex, std::function<void()> handler)
{
    showHandlers_[pageIndex].push_back(std::move(handler));
}

void FakePageHost::showPage(int index)
{
    tabs_->setCurrentIndex(index);
    for (auto &handler : showHandlers_[index])
        runHandler(reporter_, handler);
    if (loader_)
        runHandler(reporter_, [&] { loader_(index); });
}

void runHandler(Reporter &reporter, const std::function<void()> &handler)
{
    runGuarded(reporter, handler);
}

} // namespace mhbk::test

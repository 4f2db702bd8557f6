#include "search/searchpanel.h"

#include "common/guarded.h"
#include "common/pagehost.h"
#include "data/database.h"
#include "search/handbooksources.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace mhbk {

SearchPanel::SearchPanel(PageHost &host, std::function<void(int)> openPage, QWidget *parent)
    : QWidget(parent), host_(host), openPage_(std::move(openPage)), field_(new QLineEdit(this)),
      results_(new QListWidget(this))
{
    setObjectName(QStringLiteral("SearchPanel"));
    field_->setObjectName(QStringLiteral("edtSearch"));
    field_->setPlaceholderText(QStringLiteral("查找规格 (Ctrl+F)"));
    field_->setToolTip(QStringLiteral("输入规格或名称，如 I20a、[16a、L50×5、DN100、钢板 10、铜 密度；"
                                      "↓ 进入结果列表，回车打开，Esc 清除"));
    field_->setClearButtonEnabled(true);
    results_->setObjectName(QStringLiteral("lstSearchResults"));
    // The panel is as narrow as the tree: a result wraps onto more lines rather than being cut.
    results_->setWordWrap(true);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    results_->setTextElideMode(Qt::ElideNone);
    results_->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(field_);
    layout->addWidget(results_, 1);

    field_->installEventFilter(this);
    results_->installEventFilter(this);
    Reporter &reporter = host_.reporter();
    connectGuarded(field_, &QLineEdit::textChanged, this, reporter, [this](const QString &text) { search(text); });
    connectGuarded(results_, &QListWidget::itemClicked, this, reporter,
                   [this](QListWidgetItem *item) { openResult(results_->row(item)); });
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), host_.window());
    shortcut->setContext(Qt::WindowShortcut);
    connectGuarded(shortcut, &QShortcut::activated, this, reporter, [this] { focusField(); });
}

SearchPanel::~SearchPanel() = default;

void SearchPanel::focusField()
{
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

// The unit and density tables can be edited and saved: a saved change shows from the next
// search on, read again when the file has changed since the index was built.
void SearchPanel::refreshIndex()
{
    const QDateTime modified = QFileInfo(host_.database().filePath()).lastModified();
    if (!index_ || modified != indexedVersion_) {
        index_ = std::make_unique<search::HandbookIndex>(search::buildHandbookIndex(host_.database()));
        indexedVersion_ = modified;
    }
}

// A zero timer runs once the events waiting (the window's first paint among them) are done:
// the index is built while the user has yet to type, not on the first keystroke.
void SearchPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (index_)
        return;
    QTimer::singleShot(0, this, [this] { runGuarded(host_.reporter(), [this] { refreshIndex(); }); });
}

void SearchPanel::search(const QString &text)
{
    results_->clear();
    shown_.clear();
    if (text.trimmed().isEmpty()) {
        results_->hide();
        return;
    }
    refreshIndex();
    for (const search::Hit &hit : index_->find(text)) {
        shown_.push_back(hit.entry);
        // The page on the first line, the row with its figure below it.
        QString text = search::resultLine(*hit.entry);
        if (!hit.entry->designation.isEmpty())
            text.replace(hit.entry->pageCaption.size(), 1, QLatin1Char('\n'));
        auto *item = new QListWidgetItem(text, results_);
        item->setToolTip(search::resultLine(*hit.entry));
    }
    if (shown_.empty())
        results_->addItem(QStringLiteral("未找到“%1”").arg(text.trimmed()));
    else
        results_->setCurrentRow(0);
    results_->show();
}

void SearchPanel::openResult(int row)
{
    if (row < 0 || row >= static_cast<int>(shown_.size()))
        return;
    const search::Entry &entry = *shown_[static_cast<std::size_t>(row)];
    openPage_(entry.page);
    // The list has done its work: the tree gets its room back. The query stays, and Down in the
    // field brings the list back.
    results_->hide();
    // A page entry names no cell; a row is shown by the page itself, once it is on screen.
    if (entry.column < 0)
        return;
    if (SearchTarget *target = host_.pageServices(entry.page).search)
        target->showSearchResult({entry.row, entry.column, entry.span, entry.inputs});
}

bool SearchPanel::fieldKey(int key)
{
    switch (key) {
    case Qt::Key_Down:
        if (shown_.empty())
            return false;
        results_->show();
        results_->setFocus(Qt::TabFocusReason);
        results_->setCurrentRow(0);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openResult(results_->currentRow());
        return true;
    case Qt::Key_Escape:
        if (field_->text().isEmpty())
            emit leaveRequested();
        else
            field_->clear();
        return true;
    default:
        return false;
    }
}

bool SearchPanel::listKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openResult(results_->currentRow());
        return true;
    case Qt::Key_Up:
        if (results_->currentRow() > 0)
            return false;
        field_->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Escape:
        field_->setFocus(Qt::TabFocusReason);
        return true;
    default:
        return false;
    }
}

bool SearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    bool handled = false;
    runGuarded(host_.reporter(), [&] { handled = watched == field_ ? fieldKey(key) : watched == results_ && listKey(key); });
    return handled;
}

} // namespace mhbk

#include "expr/historypanel.h"

#include "common/guarded.h"
#include "common/reporter.h"
#include "expr/historymodel.h"
#include "history/historystore.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QItemSelectionModel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace mhbk {

namespace {

const QString kClearQuestion = QStringLiteral("清空全部计算历史吗？");

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

HistoryPanel::HistoryPanel(QWidget *parent, history::HistoryStore &store, Reporter &reporter,
                           std::function<void(const QString &)> recall)
    : QWidget(parent), store_(store), reporter_(reporter), recall_(std::move(recall))
{
    setObjectName(QStringLiteral("HistoryPanel"));
    auto *title = new QLabel(QStringLiteral("计算历史(&H)："), this);
    model_ = new HistoryModel(this, store_);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("HistoryList"));
    list_->setModel(model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line each: the view places a thousand rows without measuring each of them.
    list_->setUniformItemSizes(true);
    list_->setMinimumWidth(list_->fontMetrics().averageCharWidth() * 28);
    // Long entries are shortened in the middle, keeping the result in view; the tooltip has them whole.
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    title->setBuddy(list_);
    recallButton_ = makeButton(this, "HistoryRecall", QStringLiteral("放回算式"));
    copyButton_ = makeButton(this, "HistoryCopy", QStringLiteral("复制结果"));
    clearButton_ = makeButton(this, "HistoryClear", QStringLiteral("清空历史"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(recallButton_);
    buttons->addWidget(copyButton_);
    buttons->addStretch(1);
    buttons->addWidget(clearButton_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connectGuarded(list_, &QListView::clicked, this, reporter_, [this] { recallCurrent(); });
    connectGuarded(list_, &QListView::activated, this, reporter_, [this] { recallCurrent(); });
    connectGuarded(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, reporter_,
                   [this] { updateButtons(); });
    connectGuarded(recallButton_, &QPushButton::clicked, this, reporter_, [this] { recallCurrent(); });
    connectGuarded(copyButton_, &QPushButton::clicked, this, reporter_, [this] { copyCurrentResult(); });
    connectGuarded(clearButton_, &QPushButton::clicked, this, reporter_, [this] { clearHistory(); });
    // The store may outlive the panel (and the other way round as the main window closes):
    // the listener checks that the panel is still there, and the panel never calls the store
    // as it goes.
    store_.setOnChange([panel = QPointer<HistoryPanel>(this)](const history::HistoryStore::Change &change) {
        if (panel)
            panel->follow(change);
    });
    updateButtons();
}

HistoryPanel::~HistoryPanel() = default;

// Newest first: list row 0 is the store's last entry.
int HistoryPanel::currentEntry() const
{
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? model_->entryAt(current.row()) : -1;
}

void HistoryPanel::follow(const history::HistoryStore::Change &change)
{
    model_->follow(change);
    updateButtons();
}

void HistoryPanel::updateButtons()
{
    const bool chosen = currentEntry() >= 0;
    recallButton_->setEnabled(chosen);
    copyButton_->setEnabled(chosen);
    clearButton_->setEnabled(!store_.entries().empty());
}

void HistoryPanel::recallCurrent()
{
    const int index = currentEntry();
    if (index < 0)
        return;
    const history::Entry &entry = store_.entries().at(static_cast<std::size_t>(index));
    recall_(entry.kind == history::Kind::Expression ? entry.input : entry.result);
}

void HistoryPanel::copyCurrentResult()
{
    const int index = currentEntry();
    if (index >= 0)
        QApplication::clipboard()->setText(store_.entries().at(static_cast<std::size_t>(index)).result);
}

void HistoryPanel::clearHistory()
{
    if (store_.entries().empty())
        return;
    if (reporter_.ask(kClearQuestion, kApplicationTitle, QuestionKind::YesNo) == Answer::Yes)
        store_.clear();
}

} // namespace mhbk

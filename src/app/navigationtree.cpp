#include "app/navigationtree.h"

#include "app/icons.h"
#include "common/pageregistry.h"

#include <QTabWidget>
#include <QTreeWidget>
#include <array>

namespace mhbk {

namespace {

// The page reference is kept in the node's own data, as the tree's state index was.
constexpr int kPageRole = Qt::UserRole + 1;

QTreeWidgetItem *makeNode(const QString &text, int pageIndex, const QIcon &image)
{
    auto *node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, kPageRole, pageIndex);
    node->setIcon(0, image);
    node->setToolTip(0, text); // the narrow tree cuts long captions with "…"
    return node;
}

} // namespace

int pageIndexOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kPageRole).toInt() : -1;
}

void buildNavigationNodes(QTreeWidget &tree, const QTabWidget &pages)
{
    // Seven images shared by 67 nodes: each is read from its drawing once.
    std::array<QIcon, kGroupImage + 1> images;
    for (int i = 0; i <= kGroupImage; ++i)
        images[i] = treeImage(i);
    for (const TreeGroup &group : pages::treeGroups()) {
        auto *groupNode = makeNode(QString::fromUtf8(group.caption), -1, images[kGroupImage]);
        tree.addTopLevelItem(groupNode);
        for (int page = group.firstPage; page <= group.lastPage; ++page)
            groupNode->addChild(makeNode(pages.tabText(page), page, images[group.childImage]));
    }
}

QTreeWidgetItem *firstLeaf(const QTreeWidget &tree)
{
    QTreeWidgetItem *node = tree.topLevelItem(0);
    while (node && node->childCount() > 0)
        node = node->child(0);
    return node;
}

QTreeWidgetItem *nodeForPage(const QTreeWidget &tree, int pageIndex)
{
    for (int g = 0; g < tree.topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = tree.topLevelItem(g);
        for (int c = 0; c < group->childCount(); ++c)
            if (pageIndexOf(group->child(c)) == pageIndex)
                return group->child(c);
    }
    return nullptr;
}

} // namespace mhbk

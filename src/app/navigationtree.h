#pragma once

class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace mhbk {

// The page index a tree node refers to: the page for a page node, -1 for a group node.
int pageIndexOf(const QTreeWidgetItem *node);

// Fills the tree with the fifteen groups and, under each, a node per page whose text is the
// tab sheet's caption. Selects nothing.
void buildNavigationNodes(QTreeWidget &tree, const QTabWidget &pages);

// From the first top-level node, follows first children down to a node without children.
QTreeWidgetItem *firstLeaf(const QTreeWidget &tree);

// The node that shows the page, or nullptr.
QTreeWidgetItem *nodeForPage(const QTreeWidget &tree, int pageIndex);

} // namespace mhbk

#pragma once

#include <QString>
#include <array>
#include <optional>

namespace mhbk {

// The enabled state a page gives to the bottom-bar buttons when it is shown:
// 插入/删除/保存 together, 加入表达式, 跳转至计算器.
struct ButtonStates {
    bool rowEditing;
    bool addToExpression;
    bool jumpToCalculator;
};

struct PageEntry {
    int index;
    const char *objectName;
    const char *caption;
    // Absent: the page has no show handler and the buttons keep their states.
    std::optional<ButtonStates> buttons;
};

struct TreeGroup {
    const char *caption;
    int firstPage;
    int lastPage;
    int childImage;
};

inline constexpr int kPageCount = 52;
inline constexpr int kGroupCount = 15;
inline constexpr int kGroupImage = 6;

const std::array<PageEntry, kPageCount> &pageCatalogue();
const std::array<TreeGroup, kGroupCount> &treeGroups();

} // namespace mhbk

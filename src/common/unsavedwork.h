#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace mhbk {

class Reporter;

// Something the user has changed and not yet saved: an editable grid, a filled workbook, a
// list. Before the window closes the host asks about each piece that has changes, so that
// nothing typed is dropped without a question.
class UnsavedWork {
public:
    virtual ~UnsavedWork() = default;

    // Whether there is anything to lose. May first take in typing still open in a cell
    // editor, which the user counts as typed.
    virtual bool hasUnsavedChanges() = 0;

    // What the question names, as in "是否保存对常用材料密度的修改？".
    virtual QString unsavedDescription() const = 0;

    // Saves the changes; false when that failed (the failure has been reported) or the user
    // gave up on it (such as cancelling a file dialog), and the window must stay open then.
    virtual bool saveChanges() = 0;

    // The user answered 不保存: whatever the work already wrote ahead of a save (such as a
    // page's corrected reference values, kept as they are typed in case of a crash) goes back
    // to what was last saved.
    virtual void discardChanges() {}
};

// "是否保存对<description>的修改？"
QString saveQuestion(const QString &description);

// Asks about every piece of work with unsaved changes in turn, with 保存 / 不保存 / 取消:
// 保存 saves it, 不保存 discards it and goes on to the next, 取消 stops. With more than one
// piece changed, 全部保存 and 全部不保存 answer for this piece and all that follow. `beforeAsking` runs before each
// question (to bring the page concerned on screen). Returns whether closing may go on: false
// after 取消 or a failed save.
bool settleUnsavedWork(const std::vector<UnsavedWork *> &work, Reporter &reporter,
                       const std::function<void(UnsavedWork &)> &beforeAsking = {});

} // namespace mhbk

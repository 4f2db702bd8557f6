#include "common/unsavedwork.h"

#include "common/reporter.h"

#include <optional>

namespace mhbk {

QString saveQuestion(const QString &description)
{
    return QStringLiteral("是否保存对%1的修改？").arg(description);
}

bool settleUnsavedWork(const std::vector<UnsavedWork *> &work, Reporter &reporter,
                       const std::function<void(UnsavedWork &)> &beforeAsking)
{
    std::vector<UnsavedWork *> changed;
    for (UnsavedWork *piece : work)
        if (piece->hasUnsavedChanges())
            changed.push_back(piece);
    // With several pieces to ask about, one answer may settle all that are left.
    const QuestionKind kind = changed.size() > 1 ? QuestionKind::SaveDiscardAllCancel : QuestionKind::SaveDiscardCancel;
    std::optional<Answer> forAll;
    for (UnsavedWork *piece : changed) {
        Answer answer = Answer::Cancel;
        if (forAll) {
            answer = *forAll;
            // A page saved under 全部保存 may still ask for a file name: it is shown first.
            if (answer == Answer::Save && beforeAsking)
                beforeAsking(*piece);
        } else {
            if (beforeAsking)
                beforeAsking(*piece);
            answer = reporter.ask(saveQuestion(piece->unsavedDescription()), kApplicationTitle, kind);
            if (answer == Answer::SaveAll || answer == Answer::DiscardAll)
                forAll = answer = (answer == Answer::SaveAll ? Answer::Save : Answer::Discard);
        }
        switch (answer) {
        case Answer::Save:
        case Answer::SaveAll:
            if (!piece->saveChanges())
                return false;
            break;
        case Answer::Discard:
        case Answer::DiscardAll:
            piece->discardChanges();
            break;
        case Answer::Cancel:
            return false;
        }
    }
    return true;
}

} // namespace mhbk

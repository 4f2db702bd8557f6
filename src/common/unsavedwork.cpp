#include "common/unsavedwork.h"

#include "common/reporter.h"

namespace mhbk {

QString saveQuestion(const QString &description)
{
    return QStringLiteral("是否保存对%1的修改？").arg(description);
}

bool settleUnsavedWork(const std::vector<UnsavedWork *> &work, Reporter &reporter,
                       const std::function<void(UnsavedWork &)> &beforeAsking)
{
    for (UnsavedWork *piece : work) {
        if (!piece->hasUnsavedChanges())
            continue;
        if (beforeAsking)
            beforeAsking(*piece);
        switch (reporter.ask(saveQuestion(piece->unsavedDescription()), kApplicationTitle,
                             QuestionKind::SaveDiscardCancel)) {
        case Answer::Save:
            if (!piece->saveChanges())
                return false;
            break;
        case Answer::Discard:
            break;
        case Answer::Cancel:
            return false;
        }
    }
    return true;
}

} // namespace mhbk

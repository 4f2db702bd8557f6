// The questions before closing, answered from a queue: which pieces are asked about, in what
// order, which are saved, and whether closing may go on.
#include "common/reporter.h"
#include "common/unsavedwork.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using mhbk::Answer;

class Piece : public mhbk::UnsavedWork {
public:
    Piece(QString name, bool changed, bool saves = true) : name_(std::move(name)), changed_(changed), saves_(saves) {}
    bool hasUnsavedChanges() override { return changed_; }
    QString unsavedDescription() const override { return name_; }
    bool saveChanges() override
    {
        ++saved;
        if (saves_)
            changed_ = false;
        return saves_;
    }
    void discardChanges() override { ++discarded; }
    int saved = 0;
    int discarded = 0;

private:
    QString name_;
    bool changed_;
    bool saves_;
};

struct SettleCase {
    const char *label;
    std::vector<bool> changed;   // per piece
    std::vector<bool> saves;     // per piece: whether its save succeeds
    std::vector<Answer> answers; // queued, in order
    bool mayClose;
    std::vector<int> asked;      // pieces asked about, in order
    std::vector<int> saved;      // times each piece was saved
};

class Settle : public ::testing::TestWithParam<SettleCase> {};

TEST_P(Settle, AsksEachChangedPieceAndStopsAtCancelOrAFailedSave)
{
    const SettleCase &c = GetParam();
    std::vector<std::unique_ptr<Piece>> pieces;
    std::vector<mhbk::UnsavedWork *> work;
    for (std::size_t i = 0; i < c.changed.size(); ++i) {
        pieces.push_back(std::make_unique<Piece>(QStringLiteral("表%1").arg(i), c.changed[i], c.saves[i]));
        work.push_back(pieces.back().get());
    }
    mhbk::RecordingReporter reporter;
    reporter.answerWith(c.answers);
    std::vector<int> shown;
    const bool mayClose = mhbk::settleUnsavedWork(work, reporter, [&](mhbk::UnsavedWork &piece) {
        for (std::size_t i = 0; i < work.size(); ++i)
            if (work[i] == &piece)
                shown.push_back(static_cast<int>(i));
    });
    EXPECT_EQ(mayClose, c.mayClose);
    EXPECT_EQ(shown, c.asked);
    ASSERT_EQ(reporter.questionCount(), c.asked.size());
    for (std::size_t q = 0; q < c.asked.size(); ++q) {
        EXPECT_EQ(reporter.entries()[q].text, QStringLiteral("是否保存对表%1的修改？").arg(c.asked[q]));
        EXPECT_EQ(reporter.entries()[q].icon, mhbk::MessageIcon::Question);
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        EXPECT_EQ(pieces[i]->saved, c.saved[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Settle,
    ::testing::Values(
        SettleCase{"NothingChanged", {false, false}, {true, true}, {}, true, {}, {0, 0}},
        SettleCase{"SaveOne", {false, true}, {true, true}, {Answer::Save}, true, {1}, {0, 1}},
        SettleCase{"DiscardThenSave", {true, true}, {true, true}, {Answer::Discard, Answer::Save}, true, {0, 1}, {0, 1}},
        SettleCase{"CancelStopsAtTheFirst", {true, true}, {true, true}, {Answer::Cancel}, false, {0}, {0, 0}},
        SettleCase{"CancelAfterASave", {true, true}, {true, true}, {Answer::Save, Answer::Cancel}, false, {0, 1}, {1, 0}},
        SettleCase{"FailedSaveKeepsTheWindow", {true, true}, {false, true}, {Answer::Save}, false, {0}, {1, 0}},
        // An unanswered question (the box closed) is 取消: the safe answer.
        SettleCase{"NoAnswerIsCancel", {true}, {true}, {}, false, {0}, {0}}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(Settle, SeveralChangedPiecesMayBeSettledWithOneAnswer)
{
    const struct {
        const char *label;
        std::vector<bool> changed;
        std::vector<Answer> answers;
        std::size_t questions;
        std::vector<int> saved, discarded;
        mhbk::QuestionKind kind; // of the questions asked
    } cases[] = {
        {"全部保存 at the first", {true, true, true}, {Answer::SaveAll}, 1, {1, 1, 1}, {0, 0, 0},
         mhbk::QuestionKind::SaveDiscardAllCancel},
        {"不保存, then 全部保存", {true, false, true, true}, {Answer::Discard, Answer::SaveAll}, 2, {0, 0, 1, 1},
         {1, 0, 0, 0}, mhbk::QuestionKind::SaveDiscardAllCancel},
        {"全部不保存 at the second", {true, true, true}, {Answer::Save, Answer::DiscardAll}, 2, {1, 0, 0}, {0, 1, 1},
         mhbk::QuestionKind::SaveDiscardAllCancel},
        // One changed piece is asked the plain question.
        {"one piece", {false, true}, {Answer::Discard}, 1, {0, 0}, {0, 1}, mhbk::QuestionKind::SaveDiscardCancel},
    };
    for (const auto &c : cases) {
        std::vector<std::unique_ptr<Piece>> pieces;
        std::vector<mhbk::UnsavedWork *> work;
        for (std::size_t i = 0; i < c.changed.size(); ++i) {
            pieces.push_back(std::make_unique<Piece>(QStringLiteral("表%1").arg(i), c.changed[i]));
            work.push_back(pieces.back().get());
        }
        struct KindRecorder : mhbk::RecordingReporter {
            std::vector<mhbk::QuestionKind> kinds;
            Answer ask(const QString &text, const QString &caption, mhbk::QuestionKind kind) override
            {
                kinds.push_back(kind);
                return RecordingReporter::ask(text, caption, kind);
            }
        } reporter;
        reporter.answerWith(c.answers);
        EXPECT_TRUE(mhbk::settleUnsavedWork(work, reporter)) << c.label;
        EXPECT_EQ(reporter.questionCount(), c.questions) << c.label;
        for (const mhbk::QuestionKind kind : reporter.kinds)
            EXPECT_EQ(kind, c.kind) << c.label;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i]->saved, c.saved[i]) << c.label << " piece " << i;
            EXPECT_EQ(pieces[i]->discarded, c.discarded[i]) << c.label << " piece " << i;
        }
    }
}

TEST(SaveQuestion, NamesWhatWouldBeLost)
{
    EXPECT_EQ(mhbk::saveQuestion(QStringLiteral("常用材料密度")), QStringLiteral("是否保存对常用材料密度的修改？"));
}

} // namespace

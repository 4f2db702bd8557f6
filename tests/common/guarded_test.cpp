#include "common/errors.h"
#include "common/guarded.h"
#include "common/reporter.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace mhbk {
namespace {

struct Thrown {
    const char *name;
    std::function<void()> raise;
    QString report;
};

void PrintTo(const Thrown &thrown, std::ostream *os) { *os << thrown.name; }

class GuardedHandler : public ::testing::TestWithParam<Thrown> {};

// Each kind of error thrown from a handler behind a real mouse click becomes the general error
// report, and the button goes on working: the error never reached Qt's event dispatch.
TEST_P(GuardedHandler, ErrorFromAClickedHandlerIsReportedAndTheButtonStillWorks)
{
    RecordingReporter reporter;
    QPushButton button(QStringLiteral("x"));
    button.show();
    int calls = 0;
    connectGuarded(&button, &QPushButton::clicked, &button, reporter, [&] {
        ++calls;
        GetParam().raise();
    });

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);

    EXPECT_EQ(calls, 2);
    ASSERT_EQ(reporter.size(), 2u);
    EXPECT_EQ(reporter.last().text, GetParam().report);
    EXPECT_EQ(reporter.last().caption, kApplicationTitle);
    EXPECT_EQ(reporter.last().icon, MessageIcon::Critical);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, GuardedHandler,
    ::testing::Values(Thrown{"AppError", [] { throw ConversionError(QStringLiteral("'x' 不是有效的数")); },
                             QStringLiteral("'x' 不是有效的数.")},
                      Thrown{"StdException", [] { throw std::runtime_error("disk full"); }, QStringLiteral("disk full.")},
                      Thrown{"Unknown", [] { throw 42; }, QStringLiteral("未知错误.")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ConnectGuarded, PassesTheLeadingSignalArgumentsTheHandlerTakes)
{
    RecordingReporter reporter;
    QComboBox box;
    box.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    int index = -1;
    QString text;
    int bare = 0;
    connectGuarded(&box, &QComboBox::currentIndexChanged, &box, reporter, [&](int i) { index = i; });
    connectGuarded(&box, &QComboBox::currentTextChanged, &box, reporter, [&](const QString &t) { text = t; });
    connectGuarded(&box, &QComboBox::currentIndexChanged, &box, reporter, [&] { ++bare; });

    box.setCurrentIndex(2);

    EXPECT_EQ(index, 2);
    EXPECT_EQ(text, QStringLiteral("c"));
    EXPECT_EQ(bare, 1);
    EXPECT_TRUE(reporter.empty());
}

TEST(ConnectGuarded, EndsWithItsContext)
{
    RecordingReporter reporter;
    QPushButton button;
    auto context = std::make_unique<QObject>();
    int calls = 0;
    connectGuarded(&button, &QPushButton::clicked, context.get(), reporter, [&] { ++calls; });
    button.click();
    context.reset();
    button.click();
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace mhbk

#include "expr/calculatorpages.h"

#include "common/guarded.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "widgets/clampingspinbox.h"
#include "widgets/resultfield.h"
#include "expr/historypanel.h"
#include "history/historystore.h"
#include "numbers/numtext.h"
#include "expr/scriptservice.h"

#include <QDateTime>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace mhbk {

namespace {

constexpr int kMinDigits = 0;
constexpr int kMaxDigits = 10;
constexpr int kDefaultDigits = 1;

enum class KeyAction { Insert, InsertFunction, Clear, Evaluate };

// The keypad on a grid of 60 narrow columns, so that five keys, three wide keys plus one,
// and two half-width keys all line up: a key of the main block spans 12.
struct KeypadKey {
    const char *name;
    const char *caption;
    const char *hint;
    const char *text; // what the key inserts
    KeyAction action;
    int row;
    int column;
    int span;
};

// The Pi key types π as digits into the expression, where the user reads and may edit them;
// five decimals keep the expression short, and the users' own records of results were
// calculated with this value, so it is kept rather than made more precise.
constexpr char kPiKeyText[] = "3.14159";

constexpr KeypadKey kKeys[] = {
    {"SpeedButton7", "7", "", "7", KeyAction::Insert, 0, 0, 12},
    {"SpeedButton8", "8", "", "8", KeyAction::Insert, 0, 12, 12},
    {"SpeedButton9", "9", "", "9", KeyAction::Insert, 0, 24, 12},
    {"SpeedButton13", "+", "", "+", KeyAction::Insert, 0, 36, 12},
    {"SpeedButton20", "正弦", "", "sin()", KeyAction::InsertFunction, 0, 48, 12},
    {"SpeedButton4", "4", "", "4", KeyAction::Insert, 1, 0, 12},
    {"SpeedButton5", "5", "", "5", KeyAction::Insert, 1, 12, 12},
    {"SpeedButton6", "6", "", "6", KeyAction::Insert, 1, 24, 12},
    {"SpeedButton14", "-", "", "-", KeyAction::Insert, 1, 36, 12},
    {"SpeedButton21", "余弦", "", "cos()", KeyAction::InsertFunction, 1, 48, 12},
    {"SpeedButton1", "1", "", "1", KeyAction::Insert, 2, 0, 12},
    {"SpeedButton2", "2", "", "2", KeyAction::Insert, 2, 12, 12},
    {"SpeedButton3", "3", "", "3", KeyAction::Insert, 2, 24, 12},
    {"SpeedButton15", "*", "", "*", KeyAction::Insert, 2, 36, 12},
    {"SpeedButton22", "正切", "", "tan()", KeyAction::InsertFunction, 2, 48, 12},
    {"SpeedButton0", "0", "", "0", KeyAction::Insert, 3, 0, 12},
    {"SpeedButton10", ".", "", ".", KeyAction::Insert, 3, 12, 12},
    {"SpeedButton11", "^", "乘方", "^", KeyAction::Insert, 3, 24, 12},
    {"SpeedButton16", "/", "", "/", KeyAction::Insert, 3, 36, 12},
    {"SpeedButton23", "反正切", "", "atn()", KeyAction::InsertFunction, 3, 48, 12},
    {"SpeedButton17", "(", "", "(", KeyAction::Insert, 4, 0, 12},
    {"SpeedButton18", ")", "", ")", KeyAction::Insert, 4, 12, 12},
    {"SpeedButton19", "Pi", "", kPiKeyText, KeyAction::Insert, 4, 24, 12},
    {"SpeedButton12", "exp", "e 的幂次方", "exp()", KeyAction::InsertFunction, 4, 36, 12},
    {"SpeedButton30", "取整", "", "round()", KeyAction::InsertFunction, 4, 48, 12},
    {"SpeedButton27", "平方", "", "^2", KeyAction::Insert, 5, 0, 16},
    {"SpeedButton29", "绝对值", "", "abs()", KeyAction::InsertFunction, 5, 16, 16},
    {"SpeedButton28", "平方根", "", "sqr()", KeyAction::InsertFunction, 5, 32, 16},
    {"SpeedButton26", "log", "自然对数", "log()", KeyAction::InsertFunction, 5, 48, 12},
    {"SpeedButton25", "清空", "", "", KeyAction::Clear, 6, 0, 30},
    {"SpeedButton24", "=", "", "", KeyAction::Evaluate, 6, 30, 30},
};

constexpr int kGridColumns = 60;

// The keypad's handlers and the expression bar's key and focus behaviour.
class CalculatorController : public QObject {
public:
    CalculatorController(QObject *parent, PageHost &host, ExpressionBar bar, ScriptEvaluator &script,
                         QSpinBox *digits, history::HistoryStore *history)
        : QObject(parent), host_(host), reporter_(host.reporter()), bar_(bar), script_(script), digits_(digits),
          history_(history)
    {
        bar_.calculation->installEventFilter(this);
    }

    Reporter &reporter() { return reporter_; }

    void keyClick(const KeypadKey &key)
    {
        switch (key.action) {
        case KeyAction::Insert:
        case KeyAction::InsertFunction:
            insertClick(QString::fromUtf8(key.text), key.action == KeyAction::InsertFunction);
            break;
        case KeyAction::Clear:
            clearExpression();
            break;
        case KeyAction::Evaluate:
            evaluateExpression();
            break;
        }
    }

    // "=": evaluate the expression as it stands and show it with the mask.
    void evaluateExpression()
    {
        const int digits = decimalPlaces(*digits_);
        const QString expression = bar_.calculation->text();
        const ScriptEvaluator::Outcome outcome = script_.evaluateReported(expression, digits);
        bar_.result->setText(formatResult(outcome.value, digits, QLocale::system().decimalPoint()));
        // VBScript reads an unknown name as an empty variable; the result stands, but a
        // mistyped constant must not pass unnoticed.
        if (!outcome.namesTakenAsZero.isEmpty())
            host_.showStatus(outcome.zeroNamesNote());
        if (history_ && !outcome.error)
            history_->add({QDateTime::currentDateTime(), history::Kind::Expression, expression, bar_.result->text(), {}});
    }

    // An expression from the history back in the expression bar, ready for editing or "=".
    void recall(const QString &expression)
    {
        bar_.calculation->setText(expression);
        bar_.calculation->setFocus(Qt::OtherFocusReason);
        bar_.calculation->deselect();
        bar_.calculation->end(false);
    }

    // "清空": the expression only; the last result stays readable.
    void clearExpression()
    {
        bar_.calculation->clear();
        enterExpression();
        bar_.calculation->setCursorPosition(0);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == bar_.calculation) {
            if (event->type() == QEvent::FocusIn)
                onExpressionFocused(static_cast<QFocusEvent *>(event)->reason());
            else if (event->type() == QEvent::KeyPress)
                runGuarded(reporter_, [this, event] { onExpressionKey(static_cast<QKeyEvent *>(event)->key()); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Select-all on entry, except for a mouse click, which places the caret itself, and for
    // the window merely becoming active again.
    void onExpressionFocused(Qt::FocusReason reason)
    {
        if (reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            bar_.calculation->selectAll();
    }

    void onExpressionKey(int key)
    {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            evaluateExpression();
    }

    // The keys take no focus, so the window's focus widget tells whether the expression
    // field already had it; coming from elsewhere counts as entering it.
    void enterExpression()
    {
        QLineEdit *field = bar_.calculation;
        const bool entering = field->window()->focusWidget() != field;
        field->setFocus(Qt::OtherFocusReason);
        if (entering)
            field->selectAll();
    }

    void insertClick(const QString &text, bool betweenParentheses)
    {
        enterExpression();
        bar_.calculation->insert(text);
        if (betweenParentheses)
            bar_.calculation->cursorBackward(false, 1);
    }

    PageHost &host_;
    Reporter &reporter_;
    ExpressionBar bar_;
    ScriptEvaluator &script_;
    QSpinBox *digits_;
    history::HistoryStore *history_;
};

QToolButton *makeKey(QWidget *page, const KeypadKey &key)
{
    auto *button = new QToolButton(page);
    button->setObjectName(QString::fromLatin1(key.name));
    button->setText(QString::fromUtf8(key.caption));
    button->setToolTip(QString::fromUtf8(key.hint));
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(31, 27);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont font = button->font();
    font.setPixelSize(key.caption == std::string_view(".") ? 16 : 12);
    button->setFont(font);
    return button;
}

void buildKeypad(QWidget *page, CalculatorController &controller, history::HistoryStore *history)
{
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    for (int column = 0; column < kGridColumns; ++column)
        grid->setColumnStretch(column, 1);
    for (const KeypadKey &key : kKeys) {
        QToolButton *button = makeKey(page, key);
        grid->addWidget(button, key.row, key.column, 1, key.span);
        connectGuarded(button, &QToolButton::clicked, &controller, controller.reporter(),
                       [&controller, &key] { controller.keyClick(key); });
    }
    auto *outer = new QVBoxLayout(page);
    auto *row = new QHBoxLayout;
    if (history) {
        // The keys keep their height at the top; the list beside them takes the page's height.
        auto *keys = new QVBoxLayout;
        keys->addLayout(grid);
        keys->addStretch(1);
        row->addLayout(keys, 3);
        row->addSpacing(grid->spacing() * 6);
        row->addWidget(new HistoryPanel(page, *history, controller.reporter(),
                                        [&controller](const QString &text) { controller.recall(text); }),
                       2);
        outer->addLayout(row, 1);
        return;
    }
    row->addLayout(grid);
    row->addStretch(1);
    outer->addLayout(row);
    outer->addStretch(1);
}

QSpinBox *buildDecimalPlacesPage(QWidget *page)
{
    auto *label = new QLabel(QStringLiteral("保留小数位数："), page);
    auto *spin = new ClampingSpinBox(page);
    spin->setObjectName(QStringLiteral("SpinEdit1"));
    spin->setRange(kMinDigits, kMaxDigits);
    spin->setSingleStep(1);
    spin->setValue(kDefaultDigits);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(spin);
    row->addStretch(1);
    auto *outer = new QVBoxLayout(page);
    outer->addLayout(row);
    outer->addStretch(1);
    return spin;
}

} // namespace

int decimalPlaces(const QSpinBox &spin)
{
    bool ok = false;
    const int value = spin.cleanText().trimmed().toInt(&ok);
    return ok ? std::clamp(value, kMinDigits, kMaxDigits) : 0;
}

void installCalculatorPages(PageHost &host, ExpressionBar bar, ScriptEvaluator &script, history::HistoryStore *history)
{
    QWidget *keypad = host.page(pages::ofKind(PageKind::Calculator).front());
    QSpinBox *digits = buildDecimalPlacesPage(host.page(pages::ofKind(PageKind::DecimalPlaces).front()));
    auto *controller = new CalculatorController(keypad, host, bar, script, digits, history);
    buildKeypad(keypad, *controller, history);
    addResultFieldActions(bar.result);
}

} // namespace mhbk

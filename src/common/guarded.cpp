#include "common/guarded.h"

#include "common/errors.h"
#include "common/reporter.h"

namespace mhbk {

void runGuarded(Reporter &reporter, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const AppError &e) {
        reporter.reportError(e.message());
    } catch (const std::exception &e) {
        reporter.reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        // Nothing may leave a handler, not even an error of no known kind.
        reporter.reportError(QStringLiteral("未知错误"));
    }
}

} // namespace mhbk

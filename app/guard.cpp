#include "app/guard.h"

#include <QString>
#include <exception>
#include <new>

#include "app/prompter.h"
#include "core/fpfault.h"
#include "core/progress.h"

void runGuarded(TPrompter& prompter, QWidget* parent, const std::function<void()>& handler) {
  QString message;
  try {
    handler();
    return;
  } catch (const statorium::Cancelled&) {
    // The user stopped the work: no failure to report, and no fault flag it left may count.
    statorium::clearFpFaults();
    return;
  } catch (const std::bad_alloc&) {
    message = QStringLiteral("Out of memory");
  } catch (const std::exception& e) {
    message = QString::fromUtf8(e.what());
  } catch (...) {
    message = QStringLiteral("Unexpected error");
  }
  // A fault flag left raised by the failed step must not be blamed on the next action.
  statorium::clearFpFaults();
  prompter.showError(parent, message);
}

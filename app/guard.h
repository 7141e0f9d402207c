#pragma once
// Event handlers run through runGuarded: an error that escapes the handler ends the user's
// action and is shown in one error box; the program stays usable.

#include <functional>

class QWidget;
class TPrompter;

/// Runs `handler`; an exception it throws is reported with TPrompter::showError, except
/// statorium::Cancelled: the user stopped the work, which is no error.
void runGuarded(TPrompter& prompter, QWidget* parent, const std::function<void()>& handler);

#pragma once

#include "ErrorBox.h"
#include "Exception.h"

#include <exception>
#include <utility>

// Every event handler that can fail runs through here: the exception is
// caught and shown in the standard error box, and the program goes on.
// Returns false when the handler failed.
namespace ErrorGuard {

template<typename F>
bool run(F &&handler) noexcept
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (const std::exception &e) {
        ErrorBox::showError(Exception::messageOf(e));
    } catch (...) {
        ErrorBox::showError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace ErrorGuard

#pragma once

#include <QString>
#include <functional>

class QWidget;

// The standard message boxes of the system. Tests replace the presenter so
// that nothing modal blocks them; the texts are the same either way.
namespace ErrorBox {

enum class Kind { Error, Information };

using Presenter = std::function<void(Kind kind, const QString &caption, const QString &text)>;

// Installs a presenter (an empty one restores the real message boxes).
void setPresenter(Presenter presenter);

// The error text as the box shows it: a full stop appended when the last
// character sorts after ".".
QString errorText(const QString &message);

// Error icon, the program's title as caption, OK.
void showError(const QString &message);

// Caption "提示", OK: the user messages such as "成功！".
void showInfo(const QString &text);

} // namespace ErrorBox

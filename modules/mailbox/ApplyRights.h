#pragma once

class QStringList;
class QWidget;

namespace zaskar {

// Shows the controls of a module form that the rights list names, first
// entry to last. An entry reads "id=ComponentName,Caption": the name is
// matched without regard to ASCII case among all the form's descendants, a
// non-empty caption replaces the control's caption. Entries naming nothing,
// or something that is not a widget, change nothing.
void ApplyRights(const QStringList *rights, QWidget *form);

} // namespace zaskar

#include "TDllForm1.h"

#include "ApplyRights.h"
#include "ModuleState.h"

#include <QShowEvent>

namespace zaskar {

TDllForm1::TDllForm1(QWidget *parent)
    : TDllForm(parent)
{
    setObjectName(QStringLiteral("DllForm1"));
}

void TDllForm1::showEvent(QShowEvent *event)
{
    TDllForm::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TDllForm1::FormShow()
{
    ApplyRights(ModuleState::instance().rightsList(), this);
}

} // namespace zaskar

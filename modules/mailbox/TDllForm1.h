#pragma once

#include "TDllForm.h"

namespace zaskar {

// The module's form: for now the inherited design only.
class TDllForm1 : public TDllForm
{
    Q_OBJECT
public:
    explicit TDllForm1(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
};

} // namespace zaskar

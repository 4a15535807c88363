#pragma once

#include "TPageForm.h"

#include <memory>

class TDM;
class QLineEdit;
namespace Ui { class TcompInfoForm; }

// Company page: application name and publisher line of the main window.
// The boxes start empty; the page never shows the stored values.
class TcompInfoForm : public TPageForm
{
    Q_OBJECT
public:
    explicit TcompInfoForm(TDM *dm, QWidget *parent = nullptr);
    ~TcompInfoForm() override;

    Ui::TcompInfoForm *ui() const { return m_ui.get(); }

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    void apply(QLineEdit *box, const char *statement, const char *param);

    std::unique_ptr<Ui::TcompInfoForm> m_ui;
    TDM *m_dm;
};

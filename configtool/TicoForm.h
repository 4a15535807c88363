#pragma once

#include "TPageForm.h"

#include <memory>

class TDM;
class TOpenDialog;
namespace Ui { class TicoForm; }

// Icon page: the application icon of the main window, from an .ico file.
class TicoForm : public TPageForm
{
    Q_OBJECT
public:
    explicit TicoForm(TDM *dm, QWidget *parent = nullptr);
    ~TicoForm() override;

    Ui::TicoForm *ui() const { return m_ui.get(); }

public slots:
    void BitBtn5Click();
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TicoForm> m_ui;
    std::unique_ptr<TOpenDialog> m_openIco;
    TDM *m_dm;
};

#pragma once

#include "TPageForm.h"

#include <QVector>

#include <memory>

class TDM;
class TLoginSetForm;
class TOpenDialog;
class QLineEdit;
class QPushButton;
namespace Ui { class TLoginForm; }

// Login screen page: the background, style and button pictures of the
// login window (row 1 of LOGIN_INFO). The background waits for "应用";
// the rest commits when chosen. "设计" opens the layout designer.
class TLoginForm : public TPageForm
{
    Q_OBJECT
public:
    explicit TLoginForm(TDM *dm, QWidget *parent = nullptr);
    ~TLoginForm() override;

    // The designer "设计" opens; it is created after the pages.
    void setDesigner(TLoginSetForm *designer) { m_designer = designer; }

    Ui::TLoginForm *ui() const { return m_ui.get(); }

public slots:
    void BitBtn4Click();
    void BitBtn5Click();
    void rdBtnStdClick();
    void rdbtnShaClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn6Click();

protected:
    void FormShow() override;

private:
    struct PositionRow {
        const char *column;
        QVector<QLineEdit *> boxes; // Left, Top (, Width, Height)
    };
    struct PictureRow {
        const char *column;
        bool background; // waits for "应用", shows its path
    };

    void choosePicture(const PictureRow &row);
    void writeStyle(int flag);

    std::unique_ptr<Ui::TLoginForm> m_ui;
    std::unique_ptr<TOpenDialog> m_openBmp;
    TDM *m_dm;
    TLoginSetForm *m_designer = nullptr;
    QVector<PositionRow> m_positions;
};

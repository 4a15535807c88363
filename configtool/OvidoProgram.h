#pragma once

#include <QString>

#include <memory>

class TDM;
class TmainForm;
class TsubMainForm;
class TLoginForm;
class TicoForm;
class TcompInfoForm;
class TLoginSetForm;

// The program's objects in their start order: the data module, the main
// window, the four pages (hidden), the layout designer (hidden). They live
// until the program ends; nothing touches the database before a page does.
class OvidoProgram
{
public:
    explicit OvidoProgram(const QString &programDir);
    ~OvidoProgram();

    TDM *dm() const { return m_dm.get(); }
    TmainForm *mainForm() const { return m_mainForm.get(); }
    TsubMainForm *subMainForm() const { return m_subMainForm.get(); }
    TLoginForm *loginForm() const { return m_loginForm.get(); }
    TicoForm *icoForm() const { return m_icoForm.get(); }
    TcompInfoForm *compInfoForm() const { return m_compInfoForm.get(); }
    TLoginSetForm *loginSetForm() const { return m_loginSetForm; }

private:
    // Declared so that the pages go before the main window whose panel holds them.
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TmainForm> m_mainForm;
    TLoginSetForm *m_loginSetForm = nullptr; // owned by the main window
    std::unique_ptr<TsubMainForm> m_subMainForm;
    std::unique_ptr<TLoginForm> m_loginForm;
    std::unique_ptr<TicoForm> m_icoForm;
    std::unique_ptr<TcompInfoForm> m_compInfoForm;
};

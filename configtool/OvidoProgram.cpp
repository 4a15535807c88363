#include "OvidoProgram.h"

#include "TDM.h"
#include "TLoginForm.h"
#include "TLoginSetForm.h"
#include "TcompInfoForm.h"
#include "TicoForm.h"
#include "TmainForm.h"
#include "TsubMainForm.h"

OvidoProgram::OvidoProgram(const QString &programDir)
{
    m_dm.reset(new TDM(programDir));
    m_mainForm.reset(new TmainForm);
    m_subMainForm.reset(new TsubMainForm(m_dm.get()));
    m_loginForm.reset(new TLoginForm(m_dm.get()));
    m_icoForm.reset(new TicoForm(m_dm.get()));
    m_compInfoForm.reset(new TcompInfoForm(m_dm.get()));
    m_loginSetForm = new TLoginSetForm(m_dm.get(), m_mainForm.get());
    m_loginForm->setDesigner(m_loginSetForm);
    m_mainForm->setPages({m_icoForm.get(), m_loginForm.get(), m_subMainForm.get(), m_compInfoForm.get()});
}

OvidoProgram::~OvidoProgram()
{
    // Pages first: they may sit in the main window's panel.
    m_compInfoForm.reset();
    m_icoForm.reset();
    m_loginForm.reset();
    m_subMainForm.reset();
    m_mainForm.reset();
    m_dm.reset();
}

#pragma once

#include "SignInRecord.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class TSoapConnection;
class THTTPRIO;

namespace zaskar {

class TDM;

// What a module library keeps between its entry-point calls: references to
// the host's objects (never freed here), a copy of the sign-in record and the
// one module form. One set per loaded library.
class ModuleState
{
public:
    static ModuleState &instance();

    TSoapConnection *connection() const { return m_connection; }
    THTTPRIO *invoker() const { return m_invoker; }
    QWidget *hostPanel() const { return m_hostPanel; }
    QStringList *rightsList() const { return m_rightsList; }
    const SignInRecord &signIn() const { return m_signIn; }
    QWidget *form() const { return m_form; }
    // The module's data module, made when the library starts.
    TDM *dataModule() const { return m_dataModule; }

    void store(TSoapConnection *connection, THTTPRIO *invoker, const TUserInfo &record,
               QStringList *rightsList, QWidget *hostPanel);
    void setForm(QWidget *form) { m_form = form; }
    void setDataModule(TDM *dm) { m_dataModule = dm; }

private:
    ModuleState() = default;

    TSoapConnection *m_connection = nullptr;
    THTTPRIO *m_invoker = nullptr;
    // Guarded: a host that frees its panel first must not leave us a dangling pointer.
    QPointer<QWidget> m_hostPanel;
    QStringList *m_rightsList = nullptr;
    SignInRecord m_signIn;
    QPointer<QWidget> m_form;
    TDM *m_dataModule = nullptr;
};

} // namespace zaskar

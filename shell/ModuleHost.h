#pragma once

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class QLibrary;
class QTreeWidgetItem;
class SignInRecord;
class TSoapConnection;
class THTTPRIO;

// Opens one module library at a time inside the host panel: loads it, calls
// its Create_FormInDllAsChild with the twelve arguments, keeps the form it
// returns and fits it to the panel; releases it (Free_FormInDllAsChild, then
// unload) before the next one is opened. Owns the rights list and the
// parameter list it hands to the open module; everything else it passes
// belongs to the caller and must outlive the host.
class ModuleHost
{
public:
    struct Shared
    {
        TSoapConnection *connection = nullptr; // SoapConn
        THTTPRIO *invoker = nullptr;           // mainHTTPRIO
        const SignInRecord *signIn = nullptr;
        QWidget *hostPanel = nullptr;          // pShowForm
        const QStringList *controlRights = nullptr;
        QString baseUrl;                       // "url" of Config.ini, as read
        QString programDir;                    // libraries resolve against it
    };

    explicit ModuleHost(const Shared &shared);
    ~ModuleHost();

    ModuleHost(const ModuleHost &) = delete;
    ModuleHost &operator=(const ModuleHost &) = delete;

    // Where the path of the selected node is shown (status bar panel 1).
    void setPathTarget(std::function<void(const QString &path)> target) { m_pathTarget = std::move(target); }

    // The event handlers. They never throw: a module's error goes to the
    // standard error box. Return false when an error was shown.
    bool nodeChanged(QTreeWidgetItem *node) noexcept;     // tree selection change
    bool quickButtonClicked(QObject *button) noexcept;    // a TQuickButton
    void splitterChanged(QWidget *splitter) noexcept;     // splitter moved

    // True while the open module's form says that a blocking call of its own
    // is running. Choices made meanwhile wait: the last one runs when the
    // module is idle again, since releasing the module now would unload code
    // that is still on the stack.
    bool isBusy() const;
    bool hasPending() const { return bool(m_pending); }
    // While busy: keeps the action (replacing one kept before) to run once
    // the module is idle, and returns true. Otherwise does nothing.
    bool postponeWhileBusy(std::function<void()> action);

    // The same without the guard: a module's error is thrown as Exception.
    void openNode(QTreeWidgetItem *node);
    void openButton(QObject *button);

    // Loads the library at the module path ("Modules\\X.dll") and calls its
    // entry point. A missing library or entry shows nothing and says nothing;
    // a path leading out of the Modules directory is refused with Exception.
    void CreateModuleForm(const QString &modulePath);
    // Frees the form through the library and unloads it, swallowing errors.
    void FreeModuleForm() noexcept;
    // Sizes the form to the panel's client area; errors are swallowed.
    static void FitModuleForm(QWidget *form, QWidget *panel) noexcept;

    // "Top->...->Node".
    static QString nodePath(const QTreeWidgetItem *node);

    QWidget *hostedForm() const { return m_form; }
    bool holdsLibrary() const { return m_library != nullptr; }
    QString libraryFile() const;
    const QString &modulePath() const { return m_modulePath; }
    const QStringList &rightsList() const { return m_rightsList; }
    const QStringList &parameterList() const { return m_parameterList; }

private:
    void openModule(qint32 id, const QString &objName);
    void destroyLeftovers() noexcept;

    Shared m_shared;
    std::function<void(const QString &)> m_pathTarget;
    QLibrary *m_library = nullptr;
    QPointer<QWidget> m_form;
    // Widgets the module put into the panel while it was created.
    QList<QPointer<QWidget>> m_panelWidgets;
    QString m_modulePath;
    QStringList m_rightsList;
    QStringList m_parameterList;
    std::function<void()> m_pending;
    QTimer m_idleTimer;
};

#include "ModuleHost.h"

#include "EntryPoints.h"
#include "ErrorGuard.h"
#include "Exception.h"
#include "LibraryPath.h"
#include "ModuleRightsList.h"
#include "SignInRecord.h"
#include "TModuleInfo.h"
#include "TQuickButton.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QTreeWidgetItem>

#include <dlfcn.h>

namespace {

// True when the object's class is compiled into the given library: such an
// object must be gone before the library's code is unmapped.
bool classFromLibrary(const QObject *object, const QString &canonicalLibrary)
{
    Dl_info info;
    if (!dladdr(static_cast<const void *>(object->metaObject()), &info) || !info.dli_fname)
        return false;
    return QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath() == canonicalLibrary;
}

} // namespace

ModuleHost::ModuleHost(const Shared &shared)
    : m_shared(shared)
{
    if (m_shared.programDir.isEmpty())
        m_shared.programDir = LibraryPath::programDir();
    m_idleTimer.setInterval(50);
    QObject::connect(&m_idleTimer, &QTimer::timeout, [this] {
        if (isBusy())
            return;
        m_idleTimer.stop();
        auto action = std::move(m_pending);
        m_pending = nullptr;
        if (action)
            action();
    });
}

ModuleHost::~ModuleHost()
{
    FreeModuleForm();
}

QString ModuleHost::libraryFile() const
{
    return m_library ? m_library->fileName() : QString();
}

bool ModuleHost::nodeChanged(QTreeWidgetItem *node) noexcept
{
    // The tree is built once and never changes, so the node outlives the wait.
    if (postponeWhileBusy([this, node] { nodeChanged(node); }))
        return true;
    return ErrorGuard::run([&] { openNode(node); });
}

bool ModuleHost::quickButtonClicked(QObject *button) noexcept
{
    QPointer<QObject> guarded(button);
    if (postponeWhileBusy([this, guarded] {
            if (guarded)
                quickButtonClicked(guarded);
        }))
        return true;
    return ErrorGuard::run([&] { openButton(button); });
}

bool ModuleHost::isBusy() const
{
    return m_form && m_form->property(EntryPoints::BusyProperty).toBool();
}

bool ModuleHost::postponeWhileBusy(std::function<void()> action)
{
    if (!isBusy())
        return false;
    m_pending = std::move(action);
    if (!m_idleTimer.isActive())
        m_idleTimer.start();
    return true;
}

void ModuleHost::splitterChanged(QWidget *splitter) noexcept
{
    if (splitter)
        splitter->repaint();
    FitModuleForm(m_form, m_shared.hostPanel);
}

void ModuleHost::openNode(QTreeWidgetItem *node)
{
    FreeModuleForm();
    if (m_pathTarget)
        m_pathTarget(nodePath(node));
    const TModuleInfo *info = TModuleInfo::of(node);
    if (!info || info->OBJname.isEmpty() || info->type != 1)
        return;
    openModule(info->id, info->OBJname);
}

void ModuleHost::openButton(QObject *button)
{
    FreeModuleForm();
    // A button opens its module whatever the row's type.
    auto quick = qobject_cast<TQuickButton *>(button);
    if (!quick || quick->hint().isEmpty())
        return;
    openModule(quick->tag(), quick->hint());
}

void ModuleHost::openModule(qint32 id, const QString &objName)
{
    m_rightsList = m_shared.controlRights ? ModuleRightsList::build(*m_shared.controlRights, id) : QStringList();
    m_parameterList = QStringList{QStringLiteral("md_id=") + QString::number(id),
                                  QStringLiteral("baseUrl=") + m_shared.baseUrl};
    m_modulePath = QStringLiteral("Modules\\") + objName;
    CreateModuleForm(m_modulePath);
}

void ModuleHost::CreateModuleForm(const QString &modulePath)
{
    FreeModuleForm(); // one library at a time, whoever calls
    m_modulePath = modulePath;
    const QString file = QDir::cleanPath(LibraryPath::resolve(m_shared.programDir, modulePath));
    // The catalogue names a library in Modules; a name climbing out of it
    // would load code from anywhere on the disk.
    const QString modulesDir = QDir::cleanPath(m_shared.programDir + QStringLiteral("/Modules")) + QLatin1Char('/');
    if (!file.startsWith(modulesDir))
        throw Exception(QStringLiteral("The module library \"%1\" lies outside the directory %2: it is not loaded")
                            .arg(modulePath, QDir::toNativeSeparators(modulesDir)));
    auto library = new QLibrary(file);
    if (!library->load()) {
        delete library;
        return;
    }
    m_library = library;
    auto create = reinterpret_cast<ModuleCreateFormFn>(m_library->resolve(EntryPoints::CreateForm));
    if (!create)
        return;

    QWidget *panel = m_shared.hostPanel;
    const QList<QWidget *> before = panel ? panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)
                                          : QList<QWidget *>();
    auto noteNewWidgets = [&] {
        if (!panel)
            return;
        for (QWidget *w : panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!before.contains(w))
                m_panelWidgets.append(w);
        }
    };
    static const TUserInfo noRecord{};
    const TUserInfo &r = m_shared.signIn ? m_shared.signIn->raw() : noRecord;
    QWidget *form = nullptr;
    try {
        form = create(m_shared.connection, m_shared.invoker, r.Number, r.Text1, r.Text2, r.WelcomeTail,
                      r.WelcomeHead, r.Rights, r.SignedIn, &m_rightsList, panel, &m_parameterList);
    } catch (const std::exception &e) {
        noteNewWidgets();
        // A deep copy: a literal of the module shares its data with the
        // library, and the message outlives the unload.
        const QString message = Exception::messageOf(e);
        throw Exception(QString(message.constData(), message.size()));
    } catch (...) {
        noteNewWidgets();
        throw Exception(QStringLiteral("The module %1 failed while creating its form").arg(modulePath));
    }
    noteNewWidgets();
    m_form = form;
}

void ModuleHost::FreeModuleForm() noexcept
{
    if (!m_library)
        return;
    try {
        if (auto release = reinterpret_cast<ModuleFreeFormFn>(m_library->resolve(EntryPoints::FreeForm)))
            release();
    } catch (...) {
    }
    destroyLeftovers();
    m_library->unload();
    delete m_library;
    m_library = nullptr;
    m_form = nullptr;
    m_panelWidgets.clear();
}

void ModuleHost::destroyLeftovers() noexcept
{
    // A module that failed to destroy its widgets must not leave them behind
    // the unload: their code goes with the library.
    for (const QPointer<QWidget> &w : qAsConst(m_panelWidgets))
        delete w.data();
    const QString lib = QFileInfo(m_library->fileName()).canonicalFilePath();
    QList<QWidget *> suspects = QApplication::topLevelWidgets();
    if (m_shared.hostPanel)
        suspects += m_shared.hostPanel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QList<QPointer<QWidget>> doomed;
    for (QWidget *w : qAsConst(suspects)) {
        if (classFromLibrary(w, lib))
            doomed.append(w);
    }
    for (const QPointer<QWidget> &w : qAsConst(doomed))
        delete w.data();
}

void ModuleHost::FitModuleForm(QWidget *form, QWidget *panel) noexcept
{
    if (!form || !panel)
        return;
    try {
        if (form->metaObject()->indexOfProperty("fillParent") >= 0)
            form->setProperty("fillParent", false);
        form->resize(panel->width(), panel->height());
    } catch (...) {
    }
}

QString ModuleHost::nodePath(const QTreeWidgetItem *node)
{
    QStringList texts;
    for (const QTreeWidgetItem *n = node; n; n = n->parent())
        texts.prepend(n->text(0));
    return texts.join(QStringLiteral("->"));
}

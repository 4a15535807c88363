#include "Skin.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace Skin {

namespace {

const char SkinnedProperty[] = "skinned";

const char Sheet[] = R"(
QWidget[skinned="true"] { color: #1d2b3a; }
QMainWindow[skinned="true"], QDialog[skinned="true"] { background: #e9eff7; }
QPushButton[skinned="true"], QToolButton[skinned="true"][skinnedButton="true"] {
    border: 1px solid #7f9db9; border-radius: 3px; padding: 3px 10px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d6e2f2);
}
QPushButton[skinned="true"]:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #bcd2ef); }
QPushButton[skinned="true"]:pressed { background: #a9c3e6; }
QPushButton[skinned="true"]:disabled { color: #8a96a3; border-color: #b8c6d6; }
QTreeView[skinned="true"], QTreeWidget[skinned="true"], QListView[skinned="true"] {
    background: #ffffff; border: 1px solid #9fb6d3; selection-background-color: #3d7bc4; selection-color: white;
}
QLineEdit[skinned="true"], QComboBox[skinned="true"], QSpinBox[skinned="true"] {
    border: 1px solid #9fb6d3; border-radius: 2px; padding: 1px 3px; background: #ffffff;
}
QStatusBar[skinned="true"] { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dfe8f4, stop:1 #c3d3e9); }
QStatusBar[skinned="true"] QLabel { padding: 0 4px; }
QGroupBox[skinned="true"] { border: 1px solid #9fb6d3; border-radius: 4px; margin-top: 10px; padding-top: 6px; }
QGroupBox[skinned="true"]::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #1f4e8c; }
)";

bool isUnskinned(const QWidget *w)
{
    const QVariant tag = w->property("tag");
    return tag.isValid() && tag.toInt() == UnskinnedTag;
}

void mark(QWidget *w)
{
    w->setProperty(SkinnedProperty, !isUnskinned(w));
    for (QObject *child : w->children()) {
        if (child->isWidgetType())
            mark(static_cast<QWidget *>(child));
    }
}

} // namespace

void apply(QWidget *root)
{
    mark(root);
    root->setStyleSheet(QString::fromLatin1(Sheet));
}

void adopt(QWidget *widget)
{
    mark(widget);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

} // namespace Skin

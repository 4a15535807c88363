#pragma once

#include <QImage>
#include <QObject>
#include <QStringList>

#include <deque>
#include <functional>

#include "TModuleInfo.h"

class QTreeWidget;
class TClientDataSet;
class TImageList;
class TQuickButton;

// Turns the server's module catalogue and the user's rights string into the
// navigation tree, the quick-launch buttons, the control rights list and the
// icons of both image lists. Works on widgets and objects it is handed and
// owns only the node records, which live as long as it does.
class ModuleCatalogue : public QObject
{
    Q_OBJECT
public:
    struct Targets
    {
        TClientDataSet *dataSet = nullptr;    // the catalogue (cdsMdChientSel)
        QWidget *toolBar = nullptr;           // mnToolBar
        TImageList *treeImages = nullptr;     // imgIcoTv, 24 x 24
        TImageList *barImages = nullptr;      // ImgIco
        QImage defaultIcon;                   // icoTemp, for rows without an icon
        QStringList *controlRights = nullptr; // filled here, never emptied
        QWidget *labelParent = nullptr;       // parent of the hidden measuring label
    };
    using ButtonHandler = std::function<void(TQuickButton *button)>;
    // Item data role of a node's image index in the tree's image list.
    static constexpr int ImageIndexRole = Qt::UserRole + 2;

    explicit ModuleCatalogue(const Targets &targets, QObject *parent = nullptr);

    // Called for a click on any quick-launch button made afterwards.
    void setButtonHandler(ButtonHandler handler) { m_buttonHandler = std::move(handler); }

    // Fetches the catalogue and builds everything in one pass. Throws
    // Exception on the first failure (unreachable catalogue, an icon that is
    // not a bitmap, a granted row whose parent has no node); what was built
    // before it stays.
    void BuildModuleTree(QTreeWidget *tree, const QString &rights);

    // The target becomes the source scaled smoothly to width x height,
    // 24 bits per pixel, aspect ratio not kept.
    static void StretchBitmap(const QImage &source, QImage &target, int width, int height);

    // Width of a quick-launch button for a measured caption width: times
    // 1.5, halves rounded to even.
    static int buttonWidth(int measured);

    // An icon value as stored: a bitmap file image, possibly behind an
    // 8-byte graphic header. Throws Exception when it is not a bitmap.
    static QImage loadIcon(const QByteArray &value);

    int buttonCount() const { return m_buttonCount; }

private:
    class BuildPass;
    void addButton(const TModuleInfo &info, const QImage &glyph, int left, int width);
    void addNode(QTreeWidget *tree, const TModuleInfo &info, int imageIndex, BuildPass &pass);
    QImage rowIcon(const TClientDataSet &ds, const TModuleInfo &row) const;

    Targets m_t;
    ButtonHandler m_buttonHandler;
    std::deque<TModuleInfo> m_records;
    int m_buttonCount = 0;
};

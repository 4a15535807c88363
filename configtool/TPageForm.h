#pragma once

#include <QWidget>

// A page of the main window: a window of its own until the page tree puts it
// into the page panel. A framed page then draws a caption strip with its
// title above its controls. FormShow runs once, when the page first becomes
// visible; later choices of the page only bring it to the front.
class TPageForm : public QWidget
{
    Q_OBJECT
public:
    explicit TPageForm(bool framed, QWidget *parent = nullptr);

    bool isFramed() const { return m_framed; }
    bool hasBeenShown() const { return m_shown; }

    static constexpr int CaptionHeight = 22;

protected:
    // Loading of the page; errors are the page's own business.
    virtual void FormShow() {}

    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateFrame();

    bool m_framed;
    bool m_shown = false;
};
